#include "logreport/console_sentence.h"

namespace m47::logreport {

std::string ConsoleSentence(std::string_view text)
{
    std::string sentence(text.substr(0, kMaxConsoleTextLength));
    sentence += "\r\n";
    sentence += '\0';
    return sentence;
}

} // namespace m47::logreport
