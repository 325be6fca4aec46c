#include "sentence.h"

#include "nmea/checksum.h"

#include <vector>

namespace m47sim {

std::string FrameSentence(char start, std::string_view body)
{
    // Room for the start character, the body, "*hh", CR LF and the NUL.
    std::vector<char> text(body.size() + 7, '\0');
    text[0] = start;
    body.copy(text.data() + 1, body.size());
    nmea::AppendChecksum(text.data());
    return text.data();
}

std::optional<std::string_view> CheckedBody(std::string_view line)
{
    if (line.empty() || (line[0] != '$' && line[0] != '!'))
        return std::nullopt;
    const auto star = line.find('*');
    if (star == std::string_view::npos || !nmea::VerifyChecksum(std::string(line).c_str()))
        return std::nullopt;
    return line.substr(1, star - 1);
}

} // namespace m47sim
