#include "nmea/ais_layouts.h"

namespace nmea {

namespace {

template <std::size_t N>
constexpr AisLayout MakeLayout(const AisFieldDef (&fields)[N])
{
    static_assert(N < 256);
    return AisLayout{fields, static_cast<std::uint8_t>(N)};
}

using namespace ais_layout;

constexpr AisLayout kPositionReportLayout = MakeLayout(kPositionReport);
constexpr AisLayout kBaseStationLayout = MakeLayout(kBaseStationReport);
constexpr AisLayout kStaticAndVoyageLayout = MakeLayout(kStaticAndVoyage);
constexpr AisLayout kBinaryAddressedLayout = MakeLayout(kBinaryAddressed);
constexpr AisLayout kAcknowledgeLayout = MakeLayout(kAcknowledge);
constexpr AisLayout kBinaryBroadcastLayout = MakeLayout(kBinaryBroadcast);
constexpr AisLayout kSarAircraftLayout = MakeLayout(kSarAircraft);
constexpr AisLayout kUtcInquiryLayout = MakeLayout(kUtcInquiry);
constexpr AisLayout kSafetyAddressedLayout = MakeLayout(kSafetyAddressed);
constexpr AisLayout kSafetyBroadcastLayout = MakeLayout(kSafetyBroadcast);
constexpr AisLayout kInterrogationLayout = MakeLayout(kInterrogation);
constexpr AisLayout kAssignedModeLayout = MakeLayout(kAssignedMode);
constexpr AisLayout kDgnssBroadcastLayout = MakeLayout(kDgnssBroadcast);
constexpr AisLayout kClassBPositionLayout = MakeLayout(kClassBPosition);
constexpr AisLayout kClassBExtendedLayout = MakeLayout(kClassBExtended);
constexpr AisLayout kDataLinkManagementLayout = MakeLayout(kDataLinkManagement);
constexpr AisLayout kAidToNavigationLayout = MakeLayout(kAidToNavigation);
constexpr AisLayout kChannelManagementLayout = MakeLayout(kChannelManagement);
constexpr AisLayout kGroupAssignmentLayout = MakeLayout(kGroupAssignment);
constexpr AisLayout kStaticDataPartALayout = MakeLayout(kStaticDataPartA);
constexpr AisLayout kStaticDataPartBLayout = MakeLayout(kStaticDataPartB);

constexpr std::array<const AisLayout*, kAisLayoutCount> kLayoutsByIndex = {
    &kPositionReportLayout,     // 1
    &kPositionReportLayout,     // 2
    &kPositionReportLayout,     // 3
    &kBaseStationLayout,        // 4
    &kStaticAndVoyageLayout,    // 5
    &kBinaryAddressedLayout,    // 6
    &kAcknowledgeLayout,        // 7
    &kBinaryBroadcastLayout,    // 8
    &kSarAircraftLayout,        // 9
    &kUtcInquiryLayout,         // 10
    &kBaseStationLayout,        // 11
    &kSafetyAddressedLayout,    // 12
    &kAcknowledgeLayout,        // 13
    &kSafetyBroadcastLayout,    // 14
    &kInterrogationLayout,      // 15
    &kAssignedModeLayout,       // 16
    &kDgnssBroadcastLayout,     // 17
    &kClassBPositionLayout,     // 18
    &kClassBExtendedLayout,     // 19
    &kDataLinkManagementLayout, // 20
    &kAidToNavigationLayout,    // 21
    &kChannelManagementLayout,  // 22
    &kGroupAssignmentLayout,    // 23
    &kStaticDataPartALayout,    // 24 part A
    &kStaticDataPartBLayout,    // 24 part B
};

} // namespace

void LinkAisLayouts(AisLayoutTable& table)
{
    table.layouts = kLayoutsByIndex;
}

} // namespace nmea
