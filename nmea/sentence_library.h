#pragma once
// The sentence library's process-wide state and its entry point. The app creates one
// SentenceLibrary at start-up (it is large: hold it in a member or on the heap); tests and
// tools create fresh ones. Not reentrant: finish one line before handing over the next.
//
//   auto library = std::make_unique<nmea::SentenceLibrary>();
//   if (library->ProcessSentence(line)) {
//       if (nmea::ClassifySentence(library->record) == nmea::sgGnss) ... library->latest.gnss ...
//   }

#include <string_view>

#include "nmea/ais_state.h"
#include "nmea/fields.h"
#include "nmea/fragment_assembly.h"
#include "nmea/latest_values.h"
#include "nmea/sentence_record.h"

namespace nmea {

class SentenceLibrary
{
public:
    // Takes one received line with its CR LF (the receive path hands over at most 84 bytes).
    // True when the sentence was accepted and, for a "!" sentence, completed and decoded an AIS
    // message. An accepted "$" sentence discards a partly assembled AIS message.
    bool ProcessSentence(std::string_view line);

    SentenceRecord record{}; // the last parsed sentence
    LatestValues latest{};   // latest values per group; latest.gnss for the GPS pages
    AisFragmentBuffer fragments{};
    AisState ais; // bit buffer, decoded message, layouts and target table

private:
    bool ProcessEncapsulated();

    char line_[kLineCapacity + 1] = {}; // the line being parsed, modified in place
};

} // namespace nmea
