#include "widgets/press_on_enter.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace kindrell::widgets {

namespace {

class EnterPressesButton final : public QObject {
  public:
    explicit EnterPressesButton(QAbstractButton& button) : QObject(&button), button_(button) {}

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
    QAbstractButton& button_;
};

} // namespace

void pressOnEnter(QAbstractButton& button) {
    button.installEventFilter(new EnterPressesButton(button));
}

} // namespace kindrell::widgets
