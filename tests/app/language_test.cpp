// Language files: which texts they set, how they are matched and decoded, and what is kept when
// a file, section or key is missing.
#include "appfixture.h"
#include "app/language.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

namespace {

class Languages : public AppFixture
{
protected:
    void startWithLanguage(int index)
    {
        writeFile(settingsPath(), "[VIEW]\r\nLanguage=" + QByteArray::number(index) + "\r\n");
        start();
    }
    QString text(const char* button) { return control<QAbstractButton>(button)->text(); }
    QString menuTitle(const char* menu) { return control<QMenu>(menu)->menuAction()->text(); }
    QString confTab(const char* page)
    {
        auto* pages = control<QTabWidget>("PageControlConf");
        return pages->tabText(pages->indexOf(control(page)));
    }
    QString exitQueryCaption()
    {
        boxes.answerNext(QMessageBox::Cancel);
        form->close();
        return boxes.calls().back().caption;
    }
};

TEST_F(Languages, TraditionalChineseFromTheSettingsFile)
{
    installLangFiles();
    startWithLanguage(1);
    EXPECT_EQ(form->languageIndex(), 1);
    EXPECT_TRUE(control<QAction>("mnuLangTraChinese")->isChecked());
    EXPECT_FALSE(control<QAction>("mnuLangEnglish")->isChecked());
    EXPECT_EQ(menuTitle("mnuFile"), QStringLiteral(u"檔案(&F)"));
    EXPECT_EQ(control<QAction>("mnuExit")->text(), QStringLiteral(u"結束(&X)"));
    EXPECT_EQ(text("OpenPort"), QStringLiteral(u"連線"));
    EXPECT_EQ(control<QLabel>("LabelConnectionStatus")->text(), QStringLiteral(u"按此連線"));
    EXPECT_EQ(text("btnExit"), QStringLiteral(u"離開"));
    EXPECT_EQ(confTab("TabSheetBaudRate"), QStringLiteral(u"鮑率"));
    EXPECT_EQ(confTab("TabSheetInternalGPS"), QStringLiteral("INTERNAL GPS")); // not translated
    EXPECT_EQ(about->okButton()->text(), QStringLiteral(u"確定"));
    EXPECT_EQ(exitQueryCaption(), QStringLiteral(u"離開!"));
    EXPECT_EQ(boxes.calls().back().text, QStringLiteral(u"確定要離開嗎?"));
}

TEST_F(Languages, SimplifiedChineseIsDecodedFromGbk)
{
    installLangFiles();
    startWithLanguage(2);
    EXPECT_TRUE(control<QAction>("mnuLangSimpChinese")->isChecked());
    EXPECT_EQ(text("SpeedButtonReload"), QStringLiteral(u"读取设备"));
    EXPECT_EQ(text("SpeedButtonSetting"), QStringLiteral(u"写入设备"));
    EXPECT_EQ(text("OpenPort"), QStringLiteral(u"连接"));
    EXPECT_TRUE(about->readMeText().contains(QStringLiteral(u"接收机")));
}

TEST_F(Languages, WithoutLangFolderEverythingStaysEnglishButTheChoiceIsKept)
{
    QDir(folders.programFolder + QStringLiteral("Lang")).removeRecursively();
    startWithLanguage(2);
    EXPECT_EQ(form->languageIndex(), 2);
    EXPECT_EQ(menuTitle("mnuFile"), QStringLiteral("File(&F)"));
    EXPECT_EQ(text("OpenPort"), QStringLiteral("Connect"));
    EXPECT_EQ(control<QLabel>("LabelConnectionStatus")->text(), QStringLiteral("Click to Connect"));
    EXPECT_EQ(exitQueryCaption(), QStringLiteral("Exit!"));
    boxes.answerNext(QMessageBox::Ok);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(readFile(settingsPath()), QByteArray("[VIEW]\r\nLanguage=2\r\n"));
}

TEST_F(Languages, MissingKeyKeepsTheEnglishText)
{
    // Big5: 連線 (connect), 讀取 (read)
    writeFile(langPath(QStringLiteral("Lang-TW.ini")),
              "[SYS_BUTTON]\r\nConnect=\xB3\x73\xBD\x75\r\nRead_Device=\xC5\xAA\xA8\xFA\r\n");
    startWithLanguage(1);
    EXPECT_EQ(text("btnExit"), QStringLiteral("EXIT"));
    EXPECT_EQ(text("OpenPort"), QStringLiteral(u"連線"));
    EXPECT_EQ(text("SpeedButtonReload"), QStringLiteral(u"讀取"));
    EXPECT_EQ(text("SpeedButtonSetting"), QStringLiteral("Program Device"));
    EXPECT_EQ(menuTitle("mnuHelp"), QStringLiteral("Help(&H)"));
}

TEST_F(Languages, SectionAndKeyMatchWithoutCase)
{
    writeFile(
        langPath(QStringLiteral("Lang-EN.ini")),
        "[menu]\r\nfile=Files(&F)\r\n[sys_button]\r\nexit=\"Quit\"\r\n[exit_query]\r\nexit_caption=Bye\r\n");
    start();
    EXPECT_EQ(menuTitle("mnuFile"), QStringLiteral("Files(&F)"));
    EXPECT_EQ(text("btnExit"), QStringLiteral("Quit"));
    EXPECT_EQ(exitQueryCaption(), QStringLiteral("Bye"));
}

TEST_F(Languages, ConnectionTextsComeFromTheFile)
{
    writeFile(langPath(QStringLiteral("Lang-EN.ini")),
              "[SYS_BUTTON]\r\nConnect=Open\r\n[CONFIG_SERIAL_PORT]\r\nClick2Connect=Press Open\r\n");
    start();
    EXPECT_EQ(text("OpenPort"), QStringLiteral("Open"));
    EXPECT_EQ(control<QLabel>("LabelConnectionStatus")->text(), QStringLiteral("Press Open"));
}

TEST_F(Languages, ShippedFilesTranslateEveryKeyTheyHold)
{
    installLangFiles();
    startWithLanguage(1);
    EXPECT_EQ(menuTitle("mnuHelp"), QStringLiteral(u"說明(&H)"));
    EXPECT_EQ(control<QAction>("mnuAbout")->text(), QStringLiteral(u"關於(&A)"));
    EXPECT_EQ(text("spbBaudRate"), QStringLiteral(u"設定"));
    EXPECT_TRUE(about->readMeText().startsWith(QStringLiteral(u"\nVeldra M47 設定工具")));
}

// Installed, the executable lies in <prefix>/bin and its language files in
// <prefix>/share/veldra-m47/Lang; a Lang folder beside the executable still comes first.
TEST_F(Languages, WithoutLangBesideTheProgramTheInstalledDataFolderIsRead)
{
    installLangFiles();
    const QString installed = tmp.filePath(QStringLiteral("share/veldra-m47/Lang"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(installed).path()));
    ASSERT_TRUE(QDir().rename(folders.programFolder + QStringLiteral("Lang"), installed));
    EXPECT_EQ(languageRoot(folders.programFolder), tmp.filePath(QStringLiteral("share/veldra-m47/")));
    startWithLanguage(2);
    EXPECT_TRUE(about->readMeText().contains(QStringLiteral(u"接收机")));

    ASSERT_TRUE(QDir().mkpath(folders.programFolder + QStringLiteral("Lang")));
    EXPECT_EQ(languageRoot(folders.programFolder), folders.programFolder);
}

} // namespace
