// Build-time program that draws the application icon: two fanned playing
// cards, an ace of spades in front of an ace of hearts, on a green baize
// tile. The same shapes go out as PNG pictures at the theme sizes and as an
// SVG picture, so that every size shows the same drawing.
//
//   vexa_icon OUTDIR   writes OUTDIR/<n>x<n>/apps/vexasolit.png for the sizes
//                      16 .. 256 and OUTDIR/scalable/apps/vexasolit.svg
#include "cards/images/SuitShapes.h"

#include <cstdio>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTransform>

namespace {

using vexa::art::SuitInk;
using vexa::art::SuitPath;

// The icon is drawn on a 256 × 256 grid.
constexpr double kGrid = 256;

struct Shape {
    QPainterPath path;
    QColor fill;
    QColor stroke;  // invalid: no outline
    double strokeWidth = 0;
};

QPainterPath Rounded(const QRectF& r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// One card turned by `angle` degrees about its lower middle, with a suit
// symbol in its centre.
void AddCard(std::vector<Shape>& shapes, double angle, double dx, int suit)
{
    QTransform turn;
    turn.translate(128 + dx, 214);
    turn.rotate(angle);
    turn.translate(-128, -214);
    const QRectF card(72, 40, 112, 160);
    shapes.push_back({turn.map(Rounded(card, 12)), QColor(255, 255, 255), QColor(52, 52, 56), 4});
    QTransform symbol = QTransform::fromTranslate(card.center().x(), card.center().y()) * turn;
    symbol = QTransform::fromScale(0.7, 0.7) * symbol;
    shapes.push_back({symbol.map(SuitPath(suit)), SuitInk(suit), QColor(), 0});
    // Small symbols in two corners.
    for (const QPointF corner :
         {QPointF(card.left() + 18, card.top() + 22), QPointF(card.right() - 18, card.bottom() - 22)}) {
        QTransform small = QTransform::fromScale(0.22, 0.22) * QTransform::fromTranslate(corner.x(), corner.y()) * turn;
        shapes.push_back({small.map(SuitPath(suit)), SuitInk(suit), QColor(), 0});
    }
}

std::vector<Shape> IconShapes()
{
    std::vector<Shape> shapes;
    shapes.push_back({Rounded(QRectF(8, 8, 240, 240), 40), QColor(0, 112, 60), QColor(0, 72, 38), 6});
    AddCard(shapes, -14, -22, 2);
    AddCard(shapes, 10, 22, 3);
    return shapes;
}

void Paint(QPainter& painter, const std::vector<Shape>& shapes)
{
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Shape& shape : shapes) {
        painter.setBrush(shape.fill);
        if (shape.stroke.isValid())
            painter.setPen(QPen(shape.stroke, shape.strokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        else
            painter.setPen(Qt::NoPen);
        painter.drawPath(shape.path);
    }
}

QString SvgPathData(const QPainterPath& path)
{
    QString d;
    auto num = [](double v) { return QString::number(v, 'f', 2); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += "M" + num(e.x) + " " + num(e.y);
        } else if (e.isLineTo()) {
            d += "L" + num(e.x) + " " + num(e.y);
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), to = path.elementAt(i + 2);
            d +=
                "C" + num(e.x) + " " + num(e.y) + " " + num(c2.x) + " " + num(c2.y) + " " + num(to.x) + " " + num(to.y);
            i += 2;
        }
    }
    return d + "Z";
}

QByteArray Svg(const std::vector<Shape>& shapes)
{
    QString svg = QString(
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n")
                      .arg(kGrid);
    for (const Shape& shape : shapes) {
        svg += QString("  <path fill=\"%1\" fill-rule=\"%2\"")
                   .arg(shape.fill.name(), shape.path.fillRule() == Qt::WindingFill ? "nonzero" : "evenodd");
        if (shape.stroke.isValid())
            svg += QString(" stroke=\"%1\" stroke-width=\"%2\" stroke-linejoin=\"round\"")
                       .arg(shape.stroke.name())
                       .arg(shape.strokeWidth);
        svg += " d=\"" + SvgPathData(shape.path) + "\"/>\n";
    }
    svg += "</svg>\n";
    return svg.toUtf8();
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vexa_icon OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const std::vector<Shape> shapes = IconShapes();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QString("%1/%2x%2/apps").arg(out).arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.scale(size / kGrid, size / kGrid);
        Paint(painter, shapes);
        painter.end();
        if (!QDir().mkpath(dir) || !image.save(dir + "/vexasolit.png")) {
            std::fprintf(stderr, "vexa_icon: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    if (!QDir().mkpath(out + "/scalable/apps") || !Write(out + "/scalable/apps/vexasolit.svg", Svg(shapes))) {
        std::fprintf(stderr, "vexa_icon: cannot write the SVG picture\n");
        return 1;
    }
    return 0;
}
