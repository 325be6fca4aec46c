#include "nmea/fragment_assembly.h"

#include <cstring>

namespace nmea {

namespace {

// The continuation rule on the values that name a fragment: same formatter, total and
// sequential identifier as the held message, and the next sentence number.
bool Continues(const AisFragmentBuffer& held, const char (&formatter)[4], std::int8_t total,
               std::int8_t sequentialId, std::int8_t number)
{
    return std::memcmp(held.formatter, formatter, sizeof held.formatter) == 0 && held.total == total &&
           held.sequentialId == sequentialId && number == held.number + 1;
}

// A record's payload holds at most this many characters before its NUL.
constexpr std::size_t kFieldsPayloadChars = sizeof EncapsulatedFields{}.payload - 1;
static_assert(kFieldsPayloadChars < kFragmentPayloadCapacity);

// Starts `buffer` afresh with the record's fragment. Written in place: the buffer is large
// and every single-sentence message passes here.
void StartWith(const SentenceRecord& record, const EncapsulatedFields& fields, AisFragmentBuffer& buffer)
{
    buffer = AisFragmentBuffer{};
    buffer.total = fields.total;
    buffer.number = fields.number;
    buffer.sequentialId = fields.sequentialId;
    buffer.channel = fields.channel;
    buffer.fillBits = fields.fillBits;
    std::memcpy(buffer.payload, fields.payload, kFieldsPayloadChars);
    std::memcpy(buffer.formatter, record.formatter, sizeof buffer.formatter);
}

bool IsComplete(const AisFragmentBuffer& buffer)
{
    return std::strlen(buffer.payload) <= kMaxMessagePayload;
}

} // namespace

bool IsNextFragment(const AisFragmentBuffer& held, const AisFragmentBuffer& next)
{
    return Continues(held, next.formatter, next.total, next.sequentialId, next.number);
}

bool AssembleFragment(const SentenceRecord& record, AisFragmentBuffer& buffer)
{
    const EncapsulatedFields* fields = EncapsulatedOf(record);
    if (fields == nullptr)
        return false;

    if (!Continues(buffer, record.formatter, fields->total, fields->sequentialId, fields->number)) {
        StartWith(record, *fields, buffer);
        return buffer.total == 1 && buffer.number == 1;
    }
    const std::size_t held = std::strlen(buffer.payload);
    const std::size_t added = strnlen(fields->payload, kFieldsPayloadChars);
    if (held + added >= sizeof buffer.payload) {
        // Longer than any message: drop it rather than let the fragments run on.
        buffer = AisFragmentBuffer{};
        return false;
    }
    std::memcpy(buffer.payload + held, fields->payload, added);
    buffer.payload[held + added] = '\0';
    buffer.number = fields->number;
    if (fields->total != fields->number)
        return false;
    buffer.fillBits = fields->fillBits;
    return IsComplete(buffer);
}

} // namespace nmea
