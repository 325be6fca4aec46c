#include "logreport/file_names.h"

namespace m47::logreport {

namespace {

// Reserved in a file name here or on the other systems the file may be copied to.
constexpr std::string_view kReservedInNames = "/\\:*?\"<>|";

bool IsControlByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

std::string WithDefaultExtension(std::string_view path)
{
    const auto slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    std::string result(path);
    if (dot != std::string_view::npos && dot > 0 && dot + 1 < name.size())
        return result;
    if (result.empty() || result.back() != '.')
        result += '.';
    result += kDefaultExtension;
    return result;
}

std::string SafeFileName(std::string_view text)
{
    std::string name(text);
    bool leading = true;
    for (char& c : name) {
        leading = leading && (c == '.' || c == '-');
        if (leading || IsControlByte(c) || kReservedInNames.find(c) != std::string_view::npos)
            c = '_';
    }
    return name;
}

} // namespace m47::logreport
