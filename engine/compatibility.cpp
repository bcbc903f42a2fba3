#include "engine/compatibility.h"

#include <array>
#include <cstddef>
#include <optional>

namespace kindrell {
namespace {

constexpr auto H = CompatibilityVerdict::Harmonious;
constexpr auto P1 = CompatibilityVerdict::HarmoniousWithParent1;
constexpr auto P2 = CompatibilityVerdict::HarmoniousWithParent2;
constexpr auto N = CompatibilityVerdict::NotHarmoniousAtAll;

// Key (mother's digit, father's digit), then the verdict for the child
// numbers 1 2 3 4 5 6 7 8 9 and last for any other child number. Only keys
// whose first digit is at most the second have a row.
// clang-format off
constexpr std::array<VerdictRow, 45> kVerdictTable{{
//  key     1   2   3   4   5   6   7   8   9  other
    {"11", { H,  N,  H,  N,  H,  N,  H,  N,  H,  N}},
    {"12", {P1, P2,  H, P2, P1, P2, P1, P2, P1, P2}},
    {"13", { H, P2,  H,  N,  H, P2, P1,  N,  H,  N}},
    {"14", {P1, P2, P1, P2, P1, P2,  H, P2, P1, P2}},
    {"15", { H,  N,  H,  N,  H,  N,  H,  N,  H,  N}},
    {"16", {P1, P2,  H, P2, P1, P2, P1, P2,  H, P2}},
    {"17", { H,  N, P1, P2,  H,  N,  H,  N, P1,  N}},
    {"18", {P1, P2, P1, P2, P1, P2, P1, P2, P1, P2}},
    {"19", { H,  N,  H,  N,  H, P2, P1,  N,  H,  N}},
    {"22", { N,  H,  H,  H,  N,  H,  N,  H,  N,  N}},
    {"23", {P2,  H,  H, P1, P2,  H,  N, P1, P2,  N}},
    {"24", { N,  H, P1,  H,  N,  H, P2,  H,  N,  N}},
    {"25", {P2, P1,  H, P1, P2, P1, P2, P1, P2, P2}},
    {"26", { N,  H,  H,  H,  N,  H,  N,  H, P2,  N}},
    {"27", {P2, P1, P1,  H, P2, P1, P2, P1,  N,  N}},
    {"28", { N,  H, P1,  H,  N,  H,  N,  H,  N,  N}},
    {"29", {P2, P1,  H, P1, P2,  H,  N, P1, P2,  N}},
    {"33", { H,  H,  H,  N,  H,  H,  N,  N,  H,  N}},
    {"34", {P1,  H, P1, P2, P1,  H, P2, P2, P1, P2}},
    {"35", { H, P1,  H,  N,  H, P1, P2,  N,  H,  N}},
    {"36", {P1,  H,  H, P2, P1,  H, P1, P2,  H, P2}},
    {"37", { H, P1, P1, P2,  H, P1, P2,  N, P1,  N}},
    {"38", {P1,  H, P1, P2, P1, P1, P2, P2, P1, P2}},
    {"39", { H, P1,  H,  N,  H,  H,  N,  N,  H,  N}},
    {"44", { N,  H,  N,  H,  N,  H,  H,  H,  N,  N}},
    {"45", {P2, P1, P2, P2, P2, P1,  H, P1, P2, P2}},
    {"46", { N,  H,  N,  H,  N,  H, P1,  H,  N,  N}},
    {"47", {P2, P1,  N,  H, P2, P1,  H, P1,  N,  N}},
    {"48", { N,  H,  N,  H,  N,  H, P1,  H,  N,  N}},
    {"49", {P2, P1, P2, P1, P2,  H, P1, P1, P2, P2}},
    {"55", { H,  N,  H,  N,  H,  N,  H,  N,  H,  N}},
    {"56", {P1, P2,  H, P2, P1, P2, P1, P2,  H, P2}},
    {"57", { H,  N, P1, P2,  H,  N,  H,  N, P1,  N}},
    {"58", {P1, P2, P1, P2, P1, P2, P1, P2, P1, P2}},
    {"59", { H,  N,  H,  N,  H, P2, P1,  N,  H,  N}},
    {"66", { N,  H,  H,  H,  N,  H,  N,  H,  H,  N}},
    {"67", {P2, P1, P1,  H, P2, P1, P2, P1, P1, P1}},
    {"68", { N,  H, P1,  H,  N,  H,  N,  H, P1,  N}},
    {"69", {P2, P1,  H, P1, P2,  H,  N, P1,  H,  H}},
    {"77", { H,  N,  N,  H,  H,  N,  H,  N,  N,  N}},
    {"78", {P1, P2,  N,  H, P1, P2, P1, P2,  N,  N}},
    {"79", { H,  N, P2, P1,  H, P2, P1,  N, P2, P2}},
    {"88", { N,  H,  N,  H,  N,  H,  N,  H,  N,  N}},
    {"89", {P2, P1, P2, P1, P2,  H,  N, P1, P2, P2}},
    {"99", { H,  N,  H,  N,  H,  H,  N,  N,  H,  H}},
}};
// clang-format on

constexpr std::size_t kOtherChildColumn = 9;

// Only single digits make a key. Written out, a number outside 0..9 gives a
// key of three or more characters that matches no row; this keeps it so even
// for pairs such as mother 1 and father 12, which digit arithmetic
// (10 * mother + father) would turn into the real row "22".
constexpr std::optional<std::array<char, 2>> ParentPairKey(std::int16_t mother,
                                                           std::int16_t father) noexcept {
    const auto isDigit = [](std::int16_t n) { return n >= 0 && n <= 9; };
    if (!isDigit(mother) || !isDigit(father)) {
        return std::nullopt;
    }
    return std::array<char, 2>{static_cast<char>('0' + mother), static_cast<char>('0' + father)};
}

constexpr bool TableIsWellFormed() {
    std::size_t row = 0;
    for (char mother = '1'; mother <= '9'; ++mother) {
        for (char father = mother; father <= '9'; ++father) {
            const std::string_view key = kVerdictTable[row++].Key;
            if (key.size() != 2 || key[0] != mother || key[1] != father) {
                return false;
            }
        }
    }
    return row == kVerdictTable.size();
}
static_assert(TableIsWellFormed());

} // namespace

std::span<const VerdictRow> VerdictTable() noexcept {
    return kVerdictTable;
}

std::u16string_view TokenText(CompatibilityVerdict verdict) noexcept {
    switch (verdict) {
    case CompatibilityVerdict::Harmonious:
        return u"Harmonious";
    case CompatibilityVerdict::HarmoniousWithParent1:
        return u"Harmonious with parent 1";
    case CompatibilityVerdict::HarmoniousWithParent2:
        return u"Harmonious with parent 2";
    case CompatibilityVerdict::NotHarmoniousAtAll:
        return u"Not Harmonious At All";
    }
    return {};
}

CompatibilityVerdict GetCompatibility(std::int16_t childNumber, std::int16_t motherNumber,
                                      std::int16_t fatherNumber) noexcept {
    const auto key = ParentPairKey(motherNumber, fatherNumber);
    if (!key) {
        return CompatibilityVerdict::NotHarmoniousAtAll;
    }
    const std::string_view keyText(key->data(), key->size());
    for (const VerdictRow& row : kVerdictTable) {
        if (row.Key == keyText) {
            const bool hasColumn = childNumber >= 1 && childNumber <= 9;
            return row.Verdicts[hasColumn ? static_cast<std::size_t>(childNumber - 1)
                                          : kOtherChildColumn];
        }
    }
    return CompatibilityVerdict::NotHarmoniousAtAll;
}

ParentVerdicts GetParentVerdicts(CompatibilityVerdict verdict) noexcept {
    constexpr std::u16string_view kHarmonious = u"Harmonious";
    constexpr std::u16string_view kNot = u"Not Harmonious";
    switch (verdict) {
    case CompatibilityVerdict::Harmonious:
        return {kHarmonious, kHarmonious};
    case CompatibilityVerdict::HarmoniousWithParent1:
        return {kHarmonious, kNot};
    case CompatibilityVerdict::HarmoniousWithParent2:
        return {kNot, kHarmonious};
    case CompatibilityVerdict::NotHarmoniousAtAll:
        break;
    }
    return {u"Not Harmonious At All", u"Not Harmonious At All"};
}

VerdictLines GetVerdictLines(CompatibilityVerdict verdict) {
    const ParentVerdicts words = GetParentVerdicts(verdict);
    return {std::u16string(u"Compatibility with Mother: ").append(words.Mother),
            std::u16string(u"Compatibility with Father: ").append(words.Father)};
}

} // namespace kindrell
