#include "cards/CardLibrary.h"

#include "cards/DibDecoder.h"
#include "cards/images/PictureSizes.h"
#include "core/VexaError.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef VEXA_CARDS_INSTALL_DIR
#define VEXA_CARDS_INSTALL_DIR "/usr/local/lib/vexasolit"
#endif

namespace vexa {

namespace {

constexpr const char* kModuleName = "VEXACARDS.DLL";
constexpr const char* kModuleTitle = "VexaCards.DLL";

std::size_t BytesOf(const QPixmap& pixmap)
{
    return static_cast<std::size_t>(pixmap.width()) * static_cast<std::size_t>(pixmap.height()) * 4;
}

}  // namespace

CardLibrary::CardLibrary(QStringList searchDirs) : searchDirs_(std::move(searchDirs)) {}

QStringList CardLibrary::DefaultSearchDirs()
{
    // Beside the program in the build folder; ../lib/vexasolit from an
    // installed program, wherever its tree was put (a package installs under
    // /usr whatever prefix the build was configured with); the configured
    // install folder last.
    const QString program = QCoreApplication::applicationDirPath();
    return {program, QDir::cleanPath(program + QStringLiteral("/../lib/vexasolit")),
            QStringLiteral(VEXA_CARDS_INSTALL_DIR)};
}

QString CardLibrary::ModuleFileName(const QString& moduleName)
{
    return "lib" + QFileInfo(moduleName).completeBaseName().toLower() + ".so";
}

void CardLibrary::Open()
{
    if (IsOpen()) return;
    const QString file = ModuleFileName(kModuleName);
    for (const QString& dir : searchDirs_) {
        if (dir.isEmpty() || QDir::isRelativePath(dir)) continue;
        const QString path = QDir::cleanPath(QDir(dir).absoluteFilePath(file));
        if (!QFileInfo(path).isFile()) continue;
        void* module = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!module) continue;
        auto find = reinterpret_cast<FindResourceFn>(dlsym(module, kFindResourceSymbol));
        auto load = reinterpret_cast<LoadResourceFn>(dlsym(module, kLoadResourceSymbol));
        auto size = reinterpret_cast<SizeofResourceFn>(dlsym(module, kSizeofResourceSymbol));
        if (!find || !load || !size) {
            dlclose(module);
            continue;
        }
        // The handle is never closed: the pictures' bytes live in the module.
        find_ = find;
        load_ = load;
        sizeof_ = size;
        modulePath_ = path;
        return;
    }
    throw VexaError(Format("Unable to load %s ", kModuleTitle));
}

void CardLibrary::LoadCardBitmap(int number)
{
    Open();
    const int handle = find_(number, kBitmapResourceType);
    if (handle == 0) throw VexaError(Format("Resource #%d not found (%s)", number, "FindResource"));
    const void* data = load_(handle);
    if (!data) throw VexaError(Format("Resource #%d not found (%s)", number, "LoadResource"));
    const unsigned size = sizeof_(handle);
    if (size == 0) throw VexaError(Format("Bitmap #%d hasn't been stored properly", number));

    // The module's bytes never change while it is loaded, so a picture is
    // checked once; the checks above still run on every fetch. It is decoded
    // only when it is first shown, at the size it is shown.
    if (checked_.count(number)) return;
    if (!LooksLikeDib(data, size)) throw VexaError(Format("Bitmap #%d hasn't been stored properly", number));
    checked_.insert(number);
}

QImage CardLibrary::Decode(int number)
{
    try {
        LoadCardBitmap(number);
    } catch (const VexaError&) {
        return {};
    }
    const int handle = find_(number, kBitmapResourceType);
    return DecodeDib(load_(handle), sizeof_(handle));
}

QImage CardLibrary::Image(int number) { return Decode(number); }

// One stored picture by its number, or a null image when it is missing or
// damaged; raises nothing.
QImage CardLibrary::DecodeResource(int id)
{
    const int handle = find_(id, kBitmapResourceType);
    if (handle == 0) return {};
    const void* data = load_(handle);
    const unsigned size = sizeof_(handle);
    if (!data || size == 0) return {};
    return DecodeDib(data, size);
}

QImage CardLibrary::DecodeSized(int number, QSize pixelSize)
{
    try {
        LoadCardBitmap(number);
    } catch (const VexaError&) {
        return {};
    }
    // The rung for the size, else the next larger ones, the base size (the
    // picture itself, already checked) among them.
    const int first = sizes::RungFor(pixelSize.width(), pixelSize.height()).width;
    for (int eighths : sizes::kLadder) {
        const int width = sizes::RungAt(eighths).width;
        if (width < first) continue;
        QImage picture = DecodeResource(sizes::SizedNumber(number, width));
        if (!picture.isNull()) return picture;
    }
    return DecodeResource(number);
}

void CardLibrary::MakeRoom(std::size_t bytes, QSize keep)
{
    while (keptBytes_ + bytes > keptBudget_) {
        auto oldest = scaled_.end();
        for (auto it = scaled_.begin(); it != scaled_.end(); ++it) {
            const bool sameSize = std::get<1>(it->first) == keep.width() && std::get<2>(it->first) == keep.height();
            if (!sameSize && (oldest == scaled_.end() || it->second.lastUse < oldest->second.lastUse)) oldest = it;
        }
        if (oldest == scaled_.end()) return;  // all kept pictures are of the painted size
        keptBytes_ -= BytesOf(oldest->second.pixmap);
        scaled_.erase(oldest);
    }
}

QPixmap CardLibrary::Scaled(int number, QSize pixelSize)
{
    if (pixelSize.isEmpty()) return {};
    const auto key = std::make_tuple(number, pixelSize.width(), pixelSize.height());
    auto it = scaled_.find(key);
    if (it != scaled_.end()) {
        it->second.lastUse = ++clock_;
        return it->second.pixmap;
    }
    // The stored picture lives only while it is scaled.
    const QImage picture = DecodeSized(number, pixelSize);
    if (picture.isNull()) return {};
    QPixmap pixmap = QPixmap::fromImage(
        picture.size() == pixelSize ? picture
                                    : picture.scaled(pixelSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    MakeRoom(BytesOf(pixmap), pixelSize);
    keptBytes_ += BytesOf(pixmap);
    scaled_.emplace(key, Kept{pixmap, ++clock_});
    return pixmap;
}

}  // namespace vexa
