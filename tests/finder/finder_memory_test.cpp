// What the name finder remembers between runs, driven offscreen: a window
// closed and another opened on the same settings and data files finds the
// parents, filters, order, place, open list and marks as they were left; a
// store that fails never stops it, and says so once, in one line.

#include "tests/finder/finder_harness.h"

#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QtTest>

using kindrell::finder::NamesModel;
using kindrell::finder::test::FinderHarness;
using kindrell::finder::test::WriteFile;

namespace {

QStringList MarkedNames(const FinderHarness& h) {
    return h.model()->markedNames();
}

const QString kSettingsMoved = QStringLiteral(
    "The finder's settings could not be read, so it starts afresh; they were moved to "
    "\u201C/settings/kindrell-names.unreadable-2026-12-08\u201D.");
const QString kSettingsNotSaved =
    QStringLiteral("The finder's settings could not be saved, so it may not open as it was left.");
const QString kSexNotUnderstood =
    QStringLiteral("The finder did not understand its stored Sex, so it is back to its default.");
QString MarksMoved(const char* why) {
    return QStringLiteral("The marks of this list could not be read (%1), so none is shown "
                          "marked; the file was moved to "
                          "\u201C/data/marks/bundled.json.unreadable-2026-12-08\u201D.")
        .arg(QString::fromLatin1(why));
}
const QString kMarksNotKept =
    QStringLiteral("The marks could not be kept: the disk is full. The earlier marks are "
                   "unchanged.");

} // namespace

class FinderMemoryTest : public QObject {
    Q_OBJECT
  private slots:
    void everythingComesBackAfterARestart() {
        FinderHarness h;
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        h.window->setGeometry(120, 90, 960, 540);
        h.typeParents("John", "Zoe");
        h.mark(0); // Ethan
        h.mark(3); // Madison
        h.choices("sexBox")->setCurrentText(QStringLiteral("Girls"));
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("With the mother"));
        h.box("prefixBox")->setText(QStringLiteral("ma"));
        h.choices("numberBox")->setCurrentText(QStringLiteral("3"));
        h.choices("lengthBox")->setCurrentText(QStringLiteral("5 to 6 letters"));
        h.choices("orderBox")->setCurrentText(QStringLiteral("Name"));
        h.find<QCheckBox>("reversedBox")->setChecked(true);
        const QStringList rows{h.rowText(0), h.rowText(1)};

        h.restart();
        QCOMPARE(h.box("fatherBox")->text(), QStringLiteral("John"));
        QCOMPARE(h.box("motherBox")->text(), QStringLiteral("Zoe"));
        QCOMPARE(h.choices("sexBox")->currentText(), QStringLiteral("Girls"));
        QCOMPARE(h.choices("harmonyBox")->currentText(), QStringLiteral("With the mother"));
        QCOMPARE(h.box("prefixBox")->text(), QStringLiteral("ma"));
        QCOMPARE(h.choices("numberBox")->currentText(), QStringLiteral("3"));
        QCOMPARE(h.choices("lengthBox")->currentText(), QStringLiteral("5 to 6 letters"));
        QCOMPARE(h.choices("orderBox")->currentText(), QStringLiteral("Name"));
        QVERIFY(h.find<QCheckBox>("reversedBox")->isChecked());
        QCOMPARE(h.table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE((QStringList{h.rowText(0), h.rowText(1)}), rows);
        QCOMPARE(MarkedNames(h), (QStringList{"Ethan", "Madison"}));
        QCOMPARE(h.line("markedLine"), QStringLiteral("2 names marked"));
        QCOMPARE(h.window->geometry(), QRect(120, 90, 960, 540));
        QVERIFY(h.find<QLabel>("noticeLine")->isHidden());
        QVERIFY(h.messages.shown.isEmpty());
        // The finder's own part of the settings, apart from the reading
        // program's.
        for (const QString& address : h.settings.values.keys()) {
            QVERIFY2(address.startsWith(QStringLiteral("kindrell-names/Finder/")),
                     qPrintable(address));
        }
    }

    // A list of one's own is opened again with its own marks; the bundled
    // list keeps its own.
    void eachListKeepsItsMarks() {
        FinderHarness h;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("ours.txt");
        WriteFile(path, "Mary\nEthan\nZoe\n");
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        h.typeParents("John", "Zoe");
        h.mark(h.rowOf("Ethan", "boy"));
        QVERIFY(h.openList(path));
        QCOMPARE(h.line("markedLine"), QStringLiteral("No names marked"));
        h.mark(h.rowOf("Zoe", ""));

        h.restart();
        QCOMPARE(h.window->windowTitle(),
                 QStringLiteral("ours.txt \u2014 QL Kindrell Name Finder"));
        QCOMPARE(MarkedNames(h), QStringList{"Zoe"});
        h.window->useBundledList();
        QCOMPARE(MarkedNames(h), QStringList{"Ethan"});
        QVERIFY(h.find<QLabel>("noticeLine")->isHidden());

        // A list that is gone by the next start: the bundled list, said once.
        QVERIFY(h.openList(path));
        QVERIFY(QFile::remove(path));
        h.restart();
        QCOMPARE(h.window->windowTitle(), QStringLiteral("QL Kindrell Name Finder"));
        QCOMPARE(MarkedNames(h), QStringList{"Ethan"});
        QCOMPARE(h.line("noticeLine"),
                 QStringLiteral("\u201Cours.txt\u201D could not be opened again, so the bundled "
                                "list is shown."));
        h.restart();
        QVERIFY(h.find<QLabel>("noticeLine")->isHidden());
    }

    void aStoreThatFailsNeverStopsTheWindow_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<bool>("parentsKept");
        QTest::newRow("settings unreadable") << "settings unreadable" << kSettingsMoved << false;
        QTest::newRow("settings hold an unknown choice")
            << "unknown choice" << kSexNotUnderstood << true;
        QTest::newRow("settings unwritable") << "settings unwritable" << kSettingsNotSaved << true;
        QTest::newRow("marks unreadable")
            << "marks unreadable" << MarksMoved("it cannot be read") << true;
        QTest::newRow("marks corrupt") << "marks corrupt" << MarksMoved("it is damaged") << true;
        QTest::newRow("marks of another list")
            << "marks of another list" << MarksMoved("it holds the marks of another list") << true;
        QTest::newRow("marks unwritable") << "marks unwritable" << kMarksNotKept << true;
    }
    void aStoreThatFailsNeverStopsTheWindow() {
        QFETCH(QString, failure);
        QFETCH(QString, notice);
        QFETCH(bool, parentsKept);
        FinderHarness h;
        h.typeParents("John", "Zoe");
        h.mark(0);
        h.window.reset();
        h.settings.failReads = failure == "settings unreadable";
        h.settings.failWrites = failure == "settings unwritable";
        h.dataFiles.failReads = failure == "marks unreadable";
        h.dataFiles.failWrites = failure == "marks unwritable";
        if (failure == "unknown choice") {
            h.settings.values.insert(QStringLiteral("kindrell-names/Finder/Sex"),
                                     QStringLiteral("purple"));
        } else if (failure == "marks corrupt") {
            h.dataFiles.files.insert("marks/bundled.json", "{\"list\": \"\", \"marked\": [{");
        } else if (failure == "marks of another list") {
            h.dataFiles.files.insert("marks/bundled.json",
                                     "{\"list\": \"/elsewhere.txt\", \"marked\": []}");
        }
        h.restart();
        QCOMPARE(h.box("fatherBox")->text(), parentsKept ? QStringLiteral("John") : QString());
        h.box("fatherBox")->setText("John");
        h.box("motherBox")->setText("Zoe");
        // The window works on, and the second failure says nothing more.
        h.mark(1);
        h.mark(2);
        QCOMPARE(h.line("countLine"), QStringLiteral("3,160 of 29,389 names"));
        QCOMPARE(h.line("noticeLine"), notice);
        QVERIFY(h.find<QLabel>("noticeLine")->isVisibleTo(h.window.get()));
        QVERIFY(h.messages.shown.isEmpty());
    }
};

QTEST_MAIN(FinderMemoryTest)
#include "finder_memory_test.moc"
