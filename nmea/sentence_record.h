#pragma once
// The one parsed-sentence record: a header naming the sentence, then the fields of every
// formatter the library accepts. A parser writes only its own formatter's fields; the others
// keep what earlier sentences left in them.

#include <cstddef>
#include <cstdint>

namespace nmea {

// Talker of the last sentence that updated a latest-values record.
enum TalkerKind : std::uint8_t {
    tkOther = 0, // any other talker, the proprietary "P" included
    tkGP = 1,
    tkGL = 2,
    tkGN = 3,
    tkLC = 4,
    tkIN = 6,
};

// Latest-values store a formatter belongs to.
enum SentenceGroup : std::uint8_t {
    sgNone = 0,
    sgGnss = 1,
    sgHeadingSpeed = 2,
    sgLongRange = 3,
    sgAis = 4,
    sgDsc = 5,
    sgProprietary = 6,
};

// Marks stored for fields that arrived empty.
inline constexpr std::int8_t kNoByte = -128;
inline constexpr std::int16_t kNoWord = -1;
inline constexpr float kNoReal = -100000.0f;
inline constexpr float kNoLatitude = 91.0f;
inline constexpr float kNoLongitude = 181.0f;
inline constexpr char kNoChar = static_cast<char>(-128);

// Text capacities, NUL included.
inline constexpr std::size_t kPayloadCapacity = 64; // one sentence's AIS payload
inline constexpr std::size_t kTxtCapacity = 62;
inline constexpr std::size_t kCallSignCapacity = 8;
inline constexpr std::size_t kNameCapacity = 21;
inline constexpr std::size_t kDatumCapacity = 4;
inline constexpr std::size_t kSmgCapacity = 80;
inline constexpr std::size_t kFieldTextCapacity = 96; // holds any field of a line that fits

struct UtcTime {
    std::uint8_t hour;
    std::uint8_t minute;
    std::uint8_t second;
    std::uint8_t hundredths;
};

struct Position {
    float latitude;  // degrees, north positive
    float longitude; // degrees, east positive
};

struct CalendarDate {
    std::int16_t year;
    std::int8_t month;
    std::int8_t day;
};

// VDM, VDO, ABM and BBM: one fragment of an encapsulated AIS message.
struct EncapsulatedFields {
    std::int8_t total;
    std::int8_t number;
    std::int8_t sequentialId;
    char channel;                 // BBM: the broadcast channel number as sent
    std::int32_t destinationMmsi; // ABM only
    std::int8_t messageId;        // ABM and BBM
    std::int8_t fillBits;
    char payload[kPayloadCapacity];
};

struct AbkFields {
    std::int32_t mmsi;
    std::int8_t channel;
    std::int8_t messageId;
    std::int8_t sequenceNumber;
    std::int8_t ackType;
};

struct AcaFields {
    char sequence;
    Position northEast;
    Position southWest;
    char zoneSize;
    std::int16_t channelA;
    char bandwidthA;
    std::int16_t channelB;
    char bandwidthB;
    char txRxMode;
    char power;
    char source;
    char inUse;
    UtcTime inUseChanged;
};

struct AckFields {
    std::int16_t alarmId;
};

struct AcsFields {
    char sequence;
    std::int32_t mmsi;
    UtcTime time;
    std::int8_t day;
    std::int8_t month;
    std::int16_t year;
};

struct AiqFields {
    std::int8_t value;
};

struct AlrFields {
    UtcTime time;
    std::int16_t alarmId;
    char condition;
    char ackState;
    char description[kFieldTextCapacity];
};

struct BdyFields {
    std::int32_t number;
    char text1[kNameCapacity];
    char text2[kNameCapacity];
    std::int8_t byte1;
    std::int8_t byte2;
};

struct BthFields {
    std::int16_t values[6];
    char text[kFieldTextCapacity];
};

struct DbgFields {
    std::int16_t word[4];
    std::int32_t number[4];
};

struct DtmFields {
    char localDatum[kDatumCapacity];
    char subdivision;
    Position offset;
    float altitudeOffset;
    char referenceDatum[kFieldTextCapacity];
};

struct FrqFields {
    std::int32_t number1;
    std::int8_t byte1;
    std::int32_t number2;
    std::int8_t byte2;
};

struct GbsFields {
    UtcTime time;
    float errorLatitude;
    float errorLongitude;
    float errorAltitude;
    std::uint8_t failedSatellite;
    float probability;
    float bias;
    float biasStdDev;
};

struct GgaFields {
    UtcTime time;
    Position position;
    std::int8_t quality;
    std::int8_t satellitesUsed;
    float hdop;
    float altitude;
    char altitudeUnit;
    float geoidalSeparation;
    char separationUnit;
    float differentialAge;
    std::int16_t differentialStation;
};

struct GllFields {
    Position position;
    UtcTime time;
    char status;
    char mode;
};

struct GnsFields {
    UtcTime time;
    Position position;
    char mode[2];
    char satellitesInUse[2];
    float hdop;
    float altitude;
    float geoidalSeparation;
    float differentialAge;
    float differentialStation;
};

struct GrsFields {
    UtcTime time;
    char residualMode;
    float residual[12];
};

struct GsaFields {
    char selectionMode;
    std::int8_t fixMode;
    std::int8_t prn[12];
    float pdop;
    float hdop;
    float vdop;
};

struct GstFields {
    UtcTime time;
    float rmsRange;
    float semiMajor;
    float semiMinor;
    float orientation;
    float latitudeError;
    float longitudeError;
    float altitudeError;
};

struct GsvFields {
    std::int8_t sentenceCount;
    std::int8_t sentenceNumber;
    std::int8_t satellitesInView;
    std::int8_t blockCount;
    std::int8_t prn[4];
    std::int8_t elevation[4];
    std::int16_t azimuth[4];
    std::int8_t snr[4];
};

struct HdtFields {
    float heading;
    char unit;
};

struct MidFields {
    std::int32_t number1;
    std::int32_t number2;
};

struct MobFields {
    std::uint8_t id[3];
    std::uint8_t byte1;
    std::uint8_t byte2;
    std::uint8_t optional;
    std::uint8_t optionalPresent;
    std::uint8_t dataCount;
    std::uint8_t data[9];
};

struct OsdFields {
    float heading;
    char headingStatus;
    float course;
    char courseReference;
    float speed;
    char speedReference;
    float set;
    float drift;
    char speedUnits;
};

struct QueryFields {
    char text[kFieldTextCapacity];
};

struct RmaFields {
    char status;
    Position position;
};

struct RmcFields {
    UtcTime time;
    char status;
    Position position;
    float speed;
    float course;
    CalendarDate date;
    float variation;
    char variationDirection;
    char mode;
    char navigationalStatus;
};

struct RotFields {
    float rate;
    char status;
};

struct SsdFields {
    char callSign[kCallSignCapacity];
    char name[kNameCapacity];
    std::int16_t referenceA;
    std::int16_t referenceB;
    std::int8_t referenceC;
    std::int8_t referenceD;
    std::int8_t dte;
    char source[kFieldTextCapacity];
};

struct SmgFields {
    char text[kSmgCapacity];
    std::int32_t number;
};

struct TpsFields {
    std::int16_t number;
    char text[kFieldTextCapacity];
};

struct TstFields {
    std::int32_t number;
    std::int8_t byte;
    char char1;
    char char2;
    std::int16_t word;
};

struct TxtFields {
    std::int8_t total;
    std::int8_t number;
    std::int8_t textId;
    char text[kTxtCapacity];
};

struct VbwFields {
    float waterLongitudinal;
    float waterTransverse;
    char waterStatus;
    float groundLongitudinal;
    float groundTransverse;
    char groundStatus;
};

struct VsdFields {
    std::int16_t shipType;
    float draught;
    std::int16_t persons;
    char destination[kNameCapacity];
    UtcTime eta;
    std::int8_t etaDay;
    std::int8_t etaMonth;
    std::int8_t navigationalStatus;
    std::int8_t regionalFlags;
};

struct VtgFields {
    float courseTrue;
    char courseTrueUnit;
    float courseMagnetic;
    char courseMagneticUnit;
    float speedKnots;
    char speedKnotsUnit;
    float speedKmh;
    char speedKmhUnit;
    char mode;
};

struct WplFields {
    Position position;
    char identifier[kFieldTextCapacity];
};

struct ZdaFields {
    UtcTime time;
    std::int8_t day;
    std::int8_t month;
    std::int16_t year;
    std::int8_t zoneHours;
    std::int8_t zoneMinutes;
};

struct SentenceRecord {
    char start;        // '$' or '!'
    char talker[3];    // two talker characters, or "P" for a proprietary sentence
    char formatter[4]; // three characters, or "Q" for a query
    char subKind;      // the character after "$PCVN,", 0 otherwise

    AbkFields abk;
    EncapsulatedFields abm;
    AcaFields aca;
    AckFields ack;
    AcsFields acs;
    AiqFields aiq;
    AlrFields alr;
    EncapsulatedFields bbm;
    BdyFields bdy;
    BthFields bth;
    DbgFields dbg;
    DtmFields dtm;
    FrqFields frq;
    GbsFields gbs;
    GgaFields gga;
    GllFields gll;
    GnsFields gns;
    GrsFields grs;
    GsaFields gsa;
    GstFields gst;
    GsvFields gsv;
    HdtFields hdt;
    MidFields mid;
    MobFields mob;
    OsdFields osd;
    QueryFields query;
    RmaFields rma;
    RmcFields rmc;
    RotFields rot;
    SsdFields ssd;
    SmgFields smg;
    TpsFields tps;
    TstFields tst;
    TxtFields txt;
    VbwFields vbw;
    EncapsulatedFields vdm;
    EncapsulatedFields vdo;
    VsdFields vsd;
    VtgFields vtg;
    WplFields wpl;
    ZdaFields zda;
};

// The fragment fields of a VDM, VDO, ABM or BBM record; null for any other formatter.
const EncapsulatedFields* EncapsulatedOf(const SentenceRecord& record);

} // namespace nmea
