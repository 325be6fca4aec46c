#include "faults.h"

#include <utility>

namespace m47sim {

namespace {

// Longer than any line the program dispatches (82 characters).
constexpr size_t kLongLineLength = 120;
// Pieces of a split write reach the reader as separate chunks only with a pause between them.
constexpr std::chrono::milliseconds kSplitPause{3};

} // namespace

bool EnableFault(FaultSettings& faults, std::string_view name)
{
    const std::pair<std::string_view, bool FaultSettings::*> table[] = {
        {"noise", &FaultSettings::noise},    {"nul", &FaultSettings::nuls},
        {"cr", &FaultSettings::strayCr},     {"checksum", &FaultSettings::badChecksum},
        {"long", &FaultSettings::longLines}, {"split", &FaultSettings::splitWrites},
    };
    for (const auto& [key, member] : table) {
        if (name == key) {
            faults.*member = true;
            return true;
        }
    }
    return false;
}

FaultInjector::FaultInjector(const FaultSettings& settings) : settings_(settings), random_(settings.seed) {}

bool FaultInjector::Hit()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_) < settings_.rate;
}

std::string FaultInjector::RandomBytes(size_t count, bool anyByte)
{
    // Noise never holds LF, so it spoils the line it lands in instead of making lines of its own.
    std::uniform_int_distribution<int> byte(anyByte ? 0 : 32, anyByte ? 255 : 126);
    std::string bytes;
    while (bytes.size() < count) {
        const char c = static_cast<char>(byte(random_));
        if (c != '\n')
            bytes += c;
    }
    return bytes;
}

std::vector<WritePiece> FaultInjector::Apply(std::string line)
{
    std::string prefix;
    if (settings_.longLines && Hit())
        prefix += "$GPTXT," + RandomBytes(kLongLineLength, false) + "\r\n";
    if (settings_.noise && Hit())
        prefix += RandomBytes(1 + random_() % 16, true);
    if (settings_.nuls && Hit())
        prefix += std::string(1 + random_() % 3, '\0');

    const auto star = line.rfind('*');
    if (settings_.badChecksum && star != std::string::npos && star + 2 < line.size() && Hit())
        line[star + 1] = line[star + 1] == '0' ? '1' : '0';
    if (settings_.strayCr && line.size() > 2 && Hit())
        line.insert(1 + random_() % (line.size() - 2), 1, '\r');
    if (settings_.nuls && line.size() > 2 && Hit())
        line.insert(1 + random_() % (line.size() - 2), 1, '\0');

    std::string bytes = prefix + line;
    if (!settings_.splitWrites || bytes.size() < 2)
        return {WritePiece{std::move(bytes)}};
    std::vector<WritePiece> pieces;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t length = 1 + random_() % 24;
        pieces.push_back(
            WritePiece{bytes.substr(at, length), at == 0 ? std::chrono::milliseconds(0) : kSplitPause});
        at += length;
    }
    return pieces;
}

} // namespace m47sim
