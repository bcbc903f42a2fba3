#include "ui/name_entry.h"

#include "engine/reading.h"
#include "textrules/engine_strings.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace kindrell::ui {

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kDelete = 127;

// The control character Ctrl plus a key types, as on a standard keyboard.
std::optional<int> ControlCharacter(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return key - Qt::Key_A + 1;
    }
    switch (key) {
    case Qt::Key_At:
    case Qt::Key_2:
        return 0;
    case Qt::Key_BracketLeft:
        return 27;
    case Qt::Key_Backslash:
        return 28;
    case Qt::Key_BracketRight:
        return 29;
    case Qt::Key_AsciiCircum:
    case Qt::Key_6:
        return 30;
    case Qt::Key_Underscore:
    case Qt::Key_Minus:
        return 31;
    case Qt::Key_Space:
        return ' ';
    default:
        return std::nullopt;
    }
}

bool IsBlank(const QString& text) {
    return text::TrimSpaces(text).isEmpty();
}

} // namespace

std::optional<int> TypedCharacterCode(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Escape:
        return kEscape;
    case Qt::Key_Backspace:
        // Ctrl+Backspace types DEL (127), which a name refuses, rather than
        // the Backspace that deletes one character.
        return event.modifiers().testFlag(Qt::ControlModifier) &&
                       !event.modifiers().testFlag(Qt::AltModifier)
                   ? kDelete
                   : kBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }

    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    // Alt with a key is an access key and types nothing. Ctrl with Alt is how
    // some keyboards reach their third-level characters, which do get typed.
    if (alt && !control) {
        return std::nullopt;
    }
    if (control && !alt) {
        if (const auto code = ControlCharacter(key)) {
            return code;
        }
        const QString text = event.text();
        if (!text.isEmpty() && text.at(0).unicode() < ' ') {
            return text.at(0).unicode();
        }
        return std::nullopt;
    }

    const QString text = event.text();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    // A key that types more than one code unit (a character outside the basic
    // plane, or a dead key released with its base) is refused if any is.
    for (const QChar unit : text) {
        if (!IsNameCharacter(unit.unicode())) {
            return unit.unicode();
        }
    }
    return text.at(0).unicode();
}

NameKeyFilter::NameKeyFilter(platform::MessageBoxes& messages, QObject* parent)
    : QObject(parent), messages_(messages) {}

void NameKeyFilter::watch(QLineEdit& box) {
    box.installEventFilter(this);
}

bool NameKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr) {
        return false;
    }
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // A key that types a character must reach the box as a key press, so
        // that neither a window shortcut nor the box's own editing shortcuts
        // (select all, copy, paste, cut, undo) act on it before the filter.
        if (TypedCharacterCode(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::KeyPress:
        return filterKeyPress(*box, *static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        return filterInputMethod(*box, *event);
    default:
        return false;
    }
}

bool NameKeyFilter::filterKeyPress(QLineEdit& box, const QKeyEvent& event) {
    const auto code = TypedCharacterCode(event);
    if (!code) {
        return false;
    }
    if (!IsNameCharacter(*code)) {
        refuse(box);
        return true;
    }
    // Ctrl+H types Backspace; the box by itself would ignore the combination.
    if (*code == kBackspace && event.key() != Qt::Key_Backspace) {
        box.backspace();
        return true;
    }
    // Ctrl+Space types a space; the box by itself ignores text typed with Ctrl.
    if (*code == ' ' && event.modifiers().testFlag(Qt::ControlModifier)) {
        box.insert(QStringLiteral(" "));
        return true;
    }
    return false;
}

bool NameKeyFilter::filterInputMethod(QLineEdit& box, QEvent& event) {
    const auto& input = static_cast<const QInputMethodEvent&>(event);
    const QString commit = input.commitString();
    for (const QChar unit : commit) {
        if (!IsNameCharacter(unit.unicode())) {
            // Drop the composed text and any preedit still showing.
            QInputMethodEvent cleared;
            QCoreApplication::sendEvent(&box, &cleared);
            refuse(box);
            return true;
        }
    }
    return false;
}

void NameKeyFilter::refuse(QLineEdit& box) {
    messages_.showError(kNameTextOnlyMessage);
    box.setFocus(Qt::OtherFocusReason);
}

bool ValidateNames(platform::MessageBoxes& messages, const std::array<QLineEdit*, 3>& names) {
    constexpr std::array<NameRole, 3> kRoles{NameRole::Child, NameRole::Father, NameRole::Mother};
    for (std::size_t index = 0; index < names.size(); ++index) {
        QLineEdit* box = names[index];
        if (IsBlank(box->text())) {
            messages.showError(text::ToQString(BlankNameMessage(kRoles.at(index))));
            box->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

} // namespace kindrell::ui
