#include "mainform.h"

#include "about.h"
#include "artpixmap.h"
#include "tag.h"
#include "ui_mainform.h"

#include <QCloseEvent>
#include <QLayout>
#include <QScreen>
#include <QSignalBlocker>

TForm1::TForm1(MessageBoxes& boxes, const ShellFolders& folders, m47::netmodule::WebPageOpener& webPage,
               m47::logreport::FileDialogs& fileDialogs, m47::logreport::TextEditor& textEditor,
               QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TForm1>()), Boxes(boxes), Folders(folders),
      WebPage(webPage), Dialogs(fileDialogs), Editor(textEditor)
{
    ui->setupUi(this);
    sharpenLabelArt(this, {{"Image4", ":/art/navy-band.png"},
                           {"Image2", ":/art/ball-blue.png"},
                           {"Image3", ":/art/ball-green.png"}});
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    ui->centralwidget->setFixedSize(723, 521);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // An editable box can hold a text that is none of its items; the layout cannot store that.
    ui->cbxBaud_NMEA->setEditText(QStringLiteral("38400"));
    CreateTimers();
    ConnectHandlers();
    FormCreate();

    // Construction proper, in its fixed order; the steps that are calls belong to later areas.
    // The records start empty; the receive counters start at zero with the GPS page's panel.
    ClearSatelliteEpoch();
    m47::device::ClearReceivedFlags(DeviceInfo);
    ProgramFolder = Folders.programFolder;
    // Settings folder and language, then the built-in English texts.
    SettingsFolder = settingsFolderIn(Folders.documentsFolder);
    SettingsFilePath = SettingsFolder + QLatin1String(SettingsFileName);
    LanguageIndex = 0;
    ReadSettings(SettingsFilePath);
    LoadDefaultTexts();
    // The serial port and the list of present ports.
    SetUpCommPort();
    EnumeratePorts();
    RefreshPortList();
    // Idle: only the top panel shows until a device is identified.
    ResetConnectionState();
    InitAisDecoding();
    // First pages, recorded as the previous ones by the page handling.
    ShowPage(ui->PageControlMain, ui->PageControlMain->widget(0));
    ShowPage(ui->PageControlConf, ui->PageControlConf->widget(0));
    ShowPage(ui->PageControlDiagnosis, ui->PageControlDiagnosis->widget(0));
    HandlePageChange(false, false);
    RefreshCheckImages();
    setWindowTitle(QLatin1String(Caption));
    CreateSatelliteViews();
    // The language is chosen through the settings file only.
    ui->mnuOption->menuAction()->setVisible(false);
    ui->mnuLanguage->menuAction()->setVisible(false);
    ShowPage(ui->PageControlMain, ui->TabSheetConfig);
    ShowPage(ui->PageControlDiagnosis, ui->TabSheetSystemCheck);
    ResetAtEngine();
    ClearNetworkModuleInfo();
    // The network maintenance controls are for the factory only.
    for (QWidget* w : std::initializer_list<QWidget*>{
             ui->MemoEthernetTx, ui->MemoEthernetRx, ui->EditEthernetText, ui->ButtonEthernetSend,
             ui->ButtonCMD1, ui->ButtonEnterEthConfigMode, ui->ButtonExitEthConfigMode, ui->ButtonCompareIP})
        w->hide();
    ui->LabelEthFirmwareVersion->setText(QStringLiteral("None"));
    ui->LabelEthIP->setText(QStringLiteral("None"));

    // Centre on the desktop.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        const QSize size = sizeHint();
        move(desk.x() + (desk.width() - size.width()) / 2, desk.y() + (desk.height() - size.height()) / 2);
    }
}

TForm1::~TForm1()
{
    // The port outlives the window; it must no longer call into it.
    CommPort->OnRxChar = nullptr;
    CommPort->OnError = nullptr;
}

void TForm1::setSecondaryWindows(TfrmAbout* about, TfrmWaitingProgress* progress)
{
    frmAbout = about;
    frmWaitingProgress = progress;
}

void TForm1::CreateTimers()
{
    struct TimerSetting {
        QTimer* timer;
        const char* name;
        int periodMs;
        bool running;
        void (TForm1::*handler)();
    };
    const TimerSetting timers[] = {
        {&Timer1, "Timer1", m47::device::kIdentifyTickMs, true, &TForm1::Timer1Timer},
        {&Timer2, "Timer2", m47::device::kPortCheckTickMs, true, &TForm1::Timer2Timer},
        {&TimerUpdateSysChk, "TimerUpdateSysChk", m47::device::kSystemCheckTickMs, false,
         &TForm1::TimerUpdateSysChkTimer},
        {&TimerEthernetRoutine, "TimerEthernetRoutine", m47::device::kModuleTickMs, true,
         &TForm1::TimerEthernetRoutineTimer},
    };
    for (const TimerSetting& t : timers) {
        t.timer->setParent(this);
        t.timer->setObjectName(QLatin1String(t.name));
        t.timer->setInterval(t.periodMs);
        connect(t.timer, &QTimer::timeout, this, t.handler);
        if (t.running)
            t.timer->start();
    }
}

void TForm1::ConnectHandlers()
{
    connect(ui->btnExit, &QToolButton::clicked, this, &TForm1::btnExitClick);
    connect(ui->mnuExit, &QAction::triggered, this, &TForm1::btnExitClick);
    connect(ui->mnuAbout, &QAction::triggered, this, &TForm1::mnuAboutClick);
    for (QAction* item : {ui->mnuLangEnglish, ui->mnuLangTraChinese, ui->mnuLangSimpChinese})
        connect(item, &QAction::triggered, this, [this, item] { mnuLangTraChineseClick(item); });
    connect(ui->PageControlMain, &QTabWidget::currentChanged, this, &TForm1::PageControlMainChange);
    connect(ui->PageControlConf, &QTabWidget::currentChanged, this, &TForm1::PageControlConfChange);

    connect(ui->ComboBoxDeviceItem, &QComboBox::currentIndexChanged, this, &TForm1::ComboBoxDeviceItemChange);
    connect(ui->ComboBoxBaudRate, &QComboBox::currentIndexChanged, this, &TForm1::ComboBoxBaudRateChange);
    connect(ui->OpenPort, &QToolButton::clicked, this, &TForm1::OpenPortClick);
    connect(ui->LabelConnectionStatus, &ClickLabel::doubleClicked, this,
            &TForm1::LabelConnectionStatusDblClick);
    connect(ui->SpeedButtonSetting, &QToolButton::clicked, this, &TForm1::SpeedButtonSettingClick);
    connect(ui->SpeedButtonReload, &QToolButton::clicked, this, &TForm1::spbDbgTestCmdClick);
    connect(ui->spbBaudRate, &QToolButton::clicked, this, &TForm1::spbBaudRateClick);
    connect(ui->CheckBoxInternalGPSEnable, &QCheckBox::clicked, this,
            &TForm1::CheckBoxInternalGPSEnableClick);
    connect(ui->spbInternalGPS, &QToolButton::clicked, this, &TForm1::spbInternalGPSClick);
    connect(ui->spbRestore, &QToolButton::clicked, this, &TForm1::spbRestoreClick);
    connect(ui->LabelEthernetSettingButton, &ClickLabel::clicked, this,
            &TForm1::LabelEthernetSettingButtonClick);
    connect(ui->LabelEthernetSettingButton, &ClickLabel::pressed, this,
            &TForm1::LabelEthernetSettingButtonMouseActivate);
    connect(ui->ButtonEthernetSend, &QPushButton::clicked, this, &TForm1::ButtonEthernetSendClick);
    connect(ui->ButtonCMD1, &QPushButton::clicked, this, &TForm1::ButtonCMD1Click);
    connect(ui->ButtonEnterEthConfigMode, &QPushButton::clicked, this,
            &TForm1::ButtonEnterEthConfigModeClick);
    connect(ui->ButtonExitEthConfigMode, &QPushButton::clicked, this, &TForm1::ButtonExitEthConfigModeClick);
    connect(ui->ButtonCompareIP, &QPushButton::clicked, this, &TForm1::ButtonCompareIPClick);
    connect(ui->SpeedButtonClearCheck, &QToolButton::clicked, this, &TForm1::SpeedButtonClearCheckClick);
    connect(ui->spbtnEnableLog, &QToolButton::clicked, this, &TForm1::spbtnEnableLogClick);
    connect(ui->btnClearLog, &QPushButton::clicked, this, &TForm1::btnClearLogClick);
    connect(ui->btnSaveLog, &QPushButton::clicked, this, &TForm1::btnSaveLogClick);
    connect(ui->btnSendCommand, &QPushButton::clicked, this, &TForm1::btnSendCommandClick);
    ConnectNetworkMemos();
    SetUpDataLog();
    SetUpRecordReplay();
    CreateProgramVerificationLabel();
    SetUpReceptionPage();
}

void TForm1::FormCreate()
{
    ProgramFolder = Folders.programFolder;
    RegisterPortNotifications();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    const auto answer = Boxes.ask(MessageTexts["QueryExit"], MessageTexts["Exit_Caption"],
                                  QMessageBox::Ok | QMessageBox::Cancel);
    if (answer != QMessageBox::Ok) {
        event->ignore();
        return;
    }
    LeaveNetworkConfigMode();
    if (CommPort->IsOpen())
        CommPort->Close();
    WriteSettings(SettingsFilePath);
    event->accept();
}

void TForm1::btnExitClick()
{
    close();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::FormResize()
{
    ui->lblSatelliteID->move(ui->lblSatelliteID->x(), ui->Chart1->y() + ui->Chart1->height() - 20);
    move(x(), 40);
}

void TForm1::SetUpCommPort()
{
    CommPort = new TComm(QCoreApplication::instance());
    CommPort->SetDeviceName(QString::asprintf("\\\\.\\COM%d", 1));
    CommPort->SetBaudRate(br128000);
    CommPort->SetParity(paNone);
    CommPort->SetDataBits(da8);
    CommPort->SetStopBits(sb10);
    SetUpLineConsumers();
    CommPort->OnRxChar = [this](QObject* sender, std::uint32_t count) { CommRxChar(sender, count); };
    // A hang-up or I/O failure of the open port (line errors such as framing are no reason).
    CommPort->OnError = [this](QObject*, int errors) {
        if (errors & CE_IOE)
            PortLost();
    };
}

bool TForm1::IsDeviceReady() const
{
    return Session.DeviceReady();
}

void TForm1::LeaveNetworkConfigMode()
{
    if (Session.Connected() && IsConfigMode())
        ButtonExitEthConfigModeClick();
}

void TForm1::ShowPage(QTabWidget* pages, QWidget* page)
{
    const QSignalBlocker programChange(pages);
    pages->setCurrentWidget(page);
}

PageState TForm1::CurrentPages() const
{
    const QWidget* main = ui->PageControlMain->currentWidget();
    return {main == ui->TabSheetConfig ? MainPage::Config : MainPage::Diagnostics,
            ui->PageControlConf->currentWidget() == ui->TabSheetNetwork};
}

PageState TForm1::PreviousPages() const
{
    const MainPage main = PreviousMainPage == ui->TabSheetConfig        ? MainPage::Config
                          : PreviousMainPage == ui->TabSheetDiagnostics ? MainPage::Diagnostics
                                                                        : MainPage::None;
    return {main, PreviousConfPage == ui->TabSheetNetwork};
}

void TForm1::PageControlMainChange()
{
    HandlePageChange(false, false);
}

void TForm1::PageControlConfChange()
{
    HandlePageChange(false, false);
}

void TForm1::HandlePageChange(bool forceEnter, bool forceLeave)
{
    const PageTransition t = pageTransition(PreviousPages(), CurrentPages());
    PreviousMainPage = ui->PageControlMain->currentWidget();
    PreviousConfPage = ui->PageControlConf->currentWidget();

    const bool onConfig = PreviousMainPage == ui->TabSheetConfig;
    ui->SpeedButtonSetting->setVisible(onConfig);
    ui->SpeedButtonReload->setVisible(onConfig);

    if (t.enter || forceEnter) {
        ui->LabelEthernetSettingButton->setEnabled(false);
        ButtonEnterEthConfigModeClick();
        ButtonCMD1Click();
        if (ui->ComboBoxDeviceItem->currentIndex() == 1) // RS-232 cannot reach the module
            LeaveNetworkConfigMode();
    }
    if (t.leave || forceLeave)
        LeaveNetworkConfigMode();
}

void TForm1::mnuAboutClick()
{
    if (!frmAbout)
        return;
    frmAbout->show();
    frmAbout->raise();
    frmAbout->activateWindow();
}
