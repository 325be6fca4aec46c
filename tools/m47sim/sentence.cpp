#include "sentence.h"

#include <cstdio>

namespace m47sim {

unsigned SentenceChecksum(std::string_view body)
{
    unsigned sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return sum;
}

std::string FrameSentence(char start, std::string_view body)
{
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", SentenceChecksum(body));
    std::string line;
    line.reserve(body.size() + 6);
    line += start;
    line += body;
    line += tail;
    return line;
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<std::string_view> CheckedBody(std::string_view line)
{
    if (line.empty() || (line[0] != '$' && line[0] != '!'))
        return std::nullopt;
    const auto star = line.rfind('*');
    if (star == std::string_view::npos || star + 3 > line.size())
        return std::nullopt;
    const int high = HexDigitValue(line[star + 1]);
    const int low = HexDigitValue(line[star + 2]);
    if (high < 0 || low < 0)
        return std::nullopt;
    const std::string_view body = line.substr(1, star - 1);
    if (SentenceChecksum(body) != static_cast<unsigned>(high * 16 + low))
        return std::nullopt;
    return body;
}

}  // namespace m47sim
