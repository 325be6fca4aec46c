#pragma once
// A decoded AIS message: the identifier byte, then every decoded field of its layout in order,
// each in its kind's storage (bytes, little-endian 16/32-bit words, 32-bit floats, NUL-ended
// texts), without gaps. A message shorter than its layout keeps zeros where fields did not fit.

#include "nmea/ais_bits.h"
#include "nmea/ais_layouts.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace nmea {

// Room for the longest layout with the longest trailing text of a 1008-bit message.
inline constexpr std::size_t kAisMessageBytes = 256;
inline constexpr std::uint8_t kNoAisLayout = 0xFF;

struct AisMessage {
    std::array<std::uint8_t, kAisMessageBytes> bytes{};
    std::uint16_t size = 0;                  // bytes written
    std::uint8_t fieldCount = 0;             // layout fields decoded, the identifier included
    std::uint8_t layoutIndex = kNoAisLayout; // index into AisLayoutTable

    std::uint8_t Id() const { return bytes[0]; }
};

// Decodes the bits by the message's layout into `message` (cleared first). False for an
// identifier of 0 or above 24, a missing layout or a field of unknown kind; a message shorter
// than its layout is decoded as far as its bits go.
bool DecodeAisFields(const AisLayoutTable& layouts, const AisBitBuffer& bits, AisMessage& message);

// The layout a message was decoded with, or nullptr.
const AisLayout* MessageLayout(const AisLayoutTable& layouts, const AisMessage& message);

// Readers of stored values at a byte offset (offsets past the area read as 0 / empty). Inline:
// the target table reads every value it keeps through them.
inline std::uint8_t MessageByte(const AisMessage& message, std::size_t offset)
{
    return offset < message.bytes.size() ? message.bytes[offset] : 0;
}

inline std::uint16_t MessageWord(const AisMessage& message, std::size_t offset)
{
    return static_cast<std::uint16_t>(MessageByte(message, offset) | MessageByte(message, offset + 1) << 8);
}

inline std::uint32_t MessageDword(const AisMessage& message, std::size_t offset)
{
    return static_cast<std::uint32_t>(MessageWord(message, offset)) |
           static_cast<std::uint32_t>(MessageWord(message, offset + 2)) << 16;
}

inline float MessageFloat(const AisMessage& message, std::size_t offset)
{
    float value = 0.0f;
    if (offset + sizeof value <= message.bytes.size()) {
        std::memcpy(&value, message.bytes.data() + offset, sizeof value);
    }
    return value;
}

const char* MessageText(const AisMessage& message, std::size_t offset);

// The stored value of a non-text field as a number, read by its kind's storage.
double MessageNumber(const AisMessage& message, std::size_t offset, FieldKind kind);

// Calls visit(field, offset) for every decoded field of the message, in layout order.
template <typename Visit>
void ForEachDecodedField(const AisLayoutTable& layouts, const AisMessage& message, Visit visit)
{
    const AisLayout* layout = MessageLayout(layouts, message);
    if (layout == nullptr) {
        return;
    }
    std::size_t offset = 0;
    for (std::size_t i = 0; i < message.fieldCount && i < layout->fieldCount; ++i) {
        const AisFieldDef& field = layout->fields[i];
        visit(field, offset);
        offset += field.kind == fkTextRest ? std::strlen(MessageText(message, offset)) + 1
                                           : FieldStorageSize(field);
    }
}

// The 30-bit ship dimensions field, in metres from the reference point.
struct ShipDimensions {
    std::uint16_t toBow;
    std::uint16_t toStern;
    std::uint8_t toPort;
    std::uint8_t toStarboard;
};
ShipDimensions SplitDimensions(std::uint32_t value);

// The 20-bit estimated time of arrival field.
struct ArrivalTime {
    std::uint8_t month;
    std::uint8_t day;
    std::uint8_t hour;
    std::uint8_t minute;
};
ArrivalTime SplitEta(std::uint32_t value);

} // namespace nmea
