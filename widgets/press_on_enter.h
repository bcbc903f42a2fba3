#pragma once

class QAbstractButton;

namespace kindrell::widgets {

// Makes Return and keypad Enter press the button while it has the focus, as
// Space does. Qt leaves both keys to the default button of a dialog and
// ignores them on a button that is not auto-default, which the buttons of
// these fixed windows are not: no button of theirs is pressed by an Enter
// typed elsewhere.
void pressOnEnter(QAbstractButton& button);

} // namespace kindrell::widgets
