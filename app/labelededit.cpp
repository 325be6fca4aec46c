#include "labelededit.h"

LabeledEdit::LabeledEdit(QWidget* parent)
    : QWidget(parent), label_(new QLabel(this)), edit_(new QLineEdit(this))
{
    label_->setTextFormat(Qt::PlainText);
    label_->setBuddy(edit_);
    setFocusProxy(edit_);
    arrange();
}

void LabeledEdit::setCaptionLeft(bool left)
{
    captionLeft_ = left;
    arrange();
}

void LabeledEdit::setCaptionWidth(int width)
{
    captionWidth_ = width;
    arrange();
}

void LabeledEdit::setReadOnly(bool readOnly)
{
    edit_->setReadOnly(readOnly);
    // A read-only box shows values only: arrow cursor and no tab stop.
    edit_->setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
    edit_->setCursor(readOnly ? Qt::ArrowCursor : Qt::IBeamCursor);
}

void LabeledEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    arrange();
}

void LabeledEdit::arrange()
{
    const int labelHeight = label_->sizeHint().height();
    if (captionLeft_) {
        const int labelWidth = captionWidth_ > 0 ? captionWidth_ : label_->sizeHint().width() + 4;
        label_->setGeometry(0, 0, labelWidth, height());
        label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        edit_->setGeometry(labelWidth, 0, width() - labelWidth, height());
    } else {
        label_->setGeometry(0, 0, width(), labelHeight);
        label_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        edit_->setGeometry(0, labelHeight + 1, width(), height() - labelHeight - 1);
    }
}
