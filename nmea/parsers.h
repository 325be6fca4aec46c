#pragma once
// One parser per accepted formatter. Each takes the validated, normalised line (from its "$" or
// the "$P" of a rewritten proprietary sentence), writes its formatter's fields into the record
// and accepts (true) or rejects (false) the sentence. Only ParseSentence calls them.

#include "nmea/sentence_record.h"

namespace nmea {

using SentenceParser = bool (*)(char* line, SentenceRecord& record);

// Navigation sentences.
bool ParseDtm(char* line, SentenceRecord& record);
bool ParseGbs(char* line, SentenceRecord& record);
bool ParseGga(char* line, SentenceRecord& record);
bool ParseGll(char* line, SentenceRecord& record);
bool ParseGns(char* line, SentenceRecord& record);
bool ParseGrs(char* line, SentenceRecord& record);
bool ParseGsa(char* line, SentenceRecord& record);
bool ParseGst(char* line, SentenceRecord& record);
bool ParseGsv(char* line, SentenceRecord& record);
bool ParseHdt(char* line, SentenceRecord& record);
bool ParseOsd(char* line, SentenceRecord& record);
bool ParseRma(char* line, SentenceRecord& record);
bool ParseRmc(char* line, SentenceRecord& record);
bool ParseRot(char* line, SentenceRecord& record);
bool ParseVbw(char* line, SentenceRecord& record);
bool ParseVtg(char* line, SentenceRecord& record);
bool ParseWpl(char* line, SentenceRecord& record);
bool ParseZda(char* line, SentenceRecord& record);

// AIS-related sentences and the query.
bool ParseAbk(char* line, SentenceRecord& record);
bool ParseAbm(char* line, SentenceRecord& record);
bool ParseAca(char* line, SentenceRecord& record);
bool ParseAck(char* line, SentenceRecord& record);
bool ParseAcs(char* line, SentenceRecord& record);
bool ParseAlr(char* line, SentenceRecord& record);
bool ParseBbm(char* line, SentenceRecord& record);
bool ParseQuery(char* line, SentenceRecord& record);
bool ParseSsd(char* line, SentenceRecord& record);
bool ParseTxt(char* line, SentenceRecord& record);
bool ParseVdm(char* line, SentenceRecord& record);
bool ParseVdo(char* line, SentenceRecord& record);
bool ParseVsd(char* line, SentenceRecord& record);

// The receiver maker's proprietary sentences, parsed after the "$PCVN," rewrite.
bool ParseAiq(char* line, SentenceRecord& record);
bool ParseBdy(char* line, SentenceRecord& record);
bool ParseBth(char* line, SentenceRecord& record);
bool ParseDbg(char* line, SentenceRecord& record);
bool ParseFrq(char* line, SentenceRecord& record);
bool ParseMid(char* line, SentenceRecord& record);
bool ParseMob(char* line, SentenceRecord& record);
bool ParseSmg(char* line, SentenceRecord& record);
bool ParseTps(char* line, SentenceRecord& record);
bool ParseTst(char* line, SentenceRecord& record);

} // namespace nmea
