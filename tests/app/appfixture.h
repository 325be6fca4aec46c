#pragma once
// The program's three windows on private folders: a program folder that may hold a copy of the
// Lang files and a documents folder that may hold a settings file. Message boxes are scripted.
#include "app/about.h"
#include "app/mainform.h"
#include "app/scriptedmessagebox.h"
#include "app/waitprogressform.h"
#include "logreport/recording_text_editor.h"
#include "logreport/scripted_file_dialogs.h"
#include "netmodule/recording_web_page.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class AppFixture : public ::testing::Test
{
protected:
    AppFixture()
    {
        QGuiApplication::setQuitOnLastWindowClosed(false); // windows come and go between tests
        QDir(tmp.path()).mkpath(QStringLiteral("program/Lang"));
        QDir(tmp.path()).mkpath(QStringLiteral("documents"));
        folders.programFolder = tmp.filePath(QStringLiteral("program")) + QLatin1Char('/');
        folders.documentsFolder = tmp.filePath(QStringLiteral("documents"));
    }

    // Copies the shipped language and read-me files beside the "executable".
    void installLangFiles()
    {
        const QDir source(QStringLiteral(M47_LANG_DIR));
        for (const QString& name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), langPath(name));
    }

    QString langPath(const QString& name) const
    {
        return folders.programFolder + QStringLiteral("Lang/") + name;
    }

    QString settingsPath() const
    {
        return folders.documentsFolder + QStringLiteral("/Corvana/VeldraM47Config/CorvanaM47Config.ini");
    }

    static void writeFile(const QString& path, const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Creates the windows in the program's order and applies the stored language.
    void start()
    {
        form = std::make_unique<TForm1>(boxes, folders, webPage, fileDialogs, textEditor);
        about = new TfrmAbout(form.get());
        progress = new TfrmWaitingProgress(form.get());
        form->setSecondaryWindows(about, progress);
        form->ApplyStoredLanguage();
    }

    template <typename T = QWidget>
    T* control(const char* name) const
    {
        T* found = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTemporaryDir tmp;
    ShellFolders folders;
    ScriptedMessageBoxes boxes;
    m47::netmodule::RecordingWebPageOpener webPage;
    m47::logreport::ScriptedFileDialogs fileDialogs;
    m47::logreport::RecordingTextEditor textEditor;
    std::unique_ptr<TForm1> form;
    TfrmAbout* about = nullptr;
    TfrmWaitingProgress* progress = nullptr;
};
