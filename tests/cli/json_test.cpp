#include "cli/json.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace kindrell::cli {
namespace {

std::string Json(std::string_view text) {
    std::string out;
    AppendJsonString(text, out);
    return out;
}

struct EscapeCase {
    const char* label;
    std::string text;
    std::string json;
};

// Names the row in failure messages instead of dumping its bytes.
[[maybe_unused]] void PrintTo(const EscapeCase& row, std::ostream* os) {
    *os << row.label;
}

class JsonEscape : public testing::TestWithParam<EscapeCase> {};

TEST_P(JsonEscape, GivesTheLiteral) {
    EXPECT_EQ(Json(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Table, JsonEscape,
    testing::Values(EscapeCase{"empty", "", R"("")"}, EscapeCase{"plain", "Mary", R"("Mary")"},
                    EscapeCase{"quote", "Jo\"e", R"("Jo\"e")"},
                    EscapeCase{"backslash", "Ma\\ry", R"("Ma\\ry")"},
                    EscapeCase{"slash_stays", "a/b", R"("a/b")"},
                    EscapeCase{"tab", "Ma\try", R"("Ma\try")"},
                    EscapeCase{"paragraphs", "one\r\n\r\ntwo", R"("one\r\n\r\ntwo")"},
                    EscapeCase{"backspace_formfeed", "\b\f", R"("\b\f")"},
                    EscapeCase{"nul", std::string("a\0b", 3), R"("a\u0000b")"},
                    EscapeCase{"soh", "\x01", R"("\u0001")"},
                    EscapeCase{"escape", "\x1b[31m", R"("\u001b[31m")"},
                    EscapeCase{"unit_separator", "\x1f", R"("\u001f")"},
                    EscapeCase{"delete", "\x7f", R"("\u007f")"},
                    EscapeCase{"c1_control", "\xC2\x85", R"("\u0085")"},
                    EscapeCase{"c1_last", "\xC2\x9F", R"("\u009f")"},
                    EscapeCase{"latin1_stays", "\xC2\xA0Zo\xC3\xAB", "\"\xC2\xA0Zo\xC3\xAB\""},
                    EscapeCase{"line_separator",
                               "a\xE2\x80\xA8"
                               "b",
                               R"("a\u2028b")"},
                    EscapeCase{"paragraph_separator", "\xE2\x80\xA9", R"("\u2029")"},
                    EscapeCase{"arrow_stays", "21 \xE2\x86\x92 3", "\"21 \xE2\x86\x92 3\""},
                    EscapeCase{"emoji_stays", "\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},
                    // A lead byte cut off at the end is copied, not read past.
                    EscapeCase{"cut_c2", "a\xC2", "\"a\xC2\""},
                    EscapeCase{"cut_e2", "a\xE2\x80", "\"a\xE2\x80\""}),
    [](const testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.label); });

// No byte below 0x20 may ever appear raw inside a JSON string.
TEST(JsonEscapeAll, NoRawControlCharacterSurvives) {
    std::string all;
    for (int c = 0; c < 0x80; ++c) {
        all.push_back(static_cast<char>(c));
    }
    const std::string json = Json(all);
    for (const char c : json) {
        EXPECT_GE(static_cast<unsigned char>(c), 0x20U);
        EXPECT_NE(static_cast<unsigned char>(c), 0x7FU);
    }
    // Quotes only at both ends, each inner one escaped.
    EXPECT_EQ(json.front(), '"');
    EXPECT_EQ(json.back(), '"');
    EXPECT_NE(json.find(R"(\")"), std::string::npos);
}

TEST(JsonEscapeAll, AppendsToWhatIsThere) {
    std::string out = "{\"Name\":";
    AppendJsonString("A", out);
    EXPECT_EQ(out, R"({"Name":"A")");
}

} // namespace
} // namespace kindrell::cli
