#pragma once

// The bridge between the windows' QString texts and the engine's UTF-16 views.
// Both hold UTF-16 code units, so nothing is converted, only reinterpreted.

#include "engine/text.h"

#include <QString>

#include <cstddef>
#include <string_view>

namespace kindrell::widgets {

inline std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

inline QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

// Leading and trailing space characters (code 32) removed, and nothing else.
inline QString TrimSpaces(const QString& text) {
    return ToQString(kindrell::TrimSpaces(View(text)));
}

} // namespace kindrell::widgets
