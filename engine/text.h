#pragma once

#include <array>
#include <cstddef>
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
    // Taken as unsigned before negating so that the most negative value is safe.
    unsigned long long magnitude = static_cast<unsigned long long>(number);
    if (number < 0) {
        magnitude = 0ULL - magnitude;
    }
    std::array<char16_t, 24> digits{};
    std::size_t count = digits.size();
    do {
        digits[--count] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (number < 0) {
        digits[--count] = u'-';
    }
    return {digits.data() + count, digits.size() - count};
}

} // namespace kindrell
