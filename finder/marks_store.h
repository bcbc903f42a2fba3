#pragma once

// The marked names of each list, kept in the user's data folder as they are
// made: one small JSON file per list, replaced whole at each change, so that
// a crash or a kill loses no mark.

#include "namelist/name_list.h"
#include "platform/services.h"

#include <QByteArray>
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

class MarksStore {
  public:
    explicit MarksStore(platform::UserDataFiles& files) : files_(files) {}

    // The marks of a list (its file's absolute path; empty for the bundled
    // list): none when none were kept, nullopt when they cannot be read.
    std::optional<std::vector<MarkedName>> read(const QString& listPath);
    // False when they could not be written.
    bool write(const QString& listPath, const std::vector<MarkedName>& marks);

    // The file that keeps a list's marks, within the data folder.
    static QString FileName(const QString& listPath);
    static QByteArray Encode(const QString& listPath, const std::vector<MarkedName>& marks);
    // nullopt when the bytes are not the marks of that list.
    static std::optional<std::vector<MarkedName>> Decode(const QByteArray& bytes,
                                                         const QString& listPath);

  private:
    platform::UserDataFiles& files_;
};

} // namespace kindrell::finder
