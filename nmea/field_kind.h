#pragma once
// How the AIS payload decoder turns a field of value v read from the bit buffer into the
// decoded message. The numbers are those of the layout table's data and must not change.

#include <cstdint>

namespace nmea {

enum FieldKind : std::uint8_t {
    fkByte = 0,         // 1 byte, v
    fkWord = 1,         // 16-bit, v
    fkWordValue = 2,    // 16-bit, v (the 10-bit value of binary messages)
    fkLong = 3,         // 32-bit, v
    fkMmsi = 4,         // 32-bit, v
    fkSignedScaled = 5, // float, SignExtend(v) x scale
    fkScaled = 6,       // float, v x scale
    fkText = 7,         // width / 6 six-bit characters, then NUL
    fkTextRest = 8,     // as fkText over the bits left, rounded down to whole characters
    fkRateOfTurn = 9,   // float, signed square of SignExtend(v) / 4.733
    fkUnsupported = 10, // rejects the message
    fkLongitude = 11,   // float, SignExtend(v) x scale / 60
    fkLatitude = 12,    // float, SignExtend(v) x scale / 60
    fkCourse = 13,      // float, v x scale
    fkHeading = 14,     // 16-bit, 511 when above 359
    fkTimeStamp = 15,   // 1 byte, v
    fkRadioStatus = 16, // 32-bit, v
    fkDimensions = 17,  // 32-bit, v
    fkEta = 18,         // 32-bit, v
};

} // namespace nmea
