#pragma once

// What the finder's count lines say: how many names the table shows, and,
// when it shows none, why.

#include <QString>

namespace kindrell::finder {

class NamesModel;

// A count as the user's locale writes it: "29,389" in English, "29.389" in German.
QString CountText(qint64 count);
// "1 name", "29,389 names".
QString NamesText(qint64 count);

// Why the table is empty: the parents give every name the same verdict,
// their numbers leave no name in harmony with both, no name is marked, or
// the filters hide every name. Empty while either parent is blank (the
// count line asks for them) and while the table shows any name.
QString EmptyTableReason(const NamesModel& model);

} // namespace kindrell::finder
