#pragma once

#include <string>
#include <string_view>

namespace sintegra {

// Bytes of a file or of a file name as UTF-8 text to show, the same in every report, message and
// window: a field that is valid UTF-8 is read as UTF-8, any other as Windows-1252, the code page
// SINTEGRA files are written in. Control characters (C0, DEL and C1, however decoded) and the five
// bytes Windows-1252 leaves undefined appear as \xNN, one per byte, so that no terminal takes them
// as commands and no name can add a line to a message.
std::string displayText(std::string_view bytes);

} // namespace sintegra
