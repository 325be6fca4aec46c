# Sentence framing and checksum, field helpers, the parsers, the latest-values stores, fragment
# assembly and the library object that runs a line through all of them.
list(APPEND NMEA_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/checksum.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fields.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fragment_assembly.cpp
    ${CMAKE_CURRENT_LIST_DIR}/latest_values.cpp
    ${CMAKE_CURRENT_LIST_DIR}/parsers_ais.cpp
    ${CMAKE_CURRENT_LIST_DIR}/parsers_navigation.cpp
    ${CMAKE_CURRENT_LIST_DIR}/parsers_proprietary.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sentence_library.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sentence_parser.cpp)
