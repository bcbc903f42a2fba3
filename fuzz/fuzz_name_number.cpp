// The destiny number of arbitrary UTF-16 text, against a plain reference
// walk and against the transformations that must not change it.

#include "engine/name_number.h"
#include "engine/text.h"
#include "fuzz/fuzz_input.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using kindrell::DestinyNumber;
using kindrell::kLetterSumLimit;

bool IsAsciiLetter(char16_t unit) {
    return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z');
}

char16_t Capital(char16_t unit) {
    return (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

int ReferenceValue(char16_t unit) {
    return IsAsciiLetter(unit) ? 1 + (Capital(unit) - u'A') % 9 : 0;
}

// Letter by letter, a letter that would pass the limit adds nothing.
int ReferenceSum(std::u16string_view name) {
    int sum = 0;
    for (const char16_t unit : name) {
        const int value = ReferenceValue(unit);
        if (sum + value <= kLetterSumLimit) {
            sum += value;
        }
    }
    return sum;
}

int ReferenceNumber(int sum) {
    return sum == 0 ? 0 : 1 + (sum - 1) % 9;
}

int DigitSum(int number) {
    int sum = 0;
    for (; number > 0; number /= 10) {
        sum += number % 10;
    }
    return sum;
}

// Blanks, digits and punctuation count for nothing wherever they stand.
constexpr std::u16string_view kFillers = u" 0123456789-'.,;:!?\t\u00e9\u2019";

void CheckWorking(std::u16string_view name, DestinyNumber number, int referenceSum) {
    const kindrell::DestinyWorking working = kindrell::ExplainDestinyNumber(name);
    KINDRELL_FUZZ_CHECK(working.Number == number);
    KINDRELL_FUZZ_CHECK(working.LetterSum == referenceSum);

    int sum = 0;
    std::size_t letters = 0;
    std::size_t previous = 0;
    for (const kindrell::CountedLetter& letter : working.Letters) {
        KINDRELL_FUZZ_CHECK(letter.Position < name.size());
        KINDRELL_FUZZ_CHECK(letters == 0 || letter.Position > previous);
        KINDRELL_FUZZ_CHECK(letter.Letter == Capital(name[letter.Position]));
        KINDRELL_FUZZ_CHECK(letter.Value == ReferenceValue(name[letter.Position]));
        KINDRELL_FUZZ_CHECK(letter.Added == (sum + letter.Value <= kLetterSumLimit));
        sum += letter.Added ? letter.Value : 0;
        previous = letter.Position;
        ++letters;
    }
    std::size_t asciiLetters = 0;
    for (const char16_t unit : name) {
        asciiLetters += IsAsciiLetter(unit) ? 1 : 0;
    }
    KINDRELL_FUZZ_CHECK(letters == asciiLetters);
    KINDRELL_FUZZ_CHECK(sum == working.LetterSum);

    int step = working.LetterSum;
    for (const std::int16_t reduction : working.Reductions) {
        KINDRELL_FUZZ_CHECK(step >= 10);
        step = DigitSum(step);
        KINDRELL_FUZZ_CHECK(reduction == step);
    }
    KINDRELL_FUZZ_CHECK(step == number);

    const std::u16string text = kindrell::FormatWorking(working);
    KINDRELL_FUZZ_CHECK(text.ends_with(u" " + kindrell::DecimalText(number)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // A first byte of 0x_F asks for a run of I's (9 each) in front, which
    // brings the letter sum to the limit without needing a huge input; it is
    // rare so that the long walks do not eat the time for the short ones.
    const std::uint8_t flags = data[0];
    std::u16string name;
    const bool prefixed = (flags & 0x0FU) == 0x0FU;
    if (prefixed) {
        name.assign(3630 + (flags >> 4U), u'I');
    }
    name += kindrell::fuzz::Utf16Units(kindrell::fuzz::Bytes(data + 1, size - 1));

    const DestinyNumber number = kindrell::GetDestinyNumber(name);
    KINDRELL_FUZZ_CHECK(number >= 0 && number <= 9);
    const int referenceSum = ReferenceSum(name);
    KINDRELL_FUZZ_CHECK(number == ReferenceNumber(referenceSum));

    bool anyLetter = false;
    for (const char16_t unit : name) {
        anyLetter = anyLetter || IsAsciiLetter(unit);
    }
    KINDRELL_FUZZ_CHECK((number == 0) == !anyLetter);
    // The transformations that must not change a number are tried on the
    // fuzzer's own text alone: on a name of 3,600 letters they took half of
    // each run (perf), and the prefix only brings the sum to its limit.
    if (!prefixed) {
        std::u16string upper;
        std::u16string lettersOnly;
        std::u16string padded;
        for (std::size_t i = 0; i < name.size(); ++i) {
            const char16_t unit = name[i];
            upper.push_back(Capital(unit));
            if (IsAsciiLetter(unit)) {
                lettersOnly.push_back(unit);
            }
            padded.push_back(unit);
            padded.push_back(kFillers[(unit + i) % kFillers.size()]);
        }
        KINDRELL_FUZZ_CHECK(kindrell::GetDestinyNumber(upper) == number);
        KINDRELL_FUZZ_CHECK(kindrell::GetDestinyNumber(lettersOnly) == number);
        KINDRELL_FUZZ_CHECK(kindrell::GetDestinyNumber(padded) == number);
    }

    CheckWorking(name, number, referenceSum);
    return 0;
}
