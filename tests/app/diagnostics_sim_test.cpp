// The diagnostics pages against the virtual device, in real time: the window connects, the
// device streams its GNSS cycles and AIS reports for a few epochs and is then frozen, and the
// GPS STATUS and SYSTEM CHECK pages must show what the lines it sent say.
#include "simulatorfixture.h"

#include "app/labelededit.h"
#include "diagnostics/gps_status_panel.h"
#include "diagnostics/paint_satellite.h"
#include "diagnostics/paint_satellite_chart.h"
#include "diagnostics/signal_strength_chart.h"
#include "nmea/sentence_library.h"

#include <memory>
#include <string_view>

namespace {

using m47::diagnostics::GpsStatusPanel;

// What the device is told it is and where its own ship sails.
const std::vector<std::string> kDevice = {
    "--no-network-module", "--firmware", "M47 V<i>2</i>.00", "--serial", "M47A2612009999",
    "--latitude",          "25.0415",    "--longitude",      "121.7622"};

// One field of a comma-separated sentence (0 is the address field), without the checksum.
std::string_view Field(std::string_view line, int index)
{
    line = line.substr(0, line.find('*'));
    for (int i = 0; i < index; ++i) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos)
            return {};
        line.remove_prefix(comma + 1);
    }
    return line.substr(0, line.find(','));
}

// The channel A and B tallies of the system check, counted from the lines themselves: every
// completed VDM message once, at its last fragment; anything but "A" counts as B.
struct ChannelTally {
    int a = 0;
    int b = 0;
    void Add(std::string_view line)
    {
        if (line.substr(3, 4) != "VDM," || Field(line, 1) != Field(line, 2))
            return;
        (Field(line, 4) == "A" ? a : b) += 1;
    }
};

class DiagnosticsWithSimulator : public WithSimulator
{
protected:
    void TearDown() override
    {
        if (sim > 0)
            kill(sim, SIGCONT); // a frozen device would not take the SIGTERM
        WithSimulator::TearDown();
    }

    // Connects with every line the GPS page takes also fed to a reference panel of its own, and
    // counted per channel.
    void connectRecording()
    {
        startSimulator(kDevice);
        access().TapGpsLines([this](const char* line) {
            const auto u = reference.UpdateGpsStatus(line);
            flushes += u.epochFlushed ? 1 : 0;
            if (u.satelliteCounts)
                lastCounts = *u.satelliteCounts;
            tally.Add(line);
        });
        connectAndIdentify();
    }

    // Stops the device's streams and lets the window take what is still on the way.
    void freezeDevice()
    {
        kill(sim, SIGSTOP);
        PumpFor(500);
    }

    QString box(const char* name) const { return control<LabeledEdit>(name)->text(); }
    QString row(const char* name) const { return control<QLabel>(name)->text(); }

    std::unique_ptr<nmea::SentenceLibrary> library = std::make_unique<nmea::SentenceLibrary>();
    GpsStatusPanel reference{*library};
    int flushes = 0;
    m47::diagnostics::SatelliteCountTexts lastCounts;
    ChannelTally tally;
};

TEST_F(DiagnosticsWithSimulator, PagesFollowWhatTheDeviceSent)
{
    connectRecording();
    ASSERT_TRUE(PumpUntil([&] { return flushes >= 4; }, kIdentifyMs));
    freezeDevice();
    access().SysChkTick();

    // The boxes as the last lines leave them.
    const nmea::GnssRecord& gnss = library->latest.gnss;
    const auto utc = m47::diagnostics::ShowUtc(gnss.utcYear, gnss.utcMonth, gnss.utcDay, gnss.utcHour,
                                               gnss.utcMinute, gnss.utcSecond);
    EXPECT_EQ(box("lblEdtGpsUtcDate"), QString::fromStdString(utc.date));
    EXPECT_EQ(box("lblEdtGpsUtcTime"), QString::fromStdString(utc.time));
    EXPECT_EQ(box("lblEdtGpsFixMode"), QStringLiteral("3D"));
    EXPECT_NE(box("lblEdtHdop"), QStringLiteral("N/A"));
    // The own ship is where the device was told it sails, in the format of the page.
    EXPECT_TRUE(box("lblEdtGpsLat").startsWith(QString::fromUtf8(" 25\u00B0")))
        << box("lblEdtGpsLat").toStdString();
    EXPECT_TRUE(box("lblEdtGpsLat").endsWith(QStringLiteral("'N")));
    EXPECT_TRUE(box("lblEdtGpsLon").startsWith(QString::fromUtf8("121\u00B0")))
        << box("lblEdtGpsLon").toStdString();
    EXPECT_TRUE(box("lblEdtGpsLon").endsWith(QStringLiteral("'E")));
    EXPECT_TRUE(box("lblEdtGpsSOG").endsWith(QStringLiteral(" Kn")));

    // The last epoch: its counts, its markers and its bars.
    const auto bars = reference.Chart().Bars();
    int inView = 0;
    for (const auto& bar : bars)
        inView += bar.Label() != "---" ? 1 : 0;
    ASSERT_GT(inView, 0);
    EXPECT_EQ(box("lblEdtGpsNoSV_InView"), QString::number(inView));
    EXPECT_EQ(box("lblEdtGpsNoSV_InView").toStdString(), lastCounts.inView);
    EXPECT_EQ(box("lblEdtGpsNoSV_InUse").toStdString(), lastCounts.inUse);
    const auto shownBars = control<TSignalStrengthChart>("SignalChart")->Bars().Bars();
    ASSERT_EQ(shownBars.size(), bars.size());
    int inUse = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        EXPECT_EQ(shownBars[i].Label(), bars[i].Label()) << "bar " << i;
        EXPECT_EQ(shownBars[i].value, bars[i].value) << "bar " << i;
        EXPECT_EQ(shownBars[i].colour, bars[i].colour) << "bar " << i;
        inUse += bars[i].colour == m47::diagnostics::kInUseColour ? 1 : 0;
    }
    EXPECT_GT(inUse, 0);
    auto* map = control<TPaintSatelliteChart>("SkyMap");
    for (std::size_t i = 0; i < map->Satellites.size(); ++i) {
        const TPaintSatellite& marker = *map->Satellites[i];
        const auto& expected = reference.Markers()[i];
        EXPECT_EQ(!marker.isHidden(), static_cast<int>(i) < inView) << "marker " << i;
        if (expected.visible) {
            EXPECT_EQ(marker.SatelliteId, expected.satelliteId) << "marker " << i;
            EXPECT_EQ(marker.InUse != 0, expected.inUse) << "marker " << i;
            EXPECT_EQ(marker.SatelliteId, std::stoi(std::string(bars[i].Label()))) << "marker " << i;
        }
    }

    // The system check: the device's own texts, and the reports it sent on each channel.
    EXPECT_EQ(row("lblValFwVer"), QStringLiteral("M47 V<i>2</i>.00"));
    EXPECT_EQ(row("lblValProdSN"), QStringLiteral("M47A2612009999"));
    EXPECT_GT(tally.a, 0);
    EXPECT_GT(tally.b, 0);
    EXPECT_EQ(row("lblValRxCntA"), QString::number(tally.a));
    EXPECT_EQ(row("lblValRxCntB"), QString::number(tally.b));
    EXPECT_EQ(row("lblValGps"), QStringLiteral("Fixed"));
    EXPECT_TRUE(boxes.calls().empty());
}

} // namespace
