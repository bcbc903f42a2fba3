// The main window's parts: the entry view with the three name boxes, the
// result view with the reading, the brand area below them, the menus and
// the tab order through both views.

#include "ui/frm_main.h"

#include "resources/program_icon.h"
#include "ui/caption_frame.h"
#include "ui/name_entry.h"
#include "ui/result_box.h"
#include "widgets/controls.h"
#include "widgets/link_label.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <array>

namespace kindrell::ui {

namespace {

// The look and the controls shared with the other windows.
using namespace widgets;

// The client area below the menu bar, as the window's layout is drawn.
constexpr int kClientWidthTwips = 8805;
constexpr int kClientHeightTwips = 5715;

CaptionFrame* frame(QWidget& container, const QString& caption, QRect geometry,
                    const QColor& captionColour, bool bold) {
    auto* box = place<CaptionFrame>(container, geometry, caption);
    box->setFont(uiFont(kUiPointSize, bold));
    setBackground(*box, colours::kBlack);
    setTextColour(*box, captionColour);
    return box;
}

QLineEdit* nameBox(QWidget& container, QRect geometry, const QString& prompt) {
    auto* box = textBox(container, geometry, uiFont());
    setTextBoxColours(*box, colours::kDarkGrey, colours::kYellowGreen);
    box->setAccessibleName(prompt);
    return box;
}

// Opaque, so that only the one in front of the two can be seen.
LinkLabel* promotionalLabel(QWidget& container, const QString& caption, QRect geometry) {
    auto* promotion = label<LinkLabel>(container, geometry, caption, uiFont(), colours::kWhite);
    wrap(*promotion, Qt::AlignHCenter | Qt::AlignTop);
    setBackground(*promotion, colours::kBlack);
    return promotion;
}

QString Label14Caption() {
    return QStringLiteral("The Most Popular Online Mystic Discussion Forum. Click Here To Visit ") +
           weblinks::HomeHost() + QStringLiteral(" Now.");
}

// Shown as it stands: the "&" is a plain ampersand, the double spaces are kept.
const QString kCobrandCaption = QStringLiteral(
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
    "your site's name &  link here. See \"Help\" for details. Click Here for more info on "
    "co-branding.");

const QString kFullBrandCaption = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get "
    "this software fully branded for your website. Click here for more details.");

// The name of a result box: its label's caption without the trailing ": ".
QString ResultName(const QString& caption) {
    return caption.chopped(2);
}

// The object name of a control array's member: the array's name and the
// index, as in "txtName0".
QString MemberName(const char* array, std::size_t index) {
    return QString::fromLatin1(array) + QString::number(index);
}

} // namespace

frmMain::frmMain(platform::MessageBoxes& messages, platform::Clipboard& clipboard,
                 weblinks::modHelp& help, QWidget* parent)
    : QMainWindow(parent), messages_(messages), clipboard_(clipboard), help_(help) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(platform::kWindowTitle);
    setWindowIcon(resources::programIcon());
    // A minimize box, no maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(uiFont());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips(kClientWidthTwips), twips(kClientHeightTwips));
    setBackground(*client, colours::kBlack);
    setCentralWidget(client);

    nameKeyFilter_ = new NameKeyFilter(messages_, this);
    buildEntryView(*client);
    buildResultView(*client);
    buildBrandArea(*client);
    buildMenus();
    setTabOrder();

    // The client area lies below the menu bar: the window is taller by it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    widgets::centreOnScreen(*this);

    // Load: the entry view starts in front.
    fraMain_->raise();
}

void frmMain::buildEntryView(QWidget& client) {
    label14_ = label<LinkLabel>(client, twipsRect(1747, 30, 5310, 435), Label14Caption(), uiFont(),
                                colours::kWhite);
    label14_->setObjectName(QStringLiteral("Label14"));
    wrap(*label14_, Qt::AlignHCenter | Qt::AlignTop);
    connect(label14_, &LinkLabel::clicked, this, [this] { help_.OpenHomePage(); });

    fraMain_ = frame(client, QString(), twipsRect(2, 480, 8800, 4500), colours::kYellow, false);
    fraMain_->setObjectName(QStringLiteral("fraMain"));
    fraMain_->setAccessibleName(QStringLiteral("Name Entry"));

    lblLabel_[EntryIntroLabel] =
        label(*fraMain_, twipsRect(690, 360, 7500, 435),
              QStringLiteral("Every parent wishes to know how well he or she will be "
                             "compatible with their child. Know your level of "
                             "compatibility based on numerology."),
              uiFont(), colours::kYellowGreen);
    lblLabel_[EntryIntroLabel]->setObjectName(MemberName("lblLabel", EntryIntroLabel));
    wrap(*lblLabel_[EntryIntroLabel], Qt::AlignHCenter | Qt::AlignTop);

    frame1_ = frame(*fraMain_, QStringLiteral("Name Details"), twipsRect(2573, 1320, 3735, 2085),
                    colours::kYellow, true);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setAccessibleName(frame1_->title());

    struct NameRow {
        NameBox box = ChildBox;
        CaptionLabel label = ChildPromptLabel;
        const char* prompt = nullptr;
        QRect promptGeometry;
        QRect boxGeometry;
    };
    // The box, its prompt label and prompt; the prompt's rectangle and the
    // box's, each as left, top, width, height.
    const std::array<NameRow, 3> rows{{
        {ChildBox, ChildPromptLabel, "Enter Child's Chosen Name", twipsRect(120, 240, 2340, 195),
         twipsRect(120, 486, 3500, 300)},
        {FatherBox, FatherPromptLabel, "Enter Child's Father Name", twipsRect(120, 837, 2235, 195),
         twipsRect(120, 1083, 3500, 300)},
        {MotherBox, MotherPromptLabel, "Enter Child's Mother Name", twipsRect(120, 1434, 2280, 195),
         twipsRect(120, 1680, 3500, 300)},
    }};
    for (const NameRow& row : rows) {
        const QString prompt = QString::fromLatin1(row.prompt);
        lblLabel_[row.label] =
            label(*frame1_, row.promptGeometry, prompt, uiFont(), colours::kYellowGreen);
        lblLabel_[row.label]->setObjectName(MemberName("lblLabel", row.label));
        txtName_[row.box] = nameBox(*frame1_, row.boxGeometry, prompt);
        txtName_[row.box]->setObjectName(MemberName("txtName", row.box));
        nameKeyFilter_->watch(*txtName_[row.box]);
    }

    cmdProceed_ = button(*fraMain_, twipsRect(1493, 3840, 5895, 400),
                         QStringLiteral("&Get My Kindrell Reading"), uiFont(kUiPointSize, true));
    cmdProceed_->setObjectName(QStringLiteral("cmdProceed"));
    connect(cmdProceed_, &QPushButton::clicked, this, &frmMain::Proceed);
}

void frmMain::buildResultView(QWidget& client) {
    fraResult_ = frame(client, QStringLiteral("QL Kindrell Result"), twipsRect(2, 480, 8800, 4500),
                       colours::kCyan, true);
    fraResult_->setObjectName(QStringLiteral("fraResult"));
    fraResult_->setAccessibleName(fraResult_->title());

    lblLabel_[ResultIntroLabel] = label(
        *fraResult_, twipsRect(120, 360, 7965, 195),
        QStringLiteral("The QL Kindrell Result is calculated on basis of the destiny number."),
        uiFont(), colours::kYellowGreen);
    lblLabel_[ResultIntroLabel]->setObjectName(MemberName("lblLabel", ResultIntroLabel));

    struct ResultCaption {
        const char* caption = nullptr;
        QRect labelGeometry;
    };
    //  caption                                  left   top width height
    const std::array<ResultCaption, 5> labels{{
        {"Child Destiny: ", twipsRect(120, 720, 1395, 195)},
        {"Mother Destiny: ", twipsRect(120, 1560, 1590, 195)},
        {"Father Destiny: ", twipsRect(120, 2400, 1560, 195)},
        {"Not Harmonious At All", twipsRect(120, 3360, 2145, 195)},
        {"Not Harmonious At All", twipsRect(120, 3600, 2145, 195)},
    }};
    //                                                left  top width height
    const std::array<QRect, 3> boxes{twipsRect(120, 930, 8535, 550),
                                     twipsRect(120, 1770, 8535, 550),
                                     twipsRect(120, 2610, 8535, 550)};

    for (std::size_t index = 0; index < labels.size(); ++index) {
        const QString caption = QString::fromLatin1(labels[index].caption);
        lblResult_[index] = label(*fraResult_, labels[index].labelGeometry, caption,
                                  uiFont(kUiPointSize, true), colours::kYellowGreen);
        lblResult_[index]->setObjectName(MemberName("lblResult", index));
        lblResultDesignWidth_[index] = labels[index].labelGeometry.width();
        setResultCaption(index, caption);
    }
    for (std::size_t index = 0; index < boxes.size(); ++index) {
        txtResult_[index] = place<ResultBox>(*fraResult_, boxes[index], clipboard_);
        txtResult_[index]->setObjectName(MemberName("txtResult", index));
        txtResult_[index]->setFont(uiFont());
        setTextBoxColours(*txtResult_[index], colours::kDarkGrey, colours::kYellow);
        txtResult_[index]->setAccessibleName(ResultName(lblResult_[index]->text()));
    }

    cmdBack_ = button(*fraResult_, twipsRect(4920, 3960, 3735, 375),
                      QStringLiteral("&Do It Once Again"), uiFont(kUiPointSize, true));
    cmdBack_->setObjectName(QStringLiteral("cmdBack"));
    connect(cmdBack_, &QPushButton::clicked, this, &frmMain::DoItOnceAgain);
}

void frmMain::buildBrandArea(QWidget& client) {
    fraFullBrand_ = frame(client, QString(), twipsRect(2, 5000, 8800, 700), colours::kWhite, false);
    fraFullBrand_->setObjectName(QStringLiteral("fraFullBrand"));
    fraFullBrand_->setAccessibleName(QStringLiteral("Offers"));
    //                                                    left  top width height
    lblCobrand_ = promotionalLabel(*fraFullBrand_, kCobrandCaption, twipsRect(60, 165, 8700, 450));
    lblFullBrand_ =
        promotionalLabel(*fraFullBrand_, kFullBrandCaption, twipsRect(60, 165, 8700, 450));
    lblCobrand_->setObjectName(QStringLiteral("lblCobrand"));
    lblFullBrand_->setObjectName(QStringLiteral("lblFullBrand"));
    // Assistive technology would drop this caption's plain "&" as if it marked
    // an access key; the caption never changes.
    lblCobrand_->setAccessibleName(kCobrandCaption);
    connect(lblCobrand_, &LinkLabel::clicked, this, [this] { help_.OpenCoBrandInfo(); });
    connect(lblFullBrand_, &LinkLabel::clicked, this, [this] { help_.OpenMakeMoney(); });
}

void frmMain::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setFont(uiFont());

    mnuFile_ = bar->addMenu(QStringLiteral("&File"));
    mnuFile_->setObjectName(QStringLiteral("mnuFile"));
    // Kept for a different kind of calculation that this program does not
    // offer: switched off and out of sight.
    mnuCalculate_ = mnuFile_->addAction(QStringLiteral("&Calculate Birth Chart"));
    mnuCalculate_->setObjectName(QStringLiteral("mnuCalculate"));
    mnuSep1_ = mnuFile_->addSeparator();
    mnuSep1_->setObjectName(QStringLiteral("mnuSep1"));
    for (QAction* hidden : {mnuCalculate_, mnuSep1_}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }
    connect(mnuCalculate_, &QAction::triggered, this, &frmMain::Proceed);
    mnuExit_ = mnuFile_->addAction(QStringLiteral("E&xit"));
    mnuExit_->setObjectName(QStringLiteral("mnuExit"));
    connect(mnuExit_, &QAction::triggered, this, &QWidget::close);

    mnuHelp_ = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp_->setObjectName(QStringLiteral("mnuHelp"));
    mnuOnline_ = mnuHelp_->addAction(QStringLiteral("&Online Help"));
    mnuOnline_->setObjectName(QStringLiteral("mnuOnline"));
    mnuVisit_ = mnuHelp_->addAction(QStringLiteral("&Visit Us Online"));
    mnuVisit_->setObjectName(QStringLiteral("mnuVisit"));
    mnuHelp_->addSeparator();
    mnuUpdate_ = mnuHelp_->addAction(QStringLiteral("Check for Software &Update"));
    mnuUpdate_->setObjectName(QStringLiteral("mnuUpdate"));
    mnuHelp_->addSeparator();
    mnuAbout_ = mnuHelp_->addAction(QStringLiteral("&About Software"));
    mnuAbout_->setObjectName(QStringLiteral("mnuAbout"));
    connect(mnuOnline_, &QAction::triggered, this, [this] { help_.OpenOnlineHelp(); });
    connect(mnuVisit_, &QAction::triggered, this, [this] { help_.OpenHomePage(); });
    connect(mnuUpdate_, &QAction::triggered, this, [this] { help_.OpenCheckForUpdate(); });
    connect(mnuAbout_, &QAction::triggered, this, &frmMain::ShowAbout);

    // A command on the menu bar itself, with no drop-down.
    mnuDonate_ = bar->addAction(QStringLiteral("&Donate"));
    mnuDonate_->setObjectName(QStringLiteral("mnuDonate"));
    connect(mnuDonate_, &QAction::triggered, this, [this] { help_.OpenDonatePage(); });
    mnuMakeMoney_ = bar->addAction(QStringLiteral("Make Money &Online"));
    mnuMakeMoney_->setObjectName(QStringLiteral("mnuMakeMoney"));
    mnuMakeMoney_->setVisible(false);
    mnuMakeMoney_->setEnabled(false);
    connect(mnuMakeMoney_, &QAction::triggered, this, [this] { help_.OpenMakeMoney(); });
}

void frmMain::setTabOrder() {
    // Through both views whichever is in front, since the covered one stays enabled.
    const std::array<QWidget*, 8> order{txtName_[ChildBox],
                                        txtName_[FatherBox],
                                        txtName_[MotherBox],
                                        cmdProceed_,
                                        cmdBack_,
                                        txtResult_[ChildResult],
                                        txtResult_[MotherResult],
                                        txtResult_[FatherResult]};
    for (std::size_t index = 1; index < order.size(); ++index) {
        QWidget::setTabOrder(order[index - 1], order[index]);
    }
}

} // namespace kindrell::ui
