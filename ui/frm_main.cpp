// The main window's behaviour: the reading shown in the result view, the
// way back to the entry view, the about box and the close hand-off. Its
// parts are built in frm_main_parts.cpp.

#include "ui/frm_main.h"

#include "engine/reading.h"
#include "textrules/engine_strings.h"
#include "ui/caption_frame.h"
#include "ui/frm_about.h"
#include "ui/name_entry.h"
#include "ui/result_box.h"
#include "widgets/link_label.h"
#include "widgets/working_tooltip.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <utility>

namespace kindrell::ui {

namespace {

using text::ToQString;
using text::View;
using widgets::WorkingTooltip;

} // namespace

frmMain::~frmMain() = default;

void frmMain::setResultCaption(std::size_t index, const QString& caption) {
    QLabel* label = lblResult_.at(index);
    label->setText(caption);
    // The label sizes itself to its caption: a longer caption widens it to
    // the right, never below its drawn width; its height stays.
    const int needed = label->fontMetrics().horizontalAdvance(caption) + 1;
    label->resize(std::max(lblResultDesignWidth_.at(index), needed), label->height());
}

void frmMain::setCloseHandOff(std::function<void()> handOff) {
    closeHandOff_ = std::move(handOff);
}

QLabel* frmMain::lblCobrand() const {
    return lblCobrand_;
}
QLabel* frmMain::lblFullBrand() const {
    return lblFullBrand_;
}

void frmMain::Proceed() {
    if (!ValidateNames(messages_, txtName_)) {
        return;
    }
    const QString child = txtName_[ChildBox]->text();
    const QString father = txtName_[FatherBox]->text();
    const QString mother = txtName_[MotherBox]->text();
    const Reading reading = ComposeReading(View(child), View(father), View(mother));

    setResultCaption(ChildResult, ToQString(reading.ChildDestinyCaption));
    setResultCaption(MotherResult, ToQString(reading.MotherDestinyCaption));
    setResultCaption(FatherResult, ToQString(reading.FatherDestinyCaption));
    setResultCaption(MotherVerdict, ToQString(reading.MotherVerdictLine));
    setResultCaption(FatherVerdict, ToQString(reading.FatherVerdictLine));
    txtResult_[ChildResult]->setText(ToQString(reading.ChildDescription));
    txtResult_[MotherResult]->setText(ToQString(reading.MotherDescription));
    txtResult_[FatherResult]->setText(ToQString(reading.FatherDescription));

    // How each number was reached, for whoever points at it.
    lblResult_[ChildResult]->setToolTip(WorkingTooltip(child));
    lblResult_[MotherResult]->setToolTip(WorkingTooltip(mother));
    lblResult_[FatherResult]->setToolTip(WorkingTooltip(father));

    fraResult_->raise();
}

void frmMain::DoItOnceAgain() {
    for (QLineEdit* box : txtName_) {
        box->clear();
    }
    txtName_[ChildBox]->setFocus(Qt::OtherFocusReason);
    fraMain_->raise();
}

void frmMain::ShowAbout() {
    frmAbout about(help_, this);
    about.exec();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (closeHandOff_) {
        // The close is never cancelled, whatever the hand-off does.
        try {
            closeHandOff_();
        } catch (...) {
        }
    }
    event->accept();
}

} // namespace kindrell::ui
