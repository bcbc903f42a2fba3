#include "cli/shortlist.h"

#include "cli_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kindrell::cli {
namespace {

using testing_support::ContentOf;
using testing_support::File;
using testing_support::TempFileWith;

struct Captured {
    std::string out;
    std::string err;
    ShortlistOutcome outcome;
};

// Runs a shortlist for father John (2) and mother Zoe (1): key "12".
Captured Weigh(File input, ShortlistSettings settings) {
    settings.father = u"John";
    settings.mother = u"Zoe";
    const File out(std::tmpfile());
    const File err(std::tmpfile());
    Captured captured;
    {
        OutputSink sink(out.get());
        captured.outcome = RunShortlist(input.get(), sink, err.get(), settings);
        EXPECT_TRUE(sink.flush());
    }
    captured.out = ContentOf(out.get());
    captured.err = ContentOf(err.get());
    return captured;
}

Captured WeighText(std::string_view text, ShortlistSettings settings = {}) {
    return Weigh(TempFileWith(text), std::move(settings));
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
                                  "Amy\n" // 7: a mark inside counts as part of the name
                                + "123\n" // 8: no letters, 0
                                + std::string(32768, 'a') + "\n" // 9: one code unit too many
                                + std::string(32767, 'a') + "\n" // 10: sum 32767, 7
                                + std::string(kMaxLineBytes + 10, 'b') +
                                "\n"            // 11: too long to keep
                                + "Zo\xC3\xAB"; // 12: last line without LF

const std::string kMixedOutput =
    std::string("Mary\t3\tHarmonious\n") + "Mia\t5\tHarmonious with parent 1\n" +
    "Ava\t6\tHarmonious with parent 2\n" +
    "\xEF\xBB\xBF"
    "Amy\t3\tHarmonious\n" +
    "123\t0\tHarmonious with parent 2\n" + std::string(32767, 'a') +
    "\t7\tHarmonious with parent 1\n" + "Zo\xC3\xAB\t5\tHarmonious with parent 1\n";

const std::string kMixedErrors =
    "kindrell-reading: line 6: not valid UTF-8, skipped\n"
    "kindrell-reading: line 9: name longer than 32767 UTF-16 code units, skipped\n"
    "kindrell-reading: line 11: name longer than 32767 UTF-16 code units, skipped\n";

TEST(Shortlist, WeighsEveryKindOfLine) {
    const Captured c = WeighText(kMixedInput);
    EXPECT_EQ(c.out, kMixedOutput);
    EXPECT_EQ(c.err, kMixedErrors);
    EXPECT_EQ(c.outcome.lines, 12U);
    EXPECT_EQ(c.outcome.printed, 7U);
    EXPECT_EQ(c.outcome.skipped, 3U);
    EXPECT_FALSE(c.outcome.readFailed);
}

// Wherever the read blocks happen to end (inside a CR LF, inside a UTF-8
// sequence, inside the mark, inside an over-long line), the result is the same.
TEST(Shortlist, ReadBlockBoundariesChangeNothing) {
    std::vector<std::size_t> blocks;
    for (std::size_t b = 1; b <= 13; ++b) {
        blocks.push_back(b);
    }
    blocks.insert(blocks.end(), {64, 4095, 4096, 65536, kMaxLineBytes, kMaxLineBytes + 1});
    // Each block weighed on one thread, or split between two wherever it can
    // be (1), or only when it holds enough (16).
    for (const std::size_t parallelFrom : {std::size_t{0}, std::size_t{1}, std::size_t{16}}) {
        for (const std::size_t block : blocks) {
            ShortlistSettings settings;
            settings.readBlock = block;
            settings.parallelFrom = parallelFrom;
            const Captured c = WeighText(kMixedInput, settings);
            EXPECT_EQ(c.out, kMixedOutput) << "block " << block << " parallel " << parallelFrom;
            EXPECT_EQ(c.err, kMixedErrors) << "block " << block << " parallel " << parallelFrom;
            EXPECT_EQ(c.outcome.lines, 12U) << "block " << block << " parallel " << parallelFrom;
            EXPECT_EQ(c.outcome.skipped, 3U) << "block " << block << " parallel " << parallelFrom;
        }
    }
}

// Refused lines in both halves of a split block keep their own numbers.
TEST(Shortlist, SplitBlocksNumberTheirLines) {
    std::string input;
    std::string expectedOut;
    std::string expectedErr;
    for (int line = 1; line <= 3000; ++line) {
        if (line % 97 == 0) {
            input += "Bad\xFF\n";
            expectedErr +=
                "kindrell-reading: line " + std::to_string(line) + ": not valid UTF-8, skipped\n";
        } else if (line % 10 == 0) {
            input += "\r\n";
        } else {
            input += "Amy\n";
            expectedOut += "Amy\t3\tHarmonious\n";
        }
    }
    for (const std::size_t block : {std::size_t{100}, std::size_t{4096}, std::size_t{1} << 20}) {
        ShortlistSettings settings;
        settings.readBlock = block;
        settings.parallelFrom = 1;
        const Captured c = WeighText(input, settings);
        EXPECT_EQ(c.out, expectedOut) << "block " << block;
        EXPECT_EQ(c.err, expectedErr) << "block " << block;
        EXPECT_EQ(c.outcome.lines, 3000U);
    }
}

// A stream without a descriptor goes through stdio; it must read alike.
TEST(Shortlist, StreamWithoutDescriptorReadsAlike) {
    std::string text = kMixedInput;
    File input(fmemopen(text.data(), text.size(), "rb"));
    ASSERT_TRUE(input);
    ShortlistSettings settings;
    settings.readBlock = 7;
    const Captured c = Weigh(std::move(input), settings);
    EXPECT_EQ(c.out, kMixedOutput);
    EXPECT_EQ(c.err, kMixedErrors);
}

TEST(Shortlist, EmptyInputGivesNothing) {
    for (const std::string_view text : {"", "\n", "\r\n", "\xEF\xBB\xBF", "  \n\n   "}) {
        const Captured c = WeighText(text);
        EXPECT_EQ(c.out, "");
        EXPECT_EQ(c.err, "");
        EXPECT_EQ(c.outcome.skipped, 0U);
    }
}

TEST(Shortlist, HarmoniousKeepsOnlyHarmonious) {
    ShortlistSettings settings;
    settings.harmonious = true;
    const Captured c = WeighText("Mary\nMia\nAva\nAmy\n123\nMary Ann\n", settings);
    EXPECT_EQ(c.out, "Mary\t3\tHarmonious\nAmy\t3\tHarmonious\n");
    EXPECT_EQ(c.outcome.printed, 2U);
}

TEST(Shortlist, ExplainAddsTheWorkingColumn) {
    ShortlistSettings settings;
    settings.explain = true;
    const Captured c = WeighText("Mary\n42\n", settings);
    EXPECT_EQ(c.out, "Mary\t3\tHarmonious\tM 4 + A 1 + R 9 + Y 7 = 21 \xE2\x86\x92 3\n"
                     "42\t0\tHarmonious with parent 2\tno letters A to Z = 0\n");
}

TEST(Shortlist, SplitBlocksKeepJsonAndExplainRecordsInOrder) {
    std::string input;
    for (int i = 0; i < 500; ++i) {
        input += (i % 2 == 0) ? "Mary\n" : "42\n";
    }
    for (const bool json : {false, true}) {
        ShortlistSettings one;
        one.json = json;
        one.explain = true;
        one.parallelFrom = 0;
        ShortlistSettings two = one;
        two.parallelFrom = 1;
        two.readBlock = 333;
        const Captured serial = WeighText(input, one);
        const Captured split = WeighText(input, two);
        EXPECT_EQ(split.out, serial.out);
        EXPECT_EQ(serial.outcome.printed, 500U);
    }
}

TEST(Shortlist, JsonRecordsCarryTheVerdictLines) {
    ShortlistSettings settings;
    settings.json = true;
    const Captured c = WeighText("Jo\"e\\\n", settings);
    EXPECT_EQ(c.out, "{\"Name\":\"Jo\\\"e\\\\\",\"ChildNumber\":3,\"Verdict\":\"Harmonious\","
                     "\"MotherVerdictLine\":\"Compatibility with Mother: Harmonious\","
                     "\"FatherVerdictLine\":\"Compatibility with Father: Harmonious\"}\n");
}

// Many short lines through small blocks and a small output block: the
// records come out whole and in order.
TEST(Shortlist, LongListComesOutInOrder) {
    std::string input;
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        input += (i % 2 == 0) ? "Mary\r\n" : "Ava\n";
        expected += (i % 2 == 0) ? "Mary\t3\tHarmonious\n" : "Ava\t6\tHarmonious with parent 2\n";
    }
    for (const std::size_t parallelFrom : {std::size_t{0}, std::size_t{1}}) {
        ShortlistSettings settings;
        settings.readBlock = 1000;
        settings.parallelFrom = parallelFrom;
        const Captured c = WeighText(input, settings);
        EXPECT_EQ(c.out, expected) << "parallel " << parallelFrom;
        EXPECT_EQ(c.outcome.printed, 20000U);
    }
}

} // namespace
} // namespace kindrell::cli
