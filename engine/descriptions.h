#pragma once

// What each destiny number gives a person, and its negative traits.

#include <cstdint>
#include <string>
#include <string_view>

namespace kindrell {

// Paragraphs of a description are joined by CR LF CR LF.
inline constexpr std::u16string_view kParagraphSeparator = u"\r\n\r\n";

// The description of a destiny number 1..9; the empty text for any other number.
std::u16string GetDestinyDescription(std::int16_t number);

} // namespace kindrell
