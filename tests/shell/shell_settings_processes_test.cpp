// The settings store over the real per-user settings, across processes: a
// value written by one run is read back by the next, and a renamed
// executable starts empty.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kProbe = QStringLiteral(KINDRELL_SETTINGS_PROBE);

struct Run {
    int status = -1;
    QString out;
};

Run Probe(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit) {
        return {};
    }
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (out.endsWith(QLatin1Char('\n'))) {
        out.chop(1);
    }
    return {process.exitCode(), out};
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
        const Run run = Probe(kProbe, {QStringLiteral("read"), QStringLiteral("NeverWritten")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QString());
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("ISO date") << QStringLiteral("2026-12-08");
        QTest::newRow("short date with slashes") << QStringLiteral("11/20/26");
        QTest::newRow("text with = ; and spaces") << QStringLiteral(" a = b ; c ");
        QTest::newRow("non-ASCII") << QStringLiteral("2026年12月8日");
    }

    void roundTrip() {
        QFETCH(QString, value);
        QCOMPARE(Probe(kProbe, {QStringLiteral("write"), QStringLiteral("LastReminderDate"), value})
                     .status,
                 0);
        const Run run = Probe(kProbe, {QStringLiteral("read"), QStringLiteral("LastReminderDate")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, value);
    }

    void renamedExecutableStartsEmpty() {
        QCOMPARE(Probe(kProbe, {QStringLiteral("write"), QStringLiteral("LastReminderDate"),
                                QStringLiteral("2026-12-08")})
                     .status,
                 0);
        const QString renamed = renamedFolder_.filePath(QStringLiteral("kindrell_renamed"));
        QVERIFY(QFile::copy(kProbe, renamed));
        QVERIFY(QFile::setPermissions(renamed, QFile::permissions(kProbe)));

        Run run = Probe(renamed, {QStringLiteral("read"), QStringLiteral("LastReminderDate")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QString());

        // The copy keeps its own value; under the old name the old one stays.
        QCOMPARE(Probe(renamed, {QStringLiteral("write"), QStringLiteral("LastReminderDate"),
                                 QStringLiteral("2020-01-01")})
                     .status,
                 0);
        run = Probe(renamed, {QStringLiteral("read"), QStringLiteral("LastReminderDate")});
        QCOMPARE(run.out, QStringLiteral("2020-01-01"));
        run = Probe(kProbe, {QStringLiteral("read"), QStringLiteral("LastReminderDate")});
        QCOMPARE(run.out, QStringLiteral("2026-12-08"));
    }

    void refusedWriteIsReported() {
        // A configuration "folder" that is a plain file cannot hold the
        // store, whatever the privileges: the write must fail loudly (the
        // probe turns SettingsError into status 2), not vanish.
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        const QString notAFolder = scratch.filePath(QStringLiteral("plain-file"));
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), notAFolder);
        process.setProcessEnvironment(env);
        process.start(kProbe, {QStringLiteral("write"), QStringLiteral("LastReminderDate"),
                               QStringLiteral("2026-12-08")});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(SettingsProcessesTest)
#include "shell_settings_processes_test.moc"
