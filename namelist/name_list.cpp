#include "namelist/name_list.h"

#include "textrules/engine_strings.h"
#include "textrules/lines.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <utility>

namespace kindrell::namelist {
namespace {

constexpr std::size_t kSexes = 3;
constexpr std::size_t kNumbers = 10; // destiny numbers 0..9

// Girl before boy before no sex, in every order that compares sexes.
int SexRank(Sex sex) {
    return static_cast<int>(sex);
}

std::vector<std::int32_t> AllIndices(std::size_t size) {
    std::vector<std::int32_t> indices(size);
    std::iota(indices.begin(), indices.end(), 0);
    return indices;
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

// The name's UTF-16 code units in order, then the sex.
int CompareNameAndSex(const NameEntry& a, const NameEntry& b) {
    if (const int byName = text::View(a.name).compare(text::View(b.name)); byName != 0) {
        return byName;
    }
    return SexRank(a.sex) - SexRank(b.sex);
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

NameList::NameList(std::vector<NameEntry> entries) : entries_(std::move(entries)) {
    for (NameEntry& entry : entries_) {
        entry.number = GetDestinyNumber(text::View(entry.name));
    }
    const auto& all = entries_;
    // Names are compared once, for the name order; the births order sorts
    // the name order by births alone, and the sex and number orders group
    // the births order (see BM_PrepareNameList: three full sorts with
    // integer keys took three times as long).
    byName_ = AllIndices(all.size());
    std::stable_sort(byName_.begin(), byName_.end(), [&all](std::int32_t a, std::int32_t b) {
        return CompareNameAndSex(all[a], all[b]) < 0;
    });
    std::vector<std::int32_t> births(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        // A name without births counts as fewer than any with.
        births[i] = all[i].births.value_or(-1);
    }
    const auto moreBirths = [&births](std::int32_t a, std::int32_t b) {
        return births[a] > births[b];
    };
    byBirths_ = byName_;
    std::stable_sort(byBirths_.begin(), byBirths_.end(), moreBirths);
    // A name given to both sexes: its entries, next to each other, in the
    // births order as every tie is.
    for (auto run = byName_.begin(); run != byName_.end();) {
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
    }
    return byBirths_;
}

std::vector<NameEntry> ParseNameTable(QByteArrayView text) {
    std::vector<NameEntry> entries;
    text::ForEachLine(text, [&entries](QByteArrayView line) {
        if (line.isEmpty() || line.startsWith('#')) {
            return;
        }
        const qsizetype firstTab = line.indexOf('\t');
        const qsizetype secondTab = firstTab < 0 ? -1 : line.indexOf('\t', firstTab + 1);
        if (firstTab <= 0 || secondTab != firstTab + 2) {
            return;
        }
        const char sexLetter = line.at(firstTab + 1);
        if (sexLetter != 'F' && sexLetter != 'M') {
            return;
        }
        bool isNumber = false;
        const int births = line.sliced(secondTab + 1).toInt(&isNumber);
        if (!isNumber || births < 0) {
            return;
        }
        entries.push_back({QString::fromUtf8(line.first(firstTab)),
                           sexLetter == 'F' ? Sex::Girl : Sex::Boy, births, 0});
    });
    return entries;
}

NameList LoadBundledNames() {
    QFile file(QString::fromLatin1(kBundledListPath));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return NameList(ParseNameTable(file.readAll()));
}

} // namespace kindrell::namelist
