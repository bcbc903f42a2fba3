#include "namelist/name_list.h"

#include <QFile>

#include <algorithm>
#include <numeric>
#include <string_view>
#include <utility>

namespace kindrell::namelist {
namespace {

std::u16string_view EngineText(QStringView text) {
    return {text.utf16(), static_cast<std::size_t>(text.size())};
}

// Girl before boy before no sex, in every order that compares sexes.
int SexRank(Sex sex) {
    return static_cast<int>(sex);
}

// Births decide first, most first; a name without births counts as fewer
// than any with.
std::int64_t BirthsKey(const NameEntry& entry) {
    return entry.births.value_or(-1);
}

std::vector<std::int32_t> AllIndices(std::size_t size) {
    std::vector<std::int32_t> indices(size);
    std::iota(indices.begin(), indices.end(), 0);
    return indices;
}

// The name's code units in order (QStringView::compare is case-sensitive and
// compares UTF-16 code units), then the sex.
int CompareNameAndSex(const NameEntry& a, const NameEntry& b) {
    if (const int byName = QStringView(a.name).compare(b.name); byName != 0) {
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
        entry.number = GetDestinyNumber(EngineText(entry.name));
    }
    const auto& all = entries_;
    // Stable sorts, so that entries equal in every key keep the list's order.
    byName_ = AllIndices(all.size());
    std::stable_sort(byName_.begin(), byName_.end(), [&all](std::int32_t a, std::int32_t b) {
        return CompareNameAndSex(all[a], all[b]) < 0;
    });
    byBirths_ = AllIndices(all.size());
    std::stable_sort(byBirths_.begin(), byBirths_.end(), [&all](std::int32_t a, std::int32_t b) {
        const std::int64_t birthsA = BirthsKey(all[a]);
        const std::int64_t birthsB = BirthsKey(all[b]);
        if (birthsA != birthsB) {
            return birthsA > birthsB;
        }
        return CompareNameAndSex(all[a], all[b]) < 0;
    });
    bySex_ = byBirths_;
    std::stable_sort(bySex_.begin(), bySex_.end(), [&all](std::int32_t a, std::int32_t b) {
        return SexRank(all[a].sex) < SexRank(all[b].sex);
    });
    byNumber_ = byBirths_;
    std::stable_sort(byNumber_.begin(), byNumber_.end(), [&all](std::int32_t a, std::int32_t b) {
        return all[a].number < all[b].number;
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
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) {
            end = text.size();
        }
        QByteArrayView line = text.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const qsizetype firstTab = line.indexOf('\t');
        const qsizetype secondTab = firstTab < 0 ? -1 : line.indexOf('\t', firstTab + 1);
        if (firstTab <= 0 || secondTab != firstTab + 2) {
            continue;
        }
        const char sexLetter = line.at(firstTab + 1);
        if (sexLetter != 'F' && sexLetter != 'M') {
            continue;
        }
        bool isNumber = false;
        const int births = line.sliced(secondTab + 1).toInt(&isNumber);
        if (!isNumber || births < 0) {
            continue;
        }
        entries.push_back({QString::fromUtf8(line.first(firstTab)),
                           sexLetter == 'F' ? Sex::Girl : Sex::Boy, births, 0});
    }
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
