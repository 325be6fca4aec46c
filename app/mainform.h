#pragma once
// The main window and the program's controller: it owns the connection state, the port list and
// the message texts, and every handler and timer of the device connection is one of its
// operations. The handlers of each area live in their own mainform_<area>.cpp.
#include "device/connection_rules.h"
#include "device/connection_session.h"
#include "device/device_info.h"
#include "device/program_verification.h"
#include "device/rx_line_assembler.h"
#include "logreport/file_dialogs.h"
#include "logreport/file_saving.h"
#include "logreport/log_recorder.h"
#include "logreport/replay_pacer.h"
#include "logreport/text_editor.h"
#include "diagnostics/gps_status_panel.h"
#include "diagnostics/reception_stats.h"
#include "netmodule/interface_addresses.h"
#include "netmodule/network_tab.h"
#include "netmodule/web_page.h"
#include "nmea/sentence_library.h"
#include "serial/comm.h"
#include "serial/port_list.h"
#include "application.h"
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
class QLabel;
class QTabWidget;
class TPaintSatelliteChart;
class TTargetFilterModel;
class TTargetTableModel;
class TSignalStrengthChart;
class TfrmAbout;
class TfrmWaitingProgress;
struct LanguageInfo;
namespace m47::logreport {
class ReplayBar;
}

namespace Ui {
class TForm1;
}

class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr const char* Caption = TApplication::Title;

    // Pictures of the system check: 0 red cross, 1 green check mark, 2 orange warning triangle.
    static constexpr std::array<const char*, 3> ImageListSysChk = {
        ":/art/check-cross.png", ":/art/check-ok.png", ":/art/check-warn.png"};
    // The earth seen from space, 200 x 200, from brightest (0) to darkest (4).
    static constexpr std::array<const char*, 5> ImageListGpsStatusEarth = {
        ":/art/earth0.png", ":/art/earth1.png", ":/art/earth2.png", ":/art/earth3.png", ":/art/earth4.png"};
    // Filters of the two file-save dialogs.
    static constexpr const char* SaveRptFileDialogFilter = "Report File (*.TXT)";
    static constexpr const char* SaveLogFileDialogFilter = "Data Log File (*.TXT)";

    // `webPage` opens the network module's web page; the log and the report are saved through
    // `fileDialogs` and the report opened in `textEditor`.
    TForm1(MessageBoxes& boxes, const ShellFolders& folders, m47::netmodule::WebPageOpener& webPage,
           m47::logreport::FileDialogs& fileDialogs, m47::logreport::TextEditor& textEditor,
           QWidget* parent = nullptr);
    ~TForm1() override;

    // The About and progress windows, created after the main window (program entry).
    void setSecondaryWindows(TfrmAbout* about, TfrmWaitingProgress* progress);

    // Checks the language menu item of LanguageIndex and applies that language.
    void ApplyStoredLanguage();

    bool IsDeviceReady() const;

    // Replays the log at `path` through the receive path, as File > Replay Log... does (the
    // command line's --replay); false, after telling the user, when it cannot be read or a
    // device is connected.
    bool StartReplay(const QString& path, m47::logreport::ReplaySpeed speed);

    int languageIndex() const { return LanguageIndex; }
    QString settingsFilePath() const { return SettingsFilePath; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Tests drive the handlers and timer ticks directly.
    friend class TForm1TestAccess;

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
    void ShowOpenPortCaption();      // Connect or Disconnect, by OpenPort's Tag
    void ShowConnectionStatusText(); // the status text of ConnectionState
    void mnuAboutClick();

    // Serial port of the device connection.
    void SetUpCommPort();

    // Receive path: line assembly and the four line consumers, in their order.
    void SetUpLineConsumers();
    void CommRxChar(QObject* Sender, std::uint32_t Count);
    void AppendToDataLog(std::string_view text);
    void UpdateGpsStatus(char* line);
    void HandleAtReply(char* line);

    // Port discovery.
    void RegisterPortNotifications();
    void EnumeratePorts();
    void RefreshPortList();
    void DeviceChangeStep();
    void PortLost(); // the open port hung up, failed or vanished: the connection ends

    // Connection and identification.
    void ComboBoxDeviceItemChange();
    void ComboBoxBaudRateChange();
    void OpenPortClick();
    void RunConnectionToggle(); // LeaveNetworkConfigMode, then ToggleConnection
    void ToggleConnection();
    QString OpenCommPort(); // empty, or the serial component's failure
    void ResetConnectionState();
    void SetChoiceBoxesEnabled(bool enabled); // interface, PC baud rate and port
    // Does what the connection session asked for, in its order.
    void ApplySession(const m47::device::SessionEffects& effects);
    void AdvanceIdentification(const char* line);
    void ShowIdentified();
    void Timer1Timer();
    void ShowReadBackPages();
    void LabelConnectionStatusDblClick();
    void Timer2Timer();
    void RestartStepTick();
    void LookForRestartedPort();
    void SendProductInfoQuery();
    void SendCommand(std::string_view text);
    bool WriteToDevice(const char* bytes, std::size_t length);

    // Configuration read.
    void ParseConfigurationLine(const char* line);
    void SetNetworkModuleVisible(bool visible);
    void SetGpsModeEnabled(bool enabled);
    void CheckBoxInternalGPSEnableClick();
    void AnnounceRestart();
    void spbDbgTestCmdClick();

    // Programming.
    void SpeedButtonSettingClick();
    void spbBaudRateClick();
    void spbInternalGPSClick();
    void spbRestoreClick();
    // Sends a page's command and waits for the identification after the restart to verify it.
    void SendProgramming(const std::optional<std::string>& command,
                         const std::optional<m47::device::DeviceSettings>& expected);
    void VerifyProgramming(); // on identification: "Device programmed and verified" or what differs
    void ShowProgramVerification(const QString& text, bool differs = false);
    void CreateProgramVerificationLabel(); // in the top panel, under the port choice

    // Filled by the diagnostics, log and network areas.
    void ClearSatelliteEpoch();
    void InitAisDecoding();
    void RefreshCheckImages();
    void SetCheckImage(QLabel* image, int index); // a copy of ImageListSysChk[index]
    void CreateSatelliteViews();
    void ResetAtEngine();
    void ClearNetworkModuleInfo();
    bool IsConfigMode() const;
    void TimerUpdateSysChkTimer();
    void TimerEthernetRoutineTimer();
    void LabelEthernetSettingButtonClick();
    void LabelEthernetSettingButtonMouseActivate();
    void ButtonEthernetSendClick();
    void ButtonCMD1Click();
    void ButtonEnterEthConfigModeClick();
    void ButtonExitEthConfigModeClick();
    void ButtonCompareIPClick();
    void ConnectNetworkMemos(); // the double-clicks of the two hidden memos
    void MemoEthernetTxDblClick();
    void MemoEthernetRxDblClick();
    void ApplyNetworkTab(const m47::netmodule::NetworkTabEffects& effects);
    void OpenModulePage(const m47::netmodule::WebPageRequest& request);
    void SpeedButtonClearCheckClick();
    void spbtnEnableLogClick();
    void btnClearLogClick();
    void btnSaveLogClick();
    void btnSendCommandClick();
    void SetUpDataLog();
    // The RECEPTION page: every line counted once after the GPS page's panel ran it, the page
    // refreshed by TimerReception while it shows.
    void SetUpReceptionPage();
    void CountReceivedLine(std::string_view line, bool accepted);
    void CountLineEnded(std::string_view text); // every finished line, from the log tap
    void TimerReceptionTimer();
    void btnReceptionRefreshClick();
    void btnExportCsvClick();
    void edtTargetFilterChange();
    void OfferConfigurationReport(); // at the end of the Read Device countdown

    // Record and replay: the File menu's four items, the recorder on the log tap and the replay
    // fed into the receive path in place of the port.
    void SetUpRecordReplay();
    void ShowRecordReplayState(); // the menu items, Connect and "REC" for the present state
    void mnuRecordClick();
    void mnuStopRecordingClick();
    void RecordLine(std::string_view text);
    void TimerRecordFlushTimer();
    void RecordingStopped(const std::optional<std::string>& failure);
    void mnuReplayClick();
    void mnuStopReplayClick();
    void TimerReplayTimer();
    void ReplaySpeedChange(m47::logreport::ReplaySpeed speed);
    void ReplayPauseClick(bool paused);
    // Text of the current language's code page, to and from the window's texts.
    const char* CodePage() const;
    std::string Encoded(const QString& text) const;
    QString Decoded(std::string_view bytes) const;
    bool Ask(const m47::logreport::Question& question); // true for OK or Yes
    void ShowSaveFailure(const m47::logreport::SaveResult& result);

    std::unique_ptr<Ui::TForm1> ui;
    MessageBoxes& Boxes;
    const ShellFolders Folders;
    TfrmAbout* frmAbout = nullptr;
    TfrmWaitingProgress* frmWaitingProgress = nullptr;

    QTimer Timer1;
    QTimer Timer2;
    QTimer TimerUpdateSysChk;
    QTimer TimerEthernetRoutine;

    // The connection between events; OpenPort's Tag mirrors whether one is open.
    m47::device::ConnectionSession Session;
    MessageTextTable MessageTexts;
    // The present ports (PortNames, PortCount) and the debounced rescan on device changes.
    TPortList Ports{this};
    TComm* CommPort = nullptr; // owned by the application object, so it outlives the window
    // RxLine and the dispatch of finished lines.
    m47::device::RxLineAssembler RxLines;
    int LanguageIndex = 0; // 0 English, 1 Traditional Chinese, 2 Simplified Chinese
    const LanguageInfo* CurrentLanguage = nullptr;
    // The sentence library for the whole run, and the GPS page's panel that runs every line
    // through it; the panel also holds the system check's receive counters.
    std::unique_ptr<nmea::SentenceLibrary> Library;
    std::unique_ptr<m47::diagnostics::GpsStatusPanel> GpsPanel;
    TPaintSatelliteChart* SkyMap = nullptr;      // in PanelSatelliteMap
    TSignalStrengthChart* SignalChart = nullptr; // in Chart1
    // The RECEPTION page's counting, the figures it showed last and its targets' models.
    m47::diagnostics::ReceptionStats Reception;
    m47::diagnostics::ReceptionView ReceptionFigures;
    QTimer TimerReception;
    TTargetTableModel* TargetModel = nullptr;
    TTargetFilterModel* TargetFilter = nullptr;

    // Program-wide state.
    QString ProgramFolder;
    QString SettingsFolder;
    QString SettingsFilePath;
    QWidget* PreviousMainPage = nullptr;
    QWidget* PreviousConfPage = nullptr;
    m47::device::DeviceInfo DeviceInfo{};
    // The programmed settings waiting for the read-back after the device's restart.
    m47::device::ProgramVerification Verification;
    QLabel* LabelProgramVerification = nullptr;

    // The network module's configuration mode, its queries and its values.
    m47::netmodule::WebPageOpener& WebPage;
    m47::netmodule::InterfaceAddressSource LocalAddressSource;
    m47::netmodule::NetworkTab NetTab{DeviceInfo, LocalAddressSource};

    // The save dialogs of the log and the report, and the editor the report opens in.
    m47::logreport::FileDialogs& Dialogs;
    m47::logreport::TextEditor& Editor;

    // Recording and replay, with their menu items, the "REC" label and the replay's controls.
    QAction* mnuRecord = nullptr;
    QAction* mnuStopRecording = nullptr;
    QAction* mnuReplay = nullptr;
    QAction* mnuStopReplay = nullptr;
    QLabel* lblRecording = nullptr;
    m47::logreport::ReplayBar* ReplayControls = nullptr;
    QTimer TimerRecordFlush;
    QTimer TimerReplay;
    m47::logreport::LogRecorder Recorder;
    std::unique_ptr<m47::logreport::ReplayPacer> Replay; // set while a log replays
};
