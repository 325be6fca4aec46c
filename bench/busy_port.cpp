#include "busy_port.h"

#include "nmea/ais_bits.h"
#include "nmea/checksum.h"

#include <cstring>
#include <unordered_set>

namespace bench {

namespace {

constexpr std::size_t kMmsiFirstChar = 1; // payload characters 1..6: message bits 6..41
constexpr std::size_t kMmsiChars = 6;
constexpr unsigned kMmsiShift = 4; // bits 38..41 follow the MMSI in those characters
constexpr std::uint64_t kMmsiMask = (std::uint64_t{1} << 30) - 1;
constexpr unsigned kVariantShift = 20; // variants flip MMSI bits from 20 up

// Where the payload of a first (or only) VDM/VDO sentence starts; npos otherwise.
std::size_t FirstSentencePayload(const std::string& line)
{
    if (line.size() < 7 || line[0] != '!' ||
        (line.compare(3, 3, "VDM") != 0 && line.compare(3, 3, "VDO") != 0) ||
        !nmea::VerifyChecksum(line.c_str()))
        return std::string::npos;
    // !ccVDM,total,number,sequence,channel,payload,...
    std::size_t at = 0;
    for (int field = 0; field < 5; ++field) {
        at = line.find(',', at);
        if (at == std::string::npos)
            return std::string::npos;
        ++at;
        if (field == 1 && line.compare(at, 2, "1,") != 0)
            return std::string::npos;
    }
    for (std::size_t i = 0; i <= kMmsiChars; ++i) {
        if (at + i >= line.size() || nmea::SixBitValue(line[at + i]) == 255)
            return std::string::npos;
    }
    return at;
}

// The 36 bits of payload characters 1..6.
std::uint64_t MmsiWindow(const std::string& line, std::size_t payload)
{
    std::uint64_t window = 0;
    for (std::size_t i = 0; i < kMmsiChars; ++i)
        window = window << 6 | nmea::SixBitValue(line[payload + kMmsiFirstChar + i]);
    return window;
}

char ArmourCharacter(unsigned value)
{
    return static_cast<char>(value < 40 ? value + 48 : value + 56);
}

} // namespace

bool ReadMmsi(const std::string& line, std::uint32_t& mmsi)
{
    const std::size_t payload = FirstSentencePayload(line);
    if (payload == std::string::npos)
        return false;
    mmsi = static_cast<std::uint32_t>(MmsiWindow(line, payload) >> kMmsiShift & kMmsiMask);
    return true;
}

std::string WithMmsi(const std::string& line, std::uint32_t mmsi)
{
    const std::size_t payload = FirstSentencePayload(line);
    if (payload == std::string::npos)
        return line;
    std::uint64_t window = MmsiWindow(line, payload);
    window = (window & ~(kMmsiMask << kMmsiShift)) | (std::uint64_t{mmsi} & kMmsiMask) << kMmsiShift;
    std::string body = line.substr(0, line.find('*'));
    for (std::size_t i = 0; i < kMmsiChars; ++i) {
        const auto value = static_cast<unsigned>(window >> (6 * (kMmsiChars - 1 - i)) & 63);
        body[payload + kMmsiFirstChar + i] = ArmourCharacter(value);
    }
    body.resize(body.size() + 5); // room for "*hh", CR LF
    nmea::AppendChecksum(body.data());
    body.resize(std::strlen(body.c_str()));
    return body;
}

BusyTraffic BusyPortTraffic(const std::vector<std::string>& capture, std::size_t count,
                            std::uint32_t variants)
{
    BusyTraffic traffic;
    traffic.lines.reserve(count);
    std::unordered_set<std::uint32_t> mmsis;
    for (std::uint32_t copy = 0; traffic.lines.size() < count; ++copy) {
        const std::uint32_t variant = copy % variants;
        for (const std::string& line : capture) {
            if (traffic.lines.size() == count)
                break;
            std::uint32_t mmsi = 0;
            if (!ReadMmsi(line, mmsi)) {
                traffic.lines.push_back(line);
                continue;
            }
            mmsi ^= variant << kVariantShift;
            mmsis.insert(mmsi);
            traffic.lines.push_back(WithMmsi(line, mmsi));
        }
    }
    traffic.distinctMmsis = mmsis.size();
    return traffic;
}

} // namespace bench
