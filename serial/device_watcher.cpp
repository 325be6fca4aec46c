// inotify-based device-change intake.
#include "device_watcher.h"

#include "logging.h"
#include "port_naming.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

TInotifyDeviceWatcher::TInotifyDeviceWatcher(const QString& devDir, const QString& virtualDir,
                                             QObject* parent)
    : TDeviceChangeSource(parent), virtualDir_(virtualDir)
{
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) {
        LogCallFailure(lcPorts(), "inotify_init1", devDir, errno);
        return;
    }
    devWatch_ = inotify_add_watch(fd_, QFile::encodeName(devDir).constData(),
                                  IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB);
    if (devWatch_ < 0)
        LogCallFailure(lcPorts(), "inotify_add_watch", devDir, errno);
    WatchVirtualDir();
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TInotifyDeviceWatcher::ReadEvents);
}

TInotifyDeviceWatcher::~TInotifyDeviceWatcher()
{
    if (fd_ >= 0)
        close(fd_);
}

void TInotifyDeviceWatcher::WatchVirtualDir()
{
    QDir().mkpath(virtualDir_);
    QFile::setPermissions(virtualDir_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    virtualWatch_ = inotify_add_watch(fd_, QFile::encodeName(virtualDir_).constData(),
                                      IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE |
                                          IN_DELETE_SELF | IN_MOVE_SELF);
    if (virtualWatch_ < 0)
        LogCallFailure(lcPorts(), "inotify_add_watch", virtualDir_, errno);
}

void TInotifyDeviceWatcher::ReadEvents()
{
    alignas(inotify_event) char buffer[4096];
    bool changed = false;
    bool rewatch = false;
    for (;;) {
        const ssize_t length = read(fd_, buffer, sizeof buffer);
        if (length <= 0)
            break;
        for (ssize_t at = 0; at < length;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof event;
            at += static_cast<ssize_t>(sizeof event + event.len);
            if (event.wd == virtualWatch_) {
                changed = true;
                rewatch = rewatch || (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF));
            } else if (event.wd == devWatch_ && event.len > 0) {
                const QString node =
                    QFile::decodeName(QByteArray(name, static_cast<qsizetype>(strnlen(name, event.len))));
                changed = changed || ComNumberOfNode(node) > 0;
            }
        }
    }
    if (rewatch) {
        inotify_rm_watch(fd_, virtualWatch_);
        WatchVirtualDir();
    }
    if (changed)
        emit DeviceChanged();
}
