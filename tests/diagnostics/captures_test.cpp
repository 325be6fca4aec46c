// Real receiver captures through the receive path's line assembly into the GPS page: whatever
// the receivers send, every flush publishes a consistent page.
#include "diagnostics/gps_status_panel.h"

#include "device/rx_line_assembler.h"
#include "nmea/sentence_library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

using namespace m47::diagnostics;
namespace fs = std::filesystem;

namespace {

fs::path DataRoot()
{
    const char* root = std::getenv("M47_TEST_DATA");
    return root != nullptr ? fs::path(root) : fs::path("tests/data");
}

std::vector<fs::path> Captures()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(DataRoot())) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".log" || ext == ".aivdm" || ext == ".nmea" || ext == ".txt")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct CaptureTally {
    int flushes = 0;
    int flushesWithSatellites = 0;
    int fixUpdates = 0;
    int reports = 0;
};

} // namespace

TEST(Captures, EveryFlushPublishesAConsistentPage)
{
    const std::vector<fs::path> files = Captures();
    ASSERT_FALSE(files.empty()) << DataRoot();
    CaptureTally total;
    for (const fs::path& file : files) {
        auto library = std::make_unique<nmea::SentenceLibrary>();
        GpsStatusPanel panel(*library);
        CaptureTally tally;
        m47::device::RxLineAssembler lines;
        lines.SetConsumer(m47::device::LineConsumer::GpsStatus, [&](char* line) {
            const GpsStatusUpdate u = panel.UpdateGpsStatus(line);
            tally.fixUpdates += u.fix ? 1 : 0;
            tally.reports += u.rxCounted ? 1 : 0;
            if (!u.epochFlushed)
                return;
            ++tally.flushes;
            ASSERT_TRUE(u.satelliteCounts);
            const auto bars = panel.Chart().Bars();
            ASSERT_GE(bars.size(), kChartMinBars);
            ASSERT_LE(bars.size(), kChartMaxBars);
            std::size_t satellites = 0;
            while (satellites < bars.size() && bars[satellites].Label() != kPlaceholderLabel)
                ++satellites;
            EXPECT_EQ(u.satelliteCounts->inView, std::to_string(satellites)) << file;
            std::size_t visible = 0;
            for (const SkyMarker& m : panel.Markers())
                visible += m.visible ? 1 : 0;
            EXPECT_EQ(visible, std::min(satellites, kSkyMarkers)) << file;
            tally.flushesWithSatellites += satellites > 0 ? 1 : 0;
        });
        std::ifstream in(file, std::ios::binary);
        lines.Feed(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        const RxCounters& rx = panel.RxCounts();
        EXPECT_EQ(rx.RxCountA + rx.RxCountB, tally.reports) << file;
        total.flushes += tally.flushes;
        total.flushesWithSatellites += tally.flushesWithSatellites;
        total.fixUpdates += tally.fixUpdates;
        total.reports += tally.reports;
    }
    // The captures hold receivers with satellites in view and AIS traffic.
    EXPECT_GT(total.flushesWithSatellites, 20);
    EXPECT_GT(total.fixUpdates, 100);
    EXPECT_GT(total.reports, 1000);
}
