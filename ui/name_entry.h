#pragma once

// The name boxes' key filter and the check that no name is blank.

#include "platform/services.h"

#include <QObject>

#include <array>
#include <optional>

class QKeyEvent;
class QLineEdit;

namespace kindrell::ui {

inline const QString kNameTextOnlyMessage = QStringLiteral("Name Can Accept Text Only");

// True for the characters a name box accepts as typed: A to Z, a to z, space
// and Backspace (8).
constexpr bool IsNameCharacter(int code) {
    return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') || code == 8 || code == ' ';
}

// The character code a key press types, as the keyboard would deliver it
// (Enter 13, Escape 27, Backspace 8, Ctrl+Backspace 127, Ctrl+A 1 ... Ctrl+Z
// 26, Ctrl+[ 27), or
// nothing for a key that types no character (Tab, Delete, arrows, function
// keys, Alt with a letter). Works both from the text the platform attached and
// from the key and its modifiers, since synthetic key events may carry the
// plain letter with the Control modifier instead of the control character.
std::optional<int> TypedCharacterCode(const QKeyEvent& event);

// The key filter of the name boxes: every character typed into a watched box
// passes through it before the box sees it. A refused character is dropped,
// the message "Name Can Accept Text Only" is shown and the focus goes back to
// that box. Text that arrives otherwise (a paste from the context menu) is not
// filtered.
class NameKeyFilter : public QObject {
    Q_OBJECT
  public:
    explicit NameKeyFilter(platform::MessageBoxes& messages, QObject* parent = nullptr);

    void watch(QLineEdit& box);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool filterKeyPress(QLineEdit& box, const QKeyEvent& event);
    bool filterInputMethod(QLineEdit& box, QEvent& event);
    void refuse(QLineEdit& box);

    platform::MessageBoxes& messages_;
};

// Checks that none of the three name boxes (child, father, mother) is blank,
// in that order. At the first blank one it shows that box's message, puts the
// focus in that box and gives false. Blank means empty once leading and
// trailing spaces are removed; other white space counts as text.
bool ValidateNames(platform::MessageBoxes& messages, const std::array<QLineEdit*, 3>& names);

} // namespace kindrell::ui
