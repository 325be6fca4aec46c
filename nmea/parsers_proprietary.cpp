// Parsers of the receiver maker's proprietary sentences. The device sends them as
// "$PCVN,<sub-kind>,<formatter>,..."; ParseSentence rewrites that to "$P<formatter>,..." first,
// which is the form shown in the field diagrams below.

#include <cstdint>
#include <cstring>

#include "nmea/fields.h"
#include "nmea/parsers.h"

namespace nmea {

namespace {

constexpr std::int32_t kNoNumber = 999999999;

// `count` bytes from the hexadecimal pairs at the start of `text`.
bool ParseHexPairs(const char* text, std::uint8_t* out, int count)
{
    for (int i = 0; i < count; ++i) {
        const char pair[3] = {text[2 * i], text[2 * i + 1], '\0'};
        if (!ParseHexByte(pair, out[i]))
            return false;
    }
    return true;
}

} // namespace

// $PAIQ,Smg,x*hh
// $PCVN,Q,AIQ,Smg,1*6B
bool ParseAiq(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 2))
        return false;
    FieldCursor fields(line);
    if (std::strcmp(fields.Next(), "Smg") != 0)
        return false;
    record.aiq.value = ReadByte(fields.Last());
    return fields.Complete();
}

// $PBDY,x,c--c,c--c,x,x*hh
// $PCVN,R,BDY,123456789,NORTH,SOUTH,1,0*00
bool ParseBdy(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 5))
        return false;
    BdyFields& bdy = record.bdy;
    FieldCursor fields(line);
    bdy.number = ReadLong(fields.Next(), kNoNumber);
    ReadText(fields.Next(), bdy.text1, sizeof bdy.text1, false);
    ReadText(fields.Next(), bdy.text2, sizeof bdy.text2, false);
    bdy.byte1 = ReadByte(fields.Next(), 9);
    bdy.byte2 = ReadByte(fields.Last(), 9);
    return fields.Complete();
}

// $PBTH,x,x,x,x,x,x,c--c*hh
// $PCVN,R,BTH,1,2,3,4,5,6,PAIRED*27
bool ParseBth(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 7))
        return false;
    BthFields& bth = record.bth;
    FieldCursor fields(line);
    for (std::int16_t& value : bth.values)
        value = ReadWord(fields.Next(), 256);
    ReadText(fields.Last(), bth.text, sizeof bth.text, false);
    return fields.Complete();
}

// $PDBG,x,x,x,x,x,x,x,x*hh  (four pairs of a small number and a 32-bit value)
// $PCVN,D,DBG,1,100,2,200,3,300,4,400*0E
bool ParseDbg(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 8))
        return false;
    DbgFields& dbg = record.dbg;
    FieldCursor fields(line);
    for (int i = 0; i < 4; ++i) {
        dbg.word[i] = ReadWord(fields.Next(), 999);
        dbg.number[i] = ReadLong(i == 3 ? fields.Last() : fields.Next(), INT32_MIN);
    }
    return fields.Complete();
}

// $PFRQ,x,x,x,x*hh
// $PCVN,R,FRQ,161975000,1,162025000,1*13
bool ParseFrq(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 4))
        return false;
    FrqFields& frq = record.frq;
    FieldCursor fields(line);
    frq.number1 = ReadLong(fields.Next(), kNoNumber);
    frq.byte1 = ReadByte(fields.Next());
    frq.number2 = ReadLong(fields.Next(), kNoNumber);
    frq.byte2 = ReadByte(fields.Last());
    return fields.Complete();
}

// $PMID,x,x*hh
// $PCVN,R,MID,211444000,970012345*10
bool ParseMid(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 2))
        return false;
    FieldCursor fields(line);
    record.mid.number1 = ReadLong(fields.Next(), kNoNumber);
    record.mid.number2 = ReadLong(fields.Last(), kNoNumber);
    return fields.Complete();
}

// $PMOB,hhhhhh,x,hh,hh,h--h*hh  (identifier, a byte, a hex byte, an optional hex byte, data)
// $PCVN,R,MOB,A1B2C3,5,0F,,0102*05
bool ParseMob(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 5))
        return false;
    MobFields& mob = record.mob;
    FieldCursor fields(line);
    const char* id = fields.Next();
    if (std::strlen(id) == 6) {
        if (!ParseHexPairs(id, mob.id, 3))
            return false;
    } else {
        mob.id[0] = mob.id[1] = mob.id[2] = 0;
    }
    mob.byte1 = ReadUnsignedByte(fields.Next(), 255);

    const char* hexByte = fields.Next();
    if (IsEmptyField(hexByte))
        mob.byte2 = 255;
    else if (std::strlen(hexByte) <= 2 && !ParseHexByte(hexByte, mob.byte2))
        return false;

    const char* optional = fields.Next();
    if (IsEmptyField(optional)) {
        mob.optionalPresent = 0;
    } else if (std::strlen(optional) <= 2) {
        if (!ParseHexByte(optional, mob.optional))
            return false;
        mob.optionalPresent = 1;
    }

    const char* data = fields.Last();
    const std::size_t length = std::strlen(data);
    mob.dataCount = 0;
    if (!IsEmptyField(data) && length % 2 == 0 && length < 20) {
        const int count = static_cast<int>(length / 2);
        if (ParseHexPairs(data, mob.data, count))
            mob.dataCount = static_cast<std::uint8_t>(count);
    }
    return fields.Complete();
}

// $PSmg,c--c,x*hh
// $PCVN,R,Smg,SELF TEST PASSED,0*2A
bool ParseSmg(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 2))
        return false;
    FieldCursor fields(line);
    ReadText(fields.Next(), record.smg.text, sizeof record.smg.text, true);
    record.smg.number = ReadLong(fields.Last(), 0);
    return fields.Complete();
}

// $PTPS,x,c--c*hh
// $PCVN,R,TPS,12,READY*46
bool ParseTps(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 2))
        return false;
    FieldCursor fields(line);
    record.tps.number = ReadWord(fields.Next(), 999);
    ReadText(fields.Last(), record.tps.text, sizeof record.tps.text, false);
    return fields.Complete();
}

// $PTST,x,x,a,a,x*hh
// $PCVN,R,TST,12345,1,P,A,16*30
bool ParseTst(char* line, SentenceRecord& record)
{
    if (!HasCommaCount(line, 5))
        return false;
    TstFields& tst = record.tst;
    FieldCursor fields(line);
    tst.number = ReadLong(fields.Next(), 99999);
    tst.byte = ReadByte(fields.Next(), 99);
    tst.char1 = ReadChar(fields.Next());
    tst.char2 = ReadChar(fields.Next());
    tst.word = ReadWord(fields.Last());
    return fields.Complete();
}

} // namespace nmea
