#pragma once

// A list of first names to weigh against two parents: the bundled list of US
// names (with sex and births) or a list the user opened (names only). Each
// name's destiny number and the list's orders are worked out once, when the
// list is made; weighing and filtering then only walk prepared vectors.

#include "engine/name_number.h"
#include "namelist/births_by_year.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kindrell::namelist {

// A name in the bundled list is a girl's or a boy's name (the same name may be
// both, as two entries); a name from the user's own list has no sex.
enum class Sex : std::uint8_t { Girl, Boy, Unknown };

// "girl", "boy", and the empty text for a name without sex.
QString SexName(Sex sex);

struct NameEntry {
    QString name;
    Sex sex = Sex::Unknown;
    std::optional<std::int32_t> births; // absent in the user's own list
    DestinyNumber number = 0; // the name's number, its letters folded (text::FoldedNumber)
};

// What the bundled list knows of an entry beyond its births: the name's
// sounds-alike key and its births year by year (which add up to its births).
struct NameHistory {
    QString soundKey;
    YearCounts births{};
};

// The list orders prepared when a list is made. Each holds every entry once;
// entries equal in every key keep their place in the list.
enum class ListOrder {
    // Most births first; equal births (or none) by name in UTF-16 code-unit
    // order, then girl before boy before no sex.
    Births,
    // Name in code-unit order; a name given to both sexes in the births order.
    Name,
    // Girls, then boys, then names without sex; each in the births order.
    Sex,
    // Destiny number from 0 up; each number in the births order.
    Number,
    // The greatest rise first (new names above every rise), names without
    // births by year last; each trend in the births order.
    Trend,
};

class NameList {
  public:
    NameList() = default;
    // The histories, when given, belong to the entries one for one.
    explicit NameList(std::vector<NameEntry> entries, std::vector<NameHistory> histories = {});

    // The user's own list: the names in file order, without sex or births.
    static NameList FromNames(const QStringList& names);

    const std::vector<NameEntry>& entries() const { return entries_; }
    qsizetype size() const { return static_cast<qsizetype>(entries_.size()); }
    bool empty() const { return entries_.empty(); }

    // The entries' indices in the given order.
    std::span<const std::int32_t> order(ListOrder order) const;

    // An entry's number and sex, as every keystroke weighs them: kept apart
    // from the entries, so that weighing a million names walks 3 MB rather
    // than the entries' 40 (BM_KeystrokeInLargestList).
    DestinyNumber number(std::int32_t index) const {
        return numbers_[static_cast<std::size_t>(index)];
    }
    Sex sex(std::int32_t index) const { return sexes_[static_cast<std::size_t>(index)]; }

    // An entry's history; none in the user's own list.
    const NameHistory* history(std::int32_t index) const;
    // Its sounds-alike key; empty without a history.
    QString soundKey(std::int32_t index) const;
    std::optional<Trend> trend(std::int32_t index) const;
    // The same name's entry for the other sex, or -1.
    std::int32_t otherSex(std::int32_t index) const;
    // Whether the name's smaller share of births, girls' or boys', is at least a tenth.
    bool givenToBoth(std::int32_t index) const;

  private:
    void prepareSexes();

    std::vector<NameEntry> entries_;
    std::vector<NameHistory> histories_;
    std::vector<DestinyNumber> numbers_;
    std::vector<Sex> sexes_;
    std::vector<std::int32_t> otherSex_;
    std::vector<bool> givenToBoth_;
    std::vector<std::int32_t> byBirths_;
    std::vector<std::int32_t> byName_;
    std::vector<std::int32_t> bySex_;
    std::vector<std::int32_t> byNumber_;
    std::vector<std::int32_t> byTrend_;
};

// The bundled list's file: UTF-8 text, one entry a line
// "Name<TAB>F|M<TAB>key<TAB>births in 2000<TAB>...<TAB>births in 2024" (F a
// girl's name, M a boy's; the key its sounds-alike key), LF or CR LF line
// ends; lines starting with "#" are comments. A line of any other shape is
// left out, so a damaged file shows as a shorter list.
struct NameTable {
    std::vector<NameEntry> entries;
    std::vector<NameHistory> histories;
};
NameTable ParseNameTable(QByteArrayView text);

// The resource the bundled list is compiled into.
inline constexpr const char* kBundledListPath = ":/kindrell/names/us-names.tsv";

// The bundled list of US names (29,389 name and sex pairs, each with at least
// 100 births from 2000 to 2024); an empty list if the resource is missing.
NameList LoadBundledNames();

} // namespace kindrell::namelist
