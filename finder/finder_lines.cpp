// The finder window's lines of text: the count above the table and why it
// is empty, the marked names, the selected name with its working, each
// parent's verdict, its births over the years and its shares between girls
// and boys, and the notice of what could not be read or written.

#include "finder/finder_window.h"

#include "engine/name_number.h"
#include "finder/births_chart.h"
#include "finder/count_lines.h"
#include "finder/names_model.h"
#include "textrules/engine_strings.h"
#include "textrules/name_folding.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace kindrell::finder {
namespace {

// A label wraps only between words, so one word wider than the pane (a
// "name" of thousands of letters) would be cut off at its edge. A zero-width
// space after every so many letters of such a word gives it places to wrap;
// no name as people write them has a word this long, so theirs stay as they
// are. Never inside a surrogate pair or before a combining mark.
QString Wrappable(const QString& name) {
    constexpr int kLongestWord = 40;
    if (name.size() <= kLongestWord) {
        return name;
    }
    QString shown;
    int run = 0;
    for (const QChar unit : name) {
        run = unit.isSpace() ? 0 : run + 1;
        if (run > kLongestWord && !unit.isLowSurrogate() && !unit.isMark()) {
            shown += QChar(0x200B);
            run = 1;
        }
        shown += unit;
    }
    return shown;
}

} // namespace

void FinderWindow::showCount() {
    if (!model_->parentsGiven()) {
        countLine_->setText(QStringLiteral("Type the father's and the mother's names."));
    } else if (const namelist::MiddleNames* middle = model_->middleNames()) {
        countLine_->setText(MiddleNamesText(model_->rowCount(), middle->liked, model_->filter()));
    } else if (model_->filter().harmony == namelist::HarmonyFilter::MarkedByBoth) {
        countLine_->setText(NamesText(model_->rowCount()) +
                            QStringLiteral(" marked by both of you"));
    } else if (!model_->liked().name.isEmpty() && !model_->markedOnly()) {
        countLine_->setText(CountText(model_->rowCount() - model_->likedRowCount()) +
                            QStringLiteral(" of ") + SpellingsText(model_->liked()));
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
    printButton_->setEnabled(marked > 0);
}

void FinderWindow::showSelected() {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    for (QLabel* line : {working_, motherLine_, fatherLine_, sharesLine_, likedLine_}) {
        line->clear();
    }
    // Lines that most names do not have take no room while they are empty.
    sharesLine_->hide();
    likedLine_->hide();
    chart_->setBirths(namelist::kFirstYear, {});
    chart_->hide();
    if (!rows.isEmpty()) {
        const int row = rows.first().row();
        selectedEntry_ = model_->entryIndexAt(row);
        showEntry(model_->entryAt(row), selectedEntry_);
        return;
    }
    selectedEntry_ = -1;
    selectedName_->setText(QStringLiteral("No name selected"));
    showLikedName();
}

// The name as the row shows it (a full name with its middle name's sex),
// weighed whole; births and shares are the entry's own.
void FinderWindow::showEntry(const namelist::NameEntry& entry, std::int32_t index) {
    const QString sex = namelist::SexName(entry.sex);
    const QString name = model_->shownName(index);
    selectedName_->setText(sex.isEmpty() ? Wrappable(name)
                                         : QStringLiteral("%1 (%2)").arg(name, sex));
    working_->setText(text::WeighName(name).working);
    const namelist::VerdictTexts texts =
        namelist::TextsOf(model_->weighing().verdict(model_->shownNumber(index)));
    motherLine_->setText(texts.motherLine);
    fatherLine_->setText(texts.fatherLine);
    const namelist::NameList& list = model_->list();
    if (const std::int32_t other = list.otherSex(index); other >= 0) {
        const auto birthsOf = [&list](std::int32_t at) {
            return list.entries()[static_cast<std::size_t>(at)].births.value_or(0);
        };
        const bool girl = entry.sex == namelist::Sex::Girl;
        sharesLine_->setText(namelist::SharesText(
            namelist::SharesOf(birthsOf(girl ? index : other), birthsOf(girl ? other : index))));
        sharesLine_->show();
    }
    if (const namelist::NameHistory* history = list.history(index); history != nullptr) {
        chart_->setBirths(namelist::kFirstYear, history->births);
        chart_->show();
    }
}

// A liked name the list does not hold has no spellings to show, so the pane
// weighs the name itself.
void FinderWindow::showLikedName() {
    const namelist::LikedName& liked = model_->liked();
    if (liked.name.isEmpty() || liked.inList || !model_->parentsGiven() || model_->markedOnly() ||
        model_->middleNames() != nullptr) {
        return;
    }
    const text::WeighedName weighed = text::WeighName(liked.name);
    selectedName_->setText(Wrappable(liked.name));
    working_->setText(weighed.working);
    const namelist::VerdictTexts texts =
        namelist::TextsOf(model_->weighing().verdict(weighed.number));
    motherLine_->setText(texts.motherLine);
    fatherLine_->setText(texts.fatherLine);
    likedLine_->setText(QStringLiteral("%1 is not in the bundled list").arg(Wrappable(liked.name)));
    likedLine_->show();
}

// One line for what could not be read or written; the latest stands.
void FinderWindow::notify(const QString& notice, Notice kind) {
    notice_ = kind;
    noticeLine_->setText(notice);
    noticeLine_->show();
}

void FinderWindow::clearNotice(Notice kind) {
    if (notice_ == kind) {
        notice_ = Notice::None;
        noticeLine_->hide();
    }
}

} // namespace kindrell::finder
