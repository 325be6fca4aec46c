#pragma once
// Announcements that serial devices came or went: the intake of the debounced port rescan.
// TDeviceChangeSource is what the port list listens to, so tests can drive it directly.
#include <QObject>
#include <QString>

class QSocketNotifier;

class TDeviceChangeSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void DeviceChanged();
};

// Watches, with inotify on the window thread, the device directory for mapped tty nodes
// (ttyS, ttyUSB, ttyACM) appearing or vanishing, and the virtual-port folder for any change.
// inotify needs no udev daemon, which containers do not run. The virtual-port folder is created
// when missing, and watched again when someone removes it.
class TInotifyDeviceWatcher : public TDeviceChangeSource
{
    Q_OBJECT
public:
    TInotifyDeviceWatcher(const QString& devDir, const QString& virtualDir, QObject* parent = nullptr);
    ~TInotifyDeviceWatcher() override;

    // False when inotify is unavailable; ports are then only enumerated at start-up.
    bool IsWatching() const { return fd_ >= 0; }

private:
    void ReadEvents();
    void WatchVirtualDir();

    QString virtualDir_;
    int fd_ = -1;
    int devWatch_ = -1;
    int virtualWatch_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};
