# AIS payload decoding and the target table.
if(TARGET nmea)
    m47_add_test(nmea_ais_tests
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/ais_test_support.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ais_bits_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ais_decode_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ais_golden_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ais_targets_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ais_library_test.cpp
        LIBS nmea)
endif()

