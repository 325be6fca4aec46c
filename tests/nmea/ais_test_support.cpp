#include "ais_test_support.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace nmea::test {

BitWriter& BitWriter::Put(std::uint32_t value, unsigned width)
{
    for (unsigned i = width; i-- > 0;) {
        bits_.push_back(((value >> i) & 1u) != 0);
    }
    return *this;
}

BitWriter& BitWriter::PutText(std::string_view text, unsigned characters)
{
    for (unsigned i = 0; i < characters; ++i) {
        const auto c = static_cast<unsigned char>(i < text.size() ? text[i] : '@');
        Put(c >= 64 ? c - 64u : c, 6);
    }
    return *this;
}

BitWriter& BitWriter::PadTo(std::size_t bitCount)
{
    while (bits_.size() < bitCount) {
        bits_.push_back(false);
    }
    return *this;
}

std::string BitWriter::Armour(int& fillBits) const
{
    std::vector<bool> padded = bits_;
    fillBits = static_cast<int>((6 - padded.size() % 6) % 6);
    padded.resize(padded.size() + static_cast<std::size_t>(fillBits), false);
    std::string text;
    for (std::size_t i = 0; i < padded.size(); i += 6) {
        unsigned v = 0;
        for (std::size_t j = 0; j < 6; ++j) {
            v = (v << 1) | (padded[i + j] ? 1u : 0u);
        }
        text.push_back(static_cast<char>(v < 40 ? v + 48 : v + 56));
    }
    return text;
}

bool DecodePayload(AisState& state, std::string_view payload, int fillBits)
{
    return Dearmour(payload, fillBits, state.bits) &&
           DecodeAisFields(state.layouts, state.bits, state.message);
}

bool DecodeBits(AisState& state, const BitWriter& bits)
{
    int fill = 0;
    const std::string payload = bits.Armour(fill);
    return DecodePayload(state, payload, fill);
}

namespace {

template <typename Found>
bool FindField(const AisState& state, std::string_view name, Found found)
{
    bool hit = false;
    ForEachDecodedField(state.layouts, state.message, [&](const AisFieldDef& field, std::size_t offset) {
        if (!hit && name == field.name) {
            hit = true;
            found(field, offset);
        }
    });
    return hit;
}

} // namespace

std::optional<double> FieldNumber(const AisState& state, std::string_view name)
{
    std::optional<double> value;
    FindField(state, name, [&](const AisFieldDef& field, std::size_t offset) {
        if (field.kind != fkText && field.kind != fkTextRest) {
            value = MessageNumber(state.message, offset, field.kind);
        }
    });
    return value;
}

std::optional<std::string> FieldText(const AisState& state, std::string_view name)
{
    std::optional<std::string> value;
    FindField(state, name, [&](const AisFieldDef& field, std::size_t offset) {
        if (field.kind == fkText || field.kind == fkTextRest) {
            value = MessageText(state.message, offset);
        }
    });
    return value;
}

bool LayoutHasField(const AisState& state, std::string_view name)
{
    const AisLayout* layout = MessageLayout(state.layouts, state.message);
    if (layout == nullptr) {
        return false;
    }
    for (const AisFieldDef& field : layout->Fields()) {
        if (name == field.name) {
            return true;
        }
    }
    return false;
}

std::string TrimPadding(std::string text)
{
    while (!text.empty() && (text.back() == '@' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

std::optional<Fragment> SplitFragment(const std::string& line)
{
    if (line.size() < 7 || line[0] != '!') {
        return std::nullopt;
    }
    std::vector<std::string> fields;
    std::string field;
    for (const char c : line) {
        if (c == ',' || c == '*') {
            fields.push_back(field);
            field.clear();
            if (c == '*') {
                break;
            }
        } else {
            field.push_back(c);
        }
    }
    if (fields.size() < 7) {
        return std::nullopt;
    }
    Fragment f;
    f.total = std::atoi(fields[1].c_str());
    f.number = std::atoi(fields[2].c_str());
    f.sequentialId = fields[3];
    f.payload = fields[5];
    f.fillBits = std::atoi(fields[6].c_str());
    return f;
}

std::vector<CapturedPayload> ReadCapture(const std::string& path)
{
    std::vector<CapturedPayload> messages;
    std::optional<Fragment> held;
    std::size_t lineNumber = 0;
    for (const std::string& line : ReadLines(path)) {
        ++lineNumber;
        const std::optional<Fragment> f = SplitFragment(line);
        if (!f) {
            continue;
        }
        const bool continues = held && f->total == held->total && f->number == held->number + 1 &&
                               f->sequentialId == held->sequentialId;
        if (continues) {
            held->payload += f->payload;
            held->number = f->number;
            held->fillBits = f->fillBits;
        } else {
            held = f; // a fragment out of sequence starts over
            if (held->number != 1) {
                held.reset();
                continue;
            }
        }
        if (held->number == held->total) {
            messages.push_back({lineNumber, held->payload, held->fillBits});
            held.reset();
        }
    }
    return messages;
}

namespace {

class JsonReader
{
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    JsonObject Object()
    {
        JsonObject object;
        Expect('{');
        while (Peek() != '}') {
            std::string key = String();
            Expect(':');
            Value(object, key);
            if (Peek() == ',') {
                ++pos_;
            }
        }
        return object;
    }

private:
    char Peek()
    {
        while (pos_ < text_.size() && text_[pos_] == ' ') {
            ++pos_;
        }
        if (pos_ >= text_.size()) {
            throw std::runtime_error("JSON ends early");
        }
        return text_[pos_];
    }
    void Expect(char c)
    {
        if (Peek() != c) {
            throw std::runtime_error(std::string("JSON: expected ") + c);
        }
        ++pos_;
    }
    std::string String()
    {
        Expect('"');
        std::string s;
        while (text_.at(pos_) != '"') {
            char c = text_[pos_++];
            if (c == '\\') {
                c = text_.at(pos_++);
            }
            s.push_back(c);
        }
        ++pos_;
        return s;
    }
    void Skip()
    { // a nested object or array
        int depth = 0;
        do {
            const char c = Peek();
            if (c == '"') {
                String();
                continue;
            }
            depth += (c == '{' || c == '[') ? 1 : (c == '}' || c == ']') ? -1 : 0;
            ++pos_;
        } while (depth > 0);
    }
    void Value(JsonObject& object, const std::string& key)
    {
        const char c = Peek();
        if (c == '"') {
            JsonValue v;
            v.isText = true;
            v.text = String();
            object[key] = v;
        } else if (c == '{' || c == '[') {
            Skip();
        } else if (text_.substr(pos_, 4) == "true" || text_.substr(pos_, 5) == "false") {
            object[key].number = text_[pos_] == 't' ? 1.0 : 0.0;
            pos_ += text_[pos_] == 't' ? 4 : 5;
        } else if (text_.substr(pos_, 4) == "null") {
            pos_ += 4;
        } else {
            const std::string rest(text_.substr(pos_, 40));
            char* end = nullptr;
            object[key].number = std::strtod(rest.c_str(), &end);
            pos_ += static_cast<std::size_t>(end - rest.c_str());
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

JsonObject ParseJsonObject(std::string_view line)
{
    return JsonReader(line).Object();
}

std::string TestDataPath(const std::string& relative)
{
    const char* root = std::getenv("M47_TEST_DATA");
    return std::string(root != nullptr ? root : "tests/data") + "/" + relative;
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error("cannot open " + path);
    }
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace nmea::test
