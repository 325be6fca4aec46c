#pragma once
// Saving through the save dialog: the chosen name gets the default extension, an existing file
// is replaced only after the user agreed, and the file is written so that a failure leaves any
// earlier file as it was and comes back as an error text instead of an exception.
#include "logreport/file_dialogs.h"
#include "logreport/messages.h"
#include "logreport/saved_log.h"

#include <QString>

#include <functional>
#include <optional>

namespace m47::logreport {

// Error text of a failed write; none when the file was written.
using WriteError = std::optional<QString>;

// Puts a question to the user; true when the answer is OK or Yes.
using AskQuestion = std::function<bool(const Question& question)>;

// Writes the file's contents, piece by piece, to the sink it is given; false when it stopped.
using FileContents = std::function<bool(const ByteSink& sink)>;

// Writes `contents` to a temporary file beside `path` that replaces `path` only when every byte
// was written and flushed.
WriteError writeFileSafely(const QString& path, const FileContents& contents);

struct SaveResult {
    enum class Outcome {
        Cancelled, // the dialog was cancelled
        Declined,  // the file exists and the user did not want it replaced
        Saved,
        Failed, // the file layer failed; `error` says why
    };
    Outcome outcome = Outcome::Cancelled;
    QString path; // the file chosen, with the default extension added
    QString error;
};

// The dialog, then the default extension, then `overwrite` when the file exists, then the write.
// Nothing is written unless the result is Saved or Failed.
SaveResult saveThroughDialog(FileDialogs& dialogs, const FileDialogs::SaveRequest& request,
                             const Question& overwrite, const AskQuestion& ask, const FileContents& contents);

} // namespace m47::logreport
