// The AIS picture around the own ship: five named vessels close by and a fleet spread from 3 to
// 40 NM at all bearings, class A and class B under way, reported as VDM sentences on channels A
// and B, and the own ship's position as VDO. With an empty sector, targets whose bearing from
// the own ship lies in that 30-degree sector are not heard, as behind a mast's shadow.
#pragma once

#include "vessel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace m47sim {

struct SimulatedTarget {
    uint32_t mmsi = 0;
    bool classB = false;
    int positionType = 1; // class A: message 1 or 3
    int navStatus = 0;
    VesselMotion motion;
    std::string name;
    std::string callSign;
    std::string destination;
    std::string vendorId; // class B
    uint32_t imo = 0;
    int shipType = 0;
    int toBow = 0, toStern = 0, toPort = 0, toStarboard = 0;
    int draught = 0; // 0.1 metre
};

class AisTraffic
{
public:
    // Targets placed around the own ship's starting position; `emptySector` (degrees true) is
    // the start of the 30-degree sector from which nothing is heard.
    AisTraffic(const VesselMotion& ownStart, uint32_t ownMmsi, std::optional<double> emptySector = {});

    // The sentences of second number `second` (0, 1, 2, ...): four target position reports on
    // alternating channels, every ten seconds a type 5 and a type 24 pair, and, when
    // `ownReport`, the own ship's VDO. `utcSecond` fills the time stamps.
    std::vector<std::string> Second(long second, const VesselMotion& own, int utcSecond, bool ownReport);

    // Moves every target ahead.
    void Advance(double seconds);

    const std::vector<SimulatedTarget>& targets() const { return targets_; }

private:
    std::vector<std::string> PositionOf(const SimulatedTarget& target, char channel, int utcSecond);
    std::vector<std::string> StaticOf(const SimulatedTarget& target, char channel);
    bool Heard(const SimulatedTarget& target, const VesselMotion& own) const;

    std::vector<SimulatedTarget> targets_;
    uint32_t ownMmsi_;
    std::optional<double> emptySector_;
    int sequenceId_ = 0;
};

} // namespace m47sim
