#include "device/text_rules.h"

#include <climits>

namespace m47::device {

std::string_view ValueOfKey(std::string_view line, std::string_view key)
{
    const auto keyAt = line.find(key);
    if (keyAt == std::string_view::npos)
        return {};
    const auto valueAt = keyAt + key.size();
    const auto star = line.find('*');
    if (star == std::string_view::npos || star < valueAt)
        return {};
    return line.substr(valueAt, star - valueAt);
}

int LeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break; // already out of range; the rest cannot bring it back
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace m47::device
