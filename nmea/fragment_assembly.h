#pragma once
// Joins the payloads of multi-sentence VDM, VDO, ABM and BBM messages.

#include <cstddef>
#include <cstdint>

#include "nmea/sentence_record.h"

namespace nmea {

inline constexpr std::size_t kFragmentPayloadCapacity = 173; // 172 characters and NUL
inline constexpr std::size_t kMaxMessagePayload = 168;       // 1008 bits, the longest message

struct AisFragmentBuffer {
    std::int8_t total;
    std::int8_t number;
    std::int8_t sequentialId; // kNoByte when the field was empty
    char channel;
    char payload[kFragmentPayloadCapacity];
    std::int8_t fillBits;
    char formatter[4]; // "VDM", "VDO", "ABM" or "BBM"
};

// True when `next` continues the message held in `held`.
bool IsNextFragment(const AisFragmentBuffer& held, const AisFragmentBuffer& next);

// Adds the fragment of an accepted VDM, VDO, ABM or BBM record to `buffer`. True when the
// buffer now holds a complete message (payload at most 168 characters, joined fill bits set).
bool AssembleFragment(const SentenceRecord& record, AisFragmentBuffer& buffer);

} // namespace nmea
