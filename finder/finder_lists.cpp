// The lists the finder weighs: the bundled one and the user's own, each
// with the marks kept for it as they are made, the list that was open when
// the finder last ran, and the marked names saved as a shortlist.

#include "finder/finder_window.h"

#include "engine/name_number.h"
#include "finder/count_lines.h"
#include "finder/names_model.h"
#include "namelist/name_file.h"

#include <QFileInfo>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <QTimer>

#include <utility>

namespace kindrell::finder {
namespace {

const QString kListFilter = QStringLiteral("Text files (*.txt);;All files (*)");

// One sentence for each kind of line left out of a list or merged, or the
// empty text.
QString LeftOutText(const namelist::NameFileContents& contents) {
    QStringList sentences;
    const auto add = [&sentences](qsizetype count, const QString& one, const QString& many) {
        if (count > 0) {
            sentences << (count == 1 ? one : many.arg(CountText(count)));
        }
    };
    const QString encoding = contents.utf16 ? QStringLiteral("UTF-16") : QStringLiteral("UTF-8");
    add(contents.invalidLines,
        QStringLiteral("1 line that is not valid %1 was left out.").arg(encoding),
        QStringLiteral("%1 lines that are not valid ") + encoding +
            QStringLiteral(" were left out."));
    add(contents.controlLines,
        QStringLiteral("1 line with a control character in the name was left out."),
        QStringLiteral("%1 lines with control characters in the name were left out."));
    add(contents.tooLongLines,
        QStringLiteral("1 line with a name longer than %1 characters was left out.")
            .arg(CountText(static_cast<qint64>(kMaxNameLength))),
        QStringLiteral("%1 lines with names longer than ") +
            CountText(static_cast<qint64>(kMaxNameLength)) +
            QStringLiteral(" characters were left out."));
    add(contents.repeats, QStringLiteral("1 repeated name was merged."),
        QStringLiteral("%1 repeated names were merged."));
    return sentences.join(QLatin1Char(' '));
}

// Why a list was not opened; the list shown stays as it was.
QString NotOpenedText(const QString& fileName, const namelist::NameFileRead& read) {
    switch (read.problem) {
    case namelist::NameFileProblem::TooLarge:
        return QStringLiteral("%1 is larger than %2 MB, more than the finder opens. The list "
                              "shown is unchanged.")
            .arg(Quoted(fileName), CountText(namelist::kMaxListBytes / (qint64{1024} * 1024)));
    case namelist::NameFileProblem::TooManyNames:
        return QStringLiteral("%1 holds more than %2 names, more than the finder opens. The "
                              "list shown is unchanged.")
            .arg(Quoted(fileName), CountText(namelist::kMaxListNames));
    case namelist::NameFileProblem::Unreadable:
    case namelist::NameFileProblem::Stopped:
    case namelist::NameFileProblem::None:
        break;
    }
    return QStringLiteral("%1 could not be read: %2.").arg(Quoted(fileName), read.error);
}

} // namespace

void FinderWindow::showList(const QString& path) {
    listPath_ = path;
    const QString fileName = QFileInfo(path).fileName();
    setWindowTitle(path.isEmpty() ? kFinderTitle
                                  : QStringLiteral("%1 \u2014 %2").arg(fileName, kFinderTitle));
    bundledButton_->setEnabled(!path.isEmpty());
    applyFilter(); // a list of one's own says nothing of sex
}

// A list replaces the one shown, with its own marks; no name of the old
// list stays selected. A marks file that cannot be read is moved aside,
// never written over; when it cannot be moved either, the list's marks are
// not kept this time.
void FinderWindow::useList(const QString& path, namelist::NameList list) {
    selectedEntry_ = -1;
    table_->selectionModel()->clearSelection();
    const MarksRead read = marksStore_.read(path);
    loader_->discard(model_->setList(std::move(list), read.marks));
    showList(path);
    applyPartner();
    remember(FinderSettings::ListPath(path));
    marksKept_ = true;
    if (!read.problem.isEmpty()) {
        const MarksStore::SetAside aside = marksStore_.setAside(path, clock_.today());
        marksKept_ = !aside.path.isEmpty();
        notify(marksKept_
                   ? QStringLiteral("The marks of this list could not be read (%1), so none is "
                                    "shown marked; the file was moved to %2.")
                         .arg(read.problem, Quoted(aside.path))
                   : QStringLiteral("The marks of this list could not be read (%1), so none is "
                                    "shown marked, and marks made now are not kept.")
                         .arg(read.problem));
    } else if (const qsizetype absent = model_->absentMarkCount(); absent > 0) {
        notify(
            absent == 1
                ? QStringLiteral("1 marked name is not in this list.")
                : QStringLiteral("%1 marked names are not in this list.").arg(CountText(absent)));
    }
}

void FinderWindow::openStartingList() {
    if (const QString path = std::exchange(startingListPath_, {}); !path.isEmpty()) {
        startingListLoading_ = true;
        loader_->load(path);
        return;
    }
    useBundledList();
}

void FinderWindow::openStartingListOnceShown() {
    loadOnPaint_ = true;
}

void FinderWindow::useBundledList() {
    loader_->stop();
    clearNotice(Notice::ReadingList);
    if (!listPath_.isEmpty() || model_->list().empty()) {
        useList({}, namelist::LoadBundledNames());
    }
}

bool FinderWindow::readingList() const {
    return loader_->busy();
}

bool FinderWindow::openList() {
    const QString path = files_.chooseFileToOpen(QStringLiteral("Open list"), kListFilter);
    if (path.isEmpty()) {
        return false;
    }
    startingListLoading_ = false;
    loader_->load(QFileInfo(path).absoluteFilePath());
    notify(QStringLiteral("Reading %1\u2026").arg(Quoted(QFileInfo(path).fileName())),
           Notice::ReadingList);
    return true;
}

// A list read off the window's thread arrives. The list that was open at
// the last run gives way to the bundled list when it cannot be read again;
// one the user chose is told of in a message, and the list shown stays.
void FinderWindow::listArrived(LoadedList loaded) {
    const QString fileName = QFileInfo(loaded.path).fileName();
    const namelist::NameFileRead& read = loaded.read;
    const bool opened = read.problem == namelist::NameFileProblem::None && !loaded.list.empty();
    if (std::exchange(startingListLoading_, false)) {
        if (opened) {
            useList(loaded.path, std::move(loaded.list));
        } else {
            useBundledList();
            notify(QStringLiteral("%1 could not be opened again, so the bundled list is shown.")
                       .arg(Quoted(fileName)));
        }
        return;
    }
    clearNotice(Notice::ReadingList);
    if (read.problem != namelist::NameFileProblem::None) {
        messages_.showError(NotOpenedText(fileName, read));
        return;
    }
    const QString leftOut = LeftOutText(read.contents);
    if (!opened) {
        messages_.showError(
            QStringList{QStringLiteral("%1 holds no names.").arg(Quoted(fileName)), leftOut}
                .join(QLatin1Char(' '))
                .trimmed());
        return;
    }
    useList(loaded.path, std::move(loaded.list));
    if (read.contents.changedWhileRead) {
        notify(QStringLiteral("%1 changed while it was read; %2 were read.")
                   .arg(Quoted(fileName), NamesText(loaded.names)));
    }
    if (!leftOut.isEmpty()) {
        messages_.showInformation(QStringLiteral("%1 read from %2. %3")
                                      .arg(NamesText(loaded.names), Quoted(fileName), leftOut));
    }
}

// Every mark, those of names the list does not hold included, is written at
// each change; a write that fails leaves the earlier marks as they were.
void FinderWindow::keepMarks() {
    if (!marksKept_) {
        return;
    }
    if (const QString problem = marksStore_.write(listPath_, model_->marks()); !problem.isEmpty()) {
        notify(QStringLiteral("The marks could not be kept: %1. The earlier marks are unchanged.")
                   .arg(problem),
               Notice::MarksNotKept);
    } else {
        clearNotice(Notice::MarksNotKept);
    }
}

} // namespace kindrell::finder
