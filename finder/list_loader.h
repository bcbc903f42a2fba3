#pragma once

// Reads a list of one's own off the window's thread: a list of a million
// names takes about a second to read and prepare (BM_OpenLargestList), and
// a file on a slow disk longer, and the window must answer keys all the
// while. A read can be stopped; only the latest one asked for arrives.

#include "namelist/name_file.h"
#include "namelist/name_list.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <functional>

namespace kindrell::finder {

struct LoadedList {
    QString path;
    namelist::NameFileRead read; // its names are moved into `list`
    namelist::NameList list;     // prepared, when the read found names
    qsizetype names = 0;         // how many names were read
};

class ListLoader final : public QObject {
    Q_OBJECT
  public:
    // `arrived` is called on this object's thread with each list read.
    explicit ListLoader(std::function<void(LoadedList)> arrived, QObject* parent = nullptr);

    // Starts reading the file, stopping any read still under way.
    void load(const QString& path);
    // Stops the read under way, if any: it ends at its next block, and never
    // arrives.
    void stop();
    [[nodiscard]] bool busy() const { return !path_.isEmpty(); }
    // Lets go of a list off the window's thread: freeing a million names
    // would hold the window some 50 ms
    // (BM_LongestWaitWhileOpeningLargestList).
    static void discard(namelist::NameList list);
    // The file being read; empty when none is.
    [[nodiscard]] const QString& path() const { return path_; }

  private:
    std::function<void(LoadedList)> arrived_;
    QFutureWatcher<LoadedList> watcher_;
    QString path_;
};

} // namespace kindrell::finder
