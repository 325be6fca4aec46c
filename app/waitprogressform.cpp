#include "waitprogressform.h"

#include "ui_waitprogressform.h"

TfrmWaitingProgress::TfrmWaitingProgress(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), ui(std::make_unique<Ui::TfrmWaitingProgress>())
{
    ui->setupUi(this);
    setFixedSize(size());
    setWindowOpacity(200.0 / 255.0);
}

TfrmWaitingProgress::~TfrmWaitingProgress() = default;

QProgressBar* TfrmWaitingProgress::progressBar() const
{
    return ui->ProgressBar1;
}

void TfrmWaitingProgress::showEvent(QShowEvent* event)
{
    // Centred over the main window.
    if (const QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - rect().center());
    QWidget::showEvent(event);
}
