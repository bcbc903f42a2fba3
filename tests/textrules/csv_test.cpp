// Tables as spreadsheets write them: every record written and read back
// field for field, and the forms spreadsheets write that the finder never
// does (fields quoted for no reason, a quote left open at the end).

#include "textrules/csv.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace kindrell::text {
namespace {

// The records read from a table's text, handed over a line at a time as a
// list reader hands them (line ends gone, CR LF or LF alike).
std::vector<QStringList> Read(const QString& table) {
    std::vector<QStringList> records;
    CsvRecords reader([&records](const QStringList& fields) { records.push_back(fields); });
    QString text = table;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (lines.constLast().isEmpty()) {
        lines.removeLast();
    }
    for (const QString& line : lines) {
        reader.line(line);
    }
    reader.finish();
    return records;
}

// A row's label, as the name of its test.
const auto RowName = [](const auto& info) {
    std::string name = info.param.label;
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    return name;
};

struct RoundTrip {
    const char* label;
    QStringList fields;
    QString written; // the record as written
};

class CsvRoundTrip : public testing::TestWithParam<RoundTrip> {};

TEST_P(CsvRoundTrip, ReadsBackWhatWasWritten) {
    const RoundTrip& row = GetParam();
    EXPECT_EQ(CsvRecord(row.fields), row.written);
    // A line break inside a field is read back as LF.
    QStringList expected = row.fields;
    for (QString& field : expected) {
        field.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    EXPECT_EQ(Read(row.written + CsvRecord({QStringLiteral("next")})),
              (std::vector<QStringList>{expected, {QStringLiteral("next")}}));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvRoundTrip,
    testing::Values(RoundTrip{"plain", {"Sofia", "girl", "5"}, "Sofia,girl,5\r\n"},
                    RoundTrip{"comma", {"O'Brien, Jr", "boy"}, "\"O'Brien, Jr\",boy\r\n"},
                    RoundTrip{"quotes", {"Zo\u00EB \"Zee\""}, "\"Zo\u00EB \"\"Zee\"\"\"\r\n"},
                    RoundTrip{"a quote alone", {"\""}, "\"\"\"\"\r\n"},
                    RoundTrip{
                        "line breaks", {"Anne\nMarie", "a\r\nb"}, "\"Anne\nMarie\",\"a\r\nb\"\r\n"},
                    RoundTrip{"an empty line inside", {"a\n\nb"}, "\"a\n\nb\"\r\n"},
                    RoundTrip{"spaces at the ends", {" Mia ", ""}, "\" Mia \",\r\n"},
                    RoundTrip{"empty fields", {"", "", ""}, ",,\r\n"}),
    RowName);

struct Written {
    const char* label;
    QString table;
    std::vector<QStringList> records;
};

class CsvAsWritten : public testing::TestWithParam<Written> {};

TEST_P(CsvAsWritten, GivesTheRecords) {
    EXPECT_EQ(Read(GetParam().table), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Spreadsheets, CsvAsWritten,
    testing::Values(Written{"every field quoted",
                            "\"Name\",\"Sex\"\r\n\"Mia\",\"F\"\r\n",
                            {{"Name", "Sex"}, {"Mia", "F"}}},
                    Written{"no line end at the end", "Name\nMia", {{"Name"}, {"Mia"}}},
                    Written{"a quote inside an unquoted field", "Jo\"e,x\n", {{"Jo\"e", "x"}}},
                    Written{"a quote left open", "Name\n\"Mia,x\n", {{"Name"}, {"Mia,x"}}},
                    Written{"text after a closing quote", "\"Mi\"a,b\n", {{"Mia", "b"}}}),
    RowName);

} // namespace
} // namespace kindrell::text
