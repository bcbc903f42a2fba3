#include "textrules/lines.h"

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

QString WithLineFeeds(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace kindrell::text
