#pragma once

// The pages of a printed shortlist: a title with both parents' names and
// numbers, then each marked name with its sex, number, both verdicts,
// births, trend and working; with a partner's list, the names marked by
// both first, under a heading of their own. A name's lines are never split
// between two pages.

#include <QString>

#include <vector>

class QPagedPaintDevice;

namespace kindrell::finder {

struct PrintedName {
    QString title;    // "Sofia (girl), number 5"
    QString verdicts; // "Mother: Harmonious · Father: Not Harmonious"
    QString births;   // "Births 162,776 · trend +140%"; empty for a list of one's own
    QString working;  // "S 1 + O 6 + F 6 + I 9 + A 1 = 23 → 5"
    bool markedByBoth = false;
};

struct PrintedShortlist {
    QString title;          // "Names for the child of John (2) and Zoe (1)"
    bool comparing = false; // a partner's list is compared: the names marked by both come first
    std::vector<PrintedName> names;
};

void PaintShortlist(QPagedPaintDevice& pages, const PrintedShortlist& shortlist);

} // namespace kindrell::finder
