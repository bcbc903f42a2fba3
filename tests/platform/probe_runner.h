#pragma once

// Runs the helper programs of these tests and collects what they print.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace kindrell::platform::test {

struct ProbeResult {
    bool finished = false; // false: did not start or did not end in time
    int exitCode = -1;
    QString out;
    QString err;
};

inline ProbeResult
runProbe(const QString& program, const QStringList& arguments,
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
         int timeoutMs = 15000) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProbeResult result;
    if (!process.waitForStarted(timeoutMs)) {
        return result;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace kindrell::platform::test
