#pragma once

// A label that is clicked like a link.

#include <QLabel>

namespace kindrell::widgets {

// A label that reacts to a click of the left mouse button and shows a
// pointing hand while the mouse is over it.
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

} // namespace kindrell::widgets
