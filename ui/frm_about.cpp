#include "ui/frm_about.h"

#include "platform/services.h"
#include "resources/program_icon.h"
#include "widgets/controls.h"
#include "widgets/link_label.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace kindrell::ui {

namespace {

// The look and the controls shared with the other windows.
using namespace widgets;

constexpr int kAboutWidthTwips = 7155;
constexpr int kAboutHeightTwips = 3165;
constexpr int kLine2TopTwips = 2670;

// A one-line link whose caption is longer than its drawn width (a long host
// name) grows to the left, keeping its right edge where it was drawn.
void fitToTheLeft(QLabel& link) {
    const int needed = link.fontMetrics().horizontalAdvance(link.text()) + 1;
    if (needed > link.width()) {
        const int right = link.geometry().right();
        const int left = std::max(0, right + 1 - needed);
        link.setGeometry(left, link.y(), right + 1 - left, link.height());
    }
}

} // namespace

frmAbout::frmAbout(weblinks::modHelp& help, QWidget* parent) : QDialog(parent), help_(help) {
    setWindowTitle(platform::kWindowTitle);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(twips(kAboutWidthTwips), twips(kAboutHeightTwips));
    setBackground(*this, colours::kBlack);
    setFont(uiFont());

    buildHeading();
    buildOffer();
    buildButtonRow();
    widgets::centreOnScreen(*this);
}

void frmAbout::buildHeading() {
    //                               left  top width height
    picIcon_ = place<QLabel>(*this, twipsRect(90, 120, 480, 480));
    picIcon_->setAccessibleName(platform::kApplicationTitle);
    picIcon_->setPixmap(resources::programPixmap());

    label2_ = label(*this, twipsRect(750, 120, 5370, 270), platform::kWindowTitle, uiFont(12, true),
                    colours::kSilver);

    label1_ = label(
        *this, twipsRect(750, 390, 6225, 975),
        QStringLiteral("QL Kindrell helps analyze the compatibility between a child and its "
                       "parents on the basis of numerology. This software is based on analyzing "
                       "the child's name based on the different characteristics represented by "
                       "the different letters and vowels."),
        uiFont(), colours::kYellow);
    wrap(*label1_, Qt::AlignLeft | Qt::AlignTop);

    lblHomePage_ =
        label<LinkLabel>(*this, twipsRect(2925, 1365, 4050, 195),
                         QStringLiteral("Click here to visit ") + weblinks::HomeSiteBase(),
                         uiFont(), colours::kYellowGreen);
    fitToTheLeft(*lblHomePage_);
    connect(lblHomePage_, &LinkLabel::clicked, this, [this] { help_.OpenHomePage(); });
}

void frmAbout::buildOffer() {
    label3_ = label(*this, twipsRect(90, 1800, 6885, 435),
                    QStringLiteral("Home Business Opportunity. Start your own Internet business "
                                   "and make money online. Get this software fully branded for "
                                   "your website."),
                    uiFont(kUiPointSize, true), colours::kOrange);
    wrap(*label3_, Qt::AlignLeft | Qt::AlignTop);

    lblCoBrand_ = label<LinkLabel>(*this, twipsRect(4680, 2235, 2295, 195),
                                   QStringLiteral("Click here for more details"), uiFont(),
                                   colours::kYellowGreen);
    fitToTheLeft(*lblCoBrand_);
    connect(lblCoBrand_, &LinkLabel::clicked, this, [this] { help_.OpenMakeMoney(); });
}

void frmAbout::buildButtonRow() {
    // A white rule across the whole box.
    line2_ = new QFrame(this);
    line2_->setFrameShape(QFrame::NoFrame);
    line2_->setGeometry(0, twips(kLine2TopTwips), width(), 1);
    setBackground(*line2_, colours::kWhite);
    line2_->setAccessibleName(QStringLiteral("Line"));

    cmdOK_ = button(*this, twipsRect(5835, 2760, 1260, 345), QStringLiteral("OK"),
                    uiFont(kUiPointSize, true));
    // The default button takes Enter; Escape rejects the dialog, which closes it too.
    cmdOK_->setDefault(true);
    cmdOK_->setAutoDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    cmdOK_->setFocus(Qt::OtherFocusReason);
}

QLabel* frmAbout::lblHomePage() const {
    return lblHomePage_;
}
QLabel* frmAbout::lblCoBrand() const {
    return lblCoBrand_;
}

} // namespace kindrell::ui
