#pragma once

// Weighing a list of names against two parents, filtering and ordering the
// result: what the name finder's table shows and what a command line that
// suggests names prints. For each index that SelectNames gives, the entry
// (list.entries()[index]) holds the name, SexName(sex), the number and the
// births; weighing.verdict(entry) the verdict (TokenText for its token), and
// TextsOf(verdict) the mother's and father's verdict lines.

#include "engine/compatibility.h"
#include "engine/name_number.h"
#include "namelist/name_list.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kindrell::namelist {

// The parents' destiny numbers and, with them fixed, the verdict for every
// child number: a name's verdict depends on nothing but its number.
class Weighing {
  public:
    // The names as typed, weighed as text::WeighName weighs them (spaces
    // around them do not count, accented letters count as their base).
    Weighing(QStringView father, QStringView mother);
    // The parents' numbers, weighed already.
    static Weighing OfNumbers(DestinyNumber father, DestinyNumber mother);

    DestinyNumber fatherNumber() const { return fatherNumber_; }
    DestinyNumber motherNumber() const { return motherNumber_; }
    // Whether the verdict table has a row for the parents' numbers; without
    // one every name reads "Not Harmonious At All".
    bool pairHasRow() const { return pairHasRow_; }

    // GetCompatibility(childNumber, mother's number, father's number).
    CompatibilityVerdict verdict(DestinyNumber childNumber) const;
    CompatibilityVerdict verdict(const NameEntry& entry) const { return verdict(entry.number); }

  private:
    Weighing() = default;
    void prepare();

    DestinyNumber fatherNumber_ = 0;
    DestinyNumber motherNumber_ = 0;
    bool pairHasRow_ = false;
    std::array<CompatibilityVerdict, 10> byChildNumber_{};
};

// Why no name can be in harmony with both parents when the verdict table
// has no row for their numbers, and what the couple can do: "For a
// mother's 3 and a father's 2 every name reads Not Harmonious At All." and
// a second sentence, for a parent whose name has no letter that counts, or
// for a mother's number greater than the father's. Empty when the pair has
// a row.
QString NoRowExplanation(const Weighing& weighing);

// A verdict as the engine's verdict lines say it, and each parent's part of
// it alone ("Harmonious", "Not Harmonious", "Not Harmonious At All").
struct VerdictTexts {
    QString motherLine; // "Compatibility with Mother: Harmonious"
    QString fatherLine;
    QString mother; // "Harmonious"
    QString father;
};
VerdictTexts TextsOf(CompatibilityVerdict verdict);

// GivenToBoth keeps the names whose smaller share of births, girls' or
// boys', is at least a tenth (NameList::givenToBoth).
enum class SexFilter { Both, Girls, Boys, GivenToBoth };

enum class HarmonyFilter {
    WithBoth,   // the verdict is Harmonious
    WithMother, // harmonious with the mother, whatever the father
    WithFather, // harmonious with the father, whatever the mother
    Any,
};

// Which names a selection keeps. A name without sex (from the user's own list)
// passes every sex filter: the list does not say which it is, and the user
// chose it.
struct Filter {
    SexFilter sex = SexFilter::Both;
    HarmonyFilter harmony = HarmonyFilter::WithBoth;
    // The name's first letters. Spaces around it do not count; a–z and A–Z
    // match either case, every other character only itself.
    QString prefix;
    // The name's last letters, alike.
    QString suffix;
    // A name someone likes: only its spellings pass (see FindLikedName);
    // none for any name. Spaces around it do not count.
    QString like;
    // One destiny number (a name without letters A to Z has 0); none for any.
    std::optional<DestinyNumber> number;

    friend bool operator==(const Filter&, const Filter&) = default;
};

enum class SortKey { Births, Name, Sex, Number, Mother, Father, Trend };

// Each key's natural order: Births most births first; Name in code-unit
// order; Sex girls first; Number from 0 up; Mother and Father "Harmonious",
// then "Not Harmonious", then "Not Harmonious At All"; Trend the greatest
// rise first, new names above every rise. Ties, and each key's
// groups, follow the births order. Reversed turns the key round and nothing
// else: names with equal keys keep the births order among themselves (most
// births first, then name in code-unit order, girl before boy).
struct Ordering {
    SortKey key = SortKey::Births;
    bool reversed = false;
};

// The indices into list.entries() of the names the filter keeps, in order.
std::vector<std::int32_t> SelectNames(const NameList& list, const Weighing& weighing,
                                      const Filter& filter, const Ordering& ordering = {});

// How the names stand with each parent alone, for saying why no name is in
// harmony with both.
struct HarmonyCounts {
    qsizetype withBoth = 0;       // in the whole list, whatever the filter
    qsizetype withMotherOnly = 0; // of the names that pass the filter's sex, prefix and number
    qsizetype withFatherOnly = 0; // likewise
};
HarmonyCounts CountHarmony(const NameList& list, const Weighing& weighing, const Filter& filter);

} // namespace kindrell::namelist
