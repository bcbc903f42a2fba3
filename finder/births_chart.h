#pragma once

// How one name's births have gone year by year: a bar a year, the first and
// last year under the ends, the highest count at the top. Drawn in the
// palette's colours so that it follows the user's theme, and with its bar
// edges on whole device pixels so that it stays sharp at any display scale.
// What the bars show is also its accessible description, in words.

#include <QSize>
#include <QWidget>

#include <cstdint>
#include <span>
#include <vector>

class QPainter;
class QPaintEvent;

namespace kindrell::finder {

class BirthsChart final : public QWidget {
    Q_OBJECT
  public:
    explicit BirthsChart(QWidget* parent = nullptr);

    // The births in each year from firstYear on (one count a year); an empty
    // span clears the chart.
    void setBirths(int firstYear, std::span<const std::int32_t> counts);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Frame;

    Frame frameFor(qreal ratio) const;
    void paintBars(QPainter& painter, const Frame& frame) const;
    void paintLabels(QPainter& painter, const Frame& frame) const;
    int labelsWidth() const;

    int firstYear_ = 0;
    std::vector<std::int32_t> counts_;
    std::int32_t highest_ = 0;
};

} // namespace kindrell::finder
