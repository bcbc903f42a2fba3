#pragma once

// How a child's destiny number stands with the mother's and the father's:
// the verdict table and the verdict lines.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kindrell {

// Parent 1 is always the mother, parent 2 always the father.
enum class CompatibilityVerdict {
    Harmonious,
    HarmoniousWithParent1,
    HarmoniousWithParent2,
    NotHarmoniousAtAll,
};

// "Harmonious", "Harmonious with parent 1", "Harmonious with parent 2", "Not Harmonious At All".
std::u16string_view TokenText(CompatibilityVerdict verdict) noexcept;

CompatibilityVerdict GetCompatibility(std::int16_t childNumber, std::int16_t motherNumber,
                                      std::int16_t fatherNumber) noexcept;

struct VerdictLines {
    std::u16string MotherLine;
    std::u16string FatherLine;
};

// Each parent's part of a verdict, the word its verdict line ends with:
// "Harmonious", "Not Harmonious", or "Not Harmonious At All" (for both
// parents, and only when neither is in harmony).
struct ParentVerdicts {
    std::u16string_view Mother;
    std::u16string_view Father;
};
ParentVerdicts GetParentVerdicts(CompatibilityVerdict verdict) noexcept;

// "Compatibility with Mother: " and "Compatibility with Father: ", each with
// that parent's word.
VerdictLines GetVerdictLines(CompatibilityVerdict verdict);

// One row of the verdict table. Key is the parent pair key: the mother's
// destiny digit, then the father's. Verdicts holds the verdict for the child
// numbers 1 to 9 and, last, the one for any other child number.
struct VerdictRow {
    std::string_view Key;
    std::array<CompatibilityVerdict, 10> Verdicts;
};

// The verdict table in lookup order.
std::span<const VerdictRow> VerdictTable() noexcept;

} // namespace kindrell
