#pragma once

// A frame with a caption, as the main window groups its controls.

#include <QWidget>

namespace kindrell::ui {

// A frame that groups controls: a thin border with an optional caption set
// into its top edge. Children are placed relative to the frame's outer
// top-left corner, as the layouts are drawn.
class CaptionFrame : public QWidget {
    Q_OBJECT
  public:
    explicit CaptionFrame(const QString& title, QWidget* parent = nullptr);

    QString title() const { return title_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString title_;
};

} // namespace kindrell::ui
