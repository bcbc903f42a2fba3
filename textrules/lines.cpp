#include "textrules/lines.h"

#include <algorithm>

namespace kindrell::text {

QByteArrayView WithoutByteOrderMark(QByteArrayView bytes) {
    const QByteArrayView mark(kByteOrderMark.data(), static_cast<qsizetype>(kByteOrderMark.size()));
    return bytes.startsWith(mark) ? bytes.sliced(mark.size()) : bytes;
}

QByteArrayView TrimSpaces(QByteArrayView bytes) {
    while (bytes.startsWith(' ')) {
        bytes = bytes.sliced(1);
    }
    while (bytes.endsWith(' ')) {
        bytes.chop(1);
    }
    return bytes;
}

qsizetype DecodeLine(QStringDecoder& decoder, QByteArrayView line, QChar* out) {
    // Qt's decoder costs some 260 instructions a call, however short the
    // line: 38 % of a shortlist's run (callgrind, docs/benchmarks.md). Most
    // names are ASCII, which is valid UTF-8 whose code units are its bytes.
    if (std::all_of(line.begin(), line.end(), [](char byte) { return (byte & 0x80) == 0; })) {
        std::transform(line.begin(), line.end(), out, [](char byte) { return QChar(byte); });
        return line.size();
    }
    decoder.resetState();
    const QChar* const end = decoder.appendToBuffer(out, line);
    return decoder.hasError() ? -1 : end - out;
}

QString WithLineFeeds(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace kindrell::text
