#pragma once
// Counts for `nmeadecode --summary`: lines by outcome, sentences per formatter, AIS messages
// per type and the targets in the table at the end.

#include "json_writer.h"

#include <array>
#include <cstdint>
#include <map>

struct FormatterCounts {
    std::uint64_t accepted = 0;
    std::uint64_t rejected = 0;
};

class Summary
{
public:
    void Comment() { ++comments_; }
    void Ignored() { ++ignored_; }
    // A line handed to the library, by its formatter (up to three characters).
    void Sentence(const char* formatter, bool accepted);
    void AisMessage(unsigned type);

    void Write(JsonWriter& out, std::uint32_t targets) const;

private:
    // Formatters come from untrusted lines; past this many distinct ones the rest are lumped.
    static constexpr std::size_t kMaxFormatters = 256;

    std::uint64_t comments_ = 0;
    std::uint64_t ignored_ = 0;
    std::uint64_t accepted_ = 0;
    std::uint64_t rejected_ = 0;
    std::map<std::uint32_t, FormatterCounts> formatters_; // key: the characters packed
    FormatterCounts otherFormatters_;
    std::array<std::uint64_t, 64> aisTypes_{};
};
