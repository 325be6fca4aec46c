// Parsers of the navigation sentences: position, time, satellites, course and speed.

#include <cstring>

#include "nmea/fields.h"
#include "nmea/parsers.h"

namespace nmea {

namespace {

// A range test that lets the empty-field mark through.
bool EmptyOrWithin(const char* field, int value, int low, int high)
{
    return IsEmptyField(field) || (value >= low && value <= high);
}

// The identifier fields that NMEA 4.10 receivers append after the fields read here: 0 for the
// line with `commas` commas, `ids` for the line with that many more, -1 for any other line.
int TrailingIds(const char* line, int commas, int ids)
{
    const int found = CountCommas(line);
    return found == commas ? 0 : found == commas + ids ? ids : -1;
}

// Unit fields of VTG must be exactly one character.
bool IsSingleCharacter(const char* field)
{
    return field[0] != '\0' && field[1] == '\0';
}

} // namespace

// $--DTM,ccc,a,x.x,a,x.x,a,x.x,ccc*hh
// $GPDTM,W84,,0.0,N,0.0,E,0.0,W84*6F
bool ParseDtm(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 8))
        return false;
    DtmFields& dtm = record.dtm;
    FieldCursor fields(line);
    ReadText(fields.Next(), dtm.localDatum, sizeof dtm.localDatum, true);
    dtm.subdivision = ReadChar(fields.Next());
    ParseLatLon(fields, fields.Next(), dtm.offset);
    dtm.altitudeOffset = static_cast<float>(ReadDouble(fields.Next()));
    ReadText(fields.Last(), dtm.referenceDatum, sizeof dtm.referenceDatum, true);
    return fields.Complete();
}

// $--GBS,hhmmss.ss,x.x,x.x,x.x,xx,x.x,x.x,x.x[,h,h]*hh  (NMEA 4.10 appends the system and
// signal identifiers, which are not read)
// $GPGBS,015509.00,-0.031,-0.186,0.219,19,0.000,-0.354,6.972*4D
// $GNGBS,223745.00,1.0,1.0,3.1,,,,,,*58
bool ParseGbs(char* line, SentenceRecord& record)
{
    const int trailing = TrailingIds(line, 8, 2);
    if (trailing < 0)
        return false;
    GbsFields& gbs = record.gbs;
    FieldCursor fields(line);
    ParseUtcTime(fields.Next(), gbs.time);
    gbs.errorLatitude = ReadReal(fields.Next());
    gbs.errorLongitude = ReadReal(fields.Next());
    gbs.errorAltitude = ReadReal(fields.Next());
    gbs.failedSatellite = ReadUnsignedByte(fields.Next(), 255);
    gbs.probability = ReadReal(fields.Next());
    gbs.bias = ReadReal(fields.Next());
    gbs.biasStdDev = ReadReal(fields.Last(trailing));
    return fields.Complete();
}

// $--GGA,hhmmss.ss,llll.ll,a,yyyyy.yy,a,x,xx,x.x,x.x,M,x.x,M,x.x,xxxx*hh
// $GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47
bool ParseGga(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 14))
        return false;
    GgaFields& gga = record.gga;
    FieldCursor fields(line);
    ParseUtcTime(fields.Next(), gga.time);
    ParseLatLon(fields, fields.Next(), gga.position);
    gga.quality = ReadByte(fields.Next());
    const char* used = fields.Next();
    gga.satellitesUsed = ReadByte(used);
    if (!IsEmptyField(used) && (gga.satellitesUsed < 0 || gga.satellitesUsed > 12))
        gga.satellitesUsed = 0;
    const char* hdop = fields.Next();
    gga.hdop = ReadReal(hdop);
    if (!IsEmptyField(hdop) && (gga.hdop < 0.0f || gga.hdop > 99.9f))
        gga.hdop = 99.9f;
    gga.altitude = ReadReal(fields.Next());
    gga.altitudeUnit = ReadChar(fields.Next());
    gga.geoidalSeparation = ReadReal(fields.Next());
    gga.separationUnit = ReadChar(fields.Next());
    gga.differentialAge = ReadReal(fields.Next());
    const char* station = fields.Last();
    gga.differentialStation = ReadWord(station);
    if (!IsEmptyField(station) && (gga.differentialStation < 0 || gga.differentialStation > 1023))
        gga.differentialStation = 1023;
    return fields.Complete();
}

// $--GLL,llll.ll,a,yyyyy.yy,a,hhmmss.ss,A,a*hh
// $GPGLL,4916.45,N,12311.12,W,225444,A,A*5C
bool ParseGll(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 7))
        return false;
    GllFields& gll = record.gll;
    FieldCursor fields(line);
    ParseLatLon(fields, fields.Next(), gll.position);
    ParseUtcTime(fields.Next(), gll.time);
    gll.status = ReadChar(fields.Next());
    gll.mode = ReadChar(fields.Last());
    return fields.Complete();
}

// $--GNS,hhmmss.ss,llll.ll,a,yyyyy.yy,a,c--c,xx,x.x,x.x,x.x,x.x,x.x*hh
// $GNGNS,122310.2,3722.425671,N,12258.856215,W,AA,14,0.9,1005.543,6.5,,*74
bool ParseGns(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 12))
        return false;
    GnsFields& gns = record.gns;
    FieldCursor fields(line);
    ParseUtcTime(fields.Next(), gns.time);
    ParseLatLon(fields, fields.Next(), gns.position);
    const char* mode = fields.Next();
    gns.mode[0] = mode[0];
    gns.mode[1] = mode[0] != '\0' ? mode[1] : '\0';
    const char* used = fields.Next();
    gns.satellitesInUse[0] = used[0];
    gns.satellitesInUse[1] = used[0] != '\0' ? used[1] : '\0';
    const char* hdop = fields.Next();
    gns.hdop = ReadReal(hdop);
    if (!IsEmptyField(hdop) && !(gns.hdop >= 0.0f && gns.hdop <= 99.9f))
        return false;
    gns.altitude = ReadReal(fields.Next());
    gns.geoidalSeparation = ReadReal(fields.Next());
    gns.differentialAge = ReadReal(fields.Next());
    gns.differentialStation = ReadReal(fields.Last());
    return fields.Complete();
}

// $--GRS,hhmmss.ss,m,x.x,x.x,x.x,x.x,x.x,x.x,x.x,x.x,x.x,x.x,x.x,x.x*hh
// $GPGRS,024603.00,1,-1.8,-2.7,0.3,,,,,,,,,*6C
bool ParseGrs(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 14))
        return false;
    GrsFields& grs = record.grs;
    FieldCursor fields(line);
    ParseUtcTime(fields.Next(), grs.time);
    grs.residualMode = ReadChar(fields.Next());
    for (int i = 0; i < 11; ++i)
        grs.residual[i] = ReadReal(fields.Next());
    grs.residual[11] = ReadReal(fields.Last());
    return fields.Complete();
}

// $--GSA,a,x,xx,xx,xx,xx,xx,xx,xx,xx,xx,xx,xx,xx,x.x,x.x,x.x[,h]*hh  (NMEA 4.10 appends the
// system identifier, which is not read)
// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39
// $GNGSA,A,3,29,20,18,16,51,13,44,26,,,,,0.99,0.54,0.83,1*0E
bool ParseGsa(char* line, SentenceRecord& record)
{
    const int trailing = TrailingIds(line, 17, 1);
    if (trailing < 0)
        return false;
    GsaFields& gsa = record.gsa;
    FieldCursor fields(line);
    gsa.selectionMode = ReadChar(fields.Next());
    gsa.fixMode = static_cast<std::int8_t>(ReadInt(fields.Next()));
    for (std::int8_t& prn : gsa.prn)
        prn = ReadByte(fields.Next());
    gsa.pdop = ReadReal(fields.Next());
    gsa.hdop = ReadReal(fields.Next());
    gsa.vdop = ReadReal(fields.Last(trailing));
    return fields.Complete();
}

// $--GST,hhmmss.ss,x.x,x.x,x.x,x.x,x.x,x.x,x.x*hh
// $GPGST,172814.0,0.006,0.023,0.020,273.6,0.023,0.020,0.031*6A
bool ParseGst(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 8))
        return false;
    GstFields& gst = record.gst;
    FieldCursor fields(line);
    ParseUtcTime(fields.Next(), gst.time);
    gst.rmsRange = ReadReal(fields.Next());
    gst.semiMajor = ReadReal(fields.Next());
    gst.semiMinor = ReadReal(fields.Next());
    gst.orientation = ReadReal(fields.Next());
    gst.latitudeError = ReadReal(fields.Next());
    gst.longitudeError = ReadReal(fields.Next());
    gst.altitudeError = ReadReal(fields.Last());
    return fields.Complete();
}

// $--GSV,x,x,xx,xx,xx,xxx,xx,...,xx,xx,xxx,xx[,h]*hh  (one to four blocks of PRN, elevation,
// azimuth and SNR; NMEA 4.10 appends the signal identifier, which is not read)
// $GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45*75
// $GPGSV,3,3,12,26,65,188,41,27,39,287,40,29,15,092,31,31,01,199,39,0*6D
bool ParseGsv(char* line, SentenceRecord& record)
{
    GsvFields& gsv = record.gsv;
    gsv.sentenceCount = gsv.sentenceNumber = gsv.satellitesInView = gsv.blockCount = kNoByte;
    for (int k = 0; k < 4; ++k) {
        gsv.prn[k] = gsv.elevation[k] = gsv.snr[k] = kNoByte;
        gsv.azimuth[k] = kNoWord;
    }
    // 7, 11, 15 or 19 commas carry one to four satellite blocks, one more the signal
    // identifier after them.
    const int allCommas = CountCommas(line);
    const int trailing = allCommas >= 8 && (allCommas - 8) % 4 == 0 ? 1 : 0;
    const int commas = allCommas - trailing;
    if (commas < 7 || commas > 19 || (commas - 7) % 4 != 0)
        return false;
    const int blocks = (commas - 3) / 4;
    gsv.blockCount = static_cast<std::int8_t>(blocks);

    FieldCursor fields(line);
    gsv.sentenceCount = static_cast<std::int8_t>(ReadInt(fields.Next()));
    if (gsv.sentenceCount < 0 || gsv.sentenceCount > 9)
        return false;
    gsv.sentenceNumber = static_cast<std::int8_t>(ReadInt(fields.Next()));
    if (gsv.sentenceNumber < 0 || gsv.sentenceNumber > 9)
        return false;
    gsv.satellitesInView = static_cast<std::int8_t>(ReadInt(fields.Next()));
    for (int k = 0; k < blocks; ++k) {
        gsv.prn[k] = ReadByte(fields.Next());
        const char* elevation = fields.Next();
        gsv.elevation[k] = ReadByte(elevation);
        if (!EmptyOrWithin(elevation, gsv.elevation[k], 0, 90))
            return false;
        const char* azimuth = fields.Next();
        gsv.azimuth[k] = ReadWord(azimuth);
        if (!EmptyOrWithin(azimuth, gsv.azimuth[k], 0, 359))
            return false;
        const char* snr = k == blocks - 1 ? fields.Last(trailing) : fields.Next();
        gsv.snr[k] = ReadByte(snr);
        if (!EmptyOrWithin(snr, gsv.snr[k], 0, 99))
            return false;
    }
    return fields.Complete();
}

// $--HDT,x.x,T*hh
// $HEHDT,274.07,T*19
bool ParseHdt(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 2))
        return false;
    FieldCursor fields(line);
    record.hdt.heading = ReadReal(fields.Next(), 511.0f);
    record.hdt.unit = ReadChar(fields.Last());
    return fields.Complete();
}

// $--OSD,x.x,A,x.x,a,x.x,a,x.x,x.x,a*hh  (empty reals read 0)
// $RAOSD,35.1,A,36.0,P,10.2,P,15.3,0.1,N*41
bool ParseOsd(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 9))
        return false;
    OsdFields& osd = record.osd;
    FieldCursor fields(line);
    osd.heading = static_cast<float>(ReadDouble(fields.Next()));
    osd.headingStatus = ReadChar(fields.Next());
    osd.course = static_cast<float>(ReadDouble(fields.Next()));
    osd.courseReference = ReadChar(fields.Next());
    osd.speed = static_cast<float>(ReadDouble(fields.Next()));
    osd.speedReference = ReadChar(fields.Next());
    osd.set = static_cast<float>(ReadDouble(fields.Next()));
    osd.drift = static_cast<float>(ReadDouble(fields.Next()));
    osd.speedUnits = ReadChar(fields.Last());
    return fields.Complete();
}

// $--RMA,A,llll.ll,a,yyyyy.yy,a,x.x,x.x,x.x,x.x,x.x,a*hh  (fields after the position unread)
// $GPRMA,A,4916.45,N,12311.12,W,,,,,,*05
bool ParseRma(char* line, SentenceRecord& record)
{
    FieldCursor fields(line);
    record.rma.status = ReadChar(fields.Next());
    ParseLatLon(fields, fields.Next(), record.rma.position);
    return fields.Complete();
}

// $--RMC,hhmmss.ss,A,llll.ll,a,yyyyy.yy,a,x.x,x.x,ddmmyy,x.x,a[,m[,s]]*hh
// $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A
bool ParseRmc(char* line, SentenceRecord& record)
{
    const int commas = CountCommas(line);
    if (commas < 11 || commas > 13)
        return false;
    RmcFields& rmc = record.rmc;
    FieldCursor fields(line);
    ParseUtcTime(fields.Next(), rmc.time);
    rmc.status = ReadChar(fields.Next());
    ParseLatLon(fields, fields.Next(), rmc.position);
    rmc.speed = ReadReal(fields.Next());
    rmc.course = ReadReal(fields.Next());
    ParseDate(fields.Next(), rmc.date);
    rmc.variation = ReadReal(fields.Next());
    if (commas == 11) {
        rmc.variationDirection = ReadChar(fields.Last(), kNoChar);
        rmc.mode = 'A';
    } else {
        rmc.variationDirection = ReadChar(fields.Next(), kNoChar);
        if (commas == 12) {
            rmc.mode = ReadChar(fields.Last());
        } else {
            rmc.mode = ReadChar(fields.Next());
            rmc.navigationalStatus = ReadChar(fields.Last());
        }
    }
    return fields.Complete();
}

// $--ROT,x.x,A*hh
// $GPROT,35.6,A*01
bool ParseRot(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 2))
        return false;
    FieldCursor fields(line);
    record.rot.rate = ReadReal(fields.Next());
    record.rot.status = ReadChar(fields.Last());
    return fields.Complete();
}

// $--VBW,x.x,x.x,A,x.x,x.x,A*hh  (empty reals read 0)
// $VDVBW,12.3,0.07,A,11.78,0.12,A*6A
bool ParseVbw(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 6))
        return false;
    VbwFields& vbw = record.vbw;
    FieldCursor fields(line);
    vbw.waterLongitudinal = static_cast<float>(ReadDouble(fields.Next()));
    vbw.waterTransverse = static_cast<float>(ReadDouble(fields.Next()));
    vbw.waterStatus = ReadChar(fields.Next());
    vbw.groundLongitudinal = static_cast<float>(ReadDouble(fields.Next()));
    vbw.groundTransverse = static_cast<float>(ReadDouble(fields.Next()));
    vbw.groundStatus = ReadChar(fields.Last());
    return fields.Complete();
}

// $--VTG,x.x,T,x.x,M,x.x,N,x.x,K,m*hh
// $GPVTG,054.7,T,034.4,M,005.5,N,010.2,K,A*25
bool ParseVtg(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 9))
        return false;
    VtgFields& vtg = record.vtg;
    FieldCursor fields(line);
    // The first three unit letters store an empty field as -128; the km/h one as read.
    const auto readUnit = [&fields](char& unit, bool markEmpty) {
        const char* field = fields.Next();
        if (!IsSingleCharacter(field))
            return false;
        unit = markEmpty ? ReadChar(field, kNoChar) : field[0];
        return true;
    };
    vtg.courseTrue = ReadReal(fields.Next());
    if (!readUnit(vtg.courseTrueUnit, true))
        return false;
    vtg.courseMagnetic = ReadReal(fields.Next());
    if (!readUnit(vtg.courseMagneticUnit, true))
        return false;
    vtg.speedKnots = ReadReal(fields.Next());
    if (!readUnit(vtg.speedKnotsUnit, true))
        return false;
    vtg.speedKmh = ReadReal(fields.Next());
    if (!readUnit(vtg.speedKmhUnit, false))
        return false;
    vtg.mode = ReadChar(fields.Last());
    return fields.Complete();
}

// $--WPL,llll.ll,a,yyyyy.yy,a,c--c*hh
// $GPWPL,4807.038,N,01131.000,E,WPTNME*5C
bool ParseWpl(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 5))
        return false;
    FieldCursor fields(line);
    ParseLatLon(fields, fields.Next(), record.wpl.position);
    ReadText(fields.Last(), record.wpl.identifier, sizeof record.wpl.identifier, true);
    return fields.Complete();
}

// $--ZDA,hhmmss.ss,xx,xx,xxxx,xx,xx*hh
// $GPZDA,201530.00,04,07,2002,00,00*60
bool ParseZda(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 6))
        return false;
    ZdaFields& zda = record.zda;
    FieldCursor fields(line);
    ParseUtcTime(fields.Next(), zda.time);
    const char* day = fields.Next();
    zda.day = ReadByte(day);
    if (!EmptyOrWithin(day, zda.day, 1, 31))
        return false;
    const char* month = fields.Next();
    zda.month = ReadByte(month);
    if (!EmptyOrWithin(month, zda.month, 1, 12))
        return false;
    zda.year = ReadWord(fields.Next());
    const char* zoneHours = fields.Next();
    zda.zoneHours = ReadByte(zoneHours);
    if (!EmptyOrWithin(zoneHours, zda.zoneHours, -13, 13))
        return false;
    const char* zoneMinutes = fields.Last();
    zda.zoneMinutes = ReadByte(zoneMinutes);
    if (!EmptyOrWithin(zoneMinutes, zda.zoneMinutes, 0, 59))
        return false;
    return fields.Complete();
}

} // namespace nmea
