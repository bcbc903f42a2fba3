#include "finder/births_chart.h"

#include "finder/count_lines.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace kindrell::finder {

namespace {

// The gaps around the chart are a quarter of a line, so that it keeps its
// proportions whatever the font.
int Margin(const QFontMetrics& metrics) {
    return std::max(1, metrics.height() / 4);
}

// A year is a name for a year, not a quantity: "2000", never "2,000".
QString YearText(qint64 year) {
    return QString::number(year);
}

QString DescriptionOf(int firstYear, std::span<const std::int32_t> counts) {
    if (counts.empty()) {
        return {};
    }
    QStringList years;
    years.reserve(static_cast<qsizetype>(counts.size()));
    qint64 year = firstYear;
    for (const std::int32_t count : counts) {
        years << QStringLiteral("%1: %2").arg(YearText(year), CountText(count));
        ++year;
    }
    return QStringLiteral("Births per year: ") + years.join(QStringLiteral("; "));
}

// The columns of bar `index` of `bars`, in device pixels. The slots' edges are
// rounded from one even division of the whole width, so that rounding never
// adds up along the row; each bar leaves a quarter of its slot free, and at
// least one pixel once the slot is wide enough to spare it.
QRect BarColumns(const QRect& plot, std::size_t bars, std::size_t index) {
    const auto edge = [&](std::size_t slot) {
        return plot.left() +
               static_cast<int>(std::lround(static_cast<double>(plot.width()) *
                                            static_cast<double>(slot) / static_cast<double>(bars)));
    };
    const int slotLeft = edge(index);
    const int slotWidth = edge(index + 1) - slotLeft;
    const int gap = slotWidth > 2 ? std::max(1, slotWidth / 4) : 0;
    return {slotLeft + gap / 2, plot.top(), std::max(1, slotWidth - gap), plot.height()};
}

// Any births at all are shown by at least one pixel row, however small they
// are beside the highest year.
int BarHeight(std::int32_t count, std::int32_t highest, int room) {
    if (count <= 0 || highest <= 0) {
        return 0;
    }
    const auto rows = (static_cast<qint64>(count) * room + highest / 2) / highest;
    return static_cast<int>(std::clamp<qint64>(rows, 1, room));
}

// How many device pixels one of the widget's pixels covers on the device
// being painted: the backing store's when on screen, the image's when
// rendered into one.
qreal DeviceRatio(const QPainter& painter, qreal fallback) {
    const qreal ratio = painter.deviceTransform().m11();
    return ratio > 0 ? ratio : fallback;
}

} // namespace

// Where everything goes. The bars and the axis are in device pixels, whole
// ones, from the widget's top left corner; the text lines are in the
// widget's own pixels, as QPainter lays text out best there.
struct BirthsChart::Frame {
    qreal ratio = 1;
    QRect plot;
    QRect axis;
    QRectF countLine;
    QRectF yearsLine;
};

BirthsChart::BirthsChart(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Births over the years"));
}

void BirthsChart::setBirths(int firstYear, std::span<const std::int32_t> counts) {
    firstYear_ = firstYear;
    counts_.assign(counts.begin(), counts.end());
    highest_ = counts_.empty() ? 0 : std::max(0, *std::max_element(counts_.begin(), counts_.end()));
    setAccessibleDescription(DescriptionOf(firstYear, counts));
    updateGeometry();
    update();
}

int BirthsChart::labelsWidth() const {
    const QFontMetrics metrics = fontMetrics();
    const int years = 2 * metrics.horizontalAdvance(QStringLiteral("0000")) + metrics.height();
    return std::max(years, metrics.horizontalAdvance(CountText(highest_)));
}

// Room for the labels and for 25 bars a digit and a half wide each, with
// the bars about four lines of text high.
QSize BirthsChart::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int bars = 25 * metrics.horizontalAdvance(QLatin1Char('0')) * 3 / 2;
    return {2 * Margin(metrics) + std::max(bars, labelsWidth()),
            6 * metrics.height() + 3 * Margin(metrics)};
}

// The labels, and the bars one line of text high.
QSize BirthsChart::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {2 * Margin(metrics) + labelsWidth(), 3 * metrics.height() + 3 * Margin(metrics)};
}

BirthsChart::Frame BirthsChart::frameFor(qreal ratio) const {
    const QFontMetrics metrics = fontMetrics();
    const int margin = Margin(metrics);
    const int line = metrics.height();
    const auto device = [ratio](qreal pixels) {
        return static_cast<int>(std::lround(pixels * ratio));
    };

    Frame frame;
    frame.ratio = ratio;
    frame.countLine = QRectF(margin, margin, width() - 2 * margin, line);
    frame.yearsLine = QRectF(margin, height() - margin - line, width() - 2 * margin, line);
    const int left = device(margin);
    const int right = device(width() - margin);
    const int axisBottom = device(frame.yearsLine.top() - margin / 2.0);
    const int axisRows = std::max(1, static_cast<int>(std::lround(ratio)));
    frame.axis = QRect(left, axisBottom - axisRows, right - left, axisRows);
    const int top = device(frame.countLine.bottom() + margin);
    frame.plot = QRect(left, top, right - left, frame.axis.top() - top);
    return frame;
}

void BirthsChart::paintEvent(QPaintEvent* /*event*/) {
    if (counts_.empty()) {
        return;
    }
    QPainter painter(this);
    const Frame frame = frameFor(DeviceRatio(painter, devicePixelRatioF()));
    paintBars(painter, frame);
    paintLabels(painter, frame);
}

void BirthsChart::paintBars(QPainter& painter, const Frame& frame) const {
    painter.save();
    // One painter unit to a device pixel, and the widget's corner moved onto
    // a whole one (a child widget can start part way into a pixel at a
    // fractional scale), so that the whole-pixel edges stay whole and crisp.
    const QTransform toDevice = painter.deviceTransform();
    painter.scale(1 / frame.ratio, 1 / frame.ratio);
    painter.translate(std::round(toDevice.dx()) - toDevice.dx(),
                      std::round(toDevice.dy()) - toDevice.dy());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(frame.axis, palette().color(QPalette::WindowText));
    if (frame.plot.height() > 0 && frame.plot.width() > 0) {
        const QColor colour = palette().color(QPalette::Highlight);
        for (std::size_t index = 0; index < counts_.size(); ++index) {
            const int rows = BarHeight(counts_[index], highest_, frame.plot.height());
            if (rows == 0) {
                continue;
            }
            QRect bar = BarColumns(frame.plot, counts_.size(), index);
            bar.setTop(frame.plot.bottom() + 1 - rows);
            painter.fillRect(bar, colour);
        }
    }
    painter.restore();
}

void BirthsChart::paintLabels(QPainter& painter, const Frame& frame) const {
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect first = BarColumns(frame.plot, counts_.size(), 0);
    QRectF countLine = frame.countLine;
    countLine.setLeft(first.left() / frame.ratio);
    painter.drawText(countLine, Qt::AlignLeft | Qt::AlignVCenter, CountText(highest_));

    QRectF firstYear = frame.yearsLine;
    firstYear.setLeft(first.left() / frame.ratio);
    painter.drawText(firstYear, Qt::AlignLeft | Qt::AlignVCenter, YearText(firstYear_));
    if (counts_.size() > 1) {
        const QRect last = BarColumns(frame.plot, counts_.size(), counts_.size() - 1);
        QRectF lastYear = frame.yearsLine;
        lastYear.setRight((last.left() + last.width()) / frame.ratio);
        const qint64 year = firstYear_ + static_cast<qint64>(counts_.size()) - 1;
        painter.drawText(lastYear, Qt::AlignRight | Qt::AlignVCenter, YearText(year));
    }
}

} // namespace kindrell::finder
