// Weighing names against two parents: every verdict and number as the
// engine's own reading gives it, and the filters and orders of a selection.

#include "engine/reading.h"
#include "namelist/weighing.h"

#include <QtTest>

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

using namespace kindrell;
using namespace kindrell::namelist;

namespace {

std::u16string U16(const QString& text) {
    return text.toStdU16String();
}

const NameList& Bundled() {
    static const NameList list = LoadBundledNames();
    return list;
}

QStringList Names(const NameList& list, const std::vector<std::int32_t>& rows) {
    QStringList names;
    for (const std::int32_t row : rows) {
        const NameEntry& entry = list.entries()[static_cast<std::size_t>(row)];
        names << entry.name + QLatin1Char('/') + SexName(entry.sex);
    }
    return names;
}

// A filter of every name but for its sex, harmony and first letters.
Filter Filtered(SexFilter sex, HarmonyFilter harmony, QString prefix = {}) {
    Filter filter;
    filter.sex = sex;
    filter.harmony = harmony;
    filter.prefix = std::move(prefix);
    return filter;
}

// A list of one's own, names as people write them.
QStringList OwnNames() {
    return {"Al",
            QStringLiteral("Jos\u00E9"),
            QStringLiteral("Zo\u00EB"),
            "Mia",
            "Anne-Marie",
            "Nevaeh",
            "Christopher",
            "Li Wei",
            QStringLiteral("O\u2019Neil"),
            QStringLiteral("\u0141ukasz"),
            QStringLiteral("\u674E\u660E"),
            "Sophia",
            "Emma",
            "Elizabeth",
            "Ava",
            "Aurelia"};
}

bool HarmoniousWithMother(CompatibilityVerdict verdict) {
    return TextsOf(verdict).mother == QStringLiteral("Harmonious");
}

bool HarmoniousWithFather(CompatibilityVerdict verdict) {
    return TextsOf(verdict).father == QStringLiteral("Harmonious");
}

} // namespace

Q_DECLARE_METATYPE(SexFilter)
Q_DECLARE_METATYPE(HarmonyFilter)
Q_DECLARE_METATYPE(SortKey)
Q_DECLARE_METATYPE(CompatibilityVerdict)

class WeighingTest : public QObject {
    Q_OBJECT
  private slots:
    // The verdict table has a row exactly when 1 <= mother's <= father's;
    // the letters A to I are worth 1 to 9 and a dash nothing.
    void pairsWithARow() {
        const QString digits = QStringLiteral("-ABCDEFGHI");
        for (int mother = 0; mother <= 9; ++mother) {
            for (int father = 0; father <= 9; ++father) {
                const Weighing weighing(digits.mid(father, 1), digits.mid(mother, 1));
                QCOMPARE(weighing.motherNumber(), mother);
                QCOMPARE(weighing.pairHasRow(), 1 <= mother && mother <= father);
            }
        }
    }

    // The parents as the engine reads them: the names typed, their letters
    // folded (an accented letter counts as its base letter).
    void everyNameIsWeighedAsTheEngineReadsIt_data() {
        QTest::addColumn<QString>("father");
        QTest::addColumn<QString>("mother");
        QTest::addColumn<QString>("fatherRead");
        QTest::addColumn<QString>("motherRead");
        const auto row = [](const char* label, const QString& father, const QString& mother,
                            const QString& fatherRead = {}, const QString& motherRead = {}) {
            QTest::newRow(label) << father << mother << (fatherRead.isEmpty() ? father : fatherRead)
                                 << (motherRead.isEmpty() ? mother : motherRead);
        };
        row("John and Zoe", "John", "Zoe");
        row("Ramesh Kumar and Anne-Marie O'Neil", "Ramesh Kumar", "Anne-Marie O'Neil");
        row("spaces around the names", "  Peter ", " Mary  ");
        row("the mother's number above the father's", "Al", "Ruth");
        row("a father without letters", "123", "Mary");
        row("accented letters count as their base", QStringLiteral("J\u00F6rg"),
            QStringLiteral("Ren\u00E9e"), "Jorg", "Renee");
        row("9 and 9", "Ii", "Ir");
    }
    void everyNameIsWeighedAsTheEngineReadsIt() {
        QFETCH(QString, father);
        QFETCH(QString, mother);
        QFETCH(QString, fatherRead);
        QFETCH(QString, motherRead);
        const Weighing weighing(father, mother);
        const Reading parents = ComposeReading(u"", U16(fatherRead), U16(motherRead));
        QCOMPARE(weighing.fatherNumber(), parents.FatherNumber);
        QCOMPARE(weighing.motherNumber(), parents.MotherNumber);
        int harmonious = 0;
        for (const NameEntry& entry : Bundled().entries()) {
            const Reading reading =
                ComposeReading(U16(entry.name), U16(fatherRead), U16(motherRead));
            QCOMPARE(entry.number, reading.ChildNumber);
            QCOMPARE(weighing.verdict(entry), reading.Verdict);
            const VerdictTexts texts = TextsOf(weighing.verdict(entry));
            QCOMPARE(U16(texts.motherLine), reading.MotherVerdictLine);
            QCOMPARE(U16(texts.fatherLine), reading.FatherVerdictLine);
            harmonious += reading.Verdict == CompatibilityVerdict::Harmonious ? 1 : 0;
        }
        // The default selection is exactly the names harmonious with both.
        QCOMPARE(SelectNames(Bundled(), weighing, Filter{}).size(),
                 static_cast<std::size_t>(harmonious));
    }

    void verdictTexts_data() {
        QTest::addColumn<CompatibilityVerdict>("verdict");
        QTest::addColumn<QString>("mother");
        QTest::addColumn<QString>("father");
        QTest::newRow("harmonious") << CompatibilityVerdict::Harmonious << "Harmonious"
                                    << "Harmonious";
        QTest::newRow("with the mother")
            << CompatibilityVerdict::HarmoniousWithParent1 << "Harmonious"
            << "Not Harmonious";
        QTest::newRow("with the father")
            << CompatibilityVerdict::HarmoniousWithParent2 << "Not Harmonious"
            << "Harmonious";
        QTest::newRow("not at all")
            << CompatibilityVerdict::NotHarmoniousAtAll << "Not Harmonious At All"
            << "Not Harmonious At All";
    }
    void verdictTexts() {
        QFETCH(CompatibilityVerdict, verdict);
        QFETCH(QString, mother);
        QFETCH(QString, father);
        const VerdictTexts texts = TextsOf(verdict);
        QCOMPARE(texts.mother, mother);
        QCOMPARE(texts.father, father);
        QCOMPARE(texts.motherLine, QStringLiteral("Compatibility with Mother: ") + mother);
        QCOMPARE(texts.fatherLine, QStringLiteral("Compatibility with Father: ") + father);
    }

    // Each filter against a plain check of every entry with the engine.
    void filtersKeepExactlyTheMatchingNames_data() {
        QTest::addColumn<SexFilter>("sex");
        QTest::addColumn<HarmonyFilter>("harmony");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("number"); // -1: any
        QTest::addColumn<int>("expected");
        QTest::newRow("default") << SexFilter::Both << HarmonyFilter::WithBoth << "" << -1 << -1;
        QTest::newRow("girls") << SexFilter::Girls << HarmonyFilter::WithBoth << "" << -1 << -1;
        QTest::newRow("boys, with the mother")
            << SexFilter::Boys << HarmonyFilter::WithMother << "" << -1 << -1;
        QTest::newRow("with the father")
            << SexFilter::Both << HarmonyFilter::WithFather << "" << -1 << -1;
        QTest::newRow("any verdict, number 7")
            << SexFilter::Both << HarmonyFilter::Any << "" << 7 << -1;
        QTest::newRow("prefix in small letters")
            << SexFilter::Both << HarmonyFilter::Any << "mar" << -1 << -1;
        QTest::newRow("prefix with spaces around")
            << SexFilter::Girls << HarmonyFilter::Any << "  MaR " << -1 << -1;
        // Counted in the derived file with a script of its own.
        QTest::newRow("names starting with Mary")
            << SexFilter::Both << HarmonyFilter::Any << "mary" << -1 << 48;
        QTest::newRow("girls starting with Mary, number 3")
            << SexFilter::Girls << HarmonyFilter::Any << "MARY" << 3 << 6;
        QTest::newRow("a whole name")
            << SexFilter::Both << HarmonyFilter::Any << "maryjane" << -1 << 1;
        QTest::newRow("no name starts so")
            << SexFilter::Both << HarmonyFilter::Any << "Xq" << -1 << 0;
        QTest::newRow("number 0: no bundled name lacks letters")
            << SexFilter::Both << HarmonyFilter::Any << "" << 0 << 0;
    }
    void filtersKeepExactlyTheMatchingNames() {
        QFETCH(SexFilter, sex);
        QFETCH(HarmonyFilter, harmony);
        QFETCH(QString, prefix);
        QFETCH(int, number);
        QFETCH(int, expected);
        const QString father = QStringLiteral("John");
        const QString mother = QStringLiteral("Zoe");
        const Weighing weighing(father, mother);
        Filter filter = Filtered(sex, harmony, prefix);
        if (number >= 0) {
            filter.number = static_cast<DestinyNumber>(number);
        }
        const std::vector<std::int32_t> rows = SelectNames(Bundled(), weighing, filter);
        std::vector<std::int32_t> reference;
        const QString trimmed = prefix.trimmed();
        const auto& entries = Bundled().entries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const NameEntry& entry = entries[i];
            const CompatibilityVerdict verdict =
                GetCompatibility(GetDestinyNumber(U16(entry.name)), GetDestinyNumber(u"Zoe"),
                                 GetDestinyNumber(u"John"));
            const bool keep =
                (sex == SexFilter::Both || (sex == SexFilter::Girls) == (entry.sex == Sex::Girl)) &&
                (harmony == HarmonyFilter::Any ||
                 (harmony == HarmonyFilter::WithBoth &&
                  verdict == CompatibilityVerdict::Harmonious) ||
                 (harmony == HarmonyFilter::WithMother && HarmoniousWithMother(verdict)) ||
                 (harmony == HarmonyFilter::WithFather && HarmoniousWithFather(verdict))) &&
                entry.name.startsWith(trimmed, Qt::CaseInsensitive) &&
                (number < 0 || entry.number == number);
            if (keep) {
                reference.push_back(static_cast<std::int32_t>(i));
            }
        }
        std::vector<std::int32_t> sorted = rows;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, reference);
        if (expected >= 0) {
            QCOMPARE(static_cast<int>(rows.size()), expected);
        }
        QVERIFY(!rows.empty() || expected == 0);
    }

    void prefixFoldsOnlyAToZ() {
        const NameList list =
            NameList::FromNames({QStringLiteral("\u00C9lise"), QStringLiteral("\u00E9lise"),
                                 "Elise", "ilka", "Ilka", QStringLiteral("\u0130lknur")});
        const Weighing weighing(u"John", u"Zoe");
        const auto select = [&](const QString& prefix) {
            Filter filter = Filtered(SexFilter::Both, HarmonyFilter::Any, prefix);
            filter.ordering = {SortKey::Name, false};
            return Names(list, SelectNames(list, weighing, filter));
        };
        QCOMPARE(select(QStringLiteral("\u00E9")), QStringList{QStringLiteral("\u00E9lise/")});
        QCOMPARE(select("e"), QStringList{"Elise/"});
        // The dotted capital I is not I, and i is not its small letter.
        QCOMPARE(select("I"), (QStringList{"Ilka/", "ilka/"}));
        QCOMPARE(select(QStringLiteral("\u0130")), QStringList{QStringLiteral("\u0130lknur/")});
    }

    // Length counts a name's letters as it is written, whatever their marks
    // or script, and nothing else: each choice keeps exactly the names with
    // that many, in a list of one's own and in the bundled list (whose names
    // are letters alone).
    void lengthCountsTheLettersAsWritten_data() {
        QTest::addColumn<LengthFilter>("length");
        QTest::addColumn<int>("fewest");
        QTest::addColumn<int>("most");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("any") << LengthFilter::Any << 0 << 99 << OwnNames();
        QTest::newRow("up to 4")
            << LengthFilter::UpToFour << 0 << 4
            << QStringList{"Al",  QStringLiteral("Jos\u00E9"),    QStringLiteral("Zo\u00EB"),
                           "Mia", QStringLiteral("\u674E\u660E"), "Emma",
                           "Ava"};
        QTest::newRow("5 to 6") << LengthFilter::FiveToSix << 5 << 6
                                << QStringList{"Nevaeh", "Li Wei", QStringLiteral("O\u2019Neil"),
                                               QStringLiteral("\u0141ukasz"), "Sophia"};
        QTest::newRow("7 or more")
            << LengthFilter::SevenOrMore << 7 << 99
            << QStringList{"Anne-Marie", "Christopher", "Elizabeth", "Aurelia"};
    }
    void lengthCountsTheLettersAsWritten() {
        QFETCH(LengthFilter, length);
        QFETCH(int, fewest);
        QFETCH(int, most);
        QFETCH(QStringList, kept);
        const Weighing weighing(u"John", u"Zoe");
        Filter filter = Filtered(SexFilter::Both, HarmonyFilter::Any);
        filter.length = length;
        const NameList own = NameList::FromNames(OwnNames());
        QStringList ownKept;
        for (const std::int32_t row : SelectNames(own, weighing, filter)) {
            ownKept << own.entries()[static_cast<std::size_t>(row)].name;
        }
        ownKept.sort();
        kept.sort();
        QCOMPARE(ownKept, kept);
        const std::vector<std::int32_t> rows = SelectNames(Bundled(), weighing, filter);
        const auto fits = [&](const NameEntry& entry) {
            return entry.name.size() >= fewest && entry.name.size() <= most;
        };
        QCOMPARE(static_cast<qsizetype>(rows.size()),
                 std::count_if(Bundled().entries().begin(), Bundled().entries().end(), fits));
        for (const std::int32_t row : rows) {
            QVERIFY(fits(Bundled().entries()[static_cast<std::size_t>(row)]));
        }
    }

    void namesWithoutSexPassEverySexFilter() {
        const NameList list = NameList::FromNames({"Mary", "John"});
        const Weighing weighing(u"John", u"Zoe");
        for (const SexFilter sex : {SexFilter::Both, SexFilter::Girls, SexFilter::Boys}) {
            const Filter filter = Filtered(sex, HarmonyFilter::Any);
            QCOMPARE(SelectNames(list, weighing, filter).size(), std::size_t{2});
        }
    }

    void orders_data() {
        QTest::addColumn<SortKey>("key");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<QStringList>("expected");
        // Mother "Ann" (1+5+5 = 11 -> 2) and father "Tom" (2+6+4 = 12 -> 3):
        // Ada 6 Harmonious, Bob 1 and Eve 5 with the father only, Kit 4 and
        // Pia 8 with the mother only, Max 2 Harmonious, Jo 7 not at all.
        const auto row = [](const char* names) {
            return QString::fromLatin1(names).split(QLatin1Char(' '));
        };
        QTest::newRow("births")
            << SortKey::Births << false
            << row("Eve/girl Ada/girl Jo/boy Kit/girl Bob/boy Pia/girl Max/boy");
        // Reversed turns the key round, not the ties: Bob and Pia, and Ada,
        // Jo and Kit, keep their name order.
        QTest::newRow("births reversed")
            << SortKey::Births << true
            << row("Max/boy Bob/boy Pia/girl Ada/girl Jo/boy Kit/girl Eve/girl");
        QTest::newRow("name") << SortKey::Name << false
                              << row("Ada/girl Bob/boy Eve/girl Jo/boy Kit/girl Max/boy Pia/girl");
        QTest::newRow("sex") << SortKey::Sex << false
                             << row("Eve/girl Ada/girl Kit/girl Pia/girl Jo/boy Bob/boy Max/boy");
        QTest::newRow("number")
            << SortKey::Number << false
            << row("Bob/boy Max/boy Kit/girl Eve/girl Ada/girl Jo/boy Pia/girl");
        QTest::newRow("mother")
            << SortKey::Mother << false
            << row("Ada/girl Kit/girl Pia/girl Max/boy Eve/girl Bob/boy Jo/boy");
        QTest::newRow("father")
            << SortKey::Father << false
            << row("Eve/girl Ada/girl Bob/boy Max/boy Kit/girl Pia/girl Jo/boy");
        QTest::newRow("father reversed")
            << SortKey::Father << true
            << row("Jo/boy Kit/girl Pia/girl Eve/girl Ada/girl Bob/boy Max/boy");
    }
    void orders() {
        QFETCH(SortKey, key);
        QFETCH(bool, reversed);
        QFETCH(QStringList, expected);
        const NameList list(std::vector<NameEntry>{
            {"Ada", Sex::Girl, 300, 0},
            {"Bob", Sex::Boy, 200, 0},
            {"Jo", Sex::Boy, 300, 0},
            {"Kit", Sex::Girl, 300, 0},
            {"Eve", Sex::Girl, 900, 0},
            {"Max", Sex::Boy, 100, 0},
            {"Pia", Sex::Girl, 200, 0},
        });
        const Weighing weighing(u"Tom", u"Ann");
        Filter any = Filtered(SexFilter::Both, HarmonyFilter::Any);
        any.ordering = {key, reversed};
        QCOMPARE(Names(list, SelectNames(list, weighing, any)), expected);
    }

    // Every order of the bundled list, forwards and reversed, against a sort
    // by the key alone with the births order breaking ties (most births
    // first, name by code units, girl before boy): the list's many equal
    // births and names given to both sexes are the ties.
    void everyOrderBreaksTiesByTheBirthsOrder_data() {
        QTest::addColumn<SortKey>("key");
        for (const auto& [name, key] :
             {std::pair{"births", SortKey::Births}, std::pair{"name", SortKey::Name},
              std::pair{"sex", SortKey::Sex}, std::pair{"number", SortKey::Number},
              std::pair{"mother", SortKey::Mother}, std::pair{"father", SortKey::Father},
              std::pair{"trend", SortKey::Trend}}) {
            QTest::newRow(name) << key;
        }
    }
    void everyOrderBreaksTiesByTheBirthsOrder() {
        QFETCH(SortKey, key);
        const NameList& list = Bundled();
        const Weighing weighing(u"John", u"Zoe");
        const auto& entries = list.entries();
        const auto keyOf = [&](const NameEntry& entry) -> QString {
            const VerdictTexts texts = TextsOf(weighing.verdict(entry));
            switch (key) {
            case SortKey::Births:
                return QString::number(1'000'000'000 - entry.births.value_or(0)).rightJustified(10);
            case SortKey::Name:
                return entry.name;
            case SortKey::Sex:
                return SexName(entry.sex) == QStringLiteral("girl") ? "0" : "1";
            case SortKey::Number:
                return QString::number(entry.number);
            case SortKey::Mother:
                return texts.mother.size() == 10 ? "0" : texts.mother; // "Harmonious" first
            case SortKey::Father:
                return texts.father.size() == 10 ? "0" : texts.father;
            case SortKey::Trend: { // new first, then the greatest rise
                const auto trend = list.trend(static_cast<std::int32_t>(&entry - entries.data()));
                return trend->isNew ? QStringLiteral("0")
                                    : QString::number(1'000'000'000 - trend->percent)
                                          .rightJustified(11, u'0');
            }
            }
            return {};
        };
        const auto birthsOrder = [](const NameEntry& a, const NameEntry& b) {
            if (a.births != b.births) {
                return a.births.value_or(-1) > b.births.value_or(-1);
            }
            return a.name != b.name ? a.name < b.name : SexName(a.sex) > SexName(b.sex);
        };
        std::vector<QString> keys;
        keys.reserve(entries.size());
        for (const NameEntry& entry : entries) {
            keys.push_back(keyOf(entry));
        }
        for (const bool reversed : {false, true}) {
            std::vector<std::int32_t> expected(entries.size());
            std::iota(expected.begin(), expected.end(), 0);
            std::sort(expected.begin(), expected.end(), [&](std::int32_t a, std::int32_t b) {
                const auto x = static_cast<std::size_t>(a);
                const auto y = static_cast<std::size_t>(b);
                if (keys[x] != keys[y]) {
                    return reversed ? keys[y] < keys[x] : keys[x] < keys[y];
                }
                return birthsOrder(entries[x], entries[y]);
            });
            Filter any = Filtered(SexFilter::Both, HarmonyFilter::Any);
            any.ordering = {key, reversed};
            QCOMPARE(SelectNames(list, weighing, any), expected);
        }
    }
};

QTEST_GUILESS_MAIN(WeighingTest)
#include "weighing_test.moc"
