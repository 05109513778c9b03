// The C interface that the card-image library exports. It hands out its
// pictures the way a module hands out numbered bitmap resources: find the
// resource, load it, ask its size.
#pragma once

namespace vexa {

// The resource type of bitmaps; the library holds no other type.
constexpr int kBitmapResourceType = 2;

// The exported names, for looking them up in the loaded module.
constexpr const char* kFindResourceSymbol = "VexaFindResource";
constexpr const char* kLoadResourceSymbol = "VexaLoadResource";
constexpr const char* kSizeofResourceSymbol = "VexaSizeofResource";

// A handle > 0 for resource `id` of `type`, or 0 when there is none.
using FindResourceFn = int (*)(int id, int type);
// The resource's bytes, or null when the handle cannot be loaded.
using LoadResourceFn = const void* (*)(int handle);
// The number of bytes of the resource, 0 for an unknown handle.
using SizeofResourceFn = unsigned (*)(int handle);

}  // namespace vexa
