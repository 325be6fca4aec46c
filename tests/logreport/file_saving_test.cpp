#include "logreport/log_report_saving.h"

#include "logreport/recording_text_editor.h"
#include "logreport/scripted_file_dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace m47::logreport;
using Outcome = SaveResult::Outcome;

namespace {

// A folder of its own, scripted dialogs, and a record of the questions asked with their answers.
class SavingFiles : public testing::Test
{
protected:
    QString path(const QString& name) const { return folder.filePath(name); }

    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readFile(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QStringList files() const
    {
        QStringList names = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
        names.sort();
        return names;
    }

    AskQuestion answering(bool answer)
    {
        return [this, answer](const Question& question) {
            asked.push_back(question.caption);
            return answer;
        };
    }

    QTemporaryDir folder;
    ScriptedFileDialogs dialogs;
    RecordingTextEditor editor;
    std::vector<std::string_view> asked; // captions of the questions put
};

class SavingTheLog : public SavingFiles
{
protected:
    SavingTheLog()
    {
        log.appendLine("$GPGGA,1*00");
        log.appendLine("");
        log.appendLine("$GPRMC,2*00");
    }

    SaveResult save(std::optional<QString> chosen, bool overwrite = true)
    {
        dialogs.answerNext(std::move(chosen));
        return saveDataLog(log, dialogs, answering(overwrite));
    }

    DataLogView log;
    const QByteArray saved = "$GPGGA,1*00\r\n\r\n$GPRMC,2*00\r\n";
};

std::vector<std::string> ReportItemsForTest()
{
    return {"===", " Report ", "\tRS-232 Baud Rate = 38400\r\n"};
}
const QByteArray kReportFile = "===\r\n Report \r\n\tRS-232 Baud Rate = 38400\r\n\r\n";

} // namespace

TEST_F(SavingTheLog, ChosenNameGetsTheDefaultExtensionWhenItHasNone)
{
    for (auto [chosen, written] : {std::pair{"m47log", "m47log.TXT"}, {"m47log.log", "m47log.log"}}) {
        const SaveResult result = save(path(chosen));
        EXPECT_EQ(result.outcome, Outcome::Saved) << chosen;
        EXPECT_EQ(result.path, path(written));
        EXPECT_EQ(readFile(written), saved) << written;
    }
    EXPECT_EQ(files(), (QStringList{"m47log.TXT", "m47log.log"}));
    ASSERT_EQ(dialogs.requests().size(), 2u);
    EXPECT_EQ(dialogs.requests()[0].filter, "Data Log File (*.TXT)");
    EXPECT_TRUE(asked.empty()) << "no question for a new file";
}

TEST_F(SavingTheLog, CancelledDialogWritesNothing)
{
    EXPECT_EQ(save(std::nullopt).outcome, Outcome::Cancelled);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(SavingTheLog, ExistingFileIsReplacedOnlyAfterYes)
{
    writeFile("m47log.TXT", "earlier log");
    EXPECT_EQ(save(path("m47log"), false).outcome, Outcome::Declined);
    EXPECT_EQ(readFile("m47log.TXT"), "earlier log");
    EXPECT_EQ(save(path("m47log.TXT"), true).outcome, Outcome::Saved);
    EXPECT_EQ(readFile("m47log.TXT"), saved);
    EXPECT_EQ(asked, (std::vector<std::string_view>{"WARNING", "WARNING"}));
    EXPECT_EQ(files(), QStringList{"m47log.TXT"}) << "no temporary file left behind";
}

TEST_F(SavingTheLog, EmptyLogGivesAnEmptyFile)
{
    log.clear();
    EXPECT_EQ(save(path("empty")).outcome, Outcome::Saved);
    EXPECT_EQ(readFile("empty.TXT"), QByteArray());
}

TEST_F(SavingTheLog, FolderThatCannotBeWrittenIsAnErrorNotACrash)
{
    const SaveResult result = save(path("no such folder/m47log"));
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_TRUE(result.error.contains("m47log.TXT")) << result.error.toStdString();
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(SavingFiles, FailedWriteLeavesTheEarlierFileIntact)
{
    writeFile("m47log.TXT", "earlier log");
    const WriteError error = writeFileSafely(path("m47log.TXT"), [](const ByteSink& sink) {
        return sink("the first piece\r\n") && false; // the file layer gives up half-way
    });
    EXPECT_TRUE(error);
    EXPECT_EQ(readFile("m47log.TXT"), "earlier log");
    EXPECT_EQ(files(), QStringList{"m47log.TXT"});
}

TEST_F(SavingFiles, ReportIsSuggestedUnderTheSerialNumberAndOpenedWhenSaved)
{
    dialogs.answerNext(path("M47A00123456789"));
    const SaveResult result =
        saveReport(ReportItemsForTest(), "M47A00123456789", dialogs, answering(true), editor);
    EXPECT_EQ(result.outcome, Outcome::Saved);
    ASSERT_EQ(dialogs.requests().size(), 1u);
    EXPECT_EQ(dialogs.requests()[0].initialName, "M47A00123456789");
    EXPECT_EQ(dialogs.requests()[0].filter, "Report File (*.TXT)");
    EXPECT_EQ(readFile("M47A00123456789.TXT"), kReportFile);
    EXPECT_EQ(editor.opened(), QStringList{path("M47A00123456789.TXT")});
}

TEST_F(SavingFiles, HostileSerialNumberIsSuggestedAsAPlainName)
{
    const QString hostile = QStringLiteral("../../tmp/-x\x01");
    // The user keeps the suggestion in the folder the dialog shows.
    dialogs.answerNext(path("___.._tmp_-x_"));
    saveReport(ReportItemsForTest(), hostile, dialogs, answering(true), editor);
    ASSERT_EQ(dialogs.requests().size(), 1u);
    EXPECT_EQ(dialogs.requests()[0].initialName, "___.._tmp_-x_");
    // The '.' inside makes the rest an extension, so none is added.
    EXPECT_EQ(files(), QStringList{"___.._tmp_-x_"});
}

TEST_F(SavingFiles, ReportCancelledOrNotReplacedWritesNothingAndOpensNothing)
{
    writeFile("M47A00123.TXT", "earlier report");
    dialogs.answerNext(std::nullopt);
    EXPECT_EQ(saveReport(ReportItemsForTest(), "M47A00123", dialogs, answering(true), editor).outcome,
              Outcome::Cancelled);
    dialogs.answerNext(path("M47A00123"));
    EXPECT_EQ(saveReport(ReportItemsForTest(), "M47A00123", dialogs, answering(false), editor).outcome,
              Outcome::Declined);
    EXPECT_EQ(asked, std::vector<std::string_view>{"Warning"});
    EXPECT_EQ(readFile("M47A00123.TXT"), "earlier report");
    EXPECT_EQ(files(), QStringList{"M47A00123.TXT"});
    EXPECT_TRUE(editor.opened().isEmpty());
}

TEST_F(SavingFiles, FailedReportOpensNoEditor)
{
    dialogs.answerNext(path("no such folder/M47A00123"));
    const SaveResult result = saveReport(ReportItemsForTest(), "M47A00123", dialogs, answering(true), editor);
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(editor.opened().isEmpty());
}
