#pragma once
// Buffered JSON Lines writer for the offline decoder.
//
// Everything goes into one fixed buffer that is flushed to a file descriptor when it fills, so
// writing a line costs no allocation. Strings come from untrusted input: every byte outside
// printable ASCII, and the quote and backslash, are escaped, bytes 0x80 to 0xFF as \u0080 to
// \u00FF. The output is therefore always valid (ASCII-only) JSON, and the input bytes can be
// recovered by taking each code point as one byte.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

class JsonWriter
{
public:
    explicit JsonWriter(int fd);
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    // Objects; a key opens a member of the innermost object and writes the separator before it.
    // Keys are this program's own plain ASCII names and are written as they are; a key taken
    // from the input goes through BeginObjectNamed, which escapes it.
    void BeginObject();
    void BeginObject(std::string_view key);
    void BeginObjectNamed(std::string_view untrustedKey);
    void EndObject();
    void EndLine(); // ends one JSON Lines record

    // Arrays of numbers: BeginArray, the elements, EndArray.
    void BeginArray(std::string_view key);
    void Element(std::int64_t value);
    void Element(float value);
    void EndArray();

    // The members written for every line are inline, so that each key, known where it is
    // written, is copied with its length fixed.
    void Key(std::string_view key)
    {
        Separator();
        Reserve(key.size() + 3);
        buffer_[used_++] = '"';
        std::memcpy(buffer_ + used_, key.data(), key.size());
        used_ += key.size();
        buffer_[used_++] = '"';
        buffer_[used_++] = ':';
    }
    void Bool(std::string_view key, bool value);
    void Int(std::string_view key, std::int64_t value)
    {
        Key(key);
        Number(value);
    }
    void UInt(std::string_view key, std::uint64_t value)
    {
        Key(key);
        Number(value);
    }
    void Float(std::string_view key, float value) // shortest text that reads back as the float
    {
        Key(key);
        Number(value);
    }
    void String(std::string_view key, std::string_view value);
    // A NUL-terminated text of at most `capacity` bytes; a missing NUL ends it at the capacity.
    void Text(std::string_view key, const char* text, std::size_t capacity);

    // False once a write to the descriptor has failed (for example a closed pipe).
    bool Flush();
    bool Ok() const { return ok_; }

private:
    void Raw(const char* data, std::size_t size);
    void Raw(char c)
    {
        Reserve(1);
        buffer_[used_++] = c;
    }
    void Escaped(std::string_view value);
    void Separator()
    {
        if (depth_ == 0)
            return;
        if (needComma_[depth_ - 1])
            Raw(',');
        needComma_[depth_ - 1] = true;
    }
    void Open(char bracket);
    template <typename Integer>
    void Number(Integer value)
    {
        Reserve(24);
        used_ = static_cast<std::size_t>(std::to_chars(buffer_ + used_, buffer_ + kBufferSize, value).ptr -
                                         buffer_);
    }
    void Number(float value);
    void Reserve(std::size_t size)
    {
        if (kBufferSize - used_ < size)
            Flush();
    }

    static constexpr std::size_t kBufferSize = 1 << 16;
    static constexpr int kMaxDepth = 8;

    // Texts of floats written lately, found by their bits: the shortest-text conversion is the
    // dearest part of a line, and a target repeats the position, speed and course its message
    // has just given, as most lines repeat 0, 511 or 360.
    struct RecentFloat {
        std::uint32_t bits = 0;
        std::uint8_t length = 0; // 0: nothing kept yet
        char text[27];
    };
    static constexpr int kRecentFloatBits = 6;

    int fd_;
    bool ok_ = true;
    std::size_t used_ = 0;
    int depth_ = 0;
    bool needComma_[kMaxDepth] = {};
    RecentFloat recentFloats_[1 << kRecentFloatBits] = {};
    char buffer_[kBufferSize];
};
