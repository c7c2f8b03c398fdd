#pragma once
// Device-independent bitmaps: the picture format of the era's resources (a BITMAPINFOHEADER, a
// colour table of RGBQUADs, then the rows of pixels from the bottom up, each padded to a multiple
// of 4 bytes), and the .bmp file that wraps one.
//
// Reading accepts uncompressed (BI_RGB) pictures of 1, 4, 8 and 24 bits per pixel, bottom-up or
// top-down (negative height), with a header of 40 bytes or one of the later, longer ones. Reading
// treats its input as hostile: every size and offset is checked before use, and anything
// malformed raises EInvalidDib with a message saying what is wrong.

#include "host/rtl/SysUtils.h"
#include "host/win32/Surface.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace host {

class EInvalidDib : public Exception {
    using Exception::Exception;
};

// The 16 colours of the standard VGA palette, in their palette order: black, maroon, green,
// olive, navy, purple, teal, silver, gray, red, lime, yellow, blue, fuchsia, aqua, white.
const std::array<Colour, 16>& StandardPalette16();

constexpr size_t DibInfoHeaderSize = 40;
constexpr size_t BmpFileHeaderSize = 14;
// Pictures larger than this in either direction are refused.
constexpr int DibMaxDimension = 16384;

Surface DecodeDib(std::span<const uint8_t> dib);

// The surface as a 4 bpp bottom-up DIB with the standard palette (biClrUsed 0, biClrImportant 16,
// biSizeImage filled in, resolution 0). Raises EInvalidDib when a pixel's colour is not one of the
// 16 or the surface is empty.
std::vector<uint8_t> EncodeDib4(const Surface& surface);

// The .bmp file of a DIB: BITMAPFILEHEADER ("BM", file size, pixel offset) followed by the DIB.
// Raises EInvalidDib when the DIB's header is not valid.
std::vector<uint8_t> DibToBmpFile(std::span<const uint8_t> dib);
// Reads a .bmp file (the DIB after its 14-byte file header).
Surface DecodeBmpFile(std::span<const uint8_t> file);

} // namespace host
