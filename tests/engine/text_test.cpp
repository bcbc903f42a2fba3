// The engine's own number formatting, which every caption and working shows.

#include "engine/text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace kindrell {
namespace {

TEST(DecimalText, WritesEveryLongLongPlainly) {
    EXPECT_EQ(DecimalText(0), u"0");
    EXPECT_EQ(DecimalText(7), u"7");
    EXPECT_EQ(DecimalText(10), u"10");
    EXPECT_EQ(DecimalText(32760), u"32760");
    EXPECT_EQ(DecimalText(-1), u"-1");
    EXPECT_EQ(DecimalText(-900), u"-900");
    EXPECT_EQ(DecimalText(LLONG_MAX), u"9223372036854775807");
    // Its magnitude has no long long of its own.
    EXPECT_EQ(DecimalText(LLONG_MIN), u"-9223372036854775808");
}

} // namespace
} // namespace kindrell
