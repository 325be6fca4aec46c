// The main window's layout, start-up state, exit query, settings file and page changes.
#include "pty_pair.h"
#include "appfixture.h"
#include "serial/comm.h"
#include "app/tag.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

namespace {

using MainForm = AppFixture;

TEST_F(MainForm, LayoutHasEveryNamedControl)
{
    start();
    static const char* const names[] = {"Panel1",
                                        "lblSelectDevice",
                                        "ComboBoxDeviceItem",
                                        "LabelBaudRate",
                                        "ComboBoxBaudRate",
                                        "LabelPort",
                                        "cbxDeviceComEnum",
                                        "OpenPort",
                                        "LabelConnectionStatus",
                                        "btnExit",
                                        "GroupBoxWiFiConnectionMode",
                                        "LabelEditWiFi_TCP_IP",
                                        "LabelEditWiFi_Port",
                                        "PanelView",
                                        "Image4",
                                        "SpeedButtonSetting",
                                        "SpeedButtonReload",
                                        "PageControlMain",
                                        "TabSheetConfig",
                                        "PanelConfiguration",
                                        "PageControlConf",
                                        "TabSheetBaudRate",
                                        "Label1",
                                        "cbxBaud_RS232",
                                        "Label2",
                                        "cbxBaud_NMEA",
                                        "spbBaudRate",
                                        "MemoRecord",
                                        "TabSheetInternalGPS",
                                        "CheckBoxInternalGPSEnable",
                                        "LabelGPSNavStatus",
                                        "ComboBoxGPSNavStatus",
                                        "spbInternalGPS",
                                        "TabSheetNetwork",
                                        "LabelEthFirmwareVersionTitle",
                                        "LabelEthFirmwareVersion",
                                        "LabelEthIPTitle",
                                        "LabelEthIP",
                                        "LabelEthernetSettingButton",
                                        "MemoEthernetTx",
                                        "MemoEthernetRx",
                                        "EditEthernetText",
                                        "ButtonEthernetSend",
                                        "ButtonCMD1",
                                        "ButtonEnterEthConfigMode",
                                        "ButtonExitEthConfigMode",
                                        "ButtonCompareIP",
                                        "TabSheetRestore",
                                        "CheckBoxBaudRateRestore",
                                        "CheckBoxInternalGPSRestore",
                                        "CheckBoxNetworkRestore",
                                        "spbRestore",
                                        "TabSheetDiagnostics",
                                        "PanelDiagnosis",
                                        "PageControlDiagnosis",
                                        "TabSheetSystemCheck",
                                        "PanelSystemCheck",
                                        "ImageChkFwVer",
                                        "lblChkFwVer",
                                        "lblValFwVer",
                                        "ImageChkProdSN",
                                        "lblChkProdSN",
                                        "lblValProdSN",
                                        "ImageChkRx",
                                        "lblChkRx",
                                        "lblChkRxCntChA",
                                        "lblValRxCntA",
                                        "lblChkRxCntChB",
                                        "lblValRxCntB",
                                        "ImageNetworkFirmwareVersion",
                                        "LabelNetworkFirmwareVersionCaption",
                                        "LabelNetworkFirmwareVersoinData",
                                        "ImageChkGps",
                                        "lblChkGPS",
                                        "lblValGps",
                                        "SpeedButtonClearCheck",
                                        "TabSheetGpsStatus",
                                        "Panel3",
                                        "PanelSatelliteMap",
                                        "ImageGpsMap",
                                        "Chart1",
                                        "Label10",
                                        "lblSatelliteID",
                                        "lblEdtGpsUtcDate",
                                        "lblEdtGpsUtcTime",
                                        "lblEdtGpsFixMode",
                                        "lblEdtHdop",
                                        "lblEdtGpsNoSV_InView",
                                        "lblEdtGpsNoSV_InUse",
                                        "lblEdtGpsLat",
                                        "lblEdtGpsLon",
                                        "lblEdtGpsSOG",
                                        "lblEdtGpsCOG",
                                        "Image2",
                                        "Image3",
                                        "TabSheetDataLog",
                                        "spbtnEnableLog",
                                        "btnClearLog",
                                        "btnSaveLog",
                                        "MemoDataLog",
                                        "LabeledEditCommandText",
                                        "btnSendCommand",
                                        "Image1",
                                        "Label3",
                                        "Label4"};
    for (const char* name : names)
        control(name);
}

TEST_F(MainForm, EveryLabelShowsPlainText)
{
    start();
    for (const QLabel* label : form->findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    for (const QLabel* label : about->findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}

TEST_F(MainForm, StartsWithOnlyTheTopPanel)
{
    start();
    form->show();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Veldra M47 Configurator"));
    EXPECT_EQ(form->centralWidget()->size(), QSize(723, 521));
    EXPECT_TRUE(control("Panel1")->isVisible());
    EXPECT_FALSE(control("PanelView")->isVisible());
    for (const char* hidden :
         {"LabelBaudRate", "ComboBoxBaudRate", "GroupBoxWiFiConnectionMode", "Image1", "Label3", "Label4"})
        EXPECT_FALSE(control(hidden)->isVisible()) << hidden;
    EXPECT_EQ(control<QComboBox>("ComboBoxDeviceItem")->currentText(), QStringLiteral("USB"));
    EXPECT_EQ(control<QComboBox>("cbxDeviceComEnum")->placeholderText(), QStringLiteral("- NOT SELECTED -"));
    EXPECT_EQ(Tag(control("OpenPort")), 0);
    EXPECT_EQ(control<QAbstractButton>("OpenPort")->text(), QStringLiteral("Connect"));
    EXPECT_EQ(control<QLabel>("LabelConnectionStatus")->text(), QStringLiteral("Click to Connect"));
    // The axis caption sits 20 pixels above the chart's lower edge.
    const QWidget* chart = control("Chart1");
    EXPECT_EQ(control("lblSatelliteID")->y(), chart->y() + chart->height() - 20);
}

TEST_F(MainForm, ConstructionSetsThePagesAndHidesTheMaintenanceControls)
{
    start();
    EXPECT_EQ(control<QTabWidget>("PageControlMain")->currentWidget(), control("TabSheetConfig"));
    EXPECT_EQ(control<QTabWidget>("PageControlConf")->currentWidget(), control("TabSheetBaudRate"));
    EXPECT_EQ(control<QTabWidget>("PageControlDiagnosis")->currentWidget(), control("TabSheetSystemCheck"));
    for (const char* name :
         {"MemoEthernetTx", "MemoEthernetRx", "EditEthernetText", "ButtonEthernetSend", "ButtonCMD1",
          "ButtonEnterEthConfigMode", "ButtonExitEthConfigMode", "ButtonCompareIP"})
        EXPECT_TRUE(control(name)->isHidden()) << name;
    EXPECT_EQ(control<QLabel>("LabelEthFirmwareVersion")->text(), QStringLiteral("None"));
    EXPECT_EQ(control<QLabel>("LabelEthIP")->text(), QStringLiteral("None"));
    EXPECT_FALSE(control("SpeedButtonSetting")->isHidden());
    EXPECT_FALSE(control("SpeedButtonReload")->isHidden());
    EXPECT_EQ(control<QComboBox>("cbxBaud_RS232")->currentText(), QStringLiteral("38400"));
    auto* nmea = control<QComboBox>("cbxBaud_NMEA");
    EXPECT_EQ(nmea->currentIndex(), -1);
    EXPECT_EQ(nmea->currentText(), QStringLiteral("38400"));
    EXPECT_EQ(control<QComboBox>("ComboBoxGPSNavStatus")->currentIndex(), -1);
}

TEST_F(MainForm, ImageListsHoldTheirPictures)
{
    for (const char* path : TForm1::ImageListSysChk)
        EXPECT_EQ(QPixmap(QLatin1String(path)).size(), QSize(32, 32)) << path;
    for (const char* path : TForm1::ImageListGpsStatusEarth)
        EXPECT_EQ(QPixmap(QLatin1String(path)).size(), QSize(200, 200)) << path;
    for (const char* path : {":/art/ball-blue.png", ":/art/ball-green.png"})
        EXPECT_EQ(QPixmap(QLatin1String(path)).size(), QSize(24, 24)) << path;
    EXPECT_EQ(QPixmap(QStringLiteral(":/art/logo.png")).size(), QSize(145, 49));
}

TEST_F(MainForm, TimersRunWithTheirPeriods)
{
    start();
    struct Expected {
        const char* name;
        int periodMs;
        bool active;
    };
    for (const Expected& e :
         {Expected{"Timer1", 1000, true}, Expected{"Timer2", 500, true},
          Expected{"TimerUpdateSysChk", 1000, false}, Expected{"TimerEthernetRoutine", 100, true}}) {
        const QTimer* timer = form->findChild<QTimer*>(QLatin1String(e.name));
        ASSERT_NE(timer, nullptr) << e.name;
        EXPECT_EQ(timer->interval(), e.periodMs) << e.name;
        EXPECT_EQ(timer->isActive(), e.active) << e.name;
    }
}

TEST_F(MainForm, OptionMenuIsHiddenAndLanguageItemsFormOneGroup)
{
    start();
    EXPECT_FALSE(control<QMenu>("mnuOption")->menuAction()->isVisible());
    EXPECT_TRUE(control<QMenu>("mnuFile")->menuAction()->isVisible());
    EXPECT_TRUE(control<QMenu>("mnuHelp")->menuAction()->isVisible());
    auto* english = control<QAction>("mnuLangEnglish");
    auto* traditional = control<QAction>("mnuLangTraChinese");
    auto* simplified = control<QAction>("mnuLangSimpChinese");
    EXPECT_EQ(Tag(english), 0);
    EXPECT_EQ(Tag(traditional), 1);
    EXPECT_EQ(Tag(simplified), 2);
    EXPECT_FALSE(simplified->isVisible());
    ASSERT_NE(english->actionGroup(), nullptr);
    EXPECT_TRUE(english->actionGroup()->isExclusive());
    EXPECT_EQ(english->actionGroup(), traditional->actionGroup());
    EXPECT_EQ(english->actionGroup(), simplified->actionGroup());
    traditional->trigger();
    EXPECT_TRUE(traditional->isChecked());
    EXPECT_FALSE(english->isChecked());
}

TEST_F(MainForm, CancelledExitQueryKeepsTheWindowAndWritesNothing)
{
    start();
    form->show();
    boxes.answerNext(QMessageBox::Cancel);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].caption, QStringLiteral("Exit!"));
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Are you sure to exit?"));
    EXPECT_EQ(boxes.calls()[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

TEST_F(MainForm, ExitButtonAsksAndOkWritesTheSettings)
{
    start();
    form->show();
    boxes.answerNext(QMessageBox::Ok);
    control<QAbstractButton>("btnExit")->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(readFile(settingsPath()), QByteArray("[VIEW]\r\nLanguage=0\r\n"));
}

// The serial component belongs to the application object, so that it outlives the window.
TComm* applicationPort()
{
    return qApp->findChildren<TComm*>(Qt::FindDirectChildrenOnly).last();
}

TEST_F(MainForm, SerialPortStartsWithItsInitialLineSettings)
{
    start();
    const TComm* port = applicationPort();
    EXPECT_EQ(port->DeviceName(), QStringLiteral("\\\\.\\COM1"));
    EXPECT_EQ(port->BaudRate(), br128000);
    EXPECT_EQ(port->Parity(), paNone);
    EXPECT_EQ(port->DataBits(), da8);
    EXPECT_EQ(port->StopBits(), sb10);
    EXPECT_FALSE(port->IsOpen());
}

TEST_F(MainForm, ConfirmedExitClosesAnOpenPortAndCancelLeavesItOpen)
{
    PtyPair device;
    ASSERT_TRUE(device.Valid());
    start();
    TComm* port = applicationPort();
    port->SetDeviceName(QString::fromStdString(device.SlavePath()));
    port->Open();
    ASSERT_TRUE(port->IsOpen());
    boxes.answerNext(QMessageBox::Cancel);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(port->IsOpen());
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(port->IsOpen());
    EXPECT_TRUE(QFile::exists(settingsPath()));
}

TEST_F(MainForm, ExitMenuItemGoesThroughTheSameQuery)
{
    start();
    form->show();
    boxes.answerNext(QMessageBox::Cancel);
    control<QAction>("mnuExit")->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(boxes.calls().size(), 1u);
}

TEST_F(MainForm, SettingsFileWithUnknownLanguageStartsInEnglishAndIsWrittenBackAsZero)
{
    installLangFiles();
    writeFile(settingsPath(), "; kept\r\n[Other]\r\nx=1\r\n[VIEW]\r\nLanguage=7\r\nZoom=2\r\n");
    start();
    EXPECT_EQ(form->languageIndex(), 0);
    EXPECT_TRUE(control<QAction>("mnuLangEnglish")->isChecked());
    EXPECT_EQ(control<QAbstractButton>("btnExit")->text(), QStringLiteral("EXIT"));
    EXPECT_TRUE(form->close());
    EXPECT_EQ(readFile(settingsPath()),
              QByteArray("; kept\r\n[Other]\r\nx=1\r\n[VIEW]\r\nLanguage=0\r\nZoom=2\r\n"));
}

TEST_F(MainForm, SettingsFolderFallsBackToTheDocumentsFolder)
{
    // A file where the settings folder should be keeps the folder from being created.
    writeFile(folders.documentsFolder + QStringLiteral("/Corvana"), "in the way");
    start();
    EXPECT_EQ(form->settingsFilePath(), folders.documentsFolder + QStringLiteral("/CorvanaM47Config.ini"));
    EXPECT_TRUE(form->close());
    EXPECT_EQ(readFile(form->settingsFilePath()), QByteArray("[VIEW]\r\nLanguage=0\r\n"));
}

// Page changes by the user: a change of the visible page runs the page handling.
class MainFormPages : public AppFixture
{
protected:
    void SetUp() override
    {
        start();
        mainPages = control<QTabWidget>("PageControlMain");
        confPages = control<QTabWidget>("PageControlConf");
    }
    QTabWidget* mainPages = nullptr;
    QTabWidget* confPages = nullptr;
};

TEST_F(MainFormPages, ProgramAndReadButtonsShowOnlyOnConfiguration)
{
    mainPages->setCurrentWidget(control("TabSheetDiagnostics"));
    EXPECT_TRUE(control("SpeedButtonSetting")->isHidden());
    EXPECT_TRUE(control("SpeedButtonReload")->isHidden());
    mainPages->setCurrentWidget(control("TabSheetConfig"));
    EXPECT_FALSE(control("SpeedButtonSetting")->isHidden());
    EXPECT_FALSE(control("SpeedButtonReload")->isHidden());
}

TEST_F(MainFormPages, OpeningTheNetworkPageEntersItsConfigurationMode)
{
    auto* link = control("LabelEthernetSettingButton");
    confPages->setCurrentWidget(control("TabSheetInternalGPS"));
    EXPECT_TRUE(link->isEnabled());
    confPages->setCurrentWidget(control("TabSheetNetwork"));
    EXPECT_FALSE(link->isEnabled()); // the link waits until the module has answered
}

TEST_F(MainFormPages, ComingBackToConfigurationOnNetworkEntersAgain)
{
    auto* link = control("LabelEthernetSettingButton");
    confPages->setCurrentWidget(control("TabSheetNetwork"));
    mainPages->setCurrentWidget(control("TabSheetDiagnostics"));
    link->setEnabled(true);
    mainPages->setCurrentWidget(control("TabSheetConfig"));
    EXPECT_FALSE(link->isEnabled());
}

} // namespace
