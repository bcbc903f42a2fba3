#pragma once

// Tables of comma-separated values as spreadsheets write and read them
// (RFC 4180): fields separated by commas, records by line ends, a field
// that holds a comma, a quote or a line end in double quotes, a quote in
// it doubled.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

namespace kindrell::text {

// A field as it is written in a record: quoted when it must be (a comma, a
// quote, a line end, or spaces at either end, which some readers drop).
QString CsvField(const QString& value);

// A record: its fields written and joined by commas, and CR LF.
QString CsvRecord(const QStringList& fields);

// Gathers records from the lines of a table as a reader gives them, a line
// at a time; a quoted field may run over several lines, which it then holds
// joined by LF.
class CsvRecords {
  public:
    using Handle = std::function<void(const QStringList& fields)>;
    explicit CsvRecords(Handle handle) : handle_(std::move(handle)) {}

    // The next line of the table, without its line end.
    void line(QStringView line);
    // The end of the table: a record left open by a quote is handled as it
    // stands.
    void finish();

  private:
    void take(QStringView text);

    Handle handle_;
    QStringList fields_;
    QString field_;
    bool quoted_ = false; // inside a quoted field
    bool open_ = false;   // a record has begun
};

} // namespace kindrell::text
