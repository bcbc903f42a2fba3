#pragma once

// The bridge between Qt's texts and the engine's UTF-16 views. Both hold
// UTF-16 code units, so nothing is converted, only reinterpreted or copied.

#include "engine/text.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <string_view>

namespace kindrell::text {

// The same code units, as the engine takes them; valid while text is.
inline std::u16string_view View(QStringView text) {
    return {text.utf16(), static_cast<std::size_t>(text.size())};
}

inline QString ToQString(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

// Leading and trailing space characters (code 32) removed, and nothing else.
inline QString TrimSpaces(const QString& text) {
    return ToQString(kindrell::TrimSpaces(View(text)));
}

} // namespace kindrell::text
