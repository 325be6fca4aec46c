#pragma once
// --self-check: proves that an installed program finds its texts. The window is shown as usual;
// at its first frame the check prints where the language and read-me files were looked for,
// whether they were found and what the window shows from them, then ends the event loop with
// status 0 when both files were found and the About window holds the read-me text, else 1.
//
//   program: VeldraM47Config 1.0.0
//   language file: /usr/share/veldra-m47/Lang/Lang-EN.ini (found)
//   read-me file: /usr/share/veldra-m47/Lang/ReadMe-EN_CORVANA.txt (found)
//   window title: Veldra M47 Configurator
//   menu: File(&F) Help(&H)
//   about text: Veldra M47 Configurator
//   first frame: shown
#include <QObject>
#include <QString>

class TForm1;
class TfrmAbout;

class TSelfCheck final : public QObject
{
public:
    // Watches `form` (shown after this) for its first paint; `programFolder` as the form has it.
    TSelfCheck(TForm1& form, const TfrmAbout& about, const QString& programFolder);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report();

    TForm1& form_;
    const TfrmAbout& about_;
    QString programFolder_;
    bool painted_ = false;
};
