#pragma once

// A row of controls that wraps onto further lines when the window is too
// narrow for it, left to right, each control (a label with its box, say)
// kept whole: a window that fits a laptop's screen keeps every control
// reachable instead of pushing the last ones off the edge.

#include <QWidget>

#include <vector>

namespace kindrell::widgets {

class FlowRow final : public QWidget {
    Q_OBJECT
  public:
    explicit FlowRow(QWidget* parent = nullptr);

    // Adds a control at the end of the row; the row owns it.
    void add(QWidget* control);

    QSize sizeHint() const override;        // every control on one line
    QSize minimumSizeHint() const override; // the widest control
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // Places the controls within `width` (or only measures, when `place` is
    // false) and gives the height they take.
    int layOut(int width, bool place) const;
    // Places them and keeps the row as high as they need.
    void placeControls(int width);

    std::vector<QWidget*> controls_;
    int spacing_ = 0;
};

} // namespace kindrell::widgets
