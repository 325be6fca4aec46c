#pragma once
// A single-line edit box with its own caption label, above the box or to its left.
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

class LabeledEdit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(bool captionLeft READ captionLeft WRITE setCaptionLeft)
    Q_PROPERTY(int captionWidth READ captionWidth WRITE setCaptionWidth)
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)

public:
    explicit LabeledEdit(QWidget* parent = nullptr);

    QString caption() const { return label_->text(); }
    void setCaption(const QString& caption) { label_->setText(caption); }
    bool captionLeft() const { return captionLeft_; }
    void setCaptionLeft(bool left);
    int captionWidth() const { return captionWidth_; }
    void setCaptionWidth(int width);
    QString text() const { return edit_->text(); }
    void setText(const QString& text) { edit_->setText(text); }
    bool isReadOnly() const { return edit_->isReadOnly(); }
    void setReadOnly(bool readOnly);
    int maxLength() const { return edit_->maxLength(); }
    void setMaxLength(int length) { edit_->setMaxLength(length); }

    QLabel* label() const { return label_; }
    QLineEdit* edit() const { return edit_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange();

    QLabel* label_;
    QLineEdit* edit_;
    bool captionLeft_ = false;
    int captionWidth_ = 0; // 0: as wide as the caption needs
};
