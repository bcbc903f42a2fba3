#include "finder/names_model.h"

#include "finder/count_lines.h"
#include "textrules/engine_strings.h"

#include <QFont>
#include <QSet>

#include <algorithm>
#include <utility>

namespace kindrell::finder {
namespace {

using namelist::SortKey;

// The Partner column orders nothing: a click on it keeps the births order.
constexpr std::array<SortKey, NamesModel::kColumnCount> kSortKeys{
    SortKey::Name,   SortKey::Sex,    SortKey::Number, SortKey::Mother,
    SortKey::Father, SortKey::Births, SortKey::Trend,  SortKey::Births,
};

std::size_t VerdictSlot(CompatibilityVerdict verdict) {
    return static_cast<std::size_t>(verdict);
}

} // namespace

NamesModel::NamesModel(QObject* parent) : QAbstractTableModel(parent) {
    for (const CompatibilityVerdict verdict :
         {CompatibilityVerdict::Harmonious, CompatibilityVerdict::HarmoniousWithParent1,
          CompatibilityVerdict::HarmoniousWithParent2, CompatibilityVerdict::NotHarmoniousAtAll}) {
        verdictTexts_.at(VerdictSlot(verdict)) = namelist::TextsOf(verdict);
    }
}

Qt::SortOrder NamesModel::NaturalOrder(int column) {
    return column == BirthsColumn || column == TrendColumn ? Qt::DescendingOrder
                                                           : Qt::AscendingOrder;
}

namelist::SortKey NamesModel::KeyOf(int column) {
    return column >= 0 && column < kColumnCount ? kSortKeys.at(static_cast<std::size_t>(column))
                                                : SortKey::Births;
}

int NamesModel::ColumnOf(namelist::SortKey key) {
    return static_cast<int>(std::find(kSortKeys.begin(), kSortKeys.end(), key) - kSortKeys.begin());
}

namelist::NameList NamesModel::setList(namelist::NameList list,
                                       const std::vector<MarkedName>& marks) {
    std::swap(list_, list);
    partner_.clear(); // the new list is compared anew
    liked_ = namelist::FindLikedName(list_, filter_.like);
    weighMiddleNames();
    applyMarks(marks);
    select();
    emit marksChanged();
    return list;
}

void NamesModel::setParents(const text::WeighedName& father, const text::WeighedName& mother) {
    parentsGiven_ = !father.blank() && !mother.blank();
    weighing_ = namelist::Weighing::OfNumbers(father.number, mother.number);
    select();
}

void NamesModel::setFilter(const namelist::Filter& filter) {
    if (filter == filter_) {
        return;
    }
    // The liked name is looked up once, where it changes.
    const bool likedChanged = filter.like != filter_.like;
    if (likedChanged) {
        liked_ = namelist::FindLikedName(list_, filter.like);
    }
    const bool middleChanged = likedChanged || filter.middle != filter_.middle;
    filter_ = filter;
    if (middleChanged) {
        weighMiddleNames();
    }
    select();
}

void NamesModel::weighMiddleNames() {
    middle_.reset();
    if (filter_.middle && !text::TrimSpaces(filter_.like).isEmpty()) {
        middle_ = namelist::WeighMiddleNames(list_, filter_.like);
    }
}

QString NamesModel::shownName(std::int32_t entryIndex) const {
    const namelist::NameEntry& entry = list_.entries()[static_cast<std::size_t>(entryIndex)];
    return middle_ ? middle_->fullName(entry) : entry.name;
}

DestinyNumber NamesModel::shownNumber(std::int32_t entryIndex) const {
    return middle_ ? middle_->numbers[static_cast<std::size_t>(entryIndex)]
                   : list_.number(entryIndex);
}

void NamesModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kColumnCount) {
        return;
    }
    const namelist::Ordering ordering{kSortKeys.at(static_cast<std::size_t>(column)),
                                      order != NaturalOrder(column)};
    if (ordering == filter_.ordering) {
        return;
    }
    filter_.ordering = ordering;
    select();
}

void NamesModel::select() {
    beginResetModel();
    likedRows_ = 0;
    if (!parentsGiven_) {
        rows_.clear();
    } else if (middle_) {
        selectMiddleNames();
    } else if (markedOnly()) {
        namelist::Filter everyName;
        everyName.harmony = namelist::HarmonyFilter::Any;
        everyName.ordering = filter_.ordering;
        rows_ = namelist::SelectNames(list_, weighing_, everyName);
        const bool byBoth = filter_.harmony == namelist::HarmonyFilter::MarkedByBoth;
        std::erase_if(rows_, [this, byBoth](std::int32_t entry) {
            return !isMarked(entry) || (byBoth && !partnerHolds(entry));
        });
    } else {
        rows_ = namelist::SelectNames(list_, weighing_, filter_, &liked_);
        putLikedFirst();
    }
    endResetModel();
}

// The full names the filters keep; "Marked" keeps the marked full names.
void NamesModel::selectMiddleNames() {
    namelist::Filter filter = filter_;
    if (markedOnly()) {
        filter.harmony = namelist::HarmonyFilter::Any;
    }
    rows_ = namelist::SelectMiddleNames(list_, weighing_, filter, *middle_);
    if (markedOnly()) {
        std::erase_if(rows_, [this](std::int32_t entry) { return !fullNameMarked(entry); });
    }
}

// The liked name's own entries first, most births first, whatever the
// filters say: the name someone likes is the one they ask about.
void NamesModel::putLikedFirst() {
    std::vector<std::int32_t> own = liked_.own;
    if (own.empty()) {
        return;
    }
    std::erase_if(rows_, [&own](std::int32_t entry) {
        return std::find(own.begin(), own.end(), entry) != own.end();
    });
    std::stable_sort(own.begin(), own.end(), [this](std::int32_t a, std::int32_t b) {
        return list_.entries()[static_cast<std::size_t>(a)].births.value_or(0) >
               list_.entries()[static_cast<std::size_t>(b)].births.value_or(0);
    });
    rows_.insert(rows_.begin(), own.begin(), own.end());
    likedRows_ = static_cast<int>(own.size());
}

const namelist::NameEntry& NamesModel::entryAt(int row) const {
    return list_.entries().at(static_cast<std::size_t>(entryIndexAt(row)));
}

int NamesModel::rowOf(std::int32_t entryIndex) const {
    const auto it = std::find(rows_.begin(), rows_.end(), entryIndex);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

void NamesModel::setPartner(std::vector<bool> held) {
    partner_ = std::move(held);
    select();
}

bool NamesModel::partnerHolds(std::int32_t entryIndex) const {
    return entryIndex >= 0 && static_cast<std::size_t>(entryIndex) < partner_.size() &&
           partner_[static_cast<std::size_t>(entryIndex)];
}

bool NamesModel::isMarked(std::int32_t entryIndex) const {
    if (middle_) {
        return fullNameMarked(entryIndex);
    }
    return entryIndex >= 0 && static_cast<std::size_t>(entryIndex) < marked_.size() &&
           marked_[static_cast<std::size_t>(entryIndex)];
}

bool NamesModel::fullNameMarked(std::int32_t entryIndex) const {
    const MarkedName full{shownName(entryIndex),
                          list_.entries()[static_cast<std::size_t>(entryIndex)].sex};
    return std::find(absentMarks_.begin(), absentMarks_.end(), full) != absentMarks_.end();
}

void NamesModel::toggleMark(int row) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    const auto entry = static_cast<std::size_t>(entryIndexAt(row));
    if (middle_) {
        // A full name is a name the list does not hold.
        const MarkedName full{shownName(entryIndexAt(row)), list_.entries()[entry].sex};
        if (std::erase(absentMarks_, full) == 0) {
            absentMarks_.push_back(full);
        }
    } else {
        marked_[entry] = !marked_[entry];
        markedCount_ += marked_[entry] ? 1 : -1;
    }
    const QModelIndex cell = index(row, NameColumn);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
    emit marksChanged();
    emit marksEdited();
}

QStringList NamesModel::markedNames() const {
    QStringList names;
    for (std::size_t i = 0; i < marked_.size(); ++i) {
        if (marked_[i]) {
            names << list_.entries()[i].name;
        }
    }
    return names;
}

std::vector<std::int32_t> NamesModel::markedEntries() const {
    std::vector<std::int32_t> entries;
    for (std::size_t i = 0; i < marked_.size(); ++i) {
        if (marked_[i]) {
            entries.push_back(static_cast<std::int32_t>(i));
        }
    }
    return entries;
}

std::vector<MarkedName> NamesModel::marks() const {
    std::vector<MarkedName> marks;
    for (std::size_t i = 0; i < marked_.size(); ++i) {
        if (marked_[i]) {
            marks.push_back({list_.entries()[i].name, list_.entries()[i].sex});
        }
    }
    marks.insert(marks.end(), absentMarks_.begin(), absentMarks_.end());
    return marks;
}

void NamesModel::applyMarks(const std::vector<MarkedName>& marks) {
    const auto keyOf = [](const QString& name, namelist::Sex sex) {
        return namelist::SexName(sex) + QLatin1Char('/') + name;
    };
    QSet<QString> absent;
    for (const MarkedName& mark : marks) {
        absent.insert(keyOf(mark.name, mark.sex));
    }
    marked_.assign(static_cast<std::size_t>(list_.size()), false);
    markedCount_ = 0;
    // Without marks, a new list of a million names is spared as many keys.
    for (std::size_t i = 0; !absent.isEmpty() && i < marked_.size(); ++i) {
        const namelist::NameEntry& entry = list_.entries()[i];
        marked_[i] = absent.remove(keyOf(entry.name, entry.sex));
        markedCount_ += marked_[i] ? 1 : 0;
    }
    absentMarks_.clear();
    for (const MarkedName& mark : marks) {
        if (absent.remove(keyOf(mark.name, mark.sex))) {
            absentMarks_.push_back(mark);
        }
    }
}

int NamesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int NamesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant NamesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const namelist::NameEntry& entry = entryAt(index.row());
    const int column = index.column();
    if (role == Qt::CheckStateRole && column == NameColumn) {
        return isMarked(entryIndexAt(index.row())) ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::FontRole && index.row() < likedRows_) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::TextAlignmentRole &&
        (column == NumberColumn || column == BirthsColumn || column == TrendColumn)) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const std::int32_t entryIndex = entryIndexAt(index.row());
    const DestinyNumber number = shownNumber(entryIndex);
    const namelist::VerdictTexts& verdict =
        verdictTexts_.at(VerdictSlot(weighing_.verdict(number)));
    switch (column) {
    case NameColumn:
        return shownName(entryIndex);
    case SexColumn:
        return namelist::SexName(entry.sex);
    case NumberColumn:
        return static_cast<int>(number);
    case MotherColumn:
        return verdict.mother;
    case FatherColumn:
        return verdict.father;
    case BirthsColumn:
        return entry.births ? CountText(*entry.births) : QString();
    case TrendColumn: {
        const std::optional<namelist::Trend> trend = list_.trend(entryIndexAt(index.row()));
        return trend ? namelist::TrendText(*trend) : QString();
    }
    case PartnerColumn:
        return partnerHolds(entryIndexAt(index.row())) ? QStringLiteral("\u2713") : QString();
    default:
        return {};
    }
}

bool NamesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != NameColumn || role != Qt::CheckStateRole) {
        return false;
    }
    const bool mark = value.value<Qt::CheckState>() == Qt::Checked;
    if (mark != isMarked(entryIndexAt(index.row()))) {
        toggleMark(index.row());
    }
    return true;
}

Qt::ItemFlags NamesModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == NameColumn) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

QVariant NamesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role == Qt::InitialSortOrderRole) {
        return NaturalOrder(section);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    static constexpr std::array<const char*, kColumnCount> kTitles{
        "Name", "Sex", "Number", "Mother", "Father", "Births", "Trend", "Partner",
    };
    return QString::fromLatin1(kTitles.at(static_cast<std::size_t>(section)));
}

} // namespace kindrell::finder
