#include "target_costs.h"

#include "busy_port.h"
#include "cpu_time.h"

#include "nmea/sentence_library.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace bench {

namespace {

// A class A position report; copies of it differ only in their MMSI.
constexpr const char* kPositionReport = "!AIVDM,1,1,,B,177KQJ5000G?tO`K>RA1wUbN0TKH,0*5C\r\n";
constexpr std::size_t kMmsiOffset = nmea::FieldOffset(nmea::ais_layout::kPositionReport, "mmsi");
constexpr std::uint32_t kFirstMmsi = 200000000;
constexpr std::size_t kEvictingMessages = 200000;
constexpr double kMinSeconds = 0.2;

struct TableState {
    const char* label;
    std::uint32_t known; // senders in the table besides the own ship
    bool newSenders;     // every measured message comes from a sender not in the table
};

constexpr TableState kStates[] = {
    {"100 targets", 99, false},
    {"2,250 targets (full)", nmea::kAisTargetCapacity - 1, false},
    {"full, every message evicts", nmea::kAisTargetCapacity - 1, true},
};

std::vector<std::string> Reports(std::uint32_t first, std::size_t count)
{
    std::vector<std::string> lines;
    lines.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        lines.push_back(WithMmsi(kPositionReport, first + static_cast<std::uint32_t>(i)));
    return lines;
}

// Nanoseconds per message: the known senders fill a fresh library, then the measured lines go
// through it (the known senders again and again, or each new sender once).
double SentenceCost(const TableState& state)
{
    const std::vector<std::string> known = Reports(kFirstMmsi, state.known);
    const std::vector<std::string> fresh =
        state.newSenders ? Reports(kFirstMmsi + state.known, kEvictingMessages) : known;
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        auto library = std::make_unique<nmea::SentenceLibrary>();
        for (const std::string& line : known)
            library->ProcessSentence(line);
        const double rate = ItemsPerSecond(
            [&] {
                for (const std::string& line : fresh)
                    library->ProcessSentence(line);
                return fresh.size();
            },
            state.newSenders ? 0.0 : kMinSeconds);
        best = std::min(best, 1e9 / rate);
    }
    return best;
}

// Nanoseconds per UpdateTarget of one decoded report whose MMSI is rewritten each time.
double UpdateCost(const TableState& state)
{
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        auto library = std::make_unique<nmea::SentenceLibrary>();
        library->ProcessSentence(kPositionReport);
        nmea::AisState& ais = library->ais;
        const auto update = [&ais](std::uint32_t mmsi) {
            std::memcpy(ais.message.bytes.data() + kMmsiOffset, &mmsi, sizeof mmsi);
            nmea::UpdateTarget(ais.targets, ais.message, 'B', 0, false);
        };
        for (std::uint32_t i = 0; i < state.known; ++i)
            update(kFirstMmsi + i);
        std::uint32_t next = kFirstMmsi + state.known;
        const double rate = ItemsPerSecond(
            [&] {
                for (std::uint32_t i = 0; i < state.known; ++i)
                    update(state.newSenders ? next++ : kFirstMmsi + i);
                return std::size_t{state.known};
            },
            kMinSeconds);
        best = std::min(best, 1e9 / rate);
    }
    return best;
}

} // namespace

void PrintTargetTableCosts()
{
    std::printf("\nTarget table, cost per AIS message (best of %d runs):\n", kRuns);
    std::printf("  %-36s %16s %16s\n", "table", "whole sentence", "table update");
    for (const TableState& state : kStates) {
        std::printf("  %-36s %13.0f ns %13.1f ns\n", state.label, SentenceCost(state), UpdateCost(state));
    }
}

} // namespace bench
