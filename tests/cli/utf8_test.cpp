#include "cli/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace kindrell::cli {
namespace {

struct ValidCase {
    const char* label;
    std::string bytes;
    std::u16string units;
};

// Names the row in failure messages instead of dumping its bytes.
[[maybe_unused]] void PrintTo(const ValidCase& row, std::ostream* os) {
    *os << row.label;
}

class DecodeValid : public testing::TestWithParam<ValidCase> {};

TEST_P(DecodeValid, GivesTheCodeUnits) {
    std::u16string out = u"left over from before";
    ASSERT_TRUE(DecodeUtf8(GetParam().bytes, out));
    EXPECT_EQ(out, GetParam().units);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeValid,
    testing::Values(ValidCase{"empty", "", u""}, ValidCase{"ascii", "Mary", u"Mary"},
                    ValidCase{"nul", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
                    ValidCase{"long_ascii_run", "Christopher Columbus", u"Christopher Columbus"},
                    ValidCase{"two_byte_lowest", "\xC2\x80", u"\u0080"},
                    ValidCase{"two_byte_e_acute", "Jos\xC3\xA9", u"Jos\u00E9"},
                    ValidCase{"two_byte_highest", "\xDF\xBF", u"\u07FF"},
                    ValidCase{"three_byte_lowest", "\xE0\xA0\x80", u"\u0800"},
                    ValidCase{"euro", "\xE2\x82\xAC", u"\u20AC"},
                    ValidCase{"before_surrogates", "\xED\x9F\xBF", u"\uD7FF"},
                    ValidCase{"after_surrogates", "\xEE\x80\x80", u"\uE000"},
                    ValidCase{"bom", "\xEF\xBB\xBF", u"\uFEFF"},
                    ValidCase{"three_byte_highest", "\xEF\xBF\xBF", u"\uFFFF"},
                    ValidCase{"four_byte_lowest", "\xF0\x90\x80\x80", u"\U00010000"},
                    ValidCase{"emoji", "\xF0\x9F\x98\x80", u"\U0001F600"},
                    ValidCase{"highest", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
                    // Non-ASCII right after a run of eight ASCII bytes, and at its end.
                    ValidCase{"mixed_after_run", "abcdefgh\xC3\xA9ijklmnop\xE2\x82\xAC",
                              u"abcdefgh\u00E9ijklmnop\u20AC"}),
    [](const testing::TestParamInfo<ValidCase>& info) { return std::string(info.param.label); });

struct InvalidCase {
    const char* label;
    std::string bytes;
};

// Names the row in failure messages instead of dumping its bytes.
[[maybe_unused]] void PrintTo(const InvalidCase& row, std::ostream* os) {
    *os << row.label;
}

class DecodeInvalid : public testing::TestWithParam<InvalidCase> {};

TEST_P(DecodeInvalid, IsRefused) {
    std::u16string out;
    EXPECT_FALSE(DecodeUtf8(GetParam().bytes, out));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeInvalid,
    testing::Values(
        InvalidCase{"lone_continuation", "\x80"},
        InvalidCase{"continuation_after_ascii_run", "abcdefgh\xBF"},
        InvalidCase{"overlong_slash_c0", "\xC0\xAF"}, InvalidCase{"overlong_nul_c0", "\xC0\x80"},
        InvalidCase{"overlong_c1", "\xC1\xBF"}, InvalidCase{"overlong_three_byte", "\xE0\x80\xAF"},
        InvalidCase{"overlong_three_byte_top", "\xE0\x9F\xBF"},
        InvalidCase{"overlong_four_byte", "\xF0\x80\x80\xAF"},
        InvalidCase{"overlong_four_byte_top", "\xF0\x8F\xBF\xBF"},
        InvalidCase{"high_surrogate", "\xED\xA0\x80"}, InvalidCase{"low_surrogate", "\xED\xBF\xBF"},
        InvalidCase{"surrogate_pair_as_cesu", "\xED\xA0\xBD\xED\xB8\x80"},
        InvalidCase{"above_max", "\xF4\x90\x80\x80"}, InvalidCase{"lead_f5", "\xF5\x80\x80\x80"},
        InvalidCase{"lead_f8_five_byte", "\xF8\x88\x80\x80\x80"}, InvalidCase{"lead_fe", "\xFE"},
        InvalidCase{"lead_ff", "\xFF"}, InvalidCase{"truncated_two", "Ma\xC3"},
        InvalidCase{"truncated_three", "\xE2\x82"}, InvalidCase{"truncated_four", "\xF0\x9F\x98"},
        InvalidCase{"ascii_instead_of_continuation", "\xC3\x41"},
        InvalidCase{"bad_second_of_three", "\xE2\x28\xA1"},
        InvalidCase{"bad_third_of_three", "\xE2\x82\x28"},
        InvalidCase{"bad_fourth_of_four", "\xF0\x9F\x98\x28"},
        InvalidCase{"lead_instead_of_continuation", "\xC3\xC3\xA9"}),
    [](const testing::TestParamInfo<InvalidCase>& info) { return std::string(info.param.label); });

// The well-formed byte sequences as the Unicode standard tabulates them
// (ranges of each byte by lead byte), written independently of the decoder.
bool WellFormed(const std::vector<unsigned>& b) {
    auto in = [](unsigned v, unsigned lo, unsigned hi) { return v >= lo && v <= hi; };
    if (b.size() == 1) {
        return b[0] <= 0x7F;
    }
    if (b.size() == 2) {
        return in(b[0], 0xC2, 0xDF) && in(b[1], 0x80, 0xBF);
    }
    if (b.size() == 3) {
        const bool second = (b[0] == 0xE0)                                   ? in(b[1], 0xA0, 0xBF)
                            : (b[0] == 0xED)                                 ? in(b[1], 0x80, 0x9F)
                            : (in(b[0], 0xE1, 0xEC) || in(b[0], 0xEE, 0xEF)) ? in(b[1], 0x80, 0xBF)
                                                                             : false;
        return second && in(b[2], 0x80, 0xBF);
    }
    const bool second = (b[0] == 0xF0)         ? in(b[1], 0x90, 0xBF)
                        : (b[0] == 0xF4)       ? in(b[1], 0x80, 0x8F)
                        : in(b[0], 0xF1, 0xF3) ? in(b[1], 0x80, 0xBF)
                                               : false;
    return second && in(b[2], 0x80, 0xBF) && in(b[3], 0x80, 0xBF);
}

std::string Bytes(const std::vector<unsigned>& b) {
    std::string s;
    for (const unsigned v : b) {
        s.push_back(static_cast<char>(v));
    }
    return s;
}

// A sequence that is one well-formed character must decode; anything else
// of that length is either refused or decodes to several characters, which
// can only happen when its first byte is ASCII.
TEST(DecodeUtf8Exhaustive, OneAndTwoBytes) {
    std::u16string out;
    for (unsigned a = 0; a < 256; ++a) {
        EXPECT_EQ(DecodeUtf8(Bytes({a}), out), WellFormed({a})) << a;
        for (unsigned b = 0; b < 256; ++b) {
            const bool expected = WellFormed({a, b}) || (a < 0x80 && b < 0x80);
            EXPECT_EQ(DecodeUtf8(Bytes({a, b}), out), expected) << a << ' ' << b;
        }
    }
}

TEST(DecodeUtf8Exhaustive, ThreeByteLeads) {
    std::u16string out;
    int mismatches = 0;
    for (unsigned a = 0xE0; a <= 0xEF; ++a) {
        for (unsigned b = 0; b < 256; ++b) {
            for (unsigned c = 0; c < 256; ++c) {
                if (DecodeUtf8(Bytes({a, b, c}), out) != WellFormed({a, b, c})) {
                    ++mismatches;
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(DecodeUtf8Exhaustive, FourByteLeads) {
    std::u16string out;
    const std::vector<unsigned> edges{0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90,
                                      0x9F, 0xA0, 0xBF, 0xC0, 0xFF};
    int mismatches = 0;
    for (unsigned a = 0xF0; a <= 0xFF; ++a) {
        for (unsigned b = 0; b < 256; ++b) {
            for (const unsigned c : edges) {
                for (const unsigned d : edges) {
                    if (DecodeUtf8(Bytes({a, b, c, d}), out) != WellFormed({a, b, c, d})) {
                        ++mismatches;
                    }
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Every scalar value survives UTF-16 -> UTF-8 -> UTF-16, and its UTF-8 form
// has the length the standard gives for its range.
TEST(Utf8RoundTrip, EveryScalarValue) {
    std::u16string units;
    std::u16string back;
    int failures = 0;
    for (std::uint32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            continue;
        }
        units.clear();
        if (cp < 0x10000) {
            units.push_back(static_cast<char16_t>(cp));
        } else {
            units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        }
        const std::string utf8 = ToUtf8(units);
        const std::size_t expectedLength = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
        if (utf8.size() != expectedLength || !DecodeUtf8(utf8, back) || back != units) {
            ++failures;
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(Utf8Encode, KnownForms) {
    EXPECT_EQ(ToUtf8(u"Zo\u00EB \u2192 \U0001F600"), "Zo\xC3\xAB \xE2\x86\x92 \xF0\x9F\x98\x80");
}

TEST(Utf8Encode, LoneSurrogatesBecomeReplacementCharacter) {
    EXPECT_EQ(ToUtf8(std::u16string{u'a', 0xD800, u'b'}), "a\xEF\xBF\xBD"
                                                          "b");
    EXPECT_EQ(ToUtf8(std::u16string{0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf8(std::u16string{u'x', 0xDBFF}), "x\xEF\xBF\xBD");
}

} // namespace
} // namespace kindrell::cli
