#include "namelist/name_file.h"

#include "platform/files.h"
#include "textrules/name_lines.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QVarLengthArray>

#include <algorithm>
#include <utility>

namespace kindrell::namelist {
namespace {

// A name as repeats are found: alike when alike ignoring case. It views the
// name kept in the list, so that finding repeats copies nothing, and carries
// the hash of its folded text, so that most probes compare numbers, not
// names: case-folded copies in a set took a third of opening a million names
// (BM_OpenLargestList, perf).
struct FoldedName {
    explicit FoldedName(QStringView text) : name(text) {
        // Surrogates are left out: supplementary letters fold to
        // supplementary ones, so names alike ignoring case hash alike.
        QVarLengthArray<QChar, 64> units;
        for (const QChar unit : name) {
            if (!unit.isSurrogate()) {
                units.push_back(unit.toCaseFolded());
            }
        }
        folded = qHash(QStringView(units.data(), units.size()));
    }

    friend bool operator==(const FoldedName& a, const FoldedName& b) {
        return a.folded == b.folded && a.name.compare(b.name, Qt::CaseInsensitive) == 0;
    }
    friend size_t qHash(const FoldedName& key, size_t seed) { return key.folded ^ seed; }

    QStringView name;
    size_t folded = 0;
};

// Gathers a list's names as they are read, until it holds too many.
class NameCollector {
  public:
    // The set is made room for at once, from the list's size, rather than
    // rehashed at each doubling as it grows.
    explicit NameCollector(qint64 bytes)
        : reader_([this](const text::NameLine& line) { take(line); }) {
        seen_.reserve(static_cast<qsizetype>(std::min<qint64>(bytes / 8, kMaxListNames)));
    }

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
        // The set views the name kept in the list, whose text stays where it
        // is as the list grows. A repeat leaves the set as it was: an equal
        // key already there is kept, and the new name goes again.
        contents_.names.push_back(line.name.toString());
        const qsizetype known = seen_.size();
        seen_.insert(FoldedName(contents_.names.back()));
        if (seen_.size() == known) {
            contents_.names.pop_back();
            ++contents_.repeats;
        } else if (contents_.names.size() > kMaxListNames) {
            tooMany_ = true;
        }
    }

    NameFileContents contents_;
    QSet<FoldedName> seen_;
    bool tooMany_ = false;
    text::NameListReader reader_;
};

} // namespace

NameFileRead ParseNameFile(QByteArrayView bytes) {
    NameCollector collector(bytes.size());
    collector.reader().read(bytes);
    collector.reader().finish();
    return collector.result();
}

NameFileRead ReadNameFile(const QString& path, const std::function<bool()>& stop) {
    const platform::OpenedFile opened = platform::OpenRegularFile(path);
    if (!opened.file) {
        return {{}, NameFileProblem::Unreadable, opened.problem};
    }
    QFile& file = *opened.file;
    if (opened.size > kMaxListBytes) {
        return {{}, NameFileProblem::TooLarge, {}};
    }
    const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
    NameCollector collector(opened.size);
    QByteArray block(qsizetype{1024} * 1024, Qt::Uninitialized);
    qint64 total = 0;
    for (qint64 got = 0; (got = file.read(block.data(), block.size())) > 0;) {
        total += got;
        if (total > kMaxListBytes) {
            return {{}, NameFileProblem::TooLarge, {}};
        }
        if (stop && stop()) {
            return {{}, NameFileProblem::Stopped, {}};
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
    NameFileRead read = collector.result();
    read.contents.changedWhileRead =
        total != opened.size || QFileInfo(path).lastModified() != modified;
    return read;
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
    return platform::SaveWhole(path, text);
}

} // namespace kindrell::namelist
