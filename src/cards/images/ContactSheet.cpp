// Renders every picture of the card-image library through the card control,
// on a table-green sheet, at table size and at double size:
//
//   vexacards_sheet [OUTDIR]   writes OUTDIR/cards-1x.png and cards-2x.png,
//                              and a fanned column of each suit as the piles
//                              lay them out (17 pixels apart) in
//                              OUTDIR/fan-1x.png and fan-2x.png
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

bool RenderSheet(vexa::CardLibrary& library, int scale, const QString& file)
{
    const int w = vexa::CardWidget::kWidth * scale, h = vexa::CardWidget::kHeight * scale, gap = 6 * scale;
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

// Four columns, one per suit, king to ace, each card 17 pixels below the one
// it covers, so that only the top strip of a covered card shows.
bool RenderFan(vexa::CardLibrary& library, int scale, const QString& file)
{
    const int w = vexa::CardWidget::kWidth * scale, h = vexa::CardWidget::kHeight * scale, gap = 10 * scale;
    const int step = 17 * scale;
    QWidget sheet;
    sheet.setAutoFillBackground(true);
    QPalette palette = sheet.palette();
    palette.setColor(QPalette::Window, QColor(0, 128, 0));
    sheet.setPalette(palette);
    sheet.resize(4 * (w + gap) + gap, 2 * gap + 12 * step + h);
    for (int suit = 0; suit < 4; ++suit)
        for (int value = 13; value >= 1; --value) {
            auto* card = new vexa::CardWidget(library, &sheet);
            card->resize(w, h);
            card->move(gap + suit * (w + gap), gap + (13 - value) * step);
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
        for (int scale : {1, 2}) {
            const QString file = QString("%1/cards-%2x.png").arg(dir).arg(scale);
            if (!RenderSheet(library, scale, file)) {
                std::fprintf(stderr, "vexacards_sheet: cannot write %s\n", qPrintable(file));
                return 1;
            }
            std::printf("%s\n", qPrintable(file));
            const QString fan = QString("%1/fan-%2x.png").arg(dir).arg(scale);
            if (!RenderFan(library, scale, fan)) {
                std::fprintf(stderr, "vexacards_sheet: cannot write %s\n", qPrintable(fan));
                return 1;
            }
            std::printf("%s\n", qPrintable(fan));
        }
    } catch (const vexa::VexaError& error) {
        std::fprintf(stderr, "vexacards_sheet: %s\n", error.what());
        return 1;
    }
    return 0;
}
