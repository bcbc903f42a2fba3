// The finder as parents start from a name they like: its spellings, a name
// the list does not hold, the births over the years and the shares between
// girls and boys of the selected name, names given to both sexes, the last
// letters, and the order by trend.

#include "namelist/spellings.h"
#include "tests/finder/finder_harness.h"

#include <QFont>
#include <QHeaderView>
#include <QtTest>

using kindrell::finder::NamesModel;
using kindrell::finder::test::AccessibleText;
using kindrell::finder::test::FinderHarness;
namespace namelist = kindrell::namelist;

namespace {

// How many of the liked name's spellings the two parents' numbers keep.
// How many of a liked name's other spellings are harmonious with both parents.
qsizetype HarmoniousSpellings(const FinderHarness& h, const QString& liked) {
    const namelist::NameList& list = h.model()->list();
    const namelist::LikedName found = namelist::FindLikedName(list, liked);
    qsizetype kept = 0;
    for (const std::int32_t index : found.spellings) {
        kept += std::count(found.own.begin(), found.own.end(), index) == 0 &&
                        h.model()->weighing().verdict(list.entries()[index]) ==
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
    // The liked name's own entries stand first, in bold, whatever the
    // filters say; its other spellings follow, under the filters.
    void aLikedNameStandsFirstWithItsSpellings() {
        const FinderHarness h;
        h.typeParents("John", "Mary");
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        QTest::keyClicks(h.box("likeBox"), "aidan");
        const namelist::LikedName liked = namelist::FindLikedName(h.model()->list(), u"Aidan");
        const auto own = static_cast<int>(liked.own.size());
        QCOMPARE(own, 2); // a boy's name and a girl's
        const QString others = QString::number(liked.spellings.size() - liked.own.size());
        QCOMPARE(h.line("countLine"), others + " of " + others + " other spellings of Aidan");
        const auto likedFirst = [&h, own] {
            for (int row = 0; row < h.model()->rowCount(); ++row) {
                const QModelIndex cell = h.model()->index(row, NamesModel::NameColumn);
                if ((cell.data().toString() == QStringLiteral("Aidan")) != (row < own) ||
                    cell.data(Qt::FontRole).value<QFont>().bold() != (row < own)) {
                    return false;
                }
            }
            return h.model()->rowCount() >= own;
        };
        QVERIFY(likedFirst());
        for (int row = 0; row < h.model()->rowCount(); ++row) {
            QVERIFY(std::count(liked.spellings.begin(), liked.spellings.end(),
                               h.model()->entryIndexAt(row)));
        }
        // John 2 and Mary 3: the table has no row for the pair, and Aidan
        // stands alone, with its verdicts.
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("With both parents"));
        QCOMPARE(h.line("countLine"), "0 of " + others + " other spellings of Aidan");
        QCOMPARE(h.model()->rowCount(), own);
        QCOMPARE(h.cell(0, NamesModel::MotherColumn), QStringLiteral("Not Harmonious At All"));
        h.box("fatherBox")->setText("Jacob");
        const qsizetype kept = HarmoniousSpellings(h, "Aidan");
        QVERIFY(kept > 0);
        QCOMPARE(h.line("countLine"),
                 QString::number(kept) + " of " + others + " other spellings of Aidan");
        // A filter that Aidan does not pass leaves it first all the same.
        h.box("prefixBox")->setText("Ay");
        QVERIFY(likedFirst());
        h.box("likeBox")->setText("  ");
        QVERIFY(h.line("countLine").endsWith(" of 29,389 names"));
    }

    // Parents who write their names with their accents find the names they
    // would find without.
    void accentedParentsFindTheSameNames() {
        const FinderHarness h;
        const auto rows = [&h](const QString& father, const QString& mother) {
            h.box("fatherBox")->setText(father);
            h.box("motherBox")->setText(mother);
            QStringList all;
            for (int row = 0; row < h.model()->rowCount(); ++row) {
                all << h.rowText(row);
            }
            return std::pair(all, h.line("countLine"));
        };
        const auto plain = rows("Jose", "Zoe");
        QCOMPARE(plain.second, QStringLiteral("3,311 of 29,389 names"));
        QCOMPARE(rows(QStringLiteral("Jos\u00E9"), QStringLiteral("Zo\u00EB")), plain);
    }

    void aLikedNameNotInTheListIsWeighedItself() {
        const FinderHarness h;
        h.typeParents("Jacob", "Mary");
        QTest::keyClicks(h.box("likeBox"), "Aidann");
        QCOMPARE(h.line("countLine"), QStringLiteral("0 of 0 other spellings of Aidann"));
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
        QVERIFY(h.line("countLine").endsWith(" other spellings of Aidan"));
    }
};

QTEST_MAIN(FinderNamesTest)
#include "finder_names_test.moc"
