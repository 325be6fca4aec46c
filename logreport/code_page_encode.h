#pragma once
// Encoding of the window's texts into the single-byte (or double-byte) Windows code page of the
// current language, for what goes into files and to the device: report captions, console lines.
#include <QByteArray>
#include <QString>

namespace m47::logreport {

// Converts `text` to the named iconv code page ("CP1250", "CP950", "CP936"). A character the code
// page cannot hold becomes '?'; with an unknown code page the text is written as Latin-1.
QByteArray encodeCodePage(const QString& text, const char* codePage);

} // namespace m47::logreport
