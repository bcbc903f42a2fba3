#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kindrell::platform {
namespace {

const QString kNotRegular = QStringLiteral("it is not a regular file");

// The system's words for a failure, as a clause: "permission denied".
QString Clause(const QString& systemText) {
    if (systemText.isEmpty()) {
        return QStringLiteral("the system refused it");
    }
    return systemText.front().toLower() + systemText.sliced(1);
}

// Why a write failed. A full disk says the same in every locale and on
// every file system, where the error text does not. `failure` is the errno
// of the call that failed: a failed flush leaves Qt's error text unknown.
QString WriteProblem(const QString& path, qint64 size, int failure, const QString& systemText) {
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    constexpr qint64 kSlack = 4096; // a block for the file itself
    if (failure == ENOSPC || (storage.isValid() && storage.bytesAvailable() >= 0 &&
                              storage.bytesAvailable() < size + kSlack)) {
        return QStringLiteral("the disk is full");
    }
    return Clause(failure != 0 ? qt_error_string(failure) : systemText);
}

} // namespace

OpenedFile OpenRegularFile(const QString& path) {
    OpenedFile opened;
#ifdef Q_OS_UNIX
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        opened.problem = qt_error_string(errno);
        return opened;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        opened.problem = kNotRegular;
        return opened;
    }
    // A regular file never blocks; the flag goes so that reads are plain.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    opened.file = std::make_unique<QFile>();
    if (!opened.file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        opened.problem = opened.file->errorString();
        opened.file.reset();
        return opened;
    }
#else
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
        opened.problem = kNotRegular;
        return opened;
    }
    opened.file = std::make_unique<QFile>(path);
    if (!opened.file->open(QIODevice::ReadOnly)) {
        opened.problem = opened.file->errorString();
        opened.file.reset();
        return opened;
    }
#endif
    opened.size = opened.file->size();
    return opened;
}

QString SaveWhole(const QString& path, QByteArrayView contents) {
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        return WriteProblem(path, contents.size(), errno, file.errorString());
    }
    // commit() alone does not see a flush that failed for want of room, and
    // would put the short file in the place of the old one: the flush is
    // checked first.
    errno = 0;
    if (file.write(contents.data(), contents.size()) != contents.size() || !file.flush()) {
        const int failure = errno;
        file.cancelWriting();
        return WriteProblem(path, contents.size(), failure, file.errorString());
    }
    errno = 0;
    if (!file.commit()) {
        return WriteProblem(path, contents.size(), errno, file.errorString());
    }
    return {};
}

QString MoveAside(const QString& path, const QString& suffix) {
    constexpr int kTries = 100;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        const QString target =
            path + suffix + (attempt == 1 ? QString() : QStringLiteral("-%1").arg(attempt));
        // QDir::rename renames and never copies: copying a FIFO would wait.
        if (!QFileInfo::exists(target) && !QFileInfo(target).isSymLink()) {
            return QDir().rename(path, target) ? target : QString();
        }
    }
    return {};
}

} // namespace kindrell::platform
