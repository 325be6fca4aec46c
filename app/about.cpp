#include "about.h"

#include "application.h"
#include "artpixmap.h"

#include "codepage.h"
#include "ui_about.h"

#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

TfrmAbout::TfrmAbout(QWidget* parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::TfrmAbout>())
{
    ui->setupUi(this);
    sharpenLabelArt(this, {{"Image2", ":/art/logo.png"}});
    setFixedSize(size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ui->lblWebUrl->setText(QLatin1String(WebAddress));
    connect(ui->btnOK, &QPushButton::clicked, this, &TfrmAbout::btnOKClick);
    connect(ui->lblCompanyName, &ClickLabel::clicked, this, &TfrmAbout::lblCompanyNameClick);
    connect(ui->lblWebUrl, &ClickLabel::clicked, this, &TfrmAbout::lblCompanyNameClick);
    FormCreate();
}

TfrmAbout::~TfrmAbout() = default;

void TfrmAbout::FormCreate()
{
    ui->StaticTextProduct->setText(QLatin1String(TApplication::Title));
    ui->StaticTextProduct->setStyleSheet(QStringLiteral("color: black;"));
}

void TfrmAbout::LoadReadMe(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.readAll();
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    QStringList lines{QString()};
    if (!bytes.isEmpty()) {
        for (QByteArray raw : bytes.split('\n')) {
            if (raw.endsWith('\r'))
                raw.chop(1);
            // Split after decoding, so that a double-byte character is never cut in two.
            const QString line = decodeCodePage(raw, codePage_);
            qsizetype at = 0;
            do {
                lines << line.mid(at, ReadMeLineLength);
                at += ReadMeLineLength;
            } while (at < line.size());
        }
    }
    ui->Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

QAbstractButton* TfrmAbout::okButton() const
{
    return ui->btnOK;
}

QString TfrmAbout::readMeText() const
{
    return ui->Memo1->toPlainText();
}

void TfrmAbout::btnOKClick()
{
    hide();
}

void TfrmAbout::lblCompanyNameClick()
{
    QDesktopServices::openUrl(QUrl(QLatin1String(WebAddress))); // a failure is not reported
}
