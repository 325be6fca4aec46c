// The AIS messages the virtual device reports, with their fields in transmitted units
// (positions in 1/10000 minute, speed in 0.1 knot, course in 0.1 degree), and their bit layouts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace m47sim {

// Field values the standard reserves for "not available".
constexpr int kAisHeadingNotAvailable = 511;
constexpr int kAisRotNotAvailable = -128;

// Degrees to the 1/10000-minute units of the position fields.
int32_t AisAngle(double degrees);

// Types 1, 2, 3: class A position report (168 bits).
struct PositionReportA {
    int type = 1;
    int repeat = 0;
    uint32_t mmsi = 0;
    int navStatus = 0;
    int rateOfTurn = kAisRotNotAvailable; // raw ROT_AIS, -127..127
    int speed = 1023;                     // 0.1 knot
    bool accuracy = false;
    int32_t longitude = 181 * 600000;
    int32_t latitude = 91 * 600000;
    int course = 3600; // 0.1 degree
    int heading = kAisHeadingNotAvailable;
    int second = 60;
    int maneuver = 0;
    bool raim = false;
    uint32_t radio = 0; // 19-bit communication state
};

// Type 5: class A static and voyage data (424 bits, two sentences).
struct StaticVoyageData {
    int repeat = 0;
    uint32_t mmsi = 0;
    int aisVersion = 0;
    uint32_t imo = 0;
    std::string callSign; // 7 characters
    std::string name;     // 20 characters
    int shipType = 0;
    int toBow = 0, toStern = 0, toPort = 0, toStarboard = 0;
    int epfd = 1;
    int etaMonth = 0, etaDay = 0, etaHour = 24, etaMinute = 60;
    int draught = 0;         // 0.1 metre
    std::string destination; // 20 characters
    bool dte = false;
};

// Type 18: class B position report (168 bits).
struct PositionReportB {
    int repeat = 0;
    uint32_t mmsi = 0;
    int speed = 1023;
    bool accuracy = false;
    int32_t longitude = 181 * 600000;
    int32_t latitude = 91 * 600000;
    int course = 3600;
    int heading = kAisHeadingNotAvailable;
    int second = 60;
    bool csUnit = true, display = false, dsc = false, band = true, message22 = false, assigned = false;
    bool raim = false;
    uint32_t radio = 0; // 20 bits: communication state selector and state
};

// Type 24 part A: class B name (160 bits).
struct StaticDataA {
    int repeat = 0;
    uint32_t mmsi = 0;
    std::string name; // 20 characters
};

// Type 24 part B: class B type, vendor, call sign and dimensions (168 bits).
struct StaticDataB {
    int repeat = 0;
    uint32_t mmsi = 0;
    int shipType = 0;
    std::string vendorId; // 7 characters
    std::string callSign; // 7 characters
    int toBow = 0, toStern = 0, toPort = 0, toStarboard = 0;
};

std::vector<bool> EncodeAis(const PositionReportA& m);
std::vector<bool> EncodeAis(const StaticVoyageData& m);
std::vector<bool> EncodeAis(const PositionReportB& m);
std::vector<bool> EncodeAis(const StaticDataA& m);
std::vector<bool> EncodeAis(const StaticDataB& m);

// The encapsulating sentences ("!AIVDM" or "!AIVDO") of one message, each framed and at most
// 82 characters with CR LF; a message longer than one sentence gets the sequential identifier.
std::vector<std::string> EncapsulateAis(const char* formatter, char channel, int sequenceId,
                                        const std::vector<bool>& bits);

} // namespace m47sim
