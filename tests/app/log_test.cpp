// The DATA LOG page and the configuration report in the main window over a pseudo-terminal: the
// logging switch on the received stream, the command line's bytes on the far side, and the
// report offered at the end of the Read Device countdown with its three questions.
#include "connectionfixture.h"

#include "logreport/data_log_view.h"
#include "app/labelededit.h"

#include <QDir>

#include <optional>
#include <string>
#include <vector>

namespace {

class DataLogPage : public PtyDeviceFixture
{
protected:
    const m47::logreport::DataLogView* log() const
    {
        return control<m47::logreport::DataLogView>("MemoDataLog");
    }
    QStringList logLines() const
    {
        QStringList lines;
        for (std::size_t i = 0; i < log()->lines().Count(); ++i)
            lines << log()->lineText(i);
        return lines;
    }
    void sendCommand(const QString& text)
    {
        control<LabeledEdit>("LabeledEditCommandText")->setText(text);
        control<QAbstractButton>("btnSendCommand")->click();
    }
};

TEST_F(DataLogPage, OnlyLinesReceivedWhileLoggingIsOnAreLogged)
{
    connectDevice();
    auto* logSwitch = control<QAbstractButton>("spbtnEnableLog");
    device.Send("$GPTXT,before*00\r\n");
    PumpFor(200);
    logSwitch->click();
    EXPECT_EQ(Tag(logSwitch), 1);
    EXPECT_TRUE(logSwitch->isChecked());
    EXPECT_EQ(logSwitch->text(), QStringLiteral("Stop Log"));
    const std::string longLine(120, 'L');
    device.Send("$GPTXT,during*00\r\n\r\n" + longLine + "\r\n");
    ASSERT_TRUE(PumpUntil([&] { return logLines().size() == 3; }));
    logSwitch->click();
    EXPECT_EQ(Tag(logSwitch), 0);
    EXPECT_FALSE(logSwitch->isChecked());
    EXPECT_EQ(logSwitch->text(), QStringLiteral("Start Log"));
    device.Send("$GPTXT,after*00\r\n");
    PumpFor(200);
    EXPECT_EQ(logLines(), QStringList({"$GPTXT,during*00", "", QString::fromStdString(longLine)}));

    boxes.answerNext(QMessageBox::Cancel);
    control<QAbstractButton>("btnClearLog")->click();
    EXPECT_EQ(logLines().size(), 3);
    control<QAbstractButton>("btnClearLog")->click(); // OK
    EXPECT_TRUE(logLines().isEmpty());
    EXPECT_EQ(boxes.calls().back().text, QStringLiteral("Are you sure to clear log?"));
}

TEST_F(DataLogPage, CommandLineSendsTheTextWithCrLfAndZeroByte)
{
    connectDevice();
    const struct {
        QString text;
        std::string bytes;
    } cases[] = {
        {QString(), std::string("\r\n\0", 3)},
        {QStringLiteral("$PTST,,,,,16*28"), std::string("$PTST,,,,,16*28\r\n\0", 18)},
        {QString(86, u'C'), std::string(86, 'C') + std::string("\r\n\0", 3)},
    };
    for (const auto& c : cases) {
        sendCommand(c.text);
        EXPECT_EQ(device.Receive(c.bytes.size() + 1, 300), c.bytes) << c.text.toStdString();
    }
    // The entry holds no more than 86 characters.
    control<LabeledEdit>("LabeledEditCommandText")->edit()->insert(QString(90, u'D'));
    EXPECT_EQ(control<LabeledEdit>("LabeledEditCommandText")->text().size(), 86);
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(DataLogPage, CommandOnAClosedPortShowsTheSendError)
{
    startWithPort(kDeviceCom);
    sendCommand(QStringLiteral("$PTST,,,,,16*28"));
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Send message error"));
    EXPECT_EQ(boxes.calls()[0].caption, QStringLiteral("error"));
}

class ReportOffer : public DataLogPage
{
protected:
    // Identified, the device's values read, Read Device pressed and its countdown run out.
    void readDevice()
    {
        connectDevice();
        for (const char* line : {"$PCVN,R,TXT,FIRMWARE=M47 V1.05.12", "$PCVN,R,TXT,SERIAL NO.=M47A2612000047",
                                 "$PCVN,R,TXT,RS232 BAUD RATE=9600", "$PCVN,R,TXT,NMEA BAUD RATE=4800"})
            access().ParseConfigurationLine(DeviceLine(line) + "\r\n");
        doubleClickStatus();
        control<QAbstractButton>("SpeedButtonReload")->click();
        for (int tick = 0; tick < 5; ++tick)
            access().Timer2Tick();
    }
    QString reportPath() const { return tmp.filePath(QStringLiteral("M47A2612000047")); }
};

TEST_F(ReportOffer, CancelAtAnyQuestionWritesNothingAndStartsNoEditor)
{
    const QString existing = tmp.filePath(QStringLiteral("old.TXT"));
    writeFile(existing, "earlier report");
    struct Case {
        const char* name;
        std::optional<QMessageBox::StandardButton> saveAnswer;
        std::optional<QString> dialogAnswer; // none: the dialog cancelled
        std::optional<QMessageBox::StandardButton> overwriteAnswer;
    };
    const Case cases[] = {
        {"save question", QMessageBox::Cancel, {}, {}},
        {"save dialog", QMessageBox::Ok, {}, {}},
        {"overwrite question", QMessageBox::Ok, existing, QMessageBox::No},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes = {};
        fileDialogs = {};
        boxes.answerNext(*c.saveAnswer);
        if (c.overwriteAnswer)
            boxes.answerNext(*c.overwriteAnswer);
        fileDialogs.answerNext(c.dialogAnswer);
        readDevice();
        ASSERT_FALSE(boxes.calls().empty());
        EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Do you want to save report?"));
        EXPECT_EQ(boxes.calls().size(), c.overwriteAnswer ? 2u : 1u);
        EXPECT_EQ(fileDialogs.requests().size(), c.saveAnswer == QMessageBox::Ok ? 1u : 0u);
        EXPECT_EQ(readFile(existing), QByteArray("earlier report"));
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"old.TXT"});
        EXPECT_TRUE(textEditor.opened().isEmpty());
        access().Port().Close();
        form.reset();
    }
}

TEST_F(ReportOffer, ReadDeviceEndsInTheSavedReportOfTheDevicesValues)
{
    fileDialogs.answerNext(reportPath());
    readDevice();
    EXPECT_EQ(confPage(), control("TabSheetBaudRate"));
    ASSERT_EQ(fileDialogs.requests().size(), 1u);
    EXPECT_EQ(fileDialogs.requests()[0].initialName, QStringLiteral("M47A2612000047"));
    EXPECT_EQ(fileDialogs.requests()[0].filter, QStringLiteral("Report File (*.TXT)"));
    const QString saved = reportPath() + QStringLiteral(".TXT");
    EXPECT_EQ(textEditor.opened(), QStringList{saved});
    const QString text = QString::fromLatin1(readFile(saved));
    for (const char* expected : {"  Serial Number    = M47A2612000047\r\n",
                                 "  Firmware Version = M47 V1.05.12\r\n", "\tRS-232 Baud Rate = 9600\r\n\r\n",
                                 "\tNMEA Baud Rate = 4800\r\n\r\n", "[BAUD RATE]\r\n", "[INTERNAL GPS]\r\n"})
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected;
    EXPECT_FALSE(text.contains(QLatin1String("[NETWORK]"))); // no module reported
    EXPECT_EQ(control<QPlainTextEdit>("MemoRecord")->toPlainText().remove(u'\r'),
              QString(text).remove(u'\r'));
}

} // namespace
