#pragma once
// Every file dialog of the log, report, recording and replay handlers goes through this one
// interface, so that handlers can be tested with scripted answers and never block on a dialog.
#include <QString>

#include <optional>

namespace m47::logreport {

class FileDialogs
{
public:
    struct SaveRequest {
        QString filter;      // one filter, as "Data Log File (*.TXT)"; it is filter number 1
        QString initialName; // the suggested file name, empty for none
    };

    virtual ~FileDialogs() = default;
    // Shows a modal save dialog; the chosen path, or none when the user cancelled. The path
    // comes back as chosen: the caller adds the default extension and asks before overwriting.
    virtual std::optional<QString> askSavePath(const SaveRequest& request) = 0;
    // Shows a modal dialog for an existing file to read; none when the user cancelled.
    // `filter` holds filters separated by ";;".
    virtual std::optional<QString> askOpenPath(const QString& filter) = 0;
};

// The real thing: a modal QFileDialog over the active window.
class QtFileDialogs final : public FileDialogs
{
public:
    std::optional<QString> askSavePath(const SaveRequest& request) override;
    std::optional<QString> askOpenPath(const QString& filter) override;
};

} // namespace m47::logreport
