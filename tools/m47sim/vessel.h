// A vessel under way on a slow, steady turn: the own ship whose position the internal GPS
// reports, and the simulated AIS targets around it.
#pragma once

namespace m47sim {

struct VesselMotion {
    double latitude = 0.0;  // degrees, north positive
    double longitude = 0.0; // degrees, east positive
    double speed = 0.0;     // knots over ground
    double course = 0.0;    // degrees true over ground, 0 <= course < 360
    double turnRate = 0.0;  // degrees per second, positive to starboard
};

// Moves the vessel `seconds` ahead along its course, turning it at its rate (flat-earth steps,
// fine for the few miles a simulation covers).
void Advance(VesselMotion& vessel, double seconds);

// The position `miles` nautical miles from `from` at `bearing` degrees true, on the sphere of
// 3440.065 NM; speed, course and turn rate stay `from`'s.
VesselMotion AtRangeAndBearing(const VesselMotion& from, double miles, double bearing);

// The initial true bearing from one vessel to another, 0 <= bearing < 360.
double BearingTo(const VesselMotion& from, const VesselMotion& to);

} // namespace m47sim
