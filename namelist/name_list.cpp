#include "namelist/name_list.h"

#include "textrules/engine_strings.h"
#include "textrules/lines.h"
#include "textrules/name_folding.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <functional>
#include <numeric>
#include <string_view>
#include <utility>
#include <vector>

namespace kindrell::namelist {
namespace {

constexpr std::size_t kSexes = 3;
constexpr std::size_t kNumbers = 10; // destiny numbers 0..9

// Girl before boy before no sex, in every order that compares sexes.
int SexRank(Sex sex) {
    return static_cast<int>(sex);
}

// The entries of `within` grouped by a small key (0 up to groups - 1), each
// group in the order of `within`: a counting sort, linear in the list.
template <typename GroupOf>
std::vector<std::int32_t> GroupBy(const std::vector<std::int32_t>& within, std::size_t groups,
                                  GroupOf groupOf) {
    std::vector<std::size_t> starts(groups + 1);
    for (const std::int32_t index : within) {
        ++starts[groupOf(index) + 1];
    }
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    std::vector<std::int32_t> order(within.size());
    for (const std::int32_t index : within) {
        order[starts[groupOf(index)]++] = index;
    }
    return order;
}

// The entries' indices by name (its UTF-16 code units in order), then sex.
// Each name's first eight code units are packed into two integers kept
// beside its index, so that most comparisons are of integers and only names
// alike that far reach the names' own text: sorting through the entries took
// a third of opening a million names (BM_OpenLargestList, perf).
// Packing pads with zeros, which sorts a shorter name first, as comparing
// the text does. The index breaks the last ties, as a stable sort would.
std::vector<std::int32_t> NameOrder(const std::vector<NameEntry>& entries) {
    struct Key {
        std::array<std::uint64_t, 2> start;
        std::u16string_view name;
        int sex;
        std::int32_t index;
    };
    std::vector<Key> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::u16string_view name = text::View(entries[i].name);
        std::array<std::uint64_t, 2> start{};
        for (std::size_t unit = 0; unit < std::min<std::size_t>(name.size(), 8); ++unit) {
            start.at(unit / 4) |= std::uint64_t{name[unit]} << (16 * (3 - unit % 4));
        }
        keys.push_back({start, name, SexRank(entries[i].sex), static_cast<std::int32_t>(i)});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.start[0] != b.start[0]) {
            return a.start[0] < b.start[0];
        }
        if (a.start[1] != b.start[1]) {
            return a.start[1] < b.start[1];
        }
        if (const int byName = a.name.compare(b.name); byName != 0) {
            return byName < 0;
        }
        return std::pair(a.sex, a.index) < std::pair(b.sex, b.index);
    });
    std::vector<std::int32_t> order(entries.size());
    std::transform(keys.begin(), keys.end(), order.begin(),
                   [](const Key& key) { return key.index; });
    return order;
}

// `order` sorted by keys[index], highest first, ties keeping their place.
// A list of one's own has neither births nor trends: every key is alike and
// the order stays as it is, without two stable sorts of a million equal keys
// (BM_OpenLargestList).
template <typename Key>
std::vector<std::int32_t> HighestFirst(std::vector<std::int32_t> order,
                                       const std::vector<Key>& keys) {
    if (std::adjacent_find(keys.begin(), keys.end(), std::not_equal_to<>()) != keys.end()) {
        std::stable_sort(order.begin(), order.end(),
                         [&keys](std::int32_t a, std::int32_t b) { return keys[a] > keys[b]; });
    }
    return order;
}

} // namespace

QString SexName(Sex sex) {
    switch (sex) {
    case Sex::Girl:
        return QStringLiteral("girl");
    case Sex::Boy:
        return QStringLiteral("boy");
    case Sex::Unknown:
        break;
    }
    return {};
}

NameList::NameList(std::vector<NameEntry> entries, std::vector<NameHistory> histories)
    : entries_(std::move(entries)), histories_(std::move(histories)) {
    if (histories_.size() != entries_.size()) {
        histories_.clear();
    }
    numbers_.reserve(entries_.size());
    sexes_.reserve(entries_.size());
    for (NameEntry& entry : entries_) {
        entry.number = text::FoldedNumber(entry.name);
        numbers_.push_back(entry.number);
        sexes_.push_back(entry.sex);
    }
    const auto& all = entries_;
    // Names are compared once, for the name order; the births order sorts
    // the name order by births alone, and the sex and number orders group
    // the births order (see BM_PrepareNameList: three full sorts with
    // integer keys took three times as long).
    byName_ = NameOrder(all);
    std::vector<std::int32_t> births(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        // A name without births counts as fewer than any with.
        births[i] = all[i].births.value_or(-1);
    }
    const auto moreBirths = [&births](std::int32_t a, std::int32_t b) {
        return births[a] > births[b];
    };
    byBirths_ = HighestFirst(byName_, births);
    // A name given to both sexes: its entries, next to each other, in the
    // births order as every tie is. Only the bundled list knows sexes; a list
    // of one's own is spared the walk, and its million comparisons of names.
    const bool anySex = std::any_of(
        all.begin(), all.end(), [](const NameEntry& entry) { return entry.sex != Sex::Unknown; });
    for (auto run = byName_.begin(); anySex && run != byName_.end();) {
        const auto next = std::find_if(run, byName_.end(), [&all, run](std::int32_t index) {
            return all[index].name != all[*run].name;
        });
        std::stable_sort(run, next, moreBirths);
        run = next;
    }
    bySex_ = GroupBy(byBirths_, kSexes, [&all](std::int32_t index) {
        return static_cast<std::size_t>(SexRank(all[static_cast<std::size_t>(index)].sex));
    });
    byNumber_ = GroupBy(byBirths_, kNumbers, [&all](std::int32_t index) {
        return static_cast<std::size_t>(all[static_cast<std::size_t>(index)].number);
    });
    std::vector<std::int64_t> trends(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        trends[i] = TrendRank(trend(static_cast<std::int32_t>(i)));
    }
    byTrend_ = HighestFirst(byBirths_, trends);
    prepareSexes();
}

// A name's two entries are next to each other in the name order.
void NameList::prepareSexes() {
    otherSex_.assign(entries_.size(), -1);
    givenToBoth_.assign(entries_.size(), false);
    for (std::size_t i = 1; i < byName_.size(); ++i) {
        const std::int32_t a = byName_[i - 1];
        const std::int32_t b = byName_[i];
        const NameEntry& first = entries_[static_cast<std::size_t>(a)];
        const NameEntry& second = entries_[static_cast<std::size_t>(b)];
        if (first.sex == Sex::Unknown || second.sex == Sex::Unknown || first.sex == second.sex ||
            first.name != second.name) {
            continue;
        }
        otherSex_[static_cast<std::size_t>(a)] = b;
        otherSex_[static_cast<std::size_t>(b)] = a;
        const bool both = IsGivenToBoth(first.births.value_or(0), second.births.value_or(0));
        givenToBoth_[static_cast<std::size_t>(a)] = both;
        givenToBoth_[static_cast<std::size_t>(b)] = both;
    }
}

const NameHistory* NameList::history(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= histories_.size()) {
        return nullptr;
    }
    return &histories_[static_cast<std::size_t>(index)];
}

QString NameList::soundKey(std::int32_t index) const {
    const NameHistory* known = history(index);
    return known == nullptr ? QString() : known->soundKey;
}

std::optional<Trend> NameList::trend(std::int32_t index) const {
    const NameHistory* known = history(index);
    return known == nullptr ? std::nullopt : std::optional(TrendOf(known->births));
}

std::int32_t NameList::otherSex(std::int32_t index) const {
    return index < 0 || static_cast<std::size_t>(index) >= otherSex_.size()
               ? -1
               : otherSex_[static_cast<std::size_t>(index)];
}

bool NameList::givenToBoth(std::int32_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) < givenToBoth_.size() &&
           givenToBoth_[static_cast<std::size_t>(index)];
}

NameList NameList::FromNames(const QStringList& names) {
    std::vector<NameEntry> entries;
    entries.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names) {
        entries.push_back({name, Sex::Unknown, std::nullopt, 0});
    }
    return NameList(std::move(entries));
}

std::span<const std::int32_t> NameList::order(ListOrder order) const {
    switch (order) {
    case ListOrder::Births:
        return byBirths_;
    case ListOrder::Name:
        return byName_;
    case ListOrder::Sex:
        return bySex_;
    case ListOrder::Number:
        return byNumber_;
    case ListOrder::Trend:
        return byTrend_;
    }
    return byBirths_;
}

namespace {

// A table line's fields after the name and sex: the key, then the births
// year by year. False for a line of another shape.
bool ParseHistory(QByteArrayView fields, NameHistory& history, std::int32_t& total) {
    const qsizetype keyEnd = fields.indexOf('\t');
    if (keyEnd <= 0) {
        return false;
    }
    history.soundKey = QString::fromLatin1(fields.first(keyEnd));
    const char* next = fields.data() + keyEnd;
    const char* const end = fields.data() + fields.size();
    total = 0;
    for (std::int32_t& births : history.births) {
        if (next == end || *next != '\t') {
            return false;
        }
        const auto [stop, error] = std::from_chars(next + 1, end, births);
        if (error != std::errc() || stop == next + 1 || births < 0) {
            return false;
        }
        total += births;
        next = stop;
    }
    return next == end;
}

} // namespace

NameTable ParseNameTable(QByteArrayView text) {
    NameTable table;
    text::ForEachLine(text, [&table](QByteArrayView line) {
        if (line.isEmpty() || line.startsWith('#')) {
            return;
        }
        const qsizetype firstTab = line.indexOf('\t');
        if (firstTab <= 0 || firstTab + 2 >= line.size() || line.at(firstTab + 2) != '\t') {
            return;
        }
        const char sexLetter = line.at(firstTab + 1);
        if (sexLetter != 'F' && sexLetter != 'M') {
            return;
        }
        NameHistory history;
        std::int32_t births = 0;
        if (!ParseHistory(line.sliced(firstTab + 3), history, births)) {
            return;
        }
        table.entries.push_back({QString::fromUtf8(line.first(firstTab)),
                                 sexLetter == 'F' ? Sex::Girl : Sex::Boy, births, 0});
        table.histories.push_back(std::move(history));
    });
    return table;
}

NameList LoadBundledNames() {
    QFile file(QString::fromLatin1(kBundledListPath));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    NameTable table = ParseNameTable(file.readAll());
    return NameList(std::move(table.entries), std::move(table.histories));
}

} // namespace kindrell::namelist
