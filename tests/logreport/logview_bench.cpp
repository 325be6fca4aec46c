// Figures of the data log at a million lines: the receive path with logging on, the view's
// repaint and scrolling, the memory per logged line and the time to save the log.
//
//   logview_bench [--data DIR] [--lines N]
//
// 1. A real capture (an AIS receiver with its own GPS, from DIR, default $M47_TEST_DATA) is fed
//    through the line assembler in notifications of 256 bytes, with one event-loop turn after
//    each as the serial side hands them over; every line goes to the log view and the sentence
//    library, until N lines (default 1,000,000) are logged. Lines per second, with and without
//    the log, wall-clock time.
// 2. With N lines in the view (705 x 248, the window's size): repaint at the newest line, a jump
//    to random places, page steps and horizontal steps, each followed by a repaint; mean and
//    worst time. The lines are decoded from CP1250 with a converter opened for every line, as
//    the window's code-page decoder works.
// 3. Bytes held per logged line: the store's own count, and the growth of the process's
//    resident memory while the lines were logged.
// 4. Saving the N lines to a file.

#include "device/rx_line_assembler.h"
#include "logreport/data_log_view.h"
#include "logreport/log_report_saving.h"
#include "nmea/sentence_library.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>

namespace {

using m47::device::LineConsumer;
using m47::device::RxLineAssembler;
using m47::logreport::DataLogView;

constexpr const char* kCapture = "gpsd/test/daemon/saab-r4.log";
constexpr std::size_t kNotificationBytes = 256;
constexpr int kViewWidth = 705;
constexpr int kViewHeight = 248;
constexpr int kSteps = 200;

struct Options {
    std::string data;
    std::size_t lines = 1000000;
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    if (const char* data = std::getenv("M47_TEST_DATA"))
        options.data = data;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--data") == 0)
            options.data = argv[i + 1];
        else if (std::strcmp(argv[i], "--lines") == 0)
            options.lines = std::strtoul(argv[i + 1], nullptr, 10);
    }
    return options;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "logview_bench: cannot read %s (give --data DIR)\n", path.c_str());
        std::exit(1);
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

double Seconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

// Feeds the capture round and round until `lines` lines were finished; returns lines per second.
double ReceiveRate(const std::string& capture, std::size_t lines, DataLogView* log)
{
    auto library = std::make_unique<nmea::SentenceLibrary>();
    RxLineAssembler rx;
    std::size_t finished = 0;
    rx.SetLogTap([&](std::string_view text) {
        ++finished;
        if (log)
            log->appendLine(text);
    });
    rx.SetConsumer(LineConsumer::GpsStatus, [&](char* line) { library->ProcessSentence(line); });
    QElapsedTimer timer;
    timer.start();
    while (finished < lines) {
        for (std::size_t at = 0; at < capture.size() && finished < lines; at += kNotificationBytes) {
            rx.Feed(std::string_view(capture).substr(at, kNotificationBytes));
            QApplication::processEvents();
        }
    }
    return static_cast<double>(finished) / Seconds(timer);
}

struct Timing {
    double meanMs = 0;
    double worstMs = 0;
};

// Runs `step` kSteps times, each followed by a synchronous repaint of the view.
template <typename Step>
Timing TimeRepaints(DataLogView& view, Step step)
{
    Timing timing;
    for (int i = 0; i < kSteps; ++i) {
        QElapsedTimer timer;
        timer.start();
        step(i);
        view.viewport()->repaint();
        const double ms = Seconds(timer) * 1e3;
        timing.meanMs += ms / kSteps;
        timing.worstMs = std::max(timing.worstMs, ms);
    }
    return timing;
}

void PrintTiming(const char* what, const Timing& timing)
{
    std::printf("  %-40s mean %6.2f ms, worst %6.2f ms\n", what, timing.meanMs, timing.worstMs);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const Options options = ParseOptions(argc, argv);
    const std::string capture = ReadFile(options.data + "/" + kCapture);

    DataLogView view;
    view.setDecoder([](std::string_view bytes) {
        QStringDecoder decoder("CP1250");
        return QString(decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size()))));
    });
    view.resize(kViewWidth, kViewHeight);
    view.show();
    QApplication::processEvents();

    std::printf("Receive path, %zu lines of %s in %zu-byte notifications:\n", options.lines, kCapture,
                kNotificationBytes);
    std::printf("  without the log %12.0f lines/s\n", ReceiveRate(capture, options.lines, nullptr));
    const long residentBefore = ResidentKiB();
    std::printf("  with the log    %12.0f lines/s\n", ReceiveRate(capture, options.lines, &view));
    const long residentAfter = ResidentKiB();
    const std::size_t count = view.lines().Count();

    std::printf("Log view with %zu lines, %d x %d:\n", count, kViewWidth, kViewHeight);
    QScrollBar* vertical = view.verticalScrollBar();
    QScrollBar* horizontal = view.horizontalScrollBar();
    std::mt19937 random(47);
    PrintTiming("repaint at the newest line", TimeRepaints(view, [](int) {}));
    PrintTiming("jump to a random line and repaint", TimeRepaints(view, [&](int) {
                    vertical->setValue(static_cast<int>(random() % (vertical->maximum() + 1u)));
                }));
    vertical->setValue(vertical->maximum() / 2);
    PrintTiming("page down and repaint", TimeRepaints(view, [&](int) {
                    vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
                }));
    PrintTiming("scroll right and back and repaint", TimeRepaints(view, [&](int i) {
                    horizontal->triggerAction(i % 2 ? QAbstractSlider::SliderSingleStepSub
                                                    : QAbstractSlider::SliderSingleStepAdd);
                }));

    std::printf("Memory per logged line:\n");
    std::printf(
        "  store %.1f bytes (text %.1f), resident growth %.1f bytes\n",
        static_cast<double>(view.lines().MemoryBytes()) / count,
        [&] {
            std::size_t text = 0;
            for (std::size_t i = 0; i < count; ++i)
                text += view.lines().Line(i).size();
            return static_cast<double>(text) / count;
        }(),
        static_cast<double>(residentAfter - residentBefore) * 1024.0 / count);

    QTemporaryDir folder;
    const QString path = folder.filePath("m47log.TXT");
    QElapsedTimer timer;
    timer.start();
    const auto error = m47::logreport::writeFileSafely(path, m47::logreport::savedLogContents(view.lines()));
    std::printf("Saving %zu lines: %.2f s, %lld bytes%s\n", count, Seconds(timer),
                static_cast<long long>(QFileInfo(path).size()), error ? " FAILED" : "");
    return error ? 1 : 0;
}
