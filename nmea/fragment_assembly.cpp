#include "nmea/fragment_assembly.h"

#include <cstring>

namespace nmea {

namespace {

AisFragmentBuffer FragmentOf(const SentenceRecord& record, const EncapsulatedFields& fields)
{
    AisFragmentBuffer fragment{};
    fragment.total = fields.total;
    fragment.number = fields.number;
    fragment.sequentialId = fields.sequentialId;
    fragment.channel = fields.channel;
    fragment.fillBits = fields.fillBits;
    static_assert(sizeof fields.payload <= sizeof fragment.payload);
    std::memcpy(fragment.payload, fields.payload, sizeof fields.payload);
    fragment.payload[sizeof fields.payload - 1] = '\0';
    std::memcpy(fragment.formatter, record.formatter, sizeof fragment.formatter);
    return fragment;
}

bool IsComplete(const AisFragmentBuffer& buffer)
{
    return std::strlen(buffer.payload) <= kMaxMessagePayload;
}

}  // namespace

bool IsNextFragment(const AisFragmentBuffer& held, const AisFragmentBuffer& next)
{
    return std::memcmp(held.formatter, next.formatter, sizeof held.formatter) == 0 &&
           held.total == next.total && held.sequentialId == next.sequentialId &&
           next.number == held.number + 1;
}

bool AssembleFragment(const SentenceRecord& record, AisFragmentBuffer& buffer)
{
    const EncapsulatedFields* fields = EncapsulatedOf(record);
    if (fields == nullptr)
        return false;
    const AisFragmentBuffer fragment = FragmentOf(record, *fields);

    if (!IsNextFragment(buffer, fragment)) {
        buffer = fragment;
        return fragment.total == 1 && fragment.number == 1;
    }
    const std::size_t held = std::strlen(buffer.payload);
    const std::size_t added = std::strlen(fragment.payload);
    if (held + added >= sizeof buffer.payload) {
        // Longer than any message: drop it rather than let the fragments run on.
        buffer = AisFragmentBuffer{};
        return false;
    }
    std::memcpy(buffer.payload + held, fragment.payload, added + 1);
    buffer.number = fragment.number;
    if (fragment.total != fragment.number)
        return false;
    buffer.fillBits = fragment.fillBits;
    return IsComplete(buffer);
}

}  // namespace nmea
