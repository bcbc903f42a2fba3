// What is done with the marked names: saved as a list or as a table a
// spreadsheet opens, compared with a partner's shortlist, printed.

#include "finder/finder_window.h"

#include "finder/count_lines.h"
#include "finder/filter_row.h"
#include "finder/names_model.h"
#include "finder/partner_list.h"
#include "finder/shortlist_pages.h"
#include "namelist/name_file.h"
#include "textrules/name_folding.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>

namespace kindrell::finder {
namespace {

const QString kShortlistFilter =
    QStringLiteral("Tables for spreadsheets (*.csv);;Text files (*.txt);;All files (*)");

// A partner's shortlist is a short list: one larger than this is refused.
constexpr qint64 kMaxPartnerBytes = qint64{4} * 1024 * 1024;

// A marked entry as the table shows it, for a saved table or a printed page.
struct Shown {
    QString name;
    QString sex;
    QString number;
    namelist::VerdictTexts verdict;
    QString births;
    QString trend;
};

Shown ShownEntry(const NamesModel& model, std::int32_t index) {
    const namelist::NameList& list = model.list();
    const namelist::NameEntry& entry = list.entries()[static_cast<std::size_t>(index)];
    const std::optional<namelist::Trend> trend = list.trend(index);
    return {entry.name,
            namelist::SexName(entry.sex),
            QString::number(entry.number),
            namelist::TextsOf(model.weighing().verdict(entry)),
            entry.births ? QString::number(*entry.births) : QString(),
            trend ? namelist::TrendText(*trend) : QString()};
}

// A mark of a name the list does not hold (a full name with its middle
// name, a name of an edited list), weighed by its name alone.
Shown ShownMark(const NamesModel& model, const MarkedName& mark) {
    const DestinyNumber number = text::WeighName(mark.name).number;
    return {mark.name,
            namelist::SexName(mark.sex),
            QString::number(number),
            namelist::TextsOf(model.weighing().verdict(number)),
            QString(),
            QString()};
}

// Every mark as shown: the list's marked entries in list order, then the
// others as they were made.
std::vector<Shown> ShownMarks(const NamesModel& model) {
    std::vector<Shown> shown;
    for (const std::int32_t index : model.markedEntries()) {
        shown.push_back(ShownEntry(model, index));
    }
    for (const MarkedName& mark : model.absentMarks()) {
        shown.push_back(ShownMark(model, mark));
    }
    return shown;
}

} // namespace

bool FinderWindow::saveMarkedNames() {
    const std::vector<Shown> marked = ShownMarks(*model_);
    if (marked.empty()) {
        return false;
    }
    const QString folder = saveFolder_.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               : saveFolder_;
    const QString path = files_.chooseFileToSave(
        QStringLiteral("Save marked names"), QDir(folder).filePath(QStringLiteral("shortlist.csv")),
        kShortlistFilter);
    if (path.isEmpty()) {
        return false;
    }
    QString error;
    qsizetype saved = 0;
    if (namelist::IsTableFile(path)) {
        std::vector<QStringList> rows;
        rows.reserve(marked.size());
        for (const Shown& shown : marked) {
            rows.push_back({shown.name, shown.sex, shown.number, shown.verdict.mother,
                            shown.verdict.father, shown.births, shown.trend});
        }
        error = namelist::WriteShortlistTable(path, rows);
        saved = static_cast<qsizetype>(rows.size());
    } else {
        // Each name once, in the order of the marks.
        QStringList names;
        for (const Shown& shown : marked) {
            if (!names.contains(shown.name)) {
                names << shown.name;
            }
        }
        error = namelist::WriteNameFile(path, names);
        saved = names.size();
    }
    const QString fileName = QFileInfo(path).fileName();
    if (!error.isEmpty()) {
        messages_.showError(QStringLiteral("The marked names could not be saved to %1: %2. Any "
                                           "file of that name is unchanged.")
                                .arg(Quoted(fileName), error));
        return false;
    }
    saveFolder_ = QFileInfo(path).absolutePath();
    remember(FinderSettings::SaveFolder(saveFolder_));
    notify(QStringLiteral("%1 saved to %2.")
               .arg(saved == 1 ? QStringLiteral("1 marked name")
                               : CountText(saved) + QStringLiteral(" marked names"),
                    Quoted(fileName)));
    return true;
}

bool FinderWindow::comparePartnerList() {
    const QString path =
        files_.chooseFileToOpen(QStringLiteral("Compare with a partner's list"), kShortlistFilter);
    if (path.isEmpty() || !readPartner(QFileInfo(path).absoluteFilePath(), false)) {
        return false;
    }
    applyPartner();
    remember(FinderSettings::PartnerPath(partnerPath_));
    return true;
}

// Reads a partner's list, to be matched with the list shown; what could not
// be read is told in a message, or at the start in the notice line, and the
// comparison stays as it was.
bool FinderWindow::readPartner(const QString& path, bool atStart) {
    const QString fileName = Quoted(QFileInfo(path).fileName());
    // Too large to be a shortlist: not read at all.
    const bool tooLarge = QFileInfo(path).size() > kMaxPartnerBytes;
    const namelist::ShortlistRead read =
        tooLarge ? namelist::ShortlistRead{} : namelist::ReadShortlist(path);
    QString problem;
    if (read.problem == namelist::NameFileProblem::Unreadable) {
        problem = QStringLiteral("%1 could not be read: %2.").arg(fileName, read.error);
    } else if (tooLarge || read.problem != namelist::NameFileProblem::None) {
        problem =
            QStringLiteral("%1 is larger than a shortlist, so it is not compared.").arg(fileName);
    } else if (read.noNameColumn) {
        problem = QStringLiteral("%1 has no Name column in its first row, so it is not "
                                 "compared.")
                      .arg(fileName);
    }
    if (!problem.isEmpty()) {
        if (atStart) {
            notify(QStringLiteral("%1 could not be read again, so nothing is compared.")
                       .arg(fileName));
        } else {
            messages_.showError(problem);
        }
        return false;
    }
    partnerPath_ = path;
    partner_ = read.names;
    return true;
}

// The partner's list matched against the list shown: the Partner column,
// the choice of the names marked by both, and the names the list lacks.
void FinderWindow::applyPartner() {
    const bool comparing = !partnerPath_.isEmpty();
    const PartnerMatch match = comparing ? MatchPartner(partner_, model_->list()) : PartnerMatch{};
    model_->setPartner(match.held);
    table_->setColumnHidden(NamesModel::PartnerColumn, !comparing);
    filters_->setComparing(comparing);
    stopButton_->setEnabled(comparing);
    applyFilter();
    if (!match.missing.isEmpty()) {
        notify(QStringLiteral("%1 of %2 %3 not in this list: %4")
                   .arg(NamesText(match.missing.size()), Quoted(QFileInfo(partnerPath_).fileName()),
                        match.missing.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"),
                        match.missing.join(QStringLiteral(", "))));
    }
}

void FinderWindow::stopComparing() {
    partnerPath_.clear();
    partner_.clear();
    applyPartner();
    remember(FinderSettings::PartnerPath({}));
}

bool FinderWindow::printMarkedNames() {
    const std::vector<std::int32_t> entries = model_->markedEntries();
    const std::vector<Shown> marked = ShownMarks(*model_);
    if (marked.empty()) {
        return false;
    }
    PrintedShortlist shortlist;
    shortlist.title = QStringLiteral("Names for the child of %1 (%2) and %3 (%4)")
                          .arg(father_.written)
                          .arg(father_.number)
                          .arg(mother_.written)
                          .arg(mother_.number);
    shortlist.comparing = model_->comparing();
    for (std::size_t i = 0; i < marked.size(); ++i) {
        const Shown& shown = marked[i];
        PrintedName name;
        name.title = (shown.sex.isEmpty() ? shown.name
                                          : QStringLiteral("%1 (%2)").arg(shown.name, shown.sex)) +
                     QStringLiteral(", number ") + shown.number;
        name.verdicts = QStringLiteral("Mother: %1 \u00B7 Father: %2")
                            .arg(shown.verdict.mother, shown.verdict.father);
        if (!shown.births.isEmpty()) {
            name.births = QStringLiteral("Births %1 \u00B7 trend %2")
                              .arg(CountText(shown.births.toLongLong()), shown.trend);
        }
        name.working = text::WeighName(shown.name).working;
        name.markedByBoth = i < entries.size() && model_->partnerHolds(entries[i]);
        shortlist.names.push_back(name);
    }
    return printing_.print(QStringLiteral("Marked names"), [&shortlist](QPagedPaintDevice& pages) {
        PaintShortlist(pages, shortlist);
    });
}

} // namespace kindrell::finder
