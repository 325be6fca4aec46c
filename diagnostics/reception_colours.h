#pragma once
// The colours of the two AIS channels on the RECEPTION page: dots, lines and their legends.
#include "diagnostics/reception_minutes.h"

#include <QColor>

namespace m47::diagnostics {

inline QColor ChannelColour(AisChannel channel)
{
    return channel == AisChannel::A ? QColor(0x1F, 0x5F, 0xD0) : QColor(0xE0, 0x70, 0x10);
}

} // namespace m47::diagnostics
