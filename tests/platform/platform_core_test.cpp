// The platform services that need no display: link addresses, the random
// generator, the settings store, the user's data files and the single-instance
// lock inside one process.

#include "platform/qt_services.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLockFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <array>
#include <cmath>

using namespace kindrell::platform;

namespace {

QString settingsFilePath(const QString& application) {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Quillora/") + application +
           QStringLiteral(".ini");
}

} // namespace

class PlatformCoreTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // The test environment points XDG_CONFIG_HOME into a private HOME;
        // refuse to run against a real user's configuration.
        QVERIFY(qEnvironmentVariable("XDG_CONFIG_HOME").startsWith(qEnvironmentVariable("HOME")));
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Quillora"))
            .removeRecursively();
    }

    // Without a desktop session (no GUI application at all) there is no
    // clipboard to empty; clearing must neither crash nor complain.
    void clipboardWithoutDesktopIsSilent() {
        QVERIFY(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QtClipboard().clear();
        QtClipboard().clear();
    }

    // The link launcher hands QUrl(address, TolerantMode) to the desktop; the
    // browser gets its encoded form, which must be the address as given.
    void linkAddressesKeepTheirEncoding_data() {
        QTest::addColumn<QString>("address");
        QTest::newRow("home page, no trailing slash") << "http://www.quillora.example";
        QTest::newRow("path") << "http://kindrell.quillora.example/download-ql-free-kindrell.html";
        QTest::newRow("refer-a-friend request")
            << "http://www.quillora.example/taf.php?taf1=Anna%20Marie&taf2=anna@mail.example"
               "&taf3=Your%20Message%0D%0A&taf4=Bo%26Co%3D1%23x%3Fy&taf5=b@mail.example"
               "&taf6=http://kindrell.quillora.example/";
        QTest::newRow("non-ASCII as UTF-8 escapes")
            << "http://h.example/?taf1=Zo%C3%AB%20%E2%9C%93";
        QTest::newRow("escaped percent and plus") << "http://h.example/?q=100%25%2B1+2";
    }
    void linkAddressesKeepTheirEncoding() {
        QFETCH(QString, address);
        const QUrl url(address, QUrl::TolerantMode);
        QVERIFY(url.isValid());
        QCOMPARE(QString::fromLatin1(url.toEncoded()), address);
    }

    void randomStaysInHalfOpenUnitInterval() {
        QtRandom random;
        random.seedFromClock();
        double smallest = 1.0;
        double largest = 0.0;
        for (int i = 0; i < 1'000'000; ++i) {
            const double r = random.next();
            QVERIFY2(r >= 0.0 && r < 1.0, qPrintable(QString::number(r, 'g', 17)));
            smallest = std::min(smallest, r);
            largest = std::max(largest, r);
        }
        // A generator stuck in part of the interval fails here.
        QVERIFY(smallest < 1e-4);
        QVERIFY(largest > 1.0 - 1e-4);
    }

    void randomIsRoughlyUniform() {
        QtRandom random;
        random.seedFromClock();
        constexpr int kBuckets = 24; // multiple of 4 and 6, the program's draws
        constexpr int kDraws = 240'000;
        std::array<int, kBuckets> counts{};
        for (int i = 0; i < kDraws; ++i) {
            ++counts[static_cast<std::size_t>(random.next() * kBuckets)];
        }
        const double expected = double(kDraws) / kBuckets;
        double chiSquare = 0.0;
        for (const int count : counts) {
            chiSquare += (count - expected) * (count - expected) / expected;
        }
        // 23 degrees of freedom: the 99.99th percentile is about 56. A broken
        // generator (one bucket empty, or a 1 % skew) lands in the hundreds.
        QVERIFY2(chiSquare < 70.0, qPrintable(QString::number(chiSquare)));
    }

    void randomSeedsDifferOverTime() {
        QtRandom first;
        first.seedFromClock();
        QTest::qWait(5);
        QtRandom second;
        second.seedFromClock();
        bool differs = false;
        for (int i = 0; i < 4; ++i) {
            differs = differs || first.next() != second.next();
        }
        QVERIFY(differs);
    }

    void settingsMissingValueReadsEmpty() {
        QtSettings settings;
        QVERIFY(settings
                    .read(QStringLiteral("never-written"), QStringLiteral("Settings"),
                          QStringLiteral("LastReminderDate"))
                    .isEmpty());
        QVERIFY(!QFile::exists(settingsFilePath(QStringLiteral("never-written"))));
        settings.write(QStringLiteral("partly-written"), QStringLiteral("Settings"),
                       QStringLiteral("Other"), QStringLiteral("x"));
        QVERIFY(settings
                    .read(QStringLiteral("partly-written"), QStringLiteral("Settings"),
                          QStringLiteral("LastReminderDate"))
                    .isEmpty());
        QVERIFY(settings
                    .read(QStringLiteral("partly-written"), QStringLiteral("Elsewhere"),
                          QStringLiteral("Other"))
                    .isEmpty());
    }

    // Only the user's own file of this application counts: a value in the
    // organization-wide file is not this application's.
    void settingsIgnoreOrganizationWideValues() {
        const QString organizationFile =
            qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Quillora.ini");
        QVERIFY(QDir().mkpath(qEnvironmentVariable("XDG_CONFIG_HOME")));
        {
            QSettings shared(organizationFile, QSettings::IniFormat);
            shared.setValue(QStringLiteral("Settings/LastReminderDate"),
                            QStringLiteral("1/1/2000"));
            shared.sync();
            QCOMPARE(shared.status(), QSettings::NoError);
        }
        QtSettings settings;
        QCOMPARE(settings.read(QStringLiteral("fallback"), QStringLiteral("Settings"),
                               QStringLiteral("LastReminderDate")),
                 QString());
        QVERIFY(QFile::remove(organizationFile));
    }

    void settingsRoundTrip_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("date") << "12/8/2026";
        QTest::newRow("ISO date") << "2026-12-08";
        QTest::newRow("INI punctuation") << "a=b; c # d [e] \"f\" \\g";
        QTest::newRow("outer spaces") << "  padded  ";
        QTest::newRow("line break") << "one\r\ntwo";
        QTest::newRow("non-ASCII") << QStringLiteral("Zo\u00eb \u2713 \u65e5");
        QTest::newRow("empty") << "";
    }
    void settingsRoundTrip() {
        QFETCH(QString, value);
        QtSettings settings;
        const QString app = QStringLiteral("roundtrip");
        settings.write(app, QStringLiteral("Settings"), QStringLiteral("LastReminderDate"),
                       QStringLiteral("replaced"));
        settings.write(app, QStringLiteral("Settings"), QStringLiteral("LastReminderDate"), value);
        QCOMPARE(settings.read(app, QStringLiteral("Settings"), QStringLiteral("LastReminderDate")),
                 value);
        // Sections and applications are separate addresses.
        QVERIFY(settings.read(app, QStringLiteral("Other"), QStringLiteral("LastReminderDate"))
                    .isEmpty());
        QVERIFY(settings
                    .read(QStringLiteral("roundtrip2"), QStringLiteral("Settings"),
                          QStringLiteral("LastReminderDate"))
                    .isEmpty());
        // The value lives in the user's configuration folder, one file per application.
        QSettings file(settingsFilePath(app), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("Settings/LastReminderDate")).toString(), value);
    }

    // Runs as root in the test machine, so permission bits would not stop a
    // write: the store is made unusable by putting a file or folder in the way.
    void settingsRefusedWriteThrows_data() {
        QTest::addColumn<bool>("folderIsAFile");
        QTest::newRow("settings file is a folder") << false;
        QTest::newRow("organization folder is a file") << true;
    }
    void settingsRefusedWriteThrows() {
        QFETCH(bool, folderIsAFile);
        const QString app = QStringLiteral("refused");
        const QString organization =
            qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Quillora");
        QtSettings settings;
        settings.write(QStringLiteral("untouched"), QStringLiteral("Settings"), QStringLiteral("K"),
                       QStringLiteral("kept"));
        const QString untouchedFile = settingsFilePath(QStringLiteral("untouched"));
        const QString moved = organization + QStringLiteral(".moved");
        if (folderIsAFile) {
            QVERIFY(QDir().rename(organization, moved));
            QFile blocker(organization);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(settingsFilePath(app)));
        }

        QVERIFY_THROWS_EXCEPTION(SettingsError,
                                 settings.write(app, QStringLiteral("Settings"),
                                                QStringLiteral("K"), QStringLiteral("v")));

        if (folderIsAFile) {
            QVERIFY(QFile::remove(organization));
            QVERIFY(QDir().rename(moved, organization));
        } else {
            // A settings file that cannot be opened does not read as empty either.
            QVERIFY_THROWS_EXCEPTION(
                SettingsError, settings.read(app, QStringLiteral("Settings"), QStringLiteral("K")));
            QVERIFY(QDir(settingsFilePath(app)).removeRecursively());
        }
        QCOMPARE(settings.read(QStringLiteral("untouched"), QStringLiteral("Settings"),
                               QStringLiteral("K")),
                 QStringLiteral("kept"));
        QVERIFY(QFile::exists(untouchedFile));
    }

    void settingsMalformedFileThrowsOnRead() {
        const QString path = settingsFilePath(QStringLiteral("malformed"));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Settings\nLastReminderDate=\x01\xff\xfe\n");
        file.close();
        QtSettings settings;
        QVERIFY_THROWS_EXCEPTION(SettingsError, settings.read(QStringLiteral("malformed"),
                                                              QStringLiteral("Settings"),
                                                              QStringLiteral("LastReminderDate")));
    }

    void userDataFilesAreReadAndReplacedWhole() {
        const QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QtUserDataFiles files(folder.path());
        QCOMPARE(files.read(QStringLiteral("marks/list.json"), 1024), std::nullopt);
        files.write(QStringLiteral("marks/list.json"), "a longer first version");
        files.write(QStringLiteral("marks/list.json"), "second");
        QCOMPARE(files.read(QStringLiteral("marks/list.json"), 1024), QByteArray("second"));
        // Nothing beside it: the replacement went through a file that is gone.
        QCOMPARE(QDir(folder.filePath(QStringLiteral("marks"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("list.json")});
    }

    // As root, permission bits stop nothing: a file or folder stands in the way.
    void userDataFilesThatCannotBeUsedThrow() {
        const QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QtUserDataFiles files(folder.path());
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("folder.json")));
        QVERIFY_THROWS_EXCEPTION(DataFileError, files.read(QStringLiteral("folder.json"), 1024));
        QFile blocker(folder.filePath(QStringLiteral("marks")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY_THROWS_EXCEPTION(DataFileError,
                                 files.write(QStringLiteral("marks/list.json"), "x"));
    }

    void instanceGuardDefaultLockIsPerUser() {
        QtInstanceGuard guard;
        QCOMPARE(QtInstanceGuard::defaultLockFolder(), qEnvironmentVariable("XDG_RUNTIME_DIR"));
        QCOMPARE(guard.lockFilePath(), qEnvironmentVariable("XDG_RUNTIME_DIR") +
                                           QStringLiteral("/platform_core_test.lock"));
        QVERIFY(!guard.anotherCopyIsRunning());
        QVERIFY(QFile::exists(guard.lockFilePath()));
        QVERIFY(!guard.anotherCopyIsRunning()); // asking again changes nothing
    }

    void instanceGuardUnusableFolderLetsTheProgramStart() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QtInstanceGuard guard(dir.filePath(QStringLiteral("not-a-folder/locks")),
                              QStringLiteral("kindrell"));
        QVERIFY(!guard.anotherCopyIsRunning());
    }

    void instanceGuardCreatesMissingFolder() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QtInstanceGuard guard(dir.filePath(QStringLiteral("a/b")), QStringLiteral("kindrell"));
        QVERIFY(!guard.anotherCopyIsRunning());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("a/b/kindrell.lock"))));
    }

    // A lock file whose owner is gone, or whose PID now belongs to some other
    // program, must not refuse the launch; an old lock of a live owner must.
    void instanceGuardStaleLocks_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("refused");
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
        QTest::newRow("owner PID not running")
            << QByteArray("999999\nkindrell\n" + host + "\n") << false;
        QTest::newRow("PID of another program")
            << QByteArray("1\nkindrell\n" + host + "\n") << false;
        QTest::newRow("live owner, old lock")
            << QByteArray(self + "\nplatform_core_test\n" + host + "\n") << true;
        QTest::newRow("garbage") << QByteArray("not a lock file") << false;
        QTest::newRow("empty, as after a crash while locking") << QByteArray() << false;
    }
    void instanceGuardStaleLocks() {
        QFETCH(QByteArray, content);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile lock(dir.filePath(QStringLiteral("kindrell.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.close();
        // Make the file look a day old: age alone must not make it stale.
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                 QFileDevice::FileModificationTime));
        lock.close();
        QtInstanceGuard guard(dir.path(), QStringLiteral("kindrell"));
        QCOMPARE(guard.anotherCopyIsRunning(), refused);
    }
};

QTEST_GUILESS_MAIN(PlatformCoreTest)
#include "platform_core_test.moc"
