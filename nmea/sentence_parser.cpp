#include "nmea/sentence_parser.h"

#include <cstring>

#include "nmea/checksum.h"
#include "nmea/fields.h"
#include "nmea/formatter_table.h"
#include "nmea/parsers.h"

namespace nmea {

namespace {

struct ParserEntry {
    char formatter[4];
    SentenceParser parse;
};

// Every formatter the library accepts, with its parser.
constexpr ParserEntry kParsers[] = {
    {"ABK", ParseAbk}, {"ABM", ParseAbm}, {"ACA", ParseAca}, {"ACK", ParseAck}, {"ACS", ParseAcs},
    {"AIQ", ParseAiq}, {"ALR", ParseAlr}, {"BBM", ParseBbm}, {"BDY", ParseBdy}, {"BTH", ParseBth},
    {"DBG", ParseDbg}, {"DTM", ParseDtm}, {"FRQ", ParseFrq}, {"GBS", ParseGbs}, {"GGA", ParseGga},
    {"GLL", ParseGll}, {"GNS", ParseGns}, {"GRS", ParseGrs}, {"GSA", ParseGsa}, {"GST", ParseGst},
    {"GSV", ParseGsv}, {"HDT", ParseHdt}, {"MID", ParseMid}, {"MOB", ParseMob}, {"OSD", ParseOsd},
    {"Q", ParseQuery}, {"RMA", ParseRma}, {"RMC", ParseRmc}, {"ROT", ParseRot}, {"SSD", ParseSsd},
    {"Smg", ParseSmg}, {"TPS", ParseTps}, {"TST", ParseTst}, {"TXT", ParseTxt}, {"VBW", ParseVbw},
    {"VDM", ParseVdm}, {"VDO", ParseVdo}, {"VSD", ParseVsd}, {"VTG", ParseVtg}, {"WPL", ParseWpl},
    {"ZDA", ParseZda},
};
constexpr auto kParsersByFormatter = IndexByFormatter(kParsers);
static_assert(HasUniqueFormatters(kParsersByFormatter));

struct GroupEntry {
    char formatter[4];
    SentenceGroup group;
};

constexpr GroupEntry kGroups[] = {
    {"GGA", sgGnss},         {"GLL", sgGnss},         {"GBS", sgGnss},         {"GSA", sgGnss},
    {"GSV", sgGnss},         {"RMC", sgGnss},         {"VTG", sgGnss},         {"ZDA", sgGnss},
    {"ROT", sgHeadingSpeed}, {"HDT", sgHeadingSpeed}, {"VBW", sgHeadingSpeed}, {"GNS", sgHeadingSpeed},
    {"LRI", sgLongRange},    {"LRF", sgLongRange},    {"LR1", sgLongRange},    {"LR2", sgLongRange},
    {"LR3", sgLongRange},    {"ABK", sgAis},          {"ACA", sgAis},          {"ACK", sgAis},
    {"ACS", sgAis},          {"ALR", sgAis},          {"SSD", sgAis},          {"VSD", sgAis},
    {"ABM", sgAis},          {"BBM", sgAis},          {"VDM", sgAis},          {"VDO", sgAis},
    {"TXT", sgAis},          {"DSC", sgDsc},          {"DSE", sgDsc},          {"DSI", sgDsc},
    {"DSR", sgDsc},          {"MID", sgProprietary},  {"BDY", sgProprietary},  {"TST", sgProprietary},
    {"FRQ", sgProprietary},  {"BTH", sgProprietary},  {"DBG", sgProprietary},  {"TPS", sgProprietary},
    {"MOB", sgProprietary},
};
constexpr auto kGroupsByFormatter = IndexByFormatter(kGroups);
static_assert(HasUniqueFormatters(kGroupsByFormatter));

bool SameFormatter(const char (&a)[4], const char (&b)[4])
{
    return std::memcmp(a, b, sizeof a) == 0;
}

// Up to three characters of `text` that lie before `end`, a ',' and the space that marks an
// empty field; the rest stays NUL. A formatter is never read from past its address field.
void CopyFormatter(char (&formatter)[4], const char* text, const char* end)
{
    for (int i = 0; i < 3 && text + i < end && text[i] != ',' && text[i] != ' '; ++i)
        formatter[i] = text[i];
}

} // namespace

bool ParseSentence(char* line, SentenceRecord& record)
{
    std::size_t length = std::strlen(line);
    if (length < 2 || line[length - 1] != '\n' || line[length - 2] != '\r')
        return false;
    if (!VerifyChecksum(line, length) || !MarkEmptyFields(line, length))
        return false;

    std::memset(record.talker, 0, sizeof record.talker);
    std::memset(record.formatter, 0, sizeof record.formatter);
    record.subKind = 0;
    record.start = line[0];

    // The address field ends at the first ',' or '*'; a line that passed the checksum test
    // holds a '*'. "$P*50" has a talker and no formatter, "$ABQ,RMC*22" the formatter "Q".
    const char* addressEnd = std::strpbrk(line + 1, ",*");
    char* body = line;
    if (line[1] == 'P') {
        record.talker[0] = 'P';
        CopyFormatter(record.formatter, line + 2, addressEnd);
        // Other makers' proprietary sentences are not ours to read.
        if (!SameFormatter(record.formatter, "CVN"))
            return false;
        // "$PCVN,R,TXT,..." continues as "$PTXT,..." with sub-kind 'R'; the sub-kind and the
        // inner formatter come from before the checksum, so "$PCVN*0B" stays "CVN".
        const char* checksum = std::strchr(line, '*');
        if (checksum - line <= 7)
            return false;
        record.subKind = line[6];
        line[6] = '$';
        line[7] = 'P';
        body = line + 6;
        std::memset(record.formatter, 0, sizeof record.formatter);
        CopyFormatter(record.formatter, body + 2, checksum);
    } else {
        const auto addressLength = addressEnd - line;
        record.talker[0] = addressLength > 1 ? line[1] : '\0';
        record.talker[1] = addressLength > 2 ? line[2] : '\0';
        if (addressLength > 5 && line[5] == 'Q')
            record.formatter[0] = 'Q';
        else
            CopyFormatter(record.formatter, line + 3, addressEnd);
    }

    const ParserEntry* parser = FindFormatter(kParsersByFormatter, record.formatter);
    return parser != nullptr && parser->parse(body, record);
}

SentenceGroup ClassifySentence(const SentenceRecord& record)
{
    const GroupEntry* entry = FindFormatter(kGroupsByFormatter, record.formatter);
    return entry != nullptr ? entry->group : sgNone;
}

const EncapsulatedFields* EncapsulatedOf(const SentenceRecord& record)
{
    if (SameFormatter(record.formatter, "VDM"))
        return &record.vdm;
    if (SameFormatter(record.formatter, "VDO"))
        return &record.vdo;
    if (SameFormatter(record.formatter, "ABM"))
        return &record.abm;
    if (SameFormatter(record.formatter, "BBM"))
        return &record.bbm;
    return nullptr;
}

} // namespace nmea
