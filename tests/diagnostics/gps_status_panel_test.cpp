#include "diagnostics/gps_status_panel.h"
#include "diagnostics/lat_lon_format.h"

#include "nmea/sentence_library.h"

#include "nmea_lines.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace m47::diagnostics;
using namespace diagtest;

namespace {

class GpsPanel : public ::testing::Test
{
protected:
    GpsStatusUpdate Feed(const std::string& line) { return panel.UpdateGpsStatus(line); }

    // Feeds lines in order; returns the update of the last one that flushed, if any.
    std::vector<GpsStatusUpdate> FeedAll(const std::vector<std::string>& lines)
    {
        std::vector<GpsStatusUpdate> updates;
        for (const std::string& line : lines)
            updates.push_back(Feed(line));
        return updates;
    }

    // One epoch: the satellites' GSVs, then two repeated RMCs so the second one flushes.
    GpsStatusUpdate Epoch(const std::vector<std::string>& lines)
    {
        Feed(kRmc);
        FeedAll(lines);
        return Feed(kRmc);
    }

    std::vector<std::string> Labels() const
    {
        std::vector<std::string> labels;
        for (const ChartBar& bar : panel.Chart().Bars())
            labels.emplace_back(bar.Label());
        return labels;
    }

    int VisibleMarkers() const
    {
        int n = 0;
        for (const SkyMarker& m : panel.Markers())
            n += m.visible ? 1 : 0;
        return n;
    }

    std::unique_ptr<nmea::SentenceLibrary> library = std::make_unique<nmea::SentenceLibrary>();
    GpsStatusPanel panel{*library};
};

std::vector<Satellite> Numbered(int first, int count)
{
    std::vector<Satellite> sats;
    for (int id = first; id < first + count; ++id)
        sats.push_back({id, id % 90, (id * 37) % 360, 20 + id % 30});
    return sats;
}

} // namespace

// A device repeating RMC, VTG, GGA, GSA, GSV, GLL once a second; cycle k sees the satellites
// 1, 2 and 3 + k, of which 1 and 2 are used in the fix.
TEST_F(GpsPanel, OnceASecondCycleFlushesAtEachFirstRepetition)
{
    struct Flush {
        int cycle;
        std::string formatter;
        std::vector<std::string> labels;
    };
    std::vector<Flush> flushes;
    for (int cycle = 1; cycle <= 7; ++cycle) {
        const std::vector<std::pair<const char*, std::string>> lines = {
            {"RMC", kRmc},
            {"VTG", kVtg},
            {"GGA", kGga},
            {"GSA", Gsa(3, {1, 2})},
            {"GSV", Gsv({{1, 40, 83, 46}, {2, 17, 308, 41}, {3 + cycle, 7, 344, 39}})},
            {"GLL", kGll}};
        for (const auto& [formatter, line] : lines) {
            const GpsStatusUpdate u = Feed(line);
            if (!u.epochFlushed)
                continue;
            std::vector<std::string> labels = Labels();
            labels.erase(std::remove(labels.begin(), labels.end(), "---"), labels.end());
            flushes.push_back({cycle, formatter, labels});
            ASSERT_TRUE(u.satelliteCounts);
            EXPECT_EQ(u.satelliteCounts->inView, std::to_string(labels.size()));
            EXPECT_EQ(u.satelliteCounts->inUse, "2");
        }
    }
    const std::vector<Flush> expected = {
        {2, "RMC", {"1", "2", "4"}}, {3, "VTG", {"1", "2", "5"}},
        {4, "GGA", {"1", "2", "6"}}, {5, "GLL", {"1", "2", "7", "8"}}, // cycles 4 and 5 merged by id
        {7, "RMC", {"1", "2", "9"}},                                   // cycle 6 repeats no type
    };
    ASSERT_EQ(flushes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(flushes[i].cycle, expected[i].cycle) << i;
        EXPECT_EQ(flushes[i].formatter, expected[i].formatter) << i;
        EXPECT_EQ(flushes[i].labels, expected[i].labels) << i;
    }
}

TEST_F(GpsPanel, EveryPositionTypeEndsAnEpochOnItsRepetition)
{
    for (const std::string& line : {kRmc, kVtg, kGga, kGll, kGbs}) {
        panel.ClearSatelliteEpoch();
        EXPECT_FALSE(Feed(line).epochFlushed);
        EXPECT_TRUE(Feed(line).epochFlushed) << line;
        EXPECT_FALSE(Feed(line).epochFlushed) << "the flush clears the completing type too";
    }
}

TEST_F(GpsPanel, SatelliteSentencesAndZdaAloneNeverFlush)
{
    const std::vector<std::string> lines = {Gsa(3, {1}), Gsv({{1, 40, 83, 46}}), kZda,
                                            Gsa(3, {1}), Gsv({{1, 40, 83, 46}}), kZda};
    for (const GpsStatusUpdate& u : FeedAll(lines)) {
        EXPECT_FALSE(u.epochFlushed);
        EXPECT_FALSE(u.satelliteCounts);
    }
    EXPECT_EQ(Labels(), std::vector<std::string>(16, "---"));
}

TEST_F(GpsPanel, FlushPublishesBarsMarkersAndColoursInCollectionOrder)
{
    Epoch({Gsv({{12, 30, 200, 38}, {5, 60, 20, 47}, {30, 10, 300, 22}}), Gsa(3, {5, 30})});
    const auto bars = panel.Chart().Bars();
    ASSERT_EQ(bars.size(), 16u);
    const std::pair<std::string, std::uint32_t> first[] = {
        {"12", kInViewColour}, {"5", kInUseColour}, {"30", kInUseColour}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(bars[i].Label(), first[i].first);
        EXPECT_EQ(bars[i].colour, first[i].second) << i;
    }
    EXPECT_EQ(bars[0].value, 38); // not sorted by value or id
    EXPECT_EQ(bars[1].value, 47);

    const SkyMarker& m = panel.Markers()[1];
    EXPECT_TRUE(m.visible);
    EXPECT_TRUE(m.inUse);
    EXPECT_EQ(m.satelliteId, 5);
    EXPECT_EQ(m.azimuth, 20);
    EXPECT_EQ(m.elevation, 60);
    EXPECT_EQ(VisibleMarkers(), 3);
}

TEST_F(GpsPanel, SatelliteWithoutSnrIsNeitherCountedNorDrawn)
{
    const GpsStatusUpdate u = Epoch({Gsv({{5, 40, 100, -1}, {6, 30, 200, 35}})});
    ASSERT_TRUE(u.satelliteCounts);
    EXPECT_EQ(u.satelliteCounts->inView, "1");
    EXPECT_EQ(panel.Chart().Bars()[0].Label(), "6");
    EXPECT_EQ(VisibleMarkers(), 1);
}

TEST_F(GpsPanel, GsaOfTwoConstellationsMergeIntoOneInUseList)
{
    const GpsStatusUpdate u = Epoch({Gsa(3, {1, 2, 3}), Gsa(3, {65, 66, 2}, "1.2", "GL")});
    ASSERT_TRUE(u.satelliteCounts);
    EXPECT_EQ(u.satelliteCounts->inUse, "5");
    EXPECT_EQ(u.satelliteCounts->inView, "0");
}

TEST_F(GpsPanel, ChartBarsAndPlaceholdersByNumberOfSatellites)
{
    struct Case {
        int satellites;
        std::size_t bars;
        std::size_t placeholders;
        int markers;
    };
    const Case cases[] = {{0, 16, 16, 0}, {5, 16, 11, 5}, {20, 20, 0, 20}, {36, 36, 0, 32}};
    for (const Case& c : cases) {
        Epoch(GsvSeries(Numbered(1, c.satellites)));
        const auto bars = panel.Chart().Bars();
        EXPECT_EQ(bars.size(), c.bars) << c.satellites;
        std::size_t placeholders = 0;
        for (const ChartBar& bar : bars) {
            if (bar.Label() == "---") {
                ++placeholders;
                EXPECT_EQ(bar.value, 0);
                EXPECT_EQ(bar.colour, kInViewColour);
            }
        }
        EXPECT_EQ(placeholders, c.placeholders) << c.satellites;
        EXPECT_EQ(VisibleMarkers(), c.markers) << c.satellites;
    }
}

TEST_F(GpsPanel, The37thSatelliteOfAnEpochIsIgnored)
{
    std::vector<std::string> lines = GsvSeries(Numbered(1, 37));
    const GpsStatusUpdate u = Epoch(lines);
    ASSERT_TRUE(u.satelliteCounts);
    EXPECT_EQ(u.satelliteCounts->inView, "36");
    EXPECT_EQ(panel.Chart().Bars().size(), 36u);
    EXPECT_EQ(panel.Chart().Bars().back().Label(), "36");
    EXPECT_EQ(VisibleMarkers(), 32);

    // The same cap on the ids used in the fix: 37 distinct ids over four GSAs give 36.
    std::vector<std::string> gsas;
    for (int first = 1; first <= 37; first += 12) {
        std::vector<int> ids;
        for (int id = first; id < first + 12 && id <= 37; ++id)
            ids.push_back(id);
        gsas.push_back(Gsa(3, ids));
    }
    EXPECT_EQ(Epoch(gsas).satelliteCounts->inUse, "36");
}

TEST_F(GpsPanel, MarkersBeyondTheNewCountAreHidden)
{
    Epoch(GsvSeries(Numbered(1, 10)));
    ASSERT_EQ(VisibleMarkers(), 10);
    Epoch(GsvSeries(Numbered(40, 6)));
    for (std::size_t i = 0; i < kSkyMarkers; ++i)
        EXPECT_EQ(panel.Markers()[i].visible, i < 6) << i;
    EXPECT_EQ(panel.Markers()[0].satelliteId, 40);
}

TEST_F(GpsPanel, FixModeAndHdopChangeOnlyWhenAGgaArrives)
{
    struct Case {
        std::string gsa;
        const char* fixMode;
        const char* hdop;
    };
    const Case cases[] = {{Gsa(1, {}), "Lost", "N/A"},
                          {Gsa(3, {4, 5}, "1.2"), "3D", " 1.2"},
                          {Gsa(2, {4, 5}, "99.9"), "2D", "N/A"}};
    for (const Case& c : cases) {
        EXPECT_FALSE(Feed(c.gsa).fix) << "a GSA alone leaves the boxes";
        const GpsStatusUpdate u = Feed(kGga);
        ASSERT_TRUE(u.fix);
        EXPECT_EQ(u.fix->fixMode, c.fixMode);
        EXPECT_EQ(u.fix->hdop, c.hdop);
        EXPECT_FALSE(Feed(kRmc).fix) << "the GGA's arrival is used once";
    }
}

TEST_F(GpsPanel, DateAndTimeOnceTheTimeIsValid)
{
    // An RMC without a fix carries no valid time.
    const std::string noFix = Line("$GPRMC,130711.00,V,,,,,,,010611,,N");
    EXPECT_FALSE(Feed(noFix).utc);
    EXPECT_FALSE(Feed(Gsa(1, {})).utc);
    ASSERT_TRUE(Feed(kRmc).utc);
    const GpsStatusUpdate u = Feed(Gsv({{1, 40, 83, 46}}));
    ASSERT_TRUE(u.utc) << "every GNSS sentence shows the time once it is valid";
    EXPECT_EQ(u.utc->date, "2011/06/01");
    EXPECT_EQ(u.utc->time, "13:07:11");
}

TEST_F(GpsPanel, PositionAndMotionComeFromTheOwnShipReport)
{
    // The GGA's own position differs from the VDO's; the boxes follow the VDO.
    const std::string farAway = Line("$GPGGA,130711,2530.000000,N,12115.000000,E,1,08,1.1,45.0,M,52.0,M,,");
    EXPECT_FALSE(Feed(farAway).position) << "no own-ship report yet";
    EXPECT_FALSE(Feed(kOwnShipVdo).epochFlushed);
    const GpsStatusUpdate u = Feed(farAway);
    ASSERT_TRUE(u.position);
    const nmea::AisTarget& own = library->ais.targets.entries[nmea::kOwnShipIndex];
    const LatLonTexts expected = FormatLatLon(own.longitude, own.latitude);
    EXPECT_EQ(u.position->latitude, expected.latitude);
    EXPECT_EQ(u.position->longitude, expected.longitude);
    EXPECT_EQ(u.position->latitude.substr(0, 3), " 50");
    EXPECT_EQ(u.position->longitude.back(), 'W');
    EXPECT_EQ(u.position->sog, " 0.50 Kn");

    // Without a position fix the boxes keep their texts.
    EXPECT_FALSE(Feed(Line("$GPGGA,130712,,,,,0,,,,,,,,")).position);
}

TEST_F(GpsPanel, LinesThatAreNotSentencesOrTooLongChangeNothing)
{
    // An otherwise valid GGA padded with leading zeros to the given text length (CR LF not
    // counted): the panel takes at most 80 characters and CR LF.
    const auto paddedGga = [](std::size_t textLength) {
        std::string body = "$GPGGA,130711,5012.790800,N,00806.879600,W,2,08,1.1,45.0,M,52.0,M,,";
        std::string line = Line(body);
        const std::size_t pad = textLength - (line.size() - 2);
        body.insert(body.find(",5012") + 1, pad, '0');
        return Line(body);
    };
    const std::pair<std::size_t, bool> lengths[] = {{80, true}, {81, false}, {82, false}};
    for (auto [length, taken] : lengths) {
        const std::string line = paddedGga(length);
        ASSERT_EQ(line.size(), length + 2);
        EXPECT_EQ(Feed(line).fix.has_value(), taken) << length;
    }
    for (const std::string& junk : {std::string("GPGGA,130711*00\r\n"), std::string(""), std::string("\r\n"),
                                    std::string(200, '$'), kGga.substr(0, kGga.size() - 5) + "*00\r\n"})
        EXPECT_FALSE(Feed(junk).fix);
}
