#include "language.h"

#include <QDir>
#include <QFileInfo>

namespace {

// English files are Central European (1250), the Chinese ones Big5 (950) and GBK (936).
constexpr LanguageInfo kLanguages[] = {
    {0, "Lang/Lang-EN.ini", "Lang/ReadMe-EN_CORVANA.txt", "CP1250"},
    {1, "Lang/Lang-TW.ini", "Lang/ReadMe-TW.txt", "CP950"},
    {2, "Lang/Lang-CN.ini", "Lang/ReadMe-CN.txt", "CP936"},
};

} // namespace

const LanguageInfo* languageByTag(int tag)
{
    for (const LanguageInfo& language : kLanguages)
        if (language.tag == tag)
            return &language;
    return nullptr;
}

QString languageRoot(const QString& programFolder)
{
    if (QFileInfo(programFolder + QLatin1String("Lang")).isDir())
        return programFolder;
    // The installed data folder, relative to the program folder as the install rules lay it out.
    return QDir::cleanPath(programFolder + QLatin1String(M47_DATA_FROM_BINDIR)) + QLatin1Char('/');
}
