#include "transcript.h"

#include <cstdlib>
#include <ctime>
#include <fstream>

namespace m47sim {

namespace {

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

} // namespace

std::string EscapeBytes(std::string_view bytes)
{
    std::string text;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\\')
            text += "\\\\";
        else if (byte < 32 || byte > 126) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 15];
        } else
            text += c;
    }
    return text;
}

std::optional<std::string> UnescapeBytes(std::string_view text)
{
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
            continue;
        }
        if (++i >= text.size())
            return std::nullopt;
        switch (text[i]) {
        case 'r': bytes += '\r'; break;
        case 'n': bytes += '\n'; break;
        case '\\': bytes += '\\'; break;
        case 'x': {
            if (i + 2 >= text.size())
                return std::nullopt;
            const int high = HexDigitValue(text[i + 1]);
            const int low = HexDigitValue(text[i + 2]);
            if (high < 0 || low < 0)
                return std::nullopt;
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default: return std::nullopt;
        }
    }
    return bytes;
}

Transcript::Transcript(const std::string& path, std::chrono::steady_clock::time_point start)
    : file_(std::fopen(path.c_str(), "w")), start_(start)
{
    if (!file_)
        return;
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &tm);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::fprintf(file_, "# m47sim transcript, started %s.%03dZ\n", stamp, static_cast<int>(ms));
    std::fflush(file_);
}

Transcript::~Transcript()
{
    if (file_)
        std::fclose(file_);
}

void Transcript::Record(std::string_view bytes, std::chrono::steady_clock::time_point when)
{
    if (!file_ || bytes.empty())
        return;
    const double seconds = std::chrono::duration<double>(when - start_).count();
    while (!bytes.empty()) {
        const auto lf = bytes.find('\n');
        const auto piece = bytes.substr(0, lf == std::string_view::npos ? bytes.size() : lf + 1);
        std::fprintf(file_, "%.6f %s\n", seconds, EscapeBytes(piece).c_str());
        bytes.remove_prefix(piece.size());
    }
    // Flushed at once: a test reads the file while the device runs.
    std::fflush(file_);
}

std::vector<TranscriptEntry> ReadTranscript(const std::string& path)
{
    std::vector<TranscriptEntry> entries;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto space = line.find(' ');
        if (space == std::string::npos)
            continue;
        char* end = nullptr;
        const std::string number = line.substr(0, space);
        const double seconds = std::strtod(number.c_str(), &end);
        const auto bytes = UnescapeBytes(std::string_view(line).substr(space + 1));
        if (end != number.c_str() + number.size() || !bytes)
            continue;
        entries.push_back(TranscriptEntry{seconds, *bytes});
    }
    return entries;
}

} // namespace m47sim
