#pragma once

// The one way each kind of control of the fixed-layout windows is made:
// placed on the twips grid, owned by its container, in a given face.

#include "widgets/look.h"
#include "widgets/twips.h"

#include <QFont>
#include <QLabel>

class QLineEdit;
class QPushButton;

namespace kindrell::widgets {

// A label that shows its text as it stands (an "&" marks no access key).
// Label is QLabel or LinkLabel. No accessible name is set: assistive
// technology reads the label's text, whatever it becomes.
template <class Label = QLabel>
Label* label(QWidget& container, QRect geometry, const QString& text, const QFont& font,
             const QColor& colour) {
    auto* control = place<Label>(container, geometry, text);
    control->setTextFormat(Qt::PlainText);
    control->setFont(font);
    setTextColour(*control, colour);
    return control;
}

// Wraps a label's text at word boundaries within its rectangle.
void wrap(QLabel& label, Qt::Alignment alignment);

// A push button that is never the window's default: Space, Return and
// keypad Enter press it while it has the focus, its access key from anywhere.
QPushButton* button(QWidget& container, QRect geometry, const QString& caption, const QFont& font);

// A single-line text box.
QLineEdit* textBox(QWidget& container, QRect geometry, const QFont& font);

} // namespace kindrell::widgets
