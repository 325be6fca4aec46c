#pragma once
// The whole AIS decoding state of one sentence library: bit buffer, decoded-message area,
// layout table and target table. Built once, then fed every completed payload:
//
//   Dearmour(payload, fillBits, state.bits)
//   DecodeAisFields(state.layouts, state.bits, state.message)
//   UpdateTarget(state.targets, state.message, channel, 0, isVdo)

#include "nmea/ais_bits.h"
#include "nmea/ais_layouts.h"
#include "nmea/ais_message.h"
#include "nmea/ais_targets.h"

namespace nmea {

struct AisState;

// Links the layouts and prepares the latest-message stores; then InitTargetTable.
void BuildAisLayouts(AisState& state);

struct AisState {
    AisBitBuffer bits;
    AisMessage message;
    AisLayoutTable layouts;
    AisTargetTable targets;

    // Ready to decode: BuildAisLayouts, then InitTargetTable.
    AisState();
};

} // namespace nmea
