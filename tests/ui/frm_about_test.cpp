// The about box: its contents and layout, its two links, and its closing by
// OK, Enter and Escape when shown from the main window's Help menu.

#include "main_window_harness.h"
#include "ui/frm_about.h"

#include <QAction>
#include <QFrame>
#include <QTimer>
#include <QtTest>

using kindrell::ui::frmAbout;
using kindrell::ui::test::MainWindowHarness;

namespace {

QRect FromTwips(int left, int top, int width, int height) {
    return QRect(qRound(left / 15.0), qRound(top / 15.0), qRound(width / 15.0),
                 qRound(height / 15.0));
}

const QString kHome = QStringLiteral("http://" KINDRELL_TEST_HOME_HOST);
const QString kHelp = QStringLiteral("http://" KINDRELL_TEST_HELP_HOST);

struct Seen {
    QString title;
    QStringList texts;
    bool modal = false;
    bool isAbout = false;
    bool stayedOpen = false;
};

// Runs once the about box is up: records what it shows and closes it with key.
void CloseWith(Seen& seen, int key) {
    QTimer::singleShot(0, [&seen, key] {
        auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        seen.isAbout = about != nullptr;
        if (about == nullptr) {
            return;
        }
        seen.title = about->windowTitle();
        seen.modal = about->windowModality() == Qt::ApplicationModal;
        for (const QLabel* label : about->findChildren<QLabel*>()) {
            seen.texts << label->text();
        }
        if (key == 0) {
            QTest::mouseClick(about->cmdOK(), Qt::LeftButton);
            return;
        }
        // To the box's focus widget, as the keyboard would once the box is active.
        QWidget* focus = QApplication::focusWidget();
        QWidget* target = focus != nullptr && about->isAncestorOf(focus) ? focus : about;
        QTest::keyClick(target, static_cast<Qt::Key>(key));
        if (about->isVisible()) {
            seen.stayedOpen = true;
            about->done(QDialog::Rejected); // so that a failing test ends
        }
    });
}

} // namespace

class FrmAboutTest : public QObject {
    Q_OBJECT

  private slots:
    void contents();
    void layout();
    void links_data();
    void links();
    void closing_data();
    void closing();
    void eachShowingStartsAfresh();
};

void FrmAboutTest::contents() {
    kindrell::platform::FakeLinkOpener links;
    kindrell::weblinks::modHelp help(links);
    frmAbout about(help);
    QCOMPARE(about.windowTitle(), QStringLiteral("QL Kindrell v1.0"));
    QCOMPARE(about.label2()->text(), QStringLiteral("QL Kindrell v1.0"));
    QCOMPARE(about.label1()->text(),
             QStringLiteral("QL Kindrell helps analyze the compatibility between a child and its "
                            "parents on the basis of numerology. This software is based on "
                            "analyzing the child's name based on the different characteristics "
                            "represented by the different letters and vowels."));
    QCOMPARE(about.lblHomePage()->text(), QStringLiteral("Click here to visit ") + kHome);
    QCOMPARE(about.label3()->text(),
             QStringLiteral("Home Business Opportunity. Start your own Internet business and "
                            "make money online. Get this software fully branded for your "
                            "website."));
    QCOMPARE(about.lblCoBrand()->text(), QStringLiteral("Click here for more details"));
    QCOMPARE(about.cmdOK()->text(), QStringLiteral("OK"));
    QVERIFY(about.cmdOK()->isDefault());
    QVERIFY(about.cmdOK()->font().bold());
    QVERIFY(about.label2()->font().bold());
    QCOMPARE(about.label2()->font().pointSizeF(), 12.0);
    QVERIFY(about.label3()->font().bold());
    QCOMPARE(about.label2()->palette().color(QPalette::WindowText), QColor(192, 192, 192));
    QCOMPARE(about.label1()->palette().color(QPalette::WindowText), QColor(Qt::yellow));
    QCOMPARE(about.lblHomePage()->palette().color(QPalette::WindowText), QColor(188, 224, 46));
    QCOMPARE(about.palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(about.lblHomePage()->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(about.lblCoBrand()->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(about.line2()->palette().color(QPalette::Window), QColor(Qt::white));
    // The program's own icon, as its 32 x 32 picture.
    QCOMPARE(about.picIcon()->pixmap().size(), QSize(32, 32));
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
}

void FrmAboutTest::layout() {
    kindrell::platform::FakeLinkOpener links;
    kindrell::weblinks::modHelp help(links);
    frmAbout about(help);
    QCOMPARE(about.size(), QSize(477, 211));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QCOMPARE(about.picIcon()->geometry(), FromTwips(90, 120, 480, 480));
    QCOMPARE(about.label2()->geometry(), FromTwips(750, 120, 5370, 270));
    QCOMPARE(about.label1()->geometry(), FromTwips(750, 390, 6225, 975));
    QCOMPARE(about.label3()->geometry(), FromTwips(90, 1800, 6885, 435));
    QCOMPARE(about.cmdOK()->geometry(), FromTwips(5835, 2760, 1260, 345));
    QCOMPARE(about.line2()->geometry(), QRect(0, 178, 477, 1));
    // The link ends where it is drawn to end; a long address grows it leftwards.
    const QRect homePage = FromTwips(2925, 1365, 4050, 195);
    QCOMPARE(about.lblHomePage()->geometry().right(), homePage.right());
    QCOMPARE(about.lblHomePage()->y(), homePage.y());
    QVERIFY(about.lblHomePage()->x() <= homePage.x());
    QCOMPARE(about.lblCoBrand()->geometry(), FromTwips(4680, 2235, 2295, 195));
    // Every caption is readable in the face in use.
    for (const QLabel* label : {about.label1(), about.label3()}) {
        const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000),
                                                               Qt::TextWordWrap, label->text());
        QVERIFY2(needed.height() <= label->height(), qPrintable(label->text()));
    }
    for (const QLabel* label : {about.label2(), about.lblHomePage(), about.lblCoBrand()}) {
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
    }
}

void FrmAboutTest::links_data() {
    QTest::addColumn<bool>("homePage");
    QTest::addColumn<QString>("address");
    QTest::newRow("lblHomePage: home page") << true << kHome;
    QTest::newRow("lblCoBrand: fully branded") << false << kHelp + "/fully-branded.html";
}

void FrmAboutTest::links() {
    QFETCH(bool, homePage);
    QFETCH(QString, address);
    kindrell::platform::FakeLinkOpener links;
    kindrell::weblinks::modHelp help(links);
    frmAbout about(help);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(homePage ? about.lblHomePage() : about.lblCoBrand(), Qt::LeftButton);
    QCOMPARE(links.opened, QStringList{address});
    // A link leaves the box open.
    QVERIFY(about.isVisible());
}

void FrmAboutTest::closing_data() {
    QTest::addColumn<int>("key"); // 0: a click on OK
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("OK") << 0;
}

void FrmAboutTest::closing() {
    QFETCH(int, key);
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    Seen seen;
    CloseWith(seen, key);
    // Returns only once the box has been closed.
    harness.find<QAction>("mnuAbout")->trigger();
    QVERIFY(seen.isAbout);
    QVERIFY(!seen.stayedOpen);
    QVERIFY(seen.modal);
    QCOMPARE(seen.title, QStringLiteral("QL Kindrell v1.0"));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    // Unloaded on close.
    QCOMPARE(harness.window->findChildren<frmAbout*>().size(), 0);
    QVERIFY(harness.links.opened.isEmpty());
}

void FrmAboutTest::eachShowingStartsAfresh() {
    MainWindowHarness harness;
    QVERIFY(harness.showActive());
    Seen first;
    CloseWith(first, Qt::Key_Escape);
    harness.window->ShowAbout();
    Seen second;
    CloseWith(second, Qt::Key_Escape);
    harness.window->ShowAbout();
    QVERIFY(first.isAbout && second.isAbout);
    QVERIFY(!first.stayedOpen && !second.stayedOpen);
    QVERIFY(first.texts.contains(QStringLiteral("Click here for more details")));
    QCOMPARE(second.texts, first.texts);
}

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
