#pragma once

// The user's own lists of names: read to be weighed instead of the bundled
// list, and the marked names written for kindrell-reading to read back.

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace kindrell::namelist {

struct NameFileContents {
    QStringList names;          // in file order, spaces around each removed
    qsizetype notUtf8Lines = 0; // lines left out because they are not valid UTF-8
};

// One name a line, UTF-8: LF or CR LF line ends, a byte-order mark at the very
// start ignored, blank lines (empty or spaces only) skipped, lines that are
// not valid UTF-8 skipped and counted. The same name may come more than once.
NameFileContents ParseNameFile(QByteArrayView bytes);

struct NameFileRead {
    NameFileContents contents;
    QString error; // why the file could not be read; empty when it was
};
NameFileRead ReadNameFile(const QString& path);

// Writes the names as UTF-8, one a line, each ending in LF, each name once (at
// its first place). The file is replaced only once the whole list is written.
// Returns why it could not be written, or the empty text.
QString WriteNameFile(const QString& path, const QStringList& names);

} // namespace kindrell::namelist
