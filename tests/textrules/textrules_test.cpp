// The text rules every part of the program shares: strict UTF-8 decoding
// (Qt's decoder, as configured), the JSON string escape of the shortlist's
// fast path, and lines: the byte-order mark, spaces around a name, LF or
// CR LF, and the line breaks the system's texts are shown with.

#include "textrules/json_string.h"
#include "textrules/lines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kindrell::text {
namespace {

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

// Decodes as a shortlist line is decoded; nullopt when refused.
std::optional<std::u16string> DecodeWith(QStringDecoder& decoder, std::string_view bytes) {
    std::vector<QChar> units(
        static_cast<std::size_t>(decoder.requiredSpace(static_cast<qsizetype>(bytes.size()))) + 1);
    const qsizetype count = DecodeLine(
        decoder, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), units.data());
    if (count < 0) {
        return std::nullopt;
    }
    return std::u16string(reinterpret_cast<const char16_t*>(units.data()),
                          static_cast<std::size_t>(count));
}

std::optional<std::u16string> Decode(std::string_view bytes) {
    QStringDecoder decoder = StrictUtf8Decoder();
    return DecodeWith(decoder, bytes);
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
                    DecodeCase{"nul", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
                    DecodeCase{"two_byte_lowest", "\xC2\x80", u"\u0080"},
                    DecodeCase{"two_byte_highest", "\xDF\xBF", u"\u07FF"},
                    DecodeCase{"three_byte_lowest", "\xE0\xA0\x80", u"\u0800"},
                    DecodeCase{"before_surrogates", "\xED\x9F\xBF", u"\uD7FF"},
                    DecodeCase{"after_surrogates", "\xEE\x80\x80", u"\uE000"},
                    // A mark is a character like any other: only the shortlist's first is skipped.
                    DecodeCase{"byte_order_mark_kept", "\xEF\xBB\xBFMary", u"\uFEFFMary"},
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

// The shortlist keeps one decoder for all its lines: a line cut off in the
// middle of a character, or refused, leaves nothing for the next.
TEST(StrictUtf8, OneDecoderForEveryLine) {
    QStringDecoder decoder = StrictUtf8Decoder();
    const std::vector<std::pair<std::string, std::optional<std::u16string>>> lines{
        {"Ma\xC3", std::nullopt}, {"\xA9", std::nullopt},     {"Zo\xC3\xAB", u"Zo\u00EB"},
        {"\xFF", std::nullopt},   {"Mary", u"Mary"},          {"\xE2\x82", std::nullopt},
        {"\xAC", std::nullopt},   {"\xE2\x82\xAC", u"\u20AC"}};
    for (const auto& [bytes, units] : lines) {
        EXPECT_EQ(DecodeWith(decoder, bytes), units) << bytes;
    }
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
// three-byte lead, is refused exactly when it is not one well-formed character.
TEST(StrictUtf8Exhaustive, TwoAndThreeByteLeads) {
    int mismatches = 0;
    for (unsigned a = 0x80; a < 0x100; ++a) {
        for (unsigned b = 0; b < 0x100; ++b) {
            const std::string bytes{static_cast<char>(a), static_cast<char>(b)};
            mismatches += (Decode(bytes).has_value() != WellFormed({a, b})) ? 1 : 0;
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

// A file's bytes as the name lists read them: the mark dropped at the start
// only, split at LF with a CR before it dropped, spaces around each line
// dropped; the lines joined by "|" for the row.
std::string ReadLines(std::string_view bytes) {
    std::string joined;
    bool first = true;
    const QByteArrayView text(bytes.data(), static_cast<qsizetype>(bytes.size()));
    ForEachLine(WithoutByteOrderMark(text), [&](QByteArrayView line) {
        joined += first ? "" : "|";
        joined += TrimSpaces(line).toByteArray().toStdString();
        first = false;
    });
    return joined;
}

struct LinesCase {
    const char* label;
    std::string bytes;
    std::string lines;
};

class Lines : public testing::TestWithParam<LinesCase> {};

TEST_P(Lines, SplitAsTheListsAreRead) {
    EXPECT_EQ(ReadLines(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Lines,
    testing::Values(LinesCase{"empty", "", ""}, LinesCase{"one_without_lf", "Mary", "Mary"},
                    LinesCase{"lf", "Mary\nZoe\n", "Mary|Zoe"},
                    LinesCase{"cr_lf", "Mary\r\nZoe\r\n", "Mary|Zoe"},
                    LinesCase{"cr_alone_stays", "Ma\rry\n", "Ma\rry"},
                    LinesCase{"blank_lines_count", "\n\nZoe", "||Zoe"},
                    LinesCase{"spaces_around", "  Anne Marie  \n", "Anne Marie"},
                    LinesCase{"tab_stays", "\tZoe \n", "\tZoe"},
                    LinesCase{"mark_at_start", "\xEF\xBB\xBFMary\n", "Mary"},
                    LinesCase{"mark_later_stays", "Mary\n\xEF\xBB\xBFZoe", "Mary|\xEF\xBB\xBFZoe"},
                    LinesCase{"half_a_mark_stays", "\xEF\xBBMary", "\xEF\xBBMary"}),
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
