#pragma once
// Latest values of each sentence group: what the GPS status panel and the system check read
// (GnssRecord) and what the library keeps of the heading, AIS-related and proprietary sentences.

#include <cstdint>

#include "nmea/sentence_record.h"

namespace nmea {

// Group 1: all zero at start; the validity flags marked "never cleared" stay 1 once set.
struct GnssRecord {
    TalkerKind talker;
    std::uint8_t utcHour;
    std::uint8_t utcMinute;
    std::uint8_t utcSecond;
    std::uint8_t utcHundredths;
    float latitude;  // 91.0 (or -91.0) when the sentence had none
    float longitude; // 181.0 (or -181.0) when the sentence had none
    std::int8_t ggaQuality;
    char gsaSelectionMode;
    std::int8_t fixMode; // 1 no fix, 2 two-dimensional, 3 three-dimensional
    float geoidalSeparation;
    std::int16_t utcYear;
    std::int8_t utcMonth;
    std::int8_t utcDay;
    char modeIndicator;
    char status; // 'A' valid, 'V' invalid
    float courseTrue;
    float courseMagnetic;
    float speedKnots;
    float speedKmh;
    std::int8_t satellitesUsed;
    std::uint8_t ggaArrived; // set by every GGA; the reader clears it
    std::int8_t usedPrn[12];
    float pdop;
    float hdop;
    float vdop;
    std::int8_t satellitesInView;
    std::int8_t gsvSentenceCount;
    std::int8_t gsvSentenceNumber;
    std::uint8_t gsvSatellites; // blocks in the latest GSV, 1 to 4
    std::int8_t prn[4];
    std::int8_t elevation[4];
    std::int16_t azimuth[4];
    std::int8_t snr[4];
    float gbsErrorLatitude;
    float gbsErrorLongitude;
    float gbsErrorAltitude;
    std::uint8_t gbsFailedSatellite;
    float gbsProbability;
    float gbsBias;
    float gbsBiasStdDev;
    std::uint8_t timeValid;
    std::uint8_t positionValid;
    std::uint8_t courseValid;
    std::uint8_t gbsValid;
    char lastFormatter[4];
};

// Group 2.
struct HeadingRecord {
    TalkerKind talker;
    GnsFields gns;
    VbwFields vbw;
    RotFields rot;
    HdtFields hdt;
    std::uint8_t headingValid;
};

// Group 4.
struct AisSentenceRecord {
    TalkerKind talker;
    AcaFields aca;
    AcsFields acs;
    SsdFields ssd;
    std::uint8_t callSignValid;
    std::uint8_t nameValid;
    std::uint8_t referencePointsValid;
    std::uint8_t dteValid;
    VsdFields vsd;
    std::uint8_t shipTypeValid;
    std::uint8_t draughtValid;
    std::uint8_t personsValid;
    std::uint8_t destinationValid;
    std::uint8_t etaValid;
    std::uint8_t navigationalStatusValid;
    EncapsulatedFields abm;
    EncapsulatedFields bbm;
    EncapsulatedFields vdm;
    EncapsulatedFields vdo;
    TxtFields txt;
    AbkFields abk;
    AlrFields alr;
    AckFields ack;
    std::uint8_t alarmIdValid;
};

// Group 6.
struct ProprietaryRecord {
    MidFields mid;
    std::uint8_t midValid[2];
    BdyFields bdy;
    std::uint8_t bdyValid;
    TstFields tst;
    std::uint8_t tstNumberValid;
    std::uint8_t tstCharsValid;
    std::uint8_t tstWordValid;
    FrqFields frq;
    std::uint8_t frqValid[2];
    BthFields bth;
    std::uint8_t bthValuesValid;
    std::uint8_t bthTextValid;
    DbgFields dbg;
    std::uint8_t dbgValid[4];
    char dbgSubKind;
    TpsFields tps;
    std::uint8_t tpsValid;
    MobFields mob;
};

struct LatestValues {
    GnssRecord gnss;
    HeadingRecord heading;
    AisSentenceRecord ais;
    ProprietaryRecord proprietary;
};

// TalkerKind of the record's talker characters.
TalkerKind TalkerKindOf(const SentenceRecord& record);

// Copies an accepted record into the latest values of its group; groups 0, 3 and 5 store nothing.
void StoreSentence(const SentenceRecord& record, LatestValues& latest);

} // namespace nmea
