#include "cli/run.h"

#include "cli_test_support.h"
#include "textrules/name_lines.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <string>
#include <vector>

namespace kindrell::cli {
namespace {

using testing_support::ContentOf;
using testing_support::File;
using testing_support::TempFileWith;

constexpr auto kMaxLine = static_cast<std::size_t>(text::kMaxLineBytes);

struct Captured {
    int status;
    std::string out;
    std::string err;
};

// Runs a shortlist for father John (2) and mother Zoe (1): key "12".
Captured Weigh(int in, ShortlistSettings settings) {
    settings.father = u"John";
    settings.mother = u"Zoe";
    const File out(std::tmpfile());
    const File err(std::tmpfile());
    const int status = RunShortlist(in, fileno(out.get()), fileno(err.get()), settings);
    return {status, ContentOf(out.get()), ContentOf(err.get())};
}

Captured WeighText(std::string_view text, ShortlistSettings settings = {}) {
    const File in = TempFileWith(text);
    return Weigh(fileno(in.get()), std::move(settings));
}

// Input with every kind of line the reader must tell apart; the verdicts are
// those of row "12" of the verdict table.
const std::string kMixedInput = std::string("\xEF\xBB\xBFMary\r\n") // 1: mark skipped
                                + "\n"                              // 2: blank
                                + "   \r\n"                         // 3: blank
                                + "  Mia  \n"                       // 4: trimmed
                                + "Ava\r\n"                         // 5
                                + "Ma\xC3\n"                        // 6: truncated UTF-8
                                + "\xEF\xBB\xBF"
                                  "Amy\n"                        // 7: a mark inside is dropped too
                                + "123\n"                        // 8: no letters, 0
                                + std::string(32768, 'a') + "\n" // 9: one code unit too many
                                + std::string(32767, 'a') + "\n" // 10: sum 32767, 7
                                + std::string(kMaxLine + 10, 'b') + "\n" // 11: too long to keep
                                + "\xED\xA0\x80\n"                       // 12: a surrogate
                                + "Zo\xC3\xAB"; // 13: no LF; ë counts as E

const std::string kMixedOutput =
    std::string("Mary\t3\tHarmonious\n") + "Mia\t5\tHarmonious with parent 1\n" +
    "Ava\t6\tHarmonious with parent 2\n" + "Amy\t3\tHarmonious\n" +
    "123\t0\tHarmonious with parent 2\n" + std::string(32767, 'a') +
    "\t7\tHarmonious with parent 1\n" + "Zo\xC3\xAB\t1\tHarmonious with parent 1\n";

const std::string kMixedErrors =
    "kindrell-reading: line 6: not valid UTF-8, skipped\n"
    "kindrell-reading: line 8: in \"123\", 1, 2 and 3 count nothing\n"
    "kindrell-reading: line 9: name longer than 32767 UTF-16 code units, skipped\n"
    "kindrell-reading: line 11: name longer than 32767 UTF-16 code units, skipped\n"
    "kindrell-reading: line 12: not valid UTF-8, skipped\n";

TEST(Shortlist, WeighsEveryKindOfLine) {
    const Captured c = WeighText(kMixedInput);
    EXPECT_EQ(c.out, kMixedOutput);
    EXPECT_EQ(c.err, kMixedErrors);
    EXPECT_EQ(c.status, kExitPartial);
}

// Wherever the reads happen to end (inside a CR LF, inside a UTF-8 sequence,
// inside the mark, inside an over-long line), the result is the same.
TEST(Shortlist, ReadBoundariesChangeNothing) {
    std::vector<std::size_t> blocks;
    for (std::size_t b = 1; b <= 13; ++b) {
        blocks.push_back(b);
    }
    blocks.insert(blocks.end(), {64, 4095, 4096, 65536, kMaxLine, kMaxLine + 1});
    for (const std::size_t block : blocks) {
        const Captured c = WeighText(kMixedInput, ShortlistSettings{.readBlock = block});
        EXPECT_EQ(c.out, kMixedOutput) << "block " << block;
        EXPECT_EQ(c.err, kMixedErrors) << "block " << block;
        EXPECT_EQ(c.status, kExitPartial) << "block " << block;
    }
}

// A pipe hands over what it has; lines split across its writes still come
// out whole.
TEST(Shortlist, ReadsFromAPipe) {
    std::array<int, 2> ends{};
    ASSERT_EQ(::pipe(ends.data()), 0);
    const std::string input = "Mary\nA" + std::string(5000, 'v') + "a\nMia";
    ASSERT_EQ(::write(ends[1], input.data(), input.size()), static_cast<ssize_t>(input.size()));
    ::close(ends[1]);
    const Captured c = Weigh(ends[0], ShortlistSettings{.readBlock = 1000});
    ::close(ends[0]);
    // A 1 + 5000 times v 4 + a 1 = 20002, whose digits add up to 4.
    EXPECT_EQ(c.out, "Mary\t3\tHarmonious\nA" + std::string(5000, 'v') +
                         "a\t4\tHarmonious with parent 2\nMia\t5\tHarmonious with parent 1\n");
    EXPECT_EQ(c.status, kExitSuccess);
}

TEST(Shortlist, EmptyInputGivesNothing) {
    for (const std::string_view text : {"", "\n", "\r\n", "\xEF\xBB\xBF", "  \n\n   "}) {
        const Captured c = WeighText(text);
        EXPECT_EQ(c.out, "");
        EXPECT_EQ(c.err, "");
        EXPECT_EQ(c.status, kExitSuccess);
    }
}

TEST(Shortlist, HarmoniousKeepsOnlyHarmonious) {
    const Captured c =
        WeighText("Mary\nMia\nAva\nAmy\n123\nMary Ann\n", ShortlistSettings{.harmonious = true});
    EXPECT_EQ(c.out, "Mary\t3\tHarmonious\nAmy\t3\tHarmonious\n");
}

TEST(Shortlist, ExplainAddsTheWorkingColumn) {
    const Captured c = WeighText("Mary\n42\n", ShortlistSettings{.explain = true});
    EXPECT_EQ(c.out, "Mary\t3\tHarmonious\tM 4 + A 1 + R 9 + Y 7 = 21 \xE2\x86\x92 3\n"
                     "42\t0\tHarmonious with parent 2\tno letters A to Z = 0\n");
}

TEST(Shortlist, JsonRecordsCarryTheVerdictLines) {
    const Captured c = WeighText("Jo\"e\\\n  Ma\xE2\x80\xA8ry \n", ShortlistSettings{.json = true});
    EXPECT_EQ(c.out, "{\"Name\":\"Jo\\\"e\\\\\",\"ChildNumber\":3,\"Verdict\":\"Harmonious\","
                     "\"MotherVerdictLine\":\"Compatibility with Mother: Harmonious\","
                     "\"FatherVerdictLine\":\"Compatibility with Father: Harmonious\"}\n"
                     "{\"Name\":\"Ma\\u2028ry\",\"ChildNumber\":3,\"Verdict\":\"Harmonious\","
                     "\"MotherVerdictLine\":\"Compatibility with Mother: Harmonious\","
                     "\"FatherVerdictLine\":\"Compatibility with Father: Harmonious\"}\n");
}

TEST(Shortlist, JsonExplainAddsTheWorking) {
    const Captured c =
        WeighText("Zoe\n", ShortlistSettings{.json = true, .explain = true, .harmonious = false});
    EXPECT_EQ(c.out, "{\"Name\":\"Zoe\",\"ChildNumber\":1,\"Verdict\":\"Harmonious with parent "
                     "1\",\"MotherVerdictLine\":\"Compatibility with Mother: Harmonious\","
                     "\"FatherVerdictLine\":\"Compatibility with Father: Not Harmonious\","
                     "\"ChildWorking\":\"Z 8 + O 6 + E 5 = 19 \xE2\x86\x92 10 \xE2\x86\x92 1\"}\n");
}

// Many short lines through small reads: the records come out whole and in
// order, across many output blocks.
TEST(Shortlist, LongListComesOutInOrder) {
    std::string input;
    std::string expected;
    for (int i = 0; i < 40000; ++i) {
        input += (i % 2 == 0) ? "Mary\r\n" : "Ava\n";
        expected += (i % 2 == 0) ? "Mary\t3\tHarmonious\n" : "Ava\t6\tHarmonious with parent 2\n";
    }
    for (const std::size_t block : {std::size_t{1000}, std::size_t{256} * 1024}) {
        const Captured c = WeighText(input, ShortlistSettings{.readBlock = block});
        EXPECT_EQ(c.out, expected) << "block " << block;
    }
}

TEST(Shortlist, ReadFailureIsReported) {
    const int folder = ::open(".", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    const Captured c = Weigh(folder, {});
    ::close(folder);
    EXPECT_EQ(c.status, kExitPartial);
    EXPECT_EQ(c.out, "");
    EXPECT_EQ(c.err, "kindrell-reading: reading the shortlist failed: Is a directory\n");
}

// Output that cannot be written ends the run at once, told once.
TEST(Shortlist, WriteFailureEndsTheRun) {
    File full(std::fopen("/dev/full", "wb"));
    if (!full) {
        GTEST_SKIP() << "/dev/full is not available";
    }
    std::string input;
    for (int i = 0; i < 100000; ++i) {
        input += "Mary\n";
    }
    const File in = TempFileWith(input + "\xFF\n");
    const File err(std::tmpfile());
    const int status =
        RunShortlist(fileno(in.get()), fileno(full.get()), fileno(err.get()), ShortlistSettings{});
    EXPECT_EQ(status, kExitPartial);
    // The bad last line is never reached.
    EXPECT_EQ(ContentOf(err.get()),
              "kindrell-reading: writing the output failed: No space left on device\n");
}

} // namespace
} // namespace kindrell::cli
