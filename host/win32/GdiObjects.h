#pragma once
// The GDI object table of a desktop: bitmaps by handle. A handle is freed once; freeing an
// unknown handle fails and is counted, so that tests can see a double free. Bitmaps never change
// once made, so handles made from the same resource share its decoded pixels: each handle is
// still a bitmap of its own, freed on its own, and the pixels go with the last of them.

#include "host/win32/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace host {

// A bitmap held by the GDI object table. Pixels are 0xRRGGBB, rows top-down.
struct GdiBitmap {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    std::string Resource; // where it was loaded from, for inspection
    std::string Module;
};

class GdiObjects {
public:
    HGDIOBJ AddBitmap(GdiBitmap bitmap);
    // A new bitmap from DIB bytes (a module's resource); 0 when there is no decoder or the bytes
    // are no picture it knows. Bytes that a living handle was made from (the same resource of
    // the same module, unchanged) are not decoded again: the new handle shares that bitmap.
    HBITMAP AddDib(const std::vector<uint8_t>& dib, const std::string& resource,
                   const std::string& module);
    const GdiBitmap* Bitmap(HGDIOBJ handle) const;
    bool DeleteObject(HGDIOBJ handle);
    int Count() const { return static_cast<int>(FObjects.size()); }
    int DeleteFailures() const { return FDeleteFailures; }
    // How many times DIB bytes were decoded.
    int DecodeCount() const { return FDecodes; }

    // Turns DIB bytes into a bitmap; the graphics layer installs it.
    std::function<bool(const std::vector<uint8_t>&, GdiBitmap&)> DecodeDib;

private:
    // A resource decoded for a living handle, by the address of its bytes in the module.
    struct Decoded {
        std::vector<uint8_t> Dib; // the bytes it was decoded from, to see a change
        std::weak_ptr<const GdiBitmap> Bitmap;
    };
    HGDIOBJ add(std::shared_ptr<const GdiBitmap> bitmap);

    std::unordered_map<HGDIOBJ, std::shared_ptr<const GdiBitmap>> FObjects;
    std::unordered_map<const std::vector<uint8_t>*, Decoded> FDecoded;
    HGDIOBJ FNext = 0x1000;
    int FDeleteFailures = 0;
    int FDecodes = 0;
};

} // namespace host
