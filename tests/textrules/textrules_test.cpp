// The text rules every part of the program shares: strict UTF-8 as lists
// of names are decoded, the reader's lines however the list is cut into
// reads, the JSON string escape of the shortlist's fast path, and the line
// breaks the system's texts are shown with.

#include "tests/support/odd_lists.h"
#include "textrules/json_string.h"
#include "textrules/lines.h"
#include "textrules/name_lines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kindrell::text {
namespace {

using testing_support::Utf16;

// Every table's rows carry a label, which names the row in failure messages
// and test names instead of its bytes.
template <typename Row>
requires requires(const Row& row) {
    row.label;
}
[[maybe_unused]] std::ostream& operator<<(std::ostream& os, const Row& row) {
    return os << row.label;
}
const auto RowName = [](const auto& info) { return std::string(info.param.label); };

struct ReadLine {
    std::uint64_t number;
    LineFault fault;
    std::u16string name;
    friend bool operator==(const ReadLine&, const ReadLine&) = default;
    friend std::ostream& operator<<(std::ostream& os, const ReadLine& line) {
        return os << line.number << ":" << static_cast<int>(line.fault) << ":"
                  << QString::fromStdU16String(line.name).left(20).toStdString();
    }
};

// The list's lines, as the reader gives them, read in pieces of `piece`
// bytes (all at once when 0).
std::vector<ReadLine> ReadList(std::string_view bytes, std::size_t piece = 0) {
    std::vector<ReadLine> lines;
    NameListReader reader([&lines](const NameLine& line) {
        EXPECT_EQ(QString::fromUtf8(line.utf8), line.name.toString());
        lines.push_back({line.number, line.fault,
                         std::u16string(reinterpret_cast<const char16_t*>(line.name.utf16()),
                                        static_cast<std::size_t>(line.name.size()))});
    });
    const std::size_t step = piece == 0 ? std::max<std::size_t>(bytes.size(), 1) : piece;
    for (std::size_t at = 0; at < bytes.size(); at += step) {
        const std::string_view part = bytes.substr(at, step);
        reader.read(QByteArrayView(part.data(), static_cast<qsizetype>(part.size())));
    }
    reader.finish();
    return lines;
}

// A one-line list's name, or nullopt when it is not valid UTF-8.
std::optional<std::u16string> Decode(std::string_view bytes) {
    const std::vector<ReadLine> lines = ReadList(bytes);
    if (!lines.empty() && lines[0].fault == LineFault::NotUtf8) {
        return std::nullopt;
    }
    return lines.empty() ? u"" : lines[0].name;
}

struct DecodeCase {
    const char* label;
    std::string bytes;
    std::optional<std::u16string> units; // nullopt: refused
};

class StrictUtf8 : public testing::TestWithParam<DecodeCase> {};

TEST_P(StrictUtf8, DecodesOrRefuses) {
    EXPECT_EQ(Decode(GetParam().bytes), GetParam().units);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StrictUtf8,
    testing::Values(DecodeCase{"empty", "", u""},
                    DecodeCase{"two_byte_lowest", "\xC2\xA0\xC2\x80\xC2\xA0", u""}, // a C1 control
                    DecodeCase{"two_byte_first_printable", "\xC2\xA1", u"\u00A1"},
                    DecodeCase{"two_byte_highest", "\xDF\xBF", u"\u07FF"},
                    DecodeCase{"three_byte_lowest", "\xE0\xA0\x80", u"\u0800"},
                    DecodeCase{"before_surrogates", "\xED\x9F\xBF", u"\uD7FF"},
                    DecodeCase{"after_surrogates", "\xEE\x80\x80", u"\uE000"},
                    DecodeCase{"four_byte_lowest", "\xF0\x90\x80\x80", u"\U00010000"},
                    DecodeCase{"highest", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
                    DecodeCase{"lone_continuation", "\x80", std::nullopt},
                    DecodeCase{"continuation_inside",
                               "Zo\xBF"
                               "e",
                               std::nullopt},
                    DecodeCase{"overlong_two_byte", "\xC0\xAF", std::nullopt},
                    DecodeCase{"overlong_c1", "\xC1\xBF", std::nullopt},
                    DecodeCase{"overlong_three_byte", "\xE0\x80\xAF", std::nullopt},
                    DecodeCase{"overlong_three_byte_top", "\xE0\x9F\xBF", std::nullopt},
                    DecodeCase{"overlong_four_byte", "\xF0\x80\x80\xAF", std::nullopt},
                    DecodeCase{"overlong_four_byte_top", "\xF0\x8F\xBF\xBF", std::nullopt},
                    DecodeCase{"high_surrogate", "\xED\xA0\x80", std::nullopt},
                    DecodeCase{"low_surrogate", "\xED\xBF\xBF", std::nullopt},
                    DecodeCase{"surrogate_pair_encoded_apart", "\xED\xA0\xBD\xED\xB8\x80",
                               std::nullopt},
                    DecodeCase{"above_highest", "\xF4\x90\x80\x80", std::nullopt},
                    DecodeCase{"lead_f5", "\xF5\x80\x80\x80", std::nullopt},
                    DecodeCase{"five_byte_form", "\xF8\x88\x80\x80\x80", std::nullopt},
                    DecodeCase{"lead_ff", "\xFF", std::nullopt},
                    // Cut off at the end: the decoder keeps no state from line to line.
                    DecodeCase{"truncated_two", "Ma\xC3", std::nullopt},
                    DecodeCase{"truncated_three", "\xE2\x82", std::nullopt},
                    DecodeCase{"truncated_four", "\xF0\x9F\x98", std::nullopt},
                    DecodeCase{"ascii_for_continuation", "\xC3\x41", std::nullopt},
                    DecodeCase{"lead_for_continuation", "\xC3\xC3\xA9", std::nullopt}),
    RowName);

// One decoder reads every line: a line cut off in the middle of a
// character, or refused, leaves nothing for the next.
TEST(StrictUtf8, OneDecoderForEveryLine) {
    const std::vector<ReadLine> lines =
        ReadList("Ma\xC3\n\xA9\nZo\xC3\xAB\n\xFF\nMary\n\xE2\x82\n\xAC\n\xE2\x82\xAC");
    const std::vector<ReadLine> expected{
        {1, LineFault::NotUtf8, u""},      {2, LineFault::NotUtf8, u""},
        {3, LineFault::None, u"Zo\u00EB"}, {4, LineFault::NotUtf8, u""},
        {5, LineFault::None, u"Mary"},     {6, LineFault::NotUtf8, u""},
        {7, LineFault::NotUtf8, u""},      {8, LineFault::None, u"\u20AC"}};
    EXPECT_EQ(lines, expected);
}

// The well-formed sequences as the Unicode standard tabulates them (the
// ranges of each byte by lead byte), written apart from any decoder.
bool WellFormed(const std::vector<unsigned>& b) {
    const auto in = [](unsigned v, unsigned lo, unsigned hi) { return v >= lo && v <= hi; };
    if (b.size() == 2) {
        return in(b[0], 0xC2, 0xDF) && in(b[1], 0x80, 0xBF);
    }
    const bool second = b[0] == 0xE0   ? in(b[1], 0xA0, 0xBF)
                        : b[0] == 0xED ? in(b[1], 0x80, 0x9F)
                                       : in(b[0], 0xE1, 0xEF) && in(b[1], 0x80, 0xBF);
    return second && in(b[2], 0x80, 0xBF);
}

// Every sequence of two bytes with a non-ASCII lead, and of three with a
// three-byte lead, is refused exactly when it is not one well-formed character
// (or, for two, the mark that starts a UTF-16 list).
TEST(StrictUtf8Exhaustive, TwoAndThreeByteLeads) {
    int mismatches = 0;
    for (unsigned a = 0x80; a < 0x100; ++a) {
        for (unsigned b = 0; b < 0x100; ++b) {
            const std::string bytes{static_cast<char>(a), static_cast<char>(b)};
            const bool utf16Mark = (a == 0xFF && b == 0xFE) || (a == 0xFE && b == 0xFF);
            mismatches += (Decode(bytes).has_value() != (WellFormed({a, b}) || utf16Mark)) ? 1 : 0;
        }
    }
    for (unsigned a = 0xE0; a <= 0xEF; ++a) {
        for (unsigned b = 0; b < 0x100; ++b) {
            for (unsigned c = 0; c < 0x100; ++c) {
                const std::string bytes{static_cast<char>(a), static_cast<char>(b),
                                        static_cast<char>(c)};
                mismatches += (Decode(bytes).has_value() != WellFormed({a, b, c})) ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Whether a control character (C0, DEL, C1) or a line or paragraph
// separator stands unescaped in UTF-8 text.
bool HasRawControl(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0U;
        if (byte < 0x20U || byte == 0x7FU || (byte == 0xC2U && next >= 0x80U && next <= 0x9FU) ||
            utf8.substr(i).starts_with("\xE2\x80\xA8") ||
            utf8.substr(i).starts_with("\xE2\x80\xA9")) {
            return true;
        }
    }
    return false;
}

std::string Json(std::string_view text) {
    std::string out;
    AppendJsonString(text, out);
    return out;
}

struct EscapeCase {
    const char* label;
    std::string text;
    std::string json;
};

class JsonEscape : public testing::TestWithParam<EscapeCase> {};

// The exact form matters: shortlist lines are compared byte for byte.
TEST_P(JsonEscape, GivesTheLiteral) {
    EXPECT_EQ(Json(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Table, JsonEscape,
    testing::Values(EscapeCase{"empty", "", R"("")"}, EscapeCase{"plain", "Mary", R"("Mary")"},
                    EscapeCase{"quote", "Jo\"e", R"("Jo\"e")"},
                    EscapeCase{"backslash", "Ma\\ry", R"("Ma\\ry")"},
                    EscapeCase{"slash_stays", "a/b", R"("a/b")"},
                    EscapeCase{"short_forms", "\b\f\n\r\t", R"("\b\f\n\r\t")"},
                    EscapeCase{"nul", std::string("a\0b", 3), R"("a\u0000b")"},
                    EscapeCase{"escape", "\x1b[31m", R"("\u001b[31m")"},
                    EscapeCase{"unit_separator", "\x1f", R"("\u001f")"},
                    EscapeCase{"delete", "\x7f", R"("\u007f")"},
                    EscapeCase{"c1_first", "\xC2\x80", R"("\u0080")"},
                    EscapeCase{"c1_last", "\xC2\x9F", R"("\u009f")"},
                    EscapeCase{"latin1_stays", "\xC2\xA0Zo\xC3\xAB", "\"\xC2\xA0Zo\xC3\xAB\""},
                    EscapeCase{"line_separator",
                               "a\xE2\x80\xA8"
                               "b",
                               R"("a\u2028b")"},
                    EscapeCase{"paragraph_separator", "\xE2\x80\xA9", R"("\u2029")"},
                    EscapeCase{"arrow_stays", "21 \xE2\x86\x92 3", "\"21 \xE2\x86\x92 3\""},
                    EscapeCase{"emoji_stays", "\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""}),
    RowName);

// A real JSON parser reads back every name exactly: each ASCII character,
// the C1 controls, the separators, and characters beyond the BMP.
TEST(JsonEscapeRoundTrip, QtReadsBackEveryName) {
    std::vector<std::u16string> names;
    for (char16_t c = 0; c < 0x100; ++c) {
        names.push_back(std::u16string{u'<', c, u'>'});
    }
    names.insert(names.end(), {u"\u2028\u2029", u"\u2027\u202A", u"\uFEFF", u"\U0001F600 Mia",
                               u"Zo\u00EB \u4E2D \U0010FFFF", u"\"\\\"\\\\"});
    int mismatches = 0;
    for (const std::u16string& name : names) {
        const QString text = QString::fromStdU16String(name);
        const std::string literal = Json(text.toStdString());
        const QJsonDocument parsed =
            QJsonDocument::fromJson(QByteArray::fromStdString("[" + literal + "]"));
        if (parsed.array().at(0).toString() != text || HasRawControl(literal)) {
            ++mismatches;
            ADD_FAILURE() << literal;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

struct ListCase {
    const char* label;
    std::string bytes;
    std::vector<ReadLine> lines;
};

class NameLines : public testing::TestWithParam<ListCase> {};

// Wherever the reads end (inside a CR LF, a UTF-8 sequence, a UTF-16 code
// unit, the mark), the lines are the same.
TEST_P(NameLines, ReadTheSameInAnyPieces) {
    for (const std::size_t piece : {0, 1, 2, 3, 5, 7}) {
        EXPECT_EQ(ReadList(GetParam().bytes, piece), GetParam().lines) << "pieces of " << piece;
    }
}

constexpr LineFault kName = LineFault::None;

// A literal's bytes, NULs included, and pieces joined: the table's bytes are
// built without `"literal" + std::string`, which GCC 12 at -O3 wrongly warns
// of (-Wrestrict).
template <std::size_t Size> std::string Bytes(const char (&literal)[Size]) {
    return {literal, Size - 1};
}
std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::string joined;
    for (const std::string_view piece : pieces) {
        joined.append(piece);
    }
    return joined;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NameLines,
    testing::Values(
        ListCase{"empty", "", {}}, ListCase{"one_byte", "A", {{1, kName, u"A"}}},
        ListCase{"line_ends_counted_alike",
                 "Mary\r\n\rZoe\n\nMia\r\rAva\n\r",
                 {{1, kName, u"Mary"}, {3, kName, u"Zoe"}, {5, kName, u"Mia"}, {7, kName, u"Ava"}}},
        ListCase{"lf_cr_is_two_ends", "Mary\n\rZoe", {{1, kName, u"Mary"}, {3, kName, u"Zoe"}}},
        ListCase{"unicode_spaces_trimmed",
                 "\t Mary \v\n\xC2\xA0Zo\xC3\xAB\xE3\x80\x80\n\xE2\x80\xAF\xC2\x85\n",
                 {{1, kName, u"Mary"}, {2, kName, u"Zo\u00EB"}}},
        ListCase{"inner_spaces_stay", "Anne\xC2\xA0Marie", {{1, kName, u"Anne\u00A0Marie"}}},
        ListCase{"controls_refused",
                 Bytes("Ma\0ry\nAnne\tMarie\nZo\xC2\x9D"
                       "e\nx\x7F\n"),
                 {{1, LineFault::ControlCharacter, u""},
                  {2, LineFault::ControlCharacter, u""},
                  {3, LineFault::ControlCharacter, u""},
                  {4, LineFault::ControlCharacter, u""}}},
        ListCase{"marks_dropped_anywhere",
                 "\xEF\xBB\xBFMary\n\xEF\xBB\xBF\nZo\xEF\xBB\xBF\xC3\xAB\n\xEF\xBB",
                 {{1, kName, u"Mary"}, {3, kName, u"Zo\u00EB"}, {4, LineFault::NotUtf8, u""}}},
        ListCase{"decomposed_composed", "Zoe\xCC\x88\n", {{1, kName, u"Zo\u00EB"}}},
        ListCase{"utf16_little_endian",
                 Utf16(u"Mary\r\nZo\u00EB\r\n\U0001F600", false),
                 {{1, kName, u"Mary"}, {2, kName, u"Zo\u00EB"}, {3, kName, u"\U0001F600"}}},
        ListCase{"utf16_big_endian",
                 Utf16(u"\uFEFFAva\rMia\u0009\n", true),
                 {{1, kName, u"Ava"}, {2, kName, u"Mia"}}},
        ListCase{"utf16_lone_surrogate",
                 Utf16(u"A\xD800\nB\xDC00\nC", false),
                 {{1, LineFault::NotUtf16, u""}, {2, LineFault::NotUtf16, u""}, {3, kName, u"C"}}},
        ListCase{"utf16_half_a_unit",
                 Utf16(u"Mia\n", false) + "A",
                 {{1, kName, u"Mia"}, {2, LineFault::NotUtf16, u""}}},
        ListCase{"utf16_mark_alone", "\xFF\xFE", {}},
        ListCase{"longest_name",
                 std::string(kMaxNameLength, 'a') + "\r\n",
                 {{1, kName, std::u16string(kMaxNameLength, u'a')}}},
        ListCase{"one_unit_too_many",
                 Joined({" ", std::string(kMaxNameLength + 1, 'a'), "\nMia"}),
                 {{1, LineFault::TooLong, u""}, {2, kName, u"Mia"}}},
        // Two code units each, one each once composed: short enough in NFC.
        ListCase{"long_until_composed",
                 [] {
                     std::string nfd;
                     for (std::size_t i = 0; i < kMaxNameLength; ++i) {
                         nfd += "e\xCC\x81";
                     }
                     return nfd;
                 }(),
                 {{1, kName, std::u16string(kMaxNameLength, u'\u00E9')}}},
        // Long lines of Hangul, marks and compatibility ideographs: NFC of the whole.
        ListCase{"long_line_in_nfc",
                 [] {
                     std::string line;
                     for (int i = 0; i < 400; ++i) {
                         line += "\xEA\xB0\x80"
                                 "e\xCC\x81"
                                 "\xEF\xA9\x8D"
                                 "\xE1\x84\x80\xE1\x85\xA1"
                                 "a\xCC\x96\xCC\x81";
                     }
                     return line;
                 }(),
                 {{1, kName,
                   [] {
                       QString line;
                       for (int i = 0; i < 400; ++i) {
                           line += QStringLiteral("\uAC00e\u0301\uFA4D\u1100\u1161a\u0316\u0301");
                       }
                       return line.normalized(QString::NormalizationForm_C).toStdU16String();
                   }()}}},
        // One run of 601 marks, out of canonical order: every U+0316 (below)
        // goes before every U+0301 (above), and the first U+0301 joins the a.
        ListCase{"long_run_of_marks_in_nfc",
                 [] {
                     std::string line = "a";
                     for (int i = 0; i < 300; ++i) {
                         line += "\xCC\x81\xCC\x96";
                     }
                     return line + "\xCC\x81";
                 }(),
                 {{1, kName,
                   u"\u00E1" + std::u16string(300, u'\u0316') + std::u16string(300, u'\u0301')}}},
        // U+FB2C is three code units in NFC: the name outgrows its line.
        ListCase{"longer_in_nfc",
                 "\xEF\xAC\xAC\xEF\xAC\xAC",
                 {{1, kName, u"\u05E9\u05BC\u05C1\u05E9\u05BC\u05C1"}}},
        ListCase{
            "too_long_to_keep",
            Joined({"Ava\n", std::string(static_cast<std::size_t>(kMaxLineBytes) + 1, 'b'),
                    "\rMia\r\n", std::string(static_cast<std::size_t>(kMaxLineBytes) * 2, 'c')}),
            {{1, kName, u"Ava"},
             {2, LineFault::TooLong, u""},
             {3, kName, u"Mia"},
             {4, LineFault::TooLong, u""}}}),
    RowName);

struct BreaksCase {
    const char* label;
    QString text;
    QString shown;
};

class LineFeeds : public testing::TestWithParam<BreaksCase> {};

TEST_P(LineFeeds, BreakAsTheSystemsTextsMean) {
    EXPECT_EQ(WithLineFeeds(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LineFeeds,
    testing::Values(BreaksCase{"plain", "Name Can Accept Text Only", "Name Can Accept Text Only"},
                    BreaksCase{"cr_alone", "available\rDo you", "available\nDo you"},
                    BreaksCase{"cr_lf_is_one_break", "a\r\nb", "a\nb"},
                    BreaksCase{"paragraphs", "a\r\n\r\nb", "a\n\nb"},
                    BreaksCase{"lf_stays", "a\nb", "a\nb"},
                    BreaksCase{"lf_cr_is_two_breaks", "a\n\rb", "a\n\nb"},
                    BreaksCase{"trailing_cr", "a\r", "a\n"},
                    BreaksCase{"cr_cr_lf", "a\r\r\nb", "a\n\nb"}, BreaksCase{"empty", "", ""}),
    RowName);

} // namespace
} // namespace kindrell::text
