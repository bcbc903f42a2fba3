#include "namelist/spellings.h"

#include "namelist/name_list.h"
#include "textrules/engine_strings.h"
#include "textrules/name_folding.h"

#include <algorithm>
#include <array>

namespace kindrell::namelist {

int SpellingEdits(QStringView a, QStringView b, int limit) {
    const QString left = a.toString().toCaseFolded();
    const QString right = b.toString().toCaseFolded();
    const qsizetype rows = left.size();
    const qsizetype columns = right.size();
    if (std::abs(rows - columns) > limit) {
        return limit + 1;
    }
    // Three rows of the edit table: two back (for a swap), one back, this one.
    std::array<std::vector<int>, 3> table;
    for (auto& row : table) {
        row.resize(static_cast<std::size_t>(columns + 1));
    }
    for (qsizetype j = 0; j <= columns; ++j) {
        table[1][static_cast<std::size_t>(j)] = static_cast<int>(j);
    }
    for (qsizetype i = 1; i <= rows; ++i) {
        std::vector<int>& twoBack = table[0];
        std::vector<int>& previous = table[1];
        std::vector<int>& current = table[2];
        current[0] = static_cast<int>(i);
        int rowBest = current[0];
        for (qsizetype j = 1; j <= columns; ++j) {
            const auto at = static_cast<std::size_t>(j);
            const int replace = left[i - 1] == right[j - 1] ? 0 : 1;
            int best =
                std::min({previous[at] + 1, current[at - 1] + 1, previous[at - 1] + replace});
            if (i > 1 && j > 1 && left[i - 1] == right[j - 2] && left[i - 2] == right[j - 1]) {
                best = std::min(best, twoBack[at - 2] + 1);
            }
            current[at] = best;
            rowBest = std::min(rowBest, best);
        }
        if (rowBest > limit) {
            return limit + 1;
        }
        std::rotate(table.begin(), table.begin() + 1, table.end());
    }
    return std::min(table[1][static_cast<std::size_t>(columns)], limit + 1);
}

namespace {

// The entry of the name typed: alike ignoring case, or else alike in the
// letters they fold to ("José" for "Jose"); -1 when there is none.
std::int32_t FindEntry(const NameList& list, const QString& typed) {
    const std::vector<NameEntry>& entries = list.entries();
    const auto at = [&entries](auto matches) {
        const auto found = std::find_if(entries.begin(), entries.end(), matches);
        return found == entries.end() ? -1 : static_cast<std::int32_t>(found - entries.begin());
    };
    const std::int32_t same = at([&typed](const NameEntry& entry) {
        return entry.name.compare(typed, Qt::CaseInsensitive) == 0;
    });
    if (same >= 0) {
        return same;
    }
    const QString letters = text::WeighName(typed).letters;
    return letters.isEmpty() ? -1 : at([&letters](const NameEntry& entry) {
        return entry.name.compare(letters, Qt::CaseInsensitive) == 0;
    });
}

} // namespace

LikedName FindLikedName(const NameList& list, QStringView typed) {
    LikedName liked{text::TrimSpaces(typed.toString()), false, {}, {}};
    if (liked.name.isEmpty()) {
        return liked;
    }
    const std::int32_t index = FindEntry(list, liked.name);
    const QString key = index >= 0 ? list.soundKey(index) : QString();
    if (key.isEmpty()) {
        return liked; // not in the list, or a list of one's own: no keys, no spellings
    }
    const std::vector<NameEntry>& entries = list.entries();
    liked.name = entries[static_cast<std::size_t>(index)].name;
    liked.inList = true;
    for (std::int32_t i = 0; i < list.size(); ++i) {
        const QString& name = entries[static_cast<std::size_t>(i)].name;
        if (list.soundKey(i) == key && SpellingEdits(name, liked.name) <= kMaxSpellingEdits) {
            liked.spellings.push_back(i);
            if (name == liked.name) {
                liked.own.push_back(i);
            }
        }
    }
    return liked;
}

} // namespace kindrell::namelist
