#include "json_reader.h"

#include <cstdlib>

namespace {

class Reader
{
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool Document(Json& out) { return Value(out, 0) && (Space(), pos_ == text_.size()); }

private:
    static constexpr int kMaxDepth = 32;

    void Space()
    {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    bool Eat(char c)
    {
        Space();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool Literal(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    bool Value(Json& out, int depth)
    {
        if (depth > kMaxDepth)
            return false;
        Space();
        if (pos_ >= text_.size())
            return false;
        const char c = text_[pos_];
        if (c == '{')
            return Object(out, depth);
        if (c == '[')
            return Array(out, depth);
        if (c == '"') {
            out.type = Json::Type::String;
            return String(out.text);
        }
        if (c == 't' || c == 'f') {
            out.type = Json::Type::Bool;
            out.boolean = c == 't';
            return Literal(c == 't' ? "true" : "false");
        }
        if (c == 'n') {
            out.type = Json::Type::Null;
            return Literal("null");
        }
        return Number(out);
    }

    bool Number(Json& out)
    {
        const std::size_t start = pos_;
        auto digits = [this] {
            const std::size_t from = pos_;
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
                ++pos_;
            return pos_ > from;
        };
        if (pos_ < text_.size() && text_[pos_] == '-')
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '0')
            ++pos_;
        else if (!digits())
            return false;
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (!digits())
                return false;
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
                ++pos_;
            if (!digits())
                return false;
        }
        out.type = Json::Type::Number;
        out.number = std::strtod(std::string(text_.substr(start, pos_ - start)).c_str(), nullptr);
        return true;
    }

    bool String(std::string& out)
    {
        ++pos_; // the opening quote
        while (pos_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[pos_++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return false;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (pos_ >= text_.size())
                return false;
            const char e = text_[pos_++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                if (pos_ + 4 > text_.size())
                    return false;
                unsigned code = 0;
                for (int i = 0; i < 4; ++i) {
                    const char h = text_[pos_++];
                    code <<= 4;
                    if (h >= '0' && h <= '9')
                        code |= static_cast<unsigned>(h - '0');
                    else if (h >= 'a' && h <= 'f')
                        code |= static_cast<unsigned>(h - 'a' + 10);
                    else if (h >= 'A' && h <= 'F')
                        code |= static_cast<unsigned>(h - 'A' + 10);
                    else
                        return false;
                }
                if (code > 0xFF)
                    return false; // the decoder writes only code points of single bytes
                out += static_cast<char>(code);
                break;
            }
            default: return false;
            }
        }
        return false;
    }

    bool Array(Json& out, int depth)
    {
        out.type = Json::Type::Array;
        ++pos_;
        if (Eat(']'))
            return true;
        do {
            out.items.emplace_back();
            if (!Value(out.items.back(), depth + 1))
                return false;
        } while (Eat(','));
        return Eat(']');
    }

    bool Object(Json& out, int depth)
    {
        out.type = Json::Type::Object;
        ++pos_;
        if (Eat('}'))
            return true;
        do {
            Space();
            if (pos_ >= text_.size() || text_[pos_] != '"')
                return false;
            std::string key;
            if (!String(key) || !Eat(':'))
                return false;
            out.members.emplace_back(std::move(key), Json{});
            if (!Value(out.members.back().second, depth + 1))
                return false;
        } while (Eat(','));
        return Eat('}');
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

bool Json::Has(std::string_view key) const
{
    for (const auto& [name, value] : members) {
        if (name == key)
            return true;
    }
    return false;
}

const Json& Json::operator[](std::string_view key) const
{
    static const Json kNull;
    for (const auto& [name, value] : members) {
        if (name == key)
            return value;
    }
    return kNull;
}

std::optional<Json> ReadJson(std::string_view text)
{
    Json value;
    if (!Reader(text).Document(value))
        return std::nullopt;
    return value;
}
