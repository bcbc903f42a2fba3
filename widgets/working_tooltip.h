#pragma once

// How a name's destiny number was worked out, as a tooltip shows it.

#include <QString>

namespace kindrell::widgets {

// "J 1 + O 6 + H 8 + N 5 = 20 → 2" for "John": the name trimmed of spaces,
// as it is weighed. A working too wide for a tooltip is shortened in the
// middle, keeping the letters it starts with and the sum it ends with.
QString WorkingTooltip(const QString& name);

// A line of text as wide as a tooltip takes at most, shortened in the middle
// when it is wider.
QString TooltipLine(const QString& line);

} // namespace kindrell::widgets
