#include "cli/run.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace kindrell::cli {
namespace {

std::variant<Options, UsageError> Parse(const std::vector<std::string_view>& args) {
    return ParseArguments(args);
}

Options Reading(std::string child, std::string father, std::string mother, bool json = false,
                bool explain = false) {
    Options o;
    o.mode = Mode::Reading;
    o.child = std::move(child);
    o.father = std::move(father);
    o.mother = std::move(mother);
    o.json = json;
    o.explain = explain;
    return o;
}

Options Shortlist(std::string father, std::string mother, std::optional<std::string> file,
                  bool json = false, bool explain = false, bool harmonious = false) {
    Options o;
    o.mode = Mode::Shortlist;
    o.father = std::move(father);
    o.mother = std::move(mother);
    o.file = std::move(file);
    o.json = json;
    o.explain = explain;
    o.harmonious = harmonious;
    return o;
}

Options Suggest(std::string father, std::string mother, std::optional<std::string> sex = {},
                std::optional<std::string> top = {}, bool json = false) {
    Options o;
    o.mode = Mode::Suggest;
    o.father = std::move(father);
    o.mother = std::move(mother);
    if (sex) {
        o.choices["sex"] = std::move(*sex);
    }
    o.top = std::move(top);
    o.json = json;
    return o;
}

Options OfMode(Mode mode) {
    Options o;
    o.mode = mode;
    return o;
}

struct AcceptedCase {
    const char* label;
    std::vector<std::string_view> args;
    Options expected;
};

// Names the row in failure messages instead of dumping its bytes.
[[maybe_unused]] void PrintTo(const AcceptedCase& row, std::ostream* os) {
    *os << row.label;
}

class ParseAccepted : public testing::TestWithParam<AcceptedCase> {};

TEST_P(ParseAccepted, GivesTheOptions) {
    const auto parsed = Parse(GetParam().args);
    ASSERT_TRUE(std::holds_alternative<Options>(parsed)) << std::get<UsageError>(parsed).message;
    EXPECT_EQ(std::get<Options>(parsed), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseAccepted,
    testing::Values(
        AcceptedCase{"reading", {"Mary", "John", "Zoe"}, Reading("Mary", "John", "Zoe")},
        AcceptedCase{
            "json_first", {"--json", "Mary", "John", "Zoe"}, Reading("Mary", "John", "Zoe", true)},
        AcceptedCase{"options_after_names",
                     {"Mary", "John", "Zoe", "--explain", "--json"},
                     Reading("Mary", "John", "Zoe", true, true)},
        AcceptedCase{"blank_names_are_names", {"", " ", "Zoe"}, Reading("", " ", "Zoe")},
        AcceptedCase{"dash_names_after_end",
                     {"--", "-Mary", "--json", "Zoe"},
                     Reading("-Mary", "--json", "Zoe")},
        AcceptedCase{"shortlist_stdin",
                     {"--father", "John", "--mother", "Zoe"},
                     Shortlist("John", "Zoe", std::nullopt)},
        AcceptedCase{"shortlist_equals",
                     {"--mother=Zoe", "--father=John", "names.txt"},
                     Shortlist("John", "Zoe", "names.txt")},
        AcceptedCase{"shortlist_equals_empty",
                     {"--mother=", "--father=John"},
                     Shortlist("John", "", std::nullopt)},
        AcceptedCase{"shortlist_dash_is_file",
                     {"--father", "John", "--mother", "Zoe", "-"},
                     Shortlist("John", "Zoe", "-")},
        AcceptedCase{
            "shortlist_all_flags",
            {"--harmonious", "--json", "--father", "John", "--explain", "--mother", "Zoe", "list"},
            Shortlist("John", "Zoe", "list", true, true, true)},
        AcceptedCase{"value_may_look_like_option",
                     {"--father", "--json", "--mother", "Zoe"},
                     Shortlist("--json", "Zoe", std::nullopt)},
        AcceptedCase{"bytes_pass_unchanged",
                     {"Jos\xC3\xA9", "\xFF\xFE", "Zo\xEB"},
                     Reading("Jos\xC3\xA9", "\xFF\xFE", "Zo\xEB")},
        AcceptedCase{"dash_is_a_name", {"-", "John", "Zoe"}, Reading("-", "John", "Zoe")},
        AcceptedCase{
            "flag_twice", {"--json", "--json", "A", "B", "C"}, Reading("A", "B", "C", true)},
        AcceptedCase{"help_as_fathers_name",
                     {"--father", "--help", "--mother", "Zoe"},
                     Shortlist("--help", "Zoe", std::nullopt)},
        AcceptedCase{"help_after_end_is_a_name",
                     {"--", "--help", "John", "Zoe"},
                     Reading("--help", "John", "Zoe")},
        AcceptedCase{"suggest",
                     {"--suggest", "--father", "John", "--mother", "Zoe"},
                     Suggest("John", "Zoe")},
        // The values are checked when the suggestions are made, not here.
        AcceptedCase{
            "suggest_all_options",
            {"--json", "--top=-1", "--mother", "Zoe", "--sex", "x", "--suggest", "--father=John"},
            Suggest("John", "Zoe", "x", "-1", true)},
        AcceptedCase{"help", {"--help"}, OfMode(Mode::Help)},
        AcceptedCase{"short_help", {"-h"}, OfMode(Mode::Help)},
        AcceptedCase{"version", {"Mary", "--version"}, OfMode(Mode::Version)},
        // Help, then version, answer whatever else the command line holds.
        AcceptedCase{"help_after_a_mistake", {"--bogus", "--help"}, OfMode(Mode::Help)},
        AcceptedCase{"help_before_a_mistake", {"--help", "--bogus", "x"}, OfMode(Mode::Help)},
        AcceptedCase{"version_after_a_mistake",
                     {"Mary", "--bogus", "John", "--version"},
                     OfMode(Mode::Version)},
        AcceptedCase{"help_with_a_missing_value", {"--help", "--father"}, OfMode(Mode::Help)},
        AcceptedCase{
            "help_with_a_repeat", {"--father", "A", "--father", "B", "--help"}, OfMode(Mode::Help)},
        AcceptedCase{
            "version_with_a_repeat", {"--top=1", "--version", "--top=2"}, OfMode(Mode::Version)},
        AcceptedCase{"help_with_a_wrong_mode", {"--harmonious", "-h"}, OfMode(Mode::Help)},
        AcceptedCase{"help_beats_version", {"--version", "--help"}, OfMode(Mode::Help)},
        AcceptedCase{"help_beats_version_after", {"--help", "--version"}, OfMode(Mode::Help)},
        // The parser takes these for --help even as it refuses the rest.
        AcceptedCase{"short_help_twice", {"-hh"}, OfMode(Mode::Help)},
        AcceptedCase{"short_help_with_unknown", {"-hx"}, OfMode(Mode::Help)},
        AcceptedCase{"value_on_help", {"--help=x"}, OfMode(Mode::Help)}),
    [](const testing::TestParamInfo<AcceptedCase>& info) { return std::string(info.param.label); });

struct RefusedCase {
    const char* label;
    std::vector<std::string_view> args;
    std::string messagePart;
};

// Names the row in failure messages instead of dumping its bytes.
[[maybe_unused]] void PrintTo(const RefusedCase& row, std::ostream* os) {
    *os << row.label;
}

class ParseRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(ParseRefused, SaysWhy) {
    const auto parsed = Parse(GetParam().args);
    ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
    const std::string& message = std::get<UsageError>(parsed).message;
    EXPECT_NE(message.find(GetParam().messagePart), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << "one line only";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseRefused,
    testing::Values(
        RefusedCase{"nothing", {}, "expected three names"},
        RefusedCase{"two_names", {"Mary", "John"}, "got 2"},
        RefusedCase{"four_names", {"Mary", "John", "Zoe", "Ann"}, "got 4"},
        RefusedCase{"father_only", {"--father", "John"}, "mother"},
        RefusedCase{"suggest_without_mother",
                    {"--suggest", "--father", "John"},
                    "--suggest needs the mother's name"},
        RefusedCase{"suggest_with_a_file",
                    {"--suggest", "--father", "John", "--mother", "Zoe", "list"},
                    "--suggest takes only"},
        RefusedCase{"suggest_with_explain",
                    {"--suggest", "--explain", "--father", "John", "--mother", "Zoe"},
                    "--suggest takes only"},
        RefusedCase{"sex_without_suggest",
                    {"--father", "John", "--mother", "Zoe", "--sex", "girl"},
                    "go with --suggest"},
        RefusedCase{"like_without_suggest",
                    {"--father", "John", "--mother", "Zoe", "--like", "Aidan"},
                    "go with --suggest"},
        RefusedCase{"mother_only", {"--mother", "Zoe", "list"}, "father"},
        RefusedCase{
            "two_files", {"--father", "John", "--mother", "Zoe", "a", "b"}, "at most one FILE"},
        RefusedCase{"harmonious_without_shortlist",
                    {"--harmonious", "Mary", "John", "Zoe"},
                    "--harmonious"},
        // The parser's own words, with the argument's bytes as given.
        RefusedCase{"unknown_long", {"--bogus", "Mary", "John", "Zoe"}, "Unknown option 'bogus'."},
        RefusedCase{"unknown_short", {"-x", "Mary", "John", "Zoe"}, "Unknown option 'x'."},
        RefusedCase{"unknown_ones_all_told",
                    {"--bogus", "Mary", "-x", "John", "Zoe"},
                    "Unknown options: bogus, x."},
        RefusedCase{"prefix_of_option_is_not_it",
                    {"--fathers=John", "--mother=Zoe"},
                    "Unknown option 'fathers'."},
        RefusedCase{"father_without_value",
                    {"--mother", "Zoe", "--father"},
                    "Missing value after '--father'."},
        RefusedCase{"top_without_value",
                    {"--suggest", "--father", "J", "--mother", "Z", "--top"},
                    "Missing value after '--top'."},
        RefusedCase{
            "value_on_a_flag", {"--json=x", "A", "B", "C"}, "Unexpected value after '--json'."},
        RefusedCase{
            "single_dash_long_name", {"-json", "A", "B", "C"}, "Unknown options: j, s, o, n."},
        RefusedCase{"three_dashes", {"---json", "A", "B", "C"}, "Unknown option '-json'."},
        RefusedCase{"question_mark", {"-?"}, "Unknown option '?'."},
        RefusedCase{"short_version", {"-v"}, "Unknown option 'v'."},
        RefusedCase{"bytes_in_unknown_option", {"--b\xFFogus"}, "Unknown option 'b\xFFogus'."},
        RefusedCase{"names_after_end_are_counted", {"--", "--bogus"}, "got 1"},
        // A value given twice is refused after the parse and before the modes.
        RefusedCase{"father_twice",
                    {"--father", "John", "--father=Jim", "--mother", "Zoe"},
                    "option '--father' given more than once"},
        RefusedCase{"mother_twice_without_father",
                    {"--mother=Zoe", "--mother", "Ann"},
                    "option '--mother' given more than once"},
        RefusedCase{"sex_twice_without_suggest",
                    {"--sex", "girl", "--sex=boy", "A", "B", "C"},
                    "option '--sex' given more than once"},
        RefusedCase{"top_twice",
                    {"--suggest", "--top", "1", "--father", "J", "--mother", "Z", "--top=2"},
                    "option '--top' given more than once"},
        RefusedCase{"parse_error_before_repeat",
                    {"--father", "A", "--father", "B", "--bogus"},
                    "Unknown option 'bogus'."},
        RefusedCase{"repeat_then_missing_value",
                    {"--father", "A", "--father"},
                    "Missing value after '--father'."}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.label); });

} // namespace
} // namespace kindrell::cli
