// Fonts of the dialogs. The windows name the classic Windows families
// ("MS Sans Serif", "Arial", "Times New Roman"), which a Linux desktop
// rarely has; the first call registers metric-compatible substitutes so the
// text keeps its intended width and height.
#pragma once

#include <QFont>

namespace vexa {

// A font of the given family whose characters are pixelSize pixels high.
QFont VexaFont(const char* family, int pixelSize, bool bold, bool italic = false);

}  // namespace vexa
