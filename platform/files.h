#pragma once

// Files of the user's, read and written so that nothing they made is lost
// and no read holds the program: only regular files are read, opened
// without waiting for a writer; a file is replaced only by a complete,
// flushed and committed new one; a file that cannot be read is moved aside,
// never written over. Qt Core alone, for the command line as for windows.

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <memory>

namespace kindrell::platform {

// A file opened for reading, or why it was not, in words for people ("it
// is not a regular file"); the file is null then.
struct OpenedFile {
    std::unique_ptr<QFile> file;
    qint64 size = 0; // its size when it was opened
    QString problem;
};

// Opens the file for reading when it is a regular file, without waiting: a
// FIFO, socket or device (which could hold the reader until some writer
// comes) is refused, and so is a folder.
OpenedFile OpenRegularFile(const QString& path);

// Replaces the file with `contents`: written beside it, flushed, committed;
// when any step fails the old file stays exactly as it was. Gives why it
// failed ("the disk is full"), or the empty text.
QString SaveWhole(const QString& path, QByteArrayView contents);

// Moves the file to its own name followed by `suffix`, in the same folder,
// with " 2", " 3"... after it when that name is taken; gives the new path,
// or the empty text when it could not be moved.
QString MoveAside(const QString& path, const QString& suffix);

} // namespace kindrell::platform
