#pragma once
// The folders the shell reports: where the program lies and the user's documents folder.
#include <QString>

struct ShellFolders {
    QString programFolder;   // folder of the executable, with trailing separator
    QString documentsFolder; // the user's documents folder, without trailing separator

    static ShellFolders fromSystem();
};

// The per-user settings folder under documentsFolder, created with its missing parents; the
// documents folder itself when it cannot be created. Always with trailing separator.
QString settingsFolderIn(const QString& documentsFolder);

inline constexpr const char* SettingsFileName = "CorvanaM47Config.ini";
