#pragma once

// Lines of text as the program reads and shows them: the bundled table split
// at LF with a CR before it dropped, strict UTF-8, and the line breaks of
// the system's own texts (CR, CR LF) as Qt's widgets show them. Lists of
// names have a reader of their own (name_lines.h).

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace kindrell::text {

// Calls handle(line) for each line of the text: split at each LF, with a CR
// before the LF dropped. A last line without LF counts; an empty text has no
// lines.
template <typename Handle> void ForEachLine(QByteArrayView text, Handle handle) {
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) {
            end = text.size();
        }
        QByteArrayView line = text.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        handle(line);
    }
}

// Strict UTF-8: overlong forms, surrogates, code points above U+10FFFF, stray
// or missing continuation bytes set hasError(). A byte-order mark is kept as
// a character, and nothing carries over from one decoded line to the next.
inline QStringDecoder StrictUtf8Decoder() {
    return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                    QStringDecoder::Flag::ConvertInitialBom);
}

// Each CR LF pair, and each CR alone, as one LF: the system's texts break
// lines with CR or CR LF, Qt's widgets and a terminal with LF.
QString WithLineFeeds(QString text);

} // namespace kindrell::text
