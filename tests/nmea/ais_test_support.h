#pragma once
// Helpers of the AIS tests: armouring synthetic messages, feeding payloads to the decoder,
// reading decoded fields by name, and a reader for the flat JSON objects of the reference data.

#include "nmea/ais_state.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nmea::test {

// Builds a message bit by bit, most significant bit first.
class BitWriter
{
public:
    BitWriter& Put(std::uint32_t value, unsigned width);
    BitWriter& PutText(std::string_view text, unsigned characters); // six-bit characters
    BitWriter& PadTo(std::size_t bitCount);
    std::size_t Size() const { return bits_.size(); }
    // Six-bit armouring with the fill bits that complete the last character.
    std::string Armour(int& fillBits) const;

private:
    std::vector<bool> bits_;
};

// Dearmour and DecodeAisFields on the state's buffers; false when either rejects.
bool DecodePayload(AisState& state, std::string_view payload, int fillBits);
bool DecodeBits(AisState& state, const BitWriter& bits);

// A decoded field by its layout name: numbers as stored (scaled), texts as stored.
std::optional<double> FieldNumber(const AisState& state, std::string_view name);
std::optional<std::string> FieldText(const AisState& state, std::string_view name);

// True when the message's layout has a field of that name, decoded or not.
bool LayoutHasField(const AisState& state, std::string_view name);

// Text without its trailing "@" padding and spaces.
std::string TrimPadding(std::string text);

// Fields of an encapsulated sentence line: "!AIVDM,total,number,seq,channel,payload,fill*hh".
struct Fragment {
    int total = 0;
    int number = 0;
    std::string sequentialId;
    std::string payload;
    int fillBits = 0;
};
std::optional<Fragment> SplitFragment(const std::string& line);

// One decoded AIS message of a capture, with the line number of its last fragment.
struct CapturedPayload {
    std::size_t line;
    std::string payload;
    int fillBits;
};
// Joins the fragments of each message in a capture file ('#' lines are comments).
std::vector<CapturedPayload> ReadCapture(const std::string& path);

// A top-level value of a flat JSON object: numbers, booleans (as 0/1), strings; null absent.
struct JsonValue {
    bool isText = false;
    double number = 0.0;
    std::string text;
};
using JsonObject = std::map<std::string, JsonValue>;
JsonObject ParseJsonObject(std::string_view line);

std::string TestDataPath(const std::string& relative);
std::vector<std::string> ReadLines(const std::string& path);

} // namespace nmea::test
