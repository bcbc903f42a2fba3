#include "finder/names_model.h"

#include "enginetext/engine_text.h"

#include <QLocale>

#include <algorithm>
#include <utility>

namespace kindrell::finder {
namespace {

using namelist::SortKey;

constexpr std::array<SortKey, NamesModel::kColumnCount> kSortKeys{
    SortKey::Name, SortKey::Sex, SortKey::Number, SortKey::Mother, SortKey::Father, SortKey::Births,
};

Qt::SortOrder NaturalOrder(int column) {
    return column == NamesModel::BirthsColumn ? Qt::DescendingOrder : Qt::AscendingOrder;
}

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

QString NamesModel::CountText(qint64 count) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(count);
}

void NamesModel::setList(namelist::NameList list) {
    list_ = std::move(list);
    marked_.assign(static_cast<std::size_t>(list_.size()), false);
    markedCount_ = 0;
    unsavedMarks_ = false;
    select();
    emit marksChanged();
}

void NamesModel::setParents(const QString& father, const QString& mother) {
    parentsGiven_ = !text::TrimSpaces(father).isEmpty() && !text::TrimSpaces(mother).isEmpty();
    weighing_ = namelist::Weighing(father, mother);
    select();
}

void NamesModel::setFilter(const namelist::Filter& filter) {
    filter_ = filter;
    select();
}

void NamesModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kColumnCount) {
        return;
    }
    ordering_ = {kSortKeys.at(static_cast<std::size_t>(column)), order != NaturalOrder(column)};
    select();
}

void NamesModel::select() {
    beginResetModel();
    if (parentsGiven_) {
        rows_ = namelist::SelectNames(list_, weighing_, filter_, ordering_);
    } else {
        rows_.clear();
    }
    endResetModel();
}

const namelist::NameEntry& NamesModel::entryAt(int row) const {
    return list_.entries().at(static_cast<std::size_t>(entryIndexAt(row)));
}

int NamesModel::rowOf(std::int32_t entryIndex) const {
    const auto it = std::find(rows_.begin(), rows_.end(), entryIndex);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

bool NamesModel::isMarked(std::int32_t entryIndex) const {
    return entryIndex >= 0 && static_cast<std::size_t>(entryIndex) < marked_.size() &&
           marked_[static_cast<std::size_t>(entryIndex)];
}

void NamesModel::toggleMark(int row) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    const auto entry = static_cast<std::size_t>(entryIndexAt(row));
    marked_[entry] = !marked_[entry];
    markedCount_ += marked_[entry] ? 1 : -1;
    unsavedMarks_ = true;
    const QModelIndex cell = index(row, NameColumn);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
    emit marksChanged();
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
    if (role == Qt::TextAlignmentRole && (column == NumberColumn || column == BirthsColumn)) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const namelist::VerdictTexts& verdict = verdictTexts_.at(VerdictSlot(weighing_.verdict(entry)));
    switch (column) {
    case NameColumn:
        return entry.name;
    case SexColumn:
        return namelist::SexName(entry.sex);
    case NumberColumn:
        return static_cast<int>(entry.number);
    case MotherColumn:
        return verdict.mother;
    case FatherColumn:
        return verdict.father;
    case BirthsColumn:
        return entry.births ? CountText(*entry.births) : QString();
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
        "Name", "Sex", "Number", "Mother", "Father", "Births",
    };
    return QString::fromLatin1(kTitles.at(static_cast<std::size_t>(section)));
}

} // namespace kindrell::finder
