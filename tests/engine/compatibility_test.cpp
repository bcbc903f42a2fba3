#include "engine/compatibility.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kindrell {
namespace {

constexpr auto H = CompatibilityVerdict::Harmonious;
constexpr auto P1 = CompatibilityVerdict::HarmoniousWithParent1;
constexpr auto P2 = CompatibilityVerdict::HarmoniousWithParent2;
constexpr auto N = CompatibilityVerdict::NotHarmoniousAtAll;

struct Cell {
    std::int16_t Child;
    std::int16_t Mother;
    std::int16_t Father;
    CompatibilityVerdict Verdict;
};

void PrintTo(const Cell& c, std::ostream* os) {
    *os << "child " << c.Child << ", mother " << c.Mother << ", father " << c.Father;
}

class VerdictCell : public testing::TestWithParam<Cell> {};

TEST_P(VerdictCell, GivesTheTablesVerdict) {
    const Cell& c = GetParam();
    EXPECT_EQ(GetCompatibility(c.Child, c.Mother, c.Father), c.Verdict)
        << "child " << c.Child << ", mother " << c.Mother << ", father " << c.Father;
}

INSTANTIATE_TEST_SUITE_P(
    Compatibility, VerdictCell,
    testing::Values(
        // The edge cases of the verdict lookup.
        Cell{3, 1, 2, H}, Cell{1, 1, 2, P1}, Cell{2, 1, 2, P2}, Cell{3, 2, 1, N}, Cell{7, 4, 4, H},
        Cell{1, 4, 4, N}, Cell{2, 4, 4, H}, Cell{0, 6, 9, H}, Cell{0, 6, 7, P1}, Cell{0, 1, 1, N},
        // Other cells, first and last rows and columns among them.
        Cell{1, 1, 1, H}, Cell{9, 1, 1, H}, Cell{9, 1, 6, H}, Cell{7, 1, 4, H}, Cell{6, 1, 9, P2},
        Cell{9, 2, 6, P2}, Cell{0, 2, 5, P2}, Cell{9, 2, 7, N}, Cell{7, 2, 4, P2}, Cell{4, 3, 3, N},
        Cell{6, 3, 8, P1}, Cell{7, 3, 9, N}, Cell{7, 4, 5, H}, Cell{6, 4, 9, H}, Cell{0, 4, 9, P2},
        Cell{8, 5, 8, P2}, Cell{9, 6, 6, H}, Cell{9, 6, 7, P1}, Cell{9, 6, 8, P1}, Cell{3, 7, 7, N},
        Cell{3, 7, 9, P2}, Cell{0, 7, 9, P2}, Cell{8, 8, 8, H}, Cell{7, 8, 9, N}, Cell{6, 9, 9, H},
        Cell{7, 9, 9, N}, Cell{0, 9, 9, H}));

TEST(Compatibility, KeysWithoutARowGiveNotHarmoniousAtAllForEveryChild) {
    for (std::int16_t mother = 0; mother <= 9; ++mother) {
        for (std::int16_t father = 0; father <= 9; ++father) {
            if (mother <= father && mother != 0) {
                continue;
            }
            for (std::int16_t child = 0; child <= 9; ++child) {
                EXPECT_EQ(GetCompatibility(child, mother, father), N)
                    << "child " << child << ", mother " << mother << ", father " << father;
            }
        }
    }
}

TEST(Compatibility, TableHoldsTheFortyFiveOrderedKeysInLookupOrder) {
    std::vector<std::string> expected;
    for (char mother = '1'; mother <= '9'; ++mother) {
        for (char father = mother; father <= '9'; ++father) {
            expected.push_back({mother, father});
        }
    }
    ASSERT_EQ(expected.size(), 45U);
    std::vector<std::string> keys;
    for (const VerdictRow& row : VerdictTable()) {
        keys.emplace_back(row.Key);
    }
    EXPECT_EQ(keys, expected);
}

TEST(Compatibility, ChildNumbersPickTheirColumnAndAnyOtherTakesTheLast) {
    for (const VerdictRow& row : VerdictTable()) {
        const auto mother = static_cast<std::int16_t>(row.Key[0] - '0');
        const auto father = static_cast<std::int16_t>(row.Key[1] - '0');
        for (std::int16_t child = 1; child <= 9; ++child) {
            EXPECT_EQ(GetCompatibility(child, mother, father),
                      row.Verdicts[static_cast<std::size_t>(child - 1)])
                << row.Key << " child " << child;
        }
        for (const int child : {0, 10, 11, 99, -1, -9, 32767, -32768}) {
            EXPECT_EQ(GetCompatibility(static_cast<std::int16_t>(child), mother, father),
                      row.Verdicts[9])
                << row.Key << " child " << child;
        }
    }
}

// Parent numbers outside 0..9 never come from a name; if they arrive they
// must not pass for a real key, however their digits might line up.
TEST(Compatibility, ParentNumbersOutsideOneDigitMatchNoRow) {
    struct Parents {
        std::int16_t Mother;
        std::int16_t Father;
    };
    // 1 and 12 would be "22" by 10 * mother + father; 0 and 12 would be "12";
    // 1 and 10 make "110", 11 and 1 "111"; 2 and -3 would be "17".
    for (const Parents p : {Parents{1, 12}, Parents{0, 12}, Parents{1, 10}, Parents{11, 1},
                            Parents{2, -3}, Parents{-1, 5}, Parents{12, 3}, Parents{22, 0},
                            Parents{10, 10}, Parents{32767, 32767}, Parents{-32768, 9}}) {
        for (std::int16_t child = 0; child <= 9; ++child) {
            EXPECT_EQ(GetCompatibility(child, p.Mother, p.Father), N)
                << "child " << child << ", mother " << p.Mother << ", father " << p.Father;
        }
    }
}

struct Lines {
    CompatibilityVerdict Verdict;
    std::u16string_view Token;
    std::u16string_view Mother;
    std::u16string_view Father;
    std::u16string_view MotherWord;
    std::u16string_view FatherWord;
};

void PrintTo(const Lines& c, std::ostream* os) {
    *os << "verdict " << static_cast<int>(c.Verdict);
}

class VerdictText : public testing::TestWithParam<Lines> {};

TEST_P(VerdictText, TokenAndBothLinesAreExact) {
    const Lines& c = GetParam();
    EXPECT_EQ(TokenText(c.Verdict), c.Token);
    const VerdictLines lines = GetVerdictLines(c.Verdict);
    EXPECT_EQ(lines.MotherLine, c.Mother);
    EXPECT_EQ(lines.FatherLine, c.Father);
    const ParentVerdicts words = GetParentVerdicts(c.Verdict);
    EXPECT_EQ(words.Mother, c.MotherWord);
    EXPECT_EQ(words.Father, c.FatherWord);
    // "At All" belongs to the verdict of no harmony only, and then to both lines.
    const bool atAll = c.Verdict == N;
    EXPECT_EQ(lines.MotherLine.find(u"At All") != std::u16string::npos, atAll);
    EXPECT_EQ(lines.FatherLine.find(u"At All") != std::u16string::npos, atAll);
}

INSTANTIATE_TEST_SUITE_P(
    Compatibility, VerdictText,
    testing::Values(
        Lines{H, u"Harmonious", u"Compatibility with Mother: Harmonious",
              u"Compatibility with Father: Harmonious", u"Harmonious", u"Harmonious"},
        Lines{P1, u"Harmonious with parent 1", u"Compatibility with Mother: Harmonious",
              u"Compatibility with Father: Not Harmonious", u"Harmonious", u"Not Harmonious"},
        Lines{P2, u"Harmonious with parent 2", u"Compatibility with Mother: Not Harmonious",
              u"Compatibility with Father: Harmonious", u"Not Harmonious", u"Harmonious"},
        Lines{N, u"Not Harmonious At All", u"Compatibility with Mother: Not Harmonious At All",
              u"Compatibility with Father: Not Harmonious At All", u"Not Harmonious At All",
              u"Not Harmonious At All"}));

} // namespace
} // namespace kindrell
