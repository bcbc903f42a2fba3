#include "ui/frm_about.h"

#include "ui/look.h"
#include "widgets/link_label.h"
#include "widgets/look.h"
#include "widgets/twips.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

namespace kindrell::ui {

namespace {

// The look shared with the other windows: the twips grid, the faces, the
// colour setters and LinkLabel.
using namespace widgets;

const QString kIconResource = QStringLiteral(":/kindrell/icon32.png");

constexpr int kClientWidthTwips = 7155;
constexpr int kClientHeightTwips = 3165;
constexpr int kLine2TopTwips = 2670;

template <class Label>
Label* label(QWidget& container, const QString& text, QRect geometry, const QColor& colour,
             QFont font) {
    auto* control = place<Label>(container, geometry, text);
    control->setTextFormat(Qt::PlainText);
    control->setFont(font);
    setTextColour(*control, colour);
    return control;
}

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

frmAbout::frmAbout(outreach::modHelp& help, QWidget* parent) : QDialog(parent), help_(help) {
    setWindowTitle(QStringLiteral("QL Kindrell v1.0"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(twips(kClientWidthTwips), twips(kClientHeightTwips));
    setBackground(*this, colours::kBlack);
    setFont(uiFont());

    //                               left  top width height
    picIcon_ = place<QLabel>(*this, twipsRect(90, 120, 480, 480));
    picIcon_->setAccessibleName(QStringLiteral("QL Kindrell"));
    if (QFile::exists(kIconResource)) {
        picIcon_->setPixmap(QPixmap(kIconResource));
    }

    label2_ = label<QLabel>(*this, QStringLiteral("QL Kindrell v1.0"),
                            twipsRect(750, 120, 5370, 270), colours::kSilver, uiFont(12, true));

    label1_ = label<QLabel>(
        *this,
        QStringLiteral("QL Kindrell helps analyze the compatibility between a child and its "
                       "parents on the basis of numerology. This software is based on analyzing "
                       "the child's name based on the different characteristics represented by "
                       "the different letters and vowels."),
        twipsRect(750, 390, 6225, 975), colours::kYellow, uiFont());
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblHomePage_ =
        label<LinkLabel>(*this, QStringLiteral("Click here to visit ") + outreach::HomeSiteBase(),
                         twipsRect(2925, 1365, 4050, 195), colours::kYellowGreen, uiFont());
    fitToTheLeft(*lblHomePage_);
    connect(lblHomePage_, &LinkLabel::clicked, this, [this] { help_.OpenHomePage(); });

    label3_ =
        label<QLabel>(*this,
                      QStringLiteral("Home Business Opportunity. Start your own Internet "
                                     "business and make money online. Get this software "
                                     "fully branded for your website."),
                      twipsRect(90, 1800, 6885, 435), colours::kOrange, uiFont(kUiPointSize, true));
    label3_->setWordWrap(true);
    label3_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblCoBrand_ =
        label<LinkLabel>(*this, QStringLiteral("Click here for more details"),
                         twipsRect(4680, 2235, 2295, 195), colours::kYellowGreen, uiFont());
    fitToTheLeft(*lblCoBrand_);
    connect(lblCoBrand_, &LinkLabel::clicked, this, [this] { help_.OpenMakeMoney(); });

    // A white rule across the whole box.
    line2_ = new QFrame(this);
    line2_->setFrameShape(QFrame::NoFrame);
    line2_->setGeometry(0, twips(kLine2TopTwips), width(), 1);
    setBackground(*line2_, colours::kWhite);
    line2_->setAccessibleName(QStringLiteral("Line"));

    cmdOK_ = place<QPushButton>(*this, twipsRect(5835, 2760, 1260, 345), QStringLiteral("OK"));
    cmdOK_->setFont(uiFont(kUiPointSize, true));
    // The default button takes Enter; Escape rejects the dialog, which closes it too.
    cmdOK_->setDefault(true);
    cmdOK_->setAutoDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    cmdOK_->setFocus(Qt::OtherFocusReason);

    widgets::centreOnScreen(*this);
}

QLabel* frmAbout::lblHomePage() const {
    return lblHomePage_;
}
QLabel* frmAbout::lblCoBrand() const {
    return lblCoBrand_;
}

} // namespace kindrell::ui
