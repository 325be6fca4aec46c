#pragma once
// How clean the serial line is: every received line gets one verdict, counted since connect and
// since the page's Refresh, with the last bad line kept for display.
//
//   $GPGGA,...*5B             accepted          the library took it (or a fragment it holds)
//   $GPGGA,...*00             checksum failed   a wrong baud rate or a noisy cable
//   GGA,12 or an empty line   not a sentence    no "$" or "!" at the start
//   (83 characters or more)   too long          over 82 with CR LF: never a valid sentence
//   $GPXXX,...*1F             rejected          good checksum, but nothing the library reads
//
// A multi-sentence AIS message that is given up before its last sentence (another message
// started, a "$" sentence came between, the fragments ran too long) counts as incomplete.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace nmea {
class SentenceLibrary;
}

namespace m47::diagnostics {

enum class LineVerdict : std::size_t { Accepted, ChecksumFailed, NotSentence, TooLong, Rejected };
inline constexpr std::size_t kLineVerdicts = 5;

struct IntegrityCounts {
    std::array<std::uint64_t, kLineVerdicts> lines{};
    std::uint64_t multiSentenceMessages = 0; // begun: first of two or more sentences taken
    std::uint64_t incompleteMessages = 0;    // of those, given up before their last sentence

    std::uint64_t Received() const;
    std::uint64_t Of(LineVerdict verdict) const { return lines[static_cast<std::size_t>(verdict)]; }
};

// The verdict on one line handed to the GPS page's panel (with its CR LF), from whether the
// library accepted it and whether the library now holds a fragment this line added.
LineVerdict JudgeLine(std::string_view line, bool accepted, bool fragmentHeld);

// A bad line as it may be shown: printable ASCII kept, every other byte as \xHH, cut to
// kShownBadLineLength characters with "..." after.
inline constexpr std::size_t kShownBadLineLength = 100;
std::string ShowableLine(std::string_view line);

// Watches the library's fragment buffer from line to line: whether the line just processed
// added a fragment to a message still in progress, and whether it gave up the one before.
class FragmentWatch
{
public:
    struct Change {
        bool fragmentHeld = false;     // the buffer holds a message in progress this line added to
        bool messageBegun = false;     // ... and this line was its first sentence
        bool messageAbandoned = false; // the message in progress before this line is gone unfinished
    };
    Change After(const nmea::SentenceLibrary& library);

private:
    struct Shape {
        std::int8_t total = 0;
        std::int8_t number = 0;
        std::int8_t sequentialId = 0;
        char channel = 0;
        std::size_t payloadLength = 0;
        std::array<char, 4> formatter{};

        bool InProgress() const { return number >= 1 && number < total; }
        bool operator==(const Shape&) const = default;
    };
    Shape held_;
};

// The counts since connect and since Refresh, and the last bad line.
class LineIntegrity
{
public:
    void Count(LineVerdict verdict, std::string_view line);
    void CountFragments(const FragmentWatch::Change& change);
    void Connected(); // both sets start again
    void Refresh();   // the since-Refresh set starts again

    const IntegrityCounts& SinceConnect() const { return sinceConnect_; }
    const IntegrityCounts& SinceRefresh() const { return sinceRefresh_; }
    const std::string& LastBadLine() const { return lastBadLine_; } // showable, "" before any

private:
    IntegrityCounts sinceConnect_;
    IntegrityCounts sinceRefresh_;
    std::string lastBadLine_;
};

} // namespace m47::diagnostics
