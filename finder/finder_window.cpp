// The finder window's behaviour: weighing as the user types, the parents'
// numbers, the filters, the order, and what is remembered between runs. Its
// controls are built in finder_rows.cpp, its lists and marks handled in
// finder_lists.cpp, its lines of text written in finder_lines.cpp.

#include "finder/finder_window.h"

#include "engine/compatibility.h"
#include "engine/name_number.h"
#include "finder/names_model.h"
#include "resources/program_icon.h"
#include "textrules/engine_strings.h"
#include "textrules/name_folding.h"
#include "widgets/working_tooltip.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include <utility>

namespace kindrell::finder {
namespace {

HarmonyChoice HarmonyOf(const QComboBox& box) {
    return static_cast<HarmonyChoice>(box.currentData().toInt());
}

namelist::HarmonyFilter FilterOf(HarmonyChoice choice) {
    switch (choice) {
    case HarmonyChoice::WithBoth:
        return namelist::HarmonyFilter::WithBoth;
    case HarmonyChoice::WithMother:
        return namelist::HarmonyFilter::WithMother;
    case HarmonyChoice::WithFather:
        return namelist::HarmonyFilter::WithFather;
    case HarmonyChoice::Any:
    case HarmonyChoice::Marked:
        break;
    }
    return namelist::HarmonyFilter::Any;
}

std::optional<DestinyNumber> NumberOf(const QComboBox& box) {
    const int number = box.currentData().toInt();
    return number > 0 ? std::optional(static_cast<DestinyNumber>(number)) : std::nullopt;
}

Qt::SortOrder Flipped(Qt::SortOrder order) {
    return order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
}

void Choose(QComboBox& box, int value) {
    box.setCurrentIndex(std::max(0, box.findData(value)));
}

// "Number 2" beside a parent's box, with its working and what counts
// nothing ("Number 2 (李 counts nothing)"); nothing while it is blank.
void ShowParentNumber(QLabel& number, const text::WeighedName& name) {
    if (name.blank()) {
        number.clear();
        number.setToolTip({});
        number.setAccessibleDescription({});
        return;
    }
    const QString uncounted = text::UncountedText(name.uncounted);
    QString shown = QStringLiteral("Number %1").arg(name.number);
    if (!uncounted.isEmpty()) {
        // Short beside the box; whole in the tooltip.
        constexpr int kShownLetters = 24;
        shown += QStringLiteral(" (%1)").arg(number.fontMetrics().elidedText(
            uncounted, Qt::ElideMiddle, number.fontMetrics().averageCharWidth() * kShownLetters));
    }
    number.setText(shown);
    const QStringList lines{widgets::TooltipLine(name.working), uncounted};
    number.setToolTip(lines.join(u'\n').trimmed());
    number.setAccessibleDescription(
        uncounted.isEmpty() ? name.working : name.working + QStringLiteral(". ") + uncounted);
}

} // namespace

FinderWindow::FinderWindow(const FinderServices& services, QWidget* parent)
    : QMainWindow(parent), messages_(services.messages), files_(services.files),
      clock_(services.clock), settings_(services.settings), marksStore_(services.dataFiles),
      model_(new NamesModel(this)),
      loader_(new ListLoader([this](LoadedList loaded) { listArrived(std::move(loaded)); }, this)) {
    setWindowTitle(kFinderTitle);
    setWindowIcon(resources::programIcon());
    buildControls();
    readSettings();
    connectControls();
    showList({});
    showMarks();
    showSelected();
}

FinderWindow::~FinderWindow() = default;

// What was remembered, each value on its own. A store that cannot be read is
// moved aside, never written over, and the finder starts afresh.
void FinderWindow::readSettings() {
    std::optional<StoredState> stored = settings_.read();
    if (stored) {
        showState(stored->state);
        noticeStoredValues(*stored);
        return;
    }
    showState(FinderState{});
    const QString movedTo = settings_.setAside(clock_.today());
    notify(movedTo.isEmpty()
               ? QStringLiteral("The finder's settings could not be read, so it starts afresh.")
               : QStringLiteral("The finder's settings could not be read, so it starts afresh; "
                                "they were moved to %1.")
                     .arg(QStringLiteral("\u201C%1\u201D").arg(movedTo)));
}

// Values the finder did not understand stand at their defaults, which take
// their place in the store, so that this is said once.
void FinderWindow::noticeStoredValues(const StoredState& stored) {
    for (const StateValue& correction : stored.corrections) {
        remember(correction);
    }
    const qsizetype count = stored.notUnderstood.size();
    if (count == 0) {
        return;
    }
    QString named = stored.notUnderstood.constFirst();
    if (count > 1) {
        named = stored.notUnderstood.first(count - 1).join(QStringLiteral(", ")) +
                QStringLiteral(" and ") + stored.notUnderstood.constLast();
    }
    notify(count == 1
               ? QStringLiteral("The finder did not understand its stored %1, so it is back to "
                                "its default.")
                     .arg(named)
               : QStringLiteral("The finder did not understand its stored %1, so they are back "
                                "to their defaults.")
                     .arg(named));
}

// The remembered state, shown before the controls are connected: nothing
// is written back.
void FinderWindow::showState(const FinderState& state) {
    fatherBox_->setText(state.father);
    motherBox_->setText(state.mother);
    Choose(*sexBox_, static_cast<int>(state.sex));
    Choose(*harmonyBox_, static_cast<int>(state.harmony));
    prefixBox_->setText(state.prefix);
    suffixBox_->setText(state.suffix);
    likeBox_->setText(state.like);
    Choose(*numberBox_, state.number.value_or(0));
    const int column = NamesModel::ColumnOf(state.ordering.key);
    const Qt::SortOrder natural = NamesModel::NaturalOrder(column);
    const Qt::SortOrder order = state.ordering.reversed ? Flipped(natural) : natural;
    table_->sortByColumn(column, order);
    showOrder(column, order);
    reweigh();
    applyFilter();
    startingListPath_ = state.listPath;
    placeOnScreen(state.geometry);
}

void FinderWindow::connectControls() {
    // Each parent's name is weighed once, where it changes, and handed on.
    connect(fatherBox_, &QLineEdit::textChanged, this, [this](const QString& name) {
        father_ = text::WeighName(name);
        ShowParentNumber(*fatherNumber_, father_);
        model_->setParents(father_, mother_);
        remember(FinderSettings::Father(name));
    });
    connect(motherBox_, &QLineEdit::textChanged, this, [this](const QString& name) {
        mother_ = text::WeighName(name);
        ShowParentNumber(*motherNumber_, mother_);
        model_->setParents(father_, mother_);
        remember(FinderSettings::Mother(name));
    });
    connectFilters();
    connect(orderBox_, &QComboBox::currentIndexChanged, this, &FinderWindow::applyOrderChoice);
    connect(reversedBox_, &QCheckBox::toggled, this, &FinderWindow::applyOrderChoice);
    // Clicks on the headers and the two order controls all come here.
    connect(table_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                showOrder(column, order);
                remember(FinderSettings::Order(model_->ordering().key));
                remember(FinderSettings::Reversed(model_->ordering().reversed));
            });
    connect(openButton_, &QPushButton::clicked, this, &FinderWindow::openList);
    connect(bundledButton_, &QPushButton::clicked, this, &FinderWindow::useBundledList);
    connect(saveButton_, &QPushButton::clicked, this, &FinderWindow::saveMarkedNames);
    connect(model_, &NamesModel::marksChanged, this, &FinderWindow::showMarks);
    connect(model_, &NamesModel::marksEdited, this, &FinderWindow::keepMarks);
    // The selected name stays selected, and in view, while it is shown;
    // otherwise the table starts at its top, where the most given names
    // are. (The selection model empties itself on a reset without a signal,
    // so selectedEntry_ still names it here.)
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (const int row = model_->rowOf(selectedEntry_); row >= 0) {
            table_->selectRow(row);
            table_->scrollTo(model_->index(row, NamesModel::NameColumn));
        } else {
            table_->scrollToTop();
        }
        showSelected();
        showCount();
    });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FinderWindow::showSelected);
}

// Each filter re-filters the table and is remembered as it changes.
void FinderWindow::connectFilters() {
    connect(sexBox_, &QComboBox::currentIndexChanged, this, [this] {
        applyFilter();
        remember(
            FinderSettings::Sex(static_cast<namelist::SexFilter>(sexBox_->currentData().toInt())));
    });
    connect(harmonyBox_, &QComboBox::currentIndexChanged, this, [this] {
        applyFilter();
        remember(FinderSettings::Harmony(HarmonyOf(*harmonyBox_)));
    });
    connect(prefixBox_, &QLineEdit::textChanged, this, [this](const QString& prefix) {
        applyFilter();
        remember(FinderSettings::Prefix(prefix));
    });
    connect(suffixBox_, &QLineEdit::textChanged, this, [this](const QString& suffix) {
        applyFilter();
        remember(FinderSettings::Suffix(suffix));
    });
    connect(likeBox_, &QLineEdit::textChanged, this, [this](const QString& name) {
        applyFilter();
        remember(FinderSettings::Like(name));
    });
    connect(numberBox_, &QComboBox::currentIndexChanged, this, [this] {
        applyFilter();
        remember(FinderSettings::Number(NumberOf(*numberBox_)));
    });
}

void FinderWindow::reweigh() {
    father_ = text::WeighName(fatherBox_->text());
    mother_ = text::WeighName(motherBox_->text());
    ShowParentNumber(*fatherNumber_, father_);
    ShowParentNumber(*motherNumber_, mother_);
    model_->setParents(father_, mother_);
}

void FinderWindow::applyFilter() {
    const HarmonyChoice harmony = HarmonyOf(*harmonyBox_);
    const bool markedOnly = harmony == HarmonyChoice::Marked;
    namelist::Filter filter;
    filter.sex = static_cast<namelist::SexFilter>(sexBox_->currentData().toInt());
    filter.harmony = FilterOf(harmony);
    filter.prefix = prefixBox_->text();
    filter.suffix = suffixBox_->text();
    // Spellings come from the bundled list alone.
    filter.like = listPath_.isEmpty() ? likeBox_->text() : QString();
    filter.number = NumberOf(*numberBox_);
    model_->setFilter(filter, markedOnly);
    enableFilters();
}

// The marked names are shown whatever the other filters say; the names of a
// list of one's own, which says nothing of sex, pass every sex filter, and
// have no spellings.
void FinderWindow::enableFilters() {
    const bool markedOnly = model_->markedOnly();
    sexBox_->setEnabled(!markedOnly && listPath_.isEmpty());
    likeBox_->setEnabled(!markedOnly && listPath_.isEmpty());
    prefixBox_->setEnabled(!markedOnly);
    suffixBox_->setEnabled(!markedOnly);
    numberBox_->setEnabled(!markedOnly);
}

// The Order box and Reversed go through the headers' sort indicator, as a
// click on a header does.
void FinderWindow::applyOrderChoice() {
    QHeaderView* header = table_->horizontalHeader();
    const int column = orderBox_->currentIndex() >= 0 ? orderBox_->currentData().toInt()
                                                      : header->sortIndicatorSection();
    const Qt::SortOrder natural = NamesModel::NaturalOrder(column);
    table_->sortByColumn(column, reversedBox_->isChecked() ? Flipped(natural) : natural);
}

void FinderWindow::showOrder(int column, Qt::SortOrder order) {
    const QSignalBlocker orderBlocker(orderBox_);
    const QSignalBlocker reversedBlocker(reversedBox_);
    orderBox_->setCurrentIndex(orderBox_->findData(column));
    reversedBox_->setChecked(order != NamesModel::NaturalOrder(column));
}

// A remembered place and size are used only where they fit a screen: a
// size remembered on a larger screen (or stored wrong) gives way to the
// default size, a place off every screen to the middle of the screen the
// window opens on. The default is as wide as the controls ask and as high as
// some forty lines of the user's font, within the screen.
void FinderWindow::placeOnScreen(const QByteArray& stored) {
    const bool restored = !stored.isEmpty() && restoreGeometry(stored);
    const QRect wanted = geometry();
    QScreen* screen = restored ? QGuiApplication::screenAt(wanted.center()) : nullptr;
    screen = screen != nullptr ? screen : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        resize(sizeHint().width(), fontMetrics().lineSpacing() * 40);
        return;
    }
    // Room for the frame the window manager adds: a title bar and borders.
    const int frame = fontMetrics().lineSpacing() * 2;
    const int border = fontMetrics().lineSpacing() / 2;
    const QRect available = screen->availableGeometry().adjusted(border, frame, -border, -border);
    if (restored && available.contains(wanted)) {
        return;
    }
    QSize size =
        restored ? wanted.size() : QSize(sizeHint().width(), fontMetrics().lineSpacing() * 40);
    if (size.width() > available.width() || size.height() > available.height()) {
        size = QSize(sizeHint().width(), fontMetrics().lineSpacing() * 40);
    }
    size = size.boundedTo(available.size()).expandedTo(minimumSizeHint());
    // The frame, title bar included, in the middle of the screen.
    const QRect framed =
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size + QSize(0, frame - border),
                            available.adjusted(0, border - frame, 0, 0));
    setGeometry(QRect(framed.topLeft() + QPoint(0, frame - border), size));
}

void FinderWindow::bringToFront() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

bool FinderWindow::event(QEvent* event) {
    if (event->type() == QEvent::Paint && loadOnPaint_) {
        loadOnPaint_ = false;
        // After this paint has reached the screen.
        QTimer::singleShot(0, this, &FinderWindow::openStartingList);
    }
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && isVisible()) {
        rememberGeometry();
    }
    return QMainWindow::event(event);
}

void FinderWindow::closeEvent(QCloseEvent* event) {
    rememberGeometry();
    event->accept();
}

void FinderWindow::remember(const StateValue& value) {
    if (!settings_.write(value) && !settingsRefused_) {
        settingsRefused_ = true;
        notify(QStringLiteral("The finder's settings could not be saved, so it may not open as "
                              "it was left."));
    }
}

void FinderWindow::rememberGeometry() {
    remember(FinderSettings::Geometry(saveGeometry()));
}

} // namespace kindrell::finder
