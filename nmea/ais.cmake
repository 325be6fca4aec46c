# AIS payload decoding: de-armouring, message layouts, field decoding and the target table.
list(APPEND NMEA_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ais_bits.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ais_clock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ais_layouts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ais_message.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ais_state.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ais_targets.cpp)
