// Middle names for a liked name: every full name the table lists read whole
// by the engine, the count against a pass of our own over the list, the
// tables that stay empty and say why, and a full name marked and saved.

#include "engine/reading.h"
#include "tests/finder/finder_harness.h"

#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using kindrell::CompatibilityVerdict;
using kindrell::finder::NamesModel;
using kindrell::finder::test::FinderHarness;

namespace {

std::u16string U16(const QString& text) {
    return text.toStdU16String();
}

// The middle names asked for `liked`.
void AskMiddleNames(const FinderHarness& h, const QString& liked) {
    h.box("likeBox")->setText(liked);
    h.find<QCheckBox>("middleBox")->setChecked(true);
}

} // namespace

class FinderMiddleTest : public QObject {
    Q_OBJECT
  private slots:
    void fullNamesAreReadWhole_data() {
        QTest::addColumn<QString>("father");
        QTest::addColumn<QString>("mother");
        QTest::addColumn<QString>("liked");
        QTest::newRow("David, Sarah: Sofia") << "David"
                                             << "Sarah"
                                             << "Sofia";
        QTest::newRow("David, Sarah: Liam") << "David"
                                            << "Sarah"
                                            << "Liam";
        QTest::newRow("James, Emily: Sofia") << "James"
                                             << "Emily"
                                             << "Sofia";
        QTest::newRow("James, Emily: Noah") << "James"
                                            << "Emily"
                                            << "Noah";
    }
    // Each row's full name, number and verdicts are the engine's reading of
    // the whole text; the rows are every name whose full name reads
    // Harmonious, most births first.
    void fullNamesAreReadWhole() {
        QFETCH(QString, father);
        QFETCH(QString, mother);
        QFETCH(QString, liked);
        const FinderHarness h;
        h.typeParents(father, mother);
        AskMiddleNames(h, liked);
        QStringList expected;
        for (const kindrell::namelist::NameEntry& entry : h.model()->list().entries()) {
            const QString full = liked + u' ' + entry.name;
            if (kindrell::ComposeReading(U16(full), U16(father), U16(mother)).Verdict ==
                CompatibilityVerdict::Harmonious) {
                expected << full + u'/' + kindrell::namelist::SexName(entry.sex);
            }
        }
        QVERIFY(!expected.isEmpty());
        QStringList rows;
        int births = std::numeric_limits<int>::max();
        for (int row = 0; row < h.model()->rowCount(); ++row) {
            const QString full = h.cell(row, NamesModel::NameColumn);
            const kindrell::Reading reading =
                kindrell::ComposeReading(U16(full), U16(father), U16(mother));
            QCOMPARE(h.cell(row, NamesModel::NumberColumn).toInt(), reading.ChildNumber);
            QCOMPARE(U16(h.cell(row, NamesModel::MotherColumn)),
                     kindrell::GetParentVerdicts(reading.Verdict).Mother);
            // Births are the middle name's, most first.
            const int rowBirths = h.model()->entryAt(row).births.value_or(0);
            QVERIFY(rowBirths <= births);
            births = rowBirths;
            rows << full + u'/' + h.cell(row, NamesModel::SexColumn);
        }
        rows.sort();
        expected.sort();
        QCOMPARE(rows, expected);
        QCOMPARE(h.line("countLine"),
                 QStringLiteral("%1 middle names bring %2 into harmony with both parents")
                     .arg(QLocale().toString(expected.size()), liked));
        // The pane reads the full name, a term for each of its letters.
        h.table()->selectRow(0);
        const QString first = h.cell(0, NamesModel::NameColumn);
        const QString working = h.line("working");
        QCOMPARE(working.count(QStringLiteral(" + ")) + 1, first.size() - first.count(u' '));
        QVERIFY(working.endsWith(u' ' + h.cell(0, NamesModel::NumberColumn)));
    }

    // kindrell-reading --middle-for lists the window's rows, in its order.
    void theCommandLineListsTheWindowsRows() {
        const QString program = qEnvironmentVariable("KINDRELL_READING");
        if (program.isEmpty()) {
            QSKIP("KINDRELL_READING names no kindrell-reading to run");
        }
        const FinderHarness h;
        h.typeParents("David", "Sarah");
        AskMiddleNames(h, QStringLiteral("Sofia"));
        QProcess cli;
        cli.start(program, {"--suggest", "--father", "David", "--mother", "Sarah", "--middle-for",
                            "Sofia", "--top", "0"});
        QVERIFY(cli.waitForFinished(60000));
        const QStringList lines =
            QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QStringList rows;
        for (int row = 0; row < h.model()->rowCount(); ++row) {
            rows << QStringList{h.cell(row, NamesModel::NameColumn),
                                h.cell(row, NamesModel::SexColumn),
                                h.cell(row, NamesModel::NumberColumn),
                                QString::number(h.model()->entryAt(row).births.value_or(0))}
                        .join(u'\t');
        }
        QVERIFY(rows.size() > 100);
        QCOMPARE(lines, rows);
    }

    void anEmptyTableSaysWhy_data() {
        QTest::addColumn<QString>("father");
        QTest::addColumn<QString>("mother");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("harmony");
        QTest::addColumn<QString>("why");
        QTest::newRow("no row for the pair")
            << "John"
            << "Mary"
            << ""
            << "With both parents"
            << "No middle name can bring Sofia into harmony with both parents: for a mother's 3 "
               "and a father's 2 every name reads Not Harmonious At All, whatever its number.";
        QTest::newRow("no Harmonious in the row")
            << "H"
            << "A"
            << ""
            << "With both parents"
            << "No middle name can bring Sofia into harmony with both parents: for a mother's 1 "
               "and a father's 8 no number is in harmony with both.";
        QTest::newRow("the filters") << "David"
                                     << "Sarah"
                                     << "Qx"
                                     << "With both parents"
                                     << "No middle name passes the filters.";
        QTest::newRow("nothing marked") << "David"
                                        << "Sarah"
                                        << ""
                                        << "Marked"
                                        << "No full name with Sofia is marked.";
    }
    void anEmptyTableSaysWhy() {
        QFETCH(QString, father);
        QFETCH(QString, mother);
        QFETCH(QString, prefix);
        QFETCH(QString, harmony);
        QFETCH(QString, why);
        const FinderHarness h;
        h.typeParents(father, mother);
        AskMiddleNames(h, QStringLiteral("Sofia"));
        h.box("prefixBox")->setText(prefix);
        h.choices("harmonyBox")->setCurrentText(harmony);
        QCOMPARE(h.model()->rowCount(), 0);
        QCOMPARE(h.line("emptyLine"), why);
    }

    // Marking a row marks the full name: it stays marked across a restart,
    // apart from the middle name's own mark, and is saved whole.
    void aFullNameIsMarkedAndSavedWhole() {
        FinderHarness h;
        h.typeParents("David", "Sarah");
        AskMiddleNames(h, QStringLiteral("Sofia"));
        const QString full = h.cell(0, NamesModel::NameColumn);
        const QString sex = h.cell(0, NamesModel::SexColumn);
        h.mark(0);
        QCOMPARE(h.line("markedLine"), QStringLiteral("1 name marked"));
        h.restart();
        QCOMPARE(h.cell(0, NamesModel::NameColumn), full);
        QCOMPARE(h.model()->index(0, NamesModel::NameColumn).data(Qt::CheckStateRole),
                 QVariant(Qt::Checked));
        h.find<QCheckBox>("middleBox")->setChecked(false);
        QCOMPARE(h.model()->markedEntries().size(), 0U);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("ours.csv"));
        h.files.paths.push_back(path);
        QVERIFY(h.window->saveMarkedNames());
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(saved.readAll())
                    .contains(QStringLiteral("\r\n%1,%2,").arg(full, sex)));
    }
};

QTEST_MAIN(FinderMiddleTest)
#include "finder_middle_test.moc"
