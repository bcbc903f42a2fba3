#pragma once

// Texts put in NFC, the one way the program does it: by ICU, in time that
// grows with the text's length, so that no crafted name holds a reading.

#include <QString>

namespace kindrell::text {

// The text in Unicode normalization form C; a text already in it is given
// back as it is, shared.
QString Nfc(const QString& text);

} // namespace kindrell::text
