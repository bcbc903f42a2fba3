#pragma once

// Text the program repeats to a terminal: what it was given may hold
// control characters (an escape sequence that retitles the window or
// recolours the text), which are written as escapes instead.

#include <string>
#include <string_view>

namespace kindrell::text {

// The bytes as UTF-8 with each control character (C0, DEL, C1) written as
// "\xHH" of its code point, and each byte that is not valid UTF-8 as "\xHH"
// of the byte: "\x1B]0;title\x07", "\x9B".
std::string EscapeControlCharacters(std::string_view bytes);

} // namespace kindrell::text
