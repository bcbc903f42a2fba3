#pragma once

// Names as people write them, and how each is weighed: the letters it
// counts as, its number, its working as shown, and what counts nothing. One
// table, held to the text library, the finder's parent numbers and
// kindrell-reading alike, so that the three cannot drift apart.

#include <ostream>
#include <string>
#include <vector>

namespace kindrell::testing_support {

struct FoldingCase {
    const char* label;
    std::string written; // UTF-8
    std::string letters; // what the engine counts
    int number;
    std::string working;   // UTF-8
    std::string uncounted; // UTF-8, as UncountedText says it; empty: everything counts
};

// Names the row in failure messages instead of dumping its bytes.
[[maybe_unused]] inline void PrintTo(const FoldingCase& row, std::ostream* os) {
    *os << row.label;
}

inline const std::vector<FoldingCase>& FoldingCases() {
    static const std::vector<FoldingCase> cases{
        {"ascii", "John", "JOHN", 2, "J 1 + O 6 + H 8 + N 5 = 20 \u2192 2", ""},
        {"acute_composed", "Jos\u00E9", "JOSE", 4, "J 1 + O 6 + S 1 + \u00C9 5 = 13 \u2192 4", ""},
        {"acute_decomposed", "Jose\u0301", "JOSE", 4, "J 1 + O 6 + S 1 + \u00C9 5 = 13 \u2192 4",
         ""},
        {"e_with_marks", "\u00EB\u00E8\u00EA", "EEE", 6,
         "\u00CB 5 + \u00C8 5 + \u00CA 5 = 15 \u2192 6", ""},
        {"n_tilde", "Nu\u00F1ez", "NUNEZ", 8, "N 5 + U 3 + \u00D1 5 + E 5 + Z 8 = 26 \u2192 8", ""},
        {"c_cedilla", "Fran\u00E7ois", "FRANCOIS", 4,
         "F 6 + R 9 + A 1 + N 5 + \u00C7 3 + O 6 + I 9 + S 1 = 40 \u2192 4", ""},
        {"a_ring_and_umlaut", "\u00C5s\u00E4", "ASA", 3, "\u00C5 1 + S 1 + \u00C4 1 = 3", ""},
        {"o_umlaut_and_slash", "\u00F6\u00F8", "OO", 3, "\u00D6 6 + \u00D8 6 = 12 \u2192 3", ""},
        {"l_stroke", "\u0141ukasz", "LUKASZ", 9,
         "\u0141 3 + U 3 + K 2 + A 1 + S 1 + Z 8 = 18 \u2192 9", ""},
        {"d_stroke_and_eth", "\u0111\u00F0", "DD", 8, "\u0110 4 + \u00D0 4 = 8", ""},
        {"sharp_s", "Stra\u00DFe", "STRASSE", 2,
         "S 1 + T 2 + R 9 + A 1 + \u00DF 2 + E 5 = 20 \u2192 2", ""},
        {"ae_and_oe", "\u00E6\u0153", "AEOE", 8, "\u00C6 6 + \u0152 11 = 17 \u2192 8", ""},
        {"thorn", "\u00DEora", "THORA", 8, "\u00DE 10 + O 6 + R 9 + A 1 = 26 \u2192 8", ""},
        {"dotless_i", "Y\u0131ld\u0131z", "YILDIZ", 4,
         "Y 7 + I 9 + L 3 + D 4 + I 9 + Z 8 = 40 \u2192 4", ""},
        {"fullwidth", "\uFF2A\uFF4F", "JO", 7, "\uFF2A 1 + \uFF2F 6 = 7", ""},
        {"carried_punctuation", "Ann-Jo O\u2019Dea.", "ANNJOODEA", 7,
         "A 1 + N 5 + N 5 + J 1 + O 6 + O 6 + D 4 + E 5 + A 1 = 34 \u2192 7", ""},
        {"another_script", "Wei \u674E", "WEI", 1, "W 5 + E 5 + I 9 = 19 \u2192 10 \u2192 1",
         "\u674E counts nothing"},
        {"nothing_counts", "\u674E\u660E", "", 0, "no letters A to Z = 0",
         "\u674E and \u660E count nothing"},
        {"digits", "R2D2", "RD", 4, "R 9 + D 4 = 13 \u2192 4", "2 counts nothing"},
        {"symbols", "Mia & 7", "MIA", 5, "M 4 + I 9 + A 1 = 14 \u2192 5", "& and 7 count nothing"},
    };
    return cases;
}

} // namespace kindrell::testing_support
