#include "logreport/replay_bar.h"

#include "logreport/record_replay.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QToolButton>

namespace m47::logreport {

ReplayBar::ReplayBar(QWidget* parent)
    : QWidget(parent), name_(new QLabel(this)), progress_(new QProgressBar(this)), speeds_(new QComboBox(this)),
      pause_(new QToolButton(this))
{
    setObjectName(QStringLiteral("ReplayBar"));
    name_->setObjectName(QStringLiteral("lblReplayFile"));
    name_->setTextFormat(Qt::PlainText); // a file name is shown as it stands
    progress_->setObjectName(QStringLiteral("pgbReplay"));
    progress_->setRange(0, kProgressSteps);
    speeds_->setObjectName(QStringLiteral("cbxReplaySpeed"));
    for (const SpeedChoice& choice : kSpeedChoices)
        speeds_->addItem(QString::fromLatin1(choice.caption.data(), static_cast<qsizetype>(choice.caption.size())));
    pause_->setObjectName(QStringLiteral("spbReplayPause"));
    pause_->setText(QStringLiteral("Pause"));
    pause_->setCheckable(true);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    grid->addWidget(name_, 0, 0, 1, 2);
    grid->addWidget(progress_, 1, 0);
    grid->addWidget(speeds_, 1, 1);
    grid->addWidget(pause_, 0, 2, 2, 1);
    grid->setColumnStretch(0, 1);

    connect(speeds_, &QComboBox::currentIndexChanged, this, [this] { emit speedChanged(speed()); });
    connect(pause_, &QToolButton::toggled, this, &ReplayBar::pauseToggled);
}

void ReplayBar::showLog(const QString& fileName, ReplaySpeed speed)
{
    const QSignalBlocker quiet(this);
    name_->setText(QLatin1String(kReplayCaption.data(), static_cast<qsizetype>(kReplayCaption.size())) +
                   QStringLiteral(": ") + fileName);
    speeds_->setCurrentIndex(SpeedChoiceIndex(speed).value_or(0));
    pause_->setChecked(false);
    progress_->setValue(0);
}

void ReplayBar::setProgress(double fraction)
{
    progress_->setValue(static_cast<int>(fraction * kProgressSteps));
}

ReplaySpeed ReplayBar::speed() const
{
    const int item = std::max(speeds_->currentIndex(), 0);
    return kSpeedChoices.at(static_cast<std::size_t>(item)).speed;
}

bool ReplayBar::paused() const
{
    return pause_->isChecked();
}

} // namespace m47::logreport
