#pragma once
// The GDI object table of a desktop: bitmaps by handle. A handle is freed once; freeing an
// unknown handle fails and is counted, so that tests can see a double free.

#include "host/win32/Types.h"

#include <cstdint>
#include <functional>
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
    // are no picture it knows.
    HBITMAP AddDib(const std::vector<uint8_t>& dib, const std::string& resource,
                   const std::string& module);
    const GdiBitmap* Bitmap(HGDIOBJ handle) const;
    bool DeleteObject(HGDIOBJ handle);
    int Count() const { return static_cast<int>(FObjects.size()); }
    int DeleteFailures() const { return FDeleteFailures; }

    // Turns DIB bytes into a bitmap; the graphics layer installs it.
    std::function<bool(const std::vector<uint8_t>&, GdiBitmap&)> DecodeDib;

private:
    std::unordered_map<HGDIOBJ, GdiBitmap> FObjects;
    HGDIOBJ FNext = 0x1000;
    int FDeleteFailures = 0;
};

} // namespace host
