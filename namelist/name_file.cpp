#include "namelist/name_file.h"

#include "textrules/name_lines.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

#include <unordered_set>
#include <utility>

namespace kindrell::namelist {
namespace {

// Gathers a list's names as they are read, until it holds too many.
class NameCollector {
  public:
    NameCollector() : reader_([this](const text::NameLine& line) { take(line); }) {}

    text::NameListReader& reader() { return reader_; }
    [[nodiscard]] bool tooMany() const { return tooMany_; }

    NameFileRead result() {
        if (tooMany_) {
            return {{}, NameFileProblem::TooManyNames, {}};
        }
        contents_.utf16 = reader_.isUtf16();
        return {std::move(contents_), NameFileProblem::None, {}};
    }

  private:
    void take(const text::NameLine& line) {
        switch (line.fault) {
        case text::LineFault::None:
            break;
        case text::LineFault::NotUtf8:
        case text::LineFault::NotUtf16:
            ++contents_.invalidLines;
            return;
        case text::LineFault::ControlCharacter:
            ++contents_.controlLines;
            return;
        case text::LineFault::TooLong:
            ++contents_.tooLongLines;
            return;
        }
        if (tooMany_) {
            return;
        }
        if (!seen_.insert(line.name.toString().toCaseFolded()).second) {
            ++contents_.repeats;
        } else if (contents_.names.size() == kMaxListNames) {
            tooMany_ = true;
        } else {
            contents_.names.push_back(line.name.toString());
        }
    }

    NameFileContents contents_;
    std::unordered_set<QString> seen_; // case-folded
    bool tooMany_ = false;
    text::NameListReader reader_;
};

} // namespace

NameFileRead ParseNameFile(QByteArrayView bytes) {
    NameCollector collector;
    collector.reader().read(bytes);
    collector.reader().finish();
    return collector.result();
}

NameFileRead ReadNameFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {{}, NameFileProblem::Unreadable, file.errorString()};
    }
    if (file.size() > kMaxListBytes) {
        return {{}, NameFileProblem::TooLarge, {}};
    }
    NameCollector collector;
    QByteArray block(qsizetype{1024} * 1024, Qt::Uninitialized);
    qint64 total = 0;
    for (qint64 got = 0; (got = file.read(block.data(), block.size())) > 0;) {
        total += got;
        if (total > kMaxListBytes) {
            return {{}, NameFileProblem::TooLarge, {}};
        }
        collector.reader().read(QByteArrayView(block.constData(), got));
        if (collector.tooMany()) {
            return collector.result();
        }
    }
    if (file.error() != QFileDevice::NoError) {
        return {{}, NameFileProblem::Unreadable, file.errorString()};
    }
    collector.reader().finish();
    return collector.result();
}

QString WriteNameFile(const QString& path, const QStringList& names) {
    QByteArray text;
    QSet<QString> written;
    for (const QString& name : names) {
        if (written.contains(name)) {
            continue;
        }
        written.insert(name);
        text += name.toUtf8();
        text += '\n';
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        return file.errorString();
    }
    return {};
}

} // namespace kindrell::namelist
