#include "engine/reading.h"

#include "engine/descriptions.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kindrell {
namespace {

struct WorkedReading {
    std::u16string Child;
    std::u16string Father;
    std::u16string Mother;
    DestinyNumber ChildNumber;
    DestinyNumber MotherNumber;
    DestinyNumber FatherNumber;
    CompatibilityVerdict Verdict;
    std::u16string_view MotherLine;
    std::u16string_view FatherLine;
};

constexpr std::u16string_view kMotherH = u"Compatibility with Mother: Harmonious";
constexpr std::u16string_view kFatherH = u"Compatibility with Father: Harmonious";
constexpr std::u16string_view kMotherNot = u"Compatibility with Mother: Not Harmonious";
constexpr std::u16string_view kFatherNot = u"Compatibility with Father: Not Harmonious";
constexpr std::u16string_view kMotherNone = u"Compatibility with Mother: Not Harmonious At All";
constexpr std::u16string_view kFatherNone = u"Compatibility with Father: Not Harmonious At All";

std::string Narrow(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return out;
}

void PrintTo(const WorkedReading& w, std::ostream* os) {
    *os << "child \"" << Narrow(w.Child) << "\", father \"" << Narrow(w.Father) << "\", mother \""
        << Narrow(w.Mother) << '"';
}

class Readings : public testing::TestWithParam<WorkedReading> {};

TEST_P(Readings, ComposeNumbersVerdictCaptionsLinesAndDescriptions) {
    const WorkedReading& w = GetParam();
    const Reading r = ComposeReading(w.Child, w.Father, w.Mother);
    EXPECT_EQ(r.ChildNumber, w.ChildNumber);
    EXPECT_EQ(r.MotherNumber, w.MotherNumber);
    EXPECT_EQ(r.FatherNumber, w.FatherNumber);
    EXPECT_EQ(r.Verdict, w.Verdict);
    EXPECT_EQ(r.ChildDestinyCaption, u"Child Destiny: " + std::u16string(1, u'0' + w.ChildNumber));
    EXPECT_EQ(r.MotherDestinyCaption,
              u"Mother Destiny: " + std::u16string(1, u'0' + w.MotherNumber));
    EXPECT_EQ(r.FatherDestinyCaption,
              u"Father Destiny: " + std::u16string(1, u'0' + w.FatherNumber));
    EXPECT_EQ(r.MotherVerdictLine, w.MotherLine);
    EXPECT_EQ(r.FatherVerdictLine, w.FatherLine);
    EXPECT_EQ(r.ChildDescription, GetDestinyDescription(w.ChildNumber));
    EXPECT_EQ(r.MotherDescription, GetDestinyDescription(w.MotherNumber));
    EXPECT_EQ(r.FatherDescription, GetDestinyDescription(w.FatherNumber));
}

INSTANTIATE_TEST_SUITE_P(
    Reading, Readings,
    testing::Values(
        WorkedReading{u"Mary", u"John", u"Zoe", 3, 1, 2, CompatibilityVerdict::Harmonious, kMotherH,
                      kFatherH},
        WorkedReading{u"Mia", u"John", u"Zoe", 5, 1, 2, CompatibilityVerdict::HarmoniousWithParent1,
                      kMotherH, kFatherNot},
        WorkedReading{u"Ava", u"John", u"Zoe", 6, 1, 2, CompatibilityVerdict::HarmoniousWithParent2,
                      kMotherNot, kFatherH},
        WorkedReading{u"Mary", u"Ramesh", u"Susan", 3, 2, 1,
                      CompatibilityVerdict::NotHarmoniousAtAll, kMotherNone, kFatherNone},
        // Parents swapped: key "21" has no row.
        WorkedReading{u"Mary", u"Zoe", u"John", 3, 2, 1, CompatibilityVerdict::NotHarmoniousAtAll,
                      kMotherNone, kFatherNone},
        // Three different numbers, mother 4 and father 5: row "45", column 7.
        WorkedReading{u"Jo", u"Mia", u"David", 7, 4, 5, CompatibilityVerdict::Harmonious, kMotherH,
                      kFatherH},
        // Mother 6 and father 9 with a child of 0: the last column of "69".
        WorkedReading{u"2024", u"Ir", u"Ava", 0, 6, 9, CompatibilityVerdict::Harmonious, kMotherH,
                      kFatherH},
        // Names without letters: 0 everywhere.
        WorkedReading{u"", u"  ", u"42", 0, 0, 0, CompatibilityVerdict::NotHarmoniousAtAll,
                      kMotherNone, kFatherNone}));

TEST(Reading, CaptionsOfZeroEndInTheDigitAndTheDescriptionIsEmpty) {
    const Reading r = ComposeReading(u"1234", u"Mia", u"'-.");
    EXPECT_EQ(r.ChildDestinyCaption, u"Child Destiny: 0");
    EXPECT_EQ(r.MotherDestinyCaption, u"Mother Destiny: 0");
    EXPECT_EQ(r.FatherDestinyCaption, u"Father Destiny: 5");
    EXPECT_TRUE(r.ChildDescription.empty());
    EXPECT_TRUE(r.MotherDescription.empty());
    EXPECT_FALSE(r.FatherDescription.empty());
    EXPECT_EQ(r.Verdict, CompatibilityVerdict::NotHarmoniousAtAll);
}

TEST(Reading, EachDescriptionBelongsToItsOwnNumber) {
    // Child 7, mother 4, father 5.
    const Reading r = ComposeReading(u"Jo", u"Mia", u"David");
    EXPECT_FALSE(r.ChildDescription.empty());
    EXPECT_FALSE(r.MotherDescription.empty());
    EXPECT_FALSE(r.FatherDescription.empty());
    EXPECT_NE(r.ChildDescription, r.MotherDescription);
    EXPECT_NE(r.ChildDescription, r.FatherDescription);
    EXPECT_NE(r.MotherDescription, r.FatherDescription);
}

// Every group holds the same three names spelled in ways that count alike.
class SpellingInvariance
    : public testing::TestWithParam<std::vector<std::array<std::u16string, 3>>> {};

TEST_P(SpellingInvariance, GivesIdenticalReadings) {
    const auto& spellings = GetParam();
    const Reading first = ComposeReading(spellings[0][0], spellings[0][1], spellings[0][2]);
    for (const auto& names : spellings) {
        EXPECT_EQ(ComposeReading(names[0], names[1], names[2]), first);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reading, SpellingInvariance,
    testing::Values(std::vector<std::array<std::u16string, 3>>{{u"Mary", u"John", u"Zoe"},
                                                               {u"  MARY  ", u" john", u"zoe "},
                                                               {u"M-a-r-y", u"Jo2hn", u"Zo\u00E9e"},
                                                               {u"\tmary\r\n", u"J.O.H.N.",
                                                                u"Z'o'e"}},
                    std::vector<std::array<std::u16string, 3>>{
                        {u"Anne-Marie O'Neil", u"Christopher", u"Susan"},
                        {u"AnneMarieONeil", u"CHRIS TOPHER", u"s u s a n"}}));

} // namespace
} // namespace kindrell
