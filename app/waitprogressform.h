#pragma once
// The progress window that stands over the main window while the device restarts.
#include <QWidget>
#include <memory>

class QProgressBar;

namespace Ui {
class TfrmWaitingProgress;
}

class TfrmWaitingProgress : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmWaitingProgress(QWidget* parent = nullptr);
    ~TfrmWaitingProgress() override;

    QProgressBar* progressBar() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TfrmWaitingProgress> ui;
};
