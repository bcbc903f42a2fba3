#include "widgets/flow_row.h"

#include <QResizeEvent>
#include <QStyle>

#include <algorithm>

namespace kindrell::widgets {

FlowRow::FlowRow(QWidget* parent)
    : QWidget(parent), spacing_(style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing)) {
    spacing_ = std::max(spacing_, 6);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void FlowRow::add(QWidget* control) {
    control->setParent(this);
    controls_.push_back(control);
    updateGeometry();
}

QSize FlowRow::sizeHint() const {
    int width = 0;
    int height = 0;
    for (const QWidget* control : controls_) {
        const QSize hint = control->sizeHint();
        width += hint.width() + (width > 0 ? spacing_ : 0);
        height = std::max(height, hint.height());
    }
    return {width, height};
}

// One line high: the lines it wraps onto once laid out are its minimum
// height (see resizeEvent).
QSize FlowRow::minimumSizeHint() const {
    int widest = 0;
    for (const QWidget* control : controls_) {
        widest = std::max(widest, control->sizeHint().width());
    }
    return {widest, sizeHint().height()};
}

int FlowRow::heightForWidth(int width) const {
    return layOut(width, false);
}

void FlowRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeControls(event->size().width());
}

// A control whose size hint changed (a choice added to a box) asks its
// parent to lay out again.
bool FlowRow::event(QEvent* event) {
    if (event->type() == QEvent::LayoutRequest) {
        placeControls(width());
        updateGeometry();
    }
    return QWidget::event(event);
}

void FlowRow::placeControls(int width) {
    const int needed = layOut(width, true);
    // The window's layout asks the row's minimum height as it lays out: a
    // row that has just wrapped onto another line must not be squeezed.
    if (needed != minimumHeight()) {
        setMinimumHeight(needed);
        updateGeometry();
    }
}

int FlowRow::layOut(int width, bool place) const {
    int x = 0;
    int y = 0;
    int lineHeight = 0;
    for (QWidget* control : controls_) {
        const QSize hint = control->sizeHint();
        if (x > 0 && x + hint.width() > width) {
            x = 0;
            y += lineHeight + spacing_;
            lineHeight = 0;
        }
        if (place) {
            control->setGeometry(x, y, hint.width(), hint.height());
        }
        x += hint.width() + spacing_;
        lineHeight = std::max(lineHeight, hint.height());
    }
    return y + lineHeight;
}

} // namespace kindrell::widgets
