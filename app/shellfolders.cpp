#include "shellfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

ShellFolders ShellFolders::fromSystem()
{
    ShellFolders folders;
    folders.programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    folders.documentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folders.documentsFolder.isEmpty())
        folders.documentsFolder = QDir::homePath(); // no documents folder at all: the home folder
    return folders;
}

QString settingsFolderIn(const QString& documentsFolder)
{
    const QString folder = documentsFolder + QStringLiteral("/Corvana/VeldraM47Config/");
    if (QDir().mkpath(folder))
        return folder;
    return documentsFolder + QLatin1Char('/');
}
