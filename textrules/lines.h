#pragma once

// Lines of text as the program reads and shows them: files of names split
// at LF with a CR before it dropped, a byte-order mark at the start of a
// file ignored, spaces around a name dropped, strict UTF-8, and the line
// breaks of the system's own texts (CR, CR LF) as Qt's widgets show them.

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <string_view>

namespace kindrell::text {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The bytes after a byte-order mark at their start, or all of them.
QByteArrayView WithoutByteOrderMark(QByteArrayView bytes);

// Leading and trailing space characters (code 32) removed, and nothing else.
QByteArrayView TrimSpaces(QByteArrayView bytes);

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

// Decodes one line as StrictUtf8Decoder() does, into `out`, which has room
// for decoder.requiredSpace(line.size()) units; gives how many it wrote, or
// -1 when the line is not valid UTF-8. `decoder` is a StrictUtf8Decoder().
qsizetype DecodeLine(QStringDecoder& decoder, QByteArrayView line, QChar* out);

// Each CR LF pair, and each CR alone, as one LF: the system's texts break
// lines with CR or CR LF, Qt's widgets and a terminal with LF.
QString WithLineFeeds(QString text);

} // namespace kindrell::text
