#pragma once
// The main window on a private virtual-port folder, with access to its handlers and timer ticks
// so that tests drive the connection step by step instead of waiting for the timers.
#include "pty_pair.h"
#include "appfixture.h"
#include "app/clicklabel.h"
#include "device/command_sentences.h"
#include "serial/comm.h"
#include "app/tag.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>

#include <functional>
#include <string>

// Reaches the window's private handlers; named as a friend in TForm1.
class TForm1TestAccess
{
public:
    explicit TForm1TestAccess(TForm1& form) : f(form) {}

    // Tests tick the timers themselves.
    void StopTimers()
    {
        for (QTimer* t : {&f.Timer1, &f.Timer2, &f.TimerUpdateSysChk, &f.TimerEthernetRoutine})
            t->stop();
    }
    QTimer& Timer1() { return f.Timer1; }
    QTimer& Timer2() { return f.Timer2; }
    QTimer& TimerUpdateSysChk() { return f.TimerUpdateSysChk; }
    void Timer1Tick() { f.Timer1Timer(); }
    void Timer2Tick() { f.Timer2Timer(); }
    void SysChkTick() { f.TimerUpdateSysChkTimer(); }
    void ReceptionTick() { f.TimerReceptionTimer(); }
    // Bytes as if the port had delivered them to the receive path.
    void Receive(std::string_view bytes) { f.RxLines.Feed(bytes); }
    void EthernetTick() { f.TimerEthernetRoutineTimer(); }
    // The read-back's forced entry to the NETWORK sub-page.
    void HandlePageChange(bool forceEnter, bool forceLeave) { f.HandlePageChange(forceEnter, forceLeave); }
    const m47::netmodule::NetworkTab& NetTab() const { return f.NetTab; }
    // A device change announced, then the four ticks of the debounced rescan.
    void RescanAfterDeviceChange()
    {
        f.Ports.NoteDeviceChange();
        for (int i = 0; i < 4; ++i)
            f.Timer2Timer();
    }

    bool DeviceChangePending() const { return f.Ports.DeviceChangePending(); }
    void ParseConfigurationLine(const std::string& line) { f.ParseConfigurationLine(line.c_str()); }
    // Hands every line the GPS page takes to `tap` first, as the receive path dispatched it.
    void TapGpsLines(std::function<void(const char*)> tap)
    {
        f.RxLines.SetConsumer(m47::device::LineConsumer::GpsStatus, [&form = f, tap](char* line) {
            tap(line);
            form.UpdateGpsStatus(line);
        });
    }
    const m47::device::IdentificationState& Identification() const { return f.Session.Identification(); }
    const m47::device::DeviceInfo& DeviceInfo() const { return f.DeviceInfo; }
    std::size_t PendingLength() const { return f.RxLines.PendingLength(); }
    int RestartStep() const { return f.Session.RestartStep(); }
    int ReadDeviceCountdown() const { return f.Session.ReadDeviceCountdown(); }
    TComm& Port() { return *f.CommPort; }

private:
    TForm1& f;
};

// A sentence as the device sends it: with its checksum field, CR and LF.
inline std::string DeviceLine(std::string_view text)
{
    return m47::device::CompleteCommand(text).value_or(std::string());
}

inline const std::string ProductInfoQuery = "$PTST,,,,,16*28\r\n";

class ConnectionFixture : public AppFixture
{
protected:
    void SetUp() override { qputenv("M47_PORTS_DIR", portsDir.path().toLocal8Bit()); }

    void TearDown() override
    {
        // The port belongs to the application object and outlives the window.
        if (form && access().Port().IsOpen())
            access().Port().Close();
        qunsetenv("M47_PORTS_DIR");
    }

    // Lists `target` as a virtual port COM<com> named "<name> (COM<com>)".
    void publish(int com, const QString& target, const QByteArray& name = "Test M47")
    {
        const QString link = portsDir.filePath(QStringLiteral("COM%1").arg(com));
        ASSERT_TRUE(QFile::link(target, link));
        writeFile(link + QStringLiteral(".name"), name);
    }
    void unpublish(int com)
    {
        const QString link = portsDir.filePath(QStringLiteral("COM%1").arg(com));
        QFile::remove(link);
        QFile::remove(link + QStringLiteral(".name"));
    }

    // Starts the window with its timers stopped and the port item of COM<com> selected.
    void startWithPort(int com)
    {
        start();
        access().StopTimers();
        selectPort(com);
    }
    void selectPort(int com)
    {
        auto* ports = control<QComboBox>("cbxDeviceComEnum");
        const int item = ports->findText(QStringLiteral("(COM%1)").arg(com), Qt::MatchEndsWith);
        ASSERT_GE(item, 0) << "COM" << com << " not listed";
        ports->setCurrentIndex(item);
    }

    TForm1TestAccess access() { return TForm1TestAccess(*form); }
    QAbstractButton* openPort() const { return control<QAbstractButton>("OpenPort"); }
    int connectionTag() const { return Tag(openPort()); }
    void doubleClickStatus() const { emit control<ClickLabel>("LabelConnectionStatus")->doubleClicked(); }
    QString statusText() const { return control<QLabel>("LabelConnectionStatus")->text(); }
    QWidget* confPage() const { return control<QTabWidget>("PageControlConf")->currentWidget(); }
    QString lastBoxText() const { return boxes.calls().empty() ? QString() : boxes.calls().back().text; }

    QTemporaryDir portsDir;
};

// The window and a device played by the test on a pseudo-terminal listed as COM<kDeviceCom>.
class PtyDeviceFixture : public ConnectionFixture
{
public:
    static constexpr int kDeviceCom = 201;

protected:
    void SetUp() override
    {
        ConnectionFixture::SetUp();
        ASSERT_TRUE(device.Valid());
        publish(kDeviceCom, QString::fromStdString(device.SlavePath()));
    }

    // Connect with the device's port selected: identifying, port open.
    void connectDevice()
    {
        startWithPort(kDeviceCom);
        openPort()->click();
        ASSERT_EQ(connectionTag(), 1);
        ASSERT_TRUE(access().Port().IsOpen());
    }

    // What the program has written to the device so far. Writes complete before the handler
    // returns, so a short poll of the master finds them all.
    std::string received() const { return device.Receive(1 << 16, 100); }

    PtyPair device;
};
