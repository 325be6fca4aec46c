#include "diagnostics/reception_line_integrity.h"

#include "nmea/checksum.h"
#include "nmea/sentence_library.h"

#include <cstring>
#include <numeric>

namespace m47::diagnostics {

namespace {

// Longest sentence, CR LF included.
constexpr std::size_t kMaxSentenceLength = 82;

} // namespace

std::uint64_t IntegrityCounts::Received() const
{
    return std::accumulate(lines.begin(), lines.end(), std::uint64_t{0});
}

LineVerdict JudgeLine(std::string_view line, bool accepted, bool fragmentHeld)
{
    if (line.empty() || (line[0] != '$' && line[0] != '!'))
        return LineVerdict::NotSentence;
    if (line.size() > kMaxSentenceLength)
        return LineVerdict::TooLong;
    if (accepted)
        return LineVerdict::Accepted;
    if (!nmea::VerifyChecksum(line.data(), line.size()))
        return LineVerdict::ChecksumFailed;
    return fragmentHeld ? LineVerdict::Accepted : LineVerdict::Rejected;
}

std::string ShowableLine(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : line) {
        if (shown.size() >= kShownBadLineLength) {
            shown += "...";
            break;
        }
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            shown += c;
        } else {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0x0F];
        }
    }
    return shown;
}

FragmentWatch::Change FragmentWatch::After(const nmea::SentenceLibrary& library)
{
    const nmea::AisFragmentBuffer& buffer = library.fragments;
    Shape now;
    now.total = buffer.total;
    now.number = buffer.number;
    now.sequentialId = buffer.sequentialId;
    now.channel = buffer.channel;
    now.payloadLength = strnlen(buffer.payload, sizeof buffer.payload);
    std::memcpy(now.formatter.data(), buffer.formatter, now.formatter.size());

    // A line the library did not take leaves the buffer as it was. (A fragment repeated byte
    // for byte looks the same and is not told apart.)
    const bool unchanged = now == held_;
    const bool continued = now.formatter == held_.formatter && now.total == held_.total &&
                           now.sequentialId == held_.sequentialId && now.number == held_.number + 1;
    Change change;
    change.fragmentHeld = now.InProgress() && !unchanged;
    change.messageBegun = change.fragmentHeld && now.number == 1;
    change.messageAbandoned = held_.InProgress() && !unchanged && !continued;
    held_ = now;
    return change;
}

void LineIntegrity::Count(LineVerdict verdict, std::string_view line)
{
    for (IntegrityCounts* counts : {&sinceConnect_, &sinceRefresh_})
        ++counts->lines[static_cast<std::size_t>(verdict)];
    if (verdict != LineVerdict::Accepted)
        lastBadLine_ = ShowableLine(line);
}

void LineIntegrity::CountFragments(const FragmentWatch::Change& change)
{
    for (IntegrityCounts* counts : {&sinceConnect_, &sinceRefresh_}) {
        counts->multiSentenceMessages += change.messageBegun ? 1 : 0;
        counts->incompleteMessages += change.messageAbandoned ? 1 : 0;
    }
}

void LineIntegrity::Connected()
{
    *this = LineIntegrity{};
}

void LineIntegrity::Refresh()
{
    sinceRefresh_ = IntegrityCounts{};
}

} // namespace m47::diagnostics
