#pragma once
// The three user-interface languages, selected by the Tag of their menu item.
struct LanguageInfo {
    int tag;                  // menu item Tag and LanguageIndex
    const char* languageFile; // relative to the program folder
    const char* readMeFile;   // relative to the program folder
    const char* codePage;     // code page the files are written in (iconv name)
};

// nullptr for a tag other than 0, 1 or 2.
const LanguageInfo* languageByTag(int tag);
