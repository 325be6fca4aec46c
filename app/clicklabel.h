#pragma once
// A label that reports mouse clicks, for captions that act as links or buttons.
#include <QLabel>

class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void pressed(); // mouse button went down on the label
    void clicked(); // pressed and released on the label
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
