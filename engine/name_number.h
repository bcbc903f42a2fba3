#pragma once

// A name's destiny number, and how it was worked out letter by letter.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kindrell {

using DestinyNumber = std::int16_t;

// A name's letter sum is kept in a 16-bit signed integer: a letter that would
// carry it past this limit adds nothing, and the walk goes on.
inline constexpr std::int16_t kLetterSumLimit = 32767;

// The longest name the data model holds, in UTF-16 code units.
inline constexpr std::size_t kMaxNameLength = 32767;

// The capital a letter counts as: a to z become A to Z, every other code
// unit stays itself, so that no locale or other alphabet changes a number.
constexpr char16_t CapitalOf(char16_t unit) noexcept {
    return (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

// Destiny number 0..9 of a name; 0 only when the name holds none of A to Z.
DestinyNumber GetDestinyNumber(std::u16string_view name) noexcept;

// One letter A to Z found in a name, as it was counted.
struct CountedLetter {
    char16_t Letter;      // the upper-case capital, 'A'..'Z'
    std::int16_t Value;   // its value, 1..9
    std::size_t Position; // code-unit index in the name
    bool Added;           // false when it would have carried the sum past the limit
};

// How a destiny number was reached: the letters counted, the letter sum and
// each digit-sum step down to the single digit.
struct DestinyWorking {
    std::vector<CountedLetter> Letters;
    std::int16_t LetterSum = 0;
    std::vector<std::int16_t> Reductions; // each digit sum in turn; empty for a one-digit sum
    DestinyNumber Number = 0;
};

DestinyWorking ExplainDestinyNumber(std::u16string_view name);

// The working as one line, e.g. "M 4 + A 1 + R 9 + Y 7 = 21 → 3".
std::u16string FormatWorking(const DestinyWorking& working);
// Its end alone, from the letter sum down to the number: " = 21 → 3".
std::u16string FormatSum(const DestinyWorking& working);

} // namespace kindrell
