// The main window: its layout, its two views, the reading it shows, the
// result boxes' clipboard clearing, its menus and links and its close.

#include "engine/descriptions.h"
#include "main_window_harness.h"
#include "textrules/lines.h"
#include "ui/result_box.h"
#include "widgets/look.h"

#include <QAccessible>
#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>

#include <stdexcept>

using kindrell::ui::CaptionFrame;
using kindrell::ui::frmMain;
using kindrell::ui::ResultBox;
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
    QTest::newRow("lblLabel(0)") << "lblLabel(0)" << FromTwips(690, 360, 7500, 435);
    QTest::newRow("Frame1")      << "Frame1"      << FromTwips(2573, 1320, 3735, 2085);
    QTest::newRow("lblLabel(4)") << "lblLabel(4)" << FromTwips(120, 240, 2340, 195);
    QTest::newRow("txtName(0)")  << "txtName(0)"  << FromTwips(120, 486, 3500, 300);
    QTest::newRow("lblLabel(3)") << "lblLabel(3)" << FromTwips(120, 837, 2235, 195);
    QTest::newRow("txtName(1)")  << "txtName(1)"  << FromTwips(120, 1083, 3500, 300);
    QTest::newRow("lblLabel(5)") << "lblLabel(5)" << FromTwips(120, 1434, 2280, 195);
    QTest::newRow("txtName(2)")  << "txtName(2)"  << FromTwips(120, 1680, 3500, 300);
    QTest::newRow("cmdProceed")  << "cmdProceed"  << FromTwips(1493, 3840, 5895, 400);
    QTest::newRow("fraResult")   << "fraResult"   << FromTwips(2, 480, 8800, 4500);
    QTest::newRow("lblLabel(1)") << "lblLabel(1)" << FromTwips(120, 360, 7965, 195);
    QTest::newRow("lblResult(0)")<< "lblResult(0)"<< FromTwips(120, 720, 1395, 195);
    QTest::newRow("txtResult(0)")<< "txtResult(0)"<< FromTwips(120, 930, 8535, 550);
    QTest::newRow("lblResult(1)")<< "lblResult(1)"<< FromTwips(120, 1560, 1590, 195);
    QTest::newRow("txtResult(1)")<< "txtResult(1)"<< FromTwips(120, 1770, 8535, 550);
    QTest::newRow("lblResult(2)")<< "lblResult(2)"<< FromTwips(120, 2400, 1560, 195);
    QTest::newRow("txtResult(2)")<< "txtResult(2)"<< FromTwips(120, 2610, 8535, 550);
    QTest::newRow("lblResult(3)")<< "lblResult(3)"<< FromTwips(120, 3360, 2145, 195);
    QTest::newRow("lblResult(4)")<< "lblResult(4)"<< FromTwips(120, 3600, 2145, 195);
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
    frmMain& w = *harness.window;
    QHash<QString, QWidget*> controls{
        {"Label14", w.label14()},
        {"fraMain", w.fraMain()},
        {"Frame1", w.frame1()},
        {"cmdProceed", w.cmdProceed()},
        {"fraResult", w.fraResult()},
        {"cmdBack", w.cmdBack()},
        {"fraFullBrand", w.fraFullBrand()},
        {"lblCobrand", w.lblCobrand()},
        {"lblFullBrand", w.lblFullBrand()},
    };
    for (std::size_t index = 0; index < 6; ++index) {
        if (index != 2) { // there is no lblLabel(2)
            controls.insert(QStringLiteral("lblLabel(%1)").arg(index), w.lblLabel(index));
        }
    }
    for (std::size_t index = 0; index < 5; ++index) {
        controls.insert(QStringLiteral("lblResult(%1)").arg(index), w.lblResult(index));
    }
    for (std::size_t index = 0; index < 3; ++index) {
        controls.insert(QStringLiteral("txtName(%1)").arg(index), w.txtName(index));
        controls.insert(QStringLiteral("txtResult(%1)").arg(index), w.txtResult(index));
    }
    QVERIFY(controls.contains(control));
    QCOMPARE(controls.value(control)->geometry(), expected);
}

// Every fixed caption is readable in the face in use: wrapped ones within
// their rectangle, one-line ones within their width.
void FrmMainTest::captionsFit() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    const QList<QLabel*> wrapped{w.label14(), w.lblLabel(0), w.lblCobrand(), w.lblFullBrand()};
    for (const QLabel* label : wrapped) {
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(0, 0, label->width(), 10000), Qt::TextWordWrap | Qt::AlignHCenter, label->text());
        QVERIFY2(needed.height() <= label->height() && needed.width() <= label->width(),
                 qPrintable(label->text()));
    }
    const QList<QLabel*> oneLine{w.lblLabel(1), w.lblLabel(3), w.lblLabel(4), w.lblLabel(5)};
    for (const QLabel* label : oneLine) {
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
        QVERIFY(label->fontMetrics().height() <= label->height());
    }
    for (const QPushButton* button : {w.cmdProceed(), w.cmdBack()}) {
        const QString shown = QString(button->text()).remove('&');
        QVERIFY(button->fontMetrics().horizontalAdvance(shown) + 8 <= button->width());
    }
    // A result label widens to the right for a caption longer than its drawn width.
    harness.enterNames("Mary", "Ramesh", "Susan");
    w.Proceed();
    for (std::size_t index = 0; index < 5; ++index) {
        const QLabel* label = w.lblResult(index);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
        QCOMPARE(label->x(), 8);
    }
    QVERIFY(w.lblResult(3)->width() > FromTwips(0, 0, 2145, 0).width());
}

void FrmMainTest::fontsAndColours() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    const QString family = kindrell::widgets::uiFontFamily();
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             w.txtName(0), w.txtResult(0), w.lblLabel(0), w.label14(), w.lblCobrand()}) {
        QCOMPARE(control->font().family(), family);
        QCOMPARE(control->font().pointSizeF(), 8.25);
        QVERIFY(!control->font().bold());
    }
    for (const QWidget* control :
         std::initializer_list<const QWidget*>{w.cmdProceed(), w.cmdBack(), w.frame1(),
                                               w.fraResult(), w.lblResult(0), w.lblResult(4)}) {
        QVERIFY(control->font().bold());
    }
    const QColor yellowGreen(188, 224, 46);
    const QColor darkGrey(64, 64, 64);
    QCOMPARE(w.lblLabel(4)->palette().color(QPalette::WindowText), yellowGreen);
    QCOMPARE(w.lblResult(2)->palette().color(QPalette::WindowText), yellowGreen);
    QCOMPARE(w.txtName(1)->palette().color(QPalette::Base), darkGrey);
    QCOMPARE(w.txtName(1)->palette().color(QPalette::Text), yellowGreen);
    QCOMPARE(w.txtResult(1)->palette().color(QPalette::Base), darkGrey);
    QCOMPARE(w.txtResult(1)->palette().color(QPalette::Text), QColor(Qt::yellow));
    QCOMPARE(w.frame1()->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    QCOMPARE(w.fraResult()->palette().color(QPalette::WindowText), QColor(Qt::cyan));
    QCOMPARE(w.centralWidget()->palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(w.label14()->palette().color(QPalette::WindowText), QColor(Qt::white));
    for (const QLabel* link : {w.label14(), w.lblCobrand(), w.lblFullBrand()}) {
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    }
}

void FrmMainTest::accessibleNames() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    const QList<QPair<QWidget*, QString>> expected{
        {w.txtName(0), "Enter Child's Chosen Name"},
        {w.txtName(1), "Enter Child's Father Name"},
        {w.txtName(2), "Enter Child's Mother Name"},
        {w.txtResult(0), "Child Destiny"},
        {w.txtResult(1), "Mother Destiny"},
        {w.txtResult(2), "Father Destiny"},
        {w.cmdProceed(), "Get My Kindrell Reading"},
        {w.cmdBack(), "Do It Once Again"},
        {w.frame1(), "Name Details"},
        {w.fraResult(), "QL Kindrell Result"},
        {w.lblResult(0), "Child Destiny: "},
        {w.lblFullBrand(), w.lblFullBrand()->text()},
    };
    for (const auto& [control, name] : expected) {
        QCOMPARE(AccessibleName(control), name);
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
    frmMain& w = *harness.window;
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
    for (const QStringList& reading : readings) {
        harness.enterNames(reading[0], reading[1], reading[2]);
        w.cmdProceed()->setFocus();
        QTest::mouseClick(w.cmdProceed(), Qt::LeftButton);
        QVERIFY(harness.messages.shown.isEmpty());
        for (std::size_t index = 0; index < 5; ++index) {
            const QString& shown = reading[static_cast<qsizetype>(index) + 3];
            QCOMPARE(w.lblResult(index)->text(), shown);
            QCOMPARE(AccessibleName(w.lblResult(index)), shown);
        }
    }
}

void FrmMainTest::loadShowsTheEntryView() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    QCOMPARE(w.frontView(), w.fraMain());
    QCOMPARE(InFront(w.centralWidget(), QPoint(300, 200)), w.fraMain());
    // Neither view is ever hidden or disabled.
    for (QWidget* view :
         {static_cast<QWidget*>(w.fraMain()), static_cast<QWidget*>(w.fraResult())}) {
        QVERIFY(view->isVisible());
        QVERIFY(view->isEnabled());
    }
    QCOMPARE(w.fraMain()->geometry(), w.fraResult()->geometry());
    for (std::size_t index = 0; index < 3; ++index) {
        QVERIFY(w.txtName(index)->text().isEmpty());
        QVERIFY(w.txtResult(index)->text().isEmpty());
    }
    QCOMPARE(w.lblResult(0)->text(), QStringLiteral("Child Destiny: "));
    QCOMPARE(w.lblResult(1)->text(), QStringLiteral("Mother Destiny: "));
    QCOMPARE(w.lblResult(2)->text(), QStringLiteral("Father Destiny: "));
    QCOMPARE(w.lblResult(3)->text(), QStringLiteral("Not Harmonious At All"));
    QCOMPARE(w.lblResult(4)->text(), QStringLiteral("Not Harmonious At All"));
    QCOMPARE(w.label14()->text(), "The Most Popular Online Mystic Discussion Forum. Click Here To "
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
    w.cmdProceed()->setFocus();
    QTest::mouseClick(w.cmdProceed(), Qt::LeftButton);

    QVERIFY(harness.messages.shown.isEmpty());
    QCOMPARE(w.lblResult(0)->text(), QStringLiteral("Child Destiny: %1").arg(childNumber));
    QCOMPARE(w.lblResult(1)->text(), QStringLiteral("Mother Destiny: %1").arg(motherNumber));
    QCOMPARE(w.lblResult(2)->text(), QStringLiteral("Father Destiny: %1").arg(fatherNumber));
    QCOMPARE(w.lblResult(3)->text(), motherLine);
    QCOMPARE(w.lblResult(4)->text(), fatherLine);
    QCOMPARE(w.txtResult(0)->text(), Description(childNumber));
    QCOMPARE(w.txtResult(1)->text(), Description(motherNumber));
    QCOMPARE(w.txtResult(2)->text(), Description(fatherNumber));
    // One empty line between paragraphs, no carriage returns shown.
    QVERIFY(w.txtResult(0)->text().contains(QStringLiteral("\n\n")));
    QVERIFY(!w.txtResult(0)->text().contains(QLatin1Char('\r')));
    QCOMPARE(w.txtResult(0)->document()->blockCount(), w.txtResult(0)->text().count('\n') + 1);

    QCOMPARE(w.frontView(), w.fraResult());
    QCOMPARE(InFront(w.centralWidget(), QPoint(300, 200)), w.fraResult());
    // The focus stays on the button, now behind the result view; the names stay.
    QCOMPARE(QApplication::focusWidget(), w.cmdProceed());
    QCOMPARE(w.txtName(0)->text(), child);
}

void FrmMainTest::proceedWithBlankNamesShowsNothing() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    w.cmdProceed()->setFocus();
    QTest::keyClick(w.cmdProceed(), Qt::Key_Space);
    QCOMPARE(harness.messages.texts(), QStringList{"Please Enter Child's Name"});
    QCOMPARE(w.frontView(), w.fraMain());
    QCOMPARE(w.lblResult(0)->text(), QStringLiteral("Child Destiny: "));
    QCOMPARE(harness.clipboard.clears, 0);
}

void FrmMainTest::workingTooltips() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    harness.enterNames("Mary", "John", "Zoe");
    w.Proceed();
    QCOMPARE(w.lblResult(0)->toolTip(), QString::fromUtf8("M 4 + A 1 + R 9 + Y 7 = 21 \u2192 3"));
    QCOMPARE(w.lblResult(1)->toolTip(),
             QString::fromUtf8("Z 8 + O 6 + E 5 = 19 \u2192 10 \u2192 1"));
    QCOMPARE(w.lblResult(2)->toolTip(), QString::fromUtf8("J 1 + O 6 + H 8 + N 5 = 20 \u2192 2"));
}

void FrmMainTest::longNameTooltipIsElidedAndLayoutStays() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QList<QRect> before;
    for (QWidget* control : w.centralWidget()->findChildren<QWidget*>()) {
        before << control->geometry();
    }
    const QRect label0 = w.lblResult(0)->geometry();
    // 2000 letters A: letter sum 2000, destiny number 2.
    harness.enterNames(QString(2000, 'A'), "John", "Zoe");
    w.Proceed();
    const QString tip = w.lblResult(0)->toolTip();
    QVERIFY(QFontMetrics(QToolTip::font()).horizontalAdvance(tip) <= 600);
    QVERIFY(tip.startsWith(QStringLiteral("A 1 + A 1")));
    QVERIFY2(tip.endsWith(QString::fromUtf8("= 2000 \u2192 2")), qPrintable(tip));
    QCOMPARE(w.lblResult(0)->text(), QStringLiteral("Child Destiny: 2"));
    QCOMPARE(w.lblResult(0)->geometry().topLeft(), label0.topLeft());
    QCOMPARE(w.lblResult(0)->height(), label0.height());
    QCOMPARE(w.centralWidget()->size(), QSize(587, 381));
}

void FrmMainTest::doItOnceAgain() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    harness.enterNames("Mary", "John", "Zoe");
    w.Proceed();
    const QString description = w.txtResult(1)->text();
    w.cmdBack()->setFocus();
    QTest::keyClick(w.cmdBack(), Qt::Key_Space);

    for (std::size_t index = 0; index < 3; ++index) {
        QVERIFY(w.txtName(index)->text().isEmpty());
    }
    QCOMPARE(QApplication::focusWidget(), w.txtName(0));
    QCOMPARE(w.frontView(), w.fraMain());
    // The last reading stays behind the entry view.
    QCOMPARE(w.lblResult(1)->text(), QStringLiteral("Mother Destiny: 1"));
    QCOMPARE(w.txtResult(1)->text(), description);
    QVERIFY(!description.isEmpty());

    // From the entry view too: the covered button still takes the keyboard.
    w.txtName(1)->setText("John");
    w.cmdBack()->setFocus();
    QTest::keyClick(w.cmdBack(), Qt::Key_Space);
    QVERIFY(w.txtName(1)->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), w.txtName(0));
    QCOMPARE(w.frontView(), w.fraMain());
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
        QCOMPARE(w.frontView(), w.fraResult());
    }
    const QList<QWidget*> expected{w.txtName(0),   w.txtName(1),   w.txtName(2),
                                   w.cmdProceed(), w.cmdBack(),    w.txtResult(0),
                                   w.txtResult(1), w.txtResult(2), w.txtName(0)};
    w.txtName(0)->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), w.txtName(0));
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
        ResultBox* box = w.txtResult(index);
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(box->focusPolicy() & Qt::TabFocus);
    }
    harness.enterNames("Mary", "John", "Zoe");
    w.Proceed();
    ResultBox* box = w.txtResult(0);
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
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    w.fraResult()->raise();
    for (std::size_t index = 0; index < 3; ++index) {
        ResultBox* box = w.txtResult(index);
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
    QCOMPARE(Captions(bar->actions(), true), (QStringList{"&File", "&Help", "&Donate"}));
    QCOMPARE(w.mnuFile()->title(), QStringLiteral("&File"));
    QCOMPARE(w.mnuHelp()->title(), QStringLiteral("&Help"));
    QCOMPARE(w.mnuDonate()->menu(), nullptr);
    QVERIFY(w.mnuDonate()->isVisible());
    QCOMPARE(Captions(w.mnuFile()->actions(), true), QStringList{"E&xit"});
    QCOMPARE(Captions(w.mnuHelp()->actions(), true),
             (QStringList{"&Online Help", "&Visit Us Online", "-", "Check for Software &Update",
                          "-", "&About Software"}));
    // Switched off and out of sight.
    for (QAction* hidden : {w.mnuMakeMoney(), w.mnuCalculate(), w.mnuSep1()}) {
        QVERIFY(!hidden->isVisible());
        QVERIFY(!hidden->isEnabled());
    }
    QCOMPARE(w.mnuMakeMoney()->text(), QStringLiteral("Make Money &Online"));
    QVERIFY(bar->actionGeometry(w.mnuMakeMoney()).isEmpty());
    QVERIFY(!bar->actionGeometry(w.mnuDonate()).isEmpty());
    QVERIFY(w.mnuSep1()->isSeparator());
    // No entry has a shortcut key.
    QList<QAction*> all = bar->actions() + w.mnuFile()->actions() + w.mnuHelp()->actions();
    for (const QAction* action : all) {
        QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
    }
    // A click on Donate opens its page at once, with no drop-down.
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(w.mnuDonate()).center());
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
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    const QHash<QString, QLabel*> labels{{"Label14", w.label14()},
                                         {"lblCobrand", w.lblCobrand()},
                                         {"lblFullBrand", w.lblFullBrand()}};
    const QHash<QString, QAction*> actions{{"mnuOnline", w.mnuOnline()},
                                           {"mnuVisit", w.mnuVisit()},
                                           {"mnuUpdate", w.mnuUpdate()},
                                           {"mnuDonate", w.mnuDonate()}};
    for (int time = 1; time <= 2; ++time) {
        if (QLabel* label = labels.value(trigger)) {
            label->raise(); // the promotional labels are clicked where they show
            QTest::mouseClick(label, Qt::LeftButton);
        } else {
            QVERIFY(actions.contains(trigger));
            actions.value(trigger)->trigger();
        }
        // Each choice opens its page once more: nothing is remembered.
        QCOMPARE(harness.links.opened, QStringList(time, address));
    }
    QVERIFY(!address.endsWith('/'));
    QVERIFY(harness.messages.shown.isEmpty());
}

void FrmMainTest::promotionalLabels() {
    MainWindowHarness harness;
    frmMain& w = *harness.window;
    QVERIFY(harness.showActive());
    QLabel* cobrand = w.lblCobrand();
    QLabel* fullBrand = w.lblFullBrand();
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
    QWidget* area = w.fraFullBrand();
    const QPoint middle = cobrand->geometry().center();
    for (QLabel* front : {cobrand, fullBrand, cobrand}) {
        front->raise();
        QCOMPARE(w.frontPromotionalLabel(), front);
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
        window->mnuExit()->trigger();
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
