#pragma once

// The finder's filters, built from the table of filters (namelist/filters.h):
// the line of the name one likes, and a row of the others that wraps when
// the window is narrow. It gives the filters as one value and says which of
// them changed; the window asks it, not each box.

#include "namelist/filters.h"

#include <QObject>
#include <QString>

#include <vector>

class QLabel;
class QWidget;

namespace kindrell::widgets {
class FlowRow;
} // namespace kindrell::widgets

namespace kindrell::finder {

class FilterRow final : public QObject {
    Q_OBJECT
  public:
    // The controls are children of `parent`, each named as the table names
    // it ("sexBox") and labelled by its caption.
    explicit FilterRow(QWidget* parent);

    namelist::Filter value() const;
    // Shows the filters without saying that they changed.
    void setValue(const namelist::Filter& filter);

    // The marked names are shown whatever the other filters say; a list of
    // one's own says nothing of sex and has no spellings.
    void enableFor(bool markedOnly, bool ownList);
    // Offers the choices that compare with a partner's list, or takes them
    // back: a filter set on one of them goes back to the choice before it,
    // and is said to have changed.
    void setComparing(bool comparing);

    // Where the window places them: the liked name's caption and line (its
    // box and the choices beside it) for its form, the row of the others
    // below.
    QLabel* likedCaption() const { return likedCaption_; }
    QWidget* likedLine() const { return likedLine_; }
    QWidget* likedBox() const { return likedBox_; }
    widgets::FlowRow* row() const { return row_; }
    // The controls in the order Tab goes through them.
    std::vector<QWidget*> tabOrder() const;

  signals:
    // A filter the user changed, with every filter as they now stand.
    void changed(const kindrell::namelist::FilterField& field);

  private:
    QWidget* build(const namelist::FilterField& field, QWidget* parent);

    struct Control {
        const namelist::FilterField* field;
        QWidget* widget;
    };
    std::vector<Control> controls_;
    QLabel* likedCaption_ = nullptr;
    QWidget* likedLine_ = nullptr;
    QWidget* likedBox_ = nullptr;
    widgets::FlowRow* row_ = nullptr;
};

} // namespace kindrell::finder
