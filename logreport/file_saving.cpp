#include "logreport/file_saving.h"

#include "logreport/file_names.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace m47::logreport {

namespace {

QString failure(const QString& path, const QString& reason)
{
    return QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

WriteError writeFileSafely(const QString& path, const FileContents& contents)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    const bool written = contents([&file](std::string_view bytes) {
        return file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
    });
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return std::nullopt;
}

SaveResult saveThroughDialog(FileDialogs& dialogs, const FileDialogs::SaveRequest& request,
                             const Question& overwrite, const AskQuestion& ask, const FileContents& contents)
{
    using Outcome = SaveResult::Outcome;
    const std::optional<QString> chosen = dialogs.askSavePath(request);
    if (!chosen)
        return {Outcome::Cancelled, {}, {}};
    const QString path = QString::fromStdString(WithDefaultExtension(chosen->toStdString()));
    if (QFileInfo::exists(path) && !ask(overwrite))
        return {Outcome::Declined, path, {}};
    if (WriteError error = writeFileSafely(path, contents))
        return {Outcome::Failed, path, *error};
    return {Outcome::Saved, path, {}};
}

} // namespace m47::logreport
