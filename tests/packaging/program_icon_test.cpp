#include "resources/program_icon.h"

#include <QFile>
#include <QImage>
#include <QTest>

#include <set>

using kindrell::resources::kProgramIconPath;

// The icon travels inside the executable as a Qt resource; a static library's
// resource object is easy to lose at link time, so these checks run in a
// program that links nothing but the resource library.
class ProgramIconTest : public QObject {
    Q_OBJECT

  private slots:
    void resourceIsCompiledIn() { QVERIFY(QFile::exists(QString::fromLatin1(kProgramIconPath))); }

    void imageIs32By32With16ColoursAtMost() {
        QImage image(QString::fromLatin1(kProgramIconPath));
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), QSize(32, 32));
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        QVERIFY2(image.colorCount() <= 16, qPrintable(QString::number(image.colorCount())));
    }

    // A blank or single-colour picture would pass the format checks; the
    // drawing has a dark ground with yellow and yellow-green rings on it.
    void imageShowsTheDrawing() {
        const QImage image =
            QImage(QString::fromLatin1(kProgramIconPath)).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!image.isNull());
        std::set<QRgb> opaque;
        int transparent = 0;
        bool yellowGreen = false;
        bool yellow = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() == 0) {
                    ++transparent;
                    continue;
                }
                opaque.insert(c.rgb());
                yellowGreen = yellowGreen || c == QColor(188, 224, 46);
                yellow = yellow || (c.red() > 230 && c.green() > 190 && c.blue() < 60);
            }
        }
        QVERIFY(opaque.size() >= 8);
        QVERIFY(yellowGreen);
        QVERIFY(yellow);
        // Rounded corners only: the ground fills the rest of the square.
        QVERIFY(transparent > 0);
        QVERIFY(transparent < 40);
        QCOMPARE(image.pixelColor(16, 30).alpha(), 255);
    }

    void iconAndPixmapLoad() {
        const QIcon icon = kindrell::resources::programIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.actualSize(QSize(32, 32)), QSize(32, 32));
        const QPixmap pixmap = kindrell::resources::programPixmap();
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.size(), QSize(32, 32));
    }
};

QTEST_MAIN(ProgramIconTest)
#include "program_icon_test.moc"
