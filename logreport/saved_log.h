#pragma once
// The saved data log: every line's bytes followed by CR LF, the last line too; an empty log
// gives an empty file.
//
//   lines "$GPGGA,...*5B", "", "$AIVDM,...*4E"  ->  "$GPGGA,...*5B\r\n\r\n$AIVDM,...*4E\r\n"
//
// The lines are the device's own bytes in the language's code page, so they are written as they
// are, without conversion.

#include "logreport/log_lines.h"

#include <cstddef>
#include <functional>
#include <string_view>

namespace m47::logreport {

// Takes the next piece of the file; false stops the writing (the file layer failed).
using ByteSink = std::function<bool(std::string_view bytes)>;

// Pieces are gathered up to about this size before they go to the sink.
inline constexpr std::size_t kSavePieceSize = 64 * 1024;

// Hands the saved log to `sink` in order. Returns false when the sink refused a piece.
bool WriteSavedLog(const LogLines& lines, const ByteSink& sink);

} // namespace m47::logreport
