#pragma once

// The spellings of a name someone likes: the bundled names that sound alike
// (the same sounds-alike key, worked out when the list was derived) and are
// written alike (at most two edits apart).

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace kindrell::namelist {

class NameList;

// At most this many edits apart, ignoring case.
inline constexpr int kMaxSpellingEdits = 2;

// The optimal string alignment distance between two names, ignoring case:
// the fewest insertions, deletions, replacements of one letter, and swaps of
// two adjacent letters that turn one into the other, no letter edited twice.
// Counting stops above `limit`: any larger distance is given as limit + 1.
int SpellingEdits(QStringView a, QStringView b, int limit = kMaxSpellingEdits);

struct LikedName {
    // As the list spells it, or as typed (without the spaces around it)
    // when the list does not hold it.
    QString name;
    // Whether the list holds the name (ignoring case, or else as its letters
    // fold: "José" finds "Jose"); only then has it a sounds-alike key, and
    // so spellings.
    bool inList = false;
    // The list's entries that are its spellings, the name's own included,
    // both sexes, in list order.
    std::vector<std::int32_t> spellings;
    // The name's own entries among them: one, or a girl's and a boy's.
    std::vector<std::int32_t> own;
};

// The name typed in the list; `typed` blank gives an empty name.
LikedName FindLikedName(const NameList& list, QStringView typed);

} // namespace kindrell::namelist
