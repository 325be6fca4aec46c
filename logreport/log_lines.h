#pragma once
// The data log's lines: every line received while logging is on, kept as the device's own bytes
// (single-byte text in the language's code page), in arrival order, until the log is cleared.
//
//   Append("$GPGSV,3,1,12,...*7A")  Append("")  Append(<a 300-character line>)
//   Line(0) -> "$GPGSV,3,1,12,...*7A"   Line(1) -> ""   Line(2) -> all 300 characters
//
// The log is never trimmed, so a line costs its text and one small index entry: texts are packed
// into large blocks that never move, and the index points into them.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace m47::logreport {

class LogLines
{
public:
    // Size of a text block; a longer line gets a block of its own.
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

    // Stores a line as given: any bytes, any length, an empty line as an empty line.
    void Append(std::string_view text);
    void Clear();

    std::size_t Count() const { return index_.size(); }
    bool Empty() const { return index_.empty(); }
    // The text of line `i`; empty for an index past the last line.
    std::string_view Line(std::size_t i) const { return i < index_.size() ? index_[i] : std::string_view{}; }
    // Length of the longest line stored since the last Clear.
    std::size_t LongestLength() const { return longest_; }
    // Bytes held for the lines: text blocks and index, as allocated.
    std::size_t MemoryBytes() const;

private:
    char* Reserve(std::size_t size);

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::size_t> blockSizes_;
    std::size_t usedInLastBlock_ = 0;
    std::vector<std::string_view> index_;
    std::size_t longest_ = 0;
};

} // namespace m47::logreport
