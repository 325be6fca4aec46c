#pragma once
// The rate chart of the RECEPTION page: messages per minute on channel A and on B over the
// last 60 minutes as two lines, the minute in progress at the right, with a 1-2-5 scale.
//
//   chart->SetRates(view);   // each refresh of the page
#include "diagnostics/reception_stats.h"

#include <QWidget>

class TRateChart : public QWidget
{
public:
    using QWidget::QWidget;

    void SetRates(const m47::diagnostics::ReceptionView& view);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<std::array<std::uint32_t, m47::diagnostics::kRateMinutes>, m47::diagnostics::kAisChannels>
        perMinute_{};
};
