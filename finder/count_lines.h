#pragma once

// What the finder's count lines say: how many names the table shows, and,
// when it shows none, why.

#include <QString>

namespace kindrell::finder {

class NamesModel;
} // namespace kindrell::finder

namespace kindrell::namelist {
struct LikedName;
struct Filter;
} // namespace kindrell::namelist

namespace kindrell::finder {

// A file's name, or a name, in quotation marks: "“list.txt”".
QString Quoted(const QString& text);

// A count as the user's locale writes it: "29,389" in English, "29.389" in German.
QString CountText(qint64 count);
// "1 name", "29,389 names".
QString NamesText(qint64 count);
// "12 other spellings of Aidan", "1 other spelling of Zyra": the liked
// name's spellings but its own.
QString SpellingsText(const namelist::LikedName& liked);

// "2,314 middle names bring Sofia into harmony with both parents", or with
// one of them, as the harmony filter asks; "12 middle names for Sofia"
// under the other choices.
QString MiddleNamesText(qint64 count, const QString& liked, const namelist::Filter& filter);

// Why the table is empty: the liked name is not in the bundled list, the
// parents give every name the same verdict, their numbers leave no name in
// harmony with both, no name is marked, or the filters hide every name. Empty while either parent
// is blank (the count line asks for them) and while the table shows any name.
QString EmptyTableReason(const NamesModel& model);

} // namespace kindrell::finder
