// Access to the card-image library: opens the module "VEXACARDS.DLL" (on
// this platform libvexacards.so), fetches picture n as a device-independent
// bitmap and hands it out decoded at the size it is painted. A fetch only
// checks the picture; it is decoded when it is first painted, and only the
// painted size is kept, once for all cards (of both decks) that show it.
#pragma once

#include "cards/CardFace.h"
#include "cards/images/CardImageAbi.h"

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
    // Picture n scaled smoothly to `pixelSize`, kept for reuse.
    QPixmap Scaled(int number, QSize pixelSize);

    // The number of decoded pictures kept (one per picture and size).
    std::size_t KeptPictures() const { return scaled_.size(); }

    bool IsOpen() const { return find_ != nullptr; }
    QString ModulePath() const { return modulePath_; }

private:
    void Open();
    QImage Decode(int number);

    QStringList searchDirs_;
    QString modulePath_;
    FindResourceFn find_ = nullptr;
    LoadResourceFn load_ = nullptr;
    SizeofResourceFn sizeof_ = nullptr;
    std::set<int> checked_;
    std::map<std::tuple<int, int, int>, QPixmap> scaled_;
};

}  // namespace vexa
