// The finder window's lines of text: the count above the table and why it
// is empty, the marked names, the selected name with its working and each
// parent's verdict, and the notice of what could not be read or written.

#include "finder/finder_window.h"

#include "engine/name_number.h"
#include "finder/count_lines.h"
#include "finder/names_model.h"
#include "textrules/engine_strings.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace kindrell::finder {

void FinderWindow::showCount() {
    if (!model_->parentsGiven()) {
        countLine_->setText(QStringLiteral("Type the father's and the mother's names."));
    } else {
        countLine_->setText(CountText(model_->rowCount()) + QStringLiteral(" of ") +
                            NamesText(model_->list().size()));
    }
    const QString reason = EmptyTableReason(*model_);
    emptyLine_->setText(reason);
    emptyLine_->setVisible(!reason.isEmpty());
    // Read out with the table's name when it takes the focus.
    table_->setAccessibleDescription(reason);
}

void FinderWindow::showMarks() {
    const qsizetype marked = model_->markedCount();
    markedLine_->setText(marked == 0 ? QStringLiteral("No names marked")
                                     : NamesText(marked) + QStringLiteral(" marked"));
    saveButton_->setEnabled(marked > 0);
}

void FinderWindow::showSelected() {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        selectedEntry_ = -1;
        selectedName_->setText(QStringLiteral("No name selected"));
        working_->clear();
        motherLine_->clear();
        fatherLine_->clear();
        return;
    }
    const int row = rows.first().row();
    selectedEntry_ = model_->entryIndexAt(row);
    const namelist::NameEntry& entry = model_->entryAt(row);
    const QString sex = namelist::SexName(entry.sex);
    selectedName_->setText(sex.isEmpty() ? entry.name
                                         : QStringLiteral("%1 (%2)").arg(entry.name, sex));
    working_->setText(text::ToQString(FormatWorking(ExplainDestinyNumber(text::View(entry.name)))));
    const namelist::VerdictTexts texts = namelist::TextsOf(model_->weighing().verdict(entry));
    motherLine_->setText(texts.motherLine);
    fatherLine_->setText(texts.fatherLine);
}

// One line for what could not be read or written; the latest stands.
void FinderWindow::notify(const QString& notice) {
    noticeLine_->setText(notice);
    noticeLine_->show();
}

} // namespace kindrell::finder
