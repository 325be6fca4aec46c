// The RECEPTION page: who is heard, how far, how often, and how clean the line is. Every line
// is counted once by the diagnostics library's reception counting, right after the GPS page's
// panel ran it; TimerReception shows the figures at most four times a second, and only while
// the page is on screen, so a busy line costs the window thread no painting.
#include "mainform.h"

#include "device/rx_line_assembler.h"
#include "diagnostics/reception_coverage_plot.h"
#include "diagnostics/reception_rate_chart.h"
#include "diagnostics/reception_target_model.h"
#include "diagnostics/reception_texts.h"
#include "ui_mainform.h"

#include <QHeaderView>

namespace diagnostics = m47::diagnostics;

namespace {

constexpr int ReceptionRefreshMs = 250;
constexpr const char* TargetsCsvFilter = "CSV File (*.CSV)";
constexpr const char* TargetsCsvName = "reception-targets.csv";

// The page's texts are ASCII: six-bit AIS names and lines shown with their other bytes escaped.
QString Ascii(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void TForm1::SetUpReceptionPage()
{
    TargetModel = new TTargetTableModel(this);
    TargetFilter = new TTargetFilterModel(this);
    TargetFilter->setSourceModel(TargetModel);
    ui->GridTargets->setModel(TargetFilter);
    ui->GridTargets->sortByColumn(static_cast<int>(diagnostics::TargetColumn::Distance), Qt::DescendingOrder);
    ui->GridTargets->verticalHeader()->hide();
    ui->GridTargets->verticalHeader()->setDefaultSectionSize(18);
    // Widths by column, in the order of the columns.
    static constexpr int ColumnWidths[diagnostics::kTargetColumns] = {74, 96, 60, 66, 34, 34, 84, 54, 44, 38, 52};
    for (int column = 0; column < diagnostics::kTargetColumns; ++column)
        ui->GridTargets->horizontalHeader()->resizeSection(column, ColumnWidths[column]);

    QTableWidget* grid = ui->GridLineIntegrity;
    grid->setRowCount(static_cast<int>(diagnostics::kIntegrityRows));
    grid->setColumnCount(2);
    grid->setHorizontalHeaderLabels({QStringLiteral("Since connect"), QStringLiteral("Since Refresh")});
    grid->setStyleSheet(QStringLiteral("QHeaderView { font-size: 7pt; }"));
    grid->verticalHeader()->setMinimumSectionSize(12);
    grid->verticalHeader()->setDefaultSectionSize(15);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setFixedWidth(104);
    grid->horizontalHeader()->setFixedHeight(15);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int row = 0; row < grid->rowCount(); ++row) {
        grid->setVerticalHeaderItem(
            row, new QTableWidgetItem(QLatin1String(diagnostics::IntegrityRowTitle(static_cast<std::size_t>(row)))));
        for (int column = 0; column < 2; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(row, column, item);
        }
    }

    connect(ui->btnReceptionRefresh, &QPushButton::clicked, this, &TForm1::btnReceptionRefreshClick);
    connect(ui->btnExportCsv, &QPushButton::clicked, this, &TForm1::btnExportCsvClick);
    connect(ui->edtTargetFilter, &QLineEdit::textChanged, this, &TForm1::edtTargetFilterChange);
    // Every opened connection, the user's and the reconnect after a restart alike, shows in the
    // connection button going down.
    connect(ui->OpenPort, &QToolButton::toggled, this, [this](bool down) {
        if (down)
            Reception.Connected();
    });
    // Coming to the page shows its figures at once rather than at the next tick.
    connect(ui->PageControlDiagnosis, &QTabWidget::currentChanged, this, [this] { TimerReceptionTimer(); });
    TimerReception.setInterval(ReceptionRefreshMs);
    connect(&TimerReception, &QTimer::timeout, this, &TForm1::TimerReceptionTimer);
    TimerReception.start();
}

void TForm1::CountReceivedLine(std::string_view line, bool accepted)
{
    Reception.CountLine(line, accepted, *Library);
}

void TForm1::CountLineEnded(std::string_view text)
{
    // Shorter lines reach UpdateGpsStatus and are counted there.
    if (text.size() > m47::device::RxLineAssembler::kMaxDispatchLength)
        Reception.CountDroppedLine(text);
}

void TForm1::TimerReceptionTimer()
{
    if (!ui->TabSheetReception->isVisible())
        return;
    Reception.FillView(*Library, ReceptionFigures);
    const diagnostics::ReceptionView& view = ReceptionFigures;
    TargetModel->SetRows(view.targets);
    TargetFilter->Resort();
    ui->lblTargetCount->setText(QStringLiteral("Targets: %1").arg(view.targets.size()));
    ui->PlotCoverage->SetView(view);
    ui->ChartRates->SetRates(view);
    ui->lblOwnShip->setText(Ascii(diagnostics::OwnShipText(view.ownShip)));
    ui->lblFarthestAll->setText(QStringLiteral("All: ") + Ascii(diagnostics::ReachText(view.lastHour.overall)));
    ui->lblFarthestA->setText(QStringLiteral("A: ") + Ascii(diagnostics::ReachText(view.lastHour.perChannel[0])));
    ui->lblFarthestB->setText(QStringLiteral("B: ") + Ascii(diagnostics::ReachText(view.lastHour.perChannel[1])));
    ui->lblTypesThisMinute->setText(QStringLiteral("Types this minute: ") +
                                    Ascii(diagnostics::TypesText(view.typesThisMinute)));
    const auto sinceConnect = diagnostics::IntegrityTexts(view.sinceConnect);
    const auto sinceRefresh = diagnostics::IntegrityTexts(view.sinceRefresh);
    for (std::size_t row = 0; row < diagnostics::kIntegrityRows; ++row) {
        ui->GridLineIntegrity->item(static_cast<int>(row), 0)->setText(Ascii(sinceConnect[row]));
        ui->GridLineIntegrity->item(static_cast<int>(row), 1)->setText(Ascii(sinceRefresh[row]));
    }
    ui->lblLastBadLine->setText(QStringLiteral("Last bad line: ") +
                                (view.lastBadLine.empty() ? QStringLiteral("---") : Ascii(view.lastBadLine)));
}

void TForm1::btnReceptionRefreshClick()
{
    Reception.Refresh();
    TimerReceptionTimer();
}

void TForm1::edtTargetFilterChange()
{
    TargetFilter->SetFilterText(ui->edtTargetFilter->text());
}

void TForm1::btnExportCsvClick()
{
    // The rows the page shows, in its order and with its filter.
    std::vector<diagnostics::TargetRow> rows;
    for (int row = 0; row < TargetFilter->rowCount(); ++row)
        rows.push_back(TargetModel->Rows()[static_cast<std::size_t>(TargetFilter->mapToSource(TargetFilter->index(row, 0)).row())]);
    const std::string csv = diagnostics::TargetsCsv(rows);
    ShowSaveFailure(m47::logreport::saveThroughDialog(
        Dialogs, {QLatin1String(TargetsCsvFilter), QLatin1String(TargetsCsvName)},
        m47::logreport::kOverwriteLogQuestion, [this](const auto& q) { return Ask(q); },
        [&csv](const m47::logreport::ByteSink& sink) { return sink(csv); }));
}
