#pragma once

// The marked names of each list, kept in the user's data folder as they are
// made: one small JSON file per list, replaced whole at each change, so that
// a crash or a kill loses no mark, and a failed write leaves the earlier
// marks as they were. A file that cannot be read is moved aside, never
// written over.

#include "namelist/name_list.h"
#include "platform/services.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace kindrell::finder {

// A mark names an entry by its name and sex, which stay the same when the
// list is read again.
struct MarkedName {
    QString name;
    namelist::Sex sex = namelist::Sex::Unknown;

    friend bool operator==(const MarkedName&, const MarkedName&) = default;
};

// The most a marks file may hold: some hundred thousand marks. A larger one
// is not read (it would hold the window and take hundreds of megabytes),
// and marks that would make one are not kept.
inline constexpr qint64 kMaxMarksBytes = qint64{4} * 1024 * 1024;

// The kept marks of a list, or why they could not be read ("it is damaged").
struct MarksRead {
    std::vector<MarkedName> marks;
    QString problem;
};

class MarksStore {
  public:
    explicit MarksStore(platform::UserDataFiles& files) : files_(files) {}

    // The marks of a list (its file's absolute path; empty for the bundled
    // list): none when none were kept.
    MarksRead read(const QString& listPath);
    // Why they could not be written ("the disk is full"), or the empty text.
    QString write(const QString& listPath, const std::vector<MarkedName>& marks);
    // Moves aside the marks file of a list that could not be read, under a
    // name that says so and when ("bundled.json.unreadable-2026-12-09"):
    // where it went, or why it could not be moved.
    struct SetAside {
        QString path;
        QString problem;
    };
    SetAside setAside(const QString& listPath, QDate today);

    // The file that keeps a list's marks, within the data folder.
    static QString FileName(const QString& listPath);
    static QByteArray Encode(const QString& listPath, const std::vector<MarkedName>& marks);
    // The marks, or why the bytes are not the marks of that list.
    static MarksRead Decode(const QByteArray& bytes, const QString& listPath);

  private:
    platform::UserDataFiles& files_;
};

} // namespace kindrell::finder
