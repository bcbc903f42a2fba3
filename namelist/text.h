#pragma once

// Lines of a text file, as both the bundled list and the user's lists are
// read.

#include <QByteArrayView>
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

} // namespace kindrell::namelist
