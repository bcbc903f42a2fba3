#include "cli/run.h"

#include "cli_test_support.h"

#include <gtest/gtest.h>

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
    const int status = kindrell::cli::Run(pointers, in.get(), out.get(), err.get());
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
    const File err(std::tmpfile());
    const std::vector<const char*> args{"Mary", "John", "Zoe"};
    const int status = kindrell::cli::Run(args, nullptr, full.get(), err.get());
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(ContentOf(err.get()).starts_with("kindrell-reading: writing the output failed: "));
}

} // namespace
} // namespace kindrell::cli
