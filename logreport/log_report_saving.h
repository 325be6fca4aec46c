#pragma once
// The two save handlers' work after their first question: the data log (btnSaveLogClick) and
// the configuration report (the offer at the end of the Read Device countdown).
#include "logreport/data_log_view.h"
#include "logreport/file_saving.h"
#include "logreport/text_editor.h"

#include <string>
#include <vector>

namespace m47::logreport {

inline constexpr const char* kDataLogFileFilter = "Data Log File (*.TXT)";
inline constexpr const char* kReportFileFilter = "Report File (*.TXT)";

// The saved log of `lines` (every line and CR LF) as the contents of a file.
FileContents savedLogContents(const LogLines& lines);

// The save dialog (no suggested name), the overwrite question "WARNING", the saved log.
SaveResult saveDataLog(const DataLogView& log, FileDialogs& dialogs, const AskQuestion& ask);

// The save dialog with the serial number made a safe file name as the suggestion, the overwrite
// question "Warning", the report file, and on success the text editor on it.
SaveResult saveReport(const std::vector<std::string>& items, const QString& serialNumber,
                      FileDialogs& dialogs, const AskQuestion& ask, TextEditor& editor);

} // namespace m47::logreport
