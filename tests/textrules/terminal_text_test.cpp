// What the command line repeats of what it was given: control characters,
// and bytes that are not UTF-8, written as escapes; everything else as it
// came.

#include "textrules/terminal_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kindrell::text {
namespace {

struct Case {
    const char* label;
    std::string given;
    std::string shown;
};

class TerminalText : public testing::TestWithParam<Case> {};

TEST_P(TerminalText, EscapesWhatATerminalWouldObey) {
    EXPECT_EQ(EscapeControlCharacters(GetParam().given), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TerminalText,
    testing::Values(Case{"plain", "Mary", "Mary"}, Case{"empty", "", ""},
                    Case{"window_title", "\x1b]0;owned\x07Zed", R"(\x1B]0;owned\x07Zed)"},
                    Case{"colour", "\x1b[31mred", R"(\x1B[31mred)"},
                    Case{"nul_tab_newline", std::string("a\0\t\n", 4), R"(a\x00\x09\x0A)"},
                    Case{"delete", "\x7f", R"(\x7F)"},
                    Case{"c1_as_utf8", "Zo\xC2\x9B", R"(Zo\x9B)"},
                    Case{"c1_as_a_lone_byte",
                         "\x9b"
                         "1",
                         R"(\x9B1)"},
                    Case{"not_utf8", "b\xff", R"(b\xFF)"},
                    Case{"cut_sequence", "Zo\xC3", R"(Zo\xC3)"},
                    Case{"overlong_slash", "\xC0\xAF", R"(\xC0\xAF)"},
                    Case{"letters_stay", "Zo\xC3\xAB \xE6\x9D\x8E \xF0\x9F\x98\x80",
                         "Zo\xC3\xAB \xE6\x9D\x8E \xF0\x9F\x98\x80"},
                    Case{"no_break_space_stays", "\xC2\xA0", "\xC2\xA0"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace kindrell::text
