#pragma once

// A description box of the reading, locked and wrapped, that empties the
// clipboard whenever it is touched.

#include "platform/services.h"

#include <QPlainTextEdit>

namespace kindrell::ui {

// A locked description box of the result view. It wraps words, scrolls
// vertically only, and works against copying: every change of its text and
// every mouse action on it (press, release, click, move with or without a
// button held) empties the desktop clipboard.
class ResultBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit ResultBox(platform::Clipboard& clipboard, QWidget* parent = nullptr);

    // Shows a text whose paragraphs are separated by CR LF CR LF as
    // paragraphs with one empty line between them.
    void setText(const QString& text);
    QString text() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    platform::Clipboard& clipboard_;
    bool pressedInside_ = false;
};

} // namespace kindrell::ui
