#pragma once
// Splits a saved log into lines the way the receiver's serial path does: a line ends at LF,
// CR and NUL bytes vanish wherever they occur, and only the first 83 characters are kept (one
// more than a line may have, enough to tell that it is too long). Reads in large blocks, so a
// line costs no system call and no allocation.

#include <cstddef>

struct LogLine {
    static constexpr std::size_t kMaxLength = 82; // longest line the receive path hands over

    char text[kMaxLength + 2]; // the kept characters and a NUL
    std::size_t length = 0;    // characters in the line, also those beyond the kept ones
    long number = 0;           // 1-based line number in its file, comments included

    bool TooLong() const { return length > kMaxLength; }
};

class LineReader
{
public:
    explicit LineReader(int fd);
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Reads the next line; false at the end of the input (a last line without LF still counts).
    bool Next(LogLine& line);
    // True when the input ended because a read failed rather than at its end.
    bool Failed() const { return failed_; }

private:
    bool Fill();

    static constexpr std::size_t kBlockSize = 1 << 16;

    int fd_;
    bool eof_ = false;
    bool failed_ = false;
    long number_ = 0;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    char block_[kBlockSize];
};
