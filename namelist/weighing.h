#pragma once

// Weighing a list of names against two parents, filtering and ordering the
// result: what the name finder's table shows and what a command line that
// suggests names prints. For each index that SelectNames gives, the entry
// (list.entries()[index]) holds the name, SexName(sex), the number and the
// births; weighing.verdict(entry) the verdict (TokenText for its token), and
// TextsOf(verdict) the mother's and father's verdict lines.

#include "engine/compatibility.h"
#include "engine/name_number.h"
#include "namelist/filters.h"
#include "namelist/name_list.h"
#include "namelist/spellings.h"

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
    // Whether any child number is in harmony with both parents.
    bool anyHarmonious() const;

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

// The indices into list.entries() of the names the filter keeps, in the
// filter's order. `liked` is the filter's liked name as FindLikedName found
// it, when the caller has it at hand; otherwise it is found again. Marked
// keeps every verdict: which names are marked, the caller knows.
std::vector<std::int32_t> SelectNames(const NameList& list, const Weighing& weighing,
                                      const Filter& filter, const LikedName* liked = nullptr);

// A liked name with each entry of the list as its middle name: for each
// entry, the number of the full name "Liked Middle", weighed whole as
// text::WeighName weighs a name, never summed from the two names' numbers.
struct MiddleNames {
    QString liked;                      // as written, trimmed, in NFC
    std::vector<DestinyNumber> numbers; // one for each entry of the list
    QString fullName(const NameEntry& entry) const { return liked + u' ' + entry.name; }
};
MiddleNames WeighMiddleNames(const NameList& list, const QString& liked);

// The entries whose full name passes the harmony and number filters and
// whose middle name passes the others (sex, first and last letters,
// length), in the filter's order: by the full name's number for the Number
// and the parents' orders. The liked name's spellings play no part.
std::vector<std::int32_t> SelectMiddleNames(const NameList& list, const Weighing& weighing,
                                            const Filter& filter, const MiddleNames& middle);

// Why no middle name can bring a liked name into harmony with both parents:
// the pair has no row in the verdict table, or its row no "Harmonious".
// Empty when some number is in harmony with both.
QString NoMiddleNameExplanation(const Weighing& weighing, const QString& liked);

// How the names stand with each parent alone, for saying why no name is in
// harmony with both.
struct HarmonyCounts {
    qsizetype withBoth = 0;       // in the whole list, whatever the filter
    qsizetype withMotherOnly = 0; // of the names that pass the filter's sex, prefix and number
    qsizetype withFatherOnly = 0; // likewise
};
HarmonyCounts CountHarmony(const NameList& list, const Weighing& weighing, const Filter& filter,
                           const LikedName* liked = nullptr);

} // namespace kindrell::namelist
