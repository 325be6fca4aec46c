#include "ais_traffic.h"

#include "ais_messages.h"

#include <cmath>

namespace m47sim {

namespace {

int Tenths(double value)
{
    return static_cast<int>(std::lround(value * 10.0));
}

int CourseTenths(double course)
{
    return Tenths(course) % 3600;
}

int Heading(double course)
{
    return static_cast<int>(std::lround(course)) % 360;
}

SimulatedTarget Near(const VesselMotion& own, double north, double east, double speed, double course)
{
    SimulatedTarget t;
    t.motion.latitude = own.latitude + north;
    t.motion.longitude = own.longitude + east;
    t.motion.speed = speed;
    t.motion.course = course;
    t.motion.turnRate = 0.02;
    return t;
}

// The fleet around the named vessels: at bearings 12 degrees apart and ranges spread from 3 to
// 40 NM, every third one class B; slow enough to stay put for the length of a test.
constexpr int kFleetSize = 30;
constexpr double kFleetNearest = 3.0, kFleetFarthest = 40.0;
constexpr double kSectorWidth = 30.0;

SimulatedTarget FleetMember(const VesselMotion& own, int k)
{
    SimulatedTarget t;
    const double spread = static_cast<double>((k * 7) % kFleetSize) / (kFleetSize - 1);
    t.motion = AtRangeAndBearing(own, kFleetNearest + (kFleetFarthest - kFleetNearest) * spread, 5.0 + 12.0 * k);
    t.motion.speed = 2.0 + (k * 5) % 11;
    t.motion.course = (k * 47) % 360;
    t.motion.turnRate = 0.0;
    t.mmsi = 211000000u + static_cast<uint32_t>(k) * 10101u;
    t.classB = k % 3 == 2;
    const std::string number = (k < 10 ? "0" : "") + std::to_string(k);
    t.name = "FLEET " + number;
    t.callSign = "SIM" + number;
    t.destination = "OFFSHORE";
    t.vendorId = t.classB ? "VLD" + number : "";
    t.imo = t.classB ? 0 : 9500000u + static_cast<uint32_t>(k);
    t.shipType = t.classB ? 37 : 70;
    t.toBow = 40, t.toStern = 10, t.toPort = 6, t.toStarboard = 6;
    t.draught = t.classB ? 0 : 60;
    return t;
}

} // namespace

AisTraffic::AisTraffic(const VesselMotion& ownStart, uint32_t ownMmsi, std::optional<double> emptySector)
    : ownMmsi_(ownMmsi), emptySector_(emptySector)
{
    SimulatedTarget trader = Near(ownStart, 0.05, 0.03, 14.2, 200.0);
    trader.mmsi = 244123456;
    trader.name = "NORDIC TRADER";
    trader.callSign = "PDAB";
    trader.destination = "ROTTERDAM";
    trader.imo = 9300123;
    trader.shipType = 70;
    trader.toBow = 120, trader.toStern = 30, trader.toPort = 10, trader.toStarboard = 12;
    trader.draught = 78;

    SimulatedTarget ferry = Near(ownStart, -0.04, 0.06, 18.5, 310.0);
    ferry.mmsi = 227004321;
    ferry.positionType = 3;
    ferry.name = "MARIE CLAIRE";
    ferry.callSign = "FMCL";
    ferry.destination = "LE HAVRE";
    ferry.imo = 9411200;
    ferry.shipType = 60;
    ferry.toBow = 90, ferry.toStern = 25, ferry.toPort = 11, ferry.toStarboard = 11;
    ferry.draught = 54;

    SimulatedTarget tanker = Near(ownStart, 0.02, -0.07, 0.0, 90.0);
    tanker.mmsi = 366998877;
    tanker.navStatus = 1; // at anchor
    tanker.name = "PACIFIC STAR";
    tanker.callSign = "WPS4";
    tanker.destination = "LONG BEACH";
    tanker.imo = 9200456;
    tanker.shipType = 80;
    tanker.toBow = 200, tanker.toStern = 50, tanker.toPort = 20, tanker.toStarboard = 20;
    tanker.draught = 121;

    SimulatedTarget yacht = Near(ownStart, -0.01, -0.02, 6.4, 45.0);
    yacht.mmsi = 338123456;
    yacht.classB = true;
    yacht.name = "SEA BREEZE";
    yacht.callSign = "WDC1234";
    yacht.vendorId = "VLD0001";
    yacht.shipType = 37;
    yacht.toBow = 8, yacht.toStern = 4, yacht.toPort = 2, yacht.toStarboard = 2;

    SimulatedTarget sailer = Near(ownStart, 0.03, -0.01, 4.8, 135.0);
    sailer.mmsi = 503112233;
    sailer.classB = true;
    sailer.name = "KOOKABURRA";
    sailer.callSign = "VJK2233";
    sailer.vendorId = "VLD0002";
    sailer.shipType = 36;
    sailer.toBow = 9, sailer.toStern = 3, sailer.toPort = 2, sailer.toStarboard = 1;

    targets_ = {trader, ferry, tanker, yacht, sailer};
    for (int k = 0; k < kFleetSize; ++k)
        targets_.push_back(FleetMember(ownStart, k));
}

bool AisTraffic::Heard(const SimulatedTarget& target, const VesselMotion& own) const
{
    if (!emptySector_)
        return true;
    const double into = std::fmod(BearingTo(own, target.motion) - *emptySector_ + 720.0, 360.0);
    return into >= kSectorWidth;
}

std::vector<std::string> AisTraffic::PositionOf(const SimulatedTarget& t, char channel, int utcSecond)
{
    const auto& m = t.motion;
    if (t.classB) {
        PositionReportB report;
        report.mmsi = t.mmsi;
        report.speed = Tenths(m.speed);
        report.longitude = AisAngle(m.longitude);
        report.latitude = AisAngle(m.latitude);
        report.course = CourseTenths(m.course);
        report.second = utcSecond;
        report.radio = 0xE0006; // ITDMA selector with a plain communication state
        return EncapsulateAis("VDM", channel, 0, EncodeAis(report));
    }
    PositionReportA report;
    report.type = t.positionType;
    report.mmsi = t.mmsi;
    report.navStatus = t.navStatus;
    report.rateOfTurn = 0;
    report.speed = Tenths(m.speed);
    report.accuracy = true;
    report.longitude = AisAngle(m.longitude);
    report.latitude = AisAngle(m.latitude);
    report.course = CourseTenths(m.course);
    report.heading = Heading(m.course);
    report.second = utcSecond;
    return EncapsulateAis("VDM", channel, 0, EncodeAis(report));
}

std::vector<std::string> AisTraffic::StaticOf(const SimulatedTarget& t, char channel)
{
    if (t.classB) {
        StaticDataA partA;
        partA.mmsi = t.mmsi;
        partA.name = t.name;
        StaticDataB partB;
        partB.mmsi = t.mmsi;
        partB.shipType = t.shipType;
        partB.vendorId = t.vendorId;
        partB.callSign = t.callSign;
        partB.toBow = t.toBow, partB.toStern = t.toStern, partB.toPort = t.toPort,
        partB.toStarboard = t.toStarboard;
        auto sentences = EncapsulateAis("VDM", channel, 0, EncodeAis(partA));
        for (auto& s : EncapsulateAis("VDM", channel, 0, EncodeAis(partB)))
            sentences.push_back(std::move(s));
        return sentences;
    }
    StaticVoyageData data;
    data.mmsi = t.mmsi;
    data.imo = t.imo;
    data.callSign = t.callSign;
    data.name = t.name;
    data.shipType = t.shipType;
    data.toBow = t.toBow, data.toStern = t.toStern, data.toPort = t.toPort, data.toStarboard = t.toStarboard;
    data.etaMonth = 12, data.etaDay = 24, data.etaHour = 18, data.etaMinute = 30;
    data.draught = t.draught;
    data.destination = t.destination;
    sequenceId_ = sequenceId_ % 9 + 1;
    return EncapsulateAis("VDM", channel, sequenceId_, EncodeAis(data));
}

std::vector<std::string> AisTraffic::Second(long second, const VesselMotion& own, int utcSecond,
                                            bool ownReport)
{
    std::vector<std::string> out;
    const auto count = static_cast<long>(targets_.size());
    const char channel = second % 2 == 0 ? 'A' : 'B';
    const char other = channel == 'A' ? 'B' : 'A';
    constexpr long kReportsPerSecond = 4;
    for (long report = 0; report < kReportsPerSecond; ++report) {
        const long i = (kReportsPerSecond * second + report) % count;
        const SimulatedTarget& target = targets_[static_cast<size_t>(i)];
        if (!Heard(target, own))
            continue;
        for (auto& s : PositionOf(target, i % 2 == 0 ? channel : other, utcSecond))
            out.push_back(std::move(s));
    }

    // Static data: the class A targets in turn on 3, 13, 23 ...; the class B ones on 7, 17, 27 ...
    const long slot = second / 10;
    for (bool classB : {false, true}) {
        if (second % 10 != (classB ? 7 : 3))
            continue;
        std::vector<const SimulatedTarget*> group;
        for (const auto& t : targets_)
            if (t.classB == classB)
                group.push_back(&t);
        const auto& target = *group[static_cast<size_t>(slot % static_cast<long>(group.size()))];
        if (!Heard(target, own))
            continue;
        for (auto& s : StaticOf(target, slot % 2 == 0 ? 'A' : 'B'))
            out.push_back(std::move(s));
    }

    if (ownReport) {
        PositionReportA report;
        report.mmsi = ownMmsi_;
        report.rateOfTurn = 0;
        report.speed = Tenths(own.speed);
        report.accuracy = true;
        report.longitude = AisAngle(own.longitude);
        report.latitude = AisAngle(own.latitude);
        report.course = CourseTenths(own.course);
        report.heading = Heading(own.course);
        report.second = utcSecond;
        for (auto& s : EncapsulateAis("VDO", 'A', 0, EncodeAis(report)))
            out.push_back(std::move(s));
    }
    return out;
}

void AisTraffic::Advance(double seconds)
{
    for (auto& t : targets_)
        m47sim::Advance(t.motion, seconds);
}

} // namespace m47sim
