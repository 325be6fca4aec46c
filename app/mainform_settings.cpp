// The settings file: one integer, the user-interface language.
#include "inifile.h"
#include "mainform.h"

namespace {
constexpr const char* Section = "VIEW";
constexpr const char* LanguageKey = "Language";
} // namespace

void TForm1::ReadSettings(const QString& path)
{
    LanguageIndex = IniFile::load(path).intValue(Section, LanguageKey).value_or(0);
}

void TForm1::WriteSettings(const QString& path)
{
    IniFile ini = IniFile::load(path);
    ini.setValue(Section, LanguageKey, QByteArray::number(LanguageIndex));
    ini.save(path); // a settings file that cannot be written is not reported; the log says why
}
