#include "engine/name_number.h"

#include "engine/text.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kindrell {
namespace {

struct LetterGroup {
    std::int16_t Value;
    std::u16string_view Letters;
};

// Every letter's value is its place in the alphabet with the places 10 to 26
// brought down to 1 to 9.
constexpr std::array<LetterGroup, 9> kLetterGroups{{
    {1, u"AJS"},
    {2, u"BKT"},
    {3, u"CLU"},
    {4, u"DMV"},
    {5, u"ENW"},
    {6, u"FOX"},
    {7, u"GPY"},
    {8, u"HQZ"},
    {9, u"IR"},
}};

constexpr std::size_t kAsciiSize = 128;

// Indexed by code unit below 128. Lower-case letters carry the value of their
// capital: upper-casing touches a..z only, so no other character (accented,
// dotless i, long s, fullwidth forms) can ever turn into one of the 26.
constexpr std::array<std::uint8_t, kAsciiSize> kValueByCodeUnit = [] {
    std::array<std::uint8_t, kAsciiSize> table{};
    for (const LetterGroup& group : kLetterGroups) {
        for (const char16_t capital : group.Letters) {
            const auto value = static_cast<std::uint8_t>(group.Value);
            table[capital] = value;
            table[capital - u'A' + u'a'] = value;
        }
    }
    return table;
}();

static_assert([] {
    int letters = 0;
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        const int value = kValueByCodeUnit[c];
        // 1 + (place - 1) mod 9, the rule the groups are written from.
        if (value != 1 + (c - u'A') % 9 || kValueByCodeUnit[c - u'A' + u'a'] != value) {
            return false;
        }
        ++letters;
    }
    int valued = 0;
    for (const std::uint8_t value : kValueByCodeUnit) {
        valued += value != 0 ? 1 : 0;
    }
    return letters == 26 && valued == 52;
}());

constexpr int ValueOf(char16_t unit) noexcept {
    return unit < kAsciiSize ? kValueByCodeUnit[unit] : 0;
}

// The letter sum, the one walk over a name. `onLetter(position, value,
// added)` hears of each letter A to Z; a letter that would carry the sum past
// the limit is not added and the walk goes on.
template <typename OnLetter> int SumLetters(std::u16string_view name, OnLetter&& onLetter) {
    int sum = 0;
    for (std::size_t pos = 0; pos < name.size(); ++pos) {
        const int value = ValueOf(name[pos]);
        const bool added = sum + value <= kLetterSumLimit;
        sum = added ? sum + value : sum;
        if (value != 0) {
            onLetter(pos, value, added);
        }
    }
    return sum;
}

constexpr int DigitSum(int number) noexcept {
    int sum = 0;
    for (; number > 0; number /= 10) {
        sum += number % 10;
    }
    return sum;
}

constexpr int Reduce(int letterSum) noexcept {
    while (letterSum >= 10) {
        letterSum = DigitSum(letterSum);
    }
    return letterSum;
}

} // namespace

DestinyNumber GetDestinyNumber(std::u16string_view name) noexcept {
    return static_cast<DestinyNumber>(Reduce(SumLetters(name, [](std::size_t, int, bool) {})));
}

DestinyWorking ExplainDestinyNumber(std::u16string_view name) {
    DestinyWorking working;
    const int sum = SumLetters(name, [&](std::size_t pos, int value, bool added) {
        working.Letters.push_back(
            {CapitalOf(name[pos]), static_cast<std::int16_t>(value), pos, added});
    });
    working.LetterSum = static_cast<std::int16_t>(sum);
    int number = sum;
    while (number >= 10) {
        number = DigitSum(number);
        working.Reductions.push_back(static_cast<std::int16_t>(number));
    }
    working.Number = static_cast<DestinyNumber>(number);
    return working;
}

std::u16string FormatWorking(const DestinyWorking& working) {
    std::u16string text;
    if (working.Letters.empty()) {
        text = u"no letters A to Z";
    }
    bool first = true;
    for (const CountedLetter& letter : working.Letters) {
        if (!first) {
            text += u" + ";
        }
        first = false;
        text.push_back(letter.Letter);
        text.push_back(u' ');
        text.push_back(static_cast<char16_t>(u'0' + letter.Value)); // a letter's value is one digit
        if (!letter.Added) {
            text += u" (not added)";
        }
    }
    return text + FormatSum(working);
}

std::u16string FormatSum(const DestinyWorking& working) {
    std::u16string text = u" = ";
    text += DecimalText(working.LetterSum);
    for (const std::int16_t step : working.Reductions) {
        text += u" \u2192 ";
        text += DecimalText(step);
    }
    return text;
}

} // namespace kindrell
