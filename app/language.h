#pragma once
// The three user-interface languages, selected by the Tag of their menu item, and where their
// files are found.
#include <QString>

struct LanguageInfo {
    int tag;                  // menu item Tag and LanguageIndex
    const char* languageFile; // relative to the language root
    const char* readMeFile;   // relative to the language root
    const char* codePage;     // code page the files are written in (iconv name)
};

// nullptr for a tag other than 0, 1 or 2.
const LanguageInfo* languageByTag(int tag);

// The folder (with trailing separator) that the language and read-me file names are joined to:
// the program folder when a "Lang" folder lies beside the executable (a build tree, a copied
// folder), else the installed data folder, found from the program folder as <bin>/../share/
// veldra-m47/, so that an installed tree works wherever it was unpacked.
QString languageRoot(const QString& programFolder);
