// An exception that escapes an event handler is shown and the program goes on.
#include "app/application.h"
#include "app/scriptedmessagebox.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

ScriptedMessageBoxes* boxes = nullptr;

TEST(ExceptionDisplay, HandlerExceptionIsShownAndTheEventLoopContinues)
{
    int laterEvents = 0;
    QTimer::singleShot(0, [] { throw std::runtime_error("Port not open (Error: 5)"); });
    QTimer::singleShot(0, [] { throw 42; });
    QTimer::singleShot(10, [&] {
        ++laterEvents;
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    EXPECT_EQ(laterEvents, 1);
    ASSERT_EQ(boxes->calls().size(), 2u);
    EXPECT_EQ(boxes->calls()[0].text, QStringLiteral("Port not open (Error: 5)"));
    EXPECT_EQ(boxes->calls()[0].caption, QStringLiteral("Veldra M47 Configurator"));
    EXPECT_EQ(boxes->calls()[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(boxes->calls()[1].text, QString()); // not a standard exception: empty message
}

} // namespace

int main(int argc, char** argv)
{
    ScriptedMessageBoxes scripted;
    boxes = &scripted;
    TApplication app(argc, argv, scripted);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
