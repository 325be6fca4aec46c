#pragma once
// Decoding of the single-byte and double-byte Windows code pages the texts are written in.
#include <QByteArray>
#include <QString>

// Converts bytes of the named iconv code page ("CP1250", "CP950", "CP936") to Unicode. A byte
// sequence that is not valid in the code page becomes U+FFFD; conversion never fails as a whole.
QString decodeCodePage(const QByteArray& bytes, const char* codePage);
