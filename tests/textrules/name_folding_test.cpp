// Names as people write them: each row of the shared table weighed by the
// text library, the letters, number, working and what counts nothing; the
// number alone, as lists are weighed, agrees.

#include "tests/support/folding_cases.h"
#include "textrules/name_folding.h"

#include <gtest/gtest.h>

#include <string>

namespace kindrell::text {
namespace {

using testing_support::FoldingCase;

class NameFolding : public testing::TestWithParam<FoldingCase> {};

TEST_P(NameFolding, WeighsTheNameAsWritten) {
    const FoldingCase& row = GetParam();
    const WeighedName name = WeighName(QString::fromStdString(row.written));
    EXPECT_EQ(name.letters.toStdString(), row.letters);
    EXPECT_EQ(name.number, row.number);
    EXPECT_EQ(name.working.toStdString(), row.working);
    EXPECT_EQ(UncountedText(name.uncounted).toStdString(), row.uncounted);
    QStringList uncounted;
    EXPECT_EQ(FoldedNumber(name.written, &uncounted), row.number);
    EXPECT_EQ(uncounted, name.uncounted);
}

INSTANTIATE_TEST_SUITE_P(Table, NameFolding, testing::ValuesIn(testing_support::FoldingCases()),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace kindrell::text
