// The name finder's window, driven offscreen through the recording fakes:
// typing the parents, the filters and the count line, the table and its
// orders, the selected name's working, marks and saving them, opening a
// list of one's own, and what screen readers and the keyboard get.

#include "engine/descriptions.h"
#include "tests/finder/finder_harness.h"
#include "tests/support/folding_cases.h"

#include <QHeaderView>
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
        QTest::newRow("Alt+D") << int(Qt::Key_D) << "middle";
        QTest::newRow("Alt+W") << int(Qt::Key_W) << "prefix";
        QTest::newRow("Alt+T") << int(Qt::Key_T) << "suffix";
        QTest::newRow("Alt+U") << int(Qt::Key_U) << "number";
        QTest::newRow("Alt+G") << int(Qt::Key_G) << "length";
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
            {"length", h.choices("lengthBox")},
            {"table", h.table()},
            {"order", h.choices("orderBox")},
            {"reversed", h.find<QCheckBox>("reversedBox")},
            {"middle", h.find<QCheckBox>("middleBox")},
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
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(h.files.requests.size(), 3);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(h.printing.titles.size(), 1);
        QVERIFY(h.files.requests[0].save);
        QCOMPARE(h.files.requests[0].caption, QStringLiteral("Save marked names"));
        // The first save is offered in the documents folder, as a table.
        QCOMPARE(h.files.requests[0].suggestedName,
                 QDir::home().filePath(QStringLiteral("Documents/shortlist.csv")));
        QVERIFY(!h.files.requests[1].save);
        QCOMPARE(h.files.requests[1].caption, QStringLiteral("Open list"));
        QCOMPARE(h.files.requests[2].caption, QStringLiteral("Compare with a partner's list"));
    }

    void theBundledListIsReadOnceTheWindowIsShown() {
        FinderHarness h;
        h.window = std::make_unique<FinderWindow>(
            FinderServices{h.messages, h.files, h.settings, h.dataFiles, h.clock, h.printing});
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
};

QTEST_MAIN(FinderWindowTest)
#include "finder_window_test.moc"
