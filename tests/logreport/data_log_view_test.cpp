#include "logreport/data_log_view.h"

#include "device/rx_line_assembler.h"
#include "logreport/code_page_encode.h"
#include "logreport/messages.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringDecoder>
#include <QThread>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace m47::logreport;
using namespace std::string_literals;

namespace {

// The receive path as the window wires it: the assembler's log tap appends to the view while
// the logging switch's Tag is 1.
class LoggedReceivePath : public testing::Test
{
protected:
    LoggedReceivePath()
    {
        rx.SetLogTap([this](std::string_view text) {
            if (tag == 1)
                view.appendLine(text);
        });
    }

    void click() { tag = LogSwitchAfterClick(tag).tag; }

    std::vector<std::string> logged() const
    {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < view.lines().Count(); ++i)
            lines.emplace_back(view.lines().Line(i));
        return lines;
    }

    int tag = kLoggingOff.tag;
    DataLogView view;
    m47::device::RxLineAssembler rx;
};

// A view on screen with a few rows, after its refresh ran.
class ShownLog : public testing::Test
{
protected:
    ShownLog()
    {
        view.resize(400, 10 * view.fontMetrics().lineSpacing());
        view.show();
        append(100);
    }

    // Appends `count` lines and waits for the view's refresh.
    void append(int count)
    {
        for (int i = 0; i < count; ++i)
            view.appendLine("line " + std::to_string(next++));
        QElapsedTimer waited;
        waited.start();
        while (view.refreshPending() && waited.elapsed() < 5000) {
            QThread::msleep(1);
            QApplication::processEvents();
        }
    }

    void press(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QPointF at(5, row * view.fontMetrics().lineSpacing() + 1);
        QMouseEvent event(QEvent::MouseButtonPress, at, view.viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, modifiers);
        QApplication::sendEvent(view.viewport(), &event);
    }

    void key(int key, Qt::KeyboardModifiers modifiers)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&view, &event);
    }

    QScrollBar* bar() const { return view.verticalScrollBar(); }

    DataLogView view;
    int next = 0;
};

} // namespace

TEST_F(LoggedReceivePath, LogsOnlyWhileSwitchedOn)
{
    rx.Feed("$GPGGA,before*00\r\n");
    click();
    rx.Feed("$GPGGA,first*00\r\n$GPRMC,second*00\r\n");
    click();
    rx.Feed("$GPGGA,after*00\r\n");
    EXPECT_EQ(logged(), (std::vector<std::string>{"$GPGGA,first*00", "$GPRMC,second*00"}));
    click();
    rx.Feed("$GPVTG,again*00\r\n");
    EXPECT_EQ(logged().back(), "$GPVTG,again*00") << "switching on again appends, replays nothing";
    EXPECT_EQ(logged().size(), 3u);
}

TEST_F(LoggedReceivePath, EmptyAndOverLongLinesAreLoggedAsReceived)
{
    const std::string overLong = "$AIVDM," + std::string(200, 'W') + "*00";
    click();
    rx.Feed("\r\n" + overLong + "\r\n\n$P\0T\rST*00\n"s);
    EXPECT_EQ(logged(), (std::vector<std::string>{"", overLong, "", "$PTST*00"}));
}

TEST_F(LoggedReceivePath, Big5TextIsShownDecodedAndKeptAsBytes)
{
    const QString text = QStringLiteral(u"$PCVN,R,TXT,\u9023\u7DDA OK*00");
    const QByteArray big5 = encodeCodePage(text, "CP950");
    view.setDecoder([](std::string_view bytes) {
        QStringDecoder decoder("CP950");
        return QString(decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size()))));
    });
    click();
    rx.Feed(big5.toStdString() + "\r\n");
    ASSERT_EQ(view.lines().Count(), 1u);
    EXPECT_EQ(view.lineText(0), text);
    EXPECT_EQ(view.lines().Line(0), big5.toStdString());
}

TEST_F(ShownLog, AppendsReachTheViewOnItsRefresh)
{
    view.appendLine("stored at once");
    EXPECT_EQ(view.lines().Count(), 101u);
    EXPECT_TRUE(view.refreshPending());
    EXPECT_EQ(bar()->maximum(), 100 - bar()->pageStep()) << "the range follows on the refresh";
    append(0);
    EXPECT_EQ(bar()->maximum(), 101 - bar()->pageStep());
    EXPECT_EQ(view.lineText(99), "line 99");
    EXPECT_EQ(view.lineText(100), "stored at once");
}

TEST_F(ShownLog, FollowsTheNewestLineUntilTheUserScrollsUp)
{
    EXPECT_EQ(bar()->value(), bar()->maximum());
    append(5);
    EXPECT_EQ(bar()->value(), bar()->maximum());
    bar()->setValue(10);
    append(5);
    EXPECT_EQ(bar()->value(), 10);
    EXPECT_EQ(bar()->maximum(), 110 - bar()->pageStep());
}

TEST_F(ShownLog, SelectedLinesAreCopiedAsText)
{
    bar()->setValue(20);
    press(2);
    press(4, Qt::ShiftModifier);
    ASSERT_TRUE(view.selection());
    EXPECT_EQ(*view.selection(), DataLogView::LineRange(22, 24));
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "line 22\nline 23\nline 24");

    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(*view.selection(), DataLogView::LineRange(0, 99));
}

TEST_F(ShownLog, ClearRemovesEveryLineAndTheSelection)
{
    view.selectAll();
    view.clear();
    EXPECT_TRUE(view.lines().Empty());
    EXPECT_FALSE(view.selection());
    EXPECT_EQ(bar()->maximum(), 0);
    press(0); // on an empty log nothing can be selected
    EXPECT_FALSE(view.selection());
    append(1);
    EXPECT_EQ(view.lineText(0), "line 100");
}
