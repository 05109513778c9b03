// Renders every picture of the card-image library through the card control,
// on a table-green sheet, at table size, at double size and at 2.5 times:
//
//   vexacards_sheet [OUTDIR]   writes OUTDIR/cards-Sx.png (S = 1, 2, 2.5),
//                              a fanned column of each suit as the piles lay
//                              them out downwards (17 table pixels apart) in
//                              OUTDIR/fan-Sx.png, and a row of each suit
//                              fanned to the right (15 apart) in
//                              OUTDIR/fan-right-Sx.png
//
// For looking at the pictures as the player sees them.
#include "cards/CardLibrary.h"
#include "cards/CardWidget.h"
#include "core/VexaError.h"

#include <cstdio>

#include <QApplication>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace {

int Scaled(int pixels, double scale) { return int(pixels * scale + 0.5); }

bool RenderSheet(vexa::CardLibrary& library, double scale, const QString& file)
{
    const int w = Scaled(vexa::CardWidget::kWidth, scale), h = Scaled(vexa::CardWidget::kHeight, scale);
    const int gap = Scaled(6, scale);
    QWidget sheet;
    sheet.setAutoFillBackground(true);
    QPalette palette = sheet.palette();
    palette.setColor(QPalette::Window, QColor(0, 112, 60));
    sheet.setPalette(palette);
    sheet.resize(13 * (w + gap) + gap, 5 * (h + gap) + gap);
    for (int n = 1; n <= 65; ++n) {
        auto* card = new vexa::CardWidget(library, &sheet);
        card->resize(w, h);
        card->move(gap + (n - 1) % 13 * (w + gap), gap + (n - 1) / 13 * (h + gap));
        if (n <= 52) {
            card->SetDeckvalue(n);
        } else {
            card->SetCardBackStyle(n - 52);
            card->SetState(vexa::ctBack);
        }
    }
    return sheet.grab().save(file);
}

// One pile per suit, king to ace, each card `step` table pixels beyond the
// one it covers, downwards (four columns) or to the right (four rows), so
// that only a strip of each covered card shows.
bool RenderFan(vexa::CardLibrary& library, double scale, bool right, const QString& file)
{
    const int w = Scaled(vexa::CardWidget::kWidth, scale), h = Scaled(vexa::CardWidget::kHeight, scale);
    const int gap = Scaled(10, scale);
    const double step = (right ? 15 : 17) * scale;
    QWidget sheet;
    sheet.setAutoFillBackground(true);
    QPalette palette = sheet.palette();
    palette.setColor(QPalette::Window, QColor(0, 128, 0));
    sheet.setPalette(palette);
    const int length = int(12 * step) + (right ? w : h);
    if (right)
        sheet.resize(2 * gap + length, 4 * (h + gap) + gap);
    else
        sheet.resize(4 * (w + gap) + gap, 2 * gap + length);
    for (int suit = 0; suit < 4; ++suit)
        for (int value = 13; value >= 1; --value) {
            auto* card = new vexa::CardWidget(library, &sheet);
            card->resize(w, h);
            const int along = gap + int((13 - value) * step), across = gap + suit * ((right ? h : w) + gap);
            card->move(right ? along : across, right ? across : along);
            card->SetDeckvalue(suit * 13 + value);
        }
    return sheet.grab().save(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    try {
        vexa::CardLibrary library(vexa::CardLibrary::DefaultSearchDirs());
        for (double scale : {1.0, 2.0, 2.5}) {
            const QString files[3] = {QString("%1/cards-%2x.png").arg(dir).arg(scale),
                                      QString("%1/fan-%2x.png").arg(dir).arg(scale),
                                      QString("%1/fan-right-%2x.png").arg(dir).arg(scale)};
            const bool written[3] = {RenderSheet(library, scale, files[0]),
                                     RenderFan(library, scale, false, files[1]),
                                     RenderFan(library, scale, true, files[2])};
            for (int i = 0; i < 3; ++i) {
                if (!written[i]) {
                    std::fprintf(stderr, "vexacards_sheet: cannot write %s\n", qPrintable(files[i]));
                    return 1;
                }
                std::printf("%s\n", qPrintable(files[i]));
            }
        }
    } catch (const vexa::VexaError& error) {
        std::fprintf(stderr, "vexacards_sheet: %s\n", error.what());
        return 1;
    }
    return 0;
}
