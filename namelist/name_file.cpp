#include "namelist/name_file.h"

#include "textrules/lines.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>

namespace kindrell::namelist {

NameFileContents ParseNameFile(QByteArrayView bytes) {
    NameFileContents contents;
    text::ForEachLine(text::WithoutByteOrderMark(bytes), [&contents](QByteArrayView line) {
        line = text::TrimSpaces(line);
        if (line.isEmpty()) {
            return;
        }
        // Strict: a malformed sequence is an error, not a replacement
        // character, and a byte-order mark inside the file is kept as text.
        QStringDecoder decoder = text::StrictUtf8Decoder();
        QString name = decoder.decode(line);
        if (decoder.hasError()) {
            ++contents.notUtf8Lines;
            return;
        }
        contents.names.push_back(std::move(name));
    });
    return contents;
}

NameFileRead ReadNameFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {{}, file.errorString()};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {{}, file.errorString()};
    }
    return {ParseNameFile(bytes), {}};
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
