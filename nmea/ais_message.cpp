#include "nmea/ais_message.h"

#include <cmath>

namespace nmea {

namespace {

constexpr unsigned kTypeBits = 6;
constexpr std::uint8_t kLastDecodedType = 24;
constexpr unsigned kType24PartNumberBit = 38;
constexpr std::uint32_t kType24PartB = 1;
// Type 22: the addressed flag follows the first twelve fields; when set, the corner
// coordinates carry two destination MMSIs instead.
constexpr unsigned kType22AddressedBit = 139;
constexpr unsigned kType22Destination1Bit = 69;
constexpr unsigned kType22Destination2Bit = 104;
constexpr unsigned kMmsiBits = 30;

constexpr double kRateOfTurnPerUnit = 0.21128248468201988; // 1 / 4.733
constexpr double kDegreesPerMinute = 0.016666666666666666;
constexpr std::uint16_t kHeadingNotAvailable = 511;
constexpr std::uint32_t kHighestHeading = 359;

static_assert(ais_layout::kType22DestinationOffset + 8 <= kAisMessageBytes);

// Appends stored values to the message, never into the area's last byte, which stays 0 so
// that any text read from the area ends within it.
constexpr std::size_t kWritableBytes = kAisMessageBytes - 1;

// Counts the bytes in a local and gives the message its size when done: a count kept in the
// message would be stored and read again around every byte written (bytes may alias it).
class MessageWriter
{
public:
    explicit MessageWriter(AisMessage& message) : message_(message), size_(message.size) {}
    ~MessageWriter() { message_.size = static_cast<std::uint16_t>(size_); }
    MessageWriter(const MessageWriter&) = delete;
    MessageWriter& operator=(const MessageWriter&) = delete;

    bool Put(const void* value, std::size_t length)
    {
        if (size_ + length > kWritableBytes) {
            return false;
        }
        std::memcpy(message_.bytes.data() + size_, value, length);
        size_ += length;
        return true;
    }
    bool PutByte(std::uint32_t v)
    {
        const auto b = static_cast<std::uint8_t>(v);
        return Put(&b, 1);
    }
    bool PutWord(std::uint32_t v)
    {
        const std::uint8_t b[2] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
        return Put(b, sizeof b);
    }
    bool PutDword(std::uint32_t v)
    {
        const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                   static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
        return Put(b, sizeof b);
    }
    bool PutFloat(float v) { return Put(&v, sizeof v); }

    // Six-bit characters: 0..31 become "@".."_", 32..63 stay as they are (space to "?").
    bool PutText(const AisBitBuffer& bits, unsigned position, unsigned characters)
    {
        if (size_ + characters + 1 > kWritableBytes) {
            return false;
        }
        for (unsigned i = 0; i < characters; ++i) {
            const std::uint32_t t = ReadBits(bits, position + 6 * i, 6);
            message_.bytes[size_++] = static_cast<std::uint8_t>(t < 32 ? t + 64 : t);
        }
        message_.bytes[size_++] = 0;
        return true;
    }

private:
    AisMessage& message_;
    std::size_t size_;
};

// Converts one field at `position` by its kind and appends it; `used` receives the bits read.
bool AppendField(const AisFieldDef& field, const AisBitBuffer& bits, unsigned position, MessageWriter& out,
                 unsigned& used)
{
    const auto width = static_cast<unsigned>(field.width);
    used = width;
    if (field.kind == fkTextRest) {
        const unsigned characters = (bits.count - position) / 6;
        used = characters * 6;
        return out.PutText(bits, position, characters);
    }
    if (field.kind == fkText) {
        return out.PutText(bits, position, width / 6);
    }
    const std::uint32_t v = ReadBits(bits, position, width);
    switch (field.kind) {
    case fkByte:
    case fkTimeStamp: return out.PutByte(v);
    case fkWord:
    case fkWordValue: return out.PutWord(v);
    case fkHeading: return out.PutWord(v > kHighestHeading ? kHeadingNotAvailable : v);
    case fkLong:
    case fkMmsi:
    case fkRadioStatus:
    case fkDimensions:
    case fkEta: return out.PutDword(v);
    case fkSignedScaled: return out.PutFloat(SignExtend(v, width) * field.scale);
    case fkScaled:
    case fkCourse: return out.PutFloat(static_cast<float>(v) * field.scale);
    case fkRateOfTurn: {
        const double rate = SignExtend(v, width) * kRateOfTurnPerUnit;
        return out.PutFloat(static_cast<float>(rate * std::fabs(rate)));
    }
    case fkLongitude:
    case fkLatitude:
        return out.PutFloat(static_cast<float>((SignExtend(v, width) * field.scale) * kDegreesPerMinute));
    case fkText:
    case fkTextRest:
    case fkUnsupported: break;
    }
    return false;
}

// Every field of the layout after the identifier, as far as the bits go; the message's field
// count follows each field appended.
bool AppendFields(const AisLayout& layout, const AisBitBuffer& bits, AisMessage& message)
{
    MessageWriter out(message);
    const unsigned count = bits.count;
    std::uint8_t decoded = message.fieldCount;
    unsigned position = kTypeBits;
    bool appended = true;
    for (std::size_t i = 1; i < layout.fieldCount; ++i) {
        const AisFieldDef& field = layout.fields[i];
        if (position + static_cast<unsigned>(field.width) > count) {
            break;
        }
        unsigned used = 0;
        if (!AppendField(field, bits, position, out, used)) {
            appended = false;
            break;
        }
        position += used;
        ++decoded;
    }
    message.fieldCount = decoded;
    return appended;
}

std::uint8_t LayoutIndexFor(std::uint8_t type, const AisBitBuffer& bits)
{
    if (type == 24 && ReadBits(bits, kType24PartNumberBit, 2) == kType24PartB) {
        return kAisType24PartBLayout;
    }
    return static_cast<std::uint8_t>(type - 1);
}

void StoreType22Destinations(const AisBitBuffer& bits, AisMessage& message)
{
    if (ReadBits(bits, kType22AddressedBit, 1) != 1) {
        return;
    }
    const std::uint32_t destinations[2] = {ReadBits(bits, kType22Destination1Bit, kMmsiBits),
                                           ReadBits(bits, kType22Destination2Bit, kMmsiBits)};
    std::size_t offset = ais_layout::kType22DestinationOffset;
    for (const std::uint32_t mmsi : destinations) {
        for (unsigned i = 0; i < 4; ++i) {
            message.bytes[offset++] = static_cast<std::uint8_t>(mmsi >> (8 * i));
        }
    }
    if (message.size < offset) {
        message.size = static_cast<std::uint16_t>(offset);
    }
}

} // namespace

bool DecodeAisFields(const AisLayoutTable& layouts, const AisBitBuffer& bits, AisMessage& message)
{
    message = AisMessage{};
    const auto type = static_cast<std::uint8_t>(ReadBits(bits, 0, kTypeBits));
    message.bytes[0] = type;
    message.size = 1;
    message.fieldCount = 1;
    if (type == 0 || type > kLastDecodedType) {
        return false;
    }
    const std::uint8_t index = LayoutIndexFor(type, bits);
    const AisLayout* layout = layouts.layouts[index];
    if (layout == nullptr) {
        return false;
    }
    message.layoutIndex = index;

    if (!AppendFields(*layout, bits, message)) {
        return false;
    }
    if (type == 22) {
        StoreType22Destinations(bits, message);
    }
    return true;
}

const AisLayout* MessageLayout(const AisLayoutTable& layouts, const AisMessage& message)
{
    return message.layoutIndex < layouts.layouts.size() ? layouts.layouts[message.layoutIndex] : nullptr;
}

const char* MessageText(const AisMessage& message, std::size_t offset)
{
    if (offset >= message.bytes.size() - 1) {
        return "";
    }
    return reinterpret_cast<const char*>(message.bytes.data() + offset);
}

double MessageNumber(const AisMessage& message, std::size_t offset, FieldKind kind)
{
    switch (FieldStorageSize(AisFieldDef{0, kind, 1.0f, ""})) {
    case 1: return MessageByte(message, offset);
    case 2: return MessageWord(message, offset);
    case 4:
        switch (kind) {
        case fkSignedScaled:
        case fkScaled:
        case fkRateOfTurn:
        case fkLongitude:
        case fkLatitude:
        case fkCourse: return MessageFloat(message, offset);
        default: return MessageDword(message, offset);
        }
    default: return 0.0;
    }
}

ShipDimensions SplitDimensions(std::uint32_t value)
{
    return ShipDimensions{
        static_cast<std::uint16_t>((value >> 21) & 0x1FF), static_cast<std::uint16_t>((value >> 12) & 0x1FF),
        static_cast<std::uint8_t>((value >> 6) & 0x3F), static_cast<std::uint8_t>(value & 0x3F)};
}

ArrivalTime SplitEta(std::uint32_t value)
{
    return ArrivalTime{
        static_cast<std::uint8_t>((value >> 16) & 0x0F), static_cast<std::uint8_t>((value >> 11) & 0x1F),
        static_cast<std::uint8_t>((value >> 6) & 0x1F), static_cast<std::uint8_t>(value & 0x3F)};
}

} // namespace nmea
