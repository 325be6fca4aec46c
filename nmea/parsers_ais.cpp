// Parsers of the AIS-related sentences (encapsulated messages, station settings, alarms, texts)
// and of the query sentence.

#include <cstring>
#include <initializer_list>

#include "nmea/fields.h"
#include "nmea/parsers.h"

namespace nmea {

namespace {

bool Within(int value, int low, int high)
{
    return value >= low && value <= high;
}

// Total, sentence number and sequential identifier that start every encapsulated sentence.
bool ReadFragmentHeader(FieldCursor& fields, EncapsulatedFields& out)
{
    out.total = ReadByte(fields.Next());
    if (!Within(out.total, 0, 9))
        return false;
    out.number = ReadByte(fields.Next());
    if (!Within(out.number, 0, 9))
        return false;
    const char* sequentialId = fields.Next();
    out.sequentialId = ReadByte(sequentialId);
    return IsEmptyField(sequentialId) || Within(out.sequentialId, 0, 9);
}

// The armoured payload, at most 62 characters (63 in a multi-sentence message with a
// sequential identifier), so it always fits the record.
bool ReadPayload(const char* field, EncapsulatedFields& out)
{
    const std::size_t limit = Within(out.sequentialId, 1, 9) ? 63 : 62;
    const std::size_t length = std::strlen(field);
    if (length > limit)
        return false;
    static_assert(sizeof out.payload > 63);
    std::memcpy(out.payload, field, length + 1); // as ReadText would, without measuring again
    return true;
}

bool ReadFillBits(const char* field, EncapsulatedFields& out)
{
    out.fillBits = ReadByte(field);
    return Within(out.fillBits, 0, 5);
}

// VDM and VDO share one layout.
bool ParseVdmVdo(char* line, EncapsulatedFields& out)
{
    if (!HasCommaCount(line, 6))
        return false;
    out = EncapsulatedFields{};
    FieldCursor fields(line);
    if (!ReadFragmentHeader(fields, out))
        return false;
    out.channel = ReadChar(fields.Next(), kNoChar);
    if (!ReadPayload(fields.Next(), out))
        return false;
    return ReadFillBits(fields.Last(), out) && fields.Complete();
}

} // namespace

// $--ABK,xxxxxxxxx,a,x.x,x,x*hh
// $AIABK,211444000,A,8,0,1*22
bool ParseAbk(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 5))
        return false;
    AbkFields& abk = record.abk;
    FieldCursor fields(line);
    abk.mmsi = ReadLong(fields.Next(), 0);
    abk.channel = ReadByte(fields.Next());
    abk.messageId = ReadByte(fields.Next());
    abk.sequenceNumber = ReadByte(fields.Next());
    abk.ackType = ReadByte(fields.Last());
    return fields.Complete();
}

// !--ABM,x,x,x,xxxxxxxxx,x,x.x,s--s,x*hh
// !AIABM,1,1,0,211444000,A,12,E@EL5@hTppm=@TF@,0*35
bool ParseAbm(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 8))
        return false;
    EncapsulatedFields& abm = record.abm;
    abm = EncapsulatedFields{};
    FieldCursor fields(line);
    if (!ReadFragmentHeader(fields, abm))
        return false;
    abm.destinationMmsi = ReadLong(fields.Next(), 0);
    abm.channel = ReadChar(fields.Next(), kNoChar);
    abm.messageId = ReadByte(fields.Next());
    if (!ReadPayload(fields.Next(), abm))
        return false;
    return ReadFillBits(fields.Last(), abm) && fields.Complete();
}

// $--ACA,x,llll.ll,a,yyyyy.yy,a,llll.ll,a,yyyyy.yy,a,x,xxxx,x,xxxx,x,x,x,a,x,hhmmss.ss*hh
// $AIACA,0,5930.00,N,01030.00,E,5900.00,N,01100.00,E,4,2087,0,2088,0,0,0,B,1,123456*19
bool ParseAca(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 19))
        return false;
    AcaFields& aca = record.aca;
    FieldCursor fields(line);
    aca.sequence = ReadChar(fields.Next());
    ParseLatLon(fields, fields.Next(), aca.northEast);
    ParseLatLon(fields, fields.Next(), aca.southWest);
    aca.zoneSize = ReadChar(fields.Next());
    aca.channelA = ReadWord(fields.Next());
    aca.bandwidthA = ReadChar(fields.Next());
    aca.channelB = ReadWord(fields.Next());
    aca.bandwidthB = ReadChar(fields.Next());
    aca.txRxMode = ReadChar(fields.Next());
    aca.power = ReadChar(fields.Next());
    aca.source = ReadChar(fields.Next());
    aca.inUse = ReadChar(fields.Next());
    ParseUtcTime(fields.Last(), aca.inUseChanged);
    return fields.Complete();
}

// $--ACK,xxx*hh
// $AIACK,001*5C
bool ParseAck(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 1))
        return false;
    FieldCursor fields(line);
    record.ack.alarmId = ReadWord(fields.Last(), 1000);
    return fields.Complete();
}

// $--ACS,x,xxxxxxxxx,hhmmss.ss,xx,xx,xxxx*hh
// $AIACS,1,211444000,093012.00,14,06,2024*7E
bool ParseAcs(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 6))
        return false;
    AcsFields& acs = record.acs;
    FieldCursor fields(line);
    acs.sequence = ReadChar(fields.Next());
    acs.mmsi = ReadLong(fields.Next(), 0);
    ParseUtcTime(fields.Next(), acs.time);
    acs.day = ReadByte(fields.Next());
    acs.month = ReadByte(fields.Next());
    acs.year = ReadWord(fields.Last());
    return fields.Complete();
}

// $--ALR,hhmmss.ss,xxx,A,A,c--c*hh
// $AIALR,101010.00,002,V,V,AIS: Antenna VSWR exceeds limit*44
bool ParseAlr(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 5))
        return false;
    AlrFields& alr = record.alr;
    FieldCursor fields(line);
    ParseUtcTime(fields.Next(), alr.time);
    alr.alarmId = ReadWord(fields.Next());
    alr.condition = ReadChar(fields.Next());
    alr.ackState = ReadChar(fields.Next());
    ReadText(fields.Last(), alr.description, sizeof alr.description, true);
    return fields.Complete();
}

// !--BBM,x,x,x,x,x.x,s--s,x*hh
// !AIBBM,1,1,0,0,8,04a9M>1@PD5CD0,0*29
bool ParseBbm(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 7))
        return false;
    EncapsulatedFields& bbm = record.bbm;
    bbm = EncapsulatedFields{};
    FieldCursor fields(line);
    if (!ReadFragmentHeader(fields, bbm))
        return false;
    bbm.channel = static_cast<char>(ReadByte(fields.Next()));
    bbm.messageId = ReadByte(fields.Next());
    if (!ReadPayload(fields.Next(), bbm))
        return false;
    return ReadFillBits(fields.Last(), bbm) && fields.Complete();
}

// $--xxQ,c--c*hh keeps the whole data part as one text; only the nine-comma form is accepted.
// $AIGPQ,,,,,,,,,GGA*23
bool ParseQuery(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 9))
        return false;
    FieldCursor fields(line);
    ReadText(fields.Last(), record.query.text, sizeof record.query.text, true);
    return fields.Complete();
}

// $--SSD,c--c,c--c,xxx,xxx,xx,xx,c,aa*hh
// $AISSD,PD3312,CORVANA@@@@@@@@@@@@@,050,010,05,05,0,AI*61
bool ParseSsd(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 8))
        return false;
    SsdFields& ssd = record.ssd;
    FieldCursor fields(line);
    ReadText(fields.Next(), ssd.callSign, sizeof ssd.callSign, false);
    ReadText(fields.Next(), ssd.name, sizeof ssd.name, false);
    ssd.referenceA = ReadWord(fields.Next(), 512);
    ssd.referenceB = ReadWord(fields.Next(), 512);
    ssd.referenceC = ReadByte(fields.Next(), 64);
    ssd.referenceD = ReadByte(fields.Next(), 64);
    ssd.dte = ReadByte(fields.Next(), 2);
    ReadText(fields.Last(), ssd.source, sizeof ssd.source, true);
    return fields.Complete();
}

// $--TXT,xx,xx,xx,c--c*hh
// $PCVN,R,TXT,01,01,01,FIRMWARE=1.2.3*1C (a device reply, parsed as "$PTXT,...")
bool ParseTxt(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 4))
        return false;
    TxtFields& txt = record.txt;
    FieldCursor fields(line);
    for (std::int8_t* value : {&txt.total, &txt.number, &txt.textId}) {
        const char* field = fields.Next();
        *value = ReadByte(field);
        if (!IsEmptyField(field) && !Within(*value, 1, 99))
            return false;
    }
    ReadText(fields.Last(), txt.text, sizeof txt.text, true); // longer texts are cut to 61
    return fields.Complete();
}

// !--VDM,x,x,x,a,s--s,x*hh
// !AIVDM,1,1,,B,177KQJ5000G?tO`K>RA1wUbN0TKH,0*5C
bool ParseVdm(char* line, SentenceRecord& record)
{
    return ParseVdmVdo(line, record.vdm);
}

// !--VDO,x,x,x,a,s--s,x*hh
// !AIVDO,1,1,,,B39i>1000nTu;gQAlBj:wwS5kP06,0*5D
bool ParseVdo(char* line, SentenceRecord& record)
{
    return ParseVdmVdo(line, record.vdo);
}

// $--VSD,x.x,x.x,x.x,c--c,hhmmss.ss,xx,xx,x.x,x.x*hh
// $AIVSD,036,00.0,0000,@@@@@@@@@@@@@@@@@@@@,000000.00,00,00,00,00*60
bool ParseVsd(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 9))
        return false;
    VsdFields& vsd = record.vsd;
    FieldCursor fields(line);
    const char* shipType = fields.Next();
    vsd.shipType =
        IsEmptyField(shipType) ? std::int16_t{256} : static_cast<std::int16_t>(ReadInt(shipType) & 0xFF);
    vsd.draught = ReadReal(fields.Next());
    vsd.persons = ReadWord(fields.Next(), 8192);
    ReadText(fields.Next(), vsd.destination, sizeof vsd.destination, false);
    ParseUtcTime(fields.Next(), vsd.eta);
    vsd.etaDay = ReadByte(fields.Next(), 32);
    vsd.etaMonth = ReadByte(fields.Next(), 13);
    vsd.navigationalStatus = ReadByte(fields.Next());
    vsd.regionalFlags = ReadByte(fields.Last());
    return fields.Complete();
}

} // namespace nmea
