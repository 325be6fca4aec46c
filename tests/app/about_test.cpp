// The About window's read-me text and the progress window.
#include "appfixture.h"

#include <QLabel>
#include <QProgressBar>

namespace {

class AboutWindow : public AppFixture
{
protected:
    QStringList readMeLines() const { return about->readMeText().split(QLatin1Char('\n')); }
};

TEST_F(AboutWindow, LongReadMeLineIsSplitInto499CharacterLines)
{
    writeFile(langPath(QStringLiteral("ReadMe-EN_CORVANA.txt")),
              "first\r\n" + QByteArray(1200, 'a') + "\r\n\r\nlast");
    start();
    const QStringList lines = readMeLines();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QString());
    EXPECT_EQ(lines[1], QStringLiteral("first"));
    EXPECT_EQ(lines[2].size(), 499);
    EXPECT_EQ(lines[3].size(), 499);
    EXPECT_EQ(lines[4].size(), 202);
    EXPECT_EQ(lines[5], QString());
    EXPECT_EQ(lines[6], QStringLiteral("last"));
}

TEST_F(AboutWindow, LongChineseLineIsNeverCutInsideACharacter)
{
    QByteArray big5;
    for (int i = 0; i < 600; ++i)
        big5 += "\xB3\x73"; // 連
    writeFile(langPath(QStringLiteral("ReadMe-TW.txt")), big5 + "\n");
    writeFile(settingsPath(), "[VIEW]\nLanguage=1\n");
    start();
    const QStringList lines = readMeLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], QString(499, QChar(0x9023)));
    EXPECT_EQ(lines[2], QString(101, QChar(0x9023)));
}

TEST_F(AboutWindow, MissingReadMeKeepsTheNotice)
{
    start();
    EXPECT_TRUE(about->readMeText().contains(QStringLiteral("Corvana")));
    EXPECT_FALSE(about->readMeText().startsWith(QLatin1Char('\n')));
}

TEST_F(AboutWindow, OpensWithoutBlockingAndOkOnlyHidesIt)
{
    installLangFiles();
    start();
    form->show();
    form->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    const QString text = about->readMeText();
    about->okButton()->click();
    EXPECT_FALSE(about->isVisible());
    form->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->readMeText(), text);
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("StaticTextProduct"))->text(),
              QStringLiteral("Veldra M47 Configurator"));
}

TEST_F(AboutWindow, ProgressWindowStaysOnTopAndShowsOnlyItsNotice)
{
    start();
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(progress->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_NEAR(progress->windowOpacity(), 200.0 / 255.0, 0.01);
    EXPECT_EQ(progress->progressBar()->maximum(), 10);
    EXPECT_EQ(progress->progressBar()->value(), 0);
    const QList<QLabel*> labels = progress->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->text(), QStringLiteral("Configuring. Please wait..."));
}

} // namespace
