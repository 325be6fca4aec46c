#pragma once
// Field layouts of the AIS messages 1 to 24, as data: each field is a width in bits, a kind that
// says how its value is converted and stored, a scale, and the field's conventional JSON name.
//
//   type 1: |type 6|repeat 2|mmsi 30|status 4|turn 8|speed 10|accuracy 1|lon 28|lat 27|...
//
// A decoded message (see ais_message.h) holds the fields in layout order, each in its kind's
// storage, so a field's byte offset follows from the fields before it.

#include "nmea/field_kind.h"

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

namespace nmea {

struct AisFieldDef {
    std::int16_t width; // bits; 0 for a trailing text
    FieldKind kind;
    float scale;
    const char* name;
};

struct AisLayout {
    const AisFieldDef* fields;
    std::uint8_t fieldCount;

    constexpr std::span<const AisFieldDef> Fields() const { return {fields, fieldCount}; }
};

// Index = message identifier - 1 for 1..24; index 24 is type 24 part B.
inline constexpr std::size_t kAisLayoutCount = 25;
inline constexpr std::size_t kAisType24PartBLayout = 24;

struct AisLayoutTable {
    std::array<const AisLayout*, kAisLayoutCount> layouts{};
};

// Bytes a field occupies in a decoded message; 0 for a trailing text, whose length varies.
constexpr std::size_t FieldStorageSize(const AisFieldDef& field)
{
    switch (field.kind) {
    case fkByte:
    case fkTimeStamp: return 1;
    case fkWord:
    case fkWordValue:
    case fkHeading: return 2;
    case fkLong:
    case fkMmsi:
    case fkRadioStatus:
    case fkDimensions:
    case fkEta:
    case fkSignedScaled:
    case fkScaled:
    case fkRateOfTurn:
    case fkLongitude:
    case fkLatitude:
    case fkCourse: return 4;
    case fkText: return static_cast<std::size_t>(field.width / 6 + 1);
    case fkTextRest:
    case fkUnsupported: return 0;
    }
    return 0;
}

// Byte offset of the first field called `name`; a name the layout lacks fails to compile
// where the offset is a constant.
constexpr std::size_t FieldOffset(std::span<const AisFieldDef> fields, std::string_view name)
{
    std::size_t offset = 0;
    for (const AisFieldDef& field : fields) {
        if (name == field.name) {
            return offset;
        }
        offset += FieldStorageSize(field);
    }
    throw std::logic_error("AIS layout has no such field");
}

// Bytes of all fixed-size fields of a layout (a trailing text excluded).
constexpr std::size_t FixedStorageSize(std::span<const AisFieldDef> fields)
{
    std::size_t size = 0;
    for (const AisFieldDef& field : fields) {
        size += FieldStorageSize(field);
    }
    return size;
}

namespace ais_layout {

inline constexpr float kTenth = 0.1f;
inline constexpr float kTenThousandth = 0.0001f;

inline constexpr AisFieldDef kPositionReport[] = {
    // types 1, 2, 3
    {6, fkByte, 1.0f, "type"},
    {2, fkByte, 1.0f, "repeat"},
    {30, fkMmsi, 1.0f, "mmsi"},
    {4, fkByte, 1.0f, "status"},
    {8, fkRateOfTurn, 1.0f, "turn"},
    {10, fkScaled, kTenth, "speed"},
    {1, fkByte, 1.0f, "accuracy"},
    {28, fkLongitude, kTenThousandth, "lon"},
    {27, fkLatitude, kTenThousandth, "lat"},
    {12, fkCourse, kTenth, "course"},
    {9, fkHeading, 1.0f, "heading"},
    {6, fkTimeStamp, 1.0f, "second"},
    {4, fkByte, 1.0f, "maneuver"},
    {1, fkByte, 1.0f, "spare"},
    {1, fkByte, 1.0f, "raim"},
    {19, fkRadioStatus, 1.0f, "radio"},
};

inline constexpr AisFieldDef kBaseStationReport[] = {
    // types 4, 11
    {6, fkByte, 1.0f, "type"},
    {2, fkByte, 1.0f, "repeat"},
    {30, fkMmsi, 1.0f, "mmsi"},
    {14, fkWord, 1.0f, "year"},
    {4, fkByte, 1.0f, "month"},
    {5, fkByte, 1.0f, "day"},
    {5, fkByte, 1.0f, "hour"},
    {6, fkByte, 1.0f, "minute"},
    {6, fkByte, 1.0f, "second"},
    {1, fkByte, 1.0f, "accuracy"},
    {28, fkLongitude, kTenThousandth, "lon"},
    {27, fkLatitude, kTenThousandth, "lat"},
    {4, fkByte, 1.0f, "epfd"},
    {10, fkWord, 1.0f, "spare"},
    {1, fkByte, 1.0f, "raim"},
    {19, fkRadioStatus, 1.0f, "radio"},
};

inline constexpr AisFieldDef kStaticAndVoyage[] = {
    // type 5
    {6, fkByte, 1.0f, "type"},          {2, fkByte, 1.0f, "repeat"},   {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "ais_version"},   {30, fkMmsi, 1.0f, "imo"},     {42, fkText, 1.0f, "callsign"},
    {120, fkText, 1.0f, "shipname"},    {8, fkByte, 1.0f, "shiptype"}, {30, fkDimensions, 1.0f, "dimensions"},
    {4, fkByte, 1.0f, "epfd"},          {20, fkEta, 1.0f, "eta"},      {8, fkScaled, kTenth, "draught"},
    {120, fkText, 1.0f, "destination"}, {1, fkByte, 1.0f, "dte"},      {1, fkByte, 1.0f, "spare"},
};

// Types 6 and 8 read a 6-bit value before a 10-bit value after the spare bits.
inline constexpr AisFieldDef kBinaryAddressed[] = {
    // type 6
    {6, fkByte, 1.0f, "type"},     {2, fkByte, 1.0f, "repeat"},     {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "seqno"},    {30, fkMmsi, 1.0f, "dest_mmsi"}, {1, fkByte, 1.0f, "retransmit"},
    {1, fkByte, 1.0f, "spare"},    {6, fkByte, 1.0f, "app_id6"},    {10, fkWordValue, 1.0f, "app_id10"},
    {0, fkTextRest, 1.0f, "data"},
};

inline constexpr AisFieldDef kAcknowledge[] = {
    // types 7, 13
    {6, fkByte, 1.0f, "type"},     {2, fkByte, 1.0f, "repeat"},   {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "spare"},    {30, fkMmsi, 1.0f, "mmsi1"},   {2, fkByte, 1.0f, "mmsiseq1"},
    {30, fkMmsi, 1.0f, "mmsi2"},   {2, fkByte, 1.0f, "mmsiseq2"}, {30, fkMmsi, 1.0f, "mmsi3"},
    {2, fkByte, 1.0f, "mmsiseq3"}, {30, fkMmsi, 1.0f, "mmsi4"},   {2, fkByte, 1.0f, "mmsiseq4"},
};

inline constexpr AisFieldDef kBinaryBroadcast[] = {
    // type 8
    {6, fkByte, 1.0f, "type"},     {2, fkByte, 1.0f, "repeat"},  {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "spare"},    {6, fkByte, 1.0f, "app_id6"}, {10, fkWordValue, 1.0f, "app_id10"},
    {0, fkTextRest, 1.0f, "data"},
};

inline constexpr AisFieldDef kSarAircraft[] = {
    // type 9
    {6, fkByte, 1.0f, "type"},
    {2, fkByte, 1.0f, "repeat"},
    {30, fkMmsi, 1.0f, "mmsi"},
    {12, fkWord, 1.0f, "alt"},
    {10, fkScaled, 1.0f, "speed"},
    {1, fkByte, 1.0f, "accuracy"},
    {28, fkLongitude, kTenThousandth, "lon"},
    {27, fkLatitude, kTenThousandth, "lat"},
    {12, fkCourse, kTenth, "course"},
    {6, fkTimeStamp, 1.0f, "second"},
    {8, fkByte, 1.0f, "regional"},
    {1, fkByte, 1.0f, "dte"},
    {3, fkByte, 1.0f, "spare"},
    {1, fkByte, 1.0f, "assigned"},
    {1, fkByte, 1.0f, "raim"},
    {1, fkByte, 1.0f, "commstate_flag"},
    {19, fkRadioStatus, 1.0f, "radio"},
};

inline constexpr AisFieldDef kUtcInquiry[] = {
    // type 10
    {6, fkByte, 1.0f, "type"},  {2, fkByte, 1.0f, "repeat"},     {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "spare"}, {30, fkMmsi, 1.0f, "dest_mmsi"}, {2, fkByte, 1.0f, "spare2"},
};

inline constexpr AisFieldDef kSafetyAddressed[] = {
    // type 12
    {6, fkByte, 1.0f, "type"},  {2, fkByte, 1.0f, "repeat"},     {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "seqno"}, {30, fkMmsi, 1.0f, "dest_mmsi"}, {1, fkByte, 1.0f, "retransmit"},
    {1, fkByte, 1.0f, "spare"}, {0, fkTextRest, 1.0f, "text"},
};

inline constexpr AisFieldDef kSafetyBroadcast[] = {
    // type 14
    {6, fkByte, 1.0f, "type"},  {2, fkByte, 1.0f, "repeat"},   {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "spare"}, {0, fkTextRest, 1.0f, "text"},
};

inline constexpr AisFieldDef kInterrogation[] = {
    // type 15
    {6, fkByte, 1.0f, "type"},       {2, fkByte, 1.0f, "repeat"},     {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "spare"},      {30, fkMmsi, 1.0f, "mmsi1"},     {6, fkByte, 1.0f, "type1_1"},
    {12, fkWord, 1.0f, "offset1_1"}, {2, fkByte, 1.0f, "spare2"},     {6, fkByte, 1.0f, "type1_2"},
    {12, fkWord, 1.0f, "offset1_2"}, {2, fkByte, 1.0f, "spare3"},     {30, fkMmsi, 1.0f, "mmsi2"},
    {6, fkByte, 1.0f, "type2_1"},    {12, fkWord, 1.0f, "offset2_1"}, {2, fkByte, 1.0f, "spare4"},
};

inline constexpr AisFieldDef kAssignedMode[] = {
    // type 16
    {6, fkByte, 1.0f, "type"},        {2, fkByte, 1.0f, "repeat"}, {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "spare"},       {30, fkMmsi, 1.0f, "mmsi1"}, {12, fkWord, 1.0f, "offset1"},
    {10, fkWord, 1.0f, "increment1"}, {30, fkMmsi, 1.0f, "mmsi2"}, {12, fkWord, 1.0f, "offset2"},
    {10, fkWord, 1.0f, "increment2"}, {4, fkByte, 1.0f, "spare2"},
};

inline constexpr AisFieldDef kDgnssBroadcast[] = {
    // type 17
    {6, fkByte, 1.0f, "type"},     {2, fkByte, 1.0f, "repeat"},      {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "spare"},    {18, fkLongitude, kTenth, "lon"}, {17, fkLatitude, kTenth, "lat"},
    {5, fkByte, 1.0f, "spare2"},   {6, fkByte, 1.0f, "dgnss_type"},  {10, fkWord, 1.0f, "station"},
    {13, fkWord, 1.0f, "z_count"}, {3, fkByte, 1.0f, "seqno"},       {5, fkByte, 1.0f, "n"},
    {3, fkByte, 1.0f, "health"},
};

inline constexpr AisFieldDef kClassBPosition[] = {
    // type 18
    {6, fkByte, 1.0f, "type"},
    {2, fkByte, 1.0f, "repeat"},
    {30, fkMmsi, 1.0f, "mmsi"},
    {8, fkByte, 1.0f, "reserved"},
    {10, fkScaled, kTenth, "speed"},
    {1, fkByte, 1.0f, "accuracy"},
    {28, fkLongitude, kTenThousandth, "lon"},
    {27, fkLatitude, kTenThousandth, "lat"},
    {12, fkCourse, kTenth, "course"},
    {9, fkHeading, 1.0f, "heading"},
    {6, fkTimeStamp, 1.0f, "second"},
    {2, fkByte, 1.0f, "regional"},
    {1, fkByte, 1.0f, "cs"},
    {1, fkByte, 1.0f, "display"},
    {1, fkByte, 1.0f, "dsc"},
    {1, fkByte, 1.0f, "band"},
    {1, fkByte, 1.0f, "msg22"},
    {1, fkByte, 1.0f, "assigned"},
    {1, fkByte, 1.0f, "raim"},
    {1, fkByte, 1.0f, "commstate_flag"},
    {19, fkRadioStatus, 1.0f, "radio"},
};

inline constexpr AisFieldDef kClassBExtended[] = {
    // type 19
    {6, fkByte, 1.0f, "type"},
    {2, fkByte, 1.0f, "repeat"},
    {30, fkMmsi, 1.0f, "mmsi"},
    {8, fkByte, 1.0f, "reserved"},
    {10, fkScaled, kTenth, "speed"},
    {1, fkByte, 1.0f, "accuracy"},
    {28, fkLongitude, kTenThousandth, "lon"},
    {27, fkLatitude, kTenThousandth, "lat"},
    {12, fkCourse, kTenth, "course"},
    {9, fkHeading, 1.0f, "heading"},
    {6, fkTimeStamp, 1.0f, "second"},
    {4, fkByte, 1.0f, "regional"},
    {120, fkText, 1.0f, "shipname"},
    {8, fkByte, 1.0f, "shiptype"},
    {30, fkDimensions, 1.0f, "dimensions"},
    {4, fkByte, 1.0f, "epfd"},
    {1, fkByte, 1.0f, "raim"},
    {1, fkByte, 1.0f, "dte"},
    {1, fkByte, 1.0f, "assigned"},
    {4, fkByte, 1.0f, "spare"},
};

inline constexpr AisFieldDef kDataLinkManagement[] = {
    // type 20
    {6, fkByte, 1.0f, "type"},        {2, fkByte, 1.0f, "repeat"},      {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "spare"},       {12, fkWord, 1.0f, "offset1"},    {4, fkByte, 1.0f, "number1"},
    {3, fkByte, 1.0f, "timeout1"},    {11, fkWord, 1.0f, "increment1"}, {12, fkWord, 1.0f, "offset2"},
    {4, fkByte, 1.0f, "number2"},     {3, fkByte, 1.0f, "timeout2"},    {11, fkWord, 1.0f, "increment2"},
    {12, fkWord, 1.0f, "offset3"},    {4, fkByte, 1.0f, "number3"},     {3, fkByte, 1.0f, "timeout3"},
    {11, fkWord, 1.0f, "increment3"}, {12, fkWord, 1.0f, "offset4"},    {4, fkByte, 1.0f, "number4"},
    {3, fkByte, 1.0f, "timeout4"},    {11, fkWord, 1.0f, "increment4"},
};

inline constexpr AisFieldDef kAidToNavigation[] = {
    // type 21
    {6, fkByte, 1.0f, "type"},
    {2, fkByte, 1.0f, "repeat"},
    {30, fkMmsi, 1.0f, "mmsi"},
    {5, fkByte, 1.0f, "aid_type"},
    {120, fkText, 1.0f, "name"},
    {1, fkByte, 1.0f, "accuracy"},
    {28, fkLongitude, kTenThousandth, "lon"},
    {27, fkLatitude, kTenThousandth, "lat"},
    {30, fkDimensions, 1.0f, "dimensions"},
    {4, fkByte, 1.0f, "epfd"},
    {6, fkTimeStamp, 1.0f, "second"},
    {1, fkByte, 1.0f, "off_position"},
    {8, fkByte, 1.0f, "regional"},
    {1, fkByte, 1.0f, "raim"},
    {1, fkByte, 1.0f, "virtual_aid"},
    {1, fkByte, 1.0f, "assigned"},
    {1, fkByte, 1.0f, "spare"},
    {84, fkText, 1.0f, "name_extension"},
    {4, fkByte, 1.0f, "spare2"},
};

inline constexpr AisFieldDef kChannelManagement[] = {
    // type 22
    {6, fkByte, 1.0f, "type"},           {2, fkByte, 1.0f, "repeat"},
    {30, fkMmsi, 1.0f, "mmsi"},          {2, fkByte, 1.0f, "spare"},
    {12, fkWord, 1.0f, "channel_a"},     {12, fkWord, 1.0f, "channel_b"},
    {4, fkByte, 1.0f, "txrx"},           {1, fkByte, 1.0f, "power"},
    {18, fkLongitude, kTenth, "ne_lon"}, {17, fkLatitude, kTenth, "ne_lat"},
    {18, fkLongitude, kTenth, "sw_lon"}, {17, fkLatitude, kTenth, "sw_lat"},
    {1, fkByte, 1.0f, "addressed"},      {1, fkByte, 1.0f, "band_a"},
    {1, fkByte, 1.0f, "band_b"},         {3, fkByte, 1.0f, "zonesize"},
    {23, fkMmsi, 1.0f, "spare2"},
};

inline constexpr AisFieldDef kGroupAssignment[] = {
    // type 23
    {6, fkByte, 1.0f, "type"},           {2, fkByte, 1.0f, "repeat"},
    {30, fkMmsi, 1.0f, "mmsi"},          {2, fkByte, 1.0f, "spare"},
    {18, fkLongitude, kTenth, "ne_lon"}, {17, fkLatitude, kTenth, "ne_lat"},
    {18, fkLongitude, kTenth, "sw_lon"}, {17, fkLatitude, kTenth, "sw_lat"},
    {4, fkByte, 1.0f, "station_type"},   {8, fkByte, 1.0f, "ship_type"},
    {22, fkMmsi, 1.0f, "spare2"},        {2, fkByte, 1.0f, "txrx"},
    {4, fkByte, 1.0f, "interval"},       {4, fkByte, 1.0f, "quiet"},
    {6, fkByte, 1.0f, "spare3"},
};

inline constexpr AisFieldDef kStaticDataPartA[] = {
    // type 24, part number 0
    {6, fkByte, 1.0f, "type"},   {2, fkByte, 1.0f, "repeat"},     {30, fkMmsi, 1.0f, "mmsi"},
    {2, fkByte, 1.0f, "partno"}, {120, fkText, 1.0f, "shipname"},
};

inline constexpr AisFieldDef kStaticDataPartB[] = {
    // type 24, part number 1
    {6, fkByte, 1.0f, "type"},      {2, fkByte, 1.0f, "repeat"},
    {30, fkMmsi, 1.0f, "mmsi"},     {2, fkByte, 1.0f, "partno"},
    {8, fkByte, 1.0f, "shiptype"},  {42, fkText, 1.0f, "vendorid"},
    {42, fkText, 1.0f, "callsign"}, {30, fkDimensions, 1.0f, "dimensions"},
    {6, fkByte, 1.0f, "spare"},
};

// Type 22 addressed: the two destination MMSIs are stored after the regular fields.
inline constexpr std::size_t kType22DestinationOffset = FixedStorageSize(kChannelManagement);

} // namespace ais_layout

// Links the 25 constant layouts into the table (types 1-3, 4/11 and 7/13 share theirs).
void LinkAisLayouts(AisLayoutTable& table);

} // namespace nmea
