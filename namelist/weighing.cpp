#include "namelist/weighing.h"

#include "engine/text.h"
#include "textrules/engine_strings.h"

#include <algorithm>
#include <iterator>
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

bool StartsWith(QStringView name, std::u16string_view prefix) {
    if (static_cast<std::size_t>(name.size()) < prefix.size()) {
        return false;
    }
    const char16_t* units = name.utf16();
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        // Only a–z fold, as the engine counts letters.
        if (CapitalOf(units[i]) != CapitalOf(prefix[i])) {
            return false;
        }
    }
    return true;
}

bool PassesSex(Sex sex, SexFilter filter) {
    switch (filter) {
    case SexFilter::Girls:
        return sex != Sex::Boy;
    case SexFilter::Boys:
        return sex != Sex::Girl;
    case SexFilter::Both:
        break;
    }
    return true;
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
        break;
    }
    return true;
}

// Every filter but the harmony one.
bool PassesOthers(const NameEntry& entry, const Filter& filter, std::u16string_view prefix) {
    return PassesSex(entry.sex, filter.sex) && (!filter.number || entry.number == *filter.number) &&
           (prefix.empty() || StartsWith(entry.name, prefix));
}

std::size_t ParentGroup(SortKey key, CompatibilityVerdict verdict) {
    const bool harmonious =
        key == SortKey::Mother ? HarmoniousWithMother(verdict) : HarmoniousWithFather(verdict);
    return static_cast<std::size_t>(ParentRank(harmonious, verdict));
}

// Whether two entries are equal in the key of an order.
bool SameKey(const NameEntry& a, const NameEntry& b, SortKey key, const Weighing& weighing) {
    switch (key) {
    case SortKey::Births:
        return a.births == b.births;
    case SortKey::Name:
        return a.name == b.name;
    case SortKey::Sex:
        return a.sex == b.sex;
    case SortKey::Number:
        return a.number == b.number;
    case SortKey::Mother:
    case SortKey::Father:
        break;
    }
    return ParentGroup(key, weighing.verdict(a)) == ParentGroup(key, weighing.verdict(b));
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
    case SortKey::Births:
    case SortKey::Mother:
    case SortKey::Father:
        break;
    }
    return ListOrder::Births;
}

} // namespace

Weighing::Weighing(QStringView father, QStringView mother)
    : fatherNumber_(GetDestinyNumber(TrimSpaces(text::View(father)))),
      motherNumber_(GetDestinyNumber(TrimSpaces(text::View(mother)))) {
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

std::vector<std::int32_t> SelectNames(const NameList& list, const Weighing& weighing,
                                      const Filter& filter, const Ordering& ordering) {
    const std::u16string_view prefix = TrimSpaces(text::View(filter.prefix));
    const std::vector<NameEntry>& entries = list.entries();
    const bool byParent = ordering.key == SortKey::Mother || ordering.key == SortKey::Father;
    // The parent orders are the births order split into the column's three
    // groups; the other orders were prepared with the list.
    std::array<std::vector<std::int32_t>, 3> groups;
    std::vector<std::int32_t>& rows = groups[0];
    for (const std::int32_t index : list.order(PreparedOrder(ordering.key))) {
        const NameEntry& entry = entries[static_cast<std::size_t>(index)];
        const CompatibilityVerdict verdict = weighing.verdict(entry);
        if (!PassesHarmony(verdict, filter.harmony) || !PassesOthers(entry, filter, prefix)) {
            continue;
        }
        groups[byParent ? ParentGroup(ordering.key, verdict) : 0].push_back(index);
    }
    if (byParent) {
        rows.insert(rows.end(), groups[1].begin(), groups[1].end());
        rows.insert(rows.end(), groups[2].begin(), groups[2].end());
    }
    if (ordering.reversed) {
        ReverseKeyOnly(rows, [&](std::int32_t a, std::int32_t b) {
            return SameKey(entries[static_cast<std::size_t>(a)],
                           entries[static_cast<std::size_t>(b)], ordering.key, weighing);
        });
    }
    return std::move(rows);
}

HarmonyCounts CountHarmony(const NameList& list, const Weighing& weighing, const Filter& filter) {
    const std::u16string_view prefix = TrimSpaces(text::View(filter.prefix));
    HarmonyCounts counts;
    for (const NameEntry& entry : list.entries()) {
        const CompatibilityVerdict verdict = weighing.verdict(entry);
        if (verdict == CompatibilityVerdict::Harmonious) {
            ++counts.withBoth;
        }
        if (!PassesOthers(entry, filter, prefix)) {
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
