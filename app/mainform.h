#pragma once
// The main window and the program's controller: it owns the connection state, the port list and
// the message texts, and every handler and timer of the device connection is one of its
// operations. The handlers of each area live in their own mainform_<area>.cpp.
#include "device/device_info.h"
#include "serial/comm.h"
#include "messagebox.h"
#include "messagetexts.h"
#include "pagechange.h"
#include "shellfolders.h"

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <array>
#include <memory>

class QAction;
class QTabWidget;
class TfrmAbout;
class TfrmWaitingProgress;
struct LanguageInfo;

namespace Ui {
class TForm1;
}

class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr const char* Caption = "Veldra M47 Configurator";

    // Pictures of the system check: 0 red cross, 1 green check mark, 2 orange warning triangle.
    static constexpr std::array<const char*, 3> ImageListSysChk = {
        ":/art/check-cross.png", ":/art/check-ok.png", ":/art/check-warn.png"};
    // The earth seen from space, 200 x 200, from brightest (0) to darkest (4).
    static constexpr std::array<const char*, 5> ImageListGpsStatusEarth = {
        ":/art/earth0.png", ":/art/earth1.png", ":/art/earth2.png", ":/art/earth3.png", ":/art/earth4.png"};
    // Filters of the two file-save dialogs.
    static constexpr const char* SaveRptFileDialogFilter = "Report File (*.TXT)";
    static constexpr const char* SaveLogFileDialogFilter = "Data Log File (*.TXT)";

    TForm1(MessageBoxes& boxes, const ShellFolders& folders, QWidget* parent = nullptr);
    ~TForm1() override;

    // The About and progress windows, created after the main window (program entry).
    void setSecondaryWindows(TfrmAbout* about, TfrmWaitingProgress* progress);

    // Checks the language menu item of LanguageIndex and applies that language.
    void ApplyStoredLanguage();

    bool IsDeviceReady() const;

    int languageIndex() const { return LanguageIndex; }
    QString settingsFilePath() const { return SettingsFilePath; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Start-up, closing and page changes.
    void FormCreate();
    void CreateTimers();
    void ConnectHandlers();
    void FormResize();
    void btnExitClick();
    void PageControlMainChange();
    void PageControlConfChange();
    void HandlePageChange(bool forceEnter, bool forceLeave);
    void LeaveNetworkConfigMode();
    void ResetConnectionState();
    // Shows a page the program chose; unlike the user's page changes it runs no page handling.
    static void ShowPage(QTabWidget* pages, QWidget* page);
    PageState CurrentPages() const;
    PageState PreviousPages() const;

    // Settings file.
    void ReadSettings(const QString& path);
    void WriteSettings(const QString& path);

    // Texts and languages.
    void mnuLangTraChineseClick(QAction* sender);
    void LoadDefaultTexts();
    void LoadLanguage(const QString& path);
    void ShowOpenPortCaption();       // Connect or Disconnect, by OpenPort's Tag
    void ShowConnectionStatusText(); // the status text of ConnectionState
    void mnuAboutClick();

    // Serial port of the device connection.
    void SetUpCommPort();

    // Filled by the serial, device, diagnostics, log and network areas.
    void RegisterPortNotifications();
    void ClearSatelliteEpoch();
    void EnumeratePorts();
    void CommRxChar(QObject* Sender, std::uint32_t Count);
    void InitAisDecoding();
    void RefreshCheckImages();
    void CreateSatelliteViews();
    void ResetAtEngine();
    void ClearNetworkModuleInfo();
    bool IsConfigMode() const;
    void Timer1Timer();
    void Timer2Timer();
    void TimerUpdateSysChkTimer();
    void TimerEthernetRoutineTimer();
    void ComboBoxDeviceItemChange();
    void ComboBoxBaudRateChange();
    void OpenPortClick();
    void LabelConnectionStatusDblClick();
    void SpeedButtonSettingClick();
    void spbDbgTestCmdClick();
    void spbBaudRateClick();
    void CheckBoxInternalGPSEnableClick();
    void spbInternalGPSClick();
    void spbRestoreClick();
    void LabelEthernetSettingButtonClick();
    void LabelEthernetSettingButtonMouseActivate();
    void ButtonEthernetSendClick();
    void ButtonCMD1Click();
    void ButtonEnterEthConfigModeClick();
    void ButtonExitEthConfigModeClick();
    void ButtonCompareIPClick();
    void SpeedButtonClearCheckClick();
    void spbtnEnableLogClick();
    void btnClearLogClick();
    void btnSaveLogClick();
    void btnSendCommandClick();

    std::unique_ptr<Ui::TForm1> ui;
    MessageBoxes& Boxes;
    const ShellFolders Folders;
    TfrmAbout* frmAbout = nullptr;
    TfrmWaitingProgress* frmWaitingProgress = nullptr;

    QTimer Timer1;
    QTimer Timer2;
    QTimer TimerUpdateSysChk;
    QTimer TimerEthernetRoutine;

    // Connection state.
    int ConnectionState = 0; // 0 idle, 1 identifying, 2 identified
    int IdentifyTicks = 0;
    bool DeviceChangePending = false;
    bool ProductInfoComplete = false;
    bool DeviceIdentified = false;
    MessageTextTable MessageTexts;
    int PortNumber = 0;                 // COM number of the current or last connection
    std::array<QString, 256> PortNames; // friendly names of the present ports
    int PortCount = 0;
    TComm* CommPort = nullptr; // owned by the application object, so it outlives the window
    QByteArray RxLine;
    int LanguageIndex = 0; // 0 English, 1 Traditional Chinese, 2 Simplified Chinese
    const LanguageInfo* CurrentLanguage = nullptr;
    int RxCountA = 0;
    int RxCountB = 0;

    // Program-wide state.
    QString ProgramFolder;
    QString SettingsFolder;
    QString SettingsFilePath;
    int ReadDeviceCountdown = 255; // 255: no Read Device request running
    int RestartStep = 0;
    int DeviceChangeTicks = 0;
    bool StatusBlink = false;
    QWidget* PreviousMainPage = nullptr;
    QWidget* PreviousConfPage = nullptr;
    m47::device::DeviceInfo DeviceInfo{};
};
