#include "app/VexaStyle.h"

#include "table/PileLayout.h"

namespace vexa {

int VexaStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const
{
    if (hint == SH_ToolTip_WakeUpDelay) return 200;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

int VexaStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_ScrollBarExtent) return ScrollBarSize;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

}  // namespace vexa
