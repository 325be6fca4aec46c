#pragma once
// Validation, identification and dispatch of one received line, and the group of a formatter.

#include "nmea/sentence_record.h"

namespace nmea {

// Checks framing (CR LF end), checksum and length, marks empty fields, identifies talker and
// formatter (rewriting "$PCVN,<k>,<fmt>," to "$P<fmt>,") and runs the formatter's parser.
// `line` is modified in place and needs kLineCapacity bytes. False when the line is rejected.
bool ParseSentence(char* line, SentenceRecord& record);

// The group of the record's formatter; sgNone when it is in no group.
SentenceGroup ClassifySentence(const SentenceRecord& record);

} // namespace nmea
