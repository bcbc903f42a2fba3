#pragma once

// Lists as people have them, and what each program makes of one: the
// shortlist of kindrell-reading (father John, mother Zoe) prints one record
// a line read, the finder merges repeats and says what it left out. One
// table, so that the two programs cannot drift apart.

#include <string>
#include <string_view>
#include <vector>

namespace kindrell::testing_support {

struct OddList {
    const char* label;
    std::string bytes;
    std::string shortlistNames;  // the records' names, joined by "|"
    std::string shortlistErrors; // standard error, whole
    std::string finderNames;     // the list's names, in file order, joined by "|"
    std::string finderMessage;   // what the finder says on opening "odd.txt"; empty: nothing
};

// A Windows editor's "Unicode": UTF-16 with its byte-order mark.
inline std::string Utf16(std::u16string_view text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const auto high = static_cast<char>(unit >> 8U);
        const auto low = static_cast<char>(unit & 0xFFU);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

inline std::string Skipped(int line, std::string_view why) {
    return "kindrell-reading: line " + std::to_string(line) + ": " + std::string(why) +
           ", skipped\n";
}

inline std::vector<OddList> OddLists() {
    const std::string longest(32767, 'a');
    const std::string read = " read from \u201Codd.txt\u201D. ";
    return {
        {"utf16_windows", Utf16(u"Mary\r\nZo\u00EB\r\nAnne Marie\r\n"), "Mary|Zo\u00EB|Anne Marie",
         "", "Mary|Zo\u00EB|Anne Marie", ""},
        {"utf16_big_endian_lone_surrogate", Utf16(u"Ava\n\xD800x\nMia", true), "Ava|Mia",
         Skipped(2, "not valid UTF-16"), "Ava|Mia",
         "2 names" + read + "1 line that is not valid UTF-16 was left out."},
        {"cr_only", "Mary\rZoe\r\r\xFF\rMia", "Mary|Zoe|Mia", Skipped(4, "not valid UTF-8"),
         "Mary|Zoe|Mia", "3 names" + read + "1 line that is not valid UTF-8 was left out."},
        {"tabs_and_no_break_spaces", "\tMary\t\n\t\t\n\xC2\xA0\xC2\xA0\n\xC2\xA0Zoe \xE3\x80\x80\n",
         "Mary|Zoe", "", "Mary|Zoe", ""},
        {"files_joined_with_their_marks", "\xEF\xBB\xBFMary\r\nZoe\r\n\xEF\xBB\xBFMia\r\n",
         "Mary|Zoe|Mia", "", "Mary|Zoe|Mia", ""},
        {"composed_and_decomposed", "Zo\xC3\xAB\nZoe\xCC\x88\n", "Zo\u00EB|Zo\u00EB", "",
         "Zo\u00EB", "1 name" + read + "1 repeated name was merged."},
        {"repeats_in_any_case", "Mary\nmary\nZoe\nMARY\n", "Mary|mary|Zoe|MARY", "", "Mary|Zoe",
         "2 names" + read + "2 repeated names were merged."},
        {"control_characters", std::string("Ma\0ry\n", 6) + "Zo\x1B[1me\nAnne\tMarie\nMia\n", "Mia",
         Skipped(1, "a control character in the name") +
             Skipped(2, "a control character in the name") +
             Skipped(3, "a control character in the name"),
         "Mia", "1 name" + read + "3 lines with control characters in the name were left out."},
        {"long_lines", longest + "\n" + longest + "b\nMia\n", longest + "|Mia",
         Skipped(2, "name longer than 32767 UTF-16 code units"), longest + "|Mia",
         "2 names" + read + "1 line with a name longer than 32,767 characters was left out."},
        {"latin1", "Zo\xEB\nMary\n", "Mary", Skipped(1, "not valid UTF-8"), "Mary",
         "1 name" + read + "1 line that is not valid UTF-8 was left out."},
        {"nothing_usable", "\xFF\n\x01\n \n", "",
         Skipped(1, "not valid UTF-8") + Skipped(2, "a control character in the name"), "",
         "\u201Codd.txt\u201D holds no names. 1 line that is not valid UTF-8 was left out. 1 "
         "line with a control character in the name was left out."},
    };
}

} // namespace kindrell::testing_support
