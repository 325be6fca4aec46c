// User-interface texts: the built-in English defaults and the language files that translate them.
#include "about.h"
#include "codepage.h"
#include "inifile.h"
#include "language.h"
#include "mainform.h"
#include "tag.h"
#include "ui_mainform.h"

#include <functional>
#include <vector>

void TForm1::ApplyStoredLanguage()
{
    QAction* item = LanguageIndex == 1   ? ui->mnuLangTraChinese
                    : LanguageIndex == 2 ? ui->mnuLangSimpChinese
                                         : ui->mnuLangEnglish;
    item->setChecked(true);
    mnuLangTraChineseClick(item);
}

void TForm1::mnuLangTraChineseClick(QAction* sender)
{
    const LanguageInfo* language = languageByTag(Tag(sender));
    if (!language)
        return;
    LanguageIndex = language->tag;
    const QString root = languageRoot(ProgramFolder);
    const QString languagePath = root + QLatin1String(language->languageFile);
    const QString readMePath = root + QLatin1String(language->readMeFile);
    // The texts of a language are read in its code page; this stands for the font character set.
    CurrentLanguage = language;
    if (frmAbout)
        frmAbout->setCodePage(language->codePage);
    LoadLanguage(languagePath);
    if (frmAbout)
        frmAbout->LoadReadMe(readMePath);
}

void TForm1::LoadDefaultTexts()
{
    MessageTexts.loadDefaults();
}

void TForm1::LoadLanguage(const QString& path)
{
    // One translatable text: where a language file holds it and what it sets. A step without a
    // key sets a text derived from those read before it.
    struct Text {
        const char* section;
        const char* key;
        std::function<void(const QString&)> set;
    };
    auto action = [](QAction* a) { return [a](const QString& t) { a->setText(t); }; };
    auto menu = [](QMenu* m) { return [m](const QString& t) { m->menuAction()->setText(t); }; };
    auto button = [](QAbstractButton* b) { return [b](const QString& t) { b->setText(t); }; };
    auto message = [this](const char* key) {
        return [this, key](const QString& t) { MessageTexts.set(key, t); };
    };
    auto confTab = [this](QWidget* page) {
        return [pages = ui->PageControlConf, page](const QString& t) {
            pages->setTabText(pages->indexOf(page), t);
        };
    };

    std::vector<Text> texts = {
        {"MENU", "File", menu(ui->mnuFile)},
        {"MENU", "File_Record", action(mnuRecord)},
        {"MENU", "File_StopRecording", action(mnuStopRecording)},
        {"MENU", "File_Replay", action(mnuReplay)},
        {"MENU", "File_StopReplay", action(mnuStopReplay)},
        {"MENU", "File_Exit", action(ui->mnuExit)},
        {"MENU", "Option", menu(ui->mnuOption)},
        {"MENU", "Option_Language", menu(ui->mnuLanguage)},
        {"MENU", "Option_Language_English", action(ui->mnuLangEnglish)},
        {"MENU", "Option_Language_TraChinese", action(ui->mnuLangTraChinese)},
        {"MENU", "Option_Language_SimpChinese", action(ui->mnuLangSimpChinese)},
        {"MENU", "Help", menu(ui->mnuHelp)},
        {"MENU", "Help_About", action(ui->mnuAbout)},
        {"SYS_BUTTON", "Connect", message("Connect")},
        {"SYS_BUTTON", "Disconnect", message("Disconnect")},
        {nullptr, nullptr, [this](const QString&) { ShowOpenPortCaption(); }},
        {"SYS_BUTTON", "EXIT", button(ui->btnExit)},
        {"SYS_BUTTON", "Read_Device", button(ui->SpeedButtonReload)},
        {"SYS_BUTTON", "Program_Device", button(ui->SpeedButtonSetting)},
        {"TAB_BAUD", "BAUD_RATE", confTab(ui->TabSheetBaudRate)},
        {"TAB_BAUD", "Config", button(ui->spbBaudRate)},
        {"CONFIG_SERIAL_PORT", "Connecting", message("Connecting")},
        {"CONFIG_SERIAL_PORT", "Connected", message("Connected")},
        {"CONFIG_SERIAL_PORT", "Click2Connect", message("Click2Connect")},
        {"CONFIG_SERIAL_PORT", "Programmed_Verified", message("Programmed_Verified")},
        {"CONFIG_SERIAL_PORT", "Programmed_Differs", message("Programmed_Differs")},
        {nullptr, nullptr, [this](const QString&) { ShowConnectionStatusText(); }},
        {"EXIT_QUERY", "Exit_Caption", message("Exit_Caption")},
        {"EXIT_QUERY", "QueryExit", message("QueryExit")},
    };
    if (frmAbout)
        texts.push_back({"ABOUT", "OK", button(frmAbout->okButton())});

    const IniFile ini = IniFile::load(path);
    const char* codePage = CurrentLanguage ? CurrentLanguage->codePage : languageByTag(0)->codePage;
    for (const Text& t : texts) {
        if (!t.key)
            t.set({});
        else if (const auto value = ini.value(t.section, t.key))
            t.set(decodeCodePage(*value, codePage));
    }
}

void TForm1::ShowOpenPortCaption()
{
    ui->OpenPort->setText(MessageTexts[Session.Connected() ? "Disconnect" : "Connect"]);
}

void TForm1::ShowConnectionStatusText()
{
    static const char* const statusKeys[] = {"Click2Connect", "Connecting", "Connected"};
    const int state = Session.Identification().ConnectionState;
    if (state >= 0 && state <= 2)
        ui->LabelConnectionStatus->setText(MessageTexts[statusKeys[state]]);
}
