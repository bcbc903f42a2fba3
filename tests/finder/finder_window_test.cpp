// The name finder's window, driven offscreen through the recording fakes:
// typing the parents, the filters and the count line, the table and its
// orders, the selected name's working, marks and saving them, opening a
// list of one's own, and what screen readers and the keyboard get.

#include "engine/descriptions.h"
#include "tests/finder/finder_harness.h"
#include "tests/support/folding_cases.h"

#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using kindrell::finder::FinderServices;
using kindrell::finder::FinderWindow;
using kindrell::finder::NamesModel;
using kindrell::finder::test::AccessibleText;
using kindrell::finder::test::FinderHarness;
using kindrell::finder::test::WriteFile;
using namespace kindrell::platform;

namespace {

// The names of the labels that label the widget.
QString LabelledBy(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QStringList labels;
    if (accessible != nullptr) {
        for (const auto& [label, relation] : accessible->relations(QAccessible::Label)) {
            labels << label->text(QAccessible::Name);
        }
    }
    return labels.join(QLatin1Char('/'));
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

class FinderWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void parentsBoxesAreNamedByTheirLabels() {
        const FinderHarness h;
        QCOMPARE(AccessibleText(h.box("fatherBox")), QStringLiteral("Father's name"));
        QCOMPARE(AccessibleText(h.box("motherBox")), QStringLiteral("Mother's name"));
        QCOMPARE(AccessibleText(h.box("prefixBox")), QStringLiteral("Starts with"));
        // A combo box is named by its current choice on Linux; its label
        // reaches the screen reader as the "labelled by" relation.
        QCOMPARE(LabelledBy(h.choices("sexBox")), QStringLiteral("Sex"));
        QCOMPARE(AccessibleText(h.choices("sexBox")), QStringLiteral("Girls and boys"));
        QCOMPARE(LabelledBy(h.choices("harmonyBox")), QStringLiteral("Harmony"));
        QCOMPARE(LabelledBy(h.choices("numberBox")), QStringLiteral("Number"));
        QCOMPARE(LabelledBy(h.box("fatherBox")), QStringLiteral("Father's name"));
        QCOMPARE(AccessibleText(h.table()), QStringLiteral("Names"));
        QCOMPARE(AccessibleText(h.button("saveButton")), QStringLiteral("Save marked names..."));
        // Labels whose text changes are named by their text, whatever it is.
        h.typeParents("John", "Zoe");
        QCOMPARE(AccessibleText(h.find<QLabel>("countLine")),
                 QStringLiteral("3,160 of 29,389 names"));
    }

    void accessKeysReachEveryControl_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("control");
        QTest::newRow("Alt+F") << int(Qt::Key_F) << "father";
        QTest::newRow("Alt+M") << int(Qt::Key_M) << "mother";
        QTest::newRow("Alt+E") << int(Qt::Key_E) << "sex";
        QTest::newRow("Alt+H") << int(Qt::Key_H) << "harmony";
        QTest::newRow("Alt+L") << int(Qt::Key_L) << "like";
        QTest::newRow("Alt+W") << int(Qt::Key_W) << "prefix";
        QTest::newRow("Alt+T") << int(Qt::Key_T) << "suffix";
        QTest::newRow("Alt+U") << int(Qt::Key_U) << "number";
        QTest::newRow("Alt+A") << int(Qt::Key_A) << "table";
        QTest::newRow("Alt+O") << int(Qt::Key_O) << "order";
        QTest::newRow("Alt+V") << int(Qt::Key_V) << "reversed";
    }
    void accessKeysReachEveryControl() {
        QFETCH(int, key);
        QFETCH(QString, control);
        const FinderHarness h;
        h.window->show();
        h.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
        const QHash<QString, QWidget*> controls{
            {"father", h.box("fatherBox")},
            {"mother", h.box("motherBox")},
            {"sex", h.choices("sexBox")},
            {"harmony", h.choices("harmonyBox")},
            {"like", h.box("likeBox")},
            {"prefix", h.box("prefixBox")},
            {"suffix", h.box("suffixBox")},
            {"number", h.choices("numberBox")},
            {"table", h.table()},
            {"order", h.choices("orderBox")},
            {"reversed", h.find<QCheckBox>("reversedBox")},
        };
        h.button("openButton")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), controls.value(control));
    }

    void accessKeysPressTheButtons() {
        FinderHarness h;
        h.window->show();
        h.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
        h.typeParents("John", "Zoe");
        h.mark(0);
        // A button's access key clicks it with a short animation.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(h.files.requests.size(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(h.files.requests.size(), 2);
        QVERIFY(h.files.requests[0].save);
        QCOMPARE(h.files.requests[0].caption, QStringLiteral("Save marked names"));
        QCOMPARE(h.files.requests[0].suggestedName, QStringLiteral("shortlist.txt"));
        QVERIFY(!h.files.requests[1].save);
        QCOMPARE(h.files.requests[1].caption, QStringLiteral("Open list"));
    }

    void theBundledListIsReadOnceTheWindowIsShown() {
        FinderHarness h;
        h.window = std::make_unique<FinderWindow>(
            FinderServices{h.messages, h.files, h.settings, h.dataFiles, h.clock});
        h.window->openStartingListOnceShown();
        h.typeParents("John", "Zoe");
        QCOMPARE(h.model()->list().size(), 0);
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        QTRY_COMPARE(h.line("countLine"), QStringLiteral("3,160 of 29,389 names"));
    }

    void bothNamesAreNeeded_data() {
        QTest::addColumn<QString>("father");
        QTest::addColumn<QString>("mother");
        QTest::newRow("neither") << ""
                                 << "";
        QTest::newRow("only the father") << "John"
                                         << "";
        QTest::newRow("only the mother") << ""
                                         << "Zoe";
        QTest::newRow("spaces for the mother") << "John"
                                               << "   ";
    }
    void bothNamesAreNeeded() {
        QFETCH(QString, father);
        QFETCH(QString, mother);
        const FinderHarness h;
        h.typeParents(father, mother);
        QCOMPARE(h.model()->rowCount(), 0);
        QCOMPARE(h.line("countLine"), QStringLiteral("Type the father's and the mother's names."));
    }

    // Beside each parent's box, as it is typed: the number, with the working
    // as its tooltip and as what a screen reader reads with it.
    // As written (the names of the shared folding table among them): an
    // accented letter counts as its base letter, and what counts nothing is
    // said beside the number.
    void eachParentsNumberIsShownAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("working");
        QTest::addColumn<QString>("uncounted");
        for (const auto& row : kindrell::testing_support::FoldingCases()) {
            const QString uncounted = QString::fromStdString(row.uncounted);
            QTest::newRow(row.label)
                << QString::fromStdString(row.written)
                << QStringLiteral("Number %1").arg(row.number) +
                       (uncounted.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(uncounted))
                << QString::fromStdString(row.working) << uncounted;
        }
        QTest::newRow("half typed") << "Jo"
                                    << "Number 7" << QStringLiteral("J 1 + O 6 = 7") << "";
        QTest::newRow("spaces around")
            << "  Mary "
            << "Number 3" << QStringLiteral("M 4 + A 1 + R 9 + Y 7 = 21 \u2192 3") << "";
        QTest::newRow("blank") << "   "
                               << ""
                               << ""
                               << "";
    }
    void eachParentsNumberIsShownAsTyped() {
        QFETCH(QString, typed);
        QFETCH(QString, number);
        QFETCH(QString, working);
        QFETCH(QString, uncounted);
        const FinderHarness h;
        for (const char* parent : {"father", "mother"}) {
            const QByteArray name(parent);
            h.box(name + "Box")->setText(typed);
            auto* label = h.find<QLabel>(name + "Number");
            QCOMPARE(label->text(), number);
            QCOMPARE(label->toolTip(), uncounted.isEmpty() ? working : working + u'\n' + uncounted);
            QCOMPARE(AccessibleText(label), number);
            QCOMPARE(AccessibleText(label, QAccessible::Description),
                     uncounted.isEmpty() ? working : working + QStringLiteral(". ") + uncounted);
        }
    }

    // Checked in this order: a blank parent, a pair without a row (or a
    // parent's 0), a row with no name in harmony with both, other filters.
    void anEmptyTableSaysWhy_data() {
        QTest::addColumn<QString>("father");
        QTest::addColumn<QString>("mother");
        QTest::addColumn<QString>("harmony");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("reason");
        QTest::newRow("mother blank") << "John"
                                      << ""
                                      << "With both parents"
                                      << ""
                                      << "";
        // John 2, Mary 3: the table has no row "32".
        const QString noRow =
            QStringLiteral("For a mother's 3 and a father's 2 every name reads Not Harmonious At "
                           "All. The table finds harmony only where the mother's number is not "
                           "greater than the father's; a full birth name, middle names "
                           "included, gives a number of its own.");
        QTest::newRow("no row") << "John"
                                << "Mary"
                                << "With both parents"
                                << "" << noRow;
        QTest::newRow("no row, with the mother") << "John"
                                                 << "Mary"
                                                 << "With the mother"
                                                 << "" << noRow;
        QTest::newRow("mother's 0")
            << "John" << QStringLiteral("\u674E") << "With the father"
            << ""
            << "For a mother's 0 and a father's 2 every name reads Not Harmonious At All. The "
               "mother's name has no letter that counts, so its number is 0.";
        // Zoe 1, Hugh 8: the row "18" has no Harmonious cell.
        QTest::newRow("row 18") << "Hugh"
                                << "Zoe"
                                << "With both parents"
                                << ""
                                << "No name is in harmony with both parents: 16,250 are with the "
                                   "mother, 13,139 with the father.";
        QTest::newRow("row 18, nothing starts so")
            << "Hugh"
            << "Zoe"
            << "With both parents"
            << "Qx"
            << "No name is in harmony with both parents: 0 are with the mother, 0 with the "
               "father.";
        QTest::newRow("row 18, any verdict, nothing starts so") << "Hugh"
                                                                << "Zoe"
                                                                << "Any"
                                                                << "Qx"
                                                                << "No name passes the filters.";
        QTest::newRow("filters") << "John"
                                 << "Zoe"
                                 << "With both parents"
                                 << "Qx"
                                 << "No name passes the filters.";
    }
    void anEmptyTableSaysWhy() {
        QFETCH(QString, father);
        QFETCH(QString, mother);
        QFETCH(QString, harmony);
        QFETCH(QString, prefix);
        QFETCH(QString, reason);
        const FinderHarness h;
        h.choices("harmonyBox")->setCurrentText(harmony);
        h.box("prefixBox")->setText(prefix);
        h.box("fatherBox")->setText(father);
        h.box("motherBox")->setText(mother);
        QCOMPARE(h.model()->rowCount(), 0);
        auto* why = h.find<QLabel>("emptyLine");
        QCOMPARE(why->text(), reason);
        QCOMPARE(why->isVisibleTo(h.window.get()), !reason.isEmpty());
        QCOMPARE(AccessibleText(why), reason);
        QCOMPARE(h.line("countLine"),
                 mother.isEmpty() ? QStringLiteral("Type the father's and the mother's names.")
                                  : QStringLiteral("0 of 29,389 names"));
        // Gone as soon as a name is shown.
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        h.box("prefixBox")->clear();
        if (!mother.isEmpty()) {
            QVERIFY(why->isHidden());
        }
    }

    // The counts with the other filters' names only, worked out from the
    // rows "18" and "58": odd numbers go with the mother, the rest with the
    // father.
    void noNameWithBothCountsTheNamesTheFiltersLeave() {
        const FinderHarness h;
        h.choices("sexBox")->setCurrentText(QStringLiteral("Girls"));
        h.box("prefixBox")->setText(QStringLiteral("ma"));
        h.typeParents("Hugh", "Emma"); // 8 and 5
        qint64 withMother = 0;
        qint64 withFather = 0;
        for (const auto& entry : h.model()->list().entries()) {
            if (entry.sex == kindrell::namelist::Sex::Girl && entry.name.startsWith("Ma")) {
                (entry.number % 2 == 1 ? withMother : withFather) += 1;
            }
        }
        QVERIFY(withMother > 0 && withFather > 0);
        QCOMPARE(h.line("emptyLine"),
                 QStringLiteral("No name is in harmony with both parents: %1 are with the "
                                "mother, %2 with the father.")
                     .arg(QLocale().toString(withMother), QLocale().toString(withFather)));
    }

    void typingTheParentsShowsTheHarmoniousNames() {
        const FinderHarness h;
        h.typeParents("John", "Zoe");
        // Zoe 1 and John 2 are in harmony with the child numbers 3 alone.
        QCOMPARE(h.line("countLine"), QStringLiteral("3,160 of 29,389 names"));
        QCOMPARE(h.rowText(0), QStringLiteral("Ethan|boy|3|Harmonious|Harmonious|393,596|-57%"));
        QCOMPARE(h.rowText(1),
                 QStringLiteral("Alexander|boy|3|Harmonious|Harmonious|364,834|-50%"));
        QCOMPARE(h.rowText(3), QStringLiteral("Madison|girl|3|Harmonious|Harmonious|319,090|-74%"));
        // Each keystroke weighs again: with "Johnny" (5) and Zoe the odd
        // numbers are harmonious.
        QTest::keyClicks(h.box("fatherBox"), "ny");
        QVERIFY(h.line("countLine") != QStringLiteral("3,160 of 29,389 names"));
        QTest::keyClick(h.box("fatherBox"), Qt::Key_Backspace);
        QTest::keyClick(h.box("fatherBox"), Qt::Key_Backspace);
        QCOMPARE(h.line("countLine"), QStringLiteral("3,160 of 29,389 names"));
    }

    void verdictColumnsSayEachParentsPart() {
        const FinderHarness h;
        h.typeParents("John", "Zoe");
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        QCOMPARE(h.line("countLine"), QStringLiteral("29,389 of 29,389 names"));
        // Zoe 1, John 2: child 1 with the mother only, 2 with the father
        // only; with mother 2 and father 1 ("Ann", "Zoe") none at all.
        const int zoe = h.rowOf("Zoe", "girl");
        QCOMPARE(h.rowText(zoe),
                 QStringLiteral("Zoe|girl|1|Harmonious|Not Harmonious|132,299|+7%"));
        const int noah = h.rowOf("Noah", "boy");
        QCOMPARE(h.rowText(noah),
                 QStringLiteral("Noah|boy|2|Not Harmonious|Harmonious|422,363|+50%"));
        h.box("fatherBox")->setText("Zoe");
        h.box("motherBox")->setText("Ann");
        QCOMPARE(h.cell(0, NamesModel::MotherColumn), QStringLiteral("Not Harmonious At All"));
        QCOMPARE(h.cell(0, NamesModel::FatherColumn), QStringLiteral("Not Harmonious At All"));
    }

    void filtersNarrowTheTable() {
        const FinderHarness h;
        h.typeParents("John", "Zoe");
        h.choices("sexBox")->setCurrentText(QStringLiteral("Girls"));
        QCOMPARE(h.line("countLine"), QStringLiteral("1,833 of 29,389 names"));
        QCOMPARE(h.rowText(0), QStringLiteral("Madison|girl|3|Harmonious|Harmonious|319,090|-74%"));
        h.choices("sexBox")->setCurrentText(QStringLiteral("Girls and boys"));
        QTest::keyClicks(h.box("prefixBox"), "ma");
        QCOMPARE(h.line("countLine"), QStringLiteral("135 of 29,389 names"));
        for (int row = 0; row < h.model()->rowCount(); ++row) {
            QVERIFY(h.cell(row, NamesModel::NameColumn).startsWith(QStringLiteral("Ma")));
        }
        h.box("prefixBox")->clear();
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("With the mother"));
        h.choices("numberBox")->setCurrentText(QStringLiteral("1"));
        QCOMPARE(h.cell(0, NamesModel::NumberColumn), QStringLiteral("1"));
        QCOMPARE(h.cell(0, NamesModel::FatherColumn), QStringLiteral("Not Harmonious"));
        h.choices("numberBox")->setCurrentText(QStringLiteral("2"));
        QCOMPARE(h.line("countLine"), QStringLiteral("0 of 29,389 names"));
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

    void anotherListStartsWithNothingSelected() {
        FinderHarness h;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("ours.txt");
        WriteFile(path, "Mary\nEthan\nJames\n");
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        h.typeParents("John", "Zoe");
        const auto nothingSelected = [&h] {
            QVERIFY(h.table()->selectionModel()->selectedRows().isEmpty());
            QCOMPARE(h.line("selectedName"), QStringLiteral("No name selected"));
            QCOMPARE(h.line("working"), QString());
        };
        h.table()->selectRow(h.model()->rowOf(1));
        QVERIFY(h.line("selectedName") != QStringLiteral("No name selected"));
        QVERIFY(h.openList(path));
        nothingSelected();
        h.table()->selectRow(h.model()->rowOf(2));
        QCOMPARE(h.line("selectedName"), QStringLiteral("James"));
        h.window->useBundledList();
        nothingSelected();
    }

    // "Marked" shows the marked names and only them, whatever the other
    // filters say and however the names read.
    void theMarkedChoiceShowsTheShortlist() {
        const FinderHarness h;
        h.typeParents("John", "Zoe");
        h.mark(0); // Ethan
        h.mark(3); // Madison
        h.choices("sexBox")->setCurrentText(QStringLiteral("Boys"));
        h.box("prefixBox")->setText(QStringLiteral("Qx"));
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Marked"));
        QCOMPARE(h.line("countLine"), QStringLiteral("2 of 29,389 names"));
        QCOMPARE(h.cell(0, NamesModel::NameColumn), QStringLiteral("Ethan"));
        QCOMPARE(h.cell(1, NamesModel::NameColumn), QStringLiteral("Madison"));
        for (const char* filter : {"sexBox", "numberBox"}) {
            QVERIFY(!h.choices(filter)->isEnabled());
        }
        QVERIFY(!h.box("prefixBox")->isEnabled());
        h.box("motherBox")->setText("Mary"); // now every name reads Not Harmonious At All
        QCOMPARE(h.model()->rowCount(), 2);
        QCOMPARE(h.cell(1, NamesModel::MotherColumn), QStringLiteral("Not Harmonious At All"));
        // A name unmarked here stays in view until the table fills again.
        h.mark(0);
        QCOMPARE(h.model()->rowCount(), 2);
        QCOMPARE(h.line("markedLine"), QStringLiteral("1 name marked"));
        h.mark(1);
        h.box("motherBox")->setText("Zoe");
        QCOMPARE(h.model()->rowCount(), 0);
        QCOMPARE(h.line("emptyLine"), QStringLiteral("No name is marked."));
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        QVERIFY(h.choices("numberBox")->isEnabled());
        QCOMPARE(h.line("emptyLine"), QStringLiteral("No name passes the filters."));
    }

    void selectedNameShowsItsWorkingAndVerdicts() {
        const FinderHarness h;
        h.typeParents("John", "Zoe");
        QCOMPARE(h.line("selectedName"), QStringLiteral("No name selected"));
        QTest::keyClicks(h.box("prefixBox"), "mary");
        const int mary = h.rowOf("Mary", "girl");
        QVERIFY(mary >= 0);
        h.table()->selectRow(mary);
        QCOMPARE(h.line("selectedName"), QStringLiteral("Mary (girl)"));
        QCOMPARE(h.line("working"), QStringLiteral("M 4 + A 1 + R 9 + Y 7 = 21 \u2192 3"));
        QCOMPARE(h.line("motherLine"), QStringLiteral("Compatibility with Mother: Harmonious"));
        QCOMPARE(h.line("fatherLine"), QStringLiteral("Compatibility with Father: Harmonious"));
        // It stays selected while the filters keep it, and the lines follow
        // the parents.
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        QCOMPARE(h.line("selectedName"), QStringLiteral("Mary (girl)"));
        // Jacob is 4: with mother 1 a 3 is harmonious with the mother only.
        h.box("fatherBox")->setText("Jacob");
        QCOMPARE(h.line("selectedName"), QStringLiteral("Mary (girl)"));
        QCOMPARE(h.line("motherLine"), QStringLiteral("Compatibility with Mother: Harmonious"));
        QCOMPARE(h.line("fatherLine"), QStringLiteral("Compatibility with Father: Not Harmonious"));
        // No destiny description anywhere in the window.
        for (const QLabel* label : h.window->findChildren<QLabel*>()) {
            for (std::int16_t number = 1; number <= 9; ++number) {
                const QString description =
                    QString::fromStdU16String(kindrell::GetDestinyDescription(number));
                QVERIFY(!label->text().contains(description.left(40)));
            }
        }
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("With both parents"));
        QCOMPARE(h.line("selectedName"), QStringLiteral("No name selected"));
        QCOMPARE(h.line("working"), QString());
    }

    void marksAreSavedForKindrellReading() {
        FinderHarness h;
        h.typeParents("John", "Zoe");
        QVERIFY(!h.button("saveButton")->isEnabled());
        h.mark(0); // Ethan
        h.mark(3); // Madison
        h.mark(1); // Alexander
        h.mark(1); // and not
        QCOMPARE(h.line("markedLine"), QStringLiteral("2 names marked"));
        QVERIFY(h.button("saveButton")->isEnabled());
        // The check box of a row marks it too, and marks outlive filters.
        QVERIFY(h.model()->setData(h.model()->index(2, NamesModel::NameColumn), Qt::Checked,
                                   Qt::CheckStateRole));
        h.choices("sexBox")->setCurrentText(QStringLiteral("Girls"));
        QCOMPARE(h.line("markedLine"), QStringLiteral("3 names marked"));
        QCOMPARE(h.model()->index(0, NamesModel::NameColumn).data(Qt::CheckStateRole),
                 QVariant(Qt::Checked));

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("shortlist.txt");
        h.files.paths.push_back(path);
        QTest::mouseClick(h.button("saveButton"), Qt::LeftButton);
        QCOMPARE(h.files.requests.size(), 1);
        QVERIFY(h.files.requests[0].save);
        // In list order, one a line: what kindrell-reading reads back.
        QCOMPARE(FileBytes(path), QByteArray("Ethan\nJames\nMadison\n"));
        QVERIFY(h.messages.shown.isEmpty());
        // Closing asks nothing: the marks are kept as they are made.
        QVERIFY(h.window->close());
        QVERIFY(h.messages.shown.isEmpty());
    }

    void aListOfOnesOwnIsWeighedTheSameWay() {
        FinderHarness h;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("ours.txt");
        WriteFile(path, "\xEF\xBB\xBFMary\r\n\r\n  Ethan  \r\nZo\xEB\r\nAnne Marie\r\n\xC0\x80\r\n"
                        "Noah\r\n");
        h.typeParents("John", "Zoe");
        h.choices("sexBox")->setCurrentText(QStringLiteral("Given to both"));
        h.files.paths.push_back(path);
        QTest::mouseClick(h.button("openButton"), Qt::LeftButton);
        h.waitForList();
        QCOMPARE(h.files.requests.size(), 1);
        QVERIFY(!h.files.requests[0].save);
        QCOMPARE(h.messages.texts(),
                 QStringList{QStringLiteral("4 names read from \u201Cours.txt\u201D. 2 lines that "
                                            "are not valid UTF-8 were left out.")});
        QCOMPARE(h.window->windowTitle(),
                 QStringLiteral("ours.txt \u2014 QL Kindrell Name Finder"));
        // Mary 3, Ethan 3, Anne Marie 8, Noah 2: the two harmonious ones,
        // without sex or births (so in name order), whatever the sex filter
        // said.
        QVERIFY(!h.choices("sexBox")->isEnabled() && !h.box("likeBox")->isEnabled());
        QCOMPARE(h.line("countLine"), QStringLiteral("2 of 4 names"));
        QCOMPARE(h.rowText(0), QStringLiteral("Ethan||3|Harmonious|Harmonious||"));
        QCOMPARE(h.rowText(1), QStringLiteral("Mary||3|Harmonious|Harmonious||"));
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        QCOMPARE(h.line("countLine"), QStringLiteral("4 of 4 names"));

        QVERIFY(h.button("bundledButton")->isEnabled());
        QTest::mouseClick(h.button("bundledButton"), Qt::LeftButton);
        // The sex filter chosen before counts again: the names given to both.
        QCOMPARE(h.line("countLine"), QStringLiteral("2,948 of 29,389 names"));
        QCOMPARE(h.window->windowTitle(), QStringLiteral("QL Kindrell Name Finder"));
        QVERIFY(h.choices("sexBox")->isEnabled());
        QVERIFY(!h.button("bundledButton")->isEnabled());
    }

    void aShortlistThatCannotBeWrittenIsSaidSo() {
        FinderHarness h;
        h.typeParents("John", "Zoe");
        h.mark(0);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        h.files.paths.push_back(folder.filePath("no/such/folder/list.txt"));
        QVERIFY(!h.window->saveMarkedNames());
        QCOMPARE(h.messages.shown.size(), 1);
        QVERIFY(h.messages.shown[0].text.startsWith(
            QStringLiteral("The marked names could not be saved to \u201Clist.txt\u201D: ")));
        QCOMPARE(h.line("markedLine"), QStringLiteral("1 name marked"));
    }
};

QTEST_MAIN(FinderWindowTest)
#include "finder_window_test.moc"
