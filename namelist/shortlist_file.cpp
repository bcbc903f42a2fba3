#include "namelist/shortlist_file.h"

#include "platform/files.h"
#include "textrules/csv.h"
#include "textrules/name_lines.h"
#include "textrules/nfc.h"

#include <QFileInfo>

#include <algorithm>

namespace kindrell::namelist {
namespace {

// A name from a table's field, by the rules of a list's line; a line break
// a spreadsheet let into the field stands for a space.
std::optional<QString> NameOf(QString field) {
    field.replace(u'\n', u' ');
    const QString name = text::Nfc(field.trimmed());
    const bool control = std::any_of(name.begin(), name.end(), [](QChar unit) {
        return unit.category() == QChar::Other_Control;
    });
    if (name.isEmpty() || control || name.size() > static_cast<qsizetype>(kMaxNameLength)) {
        return std::nullopt;
    }
    return name;
}

Sex SexOf(const QString& field) {
    const QString word = field.trimmed().toLower();
    if (word == u"girl" || word == u"f" || word == u"female") {
        return Sex::Girl;
    }
    if (word == u"boy" || word == u"m" || word == u"male") {
        return Sex::Boy;
    }
    return Sex::Unknown;
}

} // namespace

ShortlistTable::ShortlistTable(Handle handle)
    : handle_(std::move(handle)), records_([this](const QStringList& fields) { record(fields); }) {}

void ShortlistTable::line(QStringView line) {
    records_.line(line);
}

void ShortlistTable::finish() {
    records_.finish();
}

void ShortlistTable::record(const QStringList& fields) {
    if (!headerRead_) {
        headerRead_ = true;
        const auto column = [&fields](const char* word) {
            const auto found = std::find_if(fields.begin(), fields.end(), [word](const QString& f) {
                return f.trimmed().compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
            });
            return found == fields.end() ? qsizetype{-1} : found - fields.begin();
        };
        name_ = column("Name");
        sex_ = column("Sex");
        return;
    }
    if (name_ < 0 || name_ >= fields.size()) {
        return;
    }
    if (const std::optional<QString> name = NameOf(fields.at(name_))) {
        handle_({*name, sex_ >= 0 && sex_ < fields.size() ? SexOf(fields.at(sex_)) : Sex::Unknown});
    }
}

bool IsTableFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
}

QStringList ShortlistColumns() {
    return {QStringLiteral("Name"),   QStringLiteral("Sex"),    QStringLiteral("Number"),
            QStringLiteral("Mother"), QStringLiteral("Father"), QStringLiteral("Births"),
            QStringLiteral("Trend")};
}

QString WriteShortlistTable(const QString& path, const std::vector<QStringList>& rows) {
    QString table = text::CsvRecord(ShortlistColumns());
    for (const QStringList& row : rows) {
        table += text::CsvRecord(row);
    }
    return platform::SaveWhole(path, "\xEF\xBB\xBF" + table.toUtf8());
}

ShortlistRead ReadShortlist(const QString& path) {
    ShortlistRead read;
    const platform::OpenedFile opened = platform::OpenRegularFile(path);
    if (!opened.file) {
        read.problem = NameFileProblem::Unreadable;
        read.error = opened.problem;
        return read;
    }
    if (opened.size > kMaxListBytes) {
        read.problem = NameFileProblem::TooLarge;
        return read;
    }
    ShortlistTable table([&read](const ShortlistName& name) { read.names.push_back(name); });
    const bool isTable = IsTableFile(path);
    text::NameListReader reader([&](const text::NameLine& line) {
        if (line.fault != text::LineFault::None) {
            return;
        }
        if (isTable) {
            table.line(line.name);
        } else {
            read.names.push_back({line.name.toString(), Sex::Unknown});
        }
    });
    const QByteArray bytes = opened.file->read(kMaxListBytes + 1);
    if (bytes.size() > kMaxListBytes) {
        read.problem = NameFileProblem::TooLarge;
        return read;
    }
    reader.read(bytes);
    reader.finish();
    table.finish();
    read.noNameColumn = isTable && table.noNameColumn();
    return read;
}

} // namespace kindrell::namelist
