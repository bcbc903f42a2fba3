#include "engine/name_number.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kindrell {
namespace {

// Names in failure messages: ASCII as it is, anything else as U+XXXX.
std::string Narrow(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            out.push_back(static_cast<char>(unit));
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "U+";
            for (int shift = 12; shift >= 0; shift -= 4) {
                out.push_back(kHex[(unit >> shift) & 0xF]);
            }
        }
    }
    return out;
}

// An independent model of the letter values, written from the nine groups.
int ModelValue(char16_t unit) {
    static constexpr std::u16string_view kGroups[] = {u"AJS", u"BKT", u"CLU", u"DMV", u"ENW",
                                                      u"FOX", u"GPY", u"HQZ", u"IR"};
    const char16_t capital =
        (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
    for (int i = 0; i < 9; ++i) {
        if (kGroups[i].find(capital) != std::u16string_view::npos) {
            return i + 1;
        }
    }
    return 0;
}

int ModelLetterSum(std::u16string_view name) {
    int sum = 0;
    for (const char16_t unit : name) {
        const int value = ModelValue(unit);
        if (sum + value <= 32767) {
            sum += value;
        }
    }
    return sum;
}

int ModelNumber(int letterSum) {
    return letterSum == 0 ? 0 : 1 + (letterSum - 1) % 9;
}

// A name of capitals whose letter sum is exactly `sum` (no limit involved for
// sums up to 32767): as many I (9) as fit, then the letter worth the rest.
std::u16string NameWithLetterSum(int sum) {
    std::u16string name(static_cast<std::size_t>(sum / 9), u'I');
    constexpr std::u16string_view kByValue = u"_ABCDEFGH";
    if (sum % 9 != 0) {
        name.push_back(kByValue[static_cast<std::size_t>(sum % 9)]);
    }
    return name;
}

struct WorkedExample {
    std::u16string Name;
    int LetterSum;
    DestinyNumber Number;
};

void PrintTo(const WorkedExample& e, std::ostream* os) {
    *os << '"' << Narrow(e.Name) << '"';
}

class WorkedExamples : public testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, GiveTheirLetterSumAndNumber) {
    const WorkedExample& example = GetParam();
    EXPECT_EQ(GetDestinyNumber(example.Name), example.Number);
    const DestinyWorking working = ExplainDestinyNumber(example.Name);
    EXPECT_EQ(working.LetterSum, example.LetterSum);
    EXPECT_EQ(working.Number, example.Number);
}

INSTANTIATE_TEST_SUITE_P(
    NameNumber, WorkedExamples,
    testing::Values(WorkedExample{u"", 0, 0}, WorkedExample{u"A", 1, 1},
                    WorkedExample{u"KI", 11, 2}, WorkedExample{u"John", 20, 2},
                    WorkedExample{u"Mary", 21, 3}, WorkedExample{u"David", 22, 4},
                    WorkedExample{u"R2D2", 13, 4}, WorkedExample{u"Christopher", 67, 4},
                    WorkedExample{u"Zoe", 19, 1}, WorkedExample{u"Susan", 11, 2},
                    WorkedExample{u"Ramesh", 28, 1}));

struct ReductionCase {
    int LetterSum;
    std::vector<std::int16_t> Steps; // every digit sum in turn
};

void PrintTo(const ReductionCase& c, std::ostream* os) {
    *os << "letter sum " << c.LetterSum;
}

class Reduction : public testing::TestWithParam<ReductionCase> {};

TEST_P(Reduction, RunsDownToOneDigitWithoutMasterNumbers) {
    const ReductionCase& c = GetParam();
    const std::u16string name = NameWithLetterSum(c.LetterSum);
    const DestinyWorking working = ExplainDestinyNumber(name);
    ASSERT_EQ(working.LetterSum, c.LetterSum);
    EXPECT_EQ(working.Reductions, c.Steps);
    const DestinyNumber expected =
        c.Steps.empty() ? static_cast<DestinyNumber>(c.LetterSum) : c.Steps.back();
    EXPECT_EQ(working.Number, expected);
    EXPECT_EQ(GetDestinyNumber(name), expected);
}

INSTANTIATE_TEST_SUITE_P(NameNumber, Reduction,
                         testing::Values(ReductionCase{0, {}}, ReductionCase{7, {}},
                                         ReductionCase{9, {}}, ReductionCase{10, {1}},
                                         ReductionCase{11, {2}}, ReductionCase{22, {4}},
                                         ReductionCase{29, {11, 2}}, ReductionCase{58, {13, 4}},
                                         ReductionCase{67, {13, 4}}, ReductionCase{99, {18, 9}},
                                         ReductionCase{199, {19, 10, 1}},
                                         ReductionCase{9999, {36, 9}},
                                         ReductionCase{32767, {25, 7}}));

TEST(NameNumber, EveryReachableLetterSumReducesLikeTheNinesRule) {
    for (int sum = 0; sum <= 32767; ++sum) {
        const std::u16string name = NameWithLetterSum(sum);
        const DestinyNumber number = GetDestinyNumber(name);
        ASSERT_EQ(number, ModelNumber(sum)) << "letter sum " << sum;
        ASSERT_GE(number, 0);
        ASSERT_LE(number, 9);
    }
}

// Each group holds spellings that must count alike.
class Invariance : public testing::TestWithParam<std::vector<std::u16string>> {};

TEST_P(Invariance, SpellingsCountAlike) {
    const std::vector<std::u16string>& names = GetParam();
    const DestinyWorking first = ExplainDestinyNumber(names.front());
    for (const std::u16string& name : names) {
        EXPECT_EQ(ExplainDestinyNumber(name).LetterSum, first.LetterSum);
        EXPECT_EQ(GetDestinyNumber(name), first.Number);
    }
}

INSTANTIATE_TEST_SUITE_P(
    NameNumber, Invariance,
    testing::Values(std::vector<std::u16string>{u"mary", u"Mary", u"MARY", u"mArY"},
                    std::vector<std::u16string>{u"Anne-Marie O'Neil", u"AnneMarieONeil",
                                                u"anne marie oneil", u"ANNE.MARIE,O\u2019NEIL"},
                    std::vector<std::u16string>{u"R2D2", u"RD", u"r 2 d 2", u"R-2-D-2!"},
                    std::vector<std::u16string>{u"abcdefghijklmnopqrstuvwxyz",
                                                u"ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                                                u"a\tb\rc\nd0e1f2g3h4i5j6k7l8m9n o_p(q)r[s]t{u}v"
                                                u"<w>x/y\\z"}));

TEST(NameNumber, TextsWithoutLettersGiveZero) {
    for (const std::u16string_view name :
         {u"", u" ", u"     ", u"\t\r\n", u"2024", u"-'.,!?", u"0123456789 @#$%^&*()"}) {
        EXPECT_EQ(GetDestinyNumber(name), 0);
        EXPECT_TRUE(ExplainDestinyNumber(name).Letters.empty());
    }
}

// Letters outside A to Z add nothing, including those the platform would
// upper-case to a Latin capital and those whose low byte is an ASCII letter.
class NonAsciiUnit : public testing::TestWithParam<char16_t> {};

TEST_P(NonAsciiUnit, AddsNothing) {
    const char16_t unit = GetParam();
    const std::u16string alone(1, unit);
    EXPECT_EQ(GetDestinyNumber(alone), 0);
    EXPECT_EQ(GetDestinyNumber(u"Zo" + alone), GetDestinyNumber(u"Zo"));
    EXPECT_EQ(ExplainDestinyNumber(u"A" + alone + u"B").LetterSum, 3);
    // The long path too.
    const std::u16string longName = std::u16string(5000, unit) + u"KI";
    EXPECT_EQ(ExplainDestinyNumber(longName).LetterSum, 11);
    EXPECT_EQ(GetDestinyNumber(longName), 2);
}

INSTANTIATE_TEST_SUITE_P(NameNumber, NonAsciiUnit,
                         testing::Values(u'\u00E9',        // e acute
                                         u'\u00C9',        // E acute
                                         u'\u00C1',        // A acute: low seven bits are 'A'
                                         u'\u00E1',        // a acute: low seven bits are 'a'
                                         u'\u0131',        // dotless i, upper-cases to I
                                         u'\u017F',        // long s, upper-cases to S
                                         u'\u0141',        // L stroke: low byte is 'A'
                                         u'\u0161',        // s caron: low byte is 'a'
                                         u'\u212A',        // Kelvin sign
                                         u'\uFF21',        // fullwidth A
                                         u'\uFF41',        // fullwidth a
                                         u'\u0410',        // Cyrillic A
                                         u'\u03B1',        // Greek alpha
                                         char16_t{0xD835}, // lone high surrogate
                                         u'\uFFFF', u'\u0080', u'\u007F', u'\u0040', u'\u005B',
                                         u'\u0060', u'\u007B'));

TEST(NameNumber, ExplainListsEachLetterWithValuePositionAndCapital) {
    const DestinyWorking working = ExplainDestinyNumber(u"m-A ry");
    ASSERT_EQ(working.Letters.size(), 4U);
    const CountedLetter expected[] = {
        {u'M', 4, 0, true}, {u'A', 1, 2, true}, {u'R', 9, 4, true}, {u'Y', 7, 5, true}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(working.Letters[i].Letter, expected[i].Letter) << i;
        EXPECT_EQ(working.Letters[i].Value, expected[i].Value) << i;
        EXPECT_EQ(working.Letters[i].Position, expected[i].Position) << i;
        EXPECT_EQ(working.Letters[i].Added, expected[i].Added) << i;
    }
    EXPECT_EQ(working.LetterSum, 21);
    EXPECT_EQ(working.Reductions, (std::vector<std::int16_t>{3}));
    EXPECT_EQ(working.Number, 3);
}

// 3640 letters I make 32760, the most a name this long can reach.
std::u16string NearLimit() {
    return std::u16string(3640, u'I');
}

struct LimitCase {
    std::u16string Tail; // letters after the 32760
    int LetterSum;
    std::vector<bool> TailAdded;
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << "32760 then \"" << Narrow(c.Tail) << '"';
}

class LetterSumLimit : public testing::TestWithParam<LimitCase> {};

TEST_P(LetterSumLimit, LettersPastTheLimitAddNothingAndLaterOnesStillCount) {
    const LimitCase& c = GetParam();
    const std::u16string name = NearLimit() + c.Tail;
    EXPECT_EQ(GetDestinyNumber(name), ModelNumber(c.LetterSum));
    const DestinyWorking working = ExplainDestinyNumber(name);
    EXPECT_EQ(working.LetterSum, c.LetterSum);
    EXPECT_EQ(working.Number, ModelNumber(c.LetterSum));
    ASSERT_EQ(working.Letters.size(), 3640 + c.Tail.size());
    for (std::size_t i = 0; i < c.Tail.size(); ++i) {
        const CountedLetter& letter = working.Letters[3640 + i];
        EXPECT_EQ(letter.Added, c.TailAdded[i]) << "tail letter " << i;
        EXPECT_EQ(letter.Position, 3640 + i);
    }
}

INSTANTIATE_TEST_SUITE_P(
    NameNumber, LetterSumLimit,
    testing::Values(LimitCase{u"", 32760, {}}, LimitCase{u"I", 32760, {false}},
                    LimitCase{u"H", 32760, {false}}, LimitCase{u"A", 32761, {true}},
                    LimitCase{u"IA", 32761, {false, true}}, LimitCase{u"G", 32767, {true}},
                    LimitCase{u"GA", 32767, {true, false}},
                    LimitCase{u"RHGA", 32767, {false, false, true, false}},
                    LimitCase{
                        u"AAAAAAAA", 32767, {true, true, true, true, true, true, true, false}},
                    LimitCase{u"iiDcZ", 32767, {false, false, true, true, false}}));

TEST(NameNumber, LimitHoldsWherePunctuationAndLowerCaseSitBetween) {
    std::u16string name;
    for (int i = 0; i < 3640; ++i) {
        name += u"i-";
    }
    name += u" r. a";
    EXPECT_EQ(ExplainDestinyNumber(name).LetterSum, 32761);
    EXPECT_EQ(GetDestinyNumber(name), 1);
}

// GetDestinyNumber takes a quick route for short names and a careful one for
// long ones; both must agree with the plain walk everywhere, above all around
// the length where the routes change and where the sum meets the limit.
TEST(NameNumber, QuickAndCarefulRoutesAgreeWithThePlainWalk) {
    std::mt19937 random(20240611U);
    const std::u16string alphabet = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                    u"IIIIRRRRiiiirrrr  --''0123456789\u00E9\u00C1\u0131\u017F"
                                    u"\uFF21\u0141";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::vector<std::size_t> lengths = {0, 1, 5, 50, 3639, 3640, 3641, 3642, 3700, 4000, 32767};
    for (std::size_t length = 3600; length <= 3700; length += 7) {
        lengths.push_back(length);
    }
    for (std::size_t length = 4000; length <= 32767; length += 2347) {
        lengths.push_back(length);
    }
    lengths.push_back(40000); // beyond the data model, still walked safely
    for (const std::size_t length : lengths) {
        for (int round = 0; round < 4; ++round) {
            std::u16string name(length, u' ');
            for (char16_t& unit : name) {
                unit = alphabet[pick(random)];
            }
            const int sum = ModelLetterSum(name);
            ASSERT_EQ(GetDestinyNumber(name), ModelNumber(sum)) << "length " << length;
            const DestinyWorking working = ExplainDestinyNumber(name);
            ASSERT_EQ(working.LetterSum, sum) << "length " << length;
            ASSERT_EQ(working.Number, GetDestinyNumber(name)) << "length " << length;
        }
    }
}

TEST(NameNumber, CarefulRouteHandlesLongStretchesWithoutLetters) {
    // The limit is met at many different offsets after long letterless runs.
    for (std::size_t gap = 0; gap < 30000; gap += 997) {
        for (const std::u16string_view letters : {u"I", u"R", u"A", u"Z", u"Ga"}) {
            std::u16string name(gap, u'.');
            while (name.size() < 32767) {
                name += letters;
            }
            name.resize(32767);
            const int sum = ModelLetterSum(name);
            ASSERT_EQ(GetDestinyNumber(name), ModelNumber(sum)) << "gap " << gap;
            ASSERT_EQ(ExplainDestinyNumber(name).LetterSum, sum) << "gap " << gap;
        }
    }
}

struct FormatCase {
    std::u16string Name;
    std::u16string Text;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << '"' << Narrow(c.Name) << '"';
}

class Working : public testing::TestWithParam<FormatCase> {};

TEST_P(Working, FormatsAsOneLine) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatWorking(ExplainDestinyNumber(c.Name)), c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    NameNumber, Working,
    testing::Values(FormatCase{u"Mary", u"M 4 + A 1 + R 9 + Y 7 = 21 \u2192 3"},
                    FormatCase{u"Christopher", u"C 3 + H 8 + R 9 + I 9 + S 1 + T 2 + O 6 + P 7 + "
                                               u"H 8 + E 5 + R 9 = 67 \u2192 13 \u2192 4"},
                    FormatCase{u"A", u"A 1 = 1"}, FormatCase{u"ki", u"K 2 + I 9 = 11 \u2192 2"},
                    FormatCase{u"R2D2", u"R 9 + D 4 = 13 \u2192 4"},
                    FormatCase{u"", u"no letters A to Z = 0"},
                    FormatCase{u"\u00E9 42 !", u"no letters A to Z = 0"}));

TEST(Working, ShowsALetterPastTheLimitAsNotAdded) {
    const std::u16string text = FormatWorking(ExplainDestinyNumber(NearLimit() + u"IA"));
    const std::u16string_view expectedEnd =
        u"+ I 9 + I 9 (not added) + A 1 = 32761 \u2192 19 \u2192 10 \u2192 1";
    ASSERT_GE(text.size(), expectedEnd.size());
    EXPECT_EQ(std::u16string_view(text).substr(text.size() - expectedEnd.size()), expectedEnd);
    EXPECT_EQ(text.find(u"(not added)"), text.rfind(u"(not added)"));
}

} // namespace
} // namespace kindrell
