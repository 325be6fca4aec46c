// The diagnostics pages in the main window, over a pseudo-terminal: received lines through the
// receive handler into the GPS STATUS page's boxes, sky map and chart, and the SYSTEM CHECK
// page's refresh, its Refresh button and the restart sequence it steps.
#include "connectionfixture.h"
#include "../diagnostics/nmea_lines.h"

#include "diagnostics/paint_satellite.h"
#include "diagnostics/paint_satellite_chart.h"
#include "diagnostics/signal_strength_chart.h"
#include "app/labelededit.h"

#include <QImage>

namespace {

constexpr int kCom = 202;

using diagtest::Line;

class Diagnostics : public ConnectionFixture
{
protected:
    void SetUp() override
    {
        ConnectionFixture::SetUp();
        ASSERT_TRUE(device.Valid());
        publish(kCom, QString::fromStdString(device.SlavePath()));
        startWithPort(kCom);
        openPort()->click();
        ASSERT_TRUE(access().Port().IsOpen());
    }

    // Sends the lines, then a serial number that counts the batches, and waits until the receive
    // handler has taken that last line: lines are handled in order, so all of them.
    void deviceSends(std::vector<std::string> lines)
    {
        const std::string serial = "SN" + std::to_string(++batches);
        lines.push_back(DeviceLine("$PCVN,R,TXT,SERIAL NO.=" + serial));
        std::string bytes;
        for (const std::string& l : lines)
            bytes += l;
        device.Send(bytes);
        ASSERT_TRUE(PumpUntil([&] { return access().DeviceInfo().SerialNumber == serial; }));
    }

    QString box(const char* name) const { return control<LabeledEdit>(name)->text(); }
    QString row(const char* name) const { return control<QLabel>(name)->text(); }
    // The picture of a check row is image `index` of ImageListSysChk.
    bool rowImageIs(const char* name, int index) const
    {
        const QImage shown = control<QLabel>(name)->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage expected =
            QImage(QLatin1String(TForm1::ImageListSysChk[static_cast<std::size_t>(index)]))
                .convertToFormat(QImage::Format_ARGB32);
        return !expected.isNull() && shown == expected;
    }
    void clickRefresh() { control<QAbstractButton>("SpeedButtonClearCheck")->click(); }

    PtyPair device;
    int batches = 0;
};

TEST_F(Diagnostics, LinesThroughTheReceiveHandlerFillTheGpsPageAtTheEndOfAnEpoch)
{
    const std::vector<diagtest::Satellite> sky = {
        {7, 62, 140, 43}, {12, 30, 45, 38}, {20, 10, 300, -1}, {25, 45, 45, 29}};
    std::vector<std::string> cycle = {diagtest::kOwnShipVdo, diagtest::kRmc, diagtest::kVtg, diagtest::kGga,
                                      diagtest::Gsa(3, {7, 12})};
    for (const std::string& gsv : diagtest::GsvSeries(sky))
        cycle.push_back(gsv);
    cycle.push_back(diagtest::kGll);
    deviceSends(cycle);
    // Until the epoch ends only the time and fix boxes follow the sentences.
    EXPECT_EQ(box("lblEdtGpsUtcDate"), QStringLiteral("2011/06/01"));
    EXPECT_EQ(box("lblEdtGpsUtcTime"), QStringLiteral("13:07:11"));
    // The fix boxes change at a GGA, from the GSA before it: none in this cycle.
    EXPECT_EQ(box("lblEdtGpsFixMode"), QStringLiteral("Lost"));
    EXPECT_EQ(box("lblEdtHdop"), QStringLiteral("N/A"));
    EXPECT_EQ(box("lblEdtGpsLat").left(3), QStringLiteral(" 50"));
    EXPECT_TRUE(box("lblEdtGpsLat").endsWith(QStringLiteral("'N")));
    EXPECT_TRUE(box("lblEdtGpsLon").endsWith(QStringLiteral("'W")));
    EXPECT_EQ(box("lblEdtGpsSOG"), QStringLiteral(" 0.50 Kn"));
    EXPECT_TRUE(box("lblEdtGpsCOG").endsWith(QChar(0x00B0)));
    EXPECT_EQ(box("lblEdtGpsNoSV_InView"), QString());

    deviceSends({diagtest::kRmc});                               // the first repetition ends the epoch
    EXPECT_EQ(box("lblEdtGpsNoSV_InView"), QStringLiteral("3")); // the untracked satellite is left out
    EXPECT_EQ(box("lblEdtGpsNoSV_InUse"), QStringLiteral("2"));
    deviceSends({diagtest::kGga});
    EXPECT_EQ(box("lblEdtGpsFixMode"), QStringLiteral("3D"));
    EXPECT_EQ(box("lblEdtHdop"), QStringLiteral(" 1.2"));

    auto* map = control<TPaintSatelliteChart>("SkyMap");
    struct Marker {
        int id;
        bool inUse;
    };
    const Marker markers[] = {{7, true}, {12, true}, {25, false}};
    for (std::size_t i = 0; i < map->Satellites.size(); ++i) {
        TPaintSatellite* m = map->Satellites[i];
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(!m->isHidden(), i < std::size(markers)) << "marker " << i;
        if (i < std::size(markers)) {
            EXPECT_EQ(m->SatelliteId, markers[i].id);
            EXPECT_EQ(m->InUse != 0, markers[i].inUse);
        }
    }
    const auto bars = control<TSignalStrengthChart>("SignalChart")->Bars().Bars();
    ASSERT_EQ(bars.size(), 16u);
    EXPECT_EQ(bars[0].Label(), "7");
    EXPECT_EQ(bars[0].value, 43);
    EXPECT_EQ(bars[2].Label(), "25");
    EXPECT_EQ(bars[2].colour, m47::diagnostics::kInViewColour);
    EXPECT_EQ(bars[3].Label(), "---");
    // The chart writes its own captions; the page's caption labels make way for it.
    EXPECT_TRUE(control("Label10")->isHidden());
    EXPECT_TRUE(control("lblSatelliteID")->isHidden());
}

TEST_F(Diagnostics, RefreshShowsDashesAtOnceAndTheValuesAfterTheDeviceAnswers)
{
    // Device texts are shown as they are, never as markup.
    const std::string firmware = "V<b>1</b>";
    deviceSends({DeviceLine("$PCVN,R,TXT,FIRMWARE=" + firmware), diagtest::Vdm("A"), diagtest::Vdm("B"),
                 diagtest::Vdm(""), diagtest::kOwnShipVdo});
    access().SysChkTick();
    struct Row {
        const char* label;
        const char* text;
        const char* image;
        int picture;
    };
    const auto expectRows = [&](std::initializer_list<Row> rows) {
        for (const Row& r : rows) {
            EXPECT_EQ(row(r.label), QString::fromUtf8(r.text)) << r.label;
            EXPECT_EQ(control<QLabel>(r.label)->textFormat(), Qt::PlainText) << r.label;
            if (r.image) {
                EXPECT_TRUE(rowImageIs(r.image, r.picture)) << r.image;
            }
        }
    };
    expectRows({{"lblValFwVer", "V<b>1</b>", "ImageChkFwVer", 1},
                {"lblValProdSN", "SN1", "ImageChkProdSN", 1},
                {"lblValRxCntA", "1", "ImageChkRx", 1},
                {"lblValRxCntB", "2", nullptr, 0},
                {"LabelNetworkFirmwareVersoinData", "N/A", "ImageNetworkFirmwareVersion", 2}});

    device.Receive(1 << 16, 100); // nothing asked so far but Connect's query
    clickRefresh();
    // Back from Refresh: the dashes stand, and the device has been asked again.
    expectRows({{"lblValFwVer", "---------", "ImageChkFwVer", 0},
                {"lblValProdSN", "---------", "ImageChkProdSN", 0},
                {"lblValRxCntA", "0", "ImageChkRx", 2},
                {"lblValRxCntB", "0", nullptr, 0},
                {"LabelNetworkFirmwareVersoinData", "N/A", "ImageNetworkFirmwareVersion", 2}});
    EXPECT_TRUE(control("SpeedButtonClearCheck")->isEnabled());
    EXPECT_NE(device.Receive(1 << 16, 100).find(ProductInfoQuery), std::string::npos);

    deviceSends(
        {DeviceLine("$PCVN,R,TXT,FIRMWARE=" + firmware), diagtest::kTwoPartFirst, diagtest::kTwoPartSecond});
    expectRows({{"lblValFwVer", "---------", "ImageChkFwVer", 0}}); // until the next tick
    access().SysChkTick();
    expectRows({{"lblValFwVer", "V<b>1</b>", "ImageChkFwVer", 1},
                {"lblValProdSN", "SN2", "ImageChkProdSN", 1},
                {"lblValRxCntA", "1", "ImageChkRx", 1}, // a two-sentence message counts once
                {"lblValRxCntB", "0", nullptr, 0}});
}

TEST_F(Diagnostics, RefreshStepsARunningRestartSequenceLikeATimerTick)
{
    access().ParseConfigurationLine(DeviceLine("$PCVN,R,TXT,SYSTEM RESTART") + "\r\n");
    ASSERT_EQ(access().RestartStep(), 1);
    clickRefresh();
    EXPECT_EQ(access().RestartStep(), 2);
    EXPECT_FALSE(access().Port().IsOpen()); // the step that closes the port for the restart
    EXPECT_EQ(progress->progressBar()->value(), 2);
    clickRefresh();
    EXPECT_EQ(access().RestartStep(), 3);
    EXPECT_TRUE(boxes.calls().empty());
}

} // namespace
