// The look shared by every window: hints show after 200 ms instead of the
// toolkit's 500, and scroll bars are as thick as the table model assumes
// when it decides whether a pile needs them.
#pragma once

#include <QProxyStyle>

namespace vexa {

class VexaStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
};

}  // namespace vexa
