// The user's own lists: reading one (blank lines, bad UTF-8, CR LF, the
// byte-order mark), the largest list, files that cannot be read, and writing
// the marked names.

#include "namelist/name_file.h"
#include "namelist/shortlist_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <utility>

using namespace kindrell::namelist;

class NameFileTest : public QObject {
    Q_OBJECT
  private slots:
    void parse_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("notUtf8");
        QTest::newRow("LF") << QByteArray("Mary\nJohn\n") << QStringList{"Mary", "John"} << 0;
        QTest::newRow("CR LF, no final line end")
            << QByteArray("Mary\r\nJohn\r\nZoe") << QStringList{"Mary", "John", "Zoe"} << 0;
        QTest::newRow("blank lines and spaces")
            << QByteArray("\n  \nMary\r\n\r\n   \r\n  Anne Marie  \n\n")
            << QStringList{"Mary", "Anne Marie"} << 0;
        QTest::newRow("a leading byte-order mark is ignored")
            << QByteArray("\xEF\xBB\xBFMary\nJohn\n") << QStringList{"Mary", "John"} << 0;
        QTest::newRow("a byte-order mark alone is a blank file")
            << QByteArray("\xEF\xBB\xBF") << QStringList{} << 0;
        QTest::newRow("UTF-8 of two, three and four bytes")
            << QByteArray("Zo\xC3\xAB\n\xE2\x82\xAC"
                          "a\n\xF0\x9F\x98\x80\n")
            << QStringList{QStringLiteral("Zo\u00EB"), QStringLiteral("\u20ACa"),
                           QString::fromUcs4(U"\U0001F600")}
            << 0;
        QTest::newRow("bad lines are skipped and counted")
            << QByteArray("Mary\n"
                          "Zo\xEB\n"           // Latin-1, not UTF-8
                          "\xC0\x80\n"         // overlong NUL
                          "\xED\xA0\x80x\n"    // an encoded surrogate
                          "ab\xE2\x82\n"       // cut short
                          "\x80\n"             // a stray continuation byte
                          "\xF4\x90\x80\x80\n" // above U+10FFFF
                          "John\r\n"
                          "  \xFF  \r\n")
            << QStringList{"Mary", "John"} << 7;
        QTest::newRow("empty") << QByteArray() << QStringList{} << 0;
        // Deseret capital and small long I: letters beyond the BMP fold too.
        QTest::newRow("repeats ignoring case, beyond the BMP too")
            << QByteArray("Zo\xC3\xAB\nZO\xC3\x8B\n\xF0\x90\x90\x80"
                          "a\n\xF0\x90\x90\xA8"
                          "A\n")
            << QStringList{QStringLiteral("Zo\u00EB"), QString::fromUcs4(U"\U00010400a")} << 0;
    }
    void parse() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, names);
        QFETCH(int, notUtf8);
        const NameFileRead read = ParseNameFile(bytes);
        QCOMPARE(read.problem, NameFileProblem::None);
        QCOMPARE(read.contents.names, names);
        QCOMPARE(read.contents.invalidLines, notUtf8);
    }

    void readsAFile() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("names.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBFMary\r\n\xFFx\r\nJohn\r\n");
        file.close();
        const NameFileRead read = ReadNameFile(path);
        QCOMPARE(read.error, QString());
        QCOMPARE(read.contents.names, (QStringList{"Mary", "John"}));
        QCOMPARE(read.contents.invalidLines, 1);
    }

    // A repeat does not count against the limit: it adds no name.
    void theLargestListIsAMillionNames() {
        QByteArray bytes;
        for (int i = 0; i < kMaxListNames; ++i) {
            bytes += "Name" + QByteArray::number(i) + '\n';
        }
        bytes += "NAME0\n";
        const NameFileRead read = ParseNameFile(bytes);
        QCOMPARE(read.problem, NameFileProblem::None);
        QCOMPARE(read.contents.names.size(), kMaxListNames);
        QCOMPARE(read.contents.repeats, 1);
        QCOMPARE(ParseNameFile(bytes + "One more\n").problem, NameFileProblem::TooManyNames);
    }

    void unreadableFilesSayWhy() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const NameFileRead missing = ReadNameFile(folder.filePath("missing.txt"));
        QVERIFY(!missing.error.isEmpty());
        QVERIFY(missing.contents.names.isEmpty());
        const NameFileRead directory = ReadNameFile(folder.path());
        QVERIFY(!directory.error.isEmpty());
    }

    // A list cut short or grown while it is read is read as far as it goes,
    // and says so; one left alone does not.
    void aListThatChangesWhileReadSaysSo_data() {
        QTest::addColumn<QByteArray>("change"); // what replaces the file after its first block
        QTest::addColumn<bool>("changed");
        QTest::newRow("left alone") << QByteArray() << false;
        QTest::newRow("cut short") << QByteArray("Mary\n") << true;
        QTest::newRow("grown") << QByteArray(qsizetype{3} * 1024 * 1024, 'a') << true;
    }
    void aListThatChangesWhileReadSaysSo() {
        QFETCH(QByteArray, change);
        QFETCH(bool, changed);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("names.txt");
        QByteArray bytes;
        for (int i = 0; bytes.size() < qsizetype{2} * 1024 * 1024; ++i) {
            bytes += "Name" + QByteArray::number(i) + '\n';
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        // The reader asks whether to stop before each block it has read:
        // the first time, the file changes under it.
        bool first = true;
        const NameFileRead read = ReadNameFile(path, [&] {
            if (std::exchange(first, false) && !change.isEmpty()) {
                QFile rewrite(path);
                if (rewrite.open(QIODevice::ReadWrite | QIODevice::Truncate)) {
                    rewrite.write(change);
                }
            }
            return false;
        });
        QCOMPARE(read.problem, NameFileProblem::None);
        QCOMPARE(read.contents.changedWhileRead, changed);
        QVERIFY(!read.contents.names.isEmpty());
    }

    void writesEachNameOnceAndReadsBack() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("shortlist.txt");
        const QStringList names{"Mary", QStringLiteral("Zo\u00EB"), "Mary", "Anne Marie"};
        QCOMPARE(WriteNameFile(path, names), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Mary\nZo\xC3\xAB\nAnne Marie\n"));
        QCOMPARE(ReadNameFile(path).contents.names,
                 (QStringList{"Mary", QStringLiteral("Zo\u00EB"), "Anne Marie"}));
    }

    void unwritablePlacesSayWhy() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        // Paths that even the superuser cannot write: in a missing folder,
        // below a plain file, and a folder itself.
        QVERIFY(!WriteNameFile(folder.filePath("no/such/folder/list.txt"), {"Mary"}).isEmpty());
        const QString plain = folder.filePath("plain.txt");
        QCOMPARE(WriteNameFile(plain, {"Old"}), QString());
        QVERIFY(!WriteNameFile(plain + "/list.txt", {"Mary"}).isEmpty());
        QVERIFY(!WriteNameFile(folder.path(), {"Mary"}).isEmpty());
        QCOMPARE(ReadNameFile(plain).contents.names, QStringList{"Old"});
    }

    // Shortlists as spreadsheets and the finder write them, and as plain
    // lists: the names of the Name column, each with its sex where a Sex
    // column gives one.
    void shortlistTables_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names"); // "name/sex"
        QTest::addColumn<bool>("noNameColumn");
        QTest::newRow("as the finder saves it")
            << "ours.csv"
            << QByteArray("\xEF\xBB\xBFName,Sex,Number,Mother,Father,Births,Trend\r\n"
                          "Avery,girl,8,Harmonious,Harmonious,123,+5%\r\n"
                          "Avery,boy,8,Harmonious,Harmonious,456,-5%\r\n")
            << QStringList{"Avery/girl", "Avery/boy"} << false;
        QTest::newRow("columns elsewhere, any case, F and M")
            << "theirs.CSV"
            << QByteArray("Rank,SEX,name\nx,F,Mia\ny,M,\" Noah \"\nz,,Zoe\nw,other,Ava\n")
            << QStringList{"Mia/girl", "Noah/boy", "Zoe/", "Ava/"} << false;
        QTest::newRow("no Sex column; quotes, commas, a line break")
            << "x.csv"
            << QByteArray("Name\r\n\"O'Brien, Jr\"\r\n\"Zo\xC3\xAB \"\"Zee\"\"\"\r\n"
                          "\"Anne\r\nMarie\"\r\n\r\n,\r\n")
            << QStringList{"O'Brien, Jr/", QStringLiteral("Zo\u00EB \"Zee\"/"), "Anne Marie/"}
            << false;
        QTest::newRow("a row shorter than the header")
            << "x.csv" << QByteArray("Sex,Name\nF\n") << QStringList{} << false;
        QTest::newRow("no Name column")
            << "x.csv" << QByteArray("First,Sex\nMia,F\n") << QStringList{} << true;
        QTest::newRow("a plain list") << "x.txt" << QByteArray("Name,Sex\nMia\n")
                                      << QStringList{"Name,Sex/", "Mia/"} << false;
    }
    void shortlistTables() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, names);
        QFETCH(bool, noNameColumn);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(fileName);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const ShortlistRead read = ReadShortlist(path);
        QStringList got;
        for (const ShortlistName& name : read.names) {
            got << name.name + u'/' + SexName(name.sex);
        }
        QCOMPARE(got, names);
        QCOMPARE(read.noNameColumn, noNameColumn);
        QCOMPARE(read.problem, NameFileProblem::None);
    }
};

QTEST_GUILESS_MAIN(NameFileTest)
#include "name_file_test.moc"
