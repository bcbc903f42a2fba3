#include "cli/run.h"

#include "cli_test_support.h"
#include "tests/support/folding_cases.h"
#include "tests/support/odd_lists.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace kindrell::cli {
namespace {

using testing_support::ContentOf;
using testing_support::File;
using testing_support::TempFileWith;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result RunWith(const std::vector<std::string>& args, std::string_view input = "") {
    std::vector<const char*> pointers;
    pointers.reserve(args.size());
    for (const std::string& arg : args) {
        pointers.push_back(arg.c_str());
    }
    const File in = TempFileWith(input);
    const File out(std::tmpfile());
    const File err(std::tmpfile());
    const int status =
        kindrell::cli::Run(pointers, fileno(in.get()), fileno(out.get()), fileno(err.get()));
    return {status, ContentOf(out.get()), ContentOf(err.get())};
}

struct RefusalCase {
    const char* label;
    std::vector<std::string> args;
    std::string err;
};

// Names the row in failure messages instead of dumping its bytes.
[[maybe_unused]] void PrintTo(const RefusalCase& row, std::ostream* os) {
    *os << row.label;
}

class NameRefusal : public testing::TestWithParam<RefusalCase> {};

// The first refused name in the order child, father, mother is the one
// told, alone, and nothing is written to standard output.
TEST_P(NameRefusal, TellsTheFirstAndStops) {
    const Result r = RunWith(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, GetParam().err);
    EXPECT_EQ(r.out, "");
}

const std::string kLong(32768, 'a');
const std::string kLongEmoji = [] {
    std::string s;
    for (int i = 0; i < 16384; ++i) {
        s += "\xF0\x9F\x98\x80"; // two code units each: 32768 in all
    }
    return s;
}();

INSTANTIATE_TEST_SUITE_P(
    Table, NameRefusal,
    testing::Values(
        RefusalCase{"all_blank", {"", "", ""}, "Please Enter Child's Name\n"},
        RefusalCase{"child_spaces", {"   ", "John", "Zoe"}, "Please Enter Child's Name\n"},
        RefusalCase{
            "father_spaces_mother_blank", {"Mary", "  ", ""}, "Please Enter Child's Father Name\n"},
        RefusalCase{"mother_blank", {"Mary", "John", ""}, "Please Enter Child's Mother Name\n"},
        RefusalCase{"mother_spaces_json",
                    {"--json", "Mary", "John", " "},
                    "Please Enter Child's Mother Name\n"},
        RefusalCase{"child_bad_utf8_before_blank_father",
                    {"Ma\xC3", "", ""},
                    "kindrell-reading: the child's name is not valid UTF-8\n"},
        RefusalCase{"blank_child_before_bad_father",
                    {"", "\xED\xA0\x80", ""},
                    "Please Enter Child's Name\n"},
        RefusalCase{"mother_overlong_utf8",
                    {"Mary", "John", "\xC0\xAF"},
                    "kindrell-reading: the mother's name is not valid UTF-8\n"},
        RefusalCase{"child_too_long",
                    {kLong, "John", "Zoe"},
                    "kindrell-reading: the child's name is longer than 32767 UTF-16 code units\n"},
        RefusalCase{"father_too_long_in_code_units",
                    {"Mary", kLongEmoji, "Zoe"},
                    "kindrell-reading: the father's name is longer than 32767 UTF-16 code "
                    "units\n"},
        RefusalCase{"shortlist_father_blank",
                    {"--father", " ", "--mother", ""},
                    "Please Enter Child's Father Name\n"},
        RefusalCase{"shortlist_mother_blank",
                    {"--father=John", "--mother="},
                    "Please Enter Child's Mother Name\n"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.label); });

TEST(RunProgram, LongestNameIsAccepted) {
    // 32767 letters a: letter sum 32767, 3+2+7+6+7 = 25, then 7.
    const Result r = RunWith({std::string(32767, 'a'), "John", "Zoe"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("Child Destiny: 7\n")) << r.out.substr(0, 40);
}

TEST(RunProgram, UsageErrorsGoToStandardErrorWithTheSynopsis) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"Mary", "John"},
                                                 {"--bogus", "Mary", "John", "Zoe"},
                                                 {"--father", "John"}}) {
        const Result r = RunWith(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.starts_with("kindrell-reading: ")) << r.err;
        EXPECT_NE(r.err.find("\nUsage: kindrell-reading "), std::string::npos) << r.err;
    }
}

TEST(RunProgram, ShortlistReadsStandardInputAndReportsSkippedLines) {
    const Result r = RunWith({"--father", "John", "--mother", "Zoe"}, "Mary\n\xFF\nAva\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Mary\t3\tHarmonious\nAva\t6\tHarmonious with parent 2\n");
    EXPECT_EQ(r.err, "kindrell-reading: line 2: not valid UTF-8, skipped\n");
}

TEST(RunProgram, MissingShortlistFileIsRefused) {
    const Result r =
        RunWith({"--father", "John", "--mother", "Zoe", "/nonexistent/kindrell/names.txt"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(
        r.err.starts_with("kindrell-reading: cannot open '/nonexistent/kindrell/names.txt'"))
        << r.err;
}

TEST(RunProgram, ChildWithoutLettersHasNoDescriptionLines) {
    const Result r = RunWith({"42", "John", "Zoe"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("Child Destiny: 0\n\nMother Destiny: 1\nThis tells you"))
        << r.out.substr(0, 60);
}

TEST(RunProgram, WriteFailureIsReported) {
    File full(std::fopen("/dev/full", "wb"));
    if (!full) {
        GTEST_SKIP() << "/dev/full is not available";
    }
    const File in = TempFileWith("Mary\n");
    for (const std::vector<const char*>& args : {std::vector<const char*>{"Mary", "John", "Zoe"},
                                                 {"--json", "Mary", "John", "Zoe"},
                                                 {"--help"},
                                                 {"--version"},
                                                 {"--father", "John", "--mother", "Zoe"}}) {
        const File err(std::tmpfile());
        const int status =
            kindrell::cli::Run(args, fileno(in.get()), fileno(full.get()), fileno(err.get()));
        EXPECT_EQ(status, 1) << args.front();
        EXPECT_EQ(ContentOf(err.get()),
                  "kindrell-reading: writing the output failed: No space left on device\n")
            << args.front();
    }
}

TEST(RunProgram, JsonReadingIsOneObjectOnOneLine) {
    const Result r = RunWith({"--json", "--explain", "Mary", "John", "Zoe"});
    ASSERT_EQ(r.status, 0);
    ASSERT_TRUE(r.out.ends_with("}\n"));
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);
    QJsonParseError error{};
    const QJsonObject reading =
        QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(reading.size(), 15);
    EXPECT_EQ(reading[u"ChildNumber"].toInt(-1), 3);
    EXPECT_EQ(reading[u"MotherNumber"].toInt(-1), 1);
    EXPECT_EQ(reading[u"FatherNumber"].toInt(-1), 2);
    EXPECT_EQ(reading[u"Verdict"].toString(), u"Harmonious");
    EXPECT_EQ(reading[u"MotherDestinyCaption"].toString(), u"Mother Destiny: 1");
    EXPECT_EQ(reading[u"FatherVerdictLine"].toString(), u"Compatibility with Father: Harmonious");
    EXPECT_TRUE(reading[u"ChildDescription"].toString().contains(u"\r\n\r\n"));
    EXPECT_EQ(reading[u"ChildWorking"].toString(), u"M 4 + A 1 + R 9 + Y 7 = 21 \u2192 3");
    EXPECT_EQ(reading[u"MotherWorking"].toString(), u"Z 8 + O 6 + E 5 = 19 \u2192 10 \u2192 1");
    EXPECT_EQ(reading[u"FatherWorking"].toString(), u"J 1 + O 6 + H 8 + N 5 = 20 \u2192 2");
}

TEST(RunProgram, TextReadingHasLineFeedsOnly) {
    const Result r = RunWith({"--explain", "David", "John", "Zoe"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_TRUE(
        r.out.starts_with("Child Destiny: 4\nD 4 + A 1 + V 4 + I 9 + D 4 = 22 \xE2\x86\x92 4\n"))
        << r.out.substr(0, 80);
    // Key "12", child 4: in harmony with parent 2, the father.
    EXPECT_TRUE(r.out.ends_with("\n\nCompatibility with Mother: Not Harmonious\n"
                                "Compatibility with Father: Harmonious\n"))
        << r.out.substr(r.out.size() - 100);
}

TEST(RunProgram, HelpAndVersion) {
    const Result help = RunWith({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: kindrell-reading [--json] [--explain] CHILD FATHER "
                                     "MOTHER\n"));
    EXPECT_NE(help.out.find("\nExit status: 0 done;"), std::string::npos);
    // The synopsis after a refusal is the help's first paragraph.
    const Result refused = RunWith({"--bogus"});
    EXPECT_EQ(refused.err, "kindrell-reading: Unknown option 'bogus'.\n" +
                               help.out.substr(0, help.out.find("\n\n") + 1) +
                               "Try 'kindrell-reading --help' for more information.\n");
    EXPECT_EQ(RunWith({"--version"}).out, "kindrell-reading 1.0.0\n");
}

} // namespace

class OddListThroughTheProgram : public testing::TestWithParam<kindrell::testing_support::OddList> {
};

// One record a line read, in order, none merged; each refused line told by its number.
TEST_P(OddListThroughTheProgram, GivesARecordForEachName) {
    const kindrell::testing_support::OddList& list = GetParam();
    const Result r = RunWith({"--father", "John", "--mother", "Zoe"}, list.bytes);
    std::string names;
    for (std::size_t start = 0; start < r.out.size();) {
        const std::size_t end = r.out.find('\n', start);
        if (start != 0) {
            names += '|';
        }
        names += r.out.substr(start, r.out.find('\t', start) - start);
        start = end + 1;
    }
    EXPECT_EQ(names, list.shortlistNames);
    EXPECT_EQ(r.err, list.shortlistErrors);
    EXPECT_EQ(r.status, list.shortlistErrors.empty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Table, OddListThroughTheProgram,
                         testing::ValuesIn(kindrell::testing_support::OddLists()),
                         [](const auto& info) { return std::string(info.param.label); });

class FoldedNameThroughTheProgram
    : public testing::TestWithParam<kindrell::testing_support::FoldingCase> {};

// A name is weighed as it is written, in a reading as in a shortlist, and
// what counts nothing in it is told, each time without changing the status.
TEST_P(FoldedNameThroughTheProgram, IsWeighedAsWritten) {
    const kindrell::testing_support::FoldingCase& row = GetParam();
    const std::string written =
        QString::fromStdString(row.written).normalized(QString::NormalizationForm_C).toStdString();
    const auto told = [&](const std::string& where) {
        return row.uncounted.empty() ? std::string()
                                     : "kindrell-reading: " + where + "in \"" + written + "\", " +
                                           row.uncounted + "\n";
    };
    const Result reading = RunWith({"--json", "--explain", row.written, "John", "Zoe"});
    const QJsonObject object =
        QJsonDocument::fromJson(QByteArray::fromStdString(reading.out)).object();
    EXPECT_EQ(reading.status, 0);
    EXPECT_EQ(object.value("ChildNumber").toInt(), row.number);
    EXPECT_EQ(object.value("ChildWorking").toString().toStdString(), row.working);
    EXPECT_EQ(reading.err, told(""));
    const Result shortlist = RunWith({"--father", "John", "--mother", "Zoe"}, row.written + "\n");
    EXPECT_EQ(shortlist.status, 0);
    EXPECT_EQ(shortlist.out.substr(0, shortlist.out.find('\t', written.size() + 1)),
              written + "\t" + std::to_string(row.number));
    EXPECT_EQ(shortlist.err, told("line 1: "));
}

INSTANTIATE_TEST_SUITE_P(Table, FoldedNameThroughTheProgram,
                         testing::ValuesIn(kindrell::testing_support::FoldingCases()),
                         [](const auto& info) { return std::string(info.param.label); });

// Parents as they write their names find what they would unaccented.
TEST(Suggestions, AccentedParentsFindTheSameNames) {
    const Result accented =
        RunWith({"--suggest", "--father", "Jos\u00E9", "--mother", "Zo\u00EB", "--top", "0"});
    const Result plain =
        RunWith({"--suggest", "--father", "Jose", "--mother", "Zoe", "--top", "0"});
    EXPECT_EQ(accented.status, 0);
    EXPECT_GT(std::count(accented.out.begin(), accented.out.end(), '\n'), 1000);
    EXPECT_EQ(accented.out, plain.out);
    EXPECT_EQ(accented.err, "");
}

struct NoSuggestionCase {
    const char* label;
    std::vector<std::string> args;
    std::string err;
};

[[maybe_unused]] void PrintTo(const NoSuggestionCase& row, std::ostream* os) {
    *os << row.label;
}

class NoSuggestion : public testing::TestWithParam<NoSuggestionCase> {};

// With nothing to suggest, the program says why, as the finder does above
// an empty table, and ends with status 0.
TEST_P(NoSuggestion, SaysWhy) {
    std::vector<std::string> args{"--suggest"};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
    const Result r = RunWith(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NoSuggestion,
    testing::Values(
        NoSuggestionCase{"mother_greater",
                         {"--father", "John", "--mother", "Mary"},
                         "kindrell-reading: For a mother's 3 and a father's 2 every name reads Not "
                         "Harmonious At All. The table finds harmony only where the mother's "
                         "number is not greater than the father's; a full birth name, middle "
                         "names included, gives a number of its own.\n"},
        NoSuggestionCase{"father_counts_nothing",
                         {"--father", "\u674E", "--mother", "Zoe"},
                         "kindrell-reading: in \"\u674E\", \u674E counts nothing\n"
                         "kindrell-reading: For a mother's 1 and a father's 0 every name reads Not "
                         "Harmonious At All. The father's name has no letter that counts, so its "
                         "number is 0.\n"},
        NoSuggestionCase{"row_without_harmony",
                         {"--father", "Hugh", "--mother", "Zoe"},
                         "kindrell-reading: No name is in harmony with both parents; a full birth "
                         "name, middle names included, gives a number of its own.\n"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace kindrell::cli
