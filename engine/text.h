#pragma once

// The engine's text helpers: spaces trimmed, numbers written in decimal.

#include <array>
#include <charconv>
#include <limits>
#include <string>
#include <string_view>

namespace kindrell {

// Removes leading and trailing space characters (code 32) and nothing else:
// tabs, carriage returns and line feeds stay.
constexpr std::u16string_view TrimSpaces(std::u16string_view text) noexcept {
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

// A number in decimal: no leading zero, no blank, a minus sign only when negative.
inline std::u16string DecimalText(long long number) {
    // The longest is the most negative: a sign and 19 digits.
    std::array<char, std::numeric_limits<long long>::digits10 + 2> digits{};
    const std::to_chars_result written =
        std::to_chars(digits.data(), digits.data() + digits.size(), number);
    return std::u16string(digits.data(), written.ptr); // ASCII, a unit each
}

} // namespace kindrell
