#include "logreport/log_report_saving.h"

#include "logreport/file_names.h"
#include "logreport/report.h"

namespace m47::logreport {

FileContents savedLogContents(const LogLines& lines)
{
    return [&lines](const ByteSink& sink) { return WriteSavedLog(lines, sink); };
}

SaveResult saveDataLog(const DataLogView& log, FileDialogs& dialogs, const AskQuestion& ask)
{
    return saveThroughDialog(dialogs, {QString::fromLatin1(kDataLogFileFilter), {}}, kOverwriteLogQuestion,
                             ask, savedLogContents(log.lines()));
}

SaveResult saveReport(const std::vector<std::string>& items, const QString& serialNumber,
                      FileDialogs& dialogs, const AskQuestion& ask, TextEditor& editor)
{
    const QString suggestion = QString::fromStdString(SafeFileName(serialNumber.toStdString()));
    const std::string text = ReportFileText(items);
    SaveResult result = saveThroughDialog(dialogs, {QString::fromLatin1(kReportFileFilter), suggestion},
                                          kOverwriteReportQuestion, ask,
                                          [&text](const ByteSink& sink) { return sink(text); });
    if (result.outcome == SaveResult::Outcome::Saved)
        editor.open(result.path);
    return result;
}

} // namespace m47::logreport
