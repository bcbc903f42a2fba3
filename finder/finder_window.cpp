#include "finder/finder_window.h"

#include "engine/name_number.h"
#include "enginetext/engine_text.h"
#include "finder/names_model.h"
#include "namelist/name_file.h"
#include "resources/program_icon.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace kindrell::finder {
namespace {

const QString kListFilter = QStringLiteral("Text files (*.txt);;All files (*)");

// Space marks the current row whichever cell is current, not only when the
// name's check box cell is.
class MarkingTableView final : public QTableView {
  public:
    using QTableView::QTableView;

    // The width that shows every column whole (see buildControls).
    void setPreferredWidth(int width) { preferredWidth_ = width; }
    QSize sizeHint() const override {
        const QSize hint = QTableView::sizeHint();
        return {std::max(hint.width(), preferredWidth_), hint.height()};
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        auto* names = qobject_cast<NamesModel*>(model());
        if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
            names != nullptr && currentIndex().isValid()) {
            names->toggleMark(currentIndex().row());
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }

  private:
    int preferredWidth_ = 0;
};

QString Quoted(const QString& text) {
    return QStringLiteral("\u201C%1\u201D").arg(text);
}

QString NotUtf8Text(qsizetype lines) {
    return lines == 1 ? QStringLiteral("1 line that is not valid UTF-8 was left out.")
                      : QStringLiteral("%1 lines that are not valid UTF-8 were left out.")
                            .arg(NamesModel::CountText(lines));
}

QString NamesText(qsizetype count) {
    return NamesModel::CountText(count) +
           (count == 1 ? QStringLiteral(" name") : QStringLiteral(" names"));
}

QComboBox* Choices(QWidget* parent, std::initializer_list<std::pair<const char*, int>> items) {
    auto* box = new QComboBox(parent);
    for (const auto& [text, value] : items) {
        box->addItem(QString::fromLatin1(text), value);
    }
    return box;
}

} // namespace

FinderWindow::FinderWindow(platform::MessageBoxes& messages, platform::FileChooser& files,
                           QWidget* parent)
    : QMainWindow(parent), messages_(messages), files_(files), model_(new NamesModel(this)) {
    setWindowTitle(kFinderTitle);
    setWindowIcon(resources::programIcon());
    buildControls();
    showList({});
    showMarks();
    showSelected();
    // As wide as the controls ask, as high as some forty lines of the
    // user's font: no size in pixels.
    resize(sizeHint().width(), fontMetrics().lineSpacing() * 40);
}

FinderWindow::~FinderWindow() = default;

void FinderWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    // The parents.
    auto* parents = new QFormLayout;
    fatherBox_ = new QLineEdit(central);
    motherBox_ = new QLineEdit(central);
    auto* fatherLabel = new QLabel(QStringLiteral("&Father's name"), central);
    auto* motherLabel = new QLabel(QStringLiteral("&Mother's name"), central);
    fatherLabel->setBuddy(fatherBox_);
    motherLabel->setBuddy(motherBox_);
    parents->addRow(fatherLabel, fatherBox_);
    parents->addRow(motherLabel, motherBox_);
    layout->addLayout(parents);

    // The filters, each with its label.
    auto* filters = new QHBoxLayout;
    const auto addFilter = [&](const QString& text, QWidget* control) {
        auto* label = new QLabel(text, central);
        label->setBuddy(control);
        filters->addWidget(label);
        filters->addWidget(control);
    };
    sexBox_ = Choices(central, {{"Girls and boys", static_cast<int>(namelist::SexFilter::Both)},
                                {"Girls", static_cast<int>(namelist::SexFilter::Girls)},
                                {"Boys", static_cast<int>(namelist::SexFilter::Boys)}});
    harmonyBox_ = Choices(
        central, {{"With both parents", static_cast<int>(namelist::HarmonyFilter::WithBoth)},
                  {"With the mother", static_cast<int>(namelist::HarmonyFilter::WithMother)},
                  {"With the father", static_cast<int>(namelist::HarmonyFilter::WithFather)},
                  {"Any", static_cast<int>(namelist::HarmonyFilter::Any)}});
    prefixBox_ = new QLineEdit(central);
    numberBox_ = Choices(central, {{"Any", -1}});
    for (int number = 1; number <= 9; ++number) {
        numberBox_->addItem(QString::number(number), number);
    }
    addFilter(QStringLiteral("S&ex"), sexBox_);
    addFilter(QStringLiteral("&Harmony"), harmonyBox_);
    addFilter(QStringLiteral("Starts &with"), prefixBox_);
    addFilter(QStringLiteral("N&umber"), numberBox_);
    filters->addStretch();
    layout->addLayout(filters);

    // The table with its count line.
    auto* tableLabel = new QLabel(QStringLiteral("N&ames"), central);
    countLine_ = new QLabel(central);
    auto* tableHeading = new QHBoxLayout;
    tableHeading->addWidget(tableLabel);
    tableHeading->addStretch();
    tableHeading->addWidget(countLine_);
    layout->addLayout(tableHeading);
    auto* table = new MarkingTableView(central);
    table_ = table;
    tableLabel->setBuddy(table_);
    // Unlike line edits and combo boxes, Qt's accessible table takes no name
    // from its buddy label; the table's own name never changes.
    table_->setAccessibleName(QStringLiteral("Names"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Rows of one line of text; the style's default leaves room for two.
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().lineSpacing() * 3 / 2);
    QHeaderView* header = table_->horizontalHeader();
    header->setSortIndicator(NamesModel::BirthsColumn, Qt::DescendingOrder);
    table_->setSortingEnabled(true);
    // Widths from the texts the columns hold, in the user's font; a column
    // sized to its contents would measure rows on every keystroke.
    const QFontMetrics metrics = table_->fontMetrics();
    const int padding = metrics.averageCharWidth() * 4;
    const auto widthOf = [&](const char* widest) {
        return metrics.horizontalAdvance(QString::fromLatin1(widest)) + padding;
    };
    header->setSectionResizeMode(NamesModel::NameColumn, QHeaderView::Stretch);
    const std::array<int, NamesModel::kColumnCount> widths{
        // The check box, then room for most names.
        metrics.height() * 2 + widthOf("Christopher"),
        widthOf("girl"),
        widthOf("Number"),
        widthOf("Not Harmonious At All"),
        widthOf("Not Harmonious At All"),
        widthOf("000,000"),
    };
    int tableWidth = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < NamesModel::kColumnCount; ++column) {
        header->resizeSection(column, widths.at(static_cast<std::size_t>(column)));
        tableWidth += widths.at(static_cast<std::size_t>(column));
    }
    table->setPreferredWidth(tableWidth);
    layout->addWidget(table_, 1);

    // The selected name.
    auto* selected = new QGroupBox(QStringLiteral("Selected name"), central);
    auto* selectedLayout = new QVBoxLayout(selected);
    selectedName_ = new QLabel(selected);
    working_ = new QLabel(selected);
    motherLine_ = new QLabel(selected);
    fatherLine_ = new QLabel(selected);
    for (QLabel* label : {selectedName_, working_, motherLine_, fatherLine_}) {
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        selectedLayout->addWidget(label);
    }
    QFont bold = selectedName_->font();
    bold.setBold(true);
    selectedName_->setFont(bold);
    layout->addWidget(selected);

    // The lists.
    auto* buttons = new QHBoxLayout;
    openButton_ = new QPushButton(QStringLiteral("&Open list..."), central);
    bundledButton_ = new QPushButton(QStringLiteral("Use the &bundled list"), central);
    saveButton_ = new QPushButton(QStringLiteral("&Save marked names..."), central);
    markedLine_ = new QLabel(central);
    buttons->addWidget(openButton_);
    buttons->addWidget(bundledButton_);
    buttons->addStretch();
    buttons->addWidget(markedLine_);
    buttons->addWidget(saveButton_);
    layout->addLayout(buttons);
    setCentralWidget(central);

    const auto reweigh = [this] {
        model_->setParents(fatherBox_->text(), motherBox_->text());
        showCount();
    };
    connect(fatherBox_, &QLineEdit::textChanged, this, reweigh);
    connect(motherBox_, &QLineEdit::textChanged, this, reweigh);
    connect(sexBox_, &QComboBox::currentIndexChanged, this, &FinderWindow::applyFilter);
    connect(harmonyBox_, &QComboBox::currentIndexChanged, this, &FinderWindow::applyFilter);
    connect(numberBox_, &QComboBox::currentIndexChanged, this, &FinderWindow::applyFilter);
    connect(prefixBox_, &QLineEdit::textChanged, this, &FinderWindow::applyFilter);
    connect(openButton_, &QPushButton::clicked, this, &FinderWindow::openList);
    connect(bundledButton_, &QPushButton::clicked, this, &FinderWindow::useBundledList);
    connect(saveButton_, &QPushButton::clicked, this, &FinderWindow::saveMarkedNames);
    connect(model_, &NamesModel::marksChanged, this, &FinderWindow::showMarks);
    // The selected name stays selected while it is shown. (The selection
    // model empties itself on a reset without a signal, so selectedEntry_
    // still names it here.)
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (const int row = model_->rowOf(selectedEntry_); row >= 0) {
            table_->selectRow(row);
        }
        showSelected();
    });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FinderWindow::showSelected);
}

void FinderWindow::applyFilter() {
    namelist::Filter filter;
    filter.sex = static_cast<namelist::SexFilter>(sexBox_->currentData().toInt());
    filter.harmony = static_cast<namelist::HarmonyFilter>(harmonyBox_->currentData().toInt());
    filter.prefix = prefixBox_->text();
    if (const int number = numberBox_->currentData().toInt(); number > 0) {
        filter.number = static_cast<DestinyNumber>(number);
    }
    model_->setFilter(filter);
    showCount();
}

void FinderWindow::showCount() {
    if (!model_->parentsGiven()) {
        countLine_->setText(QStringLiteral("Type the father's and the mother's names."));
        return;
    }
    countLine_->setText(NamesModel::CountText(model_->rowCount()) + QStringLiteral(" of ") +
                        NamesText(model_->list().size()));
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

void FinderWindow::showList(const QString& fileName) {
    listFileName_ = fileName;
    setWindowTitle(fileName.isEmpty() ? kFinderTitle
                                      : QStringLiteral("%1 \u2014 %2").arg(fileName, kFinderTitle));
    bundledButton_->setEnabled(!fileName.isEmpty());
    // An opened list says nothing of sex; its names pass every sex filter.
    sexBox_->setEnabled(fileName.isEmpty());
    showCount();
}

void FinderWindow::useBundledList() {
    if (!listFileName_.isEmpty() || model_->list().empty()) {
        if (!marksMayGo()) {
            return;
        }
        model_->setList(namelist::LoadBundledNames());
    }
    showList({});
}

void FinderWindow::useBundledListOnceShown() {
    loadOnPaint_ = true;
}

bool FinderWindow::event(QEvent* event) {
    if (event->type() == QEvent::Paint && loadOnPaint_) {
        loadOnPaint_ = false;
        // After this paint has reached the screen.
        QTimer::singleShot(0, this, &FinderWindow::useBundledList);
    }
    return QMainWindow::event(event);
}

bool FinderWindow::openList() {
    const QString path = files_.chooseFileToOpen(QStringLiteral("Open list"), kListFilter);
    if (path.isEmpty()) {
        return false;
    }
    const QString fileName = QFileInfo(path).fileName();
    const namelist::NameFileRead read = namelist::ReadNameFile(path);
    if (!read.error.isEmpty()) {
        messages_.showError(
            QStringLiteral("%1 could not be read: %2.").arg(Quoted(fileName), read.error));
        return false;
    }
    const namelist::NameFileContents& contents = read.contents;
    if (contents.names.isEmpty()) {
        QString text = QStringLiteral("%1 holds no names.").arg(Quoted(fileName));
        if (contents.notUtf8Lines > 0) {
            text += QLatin1Char(' ') + NotUtf8Text(contents.notUtf8Lines);
        }
        messages_.showError(text);
        return false;
    }
    if (!marksMayGo()) {
        return false;
    }
    model_->setList(namelist::NameList::FromNames(contents.names));
    showList(fileName);
    if (contents.notUtf8Lines > 0) {
        messages_.showInformation(QStringLiteral("%1 read from %2. %3")
                                      .arg(NamesText(contents.names.size()), Quoted(fileName),
                                           NotUtf8Text(contents.notUtf8Lines)));
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
    model_->marksSaved();
    return true;
}

bool FinderWindow::marksMayGo() {
    const qsizetype marked = model_->markedCount();
    if (!model_->hasUnsavedMarks() || marked == 0) {
        return true;
    }
    const QString text = marked == 1 ? QStringLiteral("1 marked name is not saved. Save it?")
                                     : QStringLiteral("%1 marked names are not saved. Save them?")
                                           .arg(NamesModel::CountText(marked));
    switch (messages_.show(text, platform::MessageIcon::Warning,
                           platform::MessageButtons::SaveDiscardCancel,
                           platform::MessageAnswer::Save)) {
    case platform::MessageAnswer::Save:
        return saveMarkedNames();
    case platform::MessageAnswer::Discard:
        return true;
    default:
        return false;
    }
}

void FinderWindow::closeEvent(QCloseEvent* event) {
    if (marksMayGo()) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace kindrell::finder
