#include "textrules/csv.h"

namespace kindrell::text {

QString CsvField(const QString& value) {
    const bool quote = value.contains(u',') || value.contains(u'"') || value.contains(u'\n') ||
                       value.contains(u'\r') || value.startsWith(u' ') || value.endsWith(u' ');
    if (!quote) {
        return value;
    }
    QString field = value;
    field.replace(u'"', QStringLiteral("\"\""));
    return u'"' + field + u'"';
}

QString CsvRecord(const QStringList& fields) {
    QStringList written;
    written.reserve(fields.size());
    for (const QString& field : fields) {
        written << CsvField(field);
    }
    return written.join(u',') + QStringLiteral("\r\n");
}

void CsvRecords::take(QStringView text) {
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar unit = text[at];
        if (quoted_) {
            if (unit != u'"') {
                field_ += unit;
            } else if (at + 1 < text.size() && text[at + 1] == u'"') {
                field_ += unit;
                ++at;
            } else {
                quoted_ = false;
            }
        } else if (unit == u',') {
            fields_ << field_;
            field_.clear();
        } else if (unit == u'"' && field_.isEmpty()) {
            quoted_ = true;
        } else {
            field_ += unit;
        }
    }
}

void CsvRecords::line(QStringView line) {
    open_ = true;
    take(line);
    if (quoted_) {
        field_ += u'\n'; // the line end belongs to the field
        return;
    }
    fields_ << field_;
    handle_(fields_);
    fields_.clear();
    field_.clear();
    open_ = false;
}

void CsvRecords::finish() {
    if (open_) {
        if (field_.endsWith(u'\n')) {
            field_.chop(1);
        }
        fields_ << field_;
        handle_(fields_);
        fields_.clear();
        field_.clear();
        quoted_ = false;
        open_ = false;
    }
}

} // namespace kindrell::text
