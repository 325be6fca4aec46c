#pragma once
// JSON of a decoded AIS message and of a target-table entry, in the offline decoder's output.

#include "json_writer.h"

#include "nmea/ais_layouts.h"
#include "nmea/ais_message.h"
#include "nmea/ais_targets.h"

// The "ais" object: every decoded field under its layout's name, spares left out, values as
// the decoder stored them (degrees, knots, texts with their "@" padding). Dimensions become
// to_bow, to_stern, to_port, to_starboard; the arrival time month, day, hour, minute; an
// addressed type 22 adds dest1 and dest2.
void WriteAisMessage(JsonWriter& out, const nmea::AisLayoutTable& layouts, const nmea::AisMessage& message);

// The "target" object: the entry's index and its values.
void WriteAisTarget(JsonWriter& out, const nmea::AisTarget& target, int index);
