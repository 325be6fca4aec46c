#include "logreport/saved_log.h"

#include <string>

namespace m47::logreport {

bool WriteSavedLog(const LogLines& lines, const ByteSink& sink)
{
    std::string piece;
    piece.reserve(kSavePieceSize);
    for (std::size_t i = 0; i < lines.Count(); ++i) {
        piece += lines.Line(i);
        piece += "\r\n";
        if (piece.size() >= kSavePieceSize) {
            if (!sink(piece))
                return false;
            piece.clear();
        }
    }
    return piece.empty() || sink(piece);
}

} // namespace m47::logreport
