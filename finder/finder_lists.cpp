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

QString Quoted(const QString& text) {
    return QStringLiteral("\u201C%1\u201D").arg(text);
}

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
    applyFilter(); // a list of one's own has no spellings
}

// A list replaces the one shown, with its own marks; no name of the old
// list stays selected.
void FinderWindow::useList(const QString& path, namelist::NameList list) {
    selectedEntry_ = -1;
    table_->selectionModel()->clearSelection();
    model_->setList(std::move(list));
    showList(path);
    if (const auto marks = marksStore_.read(path); marks) {
        model_->setMarks(*marks);
    } else {
        notify(QStringLiteral("The marks of this list could not be read, so none is shown "
                              "marked."));
    }
    remember(FinderSettings::ListPath(path));
}

void FinderWindow::openStartingList() {
    if (const QString path = std::exchange(startingListPath_, {}); !path.isEmpty()) {
        const namelist::NameFileRead read = namelist::ReadNameFile(path);
        if (read.problem == namelist::NameFileProblem::None && !read.contents.names.isEmpty()) {
            useList(path, namelist::NameList::FromNames(read.contents.names));
            return;
        }
        notify(QStringLiteral("%1 could not be opened again, so the bundled list is shown.")
                   .arg(Quoted(QFileInfo(path).fileName())));
    }
    useBundledList();
}

void FinderWindow::openStartingListOnceShown() {
    loadOnPaint_ = true;
}

void FinderWindow::useBundledList() {
    if (!listPath_.isEmpty() || model_->list().empty()) {
        useList({}, namelist::LoadBundledNames());
    }
}

bool FinderWindow::openList() {
    const QString path = files_.chooseFileToOpen(QStringLiteral("Open list"), kListFilter);
    if (path.isEmpty()) {
        return false;
    }
    const QString fileName = QFileInfo(path).fileName();
    const namelist::NameFileRead read = namelist::ReadNameFile(path);
    if (read.problem != namelist::NameFileProblem::None) {
        messages_.showError(NotOpenedText(fileName, read));
        return false;
    }
    const namelist::NameFileContents& contents = read.contents;
    const QString leftOut = LeftOutText(contents);
    if (contents.names.isEmpty()) {
        messages_.showError(
            QStringList{QStringLiteral("%1 holds no names.").arg(Quoted(fileName)), leftOut}
                .join(QLatin1Char(' '))
                .trimmed());
        return false;
    }
    useList(QFileInfo(path).absoluteFilePath(), namelist::NameList::FromNames(contents.names));
    if (!leftOut.isEmpty()) {
        messages_.showInformation(
            QStringLiteral("%1 read from %2. %3")
                .arg(NamesText(contents.names.size()), Quoted(fileName), leftOut));
    }
    return true;
}

bool FinderWindow::saveMarkedNames() {
    const QStringList names = model_->markedNames();
    if (names.isEmpty()) {
        return false;
    }
    const QString path = files_.chooseFileToSave(QStringLiteral("Save marked names"),
                                                 QStringLiteral("shortlist.txt"), kListFilter);
    if (path.isEmpty()) {
        return false;
    }
    if (const QString error = namelist::WriteNameFile(path, names); !error.isEmpty()) {
        messages_.showError(QStringLiteral("The marked names could not be saved to %1: %2.")
                                .arg(Quoted(QFileInfo(path).fileName()), error));
        return false;
    }
    return true;
}

void FinderWindow::keepMarks() {
    if (!marksStore_.write(listPath_, model_->marks()) && !marksRefused_) {
        marksRefused_ = true;
        notify(QStringLiteral("The marks could not be kept, so they will be forgotten when the "
                              "finder closes; Save marked names... keeps them in a file."));
    }
}

} // namespace kindrell::finder
