// The finder window's behaviour: weighing as the user types, the parents'
// numbers, the filters, the order, and what is remembered between runs. Its
// controls are built in finder_rows.cpp, its lists and marks handled in
// finder_lists.cpp, its lines of text written in finder_lines.cpp.

#include "finder/finder_window.h"

#include "engine/compatibility.h"
#include "engine/name_number.h"
#include "finder/filter_row.h"
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

Qt::SortOrder Flipped(Qt::SortOrder order) {
    return order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
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
      clock_(services.clock), printing_(services.printing), settings_(services.settings),
      marksStore_(services.dataFiles), model_(new NamesModel(this)),
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
    // Matched with the list once it is shown; its choices offered now.
    if (!state.partnerPath.isEmpty() && readPartner(state.partnerPath, true)) {
        filters_->setComparing(true);
    }
    filters_->setValue(state.filter);
    applyOrderChoice();
    reweigh();
    applyFilter();
    startingListPath_ = state.listPath;
    saveFolder_ = state.saveFolder;
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
    // Each filter re-filters the table and is remembered as it changes; the
    // order goes through the headers.
    connect(filters_, &FilterRow::changed, this, [this](const namelist::FilterField& field) {
        if (field.orders) {
            applyOrderChoice();
        } else {
            applyFilter();
        }
        remember(FinderSettings::Filter(filters_->value(), field));
    });
    // Clicks on the headers and the order controls all come here.
    connect(table_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                showOrder(column, order);
                for (const namelist::FilterField& field : namelist::FilterFields()) {
                    if (field.orders) {
                        remember(FinderSettings::Filter(filters_->value(), field));
                    }
                }
            });
    connect(openButton_, &QPushButton::clicked, this, &FinderWindow::openList);
    connect(bundledButton_, &QPushButton::clicked, this, &FinderWindow::useBundledList);
    connect(saveButton_, &QPushButton::clicked, this, &FinderWindow::saveMarkedNames);
    connect(compareButton_, &QPushButton::clicked, this, &FinderWindow::comparePartnerList);
    connect(stopButton_, &QPushButton::clicked, this, &FinderWindow::stopComparing);
    connect(printButton_, &QPushButton::clicked, this, &FinderWindow::printMarkedNames);
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

void FinderWindow::reweigh() {
    father_ = text::WeighName(fatherBox_->text());
    mother_ = text::WeighName(motherBox_->text());
    ShowParentNumber(*fatherNumber_, father_);
    ShowParentNumber(*motherNumber_, mother_);
    model_->setParents(father_, mother_);
}

// The filters as the row gives them. Spellings come from the bundled list
// alone (a list of one's own has none, which the line above the table
// says), middle names from any list.
void FinderWindow::applyFilter() {
    model_->setFilter(filters_->value());
    filters_->enableFor(model_->markedOnly(), !listPath_.isEmpty());
}

// The order the filters ask for goes through the headers' sort indicator,
// as a click on a header does.
void FinderWindow::applyOrderChoice() {
    const namelist::Ordering ordering = filters_->value().ordering;
    const int column = NamesModel::ColumnOf(ordering.key);
    const Qt::SortOrder natural = NamesModel::NaturalOrder(column);
    table_->sortByColumn(column, ordering.reversed ? Flipped(natural) : natural);
}

// The row shows the order the headers chose.
void FinderWindow::showOrder(int column, Qt::SortOrder order) {
    namelist::Filter filter = filters_->value();
    filter.ordering = {NamesModel::KeyOf(column), order != NamesModel::NaturalOrder(column)};
    filters_->setValue(filter);
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
