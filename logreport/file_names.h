#pragma once
// File names of the saved log and the report: the default extension the save dialogs add, and
// the report name suggested from the device's serial number.
//
//   WithDefaultExtension("/home/tech/m47log")      -> "/home/tech/m47log.TXT"
//   WithDefaultExtension("/home/tech/m47log.csv")  -> unchanged
//   SafeFileName("../../etc/-x")                   -> "___.._etc_-x"

#include <string>
#include <string_view>

namespace m47::logreport {

inline constexpr std::string_view kDefaultExtension = "TXT";

// Adds "." and kDefaultExtension when the file name (the part after the last '/') has no
// extension: no '.' after its first character, or only a '.' at its very end ("log." ->
// "log.TXT").
std::string WithDefaultExtension(std::string_view path);

// A suggested name that stays a plain file name inside the folder the user picks, whatever the
// device sent: path separators, characters other systems reserve in names, and control bytes
// become '_', and so do leading '.' and '-' (no "..", no hidden file, no name read as an
// option). Bytes from 0x80 up are kept, so UTF-8 text passes unchanged.
std::string SafeFileName(std::string_view text);

} // namespace m47::logreport
