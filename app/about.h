#pragma once
// The About window: product name, version, the language's read-me text and the maker's address.
#include <QWidget>
#include <memory>

class QAbstractButton;

namespace Ui {
class TfrmAbout;
}

class TfrmAbout : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ReadMeLineLength = 499; // a longer line goes on as the next memo line
    static constexpr const char* WebAddress = "http://www.corvana.example.com";

    explicit TfrmAbout(QWidget* parent = nullptr);
    ~TfrmAbout() override;

    // Code page the read-me file is written in.
    void setCodePage(const char* codePage) { codePage_ = codePage; }
    // Replaces the text box by the file's lines after one empty line; a missing file changes nothing.
    void LoadReadMe(const QString& path);

    QAbstractButton* okButton() const;
    QString readMeText() const;

private:
    void FormCreate();
    void btnOKClick();
    void lblCompanyNameClick();

    std::unique_ptr<Ui::TfrmAbout> ui;
    const char* codePage_ = "CP1250";
};
