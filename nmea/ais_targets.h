#pragma once
// The AIS target table: one entry per MMSI heard, 2250 entries, the own ship (from VDO) in
// entry 0. Each decoded message updates its sender's entry by a per-type table of values to
// copy; the safety, interrogation and link-management messages are also kept as the latest
// message of their type.
//
// A busy port keeps the table full, so finding a sender and choosing the entry to reuse cost
// no walk over the entries: entries 1 .. TargetCount - 1 are indexed by MMSI and by last-seen
// stamp, and the own ship is looked at directly. The functions below keep both indexes in step;
// a caller that writes an entry's MMSI or last-seen stamp, or TargetCount, by hand (a test
// shaping a table) calls ReindexTargets afterwards.

#include "nmea/ais_clock.h"
#include "nmea/ais_message.h"
#include "nmea/eviction_order.h"
#include "nmea/mmsi_index.h"

#include <array>
#include <cstdint>

namespace nmea {

inline constexpr std::size_t kAisTargetCapacity = 2250;
inline constexpr std::size_t kOwnShipIndex = 0;

enum class TargetKind : std::uint8_t {
    BaseStation = 0,     // types 4, 16, 17, 20, 22, 23
    SarAircraft = 1,     // type 9
    AidToNavigation = 2, // type 21
    ClassA = 3,          // types 1 to 3, 5
    ClassB = 4,          // types 18, 19, 24
    Free = 5,
};

// Bits of AisTarget::flags.
inline constexpr std::uint8_t kTargetPositionAccuracy = 0x01;
inline constexpr std::uint8_t kTargetRaim = 0x02;
inline constexpr std::uint8_t kTargetDte = 0x04;
// Bits of AisTarget::classBFlags.
inline constexpr std::uint8_t kClassBAssignedMode = 0x01;
inline constexpr std::uint8_t kClassBCsUnit = 0x02;
inline constexpr std::uint8_t kClassBDisplay = 0x04;
inline constexpr std::uint8_t kClassBDsc = 0x08;
inline constexpr std::uint8_t kClassBBand = 0x10;
inline constexpr std::uint8_t kClassBMessage22 = 0x20;
// Bits of AisTarget::aidToNavigation: off-position, aid type in bits 1..5, virtual, assigned.
inline constexpr std::uint8_t kAidOffPosition = 0x01;
inline constexpr unsigned kAidTypeShift = 1;
inline constexpr std::uint8_t kAidType = 0x3E;
inline constexpr std::uint8_t kAidVirtual = 0x40;
inline constexpr std::uint8_t kAidAssignedMode = 0x80;

struct AisTarget {
    TargetKind kind = TargetKind::BaseStation;
    std::uint32_t mmsi = 0;         // 0: entry free
    std::uint8_t epfdAndStatus = 0; // EPFD type low 4 bits, navigational status high 4 bits
    std::uint8_t flags = 0;         // kTargetPositionAccuracy, kTargetRaim, kTargetDte
    float longitude = 0.0f;         // degrees; 181.0 not available
    float latitude = 0.0f;          // degrees; 91.0 not available
    float sog = 0.0f;               // knots
    float cog = 0.0f;               // degrees; 361.0 after reset
    float heading = 0.0f;           // degrees; 511.0 not available
    std::array<char, 21> name{};
    std::array<char, 8> callSign{};
    std::uint8_t shipType = 0;
    std::uint8_t toStarboard = 0; // low 6 bits
    std::uint8_t toPort = 0;      // low 6 bits
    std::uint16_t toStern = 0;    // low 9 bits
    std::uint16_t toBow = 0;      // low 9 bits
    std::uint32_t imo = 0;
    float rateOfTurn = 0.0f; // degrees per minute
    std::uint8_t etaMinute = 0;
    std::uint8_t etaHour = 0;
    std::uint8_t etaDay = 0;
    std::uint8_t etaMonth = 0;
    std::uint8_t aisVersion = 0; // low 2 bits
    float draught = 0.0f;        // metres
    std::array<char, 21> destination{};
    std::array<char, 8> vendorId{};
    std::uint8_t classBFlags = 0;     // kClassB... bits
    std::uint8_t aidToNavigation = 0; // kAid... bits
    // Type 9 keeps its altitude (a float, metres) here, type 21 its name extension (a text).
    std::array<std::uint8_t, 15> altitudeOrNameExtension{};
    PackedDate lastSeenDate;
    PackedTime lastSeenTime;
    PackedDate firstSeenDate;
    PackedTime firstSeenTime;
    std::uint32_t vdmCount = 0;
    std::uint32_t vdoCount = 0;
};

std::uint8_t TargetEpfd(const AisTarget& target);
std::uint8_t TargetNavigationalStatus(const AisTarget& target);
float TargetAltitude(const AisTarget& target);            // type 9 entries
const char* TargetNameExtension(const AisTarget& target); // type 21 entries

// Latest message of one type with its arrival flag; `channelCode` and `zero` are kept for
// types 15 and 20 only.
template <std::size_t N>
struct AisStoredMessage {
    std::array<std::uint8_t, N> bytes{};
    std::uint8_t isNew = 0;
    char channelCode = 0;
    std::uint32_t zero = 0;
};

// Type 14 keeps only the first 128 bytes of its message (a long text cut); the extra byte
// stays 0 so the cut text still ends.
inline constexpr std::size_t kSafetyBroadcastKeptBytes = 128;

struct AisTargetTable {
    std::array<AisTarget, kAisTargetCapacity> entries{};
    std::uint32_t TargetCount = 0;
    std::int32_t LastTargetIndex = -1;
    std::int32_t LastMessageKind = -1;                  // identifier, plus the part number for type 24
    AisStoredMessage<kAisMessageBytes> safetyAddressed; // type 12
    AisStoredMessage<kSafetyBroadcastKeptBytes + 1> safetyBroadcast; // type 14
    AisStoredMessage<kAisMessageBytes> interrogation;                // type 15
    AisStoredMessage<kAisMessageBytes> dataLinkManagement;           // type 20
    AisStoredMessage<kAisMessageBytes> channelManagement;            // type 22
    AisStoredMessage<kAisMessageBytes> groupAssignment;              // type 23
    ClockReading (*clock)() = ReadLocalClockSeconds;                 // the PC clock; tests set their own
    MmsiIndex<kAisTargetCapacity> byMmsi;                            // entries 1 .. TargetCount - 1
    EvictionOrder<kAisTargetCapacity> byLastSeen;                    // the same entries
};

// TargetCount 1, every entry free, the own ship with its start values.
void InitTargetTable(AisTargetTable& table);

// Builds both indexes anew from the entries in use.
void ReindexTargets(AisTargetTable& table);

// Type-23 corners not available, arrival flags cleared, no last target or message.
void ResetAisStores(AisTargetTable& table);

// Updates the sender's entry (entry 0 for the own ship) from a decoded message; returns the
// entry's index, or -1 for an identifier of 0 or above 24.
int UpdateTarget(AisTargetTable& table, const AisMessage& message, char channelCode, std::uint32_t zero,
                 bool ownShip);

// Frees the entry (never the own ship) seen longest ago, the lowest of those seen at the same
// second, and returns its index; entry 1 when no other entry is in use.
int EvictTarget(AisTargetTable& table);

// Clears the entry's identity, position and names (the EPFD type and some values stay until
// the next target's messages overwrite them).
void ResetTarget(AisTargetTable& table, std::size_t index);

} // namespace nmea
