// The code of the card-image library: it looks pictures up in the store that
// the build embeds into the module (the file named by VEXA_PICTURE_STORE).
#include "cards/images/CardImageAbi.h"
#include "cards/images/PictureStore.h"

#include <cstring>

#ifndef VEXA_PICTURE_STORE
#error "VEXA_PICTURE_STORE must name the picture store to embed"
#endif

// The store's bytes, embedded verbatim by the assembler.
__asm__(
    ".section .rodata.vexapictures,\"a\",@progbits\n"
    ".balign 16\n"
    ".globl vexaPictureStore\n"
    ".hidden vexaPictureStore\n"
    "vexaPictureStore:\n"
    ".incbin \"" VEXA_PICTURE_STORE
    "\"\n"
    ".globl vexaPictureStoreEnd\n"
    ".hidden vexaPictureStoreEnd\n"
    "vexaPictureStoreEnd:\n"
    ".byte 0\n"
    ".previous\n");

extern "C" const unsigned char vexaPictureStore[];
extern "C" const unsigned char vexaPictureStoreEnd[];

namespace {

using vexa::store::Entry;
using vexa::store::ReadU32;

std::size_t StoreSize() { return static_cast<std::size_t>(vexaPictureStoreEnd - vexaPictureStore); }

std::uint32_t EntryCount()
{
    if (StoreSize() < vexa::store::kHeaderSize) return 0;
    if (std::memcmp(vexaPictureStore, vexa::store::kMagic, 4) != 0) return 0;
    const std::uint32_t count = ReadU32(vexaPictureStore + 4);
    const std::size_t room = (StoreSize() - vexa::store::kHeaderSize) / vexa::store::kEntrySize;
    return count <= room ? count : static_cast<std::uint32_t>(room);
}

// The entry of a handle (1-based index into the table), if there is one.
bool EntryOf(int handle, Entry& entry)
{
    if (handle < 1 || static_cast<std::uint32_t>(handle) > EntryCount()) return false;
    const unsigned char* p = vexaPictureStore + vexa::store::kHeaderSize + (handle - 1) * vexa::store::kEntrySize;
    entry.id = ReadU32(p);
    entry.offset = ReadU32(p + 4);
    entry.size = ReadU32(p + 8);
    return true;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int VexaFindResource(int id, int type)
{
    if (type != vexa::kBitmapResourceType || id < 0) return 0;
    Entry entry;
    for (std::uint32_t i = 1; i <= EntryCount(); ++i)
        if (EntryOf(static_cast<int>(i), entry) && entry.id == static_cast<std::uint32_t>(id))
            return static_cast<int>(i);
    return 0;
}

__attribute__((visibility("default"))) const void* VexaLoadResource(int handle)
{
    Entry entry;
    if (!EntryOf(handle, entry)) return nullptr;
    if (entry.offset > StoreSize() || entry.size > StoreSize() - entry.offset) return nullptr;
    return vexaPictureStore + entry.offset;
}

__attribute__((visibility("default"))) unsigned VexaSizeofResource(int handle)
{
    Entry entry;
    if (!EntryOf(handle, entry)) return 0;
    return entry.size;
}

}  // extern "C"
