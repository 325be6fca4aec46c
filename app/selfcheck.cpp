#include "selfcheck.h"

#include "about.h"
#include "language.h"
#include "mainform.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

#include <cstdio>

namespace {

bool printFileLine(const char* what, const QString& path)
{
    const bool found = QFileInfo(path).isFile();
    std::printf("%s: %s (%s)\n", what, qPrintable(path), found ? "found" : "missing");
    return found;
}

QString menuTitle(const TForm1& form, const char* name)
{
    const auto* menu = form.findChild<QMenu*>(QLatin1String(name));
    return menu ? menu->title() : QString();
}

} // namespace

TSelfCheck::TSelfCheck(TForm1& form, const TfrmAbout& about, const QString& programFolder)
    : QObject(&form), form_(form), about_(about), programFolder_(programFolder)
{
    form.installEventFilter(this);
}

bool TSelfCheck::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &form_ && event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // Reported once this paint has been drawn.
        QTimer::singleShot(0, this, &TSelfCheck::report);
    }
    return QObject::eventFilter(watched, event);
}

void TSelfCheck::report()
{
    const LanguageInfo* language = languageByTag(form_.languageIndex());
    if (!language)
        language = languageByTag(0);
    const QString root = languageRoot(programFolder_);
    std::printf("program: %s %s\n", qPrintable(QCoreApplication::applicationFilePath().section(u'/', -1)),
                qPrintable(QCoreApplication::applicationVersion()));
    const bool languageFound = printFileLine("language file", root + QLatin1String(language->languageFile));
    const bool readMeFound = printFileLine("read-me file", root + QLatin1String(language->readMeFile));
    const QString aboutText = about_.readMeText().trimmed().section(u'\n', 0, 0);
    std::printf("window title: %s\n", qPrintable(form_.windowTitle()));
    std::printf("menu: %s %s\n", qPrintable(menuTitle(form_, "mnuFile")), qPrintable(menuTitle(form_, "mnuHelp")));
    std::printf("about text: %s\n", qPrintable(aboutText));
    std::printf("first frame: shown\n");
    std::fflush(stdout);
    QCoreApplication::exit(languageFound && readMeFound && !aboutText.isEmpty() ? 0 : 1);
}
