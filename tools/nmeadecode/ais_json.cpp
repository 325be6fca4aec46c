#include "ais_json.h"

#include <array>
#include <string_view>

namespace {

bool IsSpare(std::string_view name)
{
    return name.starts_with("spare");
}

void WriteDimensions(JsonWriter& out, std::uint32_t value)
{
    const nmea::ShipDimensions d = nmea::SplitDimensions(value);
    out.UInt("to_bow", d.toBow);
    out.UInt("to_stern", d.toStern);
    out.UInt("to_port", d.toPort);
    out.UInt("to_starboard", d.toStarboard);
}

void WriteField(JsonWriter& out, const nmea::AisMessage& message, const nmea::AisFieldDef& field,
                std::string_view name, std::size_t offset)
{
    switch (field.kind) {
    case nmea::fkByte:
    case nmea::fkTimeStamp: out.UInt(name, nmea::MessageByte(message, offset)); break;
    case nmea::fkWord:
    case nmea::fkWordValue:
    case nmea::fkHeading: out.UInt(name, nmea::MessageWord(message, offset)); break;
    case nmea::fkLong:
    case nmea::fkMmsi:
    case nmea::fkRadioStatus: out.UInt(name, nmea::MessageDword(message, offset)); break;
    case nmea::fkDimensions: WriteDimensions(out, nmea::MessageDword(message, offset)); break;
    case nmea::fkEta: {
        const nmea::ArrivalTime eta = nmea::SplitEta(nmea::MessageDword(message, offset));
        out.UInt("month", eta.month);
        out.UInt("day", eta.day);
        out.UInt("hour", eta.hour);
        out.UInt("minute", eta.minute);
        break;
    }
    case nmea::fkSignedScaled:
    case nmea::fkScaled:
    case nmea::fkRateOfTurn:
    case nmea::fkLongitude:
    case nmea::fkLatitude:
    case nmea::fkCourse: out.Float(name, nmea::MessageFloat(message, offset)); break;
    case nmea::fkText:
    case nmea::fkTextRest:
        if (offset < message.bytes.size()) {
            out.Text(name, nmea::MessageText(message, offset), message.bytes.size() - offset);
        }
        break;
    case nmea::fkUnsupported: break;
    }
}

// "YYYY-MM-DD hh:mm:ss" of a packed stamp, built by hand: this runs for every AIS message.
void WriteStamp(JsonWriter& out, std::string_view key, const nmea::PackedDate& date,
                const nmea::PackedTime& time)
{
    char text[] = "0000-00-00 00:00:00";
    auto put = [&text](std::size_t at, unsigned value, std::size_t digits) {
        for (std::size_t i = digits; i-- > 0; value /= 10)
            text[at + i] = static_cast<char>('0' + value % 10);
    };
    put(0, date.year % 10000u, 4);
    put(5, date.month % 100u, 2);
    put(8, date.day % 100u, 2);
    put(11, time.hour % 100u, 2);
    put(14, time.minute % 100u, 2);
    put(17, time.second % 100u, 2);
    out.String(key, std::string_view(text, sizeof text - 1));
}

constexpr std::size_t kMaxLayoutFields = 32;
using LayoutNames = std::array<std::string_view, kMaxLayoutFields>;

// The field names of the layout, measured once: every AIS line writes a dozen of them.
const LayoutNames& FieldNames(const nmea::AisLayout& layout, std::size_t layoutIndex)
{
    static std::array<LayoutNames, nmea::kAisLayoutCount> names{};
    static std::array<bool, nmea::kAisLayoutCount> measured{};
    if (!measured[layoutIndex]) {
        for (std::size_t i = 0; i < layout.fieldCount && i < kMaxLayoutFields; ++i)
            names[layoutIndex][i] = layout.fields[i].name;
        measured[layoutIndex] = true;
    }
    return names[layoutIndex];
}

} // namespace

void WriteAisMessage(JsonWriter& out, const nmea::AisLayoutTable& layouts, const nmea::AisMessage& message)
{
    out.BeginObject("ais");
    bool addressed = false;
    const nmea::AisLayout* layout = nmea::MessageLayout(layouts, message);
    const LayoutNames* names = layout != nullptr ? &FieldNames(*layout, message.layoutIndex) : nullptr;
    nmea::ForEachDecodedField(layouts, message, [&](const nmea::AisFieldDef& field, std::size_t offset) {
        const auto i = static_cast<std::size_t>(&field - layout->fields);
        const std::string_view name = i < kMaxLayoutFields ? (*names)[i] : std::string_view(field.name);
        if (IsSpare(name))
            return;
        WriteField(out, message, field, name, offset);
        if (name == "addressed")
            addressed = nmea::MessageByte(message, offset) == 1;
    });
    if (message.Id() == 22 && addressed) {
        const std::size_t at = nmea::ais_layout::kType22DestinationOffset;
        out.UInt("dest1", nmea::MessageDword(message, at));
        out.UInt("dest2", nmea::MessageDword(message, at + 4));
    }
    out.EndObject();
}

void WriteAisTarget(JsonWriter& out, const nmea::AisTarget& target, int index)
{
    using nmea::TargetKind;
    out.BeginObject("target");
    out.Int("index", index);
    out.UInt("kind", static_cast<unsigned>(target.kind));
    out.UInt("mmsi", target.mmsi);
    out.UInt("status", nmea::TargetNavigationalStatus(target));
    out.UInt("epfd", nmea::TargetEpfd(target));
    out.UInt("accuracy", (target.flags & nmea::kTargetPositionAccuracy) ? 1 : 0);
    out.UInt("raim", (target.flags & nmea::kTargetRaim) ? 1 : 0);
    out.UInt("dte", (target.flags & nmea::kTargetDte) ? 1 : 0);
    out.Float("lon", target.longitude);
    out.Float("lat", target.latitude);
    out.Float("speed", target.sog);
    out.Float("course", target.cog);
    out.Float("heading", target.heading);
    out.Float("turn", target.rateOfTurn);
    out.Text("shipname", target.name.data(), target.name.size());
    out.Text("callsign", target.callSign.data(), target.callSign.size());
    out.UInt("shiptype", target.shipType);
    out.UInt("to_bow", target.toBow);
    out.UInt("to_stern", target.toStern);
    out.UInt("to_port", target.toPort);
    out.UInt("to_starboard", target.toStarboard);
    out.UInt("imo", target.imo);
    out.UInt("ais_version", target.aisVersion);
    out.BeginObject("eta");
    out.UInt("month", target.etaMonth);
    out.UInt("day", target.etaDay);
    out.UInt("hour", target.etaHour);
    out.UInt("minute", target.etaMinute);
    out.EndObject();
    out.Float("draught", target.draught);
    out.Text("destination", target.destination.data(), target.destination.size());
    out.Text("vendorid", target.vendorId.data(), target.vendorId.size());
    if (target.kind == TargetKind::ClassB) {
        const std::uint8_t f = target.classBFlags;
        out.UInt("cs", (f & nmea::kClassBCsUnit) ? 1 : 0);
        out.UInt("display", (f & nmea::kClassBDisplay) ? 1 : 0);
        out.UInt("dsc", (f & nmea::kClassBDsc) ? 1 : 0);
        out.UInt("band", (f & nmea::kClassBBand) ? 1 : 0);
        out.UInt("msg22", (f & nmea::kClassBMessage22) ? 1 : 0);
        out.UInt("assigned", (f & nmea::kClassBAssignedMode) ? 1 : 0);
    }
    if (target.kind == TargetKind::AidToNavigation) {
        const std::uint8_t a = target.aidToNavigation;
        out.UInt("aid_type", (a & nmea::kAidType) >> nmea::kAidTypeShift);
        out.UInt("off_position", (a & nmea::kAidOffPosition) ? 1 : 0);
        out.UInt("virtual_aid", (a & nmea::kAidVirtual) ? 1 : 0);
        out.UInt("assigned", (a & nmea::kAidAssignedMode) ? 1 : 0);
        out.Text("name_extension", nmea::TargetNameExtension(target), target.altitudeOrNameExtension.size());
    }
    if (target.kind == TargetKind::SarAircraft)
        out.Float("alt", nmea::TargetAltitude(target));
    WriteStamp(out, "first_seen", target.firstSeenDate, target.firstSeenTime);
    WriteStamp(out, "last_seen", target.lastSeenDate, target.lastSeenTime);
    out.UInt("vdm_count", target.vdmCount);
    out.UInt("vdo_count", target.vdoCount);
    out.EndObject();
}
