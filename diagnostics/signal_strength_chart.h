#pragma once
// The signal-strength bar chart of the GPS STATUS page (in Chart1, 409 x 320): one 3-D bar per
// satellite on a fixed 0..58 dB-Hz axis with a solid grid, each bar shaded top to bottom from
// its own colour, its value written above it on a short connector and its id below it, plus the
// two axis captions. Bars crowded too close for their texts get them written upwards.
//
//   auto* chart = new TSignalStrengthChart(ui->Chart1);  // fills Chart1
//   chart->SetBars(gpsPanel.Chart());                    // after each epoch
#include "diagnostics/snr_chart_model.h"

#include <QString>
#include <QWidget>

class TSignalStrengthChart : public QWidget
{
public:
    explicit TSignalStrengthChart(QWidget* parent = nullptr);

    // Copies the bars and repaints.
    void SetBars(const m47::diagnostics::SnrChartModel& bars);
    const m47::diagnostics::SnrChartModel& Bars() const { return bars_; }

    // The captions as the page's language gives them; plain text.
    void SetCaptions(const QString& vertical, const QString& horizontal);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    m47::diagnostics::SnrChartModel bars_;
    QString verticalCaption_ = QStringLiteral("SNR (dB-Hz)");
    QString horizontalCaption_ = QStringLiteral("Satellite ID");
};
