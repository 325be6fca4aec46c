#include "json_writer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <unistd.h>

JsonWriter::JsonWriter(int fd) : fd_(fd) {}

JsonWriter::~JsonWriter()
{
    Flush();
}

bool JsonWriter::Flush()
{
    std::size_t done = 0;
    while (ok_ && done < used_) {
        const ssize_t n = ::write(fd_, buffer_ + done, used_ - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok_ = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    used_ = 0;
    return ok_;
}

void JsonWriter::Raw(const char* data, std::size_t size)
{
    while (size > 0) {
        Reserve(1);
        const std::size_t part = std::min(size, kBufferSize - used_);
        std::memcpy(buffer_ + used_, data, part);
        used_ += part;
        data += part;
        size -= part;
    }
}

void JsonWriter::Open(char bracket)
{
    Raw(bracket);
    if (depth_ < kMaxDepth)
        needComma_[depth_] = false;
    ++depth_;
}

void JsonWriter::BeginObject()
{
    Separator();
    Open('{');
}

void JsonWriter::BeginObject(std::string_view key)
{
    Key(key);
    Open('{');
}

void JsonWriter::EndObject()
{
    Raw('}');
    if (depth_ > 0)
        --depth_;
}

void JsonWriter::BeginObjectNamed(std::string_view untrustedKey)
{
    Separator();
    Raw('"');
    Escaped(untrustedKey);
    Raw("\":", 2);
    Open('{');
}

void JsonWriter::BeginArray(std::string_view key)
{
    Key(key);
    Open('[');
}

void JsonWriter::EndArray()
{
    Raw(']');
    if (depth_ > 0)
        --depth_;
}

void JsonWriter::Element(std::int64_t value)
{
    Separator();
    Number(value);
}

void JsonWriter::Element(float value)
{
    Separator();
    Number(value);
}

void JsonWriter::EndLine()
{
    Raw('\n');
    depth_ = 0;
}

void JsonWriter::Bool(std::string_view key, bool value)
{
    Key(key);
    if (value)
        Raw("true", 4);
    else
        Raw("false", 5);
}

namespace {

// Shortest text that reads back as the same float; plain digits in the everyday range (so
// -100000 rather than -1e+05), exponent form for the very small and very large; "null" for
// what JSON cannot hold. `text` has room for the longest.
std::size_t FloatText(float value, char* text, std::size_t capacity)
{
    if (!std::isfinite(value)) {
        std::memcpy(text, "null", 4);
        return 4;
    }
    const float magnitude = std::fabs(value);
    const bool plain = magnitude == 0.0f || (magnitude >= 1e-4f && magnitude < 1e9f);
    char* end = plain ? std::to_chars(text, text + capacity, value, std::chars_format::fixed).ptr
                      : std::to_chars(text, text + capacity, value).ptr;
    return static_cast<std::size_t>(end - text);
}

} // namespace

void JsonWriter::Number(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    RecentFloat& recent = recentFloats_[(bits * 2654435769u) >> (32 - kRecentFloatBits)];
    if (recent.length == 0 || recent.bits != bits) {
        recent.bits = bits;
        recent.length = static_cast<std::uint8_t>(FloatText(value, recent.text, sizeof recent.text));
    }
    // The whole kept text is copied, a fixed size the compiler copies in a few moves; only its
    // length counts.
    Reserve(sizeof recent.text);
    std::memcpy(buffer_ + used_, recent.text, sizeof recent.text);
    used_ += recent.length;
}

void JsonWriter::String(std::string_view key, std::string_view value)
{
    Key(key);
    Raw('"');
    Escaped(value);
    Raw('"');
}

void JsonWriter::Text(std::string_view key, const char* text, std::size_t capacity)
{
    const void* end = std::memchr(text, '\0', capacity);
    const std::size_t length =
        end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : capacity;
    String(key, std::string_view(text, length));
}

namespace {

// Bytes written as they are: printable ASCII except the quote and the backslash.
constexpr auto kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c)
        plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return plain;
}();

} // namespace

void JsonWriter::Escaped(std::string_view value)
{
    static constexpr char kHex[] = "0123456789abcdef";
    // Runs of plain characters are copied whole; only the others are written one by one.
    std::size_t plainStart = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (kPlain[c])
            continue;
        Raw(value.data() + plainStart, i - plainStart);
        plainStart = i + 1;
        if (c == '"' || c == '\\') {
            const char escape[2] = {'\\', static_cast<char>(c)};
            Raw(escape, sizeof escape);
        } else {
            const char escape[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
            Raw(escape, sizeof escape);
        }
    }
    Raw(value.data() + plainStart, value.size() - plainStart);
}
