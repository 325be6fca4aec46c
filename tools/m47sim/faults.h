// Faults on demand: what a misbehaving device or a bad cable does to the lines it sends.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace m47sim {

struct FaultSettings {
    bool noise = false;       // random bytes (binary included) between lines
    bool nuls = false;        // NUL bytes inside and between lines
    bool strayCr = false;     // CR bytes inside lines
    bool badChecksum = false; // wrong checksum digits
    bool longLines = false;   // over-long lines between the sentences
    bool splitWrites = false; // lines written in pieces, cut at random byte boundaries
    double rate = 0.2;        // share of lines a fault hits, 0..1
    uint32_t seed = 47;

    bool Any() const { return noise || nuls || strayCr || badChecksum || longLines || splitWrites; }
};

// Parses a fault name of the command line ("noise", "nul", "cr", "checksum", "long", "split");
// false for an unknown name.
bool EnableFault(FaultSettings& faults, std::string_view name);

// One write to the port: the bytes, and the pause before it.
struct WritePiece {
    std::string bytes;
    std::chrono::milliseconds pauseBefore{0};
};

class FaultInjector
{
public:
    explicit FaultInjector(const FaultSettings& settings);

    // The writes that carry one line (with its line end) to the port.
    std::vector<WritePiece> Apply(std::string line);

private:
    bool Hit();
    std::string RandomBytes(size_t count, bool anyByte);

    FaultSettings settings_;
    std::mt19937 random_;
};

} // namespace m47sim
