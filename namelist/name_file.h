#pragma once

// The user's own lists of names: read to be weighed instead of the bundled
// list, and the marked names written for kindrell-reading to read back.

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

namespace kindrell::namelist {

// The largest list the finder opens: more would hold the window for seconds
// and take hundreds of megabytes.
inline constexpr qsizetype kMaxListNames = 1'000'000;
inline constexpr qint64 kMaxListBytes = qint64{64} * 1024 * 1024;

struct NameFileContents {
    QStringList names;             // as text::NameListReader gives them, each once
    bool utf16 = false;            // the list is UTF-16, so bad lines are not valid UTF-16
    qsizetype invalidLines = 0;    // left out: not valid UTF-8 (or UTF-16)
    qsizetype controlLines = 0;    // left out: a control character inside the name
    qsizetype tooLongLines = 0;    // left out: a name longer than kMaxNameLength
    qsizetype repeats = 0;         // names already in the list (ignoring case), merged
    bool changedWhileRead = false; // its size or time changed between opening and the end
};

enum class NameFileProblem {
    None,
    Unreadable,   // error says why
    TooLarge,     // more than kMaxListBytes
    TooManyNames, // more than kMaxListNames different names
    Stopped,      // the reader was asked to stop
};

struct NameFileRead {
    NameFileContents contents; // empty unless problem is None
    NameFileProblem problem = NameFileProblem::None;
    QString error;
};

// One name a line, read by text::NameListReader's rules. The same name
// twice (after NFC, ignoring case) is kept once, at its first place, and
// counted.
NameFileRead ParseNameFile(QByteArrayView bytes);

// Only a regular file is read (see platform::OpenRegularFile), so that no
// FIFO or device holds the reader. The file's size is checked before
// anything is read, and again as it is read, for files that grow. `stop`,
// asked between blocks, ends the read early (Stopped).
NameFileRead ReadNameFile(const QString& path, const std::function<bool()>& stop = {});

// Writes the names as UTF-8, one a line, each ending in LF, each name once (at
// its first place). The file is replaced only once the whole list is written
// and committed; a failed write leaves the old file as it was. Returns why
// it could not be written ("the disk is full"), or the empty text.
QString WriteNameFile(const QString& path, const QStringList& names);

} // namespace kindrell::namelist
