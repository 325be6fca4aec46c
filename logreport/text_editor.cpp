#include "logreport/text_editor.h"

#include <QDesktopServices>
#include <QUrl>

namespace m47::logreport {

void DesktopTextEditor::open(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace m47::logreport
