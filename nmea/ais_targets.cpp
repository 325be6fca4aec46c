#include "nmea/ais_targets.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace nmea {

namespace {

using namespace ais_layout;

constexpr std::uint8_t kLastDecodedType = 24;
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
constexpr float kLongitudeNotAvailable = 181.0f;
constexpr float kLatitudeNotAvailable = 91.0f;
constexpr float kCourseAfterReset = 361.0f;
constexpr float kHeadingNotAvailable = 511.0f;

// Every layout starts with type, repeat indicator and MMSI.
constexpr std::size_t kMmsiOffset = FieldOffset(kPositionReport, "mmsi");
constexpr std::size_t kPartNumberOffset = FieldOffset(kStaticDataPartA, "partno");
static_assert(kPartNumberOffset == FieldOffset(kStaticDataPartB, "partno"));

// A target value that a message type writes, read from the message by its stored form.
enum class TargetValue : std::uint8_t {
    NavigationalStatus,
    RateOfTurn,
    Sog,
    PositionAccuracy,
    Longitude,
    Latitude,
    Cog,
    Heading,
    Raim,
    Dte,
    Epfd,
    AisVersion,
    Imo,
    CallSign,
    Name,
    ShipType,
    Dimensions,
    Eta,
    Draught,
    Destination,
    Altitude,
    VendorId,
    CsUnit,
    Display,
    Dsc,
    Band,
    Message22,
    ClassBAssignedMode,
    AidType,
    OffPosition,
    VirtualAid,
    AidAssignedMode,
    NameExtension,
};

struct ValueCopy {
    TargetValue value;
    std::uint16_t offset; // of the field in the decoded message
};

template <std::size_t N>
constexpr ValueCopy Copy(TargetValue value, const AisFieldDef (&layout)[N], std::string_view field)
{
    return ValueCopy{value, static_cast<std::uint16_t>(FieldOffset(layout, field))};
}

using V = TargetValue;

constexpr ValueCopy kPositionReportCopies[] = {
    Copy(V::NavigationalStatus, kPositionReport, "status"),
    Copy(V::RateOfTurn, kPositionReport, "turn"),
    Copy(V::Sog, kPositionReport, "speed"),
    Copy(V::PositionAccuracy, kPositionReport, "accuracy"),
    Copy(V::Longitude, kPositionReport, "lon"),
    Copy(V::Latitude, kPositionReport, "lat"),
    Copy(V::Cog, kPositionReport, "course"),
    Copy(V::Heading, kPositionReport, "heading"),
    Copy(V::Raim, kPositionReport, "raim"),
};

constexpr ValueCopy kBaseStationCopies[] = {
    Copy(V::PositionAccuracy, kBaseStationReport, "accuracy"),
    Copy(V::Longitude, kBaseStationReport, "lon"),
    Copy(V::Latitude, kBaseStationReport, "lat"),
    Copy(V::Epfd, kBaseStationReport, "epfd"),
    Copy(V::Raim, kBaseStationReport, "raim"),
};

constexpr ValueCopy kStaticAndVoyageCopies[] = {
    Copy(V::AisVersion, kStaticAndVoyage, "ais_version"),
    Copy(V::Imo, kStaticAndVoyage, "imo"),
    Copy(V::CallSign, kStaticAndVoyage, "callsign"),
    Copy(V::Name, kStaticAndVoyage, "shipname"),
    Copy(V::ShipType, kStaticAndVoyage, "shiptype"),
    Copy(V::Dimensions, kStaticAndVoyage, "dimensions"),
    Copy(V::Epfd, kStaticAndVoyage, "epfd"),
    Copy(V::Eta, kStaticAndVoyage, "eta"),
    Copy(V::Draught, kStaticAndVoyage, "draught"),
    Copy(V::Destination, kStaticAndVoyage, "destination"),
    Copy(V::Dte, kStaticAndVoyage, "dte"),
};

constexpr ValueCopy kSarAircraftCopies[] = {
    Copy(V::Altitude, kSarAircraft, "alt"),
    Copy(V::Sog, kSarAircraft, "speed"),
    Copy(V::PositionAccuracy, kSarAircraft, "accuracy"),
    Copy(V::Longitude, kSarAircraft, "lon"),
    Copy(V::Latitude, kSarAircraft, "lat"),
    Copy(V::Cog, kSarAircraft, "course"),
    Copy(V::Dte, kSarAircraft, "dte"),
    Copy(V::Raim, kSarAircraft, "raim"),
};

constexpr ValueCopy kClassBPositionCopies[] = {
    Copy(V::Sog, kClassBPosition, "speed"),
    Copy(V::PositionAccuracy, kClassBPosition, "accuracy"),
    Copy(V::Longitude, kClassBPosition, "lon"),
    Copy(V::Latitude, kClassBPosition, "lat"),
    Copy(V::Cog, kClassBPosition, "course"),
    Copy(V::Heading, kClassBPosition, "heading"),
    Copy(V::Raim, kClassBPosition, "raim"),
    Copy(V::CsUnit, kClassBPosition, "cs"),
    Copy(V::Display, kClassBPosition, "display"),
    Copy(V::Dsc, kClassBPosition, "dsc"),
    Copy(V::Band, kClassBPosition, "band"),
    Copy(V::Message22, kClassBPosition, "msg22"),
    Copy(V::ClassBAssignedMode, kClassBPosition, "assigned"),
};

constexpr ValueCopy kClassBExtendedCopies[] = {
    Copy(V::Sog, kClassBExtended, "speed"),
    Copy(V::PositionAccuracy, kClassBExtended, "accuracy"),
    Copy(V::Longitude, kClassBExtended, "lon"),
    Copy(V::Latitude, kClassBExtended, "lat"),
    Copy(V::Cog, kClassBExtended, "course"),
    Copy(V::Heading, kClassBExtended, "heading"),
    Copy(V::Name, kClassBExtended, "shipname"),
    Copy(V::ShipType, kClassBExtended, "shiptype"),
    Copy(V::Dimensions, kClassBExtended, "dimensions"),
    Copy(V::Epfd, kClassBExtended, "epfd"),
    Copy(V::Raim, kClassBExtended, "raim"),
    Copy(V::Dte, kClassBExtended, "dte"),
};

constexpr ValueCopy kAidToNavigationCopies[] = {
    Copy(V::AidType, kAidToNavigation, "aid_type"),
    Copy(V::Name, kAidToNavigation, "name"),
    Copy(V::PositionAccuracy, kAidToNavigation, "accuracy"),
    Copy(V::Longitude, kAidToNavigation, "lon"),
    Copy(V::Latitude, kAidToNavigation, "lat"),
    Copy(V::Dimensions, kAidToNavigation, "dimensions"),
    Copy(V::Epfd, kAidToNavigation, "epfd"),
    Copy(V::OffPosition, kAidToNavigation, "off_position"),
    Copy(V::Raim, kAidToNavigation, "raim"),
    Copy(V::VirtualAid, kAidToNavigation, "virtual_aid"),
    Copy(V::AidAssignedMode, kAidToNavigation, "assigned"),
    Copy(V::NameExtension, kAidToNavigation, "name_extension"),
};

constexpr ValueCopy kStaticDataPartACopies[] = {
    Copy(V::Name, kStaticDataPartA, "shipname"),
};

// Any part number other than 0 is copied by the part B layout, whichever layout decoded it.
constexpr ValueCopy kStaticDataPartBCopies[] = {
    Copy(V::ShipType, kStaticDataPartB, "shiptype"),
    Copy(V::VendorId, kStaticDataPartB, "vendorid"),
    Copy(V::CallSign, kStaticDataPartB, "callsign"),
    Copy(V::Dimensions, kStaticDataPartB, "dimensions"),
};

enum class StoreSlot : std::uint8_t {
    None,
    SafetyAddressed,
    SafetyBroadcast,
    Interrogation,
    DataLinkManagement,
    ChannelManagement,
    GroupAssignment,
};

constexpr int kKindUnchanged = -1;

struct TargetUpdate {
    int kind; // a TargetKind, or kKindUnchanged
    std::span<const ValueCopy> copies;
    StoreSlot store;
};

constexpr int Kind(TargetKind kind)
{
    return static_cast<int>(kind);
}

// Index = message identifier - 1; type 24 part B is the extra entry at the end.
constexpr TargetUpdate kUpdates[] = {
    {Kind(TargetKind::ClassA), kPositionReportCopies, StoreSlot::None},           // 1
    {Kind(TargetKind::ClassA), kPositionReportCopies, StoreSlot::None},           // 2
    {Kind(TargetKind::ClassA), kPositionReportCopies, StoreSlot::None},           // 3
    {Kind(TargetKind::BaseStation), kBaseStationCopies, StoreSlot::None},         // 4
    {Kind(TargetKind::ClassA), kStaticAndVoyageCopies, StoreSlot::None},          // 5
    {kKindUnchanged, {}, StoreSlot::None},                                        // 6
    {kKindUnchanged, {}, StoreSlot::None},                                        // 7
    {kKindUnchanged, {}, StoreSlot::None},                                        // 8
    {Kind(TargetKind::SarAircraft), kSarAircraftCopies, StoreSlot::None},         // 9
    {kKindUnchanged, {}, StoreSlot::None},                                        // 10
    {kKindUnchanged, {}, StoreSlot::None},                                        // 11
    {kKindUnchanged, {}, StoreSlot::SafetyAddressed},                             // 12
    {kKindUnchanged, {}, StoreSlot::None},                                        // 13
    {kKindUnchanged, {}, StoreSlot::SafetyBroadcast},                             // 14
    {kKindUnchanged, {}, StoreSlot::Interrogation},                               // 15
    {Kind(TargetKind::BaseStation), {}, StoreSlot::None},                         // 16
    {Kind(TargetKind::BaseStation), {}, StoreSlot::None},                         // 17
    {Kind(TargetKind::ClassB), kClassBPositionCopies, StoreSlot::None},           // 18
    {Kind(TargetKind::ClassB), kClassBExtendedCopies, StoreSlot::None},           // 19
    {Kind(TargetKind::BaseStation), {}, StoreSlot::DataLinkManagement},           // 20
    {Kind(TargetKind::AidToNavigation), kAidToNavigationCopies, StoreSlot::None}, // 21
    {Kind(TargetKind::BaseStation), {}, StoreSlot::ChannelManagement},            // 22
    {Kind(TargetKind::BaseStation), {}, StoreSlot::GroupAssignment},              // 23
    {Kind(TargetKind::ClassB), kStaticDataPartACopies, StoreSlot::None},          // 24 part A
    {Kind(TargetKind::ClassB), kStaticDataPartBCopies, StoreSlot::None},          // 24 part B
};
static_assert(std::size(kUpdates) == kLastDecodedType + 1);

const TargetUpdate& UpdateFor(const AisMessage& message)
{
    const std::uint8_t type = message.Id();
    if (type == 24 && MessageByte(message, kPartNumberOffset) != 0) {
        return kUpdates[kLastDecodedType];
    }
    return kUpdates[type - 1u];
}

template <std::size_t N>
void CopyText(std::array<char, N>& to, const char* from)
{
    to.fill('\0');
    std::memcpy(to.data(), from, strnlen(from, N - 1));
}

void SetBit(std::uint8_t& byte, std::uint8_t bit, bool on)
{
    byte = static_cast<std::uint8_t>(on ? byte | bit : byte & ~bit);
}

void ApplyValue(AisTarget& target, const AisMessage& message, const ValueCopy& copy)
{
    const std::size_t at = copy.offset;
    const std::uint8_t byte = MessageByte(message, at);
    switch (copy.value) {
    case V::NavigationalStatus:
        target.epfdAndStatus = static_cast<std::uint8_t>((target.epfdAndStatus & 0x0F) | (byte << 4));
        break;
    case V::Epfd:
        target.epfdAndStatus = static_cast<std::uint8_t>((target.epfdAndStatus & 0xF0) | (byte & 0x0F));
        break;
    case V::RateOfTurn: target.rateOfTurn = MessageFloat(message, at); break;
    case V::Sog: target.sog = MessageFloat(message, at); break;
    case V::Longitude: target.longitude = MessageFloat(message, at); break;
    case V::Latitude: target.latitude = MessageFloat(message, at); break;
    case V::Cog: target.cog = MessageFloat(message, at); break;
    case V::Draught: target.draught = MessageFloat(message, at); break;
    case V::Heading: target.heading = static_cast<float>(MessageWord(message, at)); break;
    case V::PositionAccuracy: SetBit(target.flags, kTargetPositionAccuracy, byte & 1); break;
    case V::Raim: SetBit(target.flags, kTargetRaim, byte & 1); break;
    case V::Dte: SetBit(target.flags, kTargetDte, byte & 1); break;
    case V::AisVersion: target.aisVersion = byte & 0x03; break;
    case V::Imo: target.imo = MessageDword(message, at); break;
    case V::CallSign: CopyText(target.callSign, MessageText(message, at)); break;
    case V::Name: CopyText(target.name, MessageText(message, at)); break;
    case V::Destination: CopyText(target.destination, MessageText(message, at)); break;
    case V::VendorId: CopyText(target.vendorId, MessageText(message, at)); break;
    case V::ShipType: target.shipType = byte; break;
    case V::Dimensions: {
        const ShipDimensions d = SplitDimensions(MessageDword(message, at));
        target.toBow = d.toBow;
        target.toStern = d.toStern;
        target.toPort = d.toPort;
        target.toStarboard = d.toStarboard;
        break;
    }
    case V::Eta: {
        const ArrivalTime eta = SplitEta(MessageDword(message, at));
        target.etaMonth = eta.month;
        target.etaDay = eta.day;
        target.etaHour = eta.hour;
        target.etaMinute = eta.minute;
        break;
    }
    case V::Altitude: {
        const auto altitude = static_cast<float>(MessageWord(message, at));
        std::memcpy(target.altitudeOrNameExtension.data(), &altitude, sizeof altitude);
        break;
    }
    case V::NameExtension: {
        const char* text = MessageText(message, at);
        target.altitudeOrNameExtension.fill(0);
        std::memcpy(target.altitudeOrNameExtension.data(), text,
                    strnlen(text, target.altitudeOrNameExtension.size() - 1));
        break;
    }
    case V::CsUnit: SetBit(target.classBFlags, kClassBCsUnit, byte & 1); break;
    case V::Display: SetBit(target.classBFlags, kClassBDisplay, byte & 1); break;
    case V::Dsc: SetBit(target.classBFlags, kClassBDsc, byte & 1); break;
    case V::Band: SetBit(target.classBFlags, kClassBBand, byte & 1); break;
    case V::Message22: SetBit(target.classBFlags, kClassBMessage22, byte & 1); break;
    case V::ClassBAssignedMode: SetBit(target.classBFlags, kClassBAssignedMode, byte & 1); break;
    case V::AidType:
        target.aidToNavigation = static_cast<std::uint8_t>((target.aidToNavigation & ~kAidType) |
                                                           ((byte << kAidTypeShift) & kAidType));
        break;
    case V::OffPosition: SetBit(target.aidToNavigation, kAidOffPosition, byte & 1); break;
    case V::VirtualAid: SetBit(target.aidToNavigation, kAidVirtual, byte & 1); break;
    case V::AidAssignedMode: SetBit(target.aidToNavigation, kAidAssignedMode, byte & 1); break;
    }
}

template <std::size_t N>
void Store(AisStoredMessage<N>& store, const AisMessage& message, std::size_t keep)
{
    store.bytes.fill(0);
    std::memcpy(store.bytes.data(), message.bytes.data(), std::min({keep, N, message.bytes.size()}));
    store.isNew = 1;
}

void StoreMessage(AisTargetTable& table, StoreSlot slot, const AisMessage& message, char channelCode,
                  std::uint32_t zero)
{
    switch (slot) {
    case StoreSlot::None: break;
    case StoreSlot::SafetyAddressed: Store(table.safetyAddressed, message, kAisMessageBytes); break;
    case StoreSlot::SafetyBroadcast: Store(table.safetyBroadcast, message, kSafetyBroadcastKeptBytes); break;
    case StoreSlot::Interrogation:
        Store(table.interrogation, message, kAisMessageBytes);
        table.interrogation.channelCode = channelCode;
        table.interrogation.zero = zero;
        break;
    case StoreSlot::DataLinkManagement:
        Store(table.dataLinkManagement, message, kAisMessageBytes);
        table.dataLinkManagement.channelCode = channelCode;
        table.dataLinkManagement.zero = zero;
        break;
    case StoreSlot::ChannelManagement: Store(table.channelManagement, message, kAisMessageBytes); break;
    case StoreSlot::GroupAssignment: Store(table.groupAssignment, message, kAisMessageBytes); break;
    }
}

std::size_t EntriesInUse(const AisTargetTable& table)
{
    return std::min<std::size_t>(table.TargetCount, kAisTargetCapacity);
}

// Entries 1 .. TargetCount - 1 are in the indexes; the own ship never is.
bool IsIndexed(const AisTargetTable& table, std::size_t index)
{
    return index != kOwnShipIndex && index < EntriesInUse(table);
}

std::uint32_t LastSeenStamp(const AisTarget& target)
{
    return StampSeconds(target.lastSeenDate, target.lastSeenTime);
}

// The first entry with the MMSI, as a walk from entry 0 would find it.
std::size_t FindTarget(const AisTargetTable& table, std::uint32_t mmsi)
{
    if (EntriesInUse(table) == 0) {
        return kNotFound;
    }
    if (table.entries[kOwnShipIndex].mmsi == mmsi) {
        return kOwnShipIndex;
    }
    const std::size_t found = table.byMmsi.Find(mmsi);
    return found == table.byMmsi.kNone ? kNotFound : found;
}

void SetMmsi(AisTargetTable& table, std::size_t index, std::uint32_t mmsi)
{
    AisTarget& target = table.entries[index];
    if (IsIndexed(table, index)) {
        table.byMmsi.Erase(target.mmsi, index);
        table.byMmsi.Insert(mmsi, index);
    }
    target.mmsi = mmsi;
}

void SetLastSeen(AisTargetTable& table, std::size_t index, const PackedDate& date, const PackedTime& time)
{
    AisTarget& target = table.entries[index];
    target.lastSeenDate = date;
    target.lastSeenTime = time;
    if (IsIndexed(table, index)) {
        table.byLastSeen.Move(index, LastSeenStamp(target));
    }
}

// Entry TargetCount joins the entries in use, under the MMSI it holds.
std::size_t TakeNextEntry(AisTargetTable& table)
{
    const std::size_t index = table.TargetCount++;
    if (IsIndexed(table, index)) {
        const AisTarget& target = table.entries[index];
        table.byMmsi.Insert(target.mmsi, index);
        table.byLastSeen.Insert(index, LastSeenStamp(target));
    }
    return index;
}

void PutFloat(std::array<std::uint8_t, kAisMessageBytes>& bytes, std::size_t offset, float value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

} // namespace

std::uint8_t TargetEpfd(const AisTarget& target)
{
    return target.epfdAndStatus & 0x0F;
}

std::uint8_t TargetNavigationalStatus(const AisTarget& target)
{
    return static_cast<std::uint8_t>(target.epfdAndStatus >> 4);
}

float TargetAltitude(const AisTarget& target)
{
    float altitude = 0.0f;
    std::memcpy(&altitude, target.altitudeOrNameExtension.data(), sizeof altitude);
    return altitude;
}

const char* TargetNameExtension(const AisTarget& target)
{
    // The last byte is never written by a name extension, so the text always ends.
    return reinterpret_cast<const char*>(target.altitudeOrNameExtension.data());
}

void InitTargetTable(AisTargetTable& table)
{
    table.TargetCount = 1;
    for (AisTarget& target : table.entries) {
        target.mmsi = 0;
        target.longitude = kLongitudeNotAvailable;
        target.latitude = kLatitudeNotAvailable;
        target.kind = TargetKind::Free;
    }
    // Shown as the own ship until the first VDO position report arrives.
    AisTarget& own = table.entries[kOwnShipIndex];
    own.mmsi = 0;
    own.epfdAndStatus &= 0x0F;
    own.rateOfTurn = 5.0f;
    own.sog = 15.0f;
    own.flags &= static_cast<std::uint8_t>(~kTargetPositionAccuracy);
    own.longitude = 150.0f;
    own.latitude = -30.0f;
    own.cog = 301.0f;
    own.heading = 62.0f;
    own.kind = TargetKind::ClassA;
    ReindexTargets(table);
}

void ReindexTargets(AisTargetTable& table)
{
    table.byMmsi.Clear();
    table.byLastSeen.Clear();
    for (std::size_t i = kOwnShipIndex + 1; i < EntriesInUse(table); ++i) {
        table.byMmsi.Insert(table.entries[i].mmsi, i);
        table.byLastSeen.Insert(i, LastSeenStamp(table.entries[i]));
    }
}

void ResetAisStores(AisTargetTable& table)
{
    auto& corners = table.groupAssignment.bytes;
    PutFloat(corners, FieldOffset(kGroupAssignment, "ne_lon"), kLongitudeNotAvailable);
    PutFloat(corners, FieldOffset(kGroupAssignment, "ne_lat"), kLatitudeNotAvailable);
    PutFloat(corners, FieldOffset(kGroupAssignment, "sw_lon"), kLongitudeNotAvailable);
    PutFloat(corners, FieldOffset(kGroupAssignment, "sw_lat"), kLatitudeNotAvailable);
    table.safetyAddressed.isNew = 0;
    table.safetyBroadcast.isNew = 0;
    table.interrogation.isNew = 0;
    table.dataLinkManagement.isNew = 0;
    table.channelManagement.isNew = 0;
    table.groupAssignment.isNew = 0;
    table.LastTargetIndex = -1;
    table.LastMessageKind = -1;
}

int UpdateTarget(AisTargetTable& table, const AisMessage& message, char channelCode, std::uint32_t zero,
                 bool ownShip)
{
    const std::uint8_t type = message.Id();
    if (type == 0 || type > kLastDecodedType) {
        return -1;
    }
    const std::uint32_t mmsi = MessageDword(message, kMmsiOffset);
    std::size_t index = kOwnShipIndex;
    bool isNew = false;
    if (ownShip) {
        if (table.TargetCount < 1) {
            table.TargetCount = 1;
            isNew = true;
        }
        // The own ship keeps the first MMSI it reported.
        if (table.entries[kOwnShipIndex].mmsi == 0) {
            table.entries[kOwnShipIndex].mmsi = mmsi;
            isNew = true;
        }
    } else {
        index = FindTarget(table, mmsi);
        if (index == kNotFound) {
            index = table.TargetCount < kAisTargetCapacity ? TakeNextEntry(table)
                                                           : static_cast<std::size_t>(EvictTarget(table));
            SetMmsi(table, index, mmsi);
            isNew = true;
        }
    }

    AisTarget& target = table.entries[index];
    const ClockReading now = table.clock != nullptr ? table.clock() : ReadLocalClockSeconds();
    if (isNew) {
        target.vdmCount = 0;
        target.vdoCount = 0;
        target.firstSeenDate = PackDate(now);
        target.firstSeenTime = PackTime(now);
    }
    SetLastSeen(table, index, PackDate(now), PackTime(now));

    table.LastTargetIndex = static_cast<std::int32_t>(index);
    table.LastMessageKind = type == 24 ? type + MessageByte(message, kPartNumberOffset) : type;

    const TargetUpdate& update = UpdateFor(message);
    if (update.kind != kKindUnchanged) {
        target.kind = static_cast<TargetKind>(update.kind);
    }
    for (const ValueCopy& copy : update.copies) {
        ApplyValue(target, message, copy);
    }
    StoreMessage(table, update.store, message, channelCode, zero);
    return static_cast<int>(index);
}

int EvictTarget(AisTargetTable& table)
{
    const std::size_t oldest = table.byLastSeen.Oldest();
    const std::size_t chosen = oldest == table.byLastSeen.kNone ? 1 : oldest;
    ResetTarget(table, chosen);
    return static_cast<int>(chosen);
}

void ResetTarget(AisTargetTable& table, std::size_t index)
{
    AisTarget& target = table.entries[index];
    target.longitude = kLongitudeNotAvailable;
    target.latitude = kLatitudeNotAvailable;
    target.kind = TargetKind::Free;
    SetMmsi(table, index, 0);
    target.imo = 0;
    target.epfdAndStatus &= 0x0F; // the EPFD type stays
    target.rateOfTurn = 0.0f;
    target.cog = kCourseAfterReset;
    target.heading = kHeadingNotAvailable;
    target.sog = 0.0f;
    target.flags = static_cast<std::uint8_t>((target.flags & ~kTargetPositionAccuracy) | kTargetDte);
    target.name.fill('\0');
    target.callSign.fill('\0');
    SetLastSeen(table, index, PackedDate{}, PackedTime{});
}

} // namespace nmea
