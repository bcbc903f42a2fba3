// The births chart, offscreen: what it tells a screen reader, and what it
// draws, read back from the pixels at whole and fractional display scales.

#include "finder/births_chart.h"

#include <QAccessible>
#include <QtTest>

using kindrell::finder::BirthsChart;

namespace {

const QList<int> kSeries{2781,  3029,  3301,  3650,  4012,  4420,  4988,  5517,  6104,
                         6790,  7456,  8213,  22164, 9004,  9876,  10732, 11590, 12401,
                         13266, 14010, 14835, 15502, 16233, 16987, 17640};
const QRgb kBar = qRgb(20, 90, 200);

QImage Render(BirthsChart& chart, qreal ratio) {
    QImage image((QSizeF(chart.size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    chart.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

// The bars' heights, left to right, as many as their first columns' pixels.
QList<int> BarHeights(const QImage& image) {
    QList<int> heights;
    for (int x = 0, previous = 0; x < image.width(); ++x) {
        int column = 0;
        for (int y = 0; y < image.height(); ++y) {
            column += image.pixel(x, y) == kBar ? 1 : 0;
        }
        if (column > 0 && previous == 0) {
            heights << column;
        }
        previous = column;
    }
    return heights;
}

} // namespace

class BirthsChartTest : public QObject {
    Q_OBJECT
    BirthsChart chart;

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        chart.resize(300, 120);
        QPalette palette = chart.palette();
        palette.setColor(QPalette::Highlight, kBar);
        palette.setColor(QPalette::WindowText, Qt::black);
        chart.setPalette(palette);
    }

    // Each series replaces the last one's words, and clearing leaves none.
    void describesEveryYear() {
        QAccessibleInterface* const accessible = QAccessible::queryAccessibleInterface(&chart);
        chart.setBirths(2000, std::span<const int>(kSeries));
        const QStringList years =
            accessible->text(QAccessible::Description).split(QStringLiteral("; "));
        QCOMPARE(years.size(), kSeries.size());
        QCOMPARE(years.front(), "Births per year: 2000: 2,781");
        QCOMPARE(years.at(12), "2012: 22,164");
        QCOMPARE(years.back(), "2024: 17,640");
        chart.setBirths(1998, std::span<const int>(QList<int>{0, 1000000}));
        QCOMPARE(accessible->text(QAccessible::Description),
                 "Births per year: 1998: 0; 1999: 1,000,000");
        chart.setBirths(2000, {});
        QCOMPARE(accessible->text(QAccessible::Description), QString());
        QCOMPARE(accessible->text(QAccessible::Name), "Births over the years");
    }

    void barsAreSharpAndInProportion_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("scale 1") << 1.0;
        QTest::newRow("scale 1.5") << 1.5;
        QTest::newRow("scale 2") << 2.0;
    }
    // The text and the axis are black on white, so grey at their edges; any
    // other colour but the bars' is a bar's edge blurred into the background.
    void barsAreSharpAndInProportion() {
        QFETCH(qreal, ratio);
        chart.setBirths(2000, std::span<const int>(kSeries));
        const QImage image = Render(chart, ratio);
        const QList<int> heights = BarHeights(image);
        QCOMPARE(heights.size(), kSeries.size());
        QVERIFY(heights[12] > 2 * heights[0]); // 22,164 births beside 2,781
        QVERIFY(heights[24] > heights[11]);    // 17,640 beside 8,213
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        const auto blurred = std::count_if(
            pixels, pixels + image.sizeInBytes() / qsizetype(sizeof(QRgb)),
            [](QRgb pixel) { return pixel != kBar && QColor(pixel).hsvSaturation() > 0; });
        QCOMPARE(blurred, 0);
    }
};

QTEST_MAIN(BirthsChartTest)
#include "births_chart_test.moc"
