// The settings store over the real per-user settings, across processes: a
// value written by one run is read back by the next, a renamed executable
// starts empty, and a write the system refuses is reported.

#include "tests/platform/probe_runner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using kindrell::platform::test::ProbeResult;
using kindrell::platform::test::runProbe;

namespace {

const QString kProbe = QStringLiteral(KINDRELL_SETTINGS_PROBE);
const QString kKey = QStringLiteral("LastReminderDate");

ProbeResult
Read(const QString& program,
     const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    return runProbe(program, {QStringLiteral("read"), kKey}, environment);
}

ProbeResult
Write(const QString& program, const QString& value,
      const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    return runProbe(program, {QStringLiteral("write"), kKey, value}, environment);
}

} // namespace

class SettingsProcessesTest : public QObject {
    Q_OBJECT

    QTemporaryDir renamedFolder_;

  private slots:
    void initTestCase() {
        // Only ever inside the private configuration folder the test runner
        // gives, never the user's own.
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY2(!config.isEmpty() && config.contains(QStringLiteral("home-")),
                 "needs the private XDG_CONFIG_HOME of the test environment");
        QDir(config + QStringLiteral("/Quillora")).removeRecursively();
        QVERIFY(renamedFolder_.isValid());
    }

    void freshStoreReadsEmpty() {
        const ProbeResult run = Read(kProbe);
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("ISO date") << QStringLiteral("2026-12-08");
        QTest::newRow("short date with slashes") << QStringLiteral("12/8/2026");
        QTest::newRow("text with = ; and spaces") << QStringLiteral(" a = b ; c ");
        QTest::newRow("non-ASCII") << QStringLiteral("2026年12月8日");
    }

    void roundTrip() {
        QFETCH(QString, value);
        const ProbeResult written = Write(kProbe, value);
        QVERIFY2(written.finished && written.exitCode == 0, qPrintable(written.err));
        QCOMPARE(Read(kProbe).out, value);
        // Kept per user, in a file named after the executable.
        QVERIFY(QFile::exists(qEnvironmentVariable("XDG_CONFIG_HOME") +
                              QStringLiteral("/Quillora/kindrell_settings_probe.ini")));
    }

    void renamedExecutableStartsEmpty() {
        QCOMPARE(runProbe(kProbe, {QStringLiteral("name")}).out,
                 QStringLiteral("kindrell_settings_probe"));
        QCOMPARE(Write(kProbe, QStringLiteral("2026-12-08")).exitCode, 0);
        const QString renamed = renamedFolder_.filePath(QStringLiteral("kindrell-renamed"));
        QVERIFY(QFile::copy(kProbe, renamed));
        QVERIFY(QFile::setPermissions(renamed, QFile::permissions(kProbe)));
        QCOMPARE(runProbe(renamed, {QStringLiteral("name")}).out,
                 QStringLiteral("kindrell-renamed"));

        QCOMPARE(Read(renamed).out, QString());
        // The copy keeps its own value; under the old name the old one stays.
        QCOMPARE(Write(renamed, QStringLiteral("2020-01-01")).exitCode, 0);
        QCOMPARE(Read(renamed).out, QStringLiteral("2020-01-01"));
        QCOMPARE(Read(kProbe).out, QStringLiteral("2026-12-08"));
    }

    void refusedWriteIsReported() {
        // A configuration folder whose path runs through a plain file: no
        // privilege makes it usable.
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        QFile blocker(scratch.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        auto unusable = QProcessEnvironment::systemEnvironment();
        unusable.insert(QStringLiteral("XDG_CONFIG_HOME"),
                        scratch.filePath(QStringLiteral("file/config")));
        const ProbeResult refused = Write(kProbe, QStringLiteral("2026-12-08"), unusable);
        QVERIFY(refused.finished);
        QCOMPARE(refused.exitCode, 3);
        QVERIFY2(refused.err.startsWith(QStringLiteral("SettingsError")), qPrintable(refused.err));
        // Nothing there to read is still an empty value, not an error.
        const ProbeResult read = Read(kProbe, unusable);
        QCOMPARE(read.exitCode, 0);
        QCOMPARE(read.out, QString());
    }
};

QTEST_GUILESS_MAIN(SettingsProcessesTest)
#include "shell_settings_processes_test.moc"
