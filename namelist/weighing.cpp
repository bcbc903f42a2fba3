#include "namelist/weighing.h"

#include "engine/text.h"
#include "namelist/spellings.h"
#include "textrules/engine_strings.h"
#include "textrules/name_folding.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <string_view>

namespace kindrell::namelist {
namespace {

bool HarmoniousWithMother(CompatibilityVerdict verdict) {
    return verdict == CompatibilityVerdict::Harmonious ||
           verdict == CompatibilityVerdict::HarmoniousWithParent1;
}

bool HarmoniousWithFather(CompatibilityVerdict verdict) {
    return verdict == CompatibilityVerdict::Harmonious ||
           verdict == CompatibilityVerdict::HarmoniousWithParent2;
}

// The order of a parent's column: "Harmonious", "Not Harmonious", "Not
// Harmonious At All".
int ParentRank(bool harmonious, CompatibilityVerdict verdict) {
    if (harmonious) {
        return 0;
    }
    return verdict == CompatibilityVerdict::NotHarmoniousAtAll ? 2 : 1;
}

bool PassesHarmony(CompatibilityVerdict verdict, HarmonyFilter filter) {
    switch (filter) {
    case HarmonyFilter::WithBoth:
        return verdict == CompatibilityVerdict::Harmonious;
    case HarmonyFilter::WithMother:
        return HarmoniousWithMother(verdict);
    case HarmonyFilter::WithFather:
        return HarmoniousWithFather(verdict);
    case HarmonyFilter::Any:
    case HarmonyFilter::Marked:
    case HarmonyFilter::MarkedByBoth:
        break;
    }
    return true;
}

// Every filter but the harmony one, made ready once for a pass over the
// list: those of the table that keep or leave out entries and are set, and
// the liked name's spellings.
class OtherFilters {
  public:
    OtherFilters(const NameList& list, const Filter& filter, const LikedName* liked) : list_(list) {
        for (const FilterField& field : FilterFields()) {
            if (field.keepsEntry != nullptr && field.get(filter) != field.choices.front().value) {
                entries_.push_back({field.keepsEntry, field.get(filter)});
            }
            if (field.keepsName != nullptr) {
                const QString& text = filter.*field.text;
                const std::u16string_view trimmed = TrimSpaces(text::View(text));
                if (!trimmed.empty()) {
                    names_.push_back(
                        {field.keepsName,
                         QStringView(trimmed.data(), static_cast<qsizetype>(trimmed.size()))});
                }
            }
        }
        if (!text::TrimSpaces(filter.like).isEmpty()) {
            const LikedName found =
                liked == nullptr ? FindLikedName(list, filter.like) : LikedName{};
            spelling_.assign(list.entries().size(), false);
            for (const std::int32_t index : liked == nullptr ? found.spellings : liked->spellings) {
                spelling_[static_cast<std::size_t>(index)] = true;
            }
            byLike_ = true;
        }
    }

    bool passes(std::int32_t index) const {
        for (const auto& [keeps, value] : entries_) {
            if (!keeps(list_, index, value)) {
                return false;
            }
        }
        // The entry itself is read only for the filters on its letters.
        for (const auto& [keeps, text] : names_) {
            if (!keeps(list_.entries()[static_cast<std::size_t>(index)].name, text)) {
                return false;
            }
        }
        return !byLike_ || spelling_[static_cast<std::size_t>(index)];
    }

  private:
    struct EntryFilter {
        bool (*keeps)(const NameList&, std::int32_t, int);
        int value;
    };
    struct NameFilter {
        bool (*keeps)(QStringView, QStringView);
        QStringView text; // views the filter's own text, which outlives this
    };
    const NameList& list_;
    std::vector<EntryFilter> entries_;
    std::vector<NameFilter> names_;
    bool byLike_ = false;
    std::vector<bool> spelling_;
};

std::size_t ParentGroup(SortKey key, CompatibilityVerdict verdict) {
    const bool harmonious =
        key == SortKey::Mother ? HarmoniousWithMother(verdict) : HarmoniousWithFather(verdict);
    return static_cast<std::size_t>(ParentRank(harmonious, verdict));
}

// The number each entry is weighed by: its own, or its full name's as a
// middle name.
class Numbers {
  public:
    Numbers(const NameList& list, std::span<const DestinyNumber> full) : list_(list), full_(full) {}
    DestinyNumber operator()(std::int32_t index) const {
        return full_.empty() ? list_.number(index) : full_[static_cast<std::size_t>(index)];
    }
    bool full() const { return !full_.empty(); }

  private:
    const NameList& list_;
    std::span<const DestinyNumber> full_;
};

// Whether two entries are equal in the key of an order.
bool SameKey(const NameList& list, std::int32_t a, std::int32_t b, SortKey key,
             const Weighing& weighing, const Numbers& numbers) {
    const NameEntry& first = list.entries()[static_cast<std::size_t>(a)];
    const NameEntry& second = list.entries()[static_cast<std::size_t>(b)];
    switch (key) {
    case SortKey::Births:
        return first.births == second.births;
    case SortKey::Name:
        return first.name == second.name;
    case SortKey::Sex:
        return first.sex == second.sex;
    case SortKey::Number:
        return numbers(a) == numbers(b);
    case SortKey::Trend:
        return TrendRank(list.trend(a)) == TrendRank(list.trend(b));
    case SortKey::Mother:
    case SortKey::Father:
        break;
    }
    return ParentGroup(key, weighing.verdict(numbers(a))) ==
           ParentGroup(key, weighing.verdict(numbers(b)));
}

// Rows in key order, ties in the births order, become rows in reversed key
// order with the ties still in the births order: the whole turned round,
// then each run of equal keys turned back.
template <typename Same> void ReverseKeyOnly(std::vector<std::int32_t>& rows, Same same) {
    std::reverse(rows.begin(), rows.end());
    auto run = rows.begin();
    while (run != rows.end()) {
        auto next = std::next(run);
        while (next != rows.end() && same(*run, *next)) {
            ++next;
        }
        std::reverse(run, next);
        run = next;
    }
}

ListOrder PreparedOrder(SortKey key) {
    switch (key) {
    case SortKey::Name:
        return ListOrder::Name;
    case SortKey::Sex:
        return ListOrder::Sex;
    case SortKey::Number:
        return ListOrder::Number;
    case SortKey::Trend:
        return ListOrder::Trend;
    case SortKey::Births:
    case SortKey::Mother:
    case SortKey::Father:
        break;
    }
    return ListOrder::Births;
}

} // namespace

Weighing::Weighing(QStringView father, QStringView mother)
    : fatherNumber_(text::WeighName(father).number), motherNumber_(text::WeighName(mother).number) {
    prepare();
}

Weighing Weighing::OfNumbers(DestinyNumber father, DestinyNumber mother) {
    Weighing weighing;
    weighing.fatherNumber_ = father;
    weighing.motherNumber_ = mother;
    weighing.prepare();
    return weighing;
}

void Weighing::prepare() {
    // The table's keys are the mother's digit, then the father's.
    const std::array<char, 2> key{static_cast<char>('0' + motherNumber_),
                                  static_cast<char>('0' + fatherNumber_)};
    pairHasRow_ = std::ranges::any_of(VerdictTable(), [&key](const VerdictRow& row) {
        return row.Key == std::string_view(key.data(), key.size());
    });
    for (std::size_t child = 0; child < byChildNumber_.size(); ++child) {
        byChildNumber_[child] =
            GetCompatibility(static_cast<DestinyNumber>(child), motherNumber_, fatherNumber_);
    }
}

QString NoRowExplanation(const Weighing& weighing) {
    if (weighing.pairHasRow()) {
        return {};
    }
    const QString fact = QStringLiteral("For a mother's %1 and a father's %2 every name reads "
                                        "Not Harmonious At All.")
                             .arg(weighing.motherNumber())
                             .arg(weighing.fatherNumber());
    const bool mother = weighing.motherNumber() == 0;
    const bool father = weighing.fatherNumber() == 0;
    if (mother && father) {
        return fact + QStringLiteral(" Neither parent's name has a letter that counts, so both "
                                     "numbers are 0.");
    }
    if (mother || father) {
        return fact +
               QStringLiteral(" The %1's name has no letter that counts, so its number is 0.")
                   .arg(mother ? QStringLiteral("mother") : QStringLiteral("father"));
    }
    return fact + QStringLiteral(" The table finds harmony only where the mother's number is not "
                                 "greater than the father's; a full birth name, middle names "
                                 "included, gives a number of its own.");
}

bool Weighing::anyHarmonious() const {
    return std::ranges::find(byChildNumber_, CompatibilityVerdict::Harmonious) !=
           byChildNumber_.end();
}

QString NoMiddleNameExplanation(const Weighing& weighing, const QString& liked) {
    const QString why =
        !weighing.pairHasRow()      ? QStringLiteral("every name reads Not Harmonious At All, "
                                                          "whatever its number")
        : !weighing.anyHarmonious() ? QStringLiteral("no number is in harmony with both")
                                    : QString();
    if (why.isEmpty()) {
        return {};
    }
    return QStringLiteral("No middle name can bring %1 into harmony with both parents: for a "
                          "mother's %2 and a father's %3 %4.")
        .arg(liked)
        .arg(weighing.motherNumber())
        .arg(weighing.fatherNumber())
        .arg(why);
}

CompatibilityVerdict Weighing::verdict(DestinyNumber childNumber) const {
    if (childNumber < 0 || static_cast<std::size_t>(childNumber) >= byChildNumber_.size()) {
        return GetCompatibility(childNumber, motherNumber_, fatherNumber_);
    }
    return byChildNumber_[static_cast<std::size_t>(childNumber)];
}

VerdictTexts TextsOf(CompatibilityVerdict verdict) {
    const VerdictLines lines = GetVerdictLines(verdict);
    const ParentVerdicts words = GetParentVerdicts(verdict);
    return {text::ToQString(lines.MotherLine), text::ToQString(lines.FatherLine),
            text::ToQString(words.Mother), text::ToQString(words.Father)};
}

namespace {

// The rows of the filter, each entry weighed by `numbers`; a number asked
// for, where given, is asked of those numbers.
std::vector<std::int32_t> Select(const NameList& list, const Weighing& weighing,
                                 const Filter& filter, const LikedName* liked,
                                 const Numbers& numbers, std::optional<DestinyNumber> number) {
    const OtherFilters others(list, filter, liked);
    const Ordering& ordering = filter.ordering;
    const bool byParent = ordering.key == SortKey::Mother || ordering.key == SortKey::Father;
    // The parent orders are the births order split into the column's three
    // groups; the other orders were prepared with the list.
    std::array<std::vector<std::int32_t>, 3> groups;
    std::vector<std::int32_t>& rows = groups[0];
    // Which entries pass is found in the list's own order, and the order
    // then walks 128 KB of bits: walking it over the numbers themselves
    // reached them at random and took a keystroke past 16 ms on a million
    // names (BM_KeystrokeInLargestList).
    std::vector<bool> passing(static_cast<std::size_t>(list.size()));
    for (std::int32_t index = 0; index < list.size(); ++index) {
        passing[static_cast<std::size_t>(index)] =
            PassesHarmony(weighing.verdict(numbers(index)), filter.harmony) &&
            (!number || numbers(index) == *number) && others.passes(index);
    }
    // Full names' numbers have no prepared order: theirs is the births
    // order sorted by number.
    const bool byFullNumber = numbers.full() && ordering.key == SortKey::Number;
    const std::span<const std::int32_t> order =
        list.order(byFullNumber ? ListOrder::Births : PreparedOrder(ordering.key));
    rows.reserve(order.size());
    for (const std::int32_t index : order) {
        if (passing[static_cast<std::size_t>(index)]) {
            groups[byParent ? ParentGroup(ordering.key, weighing.verdict(numbers(index))) : 0]
                .push_back(index);
        }
    }
    if (byFullNumber) {
        std::ranges::stable_sort(rows, {},
                                 [&numbers](std::int32_t index) { return numbers(index); });
    }
    if (byParent) {
        rows.insert(rows.end(), groups[1].begin(), groups[1].end());
        rows.insert(rows.end(), groups[2].begin(), groups[2].end());
    }
    if (ordering.reversed) {
        ReverseKeyOnly(rows, [&](std::int32_t a, std::int32_t b) {
            return SameKey(list, a, b, ordering.key, weighing, numbers);
        });
    }
    return std::move(rows);
}

} // namespace

std::vector<std::int32_t> SelectNames(const NameList& list, const Weighing& weighing,
                                      const Filter& filter, const LikedName* liked) {
    return Select(list, weighing, filter, liked, Numbers(list, {}), std::nullopt);
}

MiddleNames WeighMiddleNames(const NameList& list, const QString& liked) {
    MiddleNames middle{text::WeighName(liked).written, {}};
    middle.numbers.reserve(list.entries().size());
    QString full = middle.liked + u' ';
    const qsizetype kept = full.size();
    for (const NameEntry& entry : list.entries()) {
        full.truncate(kept);
        full += entry.name;
        middle.numbers.push_back(text::FoldedNumber(full));
    }
    return middle;
}

std::vector<std::int32_t> SelectMiddleNames(const NameList& list, const Weighing& weighing,
                                            const Filter& filter, const MiddleNames& middle) {
    Filter others = filter;
    others.like.clear();
    others.number.reset();
    return Select(list, weighing, others, nullptr, Numbers(list, middle.numbers), filter.number);
}

HarmonyCounts CountHarmony(const NameList& list, const Weighing& weighing, const Filter& filter,
                           const LikedName* liked) {
    const OtherFilters others(list, filter, liked);
    HarmonyCounts counts;
    for (std::int32_t index = 0; index < list.size(); ++index) {
        const CompatibilityVerdict verdict = weighing.verdict(list.number(index));
        if (verdict == CompatibilityVerdict::Harmonious) {
            ++counts.withBoth;
        }
        if (!others.passes(index)) {
            continue;
        }
        if (verdict == CompatibilityVerdict::HarmoniousWithParent1) {
            ++counts.withMotherOnly;
        } else if (verdict == CompatibilityVerdict::HarmoniousWithParent2) {
            ++counts.withFatherOnly;
        }
    }
    return counts;
}

} // namespace kindrell::namelist
