// Build-time program that draws the 65 card pictures at every size of the
// ladder (cards/images/PictureSizes.h) and writes the picture stores that the
// card-image library modules embed:
//
//   vexacards_gen OUTDIR               writes OUTDIR/vexacards.bin, the full
//                                      set, and OUTDIR/vexacards-faulty.bin,
//                                      a damaged set for the loader's tests
//   vexacards_gen --sheet FILE [WIDTH] writes all pictures side by side as a
//                                      PNG, WIDTH pixels wide (142 unless told)
#include "cards/images/ArtText.h"
#include "cards/images/CardArt.h"
#include "cards/images/DibEncoder.h"
#include "cards/images/PictureSizes.h"
#include "cards/images/PictureStore.h"

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>
#include <vector>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

namespace {

using vexa::store::Entry;

struct Picture {
    std::uint32_t id;
    QByteArray bytes;
    // Makes the table point past the end of the store, so the module
    // cannot load it.
    bool unloadable = false;
};

void PutU32(QByteArray& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

QByteArray BuildStore(const std::vector<Picture>& pictures)
{
    std::uint32_t offset =
        static_cast<std::uint32_t>(vexa::store::kHeaderSize + pictures.size() * vexa::store::kEntrySize);
    QByteArray table, data;
    table.append(vexa::store::kMagic, 4);
    PutU32(table, static_cast<std::uint32_t>(pictures.size()));
    for (const Picture& picture : pictures) {
        while ((offset + data.size()) % 16) data.append('\0');
        const auto at = static_cast<std::uint32_t>(offset + data.size());
        PutU32(table, picture.id);
        PutU32(table, picture.unloadable ? 0x7FFFFFF0u : at);
        PutU32(table, static_cast<std::uint32_t>(picture.bytes.size()));
        data.append(picture.bytes);
    }
    return table + data;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "vexacards_gen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// Every picture at every size: 1..65 uncompressed at the base size, the
// other rungs compressed. Drawn on as many threads as there are cores.
std::vector<Picture> DrawAll()
{
    using vexa::sizes::Rung;
    const Rung base = {vexa::art::kPictureWidth, vexa::art::kPictureHeight};
    std::vector<std::pair<int, Rung>> jobs;  // (picture, size)
    for (int n = 1; n <= 65; ++n) jobs.emplace_back(n, base);
    for (int eighths : vexa::sizes::kLadder) {
        const Rung rung = vexa::sizes::RungAt(eighths);
        if (rung.width != base.width)
            for (int n = 1; n <= 65; ++n) jobs.emplace_back(n, rung);
    }

    std::vector<Picture> pictures(jobs.size());
    const auto draw = [&](std::size_t first, std::size_t step) {
        for (std::size_t i = first; i < jobs.size(); i += step) {
            const auto [n, rung] = jobs[i];
            const QImage image = vexa::art::DrawPicture(n, QSize(rung.width, rung.height));
            pictures[i] = {static_cast<std::uint32_t>(vexa::sizes::SizedNumber(n, rung.width)),
                           rung.width == base.width ? vexa::art::EncodeDib(image) : vexa::art::EncodeDibPng(image)};
        }
    };
    // The lettering face is set up once, before the threads share it.
    vexa::art::LetteringFont();
    const std::size_t threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::future<void>> running;
    for (std::size_t t = 0; t < threads; ++t) running.push_back(std::async(std::launch::async, draw, t, threads));
    for (auto& job : running) job.get();
    return pictures;
}

int WriteStores(const QString& dir)
{
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "vexacards_gen: cannot create %s\n", qPrintable(dir));
        return 1;
    }
    const std::vector<Picture> full = DrawAll();

    // The damaged set: back 58 is missing, picture 5 has no bytes, picture
    // 7 cannot be loaded and picture 9 holds no bitmap. Of the larger sizes,
    // picture 27 is missing at 284 pixels and holds no bitmap at 213, and
    // picture 28 has no bytes at 284 pixels.
    const auto sized = [](int n, int width) { return std::uint32_t(vexa::sizes::SizedNumber(n, width)); };
    std::vector<Picture> faulty;
    for (const Picture& picture : full) {
        if (picture.id == 58 || picture.id == sized(27, 284)) continue;
        Picture copy = picture;
        if (copy.id == 5 || copy.id == sized(28, 284)) copy.bytes.clear();
        if (copy.id == 7) copy.unloadable = true;
        if (copy.id == 9 || copy.id == sized(27, 213)) copy.bytes = QByteArray("this is not a bitmap at all, only text");
        faulty.push_back(copy);
    }
    const bool ok = WriteFile(dir + "/vexacards.bin", BuildStore(full)) &&
                    WriteFile(dir + "/vexacards-faulty.bin", BuildStore(faulty));
    return ok ? 0 : 1;
}

int WriteSheet(const QString& file, int w)
{
    const int h = (w * vexa::art::kPictureHeight + vexa::art::kPictureWidth / 2) / vexa::art::kPictureWidth, gap = 6;
    QImage sheet(13 * (w + gap) + gap, 5 * (h + gap) + gap, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0, 112, 60));
    QPainter painter(&sheet);
    for (int n = 1; n <= 65; ++n) {
        const int row = (n - 1) / 13, col = (n - 1) % 13;
        painter.drawImage(gap + col * (w + gap), gap + row * (h + gap), vexa::art::DrawPicture(n, QSize(w, h)));
    }
    painter.end();
    return sheet.save(file) ? 0 : 1;
}

// Keeps the build log quiet: the offscreen platform warns about settings
// (such as the runtime folder) that drawing does not need.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type >= QtCriticalMsg) std::fprintf(stderr, "vexacards_gen: %s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv)
{
    // Drawing needs the font system but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if ((args.size() == 3 || args.size() == 4) && args[1] == "--sheet") {
        const int width = args.size() == 4 ? args[3].toInt() : vexa::art::kPictureWidth;
        if (width >= 8 && width <= 2000) return WriteSheet(args[2], width);
    }
    if (args.size() == 2) return WriteStores(args[1]);
    std::fprintf(stderr, "usage: vexacards_gen OUTDIR | vexacards_gen --sheet FILE.png [WIDTH]\n");
    return 2;
}
