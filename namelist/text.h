#pragma once

// Lines of a text file and their strict UTF-8, as the bundled list, the
// user's lists and the command line's shortlists are read.

#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringView>

#include <cstddef>
#include <string_view>

namespace kindrell::namelist {

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

} // namespace kindrell::namelist
