// The finder as parents start from a name they like: its spellings, a name
// the list does not hold, the births over the years and the shares between
// girls and boys of the selected name, names given to both sexes, the last
// letters, and the order by trend.

#include "namelist/spellings.h"
#include "tests/finder/finder_harness.h"

#include <QHeaderView>
#include <QtTest>

using kindrell::finder::NamesModel;
using kindrell::finder::test::AccessibleText;
using kindrell::finder::test::FinderHarness;
namespace namelist = kindrell::namelist;

namespace {

// How many of the liked name's spellings the two parents' numbers keep.
qsizetype HarmoniousSpellings(const FinderHarness& h, const QString& liked) {
    const namelist::NameList& list = h.model()->list();
    qsizetype kept = 0;
    for (const std::int32_t index : namelist::FindLikedName(list, liked).spellings) {
        kept += h.model()->weighing().verdict(list.entries()[index]) ==
                        kindrell::CompatibilityVerdict::Harmonious
                    ? 1
                    : 0;
    }
    return kept;
}

} // namespace

class FinderNamesTest : public QObject {
    Q_OBJECT
  private slots:
    void aLikedNameShowsItsSpellings() {
        const FinderHarness h;
        h.typeParents("John", "Mary");
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        QTest::keyClicks(h.box("likeBox"), "aidan");
        const auto spellings = namelist::FindLikedName(h.model()->list(), u"Aidan").spellings;
        QVERIFY(spellings.size() > 10);
        const QString all = QString::number(spellings.size());
        QCOMPARE(h.line("countLine"), all + " of " + all + " spellings of Aidan");
        for (int row = 0; row < h.model()->rowCount(); ++row) {
            QVERIFY(std::count(spellings.begin(), spellings.end(), h.model()->entryIndexAt(row)));
        }
        // John 2 and Mary 3: the table has no row for the pair.
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("With both parents"));
        QCOMPARE(h.line("countLine"), "0 of " + all + " spellings of Aidan");
        h.box("fatherBox")->setText("Jacob");
        const qsizetype kept = HarmoniousSpellings(h, "Aidan");
        QVERIFY(kept > 0);
        QCOMPARE(h.line("countLine"), QString::number(kept) + " of " + all + " spellings of Aidan");
        h.box("likeBox")->setText("  ");
        QVERIFY(h.line("countLine").endsWith(" of 29,389 names"));
    }

    void aLikedNameNotInTheListIsWeighedItself() {
        const FinderHarness h;
        h.typeParents("Jacob", "Mary");
        QTest::keyClicks(h.box("likeBox"), "Aidann");
        QCOMPARE(h.line("countLine"), QStringLiteral("0 of 0 spellings of Aidann"));
        QCOMPARE(h.line("emptyLine"),
                 QStringLiteral("Only the names of the bundled list have spellings to show."));
        QCOMPARE(h.line("selectedName"), QStringLiteral("Aidann"));
        QCOMPARE(h.line("working"),
                 QStringLiteral("A 1 + I 9 + D 4 + A 1 + N 5 + N 5 = 25 \u2192 7"));
        QCOMPARE(h.line("motherLine"), QStringLiteral("Compatibility with Mother: Not Harmonious"));
        QCOMPARE(h.line("likedLine"), QStringLiteral("Aidann is not in the bundled list"));
        h.box("likeBox")->clear();
        QCOMPARE(h.line("likedLine"), QString());
        QCOMPARE(h.line("selectedName"), QStringLiteral("No name selected"));
    }

    void theSelectedNameShowsItsYearsAndShares_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("shares");
        QTest::newRow("given to both") << "Riley"
                                       << "boy"
                                       << "Girls 64%, boys 36%";
        QTest::newRow("mostly a boy's") << "Liam"
                                        << "girl"
                                        << "Girls 0%, boys 100%";
        QTest::newRow("a boy's alone") << "Mateo"
                                       << "boy"
                                       << "";
    }
    void theSelectedNameShowsItsYearsAndShares() {
        QFETCH(QString, name);
        QFETCH(QString, sex);
        QFETCH(QString, shares);
        const FinderHarness h;
        h.typeParents("John", "Zoe");
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        h.box("likeBox")->setText(name);
        h.table()->selectRow(h.rowOf(name, sex));
        QCOMPARE(h.line("selectedName"), name + " (" + sex + ")");
        QCOMPARE(h.line("sharesLine"), shares);
        QCOMPARE(h.find<QLabel>("sharesLine")->isHidden(), shares.isEmpty());
        auto* chart = h.find<QWidget>("birthsChart");
        QVERIFY(!chart->isHidden());
        const QStringList years =
            AccessibleText(chart, QAccessible::Description).split(QStringLiteral("; "));
        QCOMPARE(years.size(), 25);
        const namelist::NameHistory* history =
            h.model()->list().history(h.model()->entryIndexAt(h.rowOf(name, sex)));
        QCOMPARE(years.back(), "2024: " + QLocale().toString(history->births.back()));
        h.table()->clearSelection();
        QVERIFY(chart->isHidden());
        QCOMPARE(h.line("sharesLine"), QString());
    }

    void namesGivenToBothAndLastLetters() {
        const FinderHarness h;
        h.typeParents("John", "Zoe");
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        h.choices("sexBox")->setCurrentText(QStringLiteral("Given to both"));
        QCOMPARE(h.line("countLine"), QStringLiteral("2,948 of 29,389 names"));
        QTest::keyClicks(h.box("suffixBox"), "LEY");
        const int rows = h.model()->rowCount();
        QVERIFY(rows > 10 && rows < 2948);
        for (int row = 0; row < rows; ++row) {
            QVERIFY(h.cell(row, NamesModel::NameColumn).endsWith("ley"));
            QVERIFY(h.rowOf(h.cell(row, NamesModel::NameColumn),
                            h.cell(row, NamesModel::SexColumn) == "girl" ? "boy" : "girl") >= 0);
        }
    }

    void theTrendOrderAndTheNewBoxesAreRemembered() {
        FinderHarness h;
        h.typeParents("John", "Zoe");
        h.choices("orderBox")->setCurrentText(QStringLiteral("Trend"));
        QCOMPARE(h.table()->horizontalHeader()->sortIndicatorSection(),
                 int(NamesModel::TrendColumn));
        QCOMPARE(h.cell(0, NamesModel::TrendColumn), QStringLiteral("new"));
        h.box("likeBox")->setText("Aidan");
        h.box("suffixBox")->setText("n");
        h.restart();
        QCOMPARE(h.box("likeBox")->text(), QStringLiteral("Aidan"));
        QCOMPARE(h.box("suffixBox")->text(), QStringLiteral("n"));
        QCOMPARE(h.choices("orderBox")->currentText(), QStringLiteral("Trend"));
        QVERIFY(h.line("countLine").endsWith(" spellings of Aidan"));
    }
};

QTEST_MAIN(FinderNamesTest)
#include "finder_names_test.moc"
