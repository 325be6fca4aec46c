# Sentence framing, field helpers, parsers, stores, fragment assembly and the real captures.
if(TARGET nmea)
    m47_add_test(nmea_core_tests
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/checksum_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/fields_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/parsers_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/library_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/fragment_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/captures_test.cpp
        LIBS nmea)
    # Own program: it replaces the global allocation functions to count calls.
    m47_add_test(nmea_allocation_tests
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/counting_allocator.cpp
            ${CMAKE_CURRENT_LIST_DIR}/no_allocation_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ais_test_support.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ais_allocation_test.cpp
        LIBS nmea)
endif()
