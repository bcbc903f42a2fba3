// The exit support dialog: layout, watermarks, the e-mail space filter, its
// links, the promotional draw and both ways out.

#include "outreach/frm_nag_screen2.h"
#include "outreach/watermark_box.h"
#include "tests/support/platform_fakes.h"
#include "weblinks/mod_help.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextLayout>
#include <QUrl>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using kindrell::outreach::CatalogueText;
using kindrell::outreach::frmNagScreen2;
using kindrell::outreach::MultiLineText;
using kindrell::outreach::PromotionalDraw;
using kindrell::outreach::PromotionalText;
using kindrell::outreach::SetMultiLineText;
using kindrell::outreach::TextOnFocusGained;
using kindrell::outreach::TextOnFocusLost;
using kindrell::weblinks::HomeHost;
using kindrell::weblinks::Link;
using kindrell::weblinks::LinkAddress;
using kindrell::weblinks::modHelp;
using kindrell::weblinks::SiteName;
using namespace kindrell::platform;

namespace {

// Records whether the dialog was already on screen when it was placed above
// the others: the placement belongs to loading, before the first show.
class RecordingPlacement final : public WindowPlacement {
  public:
    void keepAboveOthers(QWidget& window) override {
        windows << &window;
        shownAtCall << window.isVisible();
    }
    QVector<QWidget*> windows;
    QVector<bool> shownAtCall;
};

struct Rig {
    FakeMessageBoxes messages;
    FakeRandom random;
    RecordingPlacement placement;
    FakeLinkOpener opener;
    modHelp help{opener};
    int shutdowns = 0;
    std::function<void()> onShutdown; // extra work done by shutdown, if any
    std::unique_ptr<frmNagScreen2> dialog;

    explicit Rig(std::deque<double> draws = {0.0}) {
        random.values = std::move(draws);
        dialog = std::make_unique<frmNagScreen2>(messages, random, placement, help, [this] {
            ++shutdowns;
            if (onShutdown) {
                onShutdown();
            }
        });
    }

    template <typename T> T* control(const char* name) const {
        auto* found = dialog->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            qFatal("no control %s", name);
        }
        return found;
    }

    bool showActive() {
        dialog->show();
        dialog->activateWindow();
        return QTest::qWaitForWindowActive(dialog.get());
    }
};

QString BoxText(QWidget* box) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        return line->text();
    }
    return MultiLineText(*qobject_cast<QPlainTextEdit*>(box));
}

void SetBoxText(QWidget* box, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->setText(text);
    } else {
        SetMultiLineText(*qobject_cast<QPlainTextEdit*>(box), text);
    }
}

constexpr int Px(int twips) {
    return (twips + 7) / 15;
}

} // namespace

class NagScreenTest : public QObject {
    Q_OBJECT

  private slots:
    void watermarkRule_data();
    void watermarkRule();
    void watermarkOnFocusMoves_data();
    void watermarkOnFocusMoves();
    void messageBoxBecomesWatermarkWithoutLineBreak();
    void typedSpace_data();
    void typedSpace();
    void pastedSpaceGetsIn();
    void check1OpensHomePageOncePerTick();
    void lblGoToHomeOpensCatalogue();
    void submitThroughTheForm();
    void promotionalDraw_data();
    void promotionalDraw();
    void promotionalTextsNameTheSite_data();
    void promotionalTextsNameTheSite();
    void catalogueText();
    void window();
    void geometry_data();
    void geometry();
    void looks();
    void textsFit_data();
    void textsFit();
    void focusOrder();
    void exitButtonCallsShutdownOnce();
    void closeCallsShutdownOncePerClose();
    void keptAboveOthersAtLoad();
};

void NagScreenTest::watermarkRule_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("emptiedOnGain");
    QTest::addColumn<bool>("watermarkedOnLeave");
    const QString w = QStringLiteral("Your Name");
    QTest::newRow("watermark") << w << true << false;
    QTest::newRow("spaces around watermark") << "   Your Name  " << true << false;
    QTest::newRow("other letter case") << "your name" << false << false;
    QTest::newRow("tab before watermark") << "\tYour Name" << false << false;
    QTest::newRow("watermark with CR LF") << "Your Name\r\n" << false << false;
    QTest::newRow("inner space differs") << "Your  Name" << false << false;
    QTest::newRow("empty") << "" << false << true;
    QTest::newRow("spaces only") << "    " << false << true;
    QTest::newRow("CR LF only") << "\r\n" << false << false;
    QTest::newRow("tab only") << "\t" << false << false;
    QTest::newRow("no-break space") << QString(QChar(0xA0)) << false << false;
    QTest::newRow("a letter between spaces") << "  x  " << false << false;
}

void NagScreenTest::watermarkRule() {
    QFETCH(QString, text);
    QFETCH(bool, emptiedOnGain);
    QFETCH(bool, watermarkedOnLeave);
    const QString w = QStringLiteral("Your Name");
    QCOMPARE(TextOnFocusGained(text, w),
             emptiedOnGain ? std::optional<QString>(QString()) : std::nullopt);
    QCOMPARE(TextOnFocusLost(text, w),
             watermarkedOnLeave ? std::optional<QString>(w) : std::nullopt);
}

void NagScreenTest::watermarkOnFocusMoves_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");      // the text as the focus arrives
    QTest::addColumn<QString>("afterGain");   // the text once the box has the focus
    QTest::addColumn<QString>("whenLeaving"); // the text as the focus leaves
    QTest::addColumn<QString>("afterLeave");

    QTest::newRow("name: watermark with spaces") << "txtName"
                                                 << "  Your Name "
                                                 << ""
                                                 << ""
                                                 << "Your Name";
    QTest::newRow("name: other letter case") << "txtName"
                                             << "YOUR NAME"
                                             << "YOUR NAME"
                                             << "YOUR NAME"
                                             << "YOUR NAME";
    QTest::newRow("name: spaces only on leaving") << "txtName"
                                                  << "Your Name"
                                                  << ""
                                                  << "     "
                                                  << "Your Name";
    QTest::newRow("name: a character stays") << "txtName"
                                             << "Your Name"
                                             << ""
                                             << " . "
                                             << " . ";
    QTest::newRow("e-mail: watermark") << "txtEmail"
                                       << "Your Email Address"
                                       << ""
                                       << ""
                                       << "Your Email Address";
    QTest::newRow("friend's name: tab kept") << "txtFriendName"
                                             << "Friend's Name"
                                             << ""
                                             << "\t"
                                             << "\t";
    QTest::newRow("friend's e-mail: watermark") << "txtFriendEmail"
                                                << "Friend's Email Address"
                                                << ""
                                                << "  "
                                                << "Friend's Email Address";
    QTest::newRow("message: initial text kept") << "txtMessage"
                                                << "Your Message\r\n"
                                                << "Your Message\r\n"
                                                << "Your Message\r\n"
                                                << "Your Message\r\n";
    QTest::newRow("message: watermark emptied") << "txtMessage"
                                                << " Your Message"
                                                << ""
                                                << "   "
                                                << "Your Message";
}

void NagScreenTest::watermarkOnFocusMoves() {
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(QString, afterGain);
    QFETCH(QString, whenLeaving);
    QFETCH(QString, afterLeave);

    Rig rig;
    QVERIFY(rig.showActive());
    auto* target = rig.control<QWidget>(box.toLatin1().constData());
    SetBoxText(target, before);
    target->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(target->hasFocus());
    QCOMPARE(BoxText(target), afterGain);
    SetBoxText(target, whenLeaving);
    rig.control<QPushButton>("cmdClose")->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!target->hasFocus());
    QCOMPARE(BoxText(target), afterLeave);
}

void NagScreenTest::messageBoxBecomesWatermarkWithoutLineBreak() {
    Rig rig;
    QVERIFY(rig.showActive());
    auto* message = rig.control<QPlainTextEdit>("txtMessage");
    QCOMPARE(MultiLineText(*message), QStringLiteral("Your Message\r\n"));
    QCOMPARE(MultiLineText(*message).size(), 14);

    // Reached with the Tab key only, from the friend's name.
    auto* friendName = rig.control<QLineEdit>("txtFriendName");
    friendName->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(friendName->hasFocus());
    QTest::keyClick(friendName, Qt::Key_Tab);
    QTRY_VERIFY(message->hasFocus());
    QCOMPARE(MultiLineText(*message), QStringLiteral("Your Message\r\n"));

    QTest::keyClick(message, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(message, Qt::Key_Delete);
    QCOMPARE(MultiLineText(*message), QString());
    QTest::keyClick(message, Qt::Key_Tab);
    QTRY_VERIFY(!message->hasFocus());
    QCOMPARE(MultiLineText(*message), QStringLiteral("Your Message"));
    QCOMPARE(rig.dialog->focusWidget(), rig.control<QWidget>("cmdClose"));
}

void NagScreenTest::typedSpace_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("messages");
    QTest::newRow("sender's e-mail") << "txtEmail"
                                     << "ab" << 1;
    QTest::newRow("friend's e-mail") << "txtFriendEmail"
                                     << "ab" << 1;
    QTest::newRow("names take spaces") << "txtName"
                                       << "a b" << 0;
}

void NagScreenTest::typedSpace() {
    QFETCH(QString, box);
    QFETCH(QString, expected);
    QFETCH(int, messages);

    Rig rig;
    QVERIFY(rig.showActive());
    auto* target = rig.control<QLineEdit>(box.toLatin1().constData());
    target->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(target->hasFocus());
    QCOMPARE(target->text(), QString()); // the watermark went on arrival

    bool focusedWhileShown = false;
    rig.messages.onShow = [&](const ShownMessage&) { focusedWhileShown = target->hasFocus(); };
    QTest::keyClick(target, Qt::Key_A);
    QTest::keyClick(target, Qt::Key_Space);
    QTest::keyClick(target, Qt::Key_B);

    QCOMPARE(target->text(), expected);
    QCOMPARE(rig.messages.shown.size(), messages);
    if (messages > 0) {
        const auto& shown = rig.messages.shown.front();
        QCOMPARE(shown.text, QStringLiteral("Email Address Cannot Contain Space"));
        QCOMPARE(shown.icon, MessageIcon::Error);
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        QVERIFY(focusedWhileShown);
    }
    QVERIFY(target->hasFocus());
}

void NagScreenTest::pastedSpaceGetsIn() {
    Rig rig;
    QVERIFY(rig.showActive());
    for (const char* name : {"txtEmail", "txtFriendEmail"}) {
        auto* box = rig.control<QLineEdit>(name);
        box->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(box->hasFocus());
        box->insert(QStringLiteral("a b@c.d "));
        QCOMPARE(box->text(), QStringLiteral("a b@c.d "));
    }
    QVERIFY(rig.messages.shown.isEmpty());
}

void NagScreenTest::check1OpensHomePageOncePerTick() {
    Rig rig;
    QVERIFY(rig.showActive());
    auto* check = rig.control<QCheckBox>("Check1");
    QVERIFY(!check->isChecked());

    QTest::mouseClick(check, Qt::LeftButton);
    QCOMPARE(rig.opener.opened, QStringList{LinkAddress(Link::HomePage)});
    QVERIFY(!check->isChecked());

    QTest::mouseClick(check, Qt::LeftButton);
    QCOMPARE(rig.opener.opened,
             (QStringList{LinkAddress(Link::HomePage), LinkAddress(Link::HomePage)}));
    QVERIFY(!check->isChecked());

    // The keyboard ticks it the same way.
    check->setFocus(Qt::TabFocusReason);
    QTest::keyClick(check, Qt::Key_Space);
    QCOMPARE(rig.opener.opened.size(), 3);
    QVERIFY(!check->isChecked());
    QVERIFY(rig.messages.shown.isEmpty());
}

void NagScreenTest::lblGoToHomeOpensCatalogue() {
    Rig rig;
    QVERIFY(rig.showActive());
    auto* label = rig.control<QLabel>("lblGoToHome");
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(rig.opener.opened,
             QStringList{QStringLiteral("http://" KINDRELL_TEST_HOME_HOST "/quillorasoftwares")});
    QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    // A click elsewhere in the frame opens nothing.
    QTest::mouseClick(rig.control<QLabel>("Label3"), Qt::LeftButton);
    QCOMPARE(rig.opener.opened.size(), 1);
}

void NagScreenTest::submitThroughTheForm() {
    Rig rig;
    QVERIFY(rig.showActive());
    auto* submit = rig.control<QPushButton>("cmdSubmit");

    // Untouched: the two e-mail watermarks differ and hold no "@".
    QTest::mouseClick(submit, Qt::LeftButton);
    QCOMPARE(rig.messages.texts(),
             QStringList{QStringLiteral("Please Enter Proper Email Address")});
    QVERIFY(rig.opener.opened.isEmpty());

    rig.control<QLineEdit>("txtName")->setText(QStringLiteral("  Ann Lee "));
    rig.control<QLineEdit>("txtEmail")->setText(QStringLiteral("ann@m.example"));
    rig.control<QLineEdit>("txtFriendName")->setText(QStringLiteral("Bob"));
    rig.control<QLineEdit>("txtFriendEmail")->setText(QStringLiteral("bob@m.example"));
    // An access key clicks its button after a short press animation.
    QTest::keyClick(rig.dialog.get(), Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(rig.opener.opened.size(), 1);
    QCOMPARE(rig.messages.shown.size(), 1);

    const QUrl url(rig.opener.opened.front());
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue(QStringLiteral("taf1"), QUrl::FullyDecoded),
             QStringLiteral("Ann Lee"));
    QCOMPARE(query.queryItemValue(QStringLiteral("taf3"), QUrl::FullyDecoded),
             QStringLiteral("Your Message\r\n"));
    QCOMPARE(rig.dialog->tellAFriend().values().message, QStringLiteral("Your Message\r\n"));

    // The fields keep their texts; a second click sends the same request again.
    QCOMPARE(rig.control<QLineEdit>("txtName")->text(), QStringLiteral("  Ann Lee "));
    QTest::mouseClick(submit, Qt::LeftButton);
    QCOMPARE(rig.opener.opened.size(), 2);
    QCOMPARE(rig.opener.opened.at(1), rig.opener.opened.at(0));
}

void NagScreenTest::promotionalDraw_data() {
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("index");
    QTest::newRow("0.0") << 0.0 << 0;
    QTest::newRow("0.2499") << 0.2499 << 0;
    QTest::newRow("0.25") << 0.25 << 1;
    QTest::newRow("0.5") << 0.5 << 2;
    QTest::newRow("0.75") << 0.75 << 3;
    QTest::newRow("0.999") << 0.999 << 3;
    QTest::newRow("1.0 out of range") << 1.0 << 3;
}

void NagScreenTest::promotionalDraw() {
    QFETCH(double, r);
    QFETCH(int, index);
    QCOMPARE(PromotionalDraw(r), index);

    Rig rig({r, 0.9});
    QCOMPARE(rig.random.seeds, 1);
    QCOMPARE(rig.random.draws, 1);
    QCOMPARE(rig.control<QLabel>("Label2")->text(), PromotionalText(index));
}

void NagScreenTest::promotionalTextsNameTheSite_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("siteNames");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("ending");
    const QString site = SiteName();
    QTest::newRow("0") << 0 << 1 << QStringLiteral("Quillora Softwares, such as this")
                       << QStringLiteral("activities on the board.");
    QTest::newRow("1") << 1 << 3 << QStringLiteral("Visit ") + site + QStringLiteral(" regularly.")
                       << QStringLiteral("regularly visiting ") + site;
    QTest::newRow("2") << 2 << 2 << site + QStringLiteral(" is a FREE online")
                       << QStringLiteral("visit Quillora regularly.");
    QTest::newRow("3") << 3 << 2 << site + QStringLiteral(" needs your help.")
                       << QStringLiteral("develop more Quillora Softwares.");
}

void NagScreenTest::promotionalTextsNameTheSite() {
    QFETCH(int, index);
    QFETCH(int, siteNames);
    QFETCH(QString, opening);
    QFETCH(QString, ending);
    const QString text = PromotionalText(index);
    QVERIFY(!SiteName().isEmpty());
    QCOMPARE(text.count(SiteName()), siteNames);
    QVERIFY2(text.startsWith(opening), qPrintable(text));
    QVERIFY2(text.endsWith(ending), qPrintable(text));
    QVERIFY(!text.contains(QLatin1String("  ")));
}

void NagScreenTest::catalogueText() {
    const QString text = CatalogueText();
    // The two paragraphs and the run of spaces between them, exactly as written.
    QCOMPARE(text.size(), 352 + 61 + 208);
    QCOMPARE(text.count(QChar(0x2019)), 1);
    QVERIFY(
        text.contains(QStringLiteral("the world") + QChar(0x2019) + QStringLiteral("s largest")));
    QVERIFY(!text.contains(QLatin1Char('\'')));
    const QString run(61, QLatin1Char(' '));
    const qsizetype runAt = text.indexOf(run);
    QVERIFY(runAt > 0);
    QVERIFY(!text.contains(run + QLatin1Char(' ')));
    QCOMPARE(text.mid(runAt - 10, 10), QStringLiteral("interests."));
    QCOMPARE(text.mid(runAt + 61, 16), QStringLiteral("All the programs"));
    QVERIFY(text.endsWith(QStringLiteral("friends and family. ")));
    QVERIFY(!text.endsWith(QStringLiteral("  ")));

    // The label shows it as typed, and its run of spaces pushes the second
    // paragraph onto a new line of the wrapped label.
    Rig rig;
    auto* label = rig.control<QLabel>("Label3");
    QCOMPARE(label->text(), text);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(label->wordWrap());
    QTextLayout layout(text, label->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QList<int> lineStarts;
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->width());
        lineStarts << line.textStart();
        height += line.height();
    }
    layout.endLayout();
    QVERIFY2(lineStarts.contains(int(runAt + 61)), "second paragraph does not start a line");
    QVERIFY2(height <= label->height(), qPrintable(QString::number(height)));
}

void NagScreenTest::window() {
    Rig rig;
    frmNagScreen2& dialog = *rig.dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("QL Kindrell v1.0"));
    QVERIFY(dialog.isWindow());
    QVERIFY(!dialog.windowIcon().isNull());
    QCOMPARE(rig.control<QLabel>("Picture1")->pixmap().size(), QSize(32, 32));
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(dialog.size(), QSize(741, 315));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(dialog.autoFillBackground());
    QVERIFY(rig.showActive());
    const QPoint offCentre = dialog.geometry().center() - dialog.screen()->geometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    QCOMPARE(QApplication::focusWidget(), rig.control<QWidget>("cmdClose"));
}

void NagScreenTest::geometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Picture1") << "Picture1"
                              << "frmNagScreen2" << QRect(360, 120, 540, 540);
    QTest::newRow("Label1") << "Label1"
                            << "frmNagScreen2" << QRect(1080, 240, 5115, 360);
    QTest::newRow("Label2") << "Label2"
                            << "frmNagScreen2" << QRect(120, 840, 6975, 1095);
    QTest::newRow("Check1") << "Check1"
                            << "frmNagScreen2" << QRect(30, 2040, 7185, 555);
    QTest::newRow("cmdClose") << "cmdClose"
                              << "frmNagScreen2" << QRect(6000, 2760, 1245, 375);
    QTest::newRow("Frame2") << "Frame2"
                            << "frmNagScreen2" << QRect(120, 3240, 7065, 1455);
    QTest::newRow("txtName") << "txtName"
                             << "Frame2" << QRect(85, 360, 3375, 285);
    QTest::newRow("txtEmail") << "txtEmail"
                              << "Frame2" << QRect(3600, 360, 3375, 285);
    QTest::newRow("txtFriendName") << "txtFriendName"
                                   << "Frame2" << QRect(85, 720, 3375, 285);
    QTest::newRow("txtFriendEmail") << "txtFriendEmail"
                                    << "Frame2" << QRect(3600, 720, 3375, 285);
    QTest::newRow("cmdSubmit") << "cmdSubmit"
                               << "Frame2" << QRect(1920, 1080, 3375, 285);
    QTest::newRow("txtMessage") << "txtMessage"
                                << "Frame2" << QRect(4800, 3600, 1815, 495);
    QTest::newRow("Frame6") << "Frame6"
                            << "frmNagScreen2" << QRect(7320, 120, 3735, 4575);
    QTest::newRow("Label3") << "Label3"
                            << "Frame6" << QRect(120, 360, 3495, 3855);
    QTest::newRow("lblGoToHome") << "lblGoToHome"
                                 << "Frame6" << QRect(75, 4250, 3585, 210);
}

void NagScreenTest::geometry() {
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    Rig rig;
    auto* widget = rig.control<QWidget>(name.toLatin1().constData());
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(),
             QRect(Px(twips.x()), Px(twips.y()), Px(twips.width()), Px(twips.height())));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible != nullptr);
    QVERIFY(!accessible->text(QAccessible::Name).isEmpty());
}

void NagScreenTest::looks() {
    Rig rig;
    QVERIFY(rig.showActive());
    auto* check = rig.control<QCheckBox>("Check1");
    QCOMPARE(check->text(),
             QStringLiteral("Click Here To Visit ") + HomeHost() + QStringLiteral(" Now"));
    QCOMPARE(check->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    QCOMPARE(check->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(check->font().pixelSize(), 19);

    // Verdana, or the face installed in its place.
    const QStringList verdanaLike{QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")};
    for (const char* name :
         {"Label2", "Check1", "Frame2", "cmdSubmit", "Frame6", "Label3", "lblGoToHome"}) {
        const QString family = QFontInfo(rig.control<QWidget>(name)->font()).family();
        QVERIFY2(verdanaLike.contains(family), qPrintable(QString::fromLatin1(name) + family));
    }
    QCOMPARE(rig.control<QWidget>("Label2")->font().pixelSize(), 13);
    QVERIFY(rig.control<QWidget>("Label2")->font().bold());
    QCOMPARE(rig.control<QWidget>("Label1")->font().pixelSize(), 18);
    QCOMPARE(rig.control<QLabel>("Label1")->text(), QStringLiteral("QL Kindrell v1.0"));
    QCOMPARE(rig.control<QWidget>("Label3")->font().pixelSize(), 12);
    QVERIFY(rig.control<QWidget>("lblGoToHome")->font().underline());
    QVERIFY(rig.control<QWidget>("lblGoToHome")->font().bold());

    for (const char* name : {"Frame2", "Frame6"}) {
        auto* frame = rig.control<QGroupBox>(name);
        QCOMPARE(frame->palette().color(QPalette::Window), QColor(0, 0, 128));
        QCOMPARE(frame->palette().color(QPalette::WindowText), QColor(Qt::white));
        QVERIFY(frame->autoFillBackground());
    }
    QCOMPARE(rig.control<QGroupBox>("Frame2")->title(), QStringLiteral("Refer A Friend"));
    QCOMPARE(rig.control<QGroupBox>("Frame6")->title(),
             QStringLiteral("Download Quillora Softwares"));
    QCOMPARE(rig.control<QLabel>("Label3")->palette().color(QPalette::WindowText),
             QColor(Qt::white));
    QCOMPARE(rig.control<QLabel>("lblGoToHome")->palette().color(QPalette::WindowText),
             QColor(255, 255, 0));
    QCOMPARE(rig.control<QLabel>("lblGoToHome")->text(),
             QStringLiteral("Click Here To Visit Quillora Softwares"));

    // The boxes inside the navy frame keep dark text on a light ground.
    for (const char* name : {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail"}) {
        auto* box = rig.control<QLineEdit>(name);
        QVERIFY(box->palette().color(QPalette::Text) != box->palette().color(QPalette::Base));
        QVERIFY(box->palette().color(QPalette::Base) != QColor(0, 0, 128));
        QVERIFY(box->palette().color(QPalette::Text) != QColor(Qt::white));
    }
    QCOMPARE(rig.control<QLineEdit>("txtName")->text(), QStringLiteral("Your Name"));
    QCOMPARE(rig.control<QLineEdit>("txtEmail")->text(), QStringLiteral("Your Email Address"));
    QCOMPARE(rig.control<QLineEdit>("txtFriendName")->text(), QStringLiteral("Friend's Name"));
    QCOMPARE(rig.control<QLineEdit>("txtFriendEmail")->text(),
             QStringLiteral("Friend's Email Address"));

    // The message box is clipped by its frame, yet present.
    auto* message = rig.control<QPlainTextEdit>("txtMessage");
    QVERIFY(message->isVisible());
    QVERIFY(message->visibleRegion().isEmpty());
    QCOMPARE(message->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    auto* picture = rig.control<QLabel>("Picture1");
    QCOMPARE(picture->focusPolicy(), Qt::TabFocus);
}

void NagScreenTest::textsFit_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("room");        // width beside the text (indicator, frame)
    QTest::addColumn<bool>("topAligned"); // else centred
    QTest::newRow("Label1") << "Label1" << 0 << true;
    QTest::newRow("lblGoToHome") << "lblGoToHome" << 0 << true;
    QTest::newRow("Check1") << "Check1" << 24 << false;
    QTest::newRow("cmdClose") << "cmdClose" << 8 << false;
    QTest::newRow("cmdSubmit") << "cmdSubmit" << 8 << false;
    QTest::newRow("Frame2") << "Frame2" << 16 << true;
    QTest::newRow("Frame6") << "Frame6" << 16 << true;
}

void NagScreenTest::textsFit() {
    QFETCH(QString, name);
    QFETCH(int, room);
    QFETCH(bool, topAligned);
    Rig rig;
    auto* widget = rig.control<QWidget>(name.toLatin1().constData());
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        text = button->text().remove(QLatin1Char('&'));
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        text = frame->title();
    }
    const QFontMetrics metrics(widget->font());
    QVERIFY2(metrics.horizontalAdvance(text) + room <= widget->width(),
             qPrintable(QStringLiteral("%1 needs %2 px, has %3")
                            .arg(text)
                            .arg(metrics.horizontalAdvance(text) + room)
                            .arg(widget->width())));
    // The ink, not the line box, must stay inside the control.
    const QRect ink = metrics.tightBoundingRect(text);
    const int inkHeight = topAligned ? metrics.ascent() + ink.bottom() + 1 : ink.height();
    QVERIFY2(
        inkHeight <= widget->height(),
        qPrintable(QStringLiteral("%1: %2 of %3").arg(text).arg(inkHeight).arg(widget->height())));

    // The longest promotional text fits the height of Label2 once wrapped.
    auto* label2 = rig.control<QLabel>("Label2");
    for (int i = 0; i < kindrell::outreach::kPromotionalTextCount; ++i) {
        const QRect bounds = QFontMetrics(label2->font())
                                 .boundingRect(QRect(0, 0, label2->width(), 1000), Qt::TextWordWrap,
                                               PromotionalText(i));
        QVERIFY2(bounds.height() <= label2->height(), qPrintable(QString::number(i)));
    }
}

void NagScreenTest::focusOrder() {
    Rig rig;
    QVERIFY(rig.showActive());
    const QStringList expected{"cmdClose",       "Check1",        "Picture1",
                               "txtName",        "cmdSubmit",     "txtEmail",
                               "txtFriendEmail", "txtFriendName", "txtMessage"};

    QStringList chain;
    QWidget* widget = rig.control<QWidget>("cmdClose");
    do {
        if (widget->focusPolicy() & Qt::TabFocus) {
            chain << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != rig.control<QWidget>("cmdClose"));
    QCOMPARE(chain, expected);

    // And as the Tab key walks it, round to the start.
    QCOMPARE(QApplication::focusWidget()->objectName(), expected.front());
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, expected + QStringList{expected.front()});
}

void NagScreenTest::exitButtonCallsShutdownOnce() {
    {
        Rig rig;
        QVERIFY(rig.showActive());
        QTest::mouseClick(rig.control<QPushButton>("cmdClose"), Qt::LeftButton);
        QCOMPARE(rig.shutdowns, 1);
    }
    {
        // Its access key, and a shutdown that unloads the dialog as the real one does:
        // that unload is a close, which calls shutdown from within.
        Rig rig;
        QVERIFY(rig.showActive());
        int depth = 0;
        rig.onShutdown = [&] {
            if (++depth == 1) {
                QVERIFY(rig.dialog->close());
            }
        };
        QTest::keyClick(rig.dialog.get(), Qt::Key_X, Qt::AltModifier);
        QTRY_COMPARE(rig.shutdowns, 2);
        QVERIFY(!rig.dialog->isVisible());
    }
}

void NagScreenTest::closeCallsShutdownOncePerClose() {
    {
        Rig rig;
        QVERIFY(rig.showActive());
        QVERIFY(rig.dialog->close());
        QCOMPARE(rig.shutdowns, 1);
        QVERIFY(!rig.dialog->isVisible());
    }
    {
        // Shutdown closing the dialog again from inside its close.
        Rig rig;
        QVERIFY(rig.showActive());
        bool innerAccepted = false;
        rig.onShutdown = [&] { innerAccepted = rig.dialog->close(); };
        QVERIFY(rig.dialog->close());
        QCOMPARE(rig.shutdowns, 1);
        QVERIFY(innerAccepted);
        QVERIFY(!rig.dialog->isVisible());

        // A later close is a close of its own.
        rig.onShutdown = nullptr;
        rig.dialog->show();
        QVERIFY(rig.dialog->close());
        QCOMPARE(rig.shutdowns, 2);
    }
    {
        // Shutdown destroying the dialog while its close runs.
        Rig rig;
        QVERIFY(rig.showActive());
        rig.onShutdown = [&] { rig.dialog.reset(); };
        QVERIFY(rig.dialog->close());
        QCOMPARE(rig.shutdowns, 1);
        QVERIFY(rig.dialog == nullptr);
    }
}

void NagScreenTest::keptAboveOthersAtLoad() {
    Rig rig;
    QCOMPARE(rig.placement.windows, QVector<QWidget*>{rig.dialog.get()});
    QCOMPARE(rig.placement.shownAtCall, QVector<bool>{false});
    QVERIFY(rig.showActive());
    QCOMPARE(rig.placement.windows.size(), 1);
}

QTEST_MAIN(NagScreenTest)
#include "nag_screen_test.moc"
