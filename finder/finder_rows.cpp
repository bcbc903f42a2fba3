// The finder window's controls, row by row: the parents, the filters and
// the order, the table with its count lines, the selected name, the lists.

#include "finder/births_chart.h"
#include "finder/filter_row.h"
#include "finder/finder_window.h"
#include "finder/names_model.h"
#include "widgets/flow_row.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace kindrell::finder {
namespace {

// Space marks the current row whichever cell is current, not only when the
// name's check box cell is.
class MarkingTableView final : public QTableView {
  public:
    using QTableView::QTableView;

    // The width that shows every column whole, and the height of a few rows
    // (see buildTable): on a small screen the table gives up its height
    // before anything else does, and takes what is left on a large one.
    void setPreferredSize(QSize size) { preferredSize_ = size; }
    QSize sizeHint() const override { return preferredSize_; }
    QSize minimumSizeHint() const override {
        return {QTableView::minimumSizeHint().width(), preferredSize_.height()};
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
    QSize preferredSize_;
};

template <class Widget> Widget* Named(Widget* widget, const char* objectName) {
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

// A label whose text the window changes: plain text, read as it stands.
QLabel* Line(QWidget* parent, const char* objectName) {
    auto* line = Named(new QLabel(parent), objectName);
    line->setTextFormat(Qt::PlainText);
    return line;
}

QLabel* Buddy(const QString& text, QWidget* control) {
    auto* label = new QLabel(text, control->parentWidget());
    label->setBuddy(control);
    return label;
}

} // namespace

void FinderWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    // The table first: the label above it names it.
    buildTable(central);
    filters_ = new FilterRow(central);
    layout->addLayout(buildParentsRows(central));
    layout->addWidget(filters_->row());
    auto* tableHeading = new QHBoxLayout;
    countLine_ = Line(central, "countLine");
    tableHeading->addWidget(Buddy(QStringLiteral("N&ames"), table_));
    tableHeading->addStretch();
    tableHeading->addWidget(countLine_);
    layout->addLayout(tableHeading);
    // In the table's place when it shows no name: why.
    emptyLine_ = Line(central, "emptyLine");
    emptyLine_->setWordWrap(true);
    emptyLine_->hide();
    layout->addWidget(emptyLine_);
    layout->addWidget(table_, 1);
    layout->addWidget(buildSelectedPane(central));
    noticeLine_ = Line(central, "noticeLine");
    noticeLine_->setWordWrap(true);
    noticeLine_->hide();
    layout->addWidget(noticeLine_);
    layout->addWidget(buildListsRow(central));
    setCentralWidget(central);
    // Tab goes top to bottom, and the window opens with the father's box
    // taking what is typed, whatever order the controls were made in.
    std::vector<QWidget*> tabOrder{fatherBox_, motherBox_};
    for (QWidget* filter : filters_->tabOrder()) {
        tabOrder.push_back(filter);
    }
    tabOrder.insert(tabOrder.end(), {table_, openButton_, bundledButton_, compareButton_,
                                     stopButton_, saveButton_, printButton_});
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
    }
    fatherBox_->setFocus();
}

QFormLayout* FinderWindow::buildParentsRows(QWidget* central) {
    auto* parents = new QFormLayout;
    const auto addParent = [&](const QString& caption, QLineEdit*& box, QLabel*& number,
                               const char* boxName, const char* numberName) {
        box = Named(new QLineEdit(central), boxName);
        number = Line(central, numberName);
        // Room for "Number 9", so that the box does not move as it appears.
        number->setMinimumWidth(
            number->fontMetrics().horizontalAdvance(QStringLiteral("Number 99")));
        auto* row = new QHBoxLayout;
        row->addWidget(box, 1);
        row->addWidget(number);
        parents->addRow(Buddy(caption, box), row);
    };
    addParent(QStringLiteral("&Father's name"), fatherBox_, fatherNumber_, "fatherBox",
              "fatherNumber");
    addParent(QStringLiteral("&Mother's name"), motherBox_, motherNumber_, "motherBox",
              "motherNumber");
    if (auto* like = qobject_cast<QLineEdit*>(filters_->likedBox())) {
        like->setPlaceholderText(QStringLiteral("Its spellings, or its middle names"));
    }
    parents->addRow(filters_->likedCaption(), filters_->likedLine());
    return parents;
}

void FinderWindow::buildTable(QWidget* central) {
    auto* table = Named(new MarkingTableView(central), "table");
    table_ = table;
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
    // Widths from the texts the columns hold, in the user's font made bold
    // as the liked name's rows are; a column sized to its contents would
    // measure rows on every keystroke.
    QFont bold = table_->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
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
        widthOf("+00000%"),
        widthOf("Partner"),
    };
    // Shown while a partner's list is compared.
    table_->setColumnHidden(NamesModel::PartnerColumn, true);
    int tableWidth = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < NamesModel::PartnerColumn; ++column) {
        header->resizeSection(column, widths.at(static_cast<std::size_t>(column)));
        tableWidth += widths.at(static_cast<std::size_t>(column));
    }
    // The header and three rows.
    const int rows = 3;
    table->setPreferredSize(
        {tableWidth, 2 * table->frameWidth() + table_->horizontalHeader()->sizeHint().height() +
                         rows * table_->verticalHeader()->defaultSectionSize()});
}

// The lines wrap to the pane's width, and a name too long for the pane
// scrolls inside it: neither widens nor heightens the window.
QWidget* FinderWindow::buildSelectedPane(QWidget* central) {
    auto* selected = new QGroupBox(QStringLiteral("Selected name"), central);
    auto* selectedLayout = new QHBoxLayout(selected);
    auto* scroll = Named(new QScrollArea(selected), "selectedLines");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* column = new QWidget(scroll);
    auto* lines = new QVBoxLayout(column);
    lines->setContentsMargins(0, 0, 0, 0);
    selectedName_ = Line(column, "selectedName");
    working_ = Line(column, "working");
    motherLine_ = Line(column, "motherLine");
    fatherLine_ = Line(column, "fatherLine");
    sharesLine_ = Line(column, "sharesLine");
    likedLine_ = Line(column, "likedLine");
    for (QLabel* label :
         {selectedName_, working_, motherLine_, fatherLine_, sharesLine_, likedLine_}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setWordWrap(true);
        lines->addWidget(label);
    }
    lines->addStretch();
    QFont bold = selectedName_->font();
    bold.setBold(true);
    selectedName_->setFont(bold);
    scroll->setWidget(column);
    // Room for the name, its working and both verdicts; the rest scrolls,
    // so that the pane fits a small screen.
    const int lineCount = 4;
    scroll->setMinimumHeight(lineCount * selected->fontMetrics().lineSpacing() +
                             (lineCount - 1) * lines->spacing());
    chart_ = Named(new BirthsChart(selected), "birthsChart");
    selectedLayout->addWidget(scroll, 1);
    selectedLayout->addWidget(chart_, 1);
    return selected;
}

// The lists and what is done with the marked names; the row wraps on a
// narrow window, as the filters do.
widgets::FlowRow* FinderWindow::buildListsRow(QWidget* central) {
    auto* buttons = new widgets::FlowRow(central);
    const auto button = [buttons](const char* caption, const char* objectName) {
        auto* made = Named(new QPushButton(QString::fromUtf8(caption), buttons), objectName);
        buttons->add(made);
        return made;
    };
    openButton_ = button("O&pen list...", "openButton");
    bundledButton_ = button("Use the &bundled list", "bundledButton");
    compareButton_ = button("&Compare with a partner's list...", "compareButton");
    stopButton_ = button("Stop compar&ing", "stopButton");
    markedLine_ = Line(buttons, "markedLine");
    markedLine_->setMinimumHeight(openButton_->sizeHint().height());
    buttons->add(markedLine_);
    saveButton_ = button("&Save marked names...", "saveButton");
    printButton_ = button("P&rint marked names...", "printButton");
    return buttons;
}

} // namespace kindrell::finder
