// Lists of one's own as the finder opens them: the odd files people have,
// each with what the finder keeps and says, and the files it cannot use,
// which change nothing.

#include "namelist/name_file.h"
#include "tests/finder/finder_harness.h"
#include "tests/support/odd_lists.h"

#include <QCheckBox>
#include <QTemporaryDir>
#include <QtTest>

using kindrell::finder::NamesModel;
using kindrell::finder::test::FinderHarness;
using kindrell::finder::test::WriteFile;
using namespace kindrell::platform;

namespace {

QString ListNames(const kindrell::namelist::NameList& list) {
    QStringList names;
    for (const kindrell::namelist::NameEntry& entry : list.entries()) {
        names << entry.name;
    }
    return names.join(QLatin1Char('|'));
}

// A list of `count` different names, one a line.
QByteArray ManyNames(int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        bytes += "Name" + QByteArray::number(i) + '\n';
    }
    return bytes;
}

} // namespace

class FinderListsTest : public QObject {
    Q_OBJECT
  private slots:
    void oddLists_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("message");
        for (const kindrell::testing_support::OddList& list :
             kindrell::testing_support::OddLists()) {
            QTest::newRow(list.label)
                << QByteArray::fromStdString(list.bytes) << QString::fromStdString(list.finderNames)
                << QString::fromStdString(list.finderMessage);
        }
    }
    void oddLists() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, names);
        QFETCH(QString, message);
        FinderHarness h;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("odd.txt");
        WriteFile(path, bytes);
        QCOMPARE(h.openList(path), !names.isEmpty());
        QCOMPARE(h.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!names.isEmpty()) {
            QCOMPARE(ListNames(h.model()->list()), names);
        }
    }

    // The longest name the finder accepts, selected, wraps in the pane: the
    // window asks for no more room than before.
    void aLongNameWrapsInThePane() {
        FinderHarness h;
        h.typeParents("John", "Zoe");
        h.window->show();
        const QSize before = h.window->minimumSizeHint();
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("long.txt");
        const QString name(32767, QLatin1Char('a'));
        WriteFile(path, name.toUtf8() + "\nMary\n");
        QVERIFY(h.openList(path));
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        const int row = h.rowOf(name, {});
        QVERIFY(row >= 0);
        h.table()->selectRow(row);
        QCOMPARE(h.line("selectedName").remove(QChar(0x200B)), name);
        // Once the layout has taken in the lines the read left behind.
        QTRY_COMPARE(h.window->minimumSizeHint(), before);
    }

    void filesThatCannotBeUsedChangeNothing_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<qint64>("size");      // more than the bytes: a sparse file that long
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << qint64{0}
                                 << "\u201Cgone.txt\u201D could not be read: No such file or "
                                    "directory.";
        QTest::newRow("blank lines only") << QByteArray("\n  \r\n") << qint64{0}
                                          << QStringLiteral("\u201Cgone.txt\u201D holds no names.");
        QTest::newRow("nothing readable")
            << QByteArray("\xFF\n\xFE\n") << qint64{0}
            << QStringLiteral("\u201Cgone.txt\u201D holds no names. 2 lines that are not valid "
                              "UTF-8 were left out.");
        QTest::newRow("larger than 64 MB")
            << QByteArray("Mary\n") << kindrell::namelist::kMaxListBytes + 1
            << QStringLiteral("\u201Cgone.txt\u201D is larger than 64 MB, more than the finder "
                              "opens. The list shown is unchanged.");
        QTest::newRow("more than a million names")
            << ManyNames(kindrell::namelist::kMaxListNames + 1) << qint64{0}
            << QStringLiteral("\u201Cgone.txt\u201D holds more than 1,000,000 names, more than "
                              "the finder opens. The list shown is unchanged.");
    }
    void filesThatCannotBeUsedChangeNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        QFETCH(QString, message);
        FinderHarness h;
        h.typeParents("John", "Zoe");
        h.mark(0);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("gone.txt");
        if (!bytes.isEmpty()) {
            WriteFile(path, bytes);
        }
        if (size > 0) {
            QVERIFY(QFile::resize(path, size));
        }
        QVERIFY(!h.openList(path));
        QCOMPARE(h.messages.shown.size(), 1);
        QCOMPARE(h.messages.shown[0].text, message);
        QCOMPARE(h.messages.shown[0].icon, MessageIcon::Error);
        QCOMPARE(h.line("countLine"), QStringLiteral("3,160 of 29,389 names"));
        QCOMPARE(h.line("markedLine"), QStringLiteral("1 name marked"));
        QCOMPARE(h.window->windowTitle(), QStringLiteral("QL Kindrell Name Finder"));
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
        // said. A liked name finds middle names in any list.
        QVERIFY(!h.choices("sexBox")->isEnabled() && h.box("likeBox")->isEnabled());
        QCOMPARE(h.line("countLine"), QStringLiteral("2 of 4 names"));
        QCOMPARE(h.rowText(0), QStringLiteral("Ethan||3|Harmonious|Harmonious||"));
        QCOMPARE(h.rowText(1), QStringLiteral("Mary||3|Harmonious|Harmonious||"));
        h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
        QCOMPARE(h.line("countLine"), QStringLiteral("4 of 4 names"));
        // A liked name has no spellings here, but middle names: the letters
        // of Ava sum to 6 and those of Anne Marie to 44, 50 → 5.
        h.box("likeBox")->setText(QStringLiteral("Ava"));
        QCOMPARE(h.line("emptyLine"),
                 QStringLiteral("Only the names of the bundled list have spellings to show."));
        h.find<QCheckBox>("middleBox")->setChecked(true);
        QCOMPARE(h.line("countLine"), QStringLiteral("4 middle names for Ava"));
        QCOMPARE(h.rowText(0), QStringLiteral("Ava Anne Marie||5|Harmonious|Not Harmonious||"));
        h.find<QCheckBox>("middleBox")->setChecked(false);
        h.box("likeBox")->clear();

        QVERIFY(h.button("bundledButton")->isEnabled());
        QTest::mouseClick(h.button("bundledButton"), Qt::LeftButton);
        // The sex filter chosen before counts again: the names given to both.
        QCOMPARE(h.line("countLine"), QStringLiteral("2,948 of 29,389 names"));
        QCOMPARE(h.window->windowTitle(), QStringLiteral("QL Kindrell Name Finder"));
        QVERIFY(h.choices("sexBox")->isEnabled());
        QVERIFY(!h.button("bundledButton")->isEnabled());
    }
};

QTEST_MAIN(FinderListsTest)
#include "finder_lists_test.moc"
