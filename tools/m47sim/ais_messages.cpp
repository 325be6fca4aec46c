#include "ais_messages.h"

#include "ais_bits.h"
#include "sentence.h"

#include <cmath>

namespace m47sim {

namespace {

// Longest payload of one fragment: "!AIVDM,2,1,9,A," + payload + ",2*hh" + CR LF stays within 82.
constexpr size_t kMaxFragmentChars = 60;

void PutDimensions(BitWriter& w, int toBow, int toStern, int toPort, int toStarboard)
{
    w.Put(static_cast<uint32_t>(toBow), 9);
    w.Put(static_cast<uint32_t>(toStern), 9);
    w.Put(static_cast<uint32_t>(toPort), 6);
    w.Put(static_cast<uint32_t>(toStarboard), 6);
}

void PutHeader(BitWriter& w, int type, int repeat, uint32_t mmsi)
{
    w.Put(static_cast<uint32_t>(type), 6);
    w.Put(static_cast<uint32_t>(repeat), 2);
    w.Put(mmsi, 30);
}

} // namespace

int32_t AisAngle(double degrees)
{
    return static_cast<int32_t>(std::lround(degrees * 600000.0));
}

std::vector<bool> EncodeAis(const PositionReportA& m)
{
    BitWriter w;
    PutHeader(w, m.type, m.repeat, m.mmsi);
    w.Put(static_cast<uint32_t>(m.navStatus), 4);
    w.PutSigned(m.rateOfTurn, 8);
    w.Put(static_cast<uint32_t>(m.speed), 10);
    w.Put(m.accuracy ? 1 : 0, 1);
    w.PutSigned(m.longitude, 28);
    w.PutSigned(m.latitude, 27);
    w.Put(static_cast<uint32_t>(m.course), 12);
    w.Put(static_cast<uint32_t>(m.heading), 9);
    w.Put(static_cast<uint32_t>(m.second), 6);
    w.Put(static_cast<uint32_t>(m.maneuver), 2);
    w.Put(0, 3); // spare
    w.Put(m.raim ? 1 : 0, 1);
    w.Put(m.radio, 19);
    return w.bits();
}

std::vector<bool> EncodeAis(const StaticVoyageData& m)
{
    BitWriter w;
    PutHeader(w, 5, m.repeat, m.mmsi);
    w.Put(static_cast<uint32_t>(m.aisVersion), 2);
    w.Put(m.imo, 30);
    w.PutText(m.callSign, 7);
    w.PutText(m.name, 20);
    w.Put(static_cast<uint32_t>(m.shipType), 8);
    PutDimensions(w, m.toBow, m.toStern, m.toPort, m.toStarboard);
    w.Put(static_cast<uint32_t>(m.epfd), 4);
    w.Put(static_cast<uint32_t>(m.etaMonth), 4);
    w.Put(static_cast<uint32_t>(m.etaDay), 5);
    w.Put(static_cast<uint32_t>(m.etaHour), 5);
    w.Put(static_cast<uint32_t>(m.etaMinute), 6);
    w.Put(static_cast<uint32_t>(m.draught), 8);
    w.PutText(m.destination, 20);
    w.Put(m.dte ? 1 : 0, 1);
    w.Put(0, 1); // spare
    return w.bits();
}

std::vector<bool> EncodeAis(const PositionReportB& m)
{
    BitWriter w;
    PutHeader(w, 18, m.repeat, m.mmsi);
    w.Put(0, 8); // regional reserved
    w.Put(static_cast<uint32_t>(m.speed), 10);
    w.Put(m.accuracy ? 1 : 0, 1);
    w.PutSigned(m.longitude, 28);
    w.PutSigned(m.latitude, 27);
    w.Put(static_cast<uint32_t>(m.course), 12);
    w.Put(static_cast<uint32_t>(m.heading), 9);
    w.Put(static_cast<uint32_t>(m.second), 6);
    w.Put(0, 2); // regional reserved
    for (bool flag : {m.csUnit, m.display, m.dsc, m.band, m.message22, m.assigned, m.raim})
        w.Put(flag ? 1 : 0, 1);
    w.Put(m.radio, 20);
    return w.bits();
}

std::vector<bool> EncodeAis(const StaticDataA& m)
{
    BitWriter w;
    PutHeader(w, 24, m.repeat, m.mmsi);
    w.Put(0, 2); // part A
    w.PutText(m.name, 20);
    return w.bits();
}

std::vector<bool> EncodeAis(const StaticDataB& m)
{
    BitWriter w;
    PutHeader(w, 24, m.repeat, m.mmsi);
    w.Put(1, 2); // part B
    w.Put(static_cast<uint32_t>(m.shipType), 8);
    w.PutText(m.vendorId, 7);
    w.PutText(m.callSign, 7);
    PutDimensions(w, m.toBow, m.toStern, m.toPort, m.toStarboard);
    w.Put(0, 6); // spare
    return w.bits();
}

std::vector<std::string> EncapsulateAis(const char* formatter, char channel, int sequenceId,
                                        const std::vector<bool>& bits)
{
    const ArmouredPayload payload = Armour(bits);
    const size_t total = (payload.text.size() + kMaxFragmentChars - 1) / kMaxFragmentChars;
    const std::string sequence = total > 1 ? std::to_string(sequenceId % 10) : std::string();
    std::vector<std::string> sentences;
    for (size_t i = 0; i < total; ++i) {
        const bool last = i + 1 == total;
        std::string body = std::string("AI") + formatter + ',' + std::to_string(total) + ',' +
                           std::to_string(i + 1) + ',' + sequence + ',' + channel + ',' +
                           payload.text.substr(i * kMaxFragmentChars, kMaxFragmentChars) + ',' +
                           std::to_string(last ? payload.fillBits : 0);
        sentences.push_back(FrameSentence('!', body));
    }
    return sentences;
}

} // namespace m47sim
