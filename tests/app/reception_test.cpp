// The RECEPTION page in the main window, fed through the receive path: the targets' table
// sorted and filtered, the CSV file, and the line integrity rows.
#include "connectionfixture.h"

#include "ais_messages.h"
#include "diagnostics/reception_target_model.h"
#include "nmea/checksum.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>

namespace {

std::string Vdm(std::uint32_t mmsi, double latitude, double longitude, char channel, const char* formatter = "VDM")
{
    m47sim::PositionReportA report;
    report.mmsi = mmsi;
    report.latitude = m47sim::AisAngle(latitude);
    report.longitude = m47sim::AisAngle(longitude);
    return m47sim::EncapsulateAis(formatter, channel, 0, m47sim::EncodeAis(report)).front();
}

class ReceptionPage : public ConnectionFixture
{
protected:
    void SetUp() override
    {
        ConnectionFixture::SetUp();
        start();
        access().StopTimers();
        // The page as a technician sees it once a device is identified.
        form->show();
        control<QWidget>("PanelView")->show();
        auto* main = control<QTabWidget>("PageControlMain");
        main->setCurrentWidget(control<QWidget>("TabSheetDiagnostics"));
        auto* diagnosis = control<QTabWidget>("PageControlDiagnosis");
        diagnosis->setCurrentWidget(control<QWidget>("TabSheetReception"));
        // Own ship at 25 N 121 E; three targets due north, east and south-west.
        for (const std::string& line : {Vdm(416000047, 25.0, 121.0, 'A', "VDO"),
                                        Vdm(244123456, 25.5, 121.0, 'A'), Vdm(227004321, 25.0, 121.4, 'B'),
                                        Vdm(338123456, 24.8, 120.8, 'B'), Vdm(244123456, 25.5, 121.0, 'B')})
            access().Receive(line);
        access().ReceptionTick();
    }

    QTableView* grid() const { return control<QTableView>("GridTargets"); }
    QString cell(int row, m47::diagnostics::TargetColumn column) const
    {
        return grid()->model()->index(row, static_cast<int>(column)).data().toString();
    }
    QStringList column(m47::diagnostics::TargetColumn which) const
    {
        QStringList values;
        for (int row = 0; row < grid()->model()->rowCount(); ++row)
            values << cell(row, which);
        return values;
    }
};

using Column = m47::diagnostics::TargetColumn;

TEST_F(ReceptionPage, TargetsSortByValueAndFilterByMmsiOrName)
{
    // Farthest first, as the page opens; the own ship is the centre, not a row.
    EXPECT_EQ(column(Column::Mmsi), (QStringList{"244123456", "227004321", "338123456"}));
    EXPECT_EQ(column(Column::Distance), (QStringList{"30.0", "21.8", "16.2"}));
    EXPECT_EQ(column(Column::Bearing), (QStringList{"0", "90", "222"}));
    EXPECT_EQ(cell(0, Column::MessagesA), QStringLiteral("1"));
    EXPECT_EQ(cell(0, Column::MessagesB), QStringLiteral("1"));
    EXPECT_EQ(control<QLabel>("lblTargetCount")->text(), QStringLiteral("Targets: 3"));

    // By value, not by text: 90 sorts before 224 although "224" < "90".
    grid()->sortByColumn(static_cast<int>(Column::Bearing), Qt::AscendingOrder);
    EXPECT_EQ(column(Column::Bearing), (QStringList{"0", "90", "222"}));
    grid()->sortByColumn(static_cast<int>(Column::Mmsi), Qt::DescendingOrder);
    EXPECT_EQ(column(Column::Mmsi), (QStringList{"338123456", "244123456", "227004321"}));

    // A refresh with one more target keeps the order and the rows.
    access().Receive(Vdm(503112233, 25.1, 121.1, 'A'));
    access().ReceptionTick();
    EXPECT_EQ(column(Column::Mmsi), (QStringList{"503112233", "338123456", "244123456", "227004321"}));

    control<QLineEdit>("edtTargetFilter")->setText(QStringLiteral("4123"));
    EXPECT_EQ(column(Column::Mmsi), (QStringList{"244123456"}));
    control<QLineEdit>("edtTargetFilter")->setText(QString());
    EXPECT_EQ(grid()->model()->rowCount(), 4);
}

TEST_F(ReceptionPage, ExportWritesTheShownRowsAsCsvAndLeavesNoTemporaryFile)
{
    control<QLineEdit>("edtTargetFilter")->setText(QStringLiteral("22700"));
    const QString path = tmp.filePath(QStringLiteral("targets.csv"));
    fileDialogs.answerNext(path);
    control<QAbstractButton>("btnExportCsv")->click();
    ASSERT_EQ(fileDialogs.requests().size(), 1u);
    EXPECT_EQ(fileDialogs.requests()[0].filter, QStringLiteral("CSV File (*.CSV)"));
    EXPECT_EQ(readFile(path).toStdString(),
              "MMSI,Name,Call sign,Kind,Messages A,Messages B,Last heard (s),SOG (kn),COG (deg),"
              "Distance (NM),Bearing (deg)\r\n"
              "227004321,\"\",\"\",\"Class A\",0,1,0,,,21.8,90\r\n");
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{QStringLiteral("targets.csv")});
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(ReceptionPage, LineIntegrityCountsEveryLineOnceAndShowsTheLastBadOne)
{
    auto* integrity = control<QTableWidget>("GridLineIntegrity");
    EXPECT_EQ(integrity->item(0, 0)->text(), QStringLiteral("5"));
    EXPECT_EQ(integrity->item(1, 0)->text(), QStringLiteral("5 (100.0 %)"));

    std::string bad = Vdm(244123456, 25.5, 121.0, 'A');
    bad[bad.size() - 3] = bad[bad.size() - 3] == '0' ? '1' : '0';
    access().Receive(bad);
    access().Receive("\x01\x02noise\n");
    access().Receive("$" + std::string(120, 'L') + "\r\n"); // dropped before any consumer
    control<QAbstractButton>("btnReceptionRefresh")->click();
    access().Receive(DeviceLine("$GPXYZ,1"));
    access().ReceptionTick();

    EXPECT_EQ(integrity->item(0, 0)->text(), QStringLiteral("9"));
    EXPECT_EQ(integrity->item(2, 0)->text(), QStringLiteral("1 (11.1 %)"));
    EXPECT_EQ(integrity->item(3, 0)->text(), QStringLiteral("1 (11.1 %)"));
    EXPECT_EQ(integrity->item(4, 0)->text(), QStringLiteral("1 (11.1 %)"));
    EXPECT_EQ(integrity->item(5, 0)->text(), QStringLiteral("1 (11.1 %)"));
    EXPECT_EQ(integrity->item(0, 1)->text(), QStringLiteral("1"));
    EXPECT_EQ(integrity->item(5, 1)->text(), QStringLiteral("1 (100.0 %)"));
    auto* last = control<QLabel>("lblLastBadLine");
    EXPECT_EQ(last->textFormat(), Qt::PlainText);
    EXPECT_TRUE(last->text().startsWith(QStringLiteral("Last bad line: $GPXYZ,1*"))) << last->text().toStdString();

    // A new connection starts the counts again.
    emit openPort()->toggled(true);
    access().ReceptionTick();
    EXPECT_EQ(integrity->item(0, 0)->text(), QStringLiteral("0"));
}

} // namespace
