// The exit dialog's behaviour: its texts, the draw of the promotional one,
// the links, the refer-a-friend submission and the ways out, each of which
// ends the program. Its controls are built in frm_nag_screen2_parts.cpp.

#include "outreach/frm_nag_screen2.h"

#include "outreach/watermark_box.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

#include <algorithm>
#include <utility>

namespace kindrell::outreach {

QString PromotionalText(int index) {
    const QString site = weblinks::SiteName();
    switch (index) {
    case 0:
        return QStringLiteral("Quillora Softwares, such as this can be created and maintained only "
                              "with your support. The best way to support Quillora is to visit ") +
               site +
               QStringLiteral(" regularly and take part in the discussions and other activities "
                              "on the board.");
    case 1:
        return QStringLiteral("Visit ") + site + QStringLiteral(" regularly. Support ") + site +
               QStringLiteral(" by taking part in the discussions and other activities. These "
                              "softwares cannot be supported and maintained, without you "
                              "regularly visiting ") +
               site;
    case 2:
        return site +
               QStringLiteral(
                   " is a FREE online discussion forum for all things mystic. To help ") +
               site +
               QStringLiteral(" develop and maintain this software visit Quillora regularly.");
    case 3:
        return site + QStringLiteral(" needs your help. All you need to do is visit ") + site +
               QStringLiteral(" regularly and take part in the various discussions and activites "
                              "to help us maintain and develop more Quillora Softwares.");
    default:
        return {};
    }
}

int PromotionalDraw(double r) {
    // A generator that ever returned 1.0 (or anything outside [0, 1)) still
    // picks one of the four texts.
    return std::clamp(static_cast<int>(r * kPromotionalTextCount), 0, kPromotionalTextCount - 1);
}

QString CatalogueText() {
    return QStringLiteral("If you have enjoyed this software you will surely be interested in our "
                          "other Quillora Softwares. From a single software, we have now grown to "
                          "become the world") +
           QChar(0x2019) +
           QStringLiteral("s largest resource of quillora softwares. Be it astrology, psychic, "
                          "tarot, numerology or occult, we have programs in all fields thus giving "
                          "our users a wide choice depending on their interests.") +
           QString(61, QLatin1Char(' ')) +
           QStringLiteral("All the programs in the Quillora Softwares suite are simple and easy to "
                          "use. They are not only fun to use but also very informative. Try them "
                          "out today and share your experience with your friends and family. ");
}

frmNagScreen2::frmNagScreen2(platform::MessageBoxes& messages, platform::RandomSource& random,
                             platform::WindowPlacement& placement, weblinks::modHelp& help,
                             std::function<void()> shutdown, QWidget* parent)
    : QWidget(parent), messages_(messages), help_(help), shutdown_(std::move(shutdown)),
      tellAFriend_(messages, help) {
    BuildControls();
    Form_Load(random, placement);
}

void frmNagScreen2::Form_Load(platform::RandomSource& random,
                              platform::WindowPlacement& placement) {
    random.seedFromClock();
    Label2->setText(PromotionalText(PromotionalDraw(random.next())));
    placement.keepAboveOthers(*this);
}

void frmNagScreen2::Check1_Click() {
    if (Check1->isChecked()) {
        // Unticking raises this handler once more; that run finds the box
        // unticked and does nothing.
        Check1->setChecked(false);
        help_.OpenHomePage();
    }
}

void frmNagScreen2::cmdClose_Click() {
    // Shutdown may unload this window; the call must not depend on it.
    const auto shutdown = shutdown_;
    if (shutdown) {
        shutdown();
    }
}

void frmNagScreen2::cmdSubmit_Click() {
    tellAFriend_.Submit({txtName->text(), txtEmail->text(), MultiLineText(*txtMessage),
                         txtFriendName->text(), txtFriendEmail->text()});
}

bool frmNagScreen2::RefuseTypedSpace(QLineEdit& box, QEvent* event) {
    if (event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->text() != QLatin1String(" ")) {
        return false;
    }
    messages_.showError(QStringLiteral("Email Address Cannot Contain Space"));
    box.setFocus(Qt::OtherFocusReason);
    return true;
}

bool frmNagScreen2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtEmail && RefuseTypedSpace(*txtEmail, event)) {
        return true;
    }
    if (watched == txtFriendEmail && RefuseTypedSpace(*txtFriendEmail, event)) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmNagScreen2::closeEvent(QCloseEvent* event) {
    // Leaving the dialog in any way ends the program; the close is never refused.
    event->accept();
    if (closing_) {
        // Shutdown unloading this window while its own close runs: already handled.
        return;
    }
    const QPointer<frmNagScreen2> alive(this);
    const auto shutdown = shutdown_;
    closing_ = true;
    if (shutdown) {
        shutdown();
    }
    if (alive) {
        closing_ = false;
    }
}

} // namespace kindrell::outreach
