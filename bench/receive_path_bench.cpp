// The receive path of the real main window, offscreen, with the GPS STATUS page showing: real
// captures pushed through CommRxChar's line assembly into all four line consumers. Prints the
// lines per second at full speed and the window thread's CPU share at the device's rate.
// Usage: receive_path_bench CAPTURE...   [--rate LINES_PER_S] [--seconds S] [--repeat N]
// (run with QT_QPA_PLATFORM=offscreen; scripts/bench-receive passes real captures)
#include "app/mainform.h"
#include "app/screens/window_feed.h"

#include <QApplication>
#include <QFile>
#include <QTabWidget>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

// Bytes per receive notification: what the serial component typically reports at once.
constexpr std::size_t kNotificationBytes = 64;

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The captures' lines with CR LF, as the device sends them; comment lines left out.
std::vector<std::string> ReadLines(const std::vector<const char*>& files)
{
    std::vector<std::string> lines;
    for (const char* name : files) {
        QFile file(QString::fromLocal8Bit(name));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", name);
            continue;
        }
        for (QByteArray line : file.readAll().split('\n')) {
            line = line.trimmed();
            if (!line.isEmpty() && line[0] != '#')
                lines.push_back(line.toStdString() + "\r\n");
        }
    }
    return lines;
}

// The lines as one byte stream, handed over in notifications of kNotificationBytes.
void Push(TForm1TestAccess& window, const std::string& stream)
{
    for (std::size_t at = 0; at < stream.size(); at += kNotificationBytes)
        window.Receive(std::string_view(stream).substr(at, kNotificationBytes));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::vector<const char*> files;
    double rate = 30;
    double seconds = 20;
    int repeat = 40;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rate") == 0 && i + 1 < argc)
            rate = std::stod(argv[++i]);
        else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::stod(argv[++i]);
        else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc)
            repeat = std::stoi(argv[++i]);
        else
            files.push_back(argv[i]);
    }
    const std::vector<std::string> lines = ReadLines(files);
    if (lines.empty()) {
        std::fprintf(stderr, "usage: %s CAPTURE... [--rate N] [--seconds S] [--repeat N]\n", argv[0]);
        return 2;
    }

    StandaloneWindow standalone;
    TForm1& form = standalone.form;
    form.findChild<QWidget*>(QStringLiteral("PanelView"))->show();
    auto* mainPages = form.findChild<QTabWidget*>(QStringLiteral("PageControlMain"));
    auto* diagnosis = form.findChild<QTabWidget*>(QStringLiteral("PageControlDiagnosis"));
    mainPages->setCurrentWidget(form.findChild<QWidget*>(QStringLiteral("TabSheetDiagnostics")));
    diagnosis->setCurrentWidget(form.findChild<QWidget*>(QStringLiteral("TabSheetGpsStatus")));
    form.show();
    QApplication::processEvents();
    TForm1TestAccess window(form);

    // Full speed: the whole capture again and again, the pending repaints after each pass.
    std::string stream;
    for (const std::string& l : lines)
        stream += l;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuSeconds();
    for (int pass = 0; pass < repeat; ++pass) {
        Push(window, stream);
        QApplication::processEvents();
    }
    const double wall = Since(start);
    const double total = static_cast<double>(lines.size()) * repeat;
    std::printf("full speed: %.0f lines in %.3f s: %.0f lines/s (window thread CPU %.3f s)\n", total, wall,
                total / wall, ThreadCpuSeconds() - cpuStart);

    // The device's pace: one line every 1/rate s, from the window's own event loop, which is
    // idle in between as it is beside a real device.
    std::size_t sent = 0;
    QTimer feeder;
    feeder.setTimerType(Qt::PreciseTimer);
    QObject::connect(&feeder, &QTimer::timeout, [&] { window.Receive(lines[sent++ % lines.size()]); });
    feeder.start(static_cast<int>(1000 / rate));
    QTimer::singleShot(static_cast<int>(seconds * 1000), &app, &QCoreApplication::quit);
    const auto paced = std::chrono::steady_clock::now();
    const double cpuPaced = ThreadCpuSeconds();
    QApplication::exec();
    const double pacedWall = Since(paced);
    const double share = (ThreadCpuSeconds() - cpuPaced) / pacedWall;
    std::printf("at %.0f lines/s for %.0f s: %zu lines, window thread %.2f %% of one core\n",
                static_cast<double>(sent) / pacedWall, pacedWall, sent, share * 100);
    return 0;
}
