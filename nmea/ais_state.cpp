#include "nmea/ais_state.h"

namespace nmea {

void BuildAisLayouts(AisState& state)
{
    LinkAisLayouts(state.layouts);
    ResetAisStores(state.targets);
}

AisState::AisState()
{
    BuildAisLayouts(*this);
    InitTargetTable(targets);
}

} // namespace nmea
