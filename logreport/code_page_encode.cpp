#include "logreport/code_page_encode.h"

#include <QScopeGuard>

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace m47::logreport {

QByteArray encodeCodePage(const QString& text, const char* codePage)
{
    const char* unicode = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "UTF-16LE" : "UTF-16BE";
    const iconv_t cd = iconv_open(codePage, unicode);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return text.toLatin1();
    const auto closeAtEnd = qScopeGuard([cd] { iconv_close(cd); });

    QString input = text; // iconv wants a non-const input pointer
    char* const start = reinterpret_cast<char*>(input.data());
    char* in = start;
    std::size_t inLeft = std::size_t(input.size()) * sizeof(char16_t);
    // Two bytes per UTF-16 unit is the most these code pages need.
    std::vector<char> out(inLeft + 16);
    QByteArray result;
    while (inLeft > 0) {
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        result.append(out.data(), qsizetype(out.size() - outLeft));
        if (rc != std::size_t(-1) || errno == E2BIG)
            continue;
        // A character without a code: one '?' for it, a surrogate pair being one character.
        const qsizetype unit = (in - start) / qsizetype(sizeof(char16_t));
        const bool pair =
            unit + 1 < input.size() && input[unit].isHighSurrogate() && input[unit + 1].isLowSurrogate();
        const std::size_t skip = (pair ? 2 : 1) * sizeof(char16_t);
        result.append('?');
        in += skip;
        inLeft -= skip;
    }
    return result;
}

} // namespace m47::logreport
