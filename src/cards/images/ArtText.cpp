#include "cards/images/ArtText.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

namespace vexa::art {

QFont LetteringFont()
{
    static const QFont font = [] {
        const QStringList files = {
            "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
            "/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf",
        };
        for (const QString& file : files) {
            const int id = QFontDatabase::addApplicationFont(file);
            if (id < 0) continue;
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (families.isEmpty()) continue;
            QFont f(families.first());
            f.setBold(true);
            f.setPixelSize(100);
            return f;
        }
        QFont f("Serif");
        f.setStyleHint(QFont::Serif);
        f.setBold(true);
        f.setPixelSize(100);
        return f;
    }();
    return font;
}

void DrawFittedText(QPainter& painter, const QString& text, const QRectF& box, const QColor& ink)
{
    QPainterPath path;
    path.addText(0, 0, LetteringFont(), text);
    const QRectF inkBox = path.boundingRect();
    if (inkBox.isEmpty()) return;
    const double sy = box.height() / inkBox.height();
    const double sx = std::min(sy, box.width() / inkBox.width());
    painter.save();
    painter.translate(box.center());
    painter.scale(sx, sy);
    painter.translate(-inkBox.center());
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(path);
    painter.restore();
}

}  // namespace vexa::art
