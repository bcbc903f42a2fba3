// The name finder's window, driven offscreen through the recording fakes:
// typing the parents, the filters and the count line, the table and its
// orders, the selected name's working, marks and saving them, opening a
// list of one's own, closing with unsaved marks, and what screen readers
// and the keyboard get.

#include "engine/descriptions.h"
#include "finder/finder_window.h"
#include "finder/names_model.h"
#include "platform/fakes.h"

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using kindrell::finder::FinderWindow;
using kindrell::finder::NamesModel;
using namespace kindrell::platform;

namespace {

struct Harness {
    FakeMessageBoxes messages;
    FakeFileChooser files;
    std::unique_ptr<FinderWindow> window = std::make_unique<FinderWindow>(messages, files);

    Harness() { window->useBundledList(); }

    void typeParents(const QString& father, const QString& mother) const {
        QTest::keyClicks(window->fatherBox(), father);
        QTest::keyClicks(window->motherBox(), mother);
    }
    QString cell(int row, int column) const {
        return window->model()->index(row, column).data().toString();
    }
    // Name, sex, number, mother, father, births of a row, joined by "|".
    QString rowText(int row) const {
        QStringList cells;
        for (int column = 0; column < NamesModel::kColumnCount; ++column) {
            cells << cell(row, column);
        }
        return cells.join(QLatin1Char('|'));
    }
    int rowOf(const QString& name, const QString& sex) const {
        for (int row = 0; row < window->model()->rowCount(); ++row) {
            if (cell(row, NamesModel::NameColumn) == name &&
                cell(row, NamesModel::SexColumn) == sex) {
                return row;
            }
        }
        return -1;
    }
    void mark(int row) const {
        window->table()->setCurrentIndex(window->model()->index(row, NamesModel::BirthsColumn));
        QTest::keyClick(window->table(), Qt::Key_Space);
    }
};

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

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

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class FinderWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void parentsBoxesAreNamedByTheirLabels() {
        const Harness h;
        QCOMPARE(AccessibleName(h.window->fatherBox()), QStringLiteral("Father's name"));
        QCOMPARE(AccessibleName(h.window->motherBox()), QStringLiteral("Mother's name"));
        QCOMPARE(AccessibleName(h.window->prefixBox()), QStringLiteral("Starts with"));
        // A combo box is named by its current choice on Linux; its label
        // reaches the screen reader as the "labelled by" relation.
        QCOMPARE(LabelledBy(h.window->sexBox()), QStringLiteral("Sex"));
        QCOMPARE(AccessibleName(h.window->sexBox()), QStringLiteral("Girls and boys"));
        QCOMPARE(LabelledBy(h.window->harmonyBox()), QStringLiteral("Harmony"));
        QCOMPARE(LabelledBy(h.window->numberBox()), QStringLiteral("Number"));
        QCOMPARE(LabelledBy(h.window->fatherBox()), QStringLiteral("Father's name"));
        QCOMPARE(AccessibleName(h.window->table()), QStringLiteral("Names"));
        QCOMPARE(AccessibleName(h.window->saveButton()), QStringLiteral("Save marked names..."));
        // Labels whose text changes are named by their text, whatever it is.
        h.typeParents("John", "Zoe");
        QCOMPARE(AccessibleName(h.window->countLine()), QStringLiteral("3,160 of 29,389 names"));
    }

    void accessKeysReachEveryControl_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("control");
        QTest::newRow("Alt+F") << int(Qt::Key_F) << "father";
        QTest::newRow("Alt+M") << int(Qt::Key_M) << "mother";
        QTest::newRow("Alt+E") << int(Qt::Key_E) << "sex";
        QTest::newRow("Alt+H") << int(Qt::Key_H) << "harmony";
        QTest::newRow("Alt+W") << int(Qt::Key_W) << "prefix";
        QTest::newRow("Alt+U") << int(Qt::Key_U) << "number";
        QTest::newRow("Alt+A") << int(Qt::Key_A) << "table";
    }
    void accessKeysReachEveryControl() {
        QFETCH(int, key);
        QFETCH(QString, control);
        const Harness h;
        h.window->show();
        h.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
        const QHash<QString, QWidget*> controls{
            {"father", h.window->fatherBox()}, {"mother", h.window->motherBox()},
            {"sex", h.window->sexBox()},       {"harmony", h.window->harmonyBox()},
            {"prefix", h.window->prefixBox()}, {"number", h.window->numberBox()},
            {"table", h.window->table()},
        };
        h.window->openButton()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), controls.value(control));
    }

    void accessKeysPressTheButtons() {
        Harness h;
        h.window->show();
        h.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.window.get()));
        h.typeParents("John", "Zoe");
        h.mark(0);
        // A button's access key clicks it with a short animation.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(h.files.requests.size(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(h.files.requests.size(), 2);
        QVERIFY(h.files.requests[0].save);
        QCOMPARE(h.files.requests[0].caption, QStringLiteral("Save marked names"));
        QCOMPARE(h.files.requests[0].suggestedName, QStringLiteral("shortlist.txt"));
        QVERIFY(!h.files.requests[1].save);
        QCOMPARE(h.files.requests[1].caption, QStringLiteral("Open list"));
    }

    void theBundledListIsReadOnceTheWindowIsShown() {
        FakeMessageBoxes messages;
        FakeFileChooser files;
        FinderWindow window(messages, files);
        window.useBundledListOnceShown();
        QTest::keyClicks(window.fatherBox(), "John");
        QTest::keyClicks(window.motherBox(), "Zoe");
        QCOMPARE(window.model()->list().size(), 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(window.countLine()->text(), QStringLiteral("3,160 of 29,389 names"));
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
        const Harness h;
        h.typeParents(father, mother);
        QCOMPARE(h.window->model()->rowCount(), 0);
        QCOMPARE(h.window->countLine()->text(),
                 QStringLiteral("Type the father's and the mother's names."));
    }

    void typingTheParentsShowsTheHarmoniousNames() {
        const Harness h;
        h.typeParents("John", "Zoe");
        // Zoe 1 and John 2 are in harmony with the child numbers 3 alone.
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("3,160 of 29,389 names"));
        QCOMPARE(h.rowText(0), QStringLiteral("Ethan|boy|3|Harmonious|Harmonious|393,596"));
        QCOMPARE(h.rowText(1), QStringLiteral("Alexander|boy|3|Harmonious|Harmonious|364,834"));
        QCOMPARE(h.rowText(3), QStringLiteral("Madison|girl|3|Harmonious|Harmonious|319,090"));
        // Each keystroke weighs again: with "Johnny" (5) and Zoe the odd
        // numbers are harmonious.
        QTest::keyClicks(h.window->fatherBox(), "ny");
        QVERIFY(h.window->countLine()->text() != QStringLiteral("3,160 of 29,389 names"));
        QTest::keyClick(h.window->fatherBox(), Qt::Key_Backspace);
        QTest::keyClick(h.window->fatherBox(), Qt::Key_Backspace);
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("3,160 of 29,389 names"));
    }

    void verdictColumnsSayEachParentsPart() {
        const Harness h;
        h.typeParents("John", "Zoe");
        h.window->harmonyBox()->setCurrentText(QStringLiteral("Any"));
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("29,389 of 29,389 names"));
        // Zoe 1, John 2: child 1 with the mother only, 2 with the father
        // only; with mother 2 and father 1 ("Ann", "Zoe") none at all.
        const int zoe = h.rowOf("Zoe", "girl");
        QCOMPARE(h.rowText(zoe), QStringLiteral("Zoe|girl|1|Harmonious|Not Harmonious|132,299"));
        const int noah = h.rowOf("Noah", "boy");
        QCOMPARE(h.rowText(noah), QStringLiteral("Noah|boy|2|Not Harmonious|Harmonious|422,363"));
        h.window->fatherBox()->setText("Zoe");
        h.window->motherBox()->setText("Ann");
        QCOMPARE(h.cell(0, NamesModel::MotherColumn), QStringLiteral("Not Harmonious At All"));
        QCOMPARE(h.cell(0, NamesModel::FatherColumn), QStringLiteral("Not Harmonious At All"));
    }

    void filtersNarrowTheTable() {
        const Harness h;
        h.typeParents("John", "Zoe");
        h.window->sexBox()->setCurrentText(QStringLiteral("Girls"));
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("1,833 of 29,389 names"));
        QCOMPARE(h.rowText(0), QStringLiteral("Madison|girl|3|Harmonious|Harmonious|319,090"));
        h.window->sexBox()->setCurrentText(QStringLiteral("Girls and boys"));
        QTest::keyClicks(h.window->prefixBox(), "ma");
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("135 of 29,389 names"));
        for (int row = 0; row < h.window->model()->rowCount(); ++row) {
            QVERIFY(h.cell(row, NamesModel::NameColumn).startsWith(QStringLiteral("Ma")));
        }
        h.window->prefixBox()->clear();
        h.window->harmonyBox()->setCurrentText(QStringLiteral("With the mother"));
        h.window->numberBox()->setCurrentText(QStringLiteral("1"));
        QCOMPARE(h.cell(0, NamesModel::NumberColumn), QStringLiteral("1"));
        QCOMPARE(h.cell(0, NamesModel::FatherColumn), QStringLiteral("Not Harmonious"));
        h.window->numberBox()->setCurrentText(QStringLiteral("2"));
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("0 of 29,389 names"));
    }

    void headersSortTheTable() {
        const Harness h;
        h.typeParents("John", "Zoe");
        QHeaderView* header = h.window->table()->horizontalHeader();
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
        QCOMPARE(h.rowText(0), QStringLiteral("Madison|girl|3|Harmonious|Harmonious|319,090"));
    }

    void selectedNameShowsItsWorkingAndVerdicts() {
        const Harness h;
        h.typeParents("John", "Zoe");
        QCOMPARE(h.window->selectedName()->text(), QStringLiteral("No name selected"));
        QTest::keyClicks(h.window->prefixBox(), "mary");
        const int mary = h.rowOf("Mary", "girl");
        QVERIFY(mary >= 0);
        h.window->table()->selectRow(mary);
        QCOMPARE(h.window->selectedName()->text(), QStringLiteral("Mary (girl)"));
        QCOMPARE(h.window->working()->text(),
                 QStringLiteral("M 4 + A 1 + R 9 + Y 7 = 21 \u2192 3"));
        QCOMPARE(h.window->motherLine()->text(),
                 QStringLiteral("Compatibility with Mother: Harmonious"));
        QCOMPARE(h.window->fatherLine()->text(),
                 QStringLiteral("Compatibility with Father: Harmonious"));
        // It stays selected while the filters keep it, and the lines follow
        // the parents.
        h.window->harmonyBox()->setCurrentText(QStringLiteral("Any"));
        QCOMPARE(h.window->selectedName()->text(), QStringLiteral("Mary (girl)"));
        // Jacob is 4: with mother 1 a 3 is harmonious with the mother only.
        h.window->fatherBox()->setText("Jacob");
        QCOMPARE(h.window->selectedName()->text(), QStringLiteral("Mary (girl)"));
        QCOMPARE(h.window->motherLine()->text(),
                 QStringLiteral("Compatibility with Mother: Harmonious"));
        QCOMPARE(h.window->fatherLine()->text(),
                 QStringLiteral("Compatibility with Father: Not Harmonious"));
        // No destiny description anywhere in the window.
        for (const QLabel* label : h.window->findChildren<QLabel*>()) {
            for (std::int16_t number = 1; number <= 9; ++number) {
                const QString description =
                    QString::fromStdU16String(kindrell::GetDestinyDescription(number));
                QVERIFY(!label->text().contains(description.left(40)));
            }
        }
        h.window->harmonyBox()->setCurrentText(QStringLiteral("With both parents"));
        QCOMPARE(h.window->selectedName()->text(), QStringLiteral("No name selected"));
        QCOMPARE(h.window->working()->text(), QString());
    }

    void marksAreSavedForKindrellReading() {
        Harness h;
        h.typeParents("John", "Zoe");
        QVERIFY(!h.window->saveButton()->isEnabled());
        h.mark(0); // Ethan
        h.mark(3); // Madison
        h.mark(1); // Alexander
        h.mark(1); // and not
        QCOMPARE(h.window->markedLine()->text(), QStringLiteral("2 names marked"));
        QVERIFY(h.window->saveButton()->isEnabled());
        // The check box of a row marks it too, and marks outlive filters.
        QVERIFY(h.window->model()->setData(h.window->model()->index(2, NamesModel::NameColumn),
                                           Qt::Checked, Qt::CheckStateRole));
        h.window->sexBox()->setCurrentText(QStringLiteral("Girls"));
        QCOMPARE(h.window->markedLine()->text(), QStringLiteral("3 names marked"));
        QCOMPARE(h.window->model()->index(0, NamesModel::NameColumn).data(Qt::CheckStateRole),
                 QVariant(Qt::Checked));

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("shortlist.txt");
        h.files.paths.push_back(path);
        QTest::mouseClick(h.window->saveButton(), Qt::LeftButton);
        QCOMPARE(h.files.requests.size(), 1);
        QVERIFY(h.files.requests[0].save);
        // In list order, one a line: what kindrell-reading reads back.
        QCOMPARE(FileBytes(path), QByteArray("Ethan\nJames\nMadison\n"));
        QVERIFY(h.messages.shown.isEmpty());
        // Saved marks ask nothing on closing.
        QVERIFY(h.window->close());
        QVERIFY(h.messages.shown.isEmpty());
    }

    void closingWithUnsavedMarks_data() {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("chooseFile");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Save") << MessageAnswer::Save << true << true << true;
        QTest::newRow("Save, then cancel the file")
            << MessageAnswer::Save << false << false << false;
        QTest::newRow("Discard") << MessageAnswer::Discard << false << true << false;
        QTest::newRow("Cancel") << MessageAnswer::Cancel << false << false << false;
    }
    void closingWithUnsavedMarks() {
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, chooseFile);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        Harness h;
        h.window->show();
        h.typeParents("John", "Zoe");
        h.mark(0);
        h.mark(1);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("marked.txt");
        if (chooseFile) {
            h.files.paths.push_back(path);
        }
        h.messages.answers.push_back(answer);
        QCOMPARE(h.window->close(), closes);
        QCOMPARE(h.messages.shown.size(), 1);
        const ShownMessage& question = h.messages.shown[0];
        QCOMPARE(question.text, QStringLiteral("2 marked names are not saved. Save them?"));
        QCOMPARE(question.icon, MessageIcon::Warning);
        QCOMPARE(question.buttons, MessageButtons::SaveDiscardCancel);
        QCOMPARE(question.defaultButton, MessageAnswer::Save);
        QCOMPARE(h.window->isVisible(), !closes);
        QCOMPARE(QFile::exists(path), saved);
        if (saved) {
            // In list order: the bundled list's is by name.
            QCOMPARE(FileBytes(path), QByteArray("Alexander\nEthan\n"));
        }
    }

    void aListOfOnesOwnIsWeighedTheSameWay() {
        Harness h;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("ours.txt");
        WriteFile(path, "\xEF\xBB\xBFMary\r\n\r\n  Ethan  \r\nZo\xEB\r\nAnne Marie\r\n\xC0\x80\r\n"
                        "Noah\r\n");
        h.typeParents("John", "Zoe");
        h.window->sexBox()->setCurrentText(QStringLiteral("Boys"));
        h.files.paths.push_back(path);
        QTest::mouseClick(h.window->openButton(), Qt::LeftButton);
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
        QVERIFY(!h.window->sexBox()->isEnabled());
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("2 of 4 names"));
        QCOMPARE(h.rowText(0), QStringLiteral("Ethan||3|Harmonious|Harmonious|"));
        QCOMPARE(h.rowText(1), QStringLiteral("Mary||3|Harmonious|Harmonious|"));
        h.window->harmonyBox()->setCurrentText(QStringLiteral("Any"));
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("4 of 4 names"));

        QVERIFY(h.window->bundledButton()->isEnabled());
        QTest::mouseClick(h.window->bundledButton(), Qt::LeftButton);
        // The sex filter chosen before counts again: all boys.
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("12,399 of 29,389 names"));
        QCOMPARE(h.window->windowTitle(), QStringLiteral("QL Kindrell Name Finder"));
        QVERIFY(h.window->sexBox()->isEnabled());
        QVERIFY(!h.window->bundledButton()->isEnabled());
    }

    void filesThatCannotBeUsedChangeNothing_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray()
                                 << "\u201Cgone.txt\u201D could not be read: No such file or "
                                    "directory.";
        QTest::newRow("blank lines only")
            << QByteArray("\n  \r\n") << QStringLiteral("\u201Cgone.txt\u201D holds no names.");
        QTest::newRow("nothing readable")
            << QByteArray("\xFF\n\xFE\n")
            << QStringLiteral("\u201Cgone.txt\u201D holds no names. 2 lines that are not valid "
                              "UTF-8 were left out.");
    }
    void filesThatCannotBeUsedChangeNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Harness h;
        h.typeParents("John", "Zoe");
        h.mark(0);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("gone.txt");
        if (!bytes.isEmpty()) {
            WriteFile(path, bytes);
        }
        h.files.paths.push_back(path);
        QVERIFY(!h.window->openList());
        QCOMPARE(h.messages.shown.size(), 1);
        QCOMPARE(h.messages.shown[0].text, message);
        QCOMPARE(h.messages.shown[0].icon, MessageIcon::Error);
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("3,160 of 29,389 names"));
        QCOMPARE(h.window->markedLine()->text(), QStringLiteral("1 name marked"));
        QCOMPARE(h.window->windowTitle(), QStringLiteral("QL Kindrell Name Finder"));
    }

    void aFileThatCannotBeWrittenKeepsTheMarksUnsaved() {
        Harness h;
        h.typeParents("John", "Zoe");
        h.mark(0);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        h.files.paths.push_back(folder.filePath("no/such/folder/list.txt"));
        QVERIFY(!h.window->saveMarkedNames());
        QCOMPARE(h.messages.shown.size(), 1);
        QVERIFY(h.messages.shown[0].text.startsWith(
            QStringLiteral("The marked names could not be saved to \u201Clist.txt\u201D: ")));
        QVERIFY(h.window->model()->hasUnsavedMarks());
    }

    void openingAnotherListOffersToSaveTheMarks() {
        Harness h;
        h.typeParents("John", "Zoe");
        h.mark(0);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("ours.txt");
        WriteFile(path, "Mary\n");
        h.files.paths = {path, path};
        h.messages.answers = {MessageAnswer::Cancel, MessageAnswer::Discard};
        QVERIFY(!h.window->openList());
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("3,160 of 29,389 names"));
        QVERIFY(h.window->openList());
        QCOMPARE(h.window->countLine()->text(), QStringLiteral("1 of 1 name"));
        QCOMPARE(h.messages.texts(), (QStringList{"1 marked name is not saved. Save it?",
                                                  "1 marked name is not saved. Save it?"}));
        QCOMPARE(h.window->markedLine()->text(), QStringLiteral("No names marked"));
    }
};

QTEST_MAIN(FinderWindowTest)
#include "finder_window_test.moc"
