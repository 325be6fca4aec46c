#include "nmea/latest_values.h"

#include <cstring>

#include "nmea/formatter_table.h"
#include "nmea/sentence_parser.h"

namespace nmea {

namespace {

bool IsEmptyTime(const UtcTime& time)
{
    return time.hour == 24 && time.minute == 60 && time.second == 60;
}

bool IsClockTime(const UtcTime& time)
{
    return time.hour < 24 && time.minute < 60 && time.second < 60;
}

bool IsCalendarDate(int year, int month, int day)
{
    return year > 0 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

void SetFlag(std::uint8_t& flag, bool condition)
{
    if (condition)
        flag = 1;
}

// An empty time field keeps the hundredths of the previous time.
void StoreTime(GnssRecord& gnss, const UtcTime& time)
{
    gnss.utcHour = time.hour;
    gnss.utcMinute = time.minute;
    gnss.utcSecond = time.second;
    if (!IsEmptyTime(time))
        gnss.utcHundredths = time.hundredths;
}

void StorePosition(GnssRecord& gnss, const Position& position)
{
    gnss.latitude = position.latitude;
    gnss.longitude = position.longitude;
}

void StoreGga(const SentenceRecord& record, LatestValues& latest)
{
    const GgaFields& gga = record.gga;
    GnssRecord& gnss = latest.gnss;
    StoreTime(gnss, gga.time);
    StorePosition(gnss, gga.position);
    gnss.ggaQuality = gga.quality;
    gnss.geoidalSeparation = gga.geoidalSeparation;
    gnss.satellitesUsed = gga.satellitesUsed;
    gnss.ggaArrived = 1;
    gnss.positionValid = gga.quality >= 1 && gga.quality <= 3 ? 1 : 0;
    SetFlag(gnss.timeValid, IsClockTime(gga.time));
}

void StoreGbs(const SentenceRecord& record, LatestValues& latest)
{
    const GbsFields& gbs = record.gbs;
    GnssRecord& gnss = latest.gnss;
    StoreTime(gnss, gbs.time);
    gnss.gbsErrorLatitude = gbs.errorLatitude;
    gnss.gbsErrorLongitude = gbs.errorLongitude;
    gnss.gbsErrorAltitude = gbs.errorAltitude;
    gnss.gbsFailedSatellite = gbs.failedSatellite;
    gnss.gbsProbability = gbs.probability;
    gnss.gbsBias = gbs.bias;
    gnss.gbsBiasStdDev = gbs.biasStdDev;
    SetFlag(gnss.gbsValid,
            gbs.errorLatitude > -99999.0f && gbs.errorLongitude > -99999.0f && gbs.errorAltitude > -99999.0f);
}

void StoreGll(const SentenceRecord& record, LatestValues& latest)
{
    const GllFields& gll = record.gll;
    GnssRecord& gnss = latest.gnss;
    StorePosition(gnss, gll.position);
    StoreTime(gnss, gll.time);
    gnss.status = gll.status;
    gnss.modeIndicator = gll.mode;
    gnss.positionValid = gll.status == 'A' ? 1 : 0;
}

void StoreGsa(const SentenceRecord& record, LatestValues& latest)
{
    const GsaFields& gsa = record.gsa;
    GnssRecord& gnss = latest.gnss;
    gnss.gsaSelectionMode = gsa.selectionMode;
    gnss.fixMode = gsa.fixMode;
    std::int8_t used = 0;
    for (int i = 0; i < 12; ++i) {
        gnss.usedPrn[i] = gsa.prn[i];
        if (gsa.prn[i] > 0)
            ++used;
    }
    gnss.satellitesUsed = used;
    gnss.pdop = gsa.pdop;
    gnss.hdop = gsa.hdop;
    gnss.vdop = gsa.vdop;
}

// Only the blocks the sentence carries; the others keep an earlier sentence's satellites.
void StoreGsv(const SentenceRecord& record, LatestValues& latest)
{
    const GsvFields& gsv = record.gsv;
    GnssRecord& gnss = latest.gnss;
    gnss.satellitesInView = gsv.satellitesInView;
    gnss.gsvSentenceCount = gsv.sentenceCount;
    gnss.gsvSentenceNumber = gsv.sentenceNumber;
    gnss.gsvSatellites = static_cast<std::uint8_t>(gsv.blockCount);
    for (int k = 0; k < gsv.blockCount && k < 4; ++k) {
        gnss.prn[k] = gsv.prn[k];
        gnss.elevation[k] = gsv.elevation[k];
        gnss.azimuth[k] = gsv.azimuth[k];
        gnss.snr[k] = gsv.snr[k];
    }
}

void StoreRmc(const SentenceRecord& record, LatestValues& latest)
{
    const RmcFields& rmc = record.rmc;
    GnssRecord& gnss = latest.gnss;
    StoreTime(gnss, rmc.time);
    gnss.status = rmc.status;
    StorePosition(gnss, rmc.position);
    gnss.speedKnots = rmc.speed;
    gnss.courseTrue = rmc.course;
    gnss.utcYear = rmc.date.year;
    gnss.utcMonth = rmc.date.month;
    gnss.utcDay = rmc.date.day;
    gnss.modeIndicator = rmc.mode;
    gnss.positionValid = rmc.status == 'A' ? 1 : 0;
    gnss.courseValid = rmc.course >= 0.0f && rmc.course <= 360.0f ? 1 : 0;
    SetFlag(gnss.timeValid, rmc.status == 'A' && IsClockTime(rmc.time) &&
                                IsCalendarDate(rmc.date.year, rmc.date.month, rmc.date.day));
}

void StoreVtg(const SentenceRecord& record, LatestValues& latest)
{
    const VtgFields& vtg = record.vtg;
    GnssRecord& gnss = latest.gnss;
    gnss.courseTrue = vtg.courseTrue;
    gnss.courseMagnetic = vtg.courseMagnetic;
    gnss.speedKnots = vtg.speedKnots;
    gnss.speedKmh = vtg.speedKmh;
    gnss.modeIndicator = vtg.mode;
}

void StoreZda(const SentenceRecord& record, LatestValues& latest)
{
    const ZdaFields& zda = record.zda;
    GnssRecord& gnss = latest.gnss;
    StoreTime(gnss, zda.time);
    gnss.utcYear = zda.year;
    gnss.utcMonth = zda.month;
    gnss.utcDay = zda.day;
    SetFlag(gnss.timeValid, IsClockTime(zda.time) && IsCalendarDate(zda.year, zda.month, zda.day));
}

void StoreGns(const SentenceRecord& record, LatestValues& latest)
{
    latest.heading.gns = record.gns;
}

void StoreVbw(const SentenceRecord& record, LatestValues& latest)
{
    latest.heading.vbw = record.vbw;
}

void StoreRot(const SentenceRecord& record, LatestValues& latest)
{
    latest.heading.rot = record.rot;
}

void StoreHdt(const SentenceRecord& record, LatestValues& latest)
{
    latest.heading.hdt = record.hdt;
    SetFlag(latest.heading.headingValid, record.hdt.heading >= 0.0f && record.hdt.heading < 360.0f);
}

void StoreAca(const SentenceRecord& record, LatestValues& latest)
{
    latest.ais.aca = record.aca;
}

void StoreAcs(const SentenceRecord& record, LatestValues& latest)
{
    latest.ais.acs = record.acs;
}

void StoreSsd(const SentenceRecord& record, LatestValues& latest)
{
    const SsdFields& ssd = record.ssd;
    AisSentenceRecord& ais = latest.ais;
    ais.ssd = ssd;
    SetFlag(ais.callSignValid, ssd.callSign[0] != '\0');
    SetFlag(ais.nameValid, ssd.name[0] != '\0');
    SetFlag(ais.referencePointsValid,
            ssd.referenceA < 512 && ssd.referenceB < 512 && ssd.referenceC < 64 && ssd.referenceD < 64);
    SetFlag(ais.dteValid, ssd.dte < 2);
}

void StoreVsd(const SentenceRecord& record, LatestValues& latest)
{
    const VsdFields& vsd = record.vsd;
    AisSentenceRecord& ais = latest.ais;
    ais.vsd = vsd;
    SetFlag(ais.shipTypeValid, vsd.shipType < 256);
    SetFlag(ais.draughtValid, !(vsd.draught > 25.5f));
    SetFlag(ais.personsValid, vsd.persons <= 8191);
    SetFlag(ais.destinationValid, vsd.destination[0] != '\0');
    SetFlag(ais.etaValid, vsd.eta.hour < 24 && vsd.etaDay < 32 && vsd.etaMonth <= 12);
    SetFlag(ais.navigationalStatusValid, vsd.navigationalStatus <= 15);
}

void StoreAbm(const SentenceRecord& record, LatestValues& latest)
{
    latest.ais.abm = record.abm;
}

void StoreBbm(const SentenceRecord& record, LatestValues& latest)
{
    latest.ais.bbm = record.bbm;
}

void StoreVdm(const SentenceRecord& record, LatestValues& latest)
{
    latest.ais.vdm = record.vdm;
}

void StoreVdo(const SentenceRecord& record, LatestValues& latest)
{
    latest.ais.vdo = record.vdo;
}

void StoreTxt(const SentenceRecord& record, LatestValues& latest)
{
    latest.ais.txt = record.txt;
}

void StoreAbk(const SentenceRecord& record, LatestValues& latest)
{
    latest.ais.abk = record.abk;
}

void StoreAlr(const SentenceRecord& record, LatestValues& latest)
{
    latest.ais.alr = record.alr;
}

void StoreAck(const SentenceRecord& record, LatestValues& latest)
{
    latest.ais.ack = record.ack;
    SetFlag(latest.ais.alarmIdValid, record.ack.alarmId < 1000);
}

constexpr std::int32_t kNoNumber = 999999999;

void StoreMid(const SentenceRecord& record, LatestValues& latest)
{
    ProprietaryRecord& p = latest.proprietary;
    p.mid = record.mid;
    SetFlag(p.midValid[0], record.mid.number1 < kNoNumber);
    SetFlag(p.midValid[1], record.mid.number2 < kNoNumber);
}

void StoreBdy(const SentenceRecord& record, LatestValues& latest)
{
    ProprietaryRecord& p = latest.proprietary;
    p.bdy = record.bdy;
    SetFlag(p.bdyValid, record.bdy.number < kNoNumber || record.bdy.byte2 == 1);
}

void StoreTst(const SentenceRecord& record, LatestValues& latest)
{
    const TstFields& tst = record.tst;
    ProprietaryRecord& p = latest.proprietary;
    p.tst = tst;
    SetFlag(p.tstNumberValid, tst.number < 99999);
    SetFlag(p.tstCharsValid, tst.char2 >= 'A' && tst.char2 <= 'Z');
    SetFlag(p.tstWordValid, tst.word != -1);
}

void StoreFrq(const SentenceRecord& record, LatestValues& latest)
{
    const FrqFields& frq = record.frq;
    ProprietaryRecord& p = latest.proprietary;
    p.frq = frq;
    SetFlag(p.frqValid[0], frq.number1 < kNoNumber && frq.byte1 <= 10);
    SetFlag(p.frqValid[1], frq.number2 < kNoNumber && frq.byte2 <= 10);
}

void StoreBth(const SentenceRecord& record, LatestValues& latest)
{
    const BthFields& bth = record.bth;
    ProprietaryRecord& p = latest.proprietary;
    p.bth = bth;
    bool allBelow256 = true;
    for (std::int16_t value : bth.values)
        allBelow256 = allBelow256 && value < 256;
    SetFlag(p.bthValuesValid, allBelow256);
    SetFlag(p.bthTextValid, bth.text[0] != '\0');
}

void StoreDbg(const SentenceRecord& record, LatestValues& latest)
{
    ProprietaryRecord& p = latest.proprietary;
    p.dbg = record.dbg;
    for (int i = 0; i < 4; ++i)
        SetFlag(p.dbgValid[i], record.dbg.word[i] >= 0 && record.dbg.word[i] <= 999);
    p.dbgSubKind = record.subKind;
}

void StoreTps(const SentenceRecord& record, LatestValues& latest)
{
    ProprietaryRecord& p = latest.proprietary;
    p.tps = record.tps;
    SetFlag(p.tpsValid, record.tps.number >= 0);
}

void StoreMob(const SentenceRecord& record, LatestValues& latest)
{
    const MobFields& mob = record.mob;
    MobFields& kept = latest.proprietary.mob;
    std::memcpy(kept.id, mob.id, sizeof kept.id);
    kept.byte1 = mob.byte1;
    kept.byte2 = mob.byte2;
    if (mob.optionalPresent != 0) {
        kept.optional = mob.optional;
        kept.optionalPresent = 1;
    }
    if (mob.dataCount >= 1 && mob.dataCount <= 19) {
        std::memcpy(kept.data, mob.data, mob.dataCount);
        kept.dataCount = mob.dataCount;
    } else {
        kept.dataCount = 0;
    }
}

using StoreFunction = void (*)(const SentenceRecord& record, LatestValues& latest);

struct StoreEntry {
    char formatter[4];
    StoreFunction store;
};

// The formatters whose values are kept, with the rule that keeps them.
constexpr StoreEntry kStores[] = {
    {"GGA", StoreGga}, {"GBS", StoreGbs}, {"GLL", StoreGll}, {"GSA", StoreGsa}, {"GSV", StoreGsv},
    {"RMC", StoreRmc}, {"VTG", StoreVtg}, {"ZDA", StoreZda}, {"GNS", StoreGns}, {"VBW", StoreVbw},
    {"ROT", StoreRot}, {"HDT", StoreHdt}, {"ACA", StoreAca}, {"ACS", StoreAcs}, {"SSD", StoreSsd},
    {"VSD", StoreVsd}, {"ABM", StoreAbm}, {"BBM", StoreBbm}, {"VDM", StoreVdm}, {"VDO", StoreVdo},
    {"TXT", StoreTxt}, {"ABK", StoreAbk}, {"ALR", StoreAlr}, {"ACK", StoreAck}, {"MID", StoreMid},
    {"BDY", StoreBdy}, {"TST", StoreTst}, {"FRQ", StoreFrq}, {"BTH", StoreBth}, {"DBG", StoreDbg},
    {"TPS", StoreTps}, {"MOB", StoreMob},
};
constexpr auto kStoresByFormatter = IndexByFormatter(kStores);
static_assert(HasUniqueFormatters(kStoresByFormatter));

} // namespace

TalkerKind TalkerKindOf(const SentenceRecord& record)
{
    struct TalkerEntry {
        char talker[3];
        TalkerKind kind;
    };
    static constexpr TalkerEntry kTalkers[] = {
        {"GP", tkGP}, {"GL", tkGL}, {"GN", tkGN}, {"LC", tkLC}, {"IN", tkIN},
    };
    for (const TalkerEntry& entry : kTalkers)
        if (std::memcmp(entry.talker, record.talker, sizeof entry.talker) == 0)
            return entry.kind;
    return tkOther;
}

void StoreSentence(const SentenceRecord& record, LatestValues& latest)
{
    const SentenceGroup group = ClassifySentence(record);
    switch (group) {
    case sgGnss:
        latest.gnss.talker = TalkerKindOf(record);
        std::memcpy(latest.gnss.lastFormatter, record.formatter, sizeof latest.gnss.lastFormatter);
        break;
    case sgHeadingSpeed: latest.heading.talker = TalkerKindOf(record); break;
    case sgAis: latest.ais.talker = TalkerKindOf(record); break;
    case sgProprietary: break;
    default: return;
    }
    if (const StoreEntry* entry = FindFormatter(kStoresByFormatter, record.formatter))
        entry->store(record, latest);
}

} // namespace nmea
