#include "widgets/controls.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace kindrell::widgets {

namespace {

// Qt leaves Return and keypad Enter to the default button of a dialog and
// ignores them on a button that is not auto-default, which no button of the
// fixed windows is: an Enter typed elsewhere must press nothing.
class EnterPressesButton final : public QObject {
  public:
    explicit EnterPressesButton(QPushButton& button) : QObject(&button), button_(button) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &button_ || event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto& key = static_cast<const QKeyEvent&>(*event);
        const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        if (!enter || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        button_.click();
        return true;
    }

  private:
    QPushButton& button_;
};

} // namespace

void wrap(QLabel& label, Qt::Alignment alignment) {
    label.setWordWrap(true);
    label.setAlignment(alignment);
}

QPushButton* button(QWidget& container, QRect geometry, const QString& caption, const QFont& font) {
    auto* push = place<QPushButton>(container, geometry, caption);
    push->setFont(font);
    push->setAutoDefault(false);
    push->installEventFilter(new EnterPressesButton(*push));
    return push;
}

QLineEdit* textBox(QWidget& container, QRect geometry, const QFont& font) {
    auto* box = place<QLineEdit>(container, geometry);
    box->setFont(font);
    return box;
}

} // namespace kindrell::widgets
