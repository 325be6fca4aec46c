// The RECEPTION page against the virtual device, in real time: one 30-degree sector left
// unheard and wrong checksums on some lines. What the page shows must match what the device
// sent, counted here from the dispatched lines themselves.
#include "simulatorfixture.h"

#include "diagnostics/reception_coverage_plot.h"
#include "diagnostics/reception_target_model.h"
#include "nmea/checksum.h"

#include <QTableView>
#include <QTableWidget>

#include <set>

namespace {

using namespace m47::diagnostics;

constexpr double kEmptyFrom = 200.0;

// The device's lines as the GPS page got them: every one, those with a wrong checksum, and the
// completed VDM messages per channel with their senders.
struct SentTally {
    std::uint64_t lines = 0;
    std::uint64_t badChecksums = 0;
    std::array<std::uint64_t, 2> messages{};

    void Add(std::string_view line, const nmea::SentenceLibrary& library, bool accepted)
    {
        ++lines;
        if (!nmea::VerifyChecksum(line.data(), line.size()))
            ++badChecksums;
        if (accepted && line.substr(3, 4) == "VDM,") {
            const nmea::EncapsulatedFields* fields = nmea::EncapsulatedOf(library.record);
            ++messages[fields->channel == 'A' ? 0 : 1];
        }
    }
};

class ReceptionWithSimulator : public WithSimulator
{
protected:
    void TearDown() override
    {
        if (sim > 0)
            kill(sim, SIGCONT);
        WithSimulator::TearDown();
    }

    std::unique_ptr<nmea::SentenceLibrary> library = std::make_unique<nmea::SentenceLibrary>();
    GpsStatusPanel reference{*library};
    SentTally sent;
};

TEST_F(ReceptionWithSimulator, ThePageShowsWhatTheDeviceSentWithTheEmptySectorAndTheBadChecksums)
{
    startSimulator({"--no-network-module", "--empty-sector", "200", "--fault", "checksum", "--fault-rate", "0.05"});
    access().TapGpsLines([this](const char* line) {
        const bool accepted = reference.UpdateGpsStatus(line).accepted;
        sent.Add(line, *library, accepted);
    });
    connectAndIdentify();
    control<QTabWidget>("PageControlMain")->setCurrentWidget(control<QWidget>("TabSheetDiagnostics"));
    control<QTabWidget>("PageControlDiagnosis")->setCurrentWidget(control<QWidget>("TabSheetReception"));
    form->show();
    // Nine seconds give every target in the heard sectors at least one position report.
    PumpFor(9500);
    kill(sim, SIGSTOP);
    PumpFor(500);
    access().ReceptionTick();

    auto* proxy = dynamic_cast<TTargetFilterModel*>(control<QTableView>("GridTargets")->model());
    ASSERT_NE(proxy, nullptr);
    const auto& rows = dynamic_cast<TTargetTableModel*>(proxy->sourceModel())->Rows();
    EXPECT_GE(rows.size(), 25u);
    std::array<std::uint64_t, 2> perChannel{};
    std::set<std::size_t> sectors;
    for (const TargetRow& row : rows) {
        ASSERT_TRUE(row.range) << row.mmsi;
        // A few to 40 NM, with the own ship's own motion since the start.
        EXPECT_GT(row.range->distanceNm, 0.5) << row.mmsi;
        EXPECT_LT(row.range->distanceNm, 43.0) << row.mmsi;
        EXPECT_FALSE(row.range->bearingDegrees >= kEmptyFrom && row.range->bearingDegrees < kEmptyFrom + 30.0)
            << row.mmsi << " at " << row.range->bearingDegrees;
        sectors.insert(SectorOf(row.range->bearingDegrees));
        perChannel[0] += row.messages[0];
        perChannel[1] += row.messages[1];
        // The same sender at the same place in the reference library.
        const nmea::AisTarget& target = library->ais.targets.entries[row.index];
        EXPECT_EQ(target.mmsi, row.mmsi);
        const auto own = OwnShipPosition(*library);
        ASSERT_EQ(own.source, OwnShipFix::Source::Vdo);
        EXPECT_NEAR(GreatCircle(own.position, {target.latitude, target.longitude}).distanceNm,
                    row.range->distanceNm, 1e-6);
    }
    EXPECT_EQ(perChannel, sent.messages);
    EXPECT_GT(sent.messages[0], 0u);
    EXPECT_GT(sent.messages[1], 0u);
    // Heard all round but in the empty sector (which lies across two of the plot's sectors).
    EXPECT_GE(sectors.size(), 11u);

    // The line integrity rows: every line once, the wrong checksums with their share.
    auto* integrity = control<QTableWidget>("GridLineIntegrity");
    ASSERT_GT(sent.badChecksums, 0u);
    EXPECT_EQ(integrity->item(0, 0)->text(), QString::number(sent.lines));
    EXPECT_EQ(integrity->item(2, 0)->text().toStdString(), CountText(sent.badChecksums, sent.lines));

    // Position reports of type 1 in the minute in progress.
    const auto* types = control<QLabel>("lblTypesThisMinute");
    EXPECT_TRUE(types->text().contains(QStringLiteral("1: "))) << types->text().toStdString();
    EXPECT_TRUE(control<QLabel>("lblOwnShip")->text().endsWith(QStringLiteral("(VDO)")));
    EXPECT_TRUE(boxes.calls().empty());
}

} // namespace
