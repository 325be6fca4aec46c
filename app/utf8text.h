#pragma once
// The toolkit-free cores hand the window their texts as UTF-8 bytes (captions, messages, file
// names, the degree sign): one conversion to Qt's strings for all of them.
#include <QString>

#include <string_view>

inline QString Utf8Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
