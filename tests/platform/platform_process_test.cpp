// The platform services whose effect shows only between processes: the
// single-instance lock and ending the process. (The settings across runs and
// renames are tested with the settings store, in the shell's tests.)

#include "platform/qt_services.h"
#include "tests/platform/probe_runner.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace kindrell::platform;
using kindrell::platform::test::runProbe;

namespace {

const QString kInstanceProbe = QStringLiteral(KINDRELL_INSTANCE_PROBE);
const QString kPlatformProbe = QStringLiteral(KINDRELL_PLATFORM_PROBE);

// Starts a copy of instance_probe that holds the lock; returns once it said
// whether it got it.
QString startHolder(QProcess& holder) {
    holder.start(kInstanceProbe, {QStringLiteral("hold")});
    if (!holder.waitForStarted() || !holder.waitForReadyRead(10000)) {
        return QStringLiteral("no answer");
    }
    return QString::fromUtf8(holder.readLine()).trimmed();
}

QString
checkInstance(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    const auto result = runProbe(kInstanceProbe, {QStringLiteral("check")}, environment);
    return result.finished && result.exitCode == 0 ? result.out.trimmed()
                                                   : QStringLiteral("failed: ") + result.err;
}

} // namespace

class PlatformProcessTest : public QObject {
    Q_OBJECT

  private slots:
    void secondCopyIsRefusedWhileTheFirstRuns() {
        QProcess first;
        QCOMPARE(startHolder(first), QStringLiteral("alone"));
        QVERIFY(QFile::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") +
                              QStringLiteral("/instance_probe.lock")));
        QCOMPARE(checkInstance(), QStringLiteral("refused"));
        QCOMPARE(checkInstance(), QStringLiteral("refused"));

        // A normal end releases the lock.
        first.closeWriteChannel();
        QVERIFY(first.waitForFinished());
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(checkInstance(), QStringLiteral("alone"));
    }

    void killedCopyLeavesNoRefusal() {
        QProcess first;
        QCOMPARE(startHolder(first), QStringLiteral("alone"));
        QCOMPARE(checkInstance(), QStringLiteral("refused"));
        ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished());
        QCOMPARE(first.exitStatus(), QProcess::CrashExit);
        // The dead copy's lock file is still there...
        const QString lockFile =
            qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/instance_probe.lock");
        QVERIFY(QFile::exists(lockFile));
        // ...and is taken over by the next launch, which then holds it itself.
        QProcess next;
        QCOMPARE(startHolder(next), QStringLiteral("alone"));
        QCOMPARE(checkInstance(), QStringLiteral("refused"));
        next.closeWriteChannel();
        QVERIFY(next.waitForFinished());
    }

    // Age alone never takes a live copy's lock away, even though the file
    // itself cannot tell a live owner from a dead one.
    void longRunningCopyKeepsItsLock() {
        QProcess first;
        QCOMPARE(startHolder(first), QStringLiteral("alone"));
        QFile lock(qEnvironmentVariable("XDG_RUNTIME_DIR") +
                   QStringLiteral("/instance_probe.lock"));
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addDays(-2),
                                 QFileDevice::FileModificationTime));
        lock.close();
        QCOMPARE(checkInstance(), QStringLiteral("refused"));
        // Nor does a damaged lock file, while its owner still holds it.
        QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.close();
        QCOMPARE(checkInstance(), QStringLiteral("refused"));
        first.closeWriteChannel();
        QVERIFY(first.waitForFinished());
    }

    void otherUsersRuntimeFolderIsAnotherLock() {
        QProcess first;
        QCOMPARE(startHolder(first), QStringLiteral("alone"));
        QTemporaryDir otherRuntime;
        QVERIFY(otherRuntime.isValid());
        QFile::setPermissions(otherRuntime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), otherRuntime.path());
        QCOMPARE(checkInstance(environment), QStringLiteral("alone"));
        first.closeWriteChannel();
        QVERIFY(first.waitForFinished());
    }

    void unusableRuntimeFolderLetsTheProgramStart() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           dir.filePath(QStringLiteral("file/runtime")));
        environment.insert(QStringLiteral("TMPDIR"), dir.filePath(QStringLiteral("file/tmp")));
        QCOMPARE(checkInstance(environment), QStringLiteral("alone"));
    }

    void endProcess_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::newRow("before the event loop") << QStringList{"end-before", "3"} << 3 << "";
        QTest::newRow("before the event loop, status 0")
            << QStringList{"end-before", "0"} << 0 << "";
        QTest::newRow("inside the event loop, twice: the first wins")
            << QStringList{"end-in-loop", "5", "6"} << 5 << "";
        QTest::newRow("inside a modal dialog")
            << QStringList{"end-nested", "7"} << 7 << "dialog returned\n";
    }
    void endProcess() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);
        const auto result = runProbe(kPlatformProbe, arguments);
        QVERIFY2(result.finished, qPrintable(result.err));
        QCOMPARE(result.exitCode, status);
        QCOMPARE(result.out, output);
    }
};

QTEST_GUILESS_MAIN(PlatformProcessTest)
#include "platform_process_test.moc"
