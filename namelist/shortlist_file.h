#pragma once

// Shortlists as files: the finder saves its marked names as a plain list
// (one name a line) or as a table a spreadsheet opens as it is (.csv: a
// header row, then a row for each marked name with its sex, number, both
// verdicts, births and trend), and reads either back as a partner's list.

#include "namelist/name_file.h"
#include "namelist/name_list.h"
#include "textrules/csv.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <vector>

namespace kindrell::namelist {

// Whether a file is a table, by its name: "Our names.csv".
bool IsTableFile(const QString& path);

// The table's columns, in the order they are written.
QStringList ShortlistColumns();

// Writes a table: the header, then each row's fields in the columns' order,
// as UTF-8 with a byte-order mark (which spreadsheets look for) and CR LF
// line ends. The file is replaced only once the whole table is written.
// Returns why it could not be written, or the empty text.
QString WriteShortlistTable(const QString& path, const std::vector<QStringList>& rows);

// A name of a partner's list, with its sex where the file gives one.
struct ShortlistName {
    QString name;
    Sex sex = Sex::Unknown;

    friend bool operator==(const ShortlistName&, const ShortlistName&) = default;
};

// The names of a table's rows as its lines arrive from a list reader: the
// first line its header, where the "Name" column (and a "Sex" column, where
// there is one) is found; each name by the rules of a list's line.
class ShortlistTable {
  public:
    using Handle = std::function<void(const ShortlistName& name)>;
    explicit ShortlistTable(Handle handle);

    void line(QStringView line);
    void finish();
    // Whether the header has been read and holds no "Name" column.
    [[nodiscard]] bool noNameColumn() const { return headerRead_ && name_ < 0; }

  private:
    void record(const QStringList& fields);

    Handle handle_;
    text::CsvRecords records_;
    bool headerRead_ = false;
    qsizetype name_ = -1;
    qsizetype sex_ = -1;
};

struct ShortlistRead {
    std::vector<ShortlistName> names; // in file order, each line's or row's
    NameFileProblem problem = NameFileProblem::None;
    QString error;             // why it could not be read
    bool noNameColumn = false; // a table whose header has no "Name" column
};

// A plain list, read as every list is, or a table: its "Name" column and,
// where there is one, its "Sex" column (girl or boy, F or M), found by the
// header's words whatever their case. Names follow the list rules (trimmed,
// NFC; a name with a control character, or too long, left out).
ShortlistRead ReadShortlist(const QString& path);

} // namespace kindrell::namelist
