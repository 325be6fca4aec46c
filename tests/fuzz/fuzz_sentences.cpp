// libFuzzer target: arbitrary sequences of lines through a fresh sentence library.
//
// The input is split into lines the way the receive path does it (a line ends at LF, CR and NUL
// bytes vanish, lines above 82 characters are dropped) and each line goes to ProcessSentence
// with CR LF appended. The first input byte picks the feeding: with its low bit set, every
// line's checksum is repaired first, so that mutated lines get past the checksum into the
// parsers and the AIS decoder; with it clear, lines go in as they are.

#include "nmea/sentence_library.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

namespace {

constexpr std::size_t kMaxLine = 82;

// A clock that ticks one second per reading, so stamps (and evictions) repeat run after run.
std::uint32_t gTicks = 0;

nmea::ClockReading FakeClock()
{
    const std::uint32_t t = gTicks++;
    nmea::ClockReading c;
    c.year = 2024;
    c.month = static_cast<std::uint8_t>(1 + t / 86400 % 12);
    c.day = static_cast<std::uint8_t>(1 + t / 3600 % 28);
    c.hour = static_cast<std::uint8_t>(t / 60 % 24);
    c.minute = static_cast<std::uint8_t>(t % 60);
    c.second = static_cast<std::uint8_t>(t * 7 % 60);
    return c;
}

// Rewrites the two characters after the first "*" with the checksum of the text before it.
// Returns the new length (unchanged when there is no "*" or no room).
std::size_t RepairChecksum(char* line, std::size_t length)
{
    const void* star = std::memchr(line, '*', length);
    if (star == nullptr || length < 2)
        return length;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(star) - line);
    if (at == 0 || at + 3 > kMaxLine)
        return length;
    unsigned sum = 0;
    for (std::size_t i = 1; i < at; ++i)
        sum ^= static_cast<unsigned char>(line[i]);
    static constexpr char kHex[] = "0123456789ABCDEF";
    line[at + 1] = kHex[sum >> 4];
    line[at + 2] = kHex[sum & 15];
    return length < at + 3 ? at + 3 : length;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool repair = (data[0] & 1) != 0;
    gTicks = 0;
    // A fresh library in the same static storage each time: constructing it is the price of a
    // clean start, but a heap block of this size would be poisoned and quarantined per input.
    alignas(nmea::SentenceLibrary) static unsigned char storage[sizeof(nmea::SentenceLibrary)];
    auto* library = new (storage) nmea::SentenceLibrary();
    library->ais.targets.clock = FakeClock;

    char line[kMaxLine + 3];
    std::size_t length = 0;
    bool tooLong = false;
    for (std::size_t i = 1; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '\r' || c == '\0')
            continue;
        if (c != '\n') {
            if (length < kMaxLine)
                line[length++] = c;
            else
                tooLong = true;
            continue;
        }
        if (!tooLong) {
            if (repair)
                length = RepairChecksum(line, length);
            line[length] = '\r';
            line[length + 1] = '\n';
            library->ProcessSentence(std::string_view(line, length + 2));
        }
        length = 0;
        tooLong = false;
    }
    library->~SentenceLibrary();
    return 0;
}
