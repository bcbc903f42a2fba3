#pragma once

// The name finder's table: a list of names weighed against the two parents,
// filtered and ordered, with the user's marks.
//
// The model keeps the selected rows as a vector of indices into the list and
// resets whenever parents, filter or order change: with the list's orders
// prepared in advance that is a single pass over the list (namelist_bench),
// where a sorting and filtering proxy would compare names on every keystroke.

#include "finder/marks_store.h"
#include "namelist/name_list.h"
#include "namelist/spellings.h"
#include "namelist/weighing.h"
#include "textrules/name_folding.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kindrell::finder {

class NamesModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column {
        NameColumn,
        SexColumn,
        NumberColumn,
        MotherColumn,
        FatherColumn,
        BirthsColumn,
        TrendColumn,
        PartnerColumn, // shown while a partner's list is compared
    };
    static constexpr int kColumnCount = 8;

    explicit NamesModel(QObject* parent = nullptr);

    // A new list to weigh, with its marks: the entries they name are marked,
    // and the marks of names the list does not hold are kept as they are, to
    // come back with the names. Gives back the list it held, for the caller
    // to let go of where that does not hold the window (a million names
    // take some 50 ms to free: BM_LongestWaitWhileOpeningLargestList).
    [[nodiscard]] namelist::NameList setList(namelist::NameList list,
                                             const std::vector<MarkedName>& marks = {});
    const namelist::NameList& list() const { return list_; }

    // With either name blank (empty or spaces only) the table is empty.
    void setParents(const text::WeighedName& father, const text::WeighedName& mother);
    bool parentsGiven() const { return parentsGiven_; }
    const namelist::Weighing& weighing() const { return weighing_; }

    // The filters and the order. Harmony "Marked" shows the marked names,
    // whatever the other filters say; a name unmarked while they are shown
    // stays in the table until it is filled again.
    void setFilter(const namelist::Filter& filter);
    const namelist::Filter& filter() const { return filter_; }
    bool markedOnly() const {
        return filter_.harmony == namelist::HarmonyFilter::Marked ||
               filter_.harmony == namelist::HarmonyFilter::MarkedByBoth;
    }
    // The filter's liked name, looked up in the list. When the list holds
    // it, its own entries stand first, whatever the filters say.
    const namelist::LikedName& liked() const { return liked_; }
    int likedRowCount() const { return likedRows_; }
    const namelist::Ordering& ordering() const { return filter_.ordering; }

    // The entry shown in a row, as an index into list().entries().
    std::int32_t entryIndexAt(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    const namelist::NameEntry& entryAt(int row) const;
    // The row showing an entry, or -1.
    int rowOf(std::int32_t entryIndex) const;

    // With a liked name and its middle names asked for, each row shows an
    // entry as the middle name of a full name ("Sofia Grace"), weighed
    // whole; nullptr otherwise.
    const namelist::MiddleNames* middleNames() const { return middle_ ? &*middle_ : nullptr; }
    // The name a row shows for an entry, and the number it is weighed by:
    // the entry's own, or the full name's.
    QString shownName(std::int32_t entryIndex) const;
    DestinyNumber shownNumber(std::int32_t entryIndex) const;

    // Marks belong to names and sexes, so that they stay while filters hide
    // them: an entry's, or a full name's (kept as a name the list does not
    // hold). Whether the name shown for the entry is marked:
    bool isMarked(std::int32_t entryIndex) const;
    void toggleMark(int row);
    // Every mark, the entries' and the names the list does not hold.
    qsizetype markedCount() const {
        return markedCount_ + static_cast<qsizetype>(absentMarks_.size());
    }
    // The marked names in list order.
    QStringList markedNames() const;
    // The marked entries in list order.
    std::vector<std::int32_t> markedEntries() const;
    // Every mark: the marked entries in list order, then the marks of names
    // the list does not hold, as they were given.
    std::vector<MarkedName> marks() const;
    const std::vector<MarkedName>& absentMarks() const { return absentMarks_; }
    qsizetype absentMarkCount() const { return static_cast<qsizetype>(absentMarks_.size()); }

    // A partner's list compared: for each entry of the list, whether it
    // holds it; empty while none is.
    void setPartner(std::vector<bool> held);
    bool comparing() const { return !partner_.empty(); }
    bool partnerHolds(std::int32_t entryIndex) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Each column's first order is its natural one: most births first for
    // Births, the greatest rise first for Trend, ascending for the others.
    void sort(int column, Qt::SortOrder order) override;
    static Qt::SortOrder NaturalOrder(int column);
    static int ColumnOf(namelist::SortKey key);
    static namelist::SortKey KeyOf(int column);

  signals:
    // Any change of the marks, a new list's included.
    void marksChanged();
    // A mark the user made or took back.
    void marksEdited();

  private:
    void select();
    void selectMiddleNames();
    void putLikedFirst();
    void weighMiddleNames();
    bool fullNameMarked(std::int32_t entryIndex) const;
    void applyMarks(const std::vector<MarkedName>& marks);

    namelist::NameList list_;
    namelist::Weighing weighing_ = namelist::Weighing::OfNumbers(0, 0);
    bool parentsGiven_ = false;
    namelist::Filter filter_;
    namelist::LikedName liked_;
    std::optional<namelist::MiddleNames> middle_;
    std::vector<std::int32_t> rows_;
    int likedRows_ = 0; // the first rows, the liked name's own entries
    std::vector<bool> marked_;
    qsizetype markedCount_ = 0;
    std::vector<MarkedName> absentMarks_;
    std::vector<bool> partner_;
    std::array<namelist::VerdictTexts, 4> verdictTexts_;
};

} // namespace kindrell::finder
