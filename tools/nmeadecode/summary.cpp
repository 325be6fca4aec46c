#include "summary.h"

#include <charconv>
#include <string_view>

namespace {

constexpr std::size_t kFormatterLength = 3;

std::uint32_t PackFormatter(const char* formatter)
{
    std::uint32_t key = 0;
    for (std::size_t i = 0; i < kFormatterLength && formatter[i] != '\0'; ++i)
        key |= static_cast<std::uint32_t>(static_cast<unsigned char>(formatter[i])) << (8 * (2 - i));
    return key;
}

std::size_t UnpackFormatter(std::uint32_t key, char* text)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < kFormatterLength; ++i) {
        const char c = static_cast<char>((key >> (8 * (2 - i))) & 0xFF);
        if (c == '\0')
            break;
        text[n++] = c;
    }
    return n;
}

} // namespace

void Summary::Sentence(const char* formatter, bool accepted)
{
    (accepted ? accepted_ : rejected_)++;
    const std::uint32_t key = PackFormatter(formatter);
    auto it = formatters_.find(key);
    if (it == formatters_.end()) {
        if (formatters_.size() >= kMaxFormatters) {
            (accepted ? otherFormatters_.accepted : otherFormatters_.rejected)++;
            return;
        }
        it = formatters_.emplace(key, FormatterCounts{}).first;
    }
    (accepted ? it->second.accepted : it->second.rejected)++;
}

void Summary::AisMessage(unsigned type)
{
    if (type < aisTypes_.size())
        ++aisTypes_[type];
}

void Summary::Write(JsonWriter& out, std::uint32_t targets) const
{
    out.BeginObject();
    out.BeginObject("summary");
    out.UInt("lines", comments_ + ignored_ + accepted_ + rejected_);
    out.UInt("comments", comments_);
    out.UInt("ignored", ignored_);
    out.UInt("accepted", accepted_);
    out.UInt("rejected", rejected_);
    out.BeginObject("formatters");
    auto counts = [&out](std::string_view name, const FormatterCounts& c) {
        out.BeginObjectNamed(name);
        out.UInt("accepted", c.accepted);
        out.UInt("rejected", c.rejected);
        out.EndObject();
    };
    for (const auto& [key, c] : formatters_) {
        char text[kFormatterLength];
        const std::size_t n = UnpackFormatter(key, text);
        counts(n > 0 ? std::string_view(text, n) : std::string_view("(none)"), c);
    }
    if (otherFormatters_.accepted + otherFormatters_.rejected > 0)
        counts("(other)", otherFormatters_);
    out.EndObject();
    out.BeginObject("ais_types");
    for (std::size_t type = 0; type < aisTypes_.size(); ++type) {
        if (aisTypes_[type] == 0)
            continue;
        char text[4];
        const auto n = std::to_chars(text, text + sizeof text, type).ptr - text;
        out.UInt(std::string_view(text, static_cast<std::size_t>(n)), aisTypes_[type]);
    }
    out.EndObject();
    out.UInt("targets", targets);
    out.EndObject();
    out.EndObject();
    out.EndLine();
}
