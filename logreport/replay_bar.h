#pragma once
// The replay's controls in the top panel: the log's name, the position in the file, the speed
// choice and the pause button. It stands over the interface and port choices, which have no
// use while a log replays.
#include "logreport/replay_pacer.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QProgressBar;
class QToolButton;

namespace m47::logreport {

class ReplayBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kProgressSteps = 1000;

    explicit ReplayBar(QWidget* parent = nullptr);

    void showLog(const QString& fileName, ReplaySpeed speed);
    void setProgress(double fraction); // 0 to 1
    ReplaySpeed speed() const;
    bool paused() const;

signals:
    void speedChanged(m47::logreport::ReplaySpeed speed);
    void pauseToggled(bool paused);

private:
    QLabel* name_;
    QProgressBar* progress_;
    QComboBox* speeds_;
    QToolButton* pause_;
};

} // namespace m47::logreport
