#include "app/VexaStyle.h"

#include <algorithm>

#include "table/PileLayout.h"
#include "table/PileWidget.h"

namespace vexa {

int VexaStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay) return 200;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

int VexaStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    // A pile's bars are as thick as the model's bar at the table's scale.
    if (metric == PM_ScrollBarExtent) {
        for (const QWidget* owner = widget; owner; owner = owner->parentWidget())
            if (const auto* pile = qobject_cast<const PileWidget*>(owner))
                return std::max(1, qRound(ScrollBarSize * pile->Scale()));
        return ScrollBarSize;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

}  // namespace vexa
