// The main window: its layout, its two views, the reading it shows, the
// result boxes' clipboard clearing, its menus and links and its close.

#include "engine/descriptions.h"
#include "main_window_harness.h"
#include "textrules/lines.h"
#include "ui/result_box.h"
#include "widgets/look.h"

#include <QAccessible>
#include <QAction>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>

#include <algorithm>
#include <stdexcept>

using kindrell::ui::CaptionFrame;
using kindrell::ui::frmMain;
using kindrell::ui::ResultBox;
using kindrell::ui::test::FindControl;
using kindrell::ui::test::InFrontOf;
using kindrell::ui::test::MainWindowHarness;

namespace {

// Pixels from twips as the layouts are drawn: 15 twips to the pixel.
QRect FromTwips(int left, int top, int width, int height) {
    return QRect(qRound(left / 15.0), qRound(top / 15.0), qRound(width / 15.0),
                 qRound(height / 15.0));
}

QString Description(int number) {
    const std::u16string text = kindrell::GetDestinyDescription(static_cast<std::int16_t>(number));
    return kindrell::text::WithLineFeeds(QString::fromStdU16String(text));
}

// The direct child of container that is drawn at point: the one in front.
QWidget* InFront(QWidget* container, QPoint point) {
    QWidget* hit = container->childAt(point);
    while (hit != nullptr && hit->parentWidget() != container) {
        hit = hit->parentWidget();
    }
    return hit;
}

// The name assistive technology reads for a control.
QString AccessibleName(QWidget* control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    return accessible == nullptr ? QString() : accessible->text(QAccessible::Name);
}

QStringList Captions(const QList<QAction*>& actions, bool visibleOnly) {
    QStringList captions;
    for (const QAction* action : actions) {
        if (visibleOnly && !action->isVisible()) {
            continue;
        }
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return captions;
}

const QString kHome = QStringLiteral("http://" KINDRELL_TEST_HOME_HOST);
const QString kHelp = QStringLiteral("http://" KINDRELL_TEST_HELP_HOST);
const QString kProduct = QStringLiteral("http://" KINDRELL_TEST_PRODUCT_HOST);

} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT

  private slots:
    void windowFrame();
    void geometry_data();
    void geometry();
    void captionsFit();
    void fontsAndColours();
    void accessibleNames();
    void accessibleTextFollowsTheReading();
    void loadShowsTheEntryView();
    void proceedMapsTheReading_data();
    void proceedMapsTheReading();
    void proceedWithBlankNamesShowsNothing();
    void workingTooltips();
    void longNameTooltipIsElidedAndLayoutStays();
    void doItOnceAgain();
    void tabOrder_data();
    void tabOrder();
    void resultBoxes();
    void resultBoxClearsClipboard_data();
    void resultBoxClearsClipboard();
    void firstReadingClearsClipboard();
    void menuStructure();
    void links_data();
    void links();
    void promotionalLabels();
    void close_data();
    void close();
};

void FrmMainTest::windowFrame() {
    MainWindowHarness harness;
    frmMain& window = *harness.window;
    QVERIFY(harness.showActive());
    QCOMPARE(window.windowTitle(), QStringLiteral("QL Kindrell v1.0"));
    QVERIFY(!window.windowIcon().isNull());
    QVERIFY(window.testAttribute(Qt::WA_DeleteOnClose));
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    // The client area lies below the menu bar and is 8805 x 5715 twips.
    QWidget* client = window.centralWidget();
    QCOMPARE(client->size(), QSize(587, 381));
    QCOMPARE(client->y(), window.menuBar()->height());
    QCOMPARE(window.size(), QSize(587, 381 + window.menuBar()->height()));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    // Centred on the screen.
    const QPoint screenCentre = window.screen()->availableGeometry().center();
    QVERIFY2((window.geometry().center() - screenCentre).manhattanLength() <= 40,
             qPrintable(QStringLiteral("window centre %1,%2")
                            .arg(window.geometry().center().x())
                            .arg(window.geometry().center().y())));
}

void FrmMainTest::geometry_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("expected");
    // clang-format off
    QTest::newRow("Label14")     << "Label14"     << FromTwips(1747, 30, 5310, 435);
    QTest::newRow("fraMain")     << "fraMain"     << FromTwips(2, 480, 8800, 4500);
    QTest::newRow("lblLabel0")   << "lblLabel0"   << FromTwips(690, 360, 7500, 435);
    QTest::newRow("Frame1")      << "Frame1"      << FromTwips(2573, 1320, 3735, 2085);
    QTest::newRow("lblLabel4")   << "lblLabel4"   << FromTwips(120, 240, 2340, 195);
    QTest::newRow("txtName0")    << "txtName0"    << FromTwips(120, 486, 3500, 300);
    QTest::newRow("lblLabel3")   << "lblLabel3"   << FromTwips(120, 837, 2235, 195);
    QTest::newRow("txtName1")    << "txtName1"    << FromTwips(120, 1083, 3500, 300);
    QTest::newRow("lblLabel5")   << "lblLabel5"   << FromTwips(120, 1434, 2280, 195);
    QTest::newRow("txtName2")    << "txtName2"    << FromTwips(120, 1680, 3500, 300);
    QTest::newRow("cmdProceed")  << "cmdProceed"  << FromTwips(1493, 3840, 5895, 400);
    QTest::newRow("fraResult")   << "fraResult"   << FromTwips(2, 480, 8800, 4500);
    QTest::newRow("lblLabel1")   << "lblLabel1"   << FromTwips(120, 360, 7965, 195);
    QTest::newRow("lblResult0")  << "lblResult0"  << FromTwips(120, 720, 1395, 195);
    QTest::newRow("txtResult0")  << "txtResult0"  << FromTwips(120, 930, 8535, 550);
    QTest::newRow("lblResult1")  << "lblResult1"  << FromTwips(120, 1560, 1590, 195);
    QTest::newRow("txtResult1")  << "txtResult1"  << FromTwips(120, 1770, 8535, 550);
    QTest::newRow("lblResult2")  << "lblResult2"  << FromTwips(120, 2400, 1560, 195);
    QTest::newRow("txtResult2")  << "txtResult2"  << FromTwips(120, 2610, 8535, 550);
    QTest::newRow("lblResult3")  << "lblResult3"  << FromTwips(120, 3360, 2145, 195);
    QTest::newRow("lblResult4")  << "lblResult4"  << FromTwips(120, 3600, 2145, 195);
    QTest::newRow("cmdBack")     << "cmdBack"     << FromTwips(4920, 3960, 3735, 375);
    QTest::newRow("fraFullBrand")<< "fraFullBrand"<< FromTwips(2, 5000, 8800, 700);
    QTest::newRow("lblCobrand")  << "lblCobrand"  << FromTwips(60, 165, 8700, 450);
    QTest::newRow("lblFullBrand")<< "lblFullBrand"<< FromTwips(60, 165, 8700, 450);
    // clang-format on
}

void FrmMainTest::geometry() {
    QFETCH(QString, control);
    QFETCH(QRect, expected);
    MainWindowHarness harness;
    QCOMPARE(harness.find<QWidget>(control)->geometry(), expected);
}

// Every fixed caption is readable in the face in use: wrapped ones within
// their rectangle, one-line ones within their width.
void FrmMainTest::captionsFit() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    for (const char* wrapped : {"Label14", "lblLabel0", "lblCobrand", "lblFullBrand"}) {
        const QLabel* label = harness.find<QLabel>(wrapped);
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(0, 0, label->width(), 10000), Qt::TextWordWrap | Qt::AlignHCenter, label->text());
        QVERIFY2(needed.height() <= label->height() && needed.width() <= label->width(),
                 qPrintable(label->text()));
    }
    for (const char* oneLine : {"lblLabel1", "lblLabel3", "lblLabel4", "lblLabel5"}) {
        const QLabel* label = harness.find<QLabel>(oneLine);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
        QVERIFY(label->fontMetrics().height() <= label->height());
    }
    for (const char* name : {"cmdProceed", "cmdBack"}) {
        const QPushButton* button = harness.find<QPushButton>(name);
        const QString shown = QString(button->text()).remove('&');
        QVERIFY(button->fontMetrics().horizontalAdvance(shown) + 8 <= button->width());
    }
    // A result label widens to the right for a caption longer than its drawn width.
    harness.enterNames("Mary", "Ramesh", "Susan");
    w.Proceed();
    for (std::size_t index = 0; index < 5; ++index) {
        const QLabel* label = harness.find<QLabel>(QStringLiteral("lblResult%1").arg(index));
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
        QCOMPARE(label->x(), 8);
    }
    QVERIFY(harness.find<QLabel>("lblResult3")->width() > FromTwips(0, 0, 2145, 0).width());
}

void FrmMainTest::fontsAndColours() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    // Drawn in the first of the faces that is installed (DejaVu Sans at least).
    const QStringList families = kindrell::widgets::uiFontFamilies();
    const QStringList installed = QFontDatabase::families();
    const auto drawn = std::find_if(families.cbegin(), families.cend(), [&](const QString& f) {
        return installed.contains(f, Qt::CaseInsensitive);
    });
    QVERIFY(drawn != families.cend());
    for (const char* plain : {"txtName0", "txtResult0", "lblLabel0", "Label14", "lblCobrand"}) {
        const QWidget* control = harness.find<QWidget>(plain);
        QCOMPARE(control->font().families(), families);
        QCOMPARE(QFontInfo(control->font()).family(), *drawn);
        QCOMPARE(control->font().pointSizeF(), 8.25);
        QVERIFY(!control->font().bold());
    }
    for (const char* bold :
         {"cmdProceed", "cmdBack", "Frame1", "fraResult", "lblResult0", "lblResult4"}) {
        QVERIFY(harness.find<QWidget>(bold)->font().bold());
    }
    const QColor yellowGreen(188, 224, 46);
    const QColor darkGrey(64, 64, 64);
    const auto colour = [&harness](const char* control, QPalette::ColorRole role) {
        return harness.find<QWidget>(control)->palette().color(role);
    };
    QCOMPARE(colour("lblLabel4", QPalette::WindowText), yellowGreen);
    QCOMPARE(colour("lblResult2", QPalette::WindowText), yellowGreen);
    QCOMPARE(colour("txtName1", QPalette::Base), darkGrey);
    QCOMPARE(colour("txtName1", QPalette::Text), yellowGreen);
    QCOMPARE(colour("txtResult1", QPalette::Base), darkGrey);
    QCOMPARE(colour("txtResult1", QPalette::Text), QColor(Qt::yellow));
    QCOMPARE(colour("Frame1", QPalette::WindowText), QColor(Qt::yellow));
    QCOMPARE(colour("fraResult", QPalette::WindowText), QColor(Qt::cyan));
    QCOMPARE(w.centralWidget()->palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(colour("Label14", QPalette::WindowText), QColor(Qt::white));
    for (const char* link : {"Label14", "lblCobrand", "lblFullBrand"}) {
        QCOMPARE(harness.find<QLabel>(link)->cursor().shape(), Qt::PointingHandCursor);
    }
}

void FrmMainTest::accessibleNames() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    const QList<QPair<QString, QString>> expected{
        {"txtName0", "Enter Child's Chosen Name"},
        {"txtName1", "Enter Child's Father Name"},
        {"txtName2", "Enter Child's Mother Name"},
        {"txtResult0", "Child Destiny"},
        {"txtResult1", "Mother Destiny"},
        {"txtResult2", "Father Destiny"},
        {"cmdProceed", "Get My Kindrell Reading"},
        {"cmdBack", "Do It Once Again"},
        {"Frame1", "Name Details"},
        {"fraResult", "QL Kindrell Result"},
        {"lblResult0", "Child Destiny: "},
        {"lblFullBrand", harness.find<QLabel>("lblFullBrand")->text()},
    };
    for (const auto& [control, name] : expected) {
        QCOMPARE(AccessibleName(harness.find<QWidget>(control)), name);
    }
    // Every control of the window's layout is named to assistive technology.
    QList<QWidget*> controls =
        w.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const auto* frame : w.centralWidget()->findChildren<CaptionFrame*>()) {
        controls += frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    }
    QVERIFY(controls.size() >= 25);
    for (QWidget* control : controls) {
        QVERIFY2(!AccessibleName(control).isEmpty(), control->metaObject()->className());
    }
}

// A screen reader hears the reading that is shown, not the captions the
// labels started with, after every Proceed.
void FrmMainTest::accessibleTextFollowsTheReading() {
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    const QList<QStringList> readings{
        {"Mary", "John", "Zoe", "Child Destiny: 3", "Mother Destiny: 1", "Father Destiny: 2",
         "Compatibility with Mother: Harmonious", "Compatibility with Father: Harmonious"},
        {"Mary", "Ramesh", "Susan", "Child Destiny: 3", "Mother Destiny: 2", "Father Destiny: 1",
         "Compatibility with Mother: Not Harmonious At All",
         "Compatibility with Father: Not Harmonious At All"},
        {"Ava", "John", "Zoe", "Child Destiny: 6", "Mother Destiny: 1", "Father Destiny: 2",
         "Compatibility with Mother: Not Harmonious", "Compatibility with Father: Harmonious"},
    };
    auto* proceed = harness.find<QPushButton>("cmdProceed");
    for (const QStringList& reading : readings) {
        harness.enterNames(reading[0], reading[1], reading[2]);
        proceed->setFocus();
        QTest::mouseClick(proceed, Qt::LeftButton);
        QVERIFY(harness.messages.shown.isEmpty());
        for (std::size_t index = 0; index < 5; ++index) {
            const QString& shown = reading[static_cast<qsizetype>(index) + 3];
            QLabel* label = harness.find<QLabel>(QStringLiteral("lblResult%1").arg(index));
            QCOMPARE(label->text(), shown);
            QCOMPARE(AccessibleName(label), shown);
        }
    }
}

void FrmMainTest::loadShowsTheEntryView() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    auto* entry = harness.find<CaptionFrame>("fraMain");
    auto* result = harness.find<CaptionFrame>("fraResult");
    QCOMPARE(harness.frontView(), "fraMain");
    QCOMPARE(InFront(w.centralWidget(), QPoint(300, 200)), entry);
    // Neither view is ever hidden or disabled.
    for (QWidget* view : {entry, result}) {
        QVERIFY(view->isVisible());
        QVERIFY(view->isEnabled());
    }
    QCOMPARE(entry->geometry(), result->geometry());
    for (std::size_t index = 0; index < 3; ++index) {
        QVERIFY(harness.find<QLineEdit>(QStringLiteral("txtName%1").arg(index))->text().isEmpty());
        QVERIFY(
            harness.find<ResultBox>(QStringLiteral("txtResult%1").arg(index))->text().isEmpty());
    }
    const auto caption = [&harness](const char* label) {
        return harness.find<QLabel>(label)->text();
    };
    QCOMPARE(caption("lblResult0"), QStringLiteral("Child Destiny: "));
    QCOMPARE(caption("lblResult1"), QStringLiteral("Mother Destiny: "));
    QCOMPARE(caption("lblResult2"), QStringLiteral("Father Destiny: "));
    QCOMPARE(caption("lblResult3"), QStringLiteral("Not Harmonious At All"));
    QCOMPARE(caption("lblResult4"), QStringLiteral("Not Harmonious At All"));
    QCOMPARE(caption("Label14"), "The Most Popular Online Mystic Discussion Forum. Click Here To "
                                 "Visit " KINDRELL_TEST_HOME_HOST " Now.");
}

void FrmMainTest::proceedMapsTheReading_data() {
    QTest::addColumn<QString>("child");
    QTest::addColumn<QString>("father");
    QTest::addColumn<QString>("mother");
    QTest::addColumn<int>("childNumber");
    QTest::addColumn<int>("motherNumber");
    QTest::addColumn<int>("fatherNumber");
    QTest::addColumn<QString>("motherLine");
    QTest::addColumn<QString>("fatherLine");
    // Each reading's three numbers differ, so that a crossed mapping shows.
    // clang-format off
    QTest::newRow("Mary John Zoe") << "Mary" << "John" << "Zoe" << 3 << 1 << 2
        << "Compatibility with Mother: Harmonious" << "Compatibility with Father: Harmonious";
    QTest::newRow("Mia John Zoe") << "Mia" << "John" << "Zoe" << 5 << 1 << 2
        << "Compatibility with Mother: Harmonious" << "Compatibility with Father: Not Harmonious";
    QTest::newRow("Ava John Zoe") << "Ava" << "John" << "Zoe" << 6 << 1 << 2
        << "Compatibility with Mother: Not Harmonious" << "Compatibility with Father: Harmonious";
    QTest::newRow("Mary Ramesh Susan") << "Mary" << "Ramesh" << "Susan" << 3 << 2 << 1
        << "Compatibility with Mother: Not Harmonious At All" << "Compatibility with Father: Not Harmonious At All";
    QTest::newRow("spaces around the names") << "  Mary " << " John" << "Zoe  " << 3 << 1 << 2
        << "Compatibility with Mother: Harmonious" << "Compatibility with Father: Harmonious";
    // clang-format on
}

void FrmMainTest::proceedMapsTheReading() {
    QFETCH(QString, child);
    QFETCH(QString, father);
    QFETCH(QString, mother);
    QFETCH(int, childNumber);
    QFETCH(int, motherNumber);
    QFETCH(int, fatherNumber);
    QFETCH(QString, motherLine);
    QFETCH(QString, fatherLine);

    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    harness.enterNames(child, father, mother);
    auto* proceed = harness.find<QPushButton>("cmdProceed");
    proceed->setFocus();
    QTest::mouseClick(proceed, Qt::LeftButton);

    const auto caption = [&harness](const char* label) {
        return harness.find<QLabel>(label)->text();
    };
    const auto description = [&harness](const char* box) {
        return harness.find<ResultBox>(box)->text();
    };
    QVERIFY(harness.messages.shown.isEmpty());
    QCOMPARE(caption("lblResult0"), QStringLiteral("Child Destiny: %1").arg(childNumber));
    QCOMPARE(caption("lblResult1"), QStringLiteral("Mother Destiny: %1").arg(motherNumber));
    QCOMPARE(caption("lblResult2"), QStringLiteral("Father Destiny: %1").arg(fatherNumber));
    QCOMPARE(caption("lblResult3"), motherLine);
    QCOMPARE(caption("lblResult4"), fatherLine);
    QCOMPARE(description("txtResult0"), Description(childNumber));
    QCOMPARE(description("txtResult1"), Description(motherNumber));
    QCOMPARE(description("txtResult2"), Description(fatherNumber));
    // One empty line between paragraphs, no carriage returns shown.
    const ResultBox* childBox = harness.find<ResultBox>("txtResult0");
    QVERIFY(childBox->text().contains(QStringLiteral("\n\n")));
    QVERIFY(!childBox->text().contains(QLatin1Char('\r')));
    QCOMPARE(childBox->document()->blockCount(), childBox->text().count('\n') + 1);

    QCOMPARE(harness.frontView(), "fraResult");
    QCOMPARE(InFront(w.centralWidget(), QPoint(300, 200)), harness.find<QWidget>("fraResult"));
    // The focus stays on the button, now behind the result view; the names stay.
    QCOMPARE(QApplication::focusWidget(), proceed);
    QCOMPARE(harness.find<QLineEdit>("txtName0")->text(), child);
}

void FrmMainTest::proceedWithBlankNamesShowsNothing() {
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    auto* proceed = harness.find<QPushButton>("cmdProceed");
    proceed->setFocus();
    QTest::keyClick(proceed, Qt::Key_Space);
    QCOMPARE(harness.messages.texts(), QStringList{"Please Enter Child's Name"});
    QCOMPARE(harness.frontView(), "fraMain");
    QCOMPARE(harness.find<QLabel>("lblResult0")->text(), QStringLiteral("Child Destiny: "));
    QCOMPARE(harness.clipboard.clears, 0);
}

void FrmMainTest::workingTooltips() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    harness.enterNames("Mary", "John", "Zoe");
    w.Proceed();
    const auto tip = [&harness](const char* label) {
        return harness.find<QLabel>(label)->toolTip();
    };
    QCOMPARE(tip("lblResult0"), QString::fromUtf8("M 4 + A 1 + R 9 + Y 7 = 21 \u2192 3"));
    QCOMPARE(tip("lblResult1"), QString::fromUtf8("Z 8 + O 6 + E 5 = 19 \u2192 10 \u2192 1"));
    QCOMPARE(tip("lblResult2"), QString::fromUtf8("J 1 + O 6 + H 8 + N 5 = 20 \u2192 2"));
}

void FrmMainTest::longNameTooltipIsElidedAndLayoutStays() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QList<QRect> before;
    for (QWidget* control : w.centralWidget()->findChildren<QWidget*>()) {
        before << control->geometry();
    }
    const QLabel* childDestiny = harness.find<QLabel>("lblResult0");
    const QRect label0 = childDestiny->geometry();
    // 2000 letters A: letter sum 2000, destiny number 2.
    harness.enterNames(QString(2000, 'A'), "John", "Zoe");
    w.Proceed();
    const QString tip = childDestiny->toolTip();
    QVERIFY(QFontMetrics(QToolTip::font()).horizontalAdvance(tip) <= 600);
    QVERIFY(tip.startsWith(QStringLiteral("A 1 + A 1")));
    QVERIFY2(tip.endsWith(QString::fromUtf8("= 2000 \u2192 2")), qPrintable(tip));
    QCOMPARE(childDestiny->text(), QStringLiteral("Child Destiny: 2"));
    QCOMPARE(childDestiny->geometry().topLeft(), label0.topLeft());
    QCOMPARE(childDestiny->height(), label0.height());
    QCOMPARE(w.centralWidget()->size(), QSize(587, 381));
}

void FrmMainTest::doItOnceAgain() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    auto* back = harness.find<QPushButton>("cmdBack");
    auto* childName = harness.find<QLineEdit>("txtName0");
    auto* fatherName = harness.find<QLineEdit>("txtName1");
    harness.enterNames("Mary", "John", "Zoe");
    w.Proceed();
    const QString description = harness.find<ResultBox>("txtResult1")->text();
    back->setFocus();
    QTest::keyClick(back, Qt::Key_Space);

    for (std::size_t index = 0; index < 3; ++index) {
        QVERIFY(harness.find<QLineEdit>(QStringLiteral("txtName%1").arg(index))->text().isEmpty());
    }
    QCOMPARE(QApplication::focusWidget(), childName);
    QCOMPARE(harness.frontView(), "fraMain");
    // The last reading stays behind the entry view.
    QCOMPARE(harness.find<QLabel>("lblResult1")->text(), QStringLiteral("Mother Destiny: 1"));
    QCOMPARE(harness.find<ResultBox>("txtResult1")->text(), description);
    QVERIFY(!description.isEmpty());

    // From the entry view too: the covered button still takes the keyboard.
    fatherName->setText("John");
    back->setFocus();
    QTest::keyClick(back, Qt::Key_Space);
    QVERIFY(fatherName->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), childName);
    QCOMPARE(harness.frontView(), "fraMain");
}

void FrmMainTest::tabOrder_data() {
    QTest::addColumn<bool>("resultViewInFront");
    QTest::newRow("entry view in front") << false;
    QTest::newRow("result view in front") << true;
}

void FrmMainTest::tabOrder() {
    QFETCH(bool, resultViewInFront);
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    if (resultViewInFront) {
        harness.enterNames("Mary", "John", "Zoe");
        w.Proceed();
        QCOMPARE(harness.frontView(), "fraResult");
    }
    QList<QWidget*> expected;
    for (const char* name : {"txtName0", "txtName1", "txtName2", "cmdProceed", "cmdBack",
                             "txtResult0", "txtResult1", "txtResult2", "txtName0"}) {
        expected << harness.find<QWidget>(name);
    }
    expected.front()->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), expected.front());
    QList<QWidget*> visited{QApplication::focusWidget()};
    for (int step = 1; step < expected.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    QCOMPARE(visited, expected);
    // The typed Tab reached no name box as a character.
    QVERIFY(harness.messages.shown.isEmpty());
}

void FrmMainTest::resultBoxes() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    for (std::size_t index = 0; index < 3; ++index) {
        ResultBox* box = harness.find<ResultBox>(QStringLiteral("txtResult%1").arg(index));
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(box->focusPolicy() & Qt::TabFocus);
    }
    harness.enterNames("Mary", "John", "Zoe");
    w.Proceed();
    ResultBox* box = harness.find<ResultBox>("txtResult0");
    const QString text = box->text();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("xyz"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(box->text(), text);
    // Long enough to scroll, and it does.
    QVERIFY(box->verticalScrollBar()->maximum() > 0);
}

void FrmMainTest::resultBoxClearsClipboard_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("clears");
    // clang-format off
    QTest::newRow("text change")            << "text" << 1;
    QTest::newRow("press")                  << "press" << 1;
    QTest::newRow("move without a button")  << "move" << 1;
    QTest::newRow("release, which clicks")  << "release" << 2;
    QTest::newRow("release off the box")    << "release outside" << 1;
    QTest::newRow("click: press, release and click") << "click" << 3;
    QTest::newRow("right button press")     << "right press" << 1;
    // clang-format on
}

void FrmMainTest::resultBoxClearsClipboard() {
    QFETCH(QString, action);
    QFETCH(int, clears);
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    harness.find<QWidget>("fraResult")->raise();
    for (std::size_t index = 0; index < 3; ++index) {
        ResultBox* box = harness.find<ResultBox>(QStringLiteral("txtResult%1").arg(index));
        QWidget* viewport = box->viewport();
        const QPoint inside(20, 10);
        if (action == "release" || action == "release outside") {
            QTest::mousePress(viewport, Qt::LeftButton, {}, inside);
        }
        const int before = harness.clipboard.clears;
        const QString textBefore = box->text();
        if (action == "text") {
            box->setText(QStringLiteral("Text %1").arg(index));
        } else if (action == "press") {
            QTest::mousePress(viewport, Qt::LeftButton, {}, inside);
        } else if (action == "right press") {
            QTest::mousePress(viewport, Qt::RightButton, {}, inside);
        } else if (action == "move") {
            QTest::mouseMove(viewport, inside);
        } else if (action == "release") {
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, inside);
        } else if (action == "release outside") {
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(-30, -30));
        } else if (action == "click") {
            QTest::mouseClick(viewport, Qt::LeftButton, {}, inside);
        } else {
            QFAIL("unknown action");
        }
        QCOMPARE(harness.clipboard.clears - before, clears);
        if (action != "text") {
            QCOMPARE(box->text(), textBefore);
        }
        // Leave no button held for the next box.
        if (action == "press" || action == "right press") {
            QTest::mouseRelease(viewport, action == "press" ? Qt::LeftButton : Qt::RightButton, {},
                                inside);
        }
    }
}

void FrmMainTest::firstReadingClearsClipboard() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    harness.enterNames("Mary", "John", "Zoe");
    QCOMPARE(harness.clipboard.clears, 0);
    w.Proceed();
    // Each of the three boxes changed its text.
    QCOMPARE(harness.clipboard.clears, 3);
}

void FrmMainTest::menuStructure() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    QMenuBar* bar = w.menuBar();
    auto* file = harness.find<QMenu>("mnuFile");
    auto* help = harness.find<QMenu>("mnuHelp");
    auto* donate = harness.find<QAction>("mnuDonate");
    auto* makeMoney = harness.find<QAction>("mnuMakeMoney");
    QCOMPARE(Captions(bar->actions(), true), (QStringList{"&File", "&Help", "&Donate"}));
    QCOMPARE(file->title(), QStringLiteral("&File"));
    QCOMPARE(help->title(), QStringLiteral("&Help"));
    QCOMPARE(donate->menu(), nullptr);
    QVERIFY(donate->isVisible());
    QCOMPARE(Captions(file->actions(), true), QStringList{"E&xit"});
    QCOMPARE(Captions(help->actions(), true),
             (QStringList{"&Online Help", "&Visit Us Online", "-", "Check for Software &Update",
                          "-", "&About Software"}));
    // Switched off and out of sight.
    for (const char* hidden : {"mnuMakeMoney", "mnuCalculate", "mnuSep1"}) {
        QVERIFY(!harness.find<QAction>(hidden)->isVisible());
        QVERIFY(!harness.find<QAction>(hidden)->isEnabled());
    }
    QCOMPARE(makeMoney->text(), QStringLiteral("Make Money &Online"));
    QVERIFY(bar->actionGeometry(makeMoney).isEmpty());
    QVERIFY(!bar->actionGeometry(donate).isEmpty());
    QVERIFY(harness.find<QAction>("mnuSep1")->isSeparator());
    // No entry has a shortcut key.
    QList<QAction*> all = bar->actions() + file->actions() + help->actions();
    for (const QAction* action : all) {
        QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
    }
    // A click on Donate opens its page at once, with no drop-down.
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(donate).center());
    QCOMPARE(harness.links.opened, QStringList{kHelp + "/donate.html"});
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void FrmMainTest::links_data() {
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("address");
    // clang-format off
    QTest::newRow("Label14: home page")            << "Label14"      << kHome;
    QTest::newRow("lblCobrand: co-branding")       << "lblCobrand"   << kHelp + "/co-brand.html";
    QTest::newRow("lblFullBrand: fully branded")   << "lblFullBrand" << kHelp + "/fully-branded.html";
    QTest::newRow("Online Help")                   << "mnuOnline"    << kProduct + "/ql-free-kindrell-help.html";
    QTest::newRow("Visit Us Online: home page")    << "mnuVisit"     << kHome;
    QTest::newRow("Check for Software Update")     << "mnuUpdate"    << kProduct + "/download-ql-free-kindrell.html";
    QTest::newRow("Donate")                        << "mnuDonate"    << kHelp + "/donate.html";
    // clang-format on
}

void FrmMainTest::links() {
    QFETCH(QString, trigger);
    QFETCH(QString, address);
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    const QStringList labels{"Label14", "lblCobrand", "lblFullBrand"};
    for (int time = 1; time <= 2; ++time) {
        if (labels.contains(trigger)) {
            auto* label = harness.find<QLabel>(trigger);
            label->raise(); // the promotional labels are clicked where they show
            QTest::mouseClick(label, Qt::LeftButton);
        } else {
            harness.find<QAction>(trigger)->trigger();
        }
        // Each choice opens its page once more: nothing is remembered.
        QCOMPARE(harness.links.opened, QStringList(time, address));
    }
    QVERIFY(!address.endsWith('/'));
    QVERIFY(harness.messages.shown.isEmpty());
}

void FrmMainTest::promotionalLabels() {
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    auto* cobrand = harness.find<QLabel>("lblCobrand");
    auto* fullBrand = harness.find<QLabel>("lblFullBrand");
    QCOMPARE(cobrand->geometry(), fullBrand->geometry());
    QCOMPARE(cobrand->parentWidget(), fullBrand->parentWidget());
    QVERIFY(cobrand->autoFillBackground());
    QVERIFY(fullBrand->autoFillBackground());
    QCOMPARE(cobrand->text(),
             QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic "
                            "to your site. Put your site's name &  link here. See \"Help\" for "
                            "details. Click Here for more info on co-branding."));
    QCOMPARE(cobrand->textFormat(), Qt::PlainText);
    QCOMPARE(fullBrand->text(),
             QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                            "money online. Get this software fully branded for your website. "
                            "Click here for more details."));
    auto* area = harness.find<QWidget>("fraFullBrand");
    const QPoint middle = cobrand->geometry().center();
    for (QLabel* front : {cobrand, fullBrand, cobrand}) {
        front->raise();
        QCOMPARE(InFrontOf(cobrand, fullBrand), front);
        QCOMPARE(InFront(area, middle), front);
        QVERIFY(cobrand->isVisible() && fullBrand->isVisible());
    }
    // Only the one in front can be seen: the window shows its text alone.
    fullBrand->raise();
    const QImage shown = area->grab().toImage();
    cobrand->raise();
    const QImage other = area->grab().toImage();
    QVERIFY(shown != other);
    fullBrand->raise();
    QCOMPARE(area->grab().toImage(), shown);
}

void FrmMainTest::close_data() {
    QTest::addColumn<bool>("byExit");
    QTest::addColumn<bool>("handOffThrows");
    QTest::newRow("close box") << false << false;
    QTest::newRow("File, Exit") << true << false;
    QTest::newRow("a hand-off that fails still closes") << false << true;
}

void FrmMainTest::close() {
    QFETCH(bool, byExit);
    QFETCH(bool, handOffThrows);
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    int handOffs = 0;
    harness.window->setCloseHandOff([&handOffs, handOffThrows] {
        ++handOffs;
        if (handOffThrows) {
            throw std::runtime_error("the dialog could not be shown");
        }
    });
    // The window deletes itself on close.
    QPointer<frmMain> window = harness.window.release();
    if (byExit) {
        FindControl<QAction>(*window, "mnuExit")->trigger();
    } else {
        QVERIFY(window->close());
    }
    QCOMPARE(handOffs, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
    QVERIFY(harness.messages.shown.isEmpty());
}

QTEST_MAIN(FrmMainTest)
#include "frm_main_test.moc"
