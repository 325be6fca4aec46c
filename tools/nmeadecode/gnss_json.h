#pragma once
// JSON of the GNSS latest-values record, in the offline decoder's output.

#include "json_writer.h"

#include "nmea/latest_values.h"

// The "gnss" object: every field of the record as it stands after the store.
void WriteGnssRecord(JsonWriter& out, const nmea::GnssRecord& gnss);
