// Access to the card-image library: opens the module "VEXACARDS.DLL" (on
// this platform libvexacards.so), fetches picture n as a device-independent
// bitmap and hands it out decoded at the size it is painted. A fetch only
// checks the picture; it is decoded when it is first painted, from the
// library's smallest size of it at least as large as the painted one, and
// only the painted size is kept, once for all cards (of both decks) that
// show it. Pictures of sizes no longer painted are let go when the kept ones
// pass a memory budget.
#pragma once

#include "cards/CardFace.h"
#include "cards/images/CardImageAbi.h"

#include <cstdint>
#include <map>
#include <set>
#include <tuple>

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace vexa {

class CardLibrary : public PictureSource {
public:
    // Looks for the module only in `searchDirs`, in order, by absolute path:
    // never in the current directory or the loader's own search path.
    explicit CardLibrary(QStringList searchDirs);
    // The module stays loaded for the life of the process.
    ~CardLibrary() override = default;
    CardLibrary(const CardLibrary&) = delete;
    CardLibrary& operator=(const CardLibrary&) = delete;

    // The program's own folders: the executable's folder, the library folder
    // of the tree the program is installed in (../lib/vexasolit), then the
    // folder the configured install step puts the library into.
    static QStringList DefaultSearchDirs();
    // The platform file name of a module name: "VEXACARDS.DLL" gives
    // "libvexacards.so".
    static QString ModuleFileName(const QString& moduleName);

    // Fetches picture n (1..52 faces, 53..65 backs). Throws a VexaError:
    // "Unable to load VexaCards.DLL " while the module cannot be opened (each
    // time it is tried), "Resource #n not found (FindResource)" or
    // "(LoadResource)", and "Bitmap #n hasn't been stored properly" for a
    // picture without bytes or one that does not decode.
    void LoadCardBitmap(int number) override;

    // The decoded picture n; fetches it if it was not fetched yet. A null
    // image when it cannot be had (painting never raises errors).
    QImage Image(int number);
    // Picture n at `pixelSize` device pixels, kept for reuse: made from the
    // library's picture of n at the smallest size at least that large (so
    // never an enlargement up to eight times the table size), falling back
    // to larger ones when that one is damaged. A null pixmap when picture n
    // cannot be had.
    QPixmap Scaled(int number, QSize pixelSize);

    // The number of decoded pictures kept (one per picture and size), and
    // their bytes.
    std::size_t KeptPictures() const { return scaled_.size(); }
    std::size_t KeptBytes() const { return keptBytes_; }
    // Past this many bytes, pictures of sizes other than the one being
    // painted are let go, least recently painted first (32 MiB unless set).
    void SetKeptBudget(std::size_t bytes) { keptBudget_ = bytes; }

    bool IsOpen() const { return find_ != nullptr; }
    QString ModulePath() const { return modulePath_; }

private:
    void Open();
    QImage Decode(int number);
    QImage DecodeSized(int number, QSize pixelSize);
    QImage DecodeResource(int id);
    void MakeRoom(std::size_t bytes, QSize keep);

    struct Kept {
        QPixmap pixmap;
        std::uint64_t lastUse = 0;
    };

    QStringList searchDirs_;
    QString modulePath_;
    FindResourceFn find_ = nullptr;
    LoadResourceFn load_ = nullptr;
    SizeofResourceFn sizeof_ = nullptr;
    std::set<int> checked_;
    std::map<std::tuple<int, int, int>, Kept> scaled_;
    std::size_t keptBytes_ = 0;
    std::size_t keptBudget_ = std::size_t(32) << 20;
    std::uint64_t clock_ = 0;
};

}  // namespace vexa
