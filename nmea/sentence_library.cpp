#include "nmea/sentence_library.h"

#include <cstring>

#include "nmea/sentence_parser.h"

namespace nmea {

bool SentenceLibrary::ProcessSentence(std::string_view line)
{
    // Longer lines could not pass the empty-field marking anyway; never copy past the buffer.
    if (line.size() >= kLineCapacity)
        return false;
    std::memcpy(line_, line.data(), line.size());
    line_[line.size()] = '\0';

    if (!ParseSentence(line_, record))
        return false;
    StoreSentence(record, latest);
    if (record.start != '!') {
        fragments = AisFragmentBuffer{};
        ais.message = AisMessage{};
        return true;
    }
    return ProcessEncapsulated();
}

// Assembles, de-armours and decodes the payload, then updates the sender's target entry.
bool SentenceLibrary::ProcessEncapsulated()
{
    if (!AssembleFragment(record, fragments))
        return false;
    if (!Dearmour(fragments, ais.bits))
        return false;
    if (!DecodeAisFields(ais.layouts, ais.bits, ais.message))
        return false;
    // All four bytes: the formatter is "VDO" and its NUL.
    const bool ownShip = std::memcmp(record.formatter, "VDO", sizeof record.formatter) == 0;
    const int index = UpdateTarget(ais.targets, ais.message, fragments.channel, 0, ownShip);
    if (index >= 0) {
        AisTarget& target = ais.targets.entries[static_cast<std::size_t>(index)];
        if (ownShip)
            ++target.vdoCount;
        else
            ++target.vdmCount;
    }
    return true;
}

} // namespace nmea
