#include "widgets/working_tooltip.h"

#include "textrules/name_folding.h"

#include <QFontMetrics>
#include <QToolTip>

namespace kindrell::widgets {
namespace {

// In pixels of the tooltip's font: about half a screen of 1,280.
constexpr int kWorkingTooltipWidth = 560;

} // namespace

QString WorkingTooltip(const QString& name) {
    return TooltipLine(text::WeighName(name, text::Folding::AToZ).working);
}

QString TooltipLine(const QString& line) {
    return QFontMetrics(QToolTip::font()).elidedText(line, Qt::ElideMiddle, kWorkingTooltipWidth);
}

} // namespace kindrell::widgets
