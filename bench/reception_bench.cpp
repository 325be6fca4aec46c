// The RECEPTION page of the real main window, offscreen, with a full target table: 2,250
// entries (the own ship and 2,249 senders from 1 to 40 NM at all bearings) and 2,000 lines a
// second arriving. Prints the receive path's lines per second and its share of a core at that
// rate, whether every line was counted, and the window thread's cost per page refresh: the
// reception figures with the targets' model update and its sorting proxy, and the page's
// repaint (table, coverage plot, rate chart) at the screen's pixel ratio.
// Usage: reception_bench [--updates N]   (run with QT_QPA_PLATFORM=offscreen, and with
// QT_SCALE_FACTOR=2 for the figures of a HiDPI screen)
#include "app/screens/window_feed.h"
#include "ais_messages.h"
#include "vessel.h"

#include <QApplication>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kSenders = 2249;         // with the own ship: the table's 2,250 entries
constexpr int kLinesPerSecond = 2000;  // arriving on the line
constexpr int kRefreshesPerSecond = 4; // the page's timer
constexpr std::size_t kNotificationBytes = 64;
const m47sim::VesselMotion kOwn{25.0415, 121.7622, 12.3, 84.0, 0.0};

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

std::string PositionLine(std::uint32_t mmsi, const m47sim::VesselMotion& at, const char* formatter, char channel)
{
    m47sim::PositionReportA report;
    report.mmsi = mmsi;
    report.speed = 105;
    report.course = 1234;
    report.latitude = m47sim::AisAngle(at.latitude);
    report.longitude = m47sim::AisAngle(at.longitude);
    return m47sim::EncapsulateAis(formatter, channel, 0, m47sim::EncodeAis(report)).front();
}

// One position report per sender, on alternating channels, at random ranges and bearings.
std::vector<std::string> SenderLines()
{
    std::mt19937 random(47);
    std::uniform_real_distribution<double> miles(1.0, 40.0), bearing(0.0, 360.0);
    std::vector<std::string> lines;
    for (int i = 0; i < kSenders; ++i)
        lines.push_back(PositionLine(300000000u + static_cast<std::uint32_t>(i) * 7u,
                                     m47sim::AtRangeAndBearing(kOwn, miles(random), bearing(random)), "VDM",
                                     i % 2 == 0 ? 'A' : 'B'));
    return lines;
}

// The lines as one byte stream in notifications of kNotificationBytes; CPU seconds it took.
double Push(TForm1TestAccess& window, const std::string& stream)
{
    const double start = ThreadCpuSeconds();
    for (std::size_t at = 0; at < stream.size(); at += kNotificationBytes)
        window.Receive(std::string_view(stream).substr(at, kNotificationBytes));
    return ThreadCpuSeconds() - start;
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int updates = 120;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--updates") == 0)
            updates = std::max(1, std::atoi(argv[i + 1]));

    StandaloneWindow window;
    TForm1& form = window.form;
    TForm1TestAccess access(form);
    form.show();
    form.findChild<QWidget*>(QStringLiteral("PanelView"))->show();
    form.findChild<QTabWidget*>(QStringLiteral("PageControlMain"))
        ->setCurrentWidget(form.findChild<QWidget*>(QStringLiteral("TabSheetDiagnostics")));
    form.findChild<QTabWidget*>(QStringLiteral("PageControlDiagnosis"))
        ->setCurrentWidget(form.findChild<QWidget*>(QStringLiteral("TabSheetReception")));
    auto* integrity = form.findChild<QTableWidget*>(QStringLiteral("GridLineIntegrity"));

    // Fill the table: the own ship, then every sender once.
    const std::vector<std::string> senders = SenderLines();
    std::string fill = PositionLine(416000047, kOwn, "VDO", 'A');
    for (const std::string& line : senders)
        fill += line;
    Push(access, fill);
    std::size_t fed = 1 + senders.size();

    // A quarter second of traffic between refreshes: the senders in turn, the own ship now and then.
    const int linesPerUpdate = kLinesPerSecond / kRefreshesPerSecond;
    std::vector<double> refreshMs;
    constexpr std::size_t kParts = 2;
    std::array<double, kParts> partMs{};
    constexpr std::array<const char*, kParts> kPartNames = {"figures, model update and sort",
                                                            "page repaint (table, labels, plot, chart)"};
    double receiveSeconds = 0.0;
    std::size_t next = 0;
    for (int update = 0; update < updates; ++update) {
        std::string stream;
        for (int i = 0; i < linesPerUpdate; ++i) {
            stream += i == 0 ? PositionLine(416000047, kOwn, "VDO", 'A') : senders[next++ % senders.size()];
            ++fed;
        }
        receiveSeconds += Push(access, stream);

        // Each part of one refresh: the figures with the model update and sort, then the page's
        // own repaint at the screen's pixel ratio (run with QT_SCALE_FACTOR=2 for a HiDPI screen).
        std::array<double, kParts> part{};
        double mark = ThreadCpuSeconds();
        const auto lap = [&mark](double& into) {
            const double now = ThreadCpuSeconds();
            into += (now - mark) * 1000.0;
            mark = now;
        };
        access.ReceptionTick();
        lap(part[0]);
        QApplication::processEvents();
        lap(part[1]);
        double total = 0.0;
        for (std::size_t i = 0; i < kParts; ++i) {
            partMs[i] += part[i];
            total += part[i];
        }
        refreshMs.push_back(total);
    }

    const double linesPerSecond = static_cast<double>(fed - 1 - senders.size()) / receiveSeconds;
    const std::size_t counted = integrity->item(0, 0)->text().toULongLong();
    double sum = 0.0;
    for (double ms : refreshMs)
        sum += ms;
    std::printf("targets in the table        %d (with the own ship)\n", kSenders + 1);
    std::printf("receive path                %.0f lines/s; at %d lines/s %.1f %% of a core\n", linesPerSecond,
                kLinesPerSecond, 100.0 * kLinesPerSecond / linesPerSecond);
    std::printf("lines counted / fed         %zu / %zu (%s)\n", counted, fed, counted == fed ? "none lost" : "LOST");
    std::printf("page refresh, %d updates    mean %.2f ms, 95th %.2f ms, max %.2f ms (goal 5 ms)\n", updates,
                sum / static_cast<double>(refreshMs.size()), Percentile(refreshMs, 0.95),
                Percentile(refreshMs, 1.0));
    std::printf("window thread at %d Hz      %.1f %% of a core for the page, %.1f %% with the receive path\n",
                kRefreshesPerSecond, kRefreshesPerSecond * sum / static_cast<double>(refreshMs.size()) / 10.0,
                kRefreshesPerSecond * sum / static_cast<double>(refreshMs.size()) / 10.0 +
                    100.0 * kLinesPerSecond / linesPerSecond);
    for (std::size_t i = 0; i < kParts; ++i)
        std::printf("  %-41s mean %.2f ms\n", kPartNames[i], partMs[i] / static_cast<double>(refreshMs.size()));
    return counted == fed ? 0 : 1;
}
