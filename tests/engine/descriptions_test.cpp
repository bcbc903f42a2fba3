#include "engine/descriptions.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kindrell {
namespace {

// What every paragraph of a description must look like: the words it opens with and its exact
// length in UTF-16 code units.
struct ExpectedPiece {
    std::u16string_view opening;
    std::size_t length;
};

struct ExpectedDescription {
    std::int16_t number;
    std::vector<ExpectedPiece> pieces;
    std::size_t totalLength;
};

void PrintTo(const ExpectedDescription& expected, std::ostream* os) {
    *os << "destiny " << expected.number;
}

const std::vector<ExpectedDescription>& ExpectedDescriptions() {
    static const std::vector<ExpectedDescription> table{
        {1,
         {{u"This tells you are a leader.", 389},
          {u"The negative trait of this number includes one becoming egotistic and developing a "
           u"self-centered approach to life.",
           187}},
         580},
        {2,
         {{u"This number gives you good people managing skills.", 475},
          {u"The negative trait of this number is that you can be sensitive to certain issues and "
           u"be affected very easily.",
           242}},
         721},
        {3,
         {{u"This number indicates a strong creativity in your nature.", 454},
          {u"The negative trait of Destiny number 3 is unwanted display of show.", 269}},
         727},
        {4,
         {{u"You will have good management and organizational skills.", 648},
          {u"All with Destiny 4, and especially the master number 22/4, are potentially equipped "
           u"to handle",
           282},
          {u"The negative trait of 4 often produces arrogant and dominating individuals.", 396}},
         1334},
        {5,
         {{u"You are gifted with multiple talents.", 509},
          {u"The negative side of the number says that your restless and impatient attitude may "
           u"keep",
           265}},
         778},
        {6,
         {{u"Your goal of life is to have the right balance of love and responsibility.", 646},
          {u"The negative traits associated with this number, are stubbornness, arrogance and "
           u"feeling o superficial self-esteem.",
           258}},
         908},
        {7,
         {{u"You will be interested in analysis and the development of a mind skilled at "
           u"searching out the truth",
           622},
          {u"The negative trait of this number is that you do not trust people easily.", 310}},
         936},
        {8,
         {{u"You need to achieve material and financial comfort above all things.", 590},
          {u"A negative 8 can be very rigid and stubborn.", 135}},
         729},
        {9,
         {{u"Your prime focus will be in activities of compassion, and in worldly understanding.",
           378},
          {u"The negative traits of 9 Destiny can be selfishness and an egoistic attitude.", 179}},
         561},
    };
    return table;
}

std::vector<std::u16string> SplitParagraphs(const std::u16string& text) {
    std::vector<std::u16string> paragraphs;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(kParagraphSeparator, start);
        if (at == std::u16string::npos) {
            paragraphs.push_back(text.substr(start));
            return paragraphs;
        }
        paragraphs.push_back(text.substr(start, at - start));
        start = at + kParagraphSeparator.size();
    }
}

bool IsLineBreak(char16_t unit) {
    return unit == u'\r' || unit == u'\n';
}

bool IsLetter(char16_t unit) {
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}

char16_t Lower(char16_t unit) {
    return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

// True when "you" or "your" stands as a whole word, in any case.
bool AddressesTheReader(std::u16string_view text) {
    std::u16string word;
    const auto isReaderWord = [&word] { return word == u"you" || word == u"your"; };
    for (const char16_t unit : text) {
        if (IsLetter(unit)) {
            word += Lower(unit);
            continue;
        }
        if (isReaderWord()) {
            return true;
        }
        word.clear();
    }
    return isReaderWord();
}

class DestinyDescriptionTest : public ::testing::TestWithParam<ExpectedDescription> {};

TEST_P(DestinyDescriptionTest, HasTheExpectedWholeLength) {
    const ExpectedDescription& expected = GetParam();
    std::size_t sum = kParagraphSeparator.size() * (expected.pieces.size() - 1);
    for (const ExpectedPiece& piece : expected.pieces) {
        sum += piece.length;
    }
    ASSERT_EQ(sum, expected.totalLength) << "the expectations themselves disagree";

    EXPECT_EQ(GetDestinyDescription(expected.number).size(), expected.totalLength);
}

TEST_P(DestinyDescriptionTest, ParagraphsOpenAndMeasureAsTabled) {
    const ExpectedDescription& expected = GetParam();
    const std::vector<std::u16string> paragraphs =
        SplitParagraphs(GetDestinyDescription(expected.number));

    ASSERT_EQ(paragraphs.size(), expected.pieces.size());
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "paragraph " << i);
        const std::u16string& paragraph = paragraphs[i];
        EXPECT_TRUE(paragraph.starts_with(expected.pieces[i].opening));
        EXPECT_EQ(paragraph.size(), expected.pieces[i].length);
    }
}

TEST_P(DestinyDescriptionTest, LineBreaksOnlyInSeparators) {
    const ExpectedDescription& expected = GetParam();
    const std::u16string description = GetDestinyDescription(expected.number);
    ASSERT_FALSE(description.empty());
    EXPECT_FALSE(IsLineBreak(description.front()));
    EXPECT_FALSE(IsLineBreak(description.back()));

    for (const std::u16string& paragraph : SplitParagraphs(description)) {
        ASSERT_FALSE(paragraph.empty());
        for (const char16_t unit : paragraph) {
            ASSERT_FALSE(IsLineBreak(unit)) << "line break inside a paragraph";
        }
    }
}

TEST_P(DestinyDescriptionTest, ParagraphsArePrintableText) {
    const ExpectedDescription& expected = GetParam();
    for (const std::u16string& paragraph :
         SplitParagraphs(GetDestinyDescription(expected.number))) {
        for (std::size_t i = 0; i < paragraph.size(); ++i) {
            const char16_t unit = paragraph[i];
            ASSERT_TRUE(unit >= u' ' && unit <= u'~')
                << "code unit " << static_cast<unsigned>(unit) << " at " << i;
        }
    }
}

TEST_P(DestinyDescriptionTest, OnlyTheFirstPieceOfFourEndsInABlank) {
    const ExpectedDescription& expected = GetParam();
    const std::vector<std::u16string> paragraphs =
        SplitParagraphs(GetDestinyDescription(expected.number));
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "paragraph " << i);
        ASSERT_FALSE(paragraphs[i].empty());
        const bool endsInBlank = paragraphs[i].back() == u' ';
        EXPECT_EQ(endsInBlank, expected.number == 4 && i == 0);
        EXPECT_NE(paragraphs[i].front(), u' ');
    }
}

TEST_P(DestinyDescriptionTest, EveryParagraphAddressesTheReader) {
    const ExpectedDescription& expected = GetParam();
    const std::vector<std::u16string> paragraphs =
        SplitParagraphs(GetDestinyDescription(expected.number));
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        EXPECT_TRUE(AddressesTheReader(paragraphs[i])) << "paragraph " << i;
    }
}

TEST_P(DestinyDescriptionTest, SameTextOnEveryCall) {
    const ExpectedDescription& expected = GetParam();
    EXPECT_EQ(GetDestinyDescription(expected.number), GetDestinyDescription(expected.number));
}

INSTANTIATE_TEST_SUITE_P(OneToNine, DestinyDescriptionTest,
                         ::testing::ValuesIn(ExpectedDescriptions()),
                         [](const testing::TestParamInfo<ExpectedDescription>& info) {
                             return "Destiny" + std::to_string(info.param.number);
                         });

TEST(DestinyDescription, EachNumberHasItsOwnText) {
    for (std::int16_t a = 1; a <= 9; ++a) {
        for (std::int16_t b = static_cast<std::int16_t>(a + 1); b <= 9; ++b) {
            EXPECT_NE(GetDestinyDescription(a), GetDestinyDescription(b)) << a << " and " << b;
        }
    }
}

TEST(DestinyDescription, HelpersSeeWhatTheyShould) {
    EXPECT_TRUE(AddressesTheReader(u"Your way"));
    EXPECT_TRUE(AddressesTheReader(u"as you"));
    EXPECT_FALSE(AddressesTheReader(u"young yourself bayou"));
    const std::vector<std::u16string> parts = SplitParagraphs(u"a\r\n\r\nb c \r\n\r\nd");
    ASSERT_EQ(parts.size(), 3U);
    EXPECT_EQ(parts[1], u"b c ");
}

class NoDescriptionTest : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(NoDescriptionTest, GivesTheEmptyText) {
    EXPECT_EQ(GetDestinyDescription(GetParam()), u"");
}

// 11 and 22 reduce to 2 and 4 before they ever get here, so they have no text of their own.
INSTANTIATE_TEST_SUITE_P(OutsideOneToNine, NoDescriptionTest,
                         ::testing::Values(std::int16_t{0}, std::int16_t{-1}, std::int16_t{-4},
                                           std::int16_t{10}, std::int16_t{11}, std::int16_t{22},
                                           std::numeric_limits<std::int16_t>::min(),
                                           std::numeric_limits<std::int16_t>::max()));

} // namespace
} // namespace kindrell
