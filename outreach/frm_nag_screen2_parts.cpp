// The exit dialog's controls, part by part: the support area with the icon,
// the title, the promotional text, the visit box and the exit button; the
// refer-a-friend frame; the download frame beside them; the focus order.

#include "outreach/frm_nag_screen2.h"

#include "outreach/watermark_box.h"
#include "resources/program_icon.h"
#include "widgets/controls.h"
#include "widgets/link_label.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <cstddef>
#include <iterator>

namespace kindrell::outreach {

namespace {

using widgets::twips;
using widgets::twipsRect;

// Verdana where installed, else its look-alike; sized in pixels, as all text here.
QFont Verdana(double points, bool bold = false, bool underline = false) {
    return widgets::pixelFont(widgets::verdanaFamilies(), points, bold, underline);
}

// "MS Sans Serif" where installed, else the closest grotesque.
QFont MsSansSerif(double points) {
    return widgets::pixelFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Nimbus Sans"),
                               QStringLiteral("DejaVu Sans")},
                              points);
}

// The window's default font, used by the controls that set none of their own.
QFont DefaultFont() {
    return MsSansSerif(8.25);
}

// A palette that states every colour role explicitly, so that a control inside
// a coloured frame does not inherit the frame's colours.
QPalette StandardPalette() {
    const QPalette standard = QApplication::palette();
    QPalette palette;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        const auto colorGroup = static_cast<QPalette::ColorGroup>(group);
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colorRole = static_cast<QPalette::ColorRole>(role);
            palette.setColor(colorGroup, colorRole, standard.color(colorGroup, colorRole));
        }
    }
    return palette;
}

// A one-line caption that would overrun its control at the given face is
// narrowed rather than cut: the host and product names are configurable, and
// the look-alike faces run wider than the faces the layout was drawn for.
void FitCaption(QWidget& widget, const QString& caption, int room) {
    QFont font = widget.font();
    const auto fits = [&](const QFont& candidate) {
        return QFontMetrics(candidate).horizontalAdvance(caption) + room <= widget.width();
    };
    for (const auto stretch : {QFont::SemiCondensed, QFont::Condensed}) {
        if (fits(font)) {
            break;
        }
        font.setStretch(stretch);
    }
    while (!fits(font) && font.pixelSize() > 8) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    widget.setFont(font);
}

// A navy frame with a white bold caption.
QGroupBox* NavyFrame(QWidget& parent, const QString& name, const QString& caption,
                     const QRect& geometry) {
    auto* frame = widgets::place<QGroupBox>(parent, geometry, caption);
    frame->setObjectName(name);
    frame->setFont(Verdana(9.75, true));
    widgets::setBackground(*frame, widgets::colours::kNavy);
    widgets::setTextColour(*frame, widgets::colours::kWhite);
    return frame;
}

// A label whose text wraps from the top left.
QLabel* WrappedLabel(QWidget& parent, const QString& name, const QString& text,
                     const QRect& geometry, const QFont& font, const QColor& colour) {
    auto* label = widgets::label(parent, geometry, text, font, colour);
    label->setObjectName(name);
    widgets::wrap(*label, Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLineEdit* TextBox(QGroupBox& frame, const QString& name, const QString& watermark,
                   const QRect& geometry) {
    auto* box = widgets::textBox(frame, geometry, DefaultFont());
    box->setObjectName(name);
    box->setAccessibleName(watermark);
    box->setPalette(StandardPalette());
    box->setText(watermark);
    new WatermarkKeeper(*box, watermark);
    return box;
}

} // namespace

void frmNagScreen2::BuildControls() {
    setObjectName(QStringLiteral("frmNagScreen2"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setWindowTitle(platform::kWindowTitle);
    setFont(DefaultFont());
    widgets::setBackground(*this, widgets::colours::kWhite);
    setFixedSize(twips(11115), twips(4725));
    setWindowIcon(resources::programIcon());

    BuildSupportArea();
    BuildReferAFriendFrame();
    BuildDownloadFrame();
    SetFocusOrder();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->geometry()));
    }
}

void frmNagScreen2::BuildSupportArea() {
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QStringLiteral("Program icon"));
    Picture1->setGeometry(twipsRect(360, 120, 540, 540));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(2);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setFocusPolicy(Qt::TabFocus);
    Picture1->setPixmap(resources::programPixmap());

    Label1 =
        WrappedLabel(*this, QStringLiteral("Label1"), platform::kWindowTitle,
                     twipsRect(1080, 240, 5115, 360), MsSansSerif(13.5), widgets::colours::kBlack);
    Label2 = WrappedLabel(*this, QStringLiteral("Label2"), PromotionalText(1),
                          twipsRect(120, 840, 6975, 1095), Verdana(9.75, true),
                          widgets::colours::kBlack);

    Check1 = new QCheckBox(QStringLiteral("Click Here To Visit ") + weblinks::HomeHost() +
                               QStringLiteral(" Now"),
                           this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(twipsRect(30, 2040, 7185, 555));
    Check1->setFont(Verdana(14.25));
    widgets::setCaptionColour(*Check1, widgets::colours::kBlue);
    Check1->setCursor(Qt::PointingHandCursor);
    FitCaption(*Check1, Check1->text(),
               Check1->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, Check1) +
                   Check1->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, Check1) +
                   4);
    // A change of value, by the user or by the handler itself, is a click.
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });

    cmdClose = widgets::button(*this, twipsRect(6000, 2760, 1245, 375), QStringLiteral("E&xit"),
                               DefaultFont());
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

void frmNagScreen2::BuildReferAFriendFrame() {
    Frame2 = NavyFrame(*this, QStringLiteral("Frame2"), QStringLiteral("Refer A Friend"),
                       twipsRect(120, 3240, 7065, 1455));
    txtName = TextBox(*Frame2, QStringLiteral("txtName"), QStringLiteral("Your Name"),
                      twipsRect(85, 360, 3375, 285));
    txtEmail = TextBox(*Frame2, QStringLiteral("txtEmail"), QStringLiteral("Your Email Address"),
                       twipsRect(3600, 360, 3375, 285));
    txtFriendName = TextBox(*Frame2, QStringLiteral("txtFriendName"),
                            QStringLiteral("Friend's Name"), twipsRect(85, 720, 3375, 285));
    txtFriendEmail =
        TextBox(*Frame2, QStringLiteral("txtFriendEmail"), QStringLiteral("Friend's Email Address"),
                twipsRect(3600, 720, 3375, 285));
    txtEmail->installEventFilter(this);
    txtFriendEmail->installEventFilter(this);

    cmdSubmit = widgets::button(*Frame2, twipsRect(1920, 1080, 3375, 285),
                                QStringLiteral("Refer A Friend &Now"), Verdana(8.25, true));
    cmdSubmit->setObjectName(QStringLiteral("cmdSubmit"));
    cmdSubmit->setPalette(StandardPalette());
    connect(cmdSubmit, &QPushButton::clicked, this, [this] { cmdSubmit_Click(); });

    // Lies below the frame's bottom edge, so it is never seen; it still takes
    // the focus by Tab and supplies the request's message.
    txtMessage = new QPlainTextEdit(Frame2);
    txtMessage->setObjectName(QStringLiteral("txtMessage"));
    txtMessage->setAccessibleName(QStringLiteral("Your Message"));
    txtMessage->setPalette(StandardPalette());
    txtMessage->setFont(DefaultFont());
    txtMessage->setGeometry(twipsRect(4800, 3600, 1815, 495));
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMessage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtMessage->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtMessage->setTabChangesFocus(true);
    SetMultiLineText(*txtMessage, QStringLiteral("Your Message\r\n"));
    new WatermarkKeeper(*txtMessage, QStringLiteral("Your Message"));
}

void frmNagScreen2::BuildDownloadFrame() {
    Frame6 =
        NavyFrame(*this, QStringLiteral("Frame6"), QStringLiteral("Download Quillora Softwares"),
                  twipsRect(7320, 120, 3735, 4575));
    Label3 = WrappedLabel(*Frame6, QStringLiteral("Label3"), CatalogueText(),
                          twipsRect(120, 360, 3495, 3855), Verdana(9), widgets::colours::kWhite);
    Label3->setAccessibleName(QStringLiteral("About Quillora Softwares"));

    auto* goToHome =
        widgets::label<widgets::LinkLabel>(*Frame6, twipsRect(75, 4250, 3585, 210),
                                           QStringLiteral("Click Here To Visit Quillora Softwares"),
                                           Verdana(9, true, true), widgets::colours::kYellow);
    goToHome->setObjectName(QStringLiteral("lblGoToHome"));
    goToHome->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FitCaption(*goToHome, goToHome->text(), 0);
    connect(goToHome, &widgets::LinkLabel::clicked, this,
            [this] { help_.OpenQuilloraSoftwares(); });
    lblGoToHome = goToHome;
}

void frmNagScreen2::SetFocusOrder() {
    QWidget* const order[] = {cmdClose, Check1,         Picture1,      txtName,   cmdSubmit,
                              txtEmail, txtFriendEmail, txtFriendName, txtMessage};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
    cmdClose->setFocus(Qt::OtherFocusReason);
}

} // namespace kindrell::outreach
