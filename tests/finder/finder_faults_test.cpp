// Nothing a user made is lost, whatever the disk and the files do: the name
// finder on the real stores (the per-user settings and a data folder of its
// own), against full disks, writes cut short, damaged and odd files, lists
// edited behind its back, and places that are not where they should be.

#include "tests/finder/finder_harness.h"

#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using kindrell::finder::NamesModel;
using kindrell::finder::test::FinderHarness;
using kindrell::finder::test::WriteFile;
using kindrell::platform::QtSettings;

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QString SettingsFile() {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Quillora/kindrell-names.ini");
}

// A small tmpfs over `folder` for as long as it lives, when the test may
// mount one (as root); unmounted on the way out.
class SmallDisk {
  public:
    explicit SmallDisk(const QString& folder) : folder_(folder) {
        mounted_ =
            ::geteuid() == 0 &&
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=64k"), QStringLiteral("tmpfs"), folder}) == 0;
    }
    ~SmallDisk() {
        if (mounted_) {
            QProcess::execute(QStringLiteral("umount"), {folder_});
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    [[nodiscard]] bool mounted() const { return mounted_; }

    // Takes every byte left.
    void fill() const {
        QFile filler(folder_ + QStringLiteral("/filler"));
        if (filler.open(QIODevice::WriteOnly)) {
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
    }

  private:
    QString folder_;
    bool mounted_ = false;
};

// Writes that go past `bytes` fail part-way (EFBIG), as on a quota, while it
// lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &old_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
};

// The first `count` rows of John and Zoe's names marked.
void MarkFirst(FinderHarness& h, int count) {
    h.typeParents("John", "Zoe");
    for (int row = 0; row < count; ++row) {
        h.mark(row);
    }
}

QByteArray Nested(int depth) {
    return "{\"list\": \"\", \"marked\": " + QByteArray(depth, '[') + QByteArray(depth, ']') + "}";
}

} // namespace

class FinderFaultsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        QDir(QFileInfo(SettingsFile()).absolutePath()).removeRecursively();
        QVERIFY(data_.isValid());
        QDir(data_.path()).removeRecursively();
        QVERIFY(QDir().mkpath(data_.path()));
    }

    // A write that fails leaves the marks file and a saved shortlist as they
    // were, and says so.
    void aFailedWriteLeavesTheOldFile_data() {
        QTest::addColumn<bool>("fullDisk"); // else a write cut short past a size
        QTest::addColumn<QString>("why");
        QTest::newRow("full disk") << true << "the disk is full";
        QTest::newRow("write cut short") << false << "file too large";
    }
    void aFailedWriteLeavesTheOldFile() {
        QFETCH(bool, fullDisk);
        QFETCH(QString, why);
        const SmallDisk disk(data_.path());
        if (fullDisk && !disk.mounted()) {
            QSKIP("mounting a small tmpfs needs root");
        }
        FinderHarness h(data_.path());
        MarkFirst(h, 8);
        const QString marksFile = data_.filePath(QStringLiteral("marks/bundled.json"));
        const QString shortlist = data_.filePath(QStringLiteral("shortlist.txt"));
        WriteFile(shortlist, "Olivia\nLiam\n");
        const QByteArray marks = FileBytes(marksFile);
        QVERIFY(marks.contains("Madison"));
        std::unique_ptr<FileSizeLimit> limit;
        if (fullDisk) {
            disk.fill();
        } else {
            limit = std::make_unique<FileSizeLimit>(16);
        }
        h.mark(8);
        QCOMPARE(FileBytes(marksFile), marks);
        QCOMPARE(h.line("noticeLine"),
                 QStringLiteral("The marks could not be kept: %1. The earlier marks are unchanged.")
                     .arg(why));
        h.files.paths.push_back(shortlist);
        QVERIFY(!h.window->saveMarkedNames());
        QCOMPARE(FileBytes(shortlist), QByteArray("Olivia\nLiam\n"));
        QCOMPARE(h.messages.texts(),
                 QStringList{QStringLiteral("The marked names could not be saved to "
                                            "\u201Cshortlist.txt\u201D: %1. Any file of that name "
                                            "is unchanged.")
                                 .arg(why)});
        QCOMPARE(QDir(data_.filePath(QStringLiteral("marks"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("bundled.json")});
    }

    // A marks file that cannot be read is moved aside as it is, and the
    // finder carries on with none.
    void anUnreadableMarksFileIsMovedAside_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("size"); // more than the bytes: a sparse file that long
        QTest::addColumn<QString>("why");
        const QByteArray whole = R"({"list": "", "marked": [{"name": "Ethan", "sex": "boy"}]})";
        QTest::newRow("cut short") << whole.first(30) << qint64{0} << "it is damaged";
        QTest::newRow("a sex the finder does not know")
            << QByteArray(R"({"list": "", "marked": [{"name": "Ethan", "sex": "unknown"}]})")
            << qint64{0} << "it holds a mark the finder does not know";
        QTest::newRow("another list's path")
            << QByteArray(R"({"list": "/home/u/names.txt", "marked": []})") << qint64{0}
            << "it holds the marks of another list";
        QTest::newRow("nested 100,000 deep") << Nested(100'000) << qint64{0} << "it is damaged";
        QTest::newRow("128 MB") << whole << qint64{128} * 1024 * 1024 << "it is larger than 4 MB";
        QTest::newRow("a FIFO") << QByteArray() << qint64{-1} << "it is not a regular file";
    }
    void anUnreadableMarksFileIsMovedAside() {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        QFETCH(QString, why);
        const QString marksFile = data_.filePath(QStringLiteral("marks/bundled.json"));
        QVERIFY(QDir().mkpath(data_.filePath(QStringLiteral("marks"))));
        if (size < 0) {
            QCOMPARE(::mkfifo(QFile::encodeName(marksFile).constData(), 0600), 0);
        } else {
            WriteFile(marksFile, bytes);
            QVERIFY(size == 0 || QFile::resize(marksFile, size));
        }
        FinderHarness h(data_.path());
        const QString moved = marksFile + QStringLiteral(".unreadable-2026-12-08");
        QCOMPARE(h.line("noticeLine"),
                 QStringLiteral("The marks of this list could not be read (%1), so none is shown "
                                "marked; the file was moved to \u201C%2\u201D.")
                     .arg(why, moved));
        QCOMPARE(h.line("markedLine"), QStringLiteral("No names marked"));
        MarkFirst(h, 1);
        QVERIFY(FileBytes(marksFile).contains("Ethan"));
        if (size < 0) {
            QVERIFY(QFileInfo(moved).exists() && !QFileInfo(moved).isFile());
        } else {
            QCOMPARE(QFileInfo(moved).size(), size == 0 ? bytes.size() : size);
            QCOMPARE(FileBytes(moved).first(bytes.size()), bytes);
        }
    }

    // Marks are one set: those of names the list no longer holds stay in
    // the file untouched, and come back with the names.
    void marksOutliveTheListsContents() {
        const QString list = data_.filePath(QStringLiteral("ours.txt"));
        WriteFile(list, "Ethan\nMadison\nZoe\nOwen\n");
        {
            FinderHarness h(data_.path());
            QVERIFY(h.openList(list));
            h.choices("harmonyBox")->setCurrentText(QStringLiteral("Any"));
            MarkFirst(h, 4);
        }
        WriteFile(list, "Ethan\nMadison\nzoe\n");
        FinderHarness h(data_.path());
        QCOMPARE(h.line("noticeLine"), QStringLiteral("2 marked names are not in this list."));
        QCOMPARE(h.model()->markedNames(), (QStringList{"Ethan", "Madison"}));
        h.mark(h.rowOf(QStringLiteral("Ethan"), {})); // taken back
        WriteFile(list, "Ethan\nMadison\nZoe\nOwen\n");
        h.restart();
        QCOMPARE(h.model()->markedNames(), (QStringList{"Madison", "Zoe", "Owen"}));
        QVERIFY(h.find<QLabel>("noticeLine")->isHidden());
    }

    // Only regular files are read: a FIFO never holds the window.
    void noFifoHoldsTheWindow_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("said");
        QTest::newRow("opened as a list")
            << "opened"
            << "\u201Cfifo.txt\u201D could not be read: it is not a regular file.";
        QTest::newRow("the list of the last run")
            << "stored"
            << "\u201Cfifo.txt\u201D could not be opened again, so the bundled list "
               "is shown.";
        QTest::newRow("the settings file")
            << "settings"
            << "The finder's settings could not be read, so it starts afresh; "
               "they were moved to \u201C%1.unreadable-2026-12-08\u201D.";
    }
    void noFifoHoldsTheWindow() {
        QFETCH(QString, where);
        QFETCH(QString, said);
        const QString fifo =
            where == "settings" ? SettingsFile() : data_.filePath(QStringLiteral("fifo.txt"));
        QVERIFY(QDir().mkpath(QFileInfo(fifo).absolutePath()));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        if (where == "stored") {
            QtSettings().write(QStringLiteral("kindrell-names"), QStringLiteral("Finder"),
                               QStringLiteral("List"), fifo);
        }
        FinderHarness h(data_.path());
        if (where == "opened") {
            QVERIFY(!h.openList(fifo));
            QCOMPARE(h.messages.texts(), QStringList{said});
        } else {
            QCOMPARE(h.line("noticeLine"), where == "settings" ? said.arg(fifo) : said);
        }
        h.typeParents("John", "Zoe");
        QCOMPARE(h.line("countLine"), QStringLiteral("3,160 of 29,389 names"));
    }

    // Each stored value on its own: one the finder does not know falls back
    // to its default alone, and is mended, so that the notice comes once.
    void oneUnknownStoredValueCostsNoOther() {
        QtSettings store;
        for (const auto& [key, value] : {std::pair{"Father", "John"},
                                         {"Mother", "Zoe"},
                                         {"Sex", "purple"},
                                         {"Order", "name"}}) {
            store.write(QStringLiteral("kindrell-names"), QStringLiteral("Finder"),
                        QString::fromLatin1(key), QString::fromLatin1(value));
        }
        FinderHarness h(data_.path());
        QCOMPARE(h.box("fatherBox")->text(), QStringLiteral("John"));
        QCOMPARE(h.choices("orderBox")->currentText(), QStringLiteral("Name"));
        QCOMPARE(h.choices("sexBox")->currentText(), QStringLiteral("Girls and boys"));
        QCOMPARE(h.line("noticeLine"),
                 QStringLiteral("The finder did not understand its stored Sex, so it is back to "
                                "its default."));
        h.restart();
        QVERIFY(h.find<QLabel>("noticeLine")->isHidden());
        QCOMPARE(h.box("motherBox")->text(), QStringLiteral("Zoe"));
    }

    // A stored place and size are used only where they fit the screen: a
    // size that does not gives way to the default, in the middle; a place
    // off the screen to one on it.
    void aStoredGeometryMustFitTheScreen_data() {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("100000 x 100000") << QRect(0, 0, 100'000, 100'000) << "in the middle";
        QTest::newRow("off the screen") << QRect(5000, 4000, 1000, 600) << "its size";
        QTest::newRow("on the screen") << QRect(60, 50, 1000, 600) << "as stored";
    }
    void aStoredGeometryMustFitTheScreen() {
        QFETCH(QRect, stored);
        QFETCH(QString, shown);
        QWidget model;
        model.setGeometry(stored);
        QtSettings().write(QStringLiteral("kindrell-names"), QStringLiteral("Finder"),
                           QStringLiteral("Geometry"),
                           QString::fromLatin1(model.saveGeometry().toBase64()));
        FinderHarness h(data_.path());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect placed = h.window->geometry();
        QVERIFY(screen.contains(placed));
        if (shown == "as stored") {
            QCOMPARE(placed, stored);
        } else if (shown == "its size") {
            QCOMPARE(placed.size(), stored.size());
        } else {
            // In the middle, with room above for the title bar.
            QVERIFY(qAbs(placed.center().x() - screen.center().x()) <= 1);
            QVERIFY(placed.top() - screen.top() > screen.bottom() - placed.bottom());
            QVERIFY(placed.height() < screen.height());
        }
    }

    // The marks folder is the finder's own: a link in its place is refused,
    // and nothing is written where it points.
    void aLinkedMarksFolderIsNotFollowed() {
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        WriteFile(elsewhere.filePath(QStringLiteral("bundled.json")), "{}");
        QVERIFY(QFile::link(elsewhere.path(), data_.filePath(QStringLiteral("marks"))));
        FinderHarness h(data_.path());
        QVERIFY(h.line("noticeLine").contains(QStringLiteral("is a symbolic link")));
        QVERIFY(h.line("noticeLine").endsWith(QStringLiteral("marks made now are not kept.")));
        MarkFirst(h, 2);
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("bundled.json")});
        QCOMPARE(FileBytes(elsewhere.filePath(QStringLiteral("bundled.json"))), QByteArray("{}"));
    }

  private:
    QTemporaryDir data_;
};

QTEST_MAIN(FinderFaultsTest)
#include "finder_faults_test.moc"
