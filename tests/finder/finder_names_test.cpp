// The finder as parents start from a name they like: its spellings, a name
// the list does not hold, the births over the years and the shares between
// girls and boys of the selected name, names given to both sexes, the last
// letters, and the order by trend.

#include "namelist/spellings.h"
#include "tests/finder/finder_harness.h"

#include <QFont>
#include <QHeaderView>
#include <QScrollBar>
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

    void headersSortTheTable() {
        const FinderHarness h;
        h.typeParents("John", "Zoe");
        QHeaderView* header = h.table()->horizontalHeader();
        QCOMPARE(header->sortIndicatorSection(), int(NamesModel::BirthsColumn));
        const auto click = [header](int column) {
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                       header->height() / 2));
        };
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        click(NamesModel::NameColumn);
        QCOMPARE(h.cell(0, NamesModel::NameColumn), QStringLiteral("Aadan"));
        QCOMPARE(h.cell(1, NamesModel::NameColumn), QStringLiteral("Aadvik"));
        click(NamesModel::NameColumn);
        QCOMPARE(h.cell(0, NamesModel::NameColumn), QStringLiteral("Zynia"));
        // A new column starts in its own natural order: most births first.
        click(NamesModel::BirthsColumn);
        QCOMPARE(h.cell(0, NamesModel::NameColumn), QStringLiteral("Ethan"));
        click(NamesModel::BirthsColumn);
        QCOMPARE(h.cell(0, NamesModel::BirthsColumn), QStringLiteral("100"));
        click(NamesModel::SexColumn);
        QCOMPARE(h.rowText(0), QStringLiteral("Madison|girl|3|Harmonious|Harmonious|319,090|-74%"));
    }

    // The Order box and Reversed, and the headers, are one order.
    void theOrderBoxAndTheHeadersAgree() {
        const FinderHarness h;
        h.typeParents("John", "Zoe");
        QComboBox* order = h.choices("orderBox");
        auto* reversed = h.find<QCheckBox>("reversedBox");
        QHeaderView* header = h.table()->horizontalHeader();
        const auto indicator = [header] {
            return std::pair(header->sortIndicatorSection(), header->sortIndicatorOrder());
        };
        QCOMPARE(order->currentText(), QStringLiteral("Births"));
        order->setCurrentText(QStringLiteral("Name"));
        QCOMPARE(indicator(), std::pair(int(NamesModel::NameColumn), Qt::AscendingOrder));
        QCOMPARE(h.cell(0, NamesModel::NameColumn), QStringLiteral("Aadan"));
        reversed->setChecked(true);
        QCOMPARE(indicator(), std::pair(int(NamesModel::NameColumn), Qt::DescendingOrder));
        QCOMPARE(h.cell(0, NamesModel::NameColumn), QStringLiteral("Zynia"));
        // Reversed stays as it is shown when the key changes.
        order->setCurrentText(QStringLiteral("Number"));
        QCOMPARE(indicator(), std::pair(int(NamesModel::NumberColumn), Qt::DescendingOrder));
        QVERIFY(reversed->isChecked());
        // What the headers choose, the box shows, whichever column it is.
        h.table()->sortByColumn(NamesModel::BirthsColumn, Qt::AscendingOrder);
        QCOMPARE(order->currentText(), QStringLiteral("Births"));
        QVERIFY(reversed->isChecked());
        for (const auto& [column, shown] : {std::pair{NamesModel::MotherColumn, "Mother"},
                                            {NamesModel::FatherColumn, "Father"},
                                            {NamesModel::TrendColumn, "Trend"},
                                            {NamesModel::SexColumn, "Sex"}}) {
            h.table()->sortByColumn(column, NamesModel::NaturalOrder(column));
            QCOMPARE(order->currentText(), QString::fromLatin1(shown));
        }
        QVERIFY(!reversed->isChecked());
        reversed->setChecked(true);
        QCOMPARE(indicator(), std::pair(int(NamesModel::SexColumn), Qt::DescendingOrder));
        QCOMPARE(h.cell(0, NamesModel::SexColumn), QStringLiteral("boy"));
    }

    void countsAndBirthsAreWrittenAsTheUsersLocaleWritesThem() {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const FinderHarness h;
        h.typeParents("John", "Zoe");
        const QString count = h.line("countLine");
        const QString first = h.rowText(0);
        h.box("fatherBox")->setText("Hugh");
        const QString why = h.line("emptyLine");
        QLocale::setDefault(before);
        QCOMPARE(count, QStringLiteral("3.160 of 29.389 names"));
        QCOMPARE(first, QStringLiteral("Ethan|boy|3|Harmonious|Harmonious|393.596|-57%"));
        QCOMPARE(why, QStringLiteral("No name is in harmony with both parents: 16.250 are with "
                                     "the mother, 13.139 with the father."));
    }

    // No name of the list left stays selected, nor shown in the pane: the
    // selected entry's place in one list names another entry in the next.
    // After a change of parents, filters or order the table starts at its
    // top, where the most given names are; a selected name that still
    // passes stays selected and in view.
    void theTableStartsAtTheTopOrAtTheSelectedName() {
        FinderHarness h;
        h.window->resize(900, 500);
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        h.typeParents("John", "Zoe");
        h.table()->scrollToBottom();
        QVERIFY(h.table()->verticalScrollBar()->value() > 0);
        h.box("prefixBox")->setText(QStringLiteral("Ma"));
        QCOMPARE(h.table()->verticalScrollBar()->value(), 0);
        QCOMPARE(h.cell(0, NamesModel::NameColumn), QStringLiteral("Madison"));
        h.box("prefixBox")->clear();
        // A boy's name far down the table.
        int row = h.model()->rowCount() - 1;
        while (h.cell(row, NamesModel::SexColumn) != QStringLiteral("boy")) {
            --row;
        }
        const QString name = h.cell(row, NamesModel::NameColumn);
        h.table()->selectRow(row);
        h.table()->scrollToTop();
        h.choices("sexBox")->setCurrentText(QStringLiteral("Boys"));
        const int now = h.rowOf(name, QStringLiteral("boy"));
        QVERIFY(now > 100);
        QCOMPARE(h.table()->selectionModel()->selectedRows().value(0).row(), now);
        QVERIFY(h.table()->viewport()->rect().contains(
            h.table()->visualRect(h.model()->index(now, NamesModel::NameColumn))));
    }
};

QTEST_MAIN(FinderNamesTest)
#include "finder_names_test.moc"
