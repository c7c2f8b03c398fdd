#include "host/win32/Dib.h"

#include "host/rtl/Bytes.h"

#include <cstdio>
#include <limits>

namespace host {

namespace {

int32_t i32(std::span<const uint8_t> d, size_t at) {
    return static_cast<int32_t>(get32(d, at));
}

std::string num(int64_t v) {
    return IntToStr(v);
}

// What a DIB's header says, checked against the DIB's length.
struct DibLayout {
    uint32_t headerSize = 0;
    int width = 0;
    int height = 0; // always positive
    bool topDown = false;
    int bitCount = 0;
    uint32_t colours = 0; // entries in the colour table
    size_t paletteOffset = 0;
    size_t bitsOffset = 0; // start of the pixel rows
    size_t stride = 0;     // bytes per row, padding included
};

DibLayout readLayout(std::span<const uint8_t> d) {
    DibLayout l;
    if (d.size() < 4)
        throw EInvalidDib("DIB too short for its header: " + num(int64_t(d.size())) + " bytes");
    l.headerSize = get32(d, 0);
    if (l.headerSize < DibInfoHeaderSize || l.headerSize > 1024)
        throw EInvalidDib("Unsupported DIB header size " + num(l.headerSize));
    if (d.size() < l.headerSize)
        throw EInvalidDib("DIB too short for its header: " + num(int64_t(d.size())) + " bytes");
    const int32_t width = i32(d, 4);
    const int32_t height = i32(d, 8);
    const uint16_t planes = get16(d, 12);
    l.bitCount = get16(d, 14);
    const uint32_t compression = get32(d, 16);
    const uint32_t clrUsed = get32(d, 32);
    if (width <= 0 || height == 0 || height == std::numeric_limits<int32_t>::min() ||
        width > DibMaxDimension || (height < 0 ? -height : height) > DibMaxDimension)
        throw EInvalidDib("Invalid DIB size " + num(width) + " x " + num(height));
    l.width = width;
    l.topDown = height < 0;
    l.height = height < 0 ? -height : height;
    if (planes != 1)
        throw EInvalidDib("Invalid DIB plane count " + num(planes));
    if (l.bitCount != 1 && l.bitCount != 4 && l.bitCount != 8 && l.bitCount != 24)
        throw EInvalidDib("Unsupported DIB bit count " + num(l.bitCount));
    if (compression != 0)
        throw EInvalidDib("Unsupported DIB compression " + num(compression));
    if (l.bitCount <= 8) {
        const uint32_t maxColours = 1u << l.bitCount;
        if (clrUsed > maxColours)
            throw EInvalidDib("DIB colour count " + num(clrUsed) + " exceeds " + num(maxColours));
        l.colours = clrUsed == 0 ? maxColours : clrUsed;
    } else {
        if (clrUsed > 256)
            throw EInvalidDib("DIB colour count " + num(clrUsed) + " exceeds 256");
        l.colours = clrUsed; // an optional table, not used for the pixels
    }
    l.paletteOffset = l.headerSize;
    l.bitsOffset = l.paletteOffset + size_t(l.colours) * 4;
    if (l.bitsOffset > d.size())
        throw EInvalidDib("DIB colour table truncated: needs " + num(int64_t(l.bitsOffset)) +
                          " bytes, has " + num(int64_t(d.size())));
    // width <= 16384 and bitCount <= 24: no overflow in 64 bits, nor in size_t on 64-bit hosts.
    l.stride = ((size_t(l.width) * size_t(l.bitCount) + 31) / 32) * 4;
    const uint64_t need = uint64_t(l.stride) * uint64_t(l.height);
    if (need > d.size() - l.bitsOffset)
        throw EInvalidDib("DIB pixel data truncated: needs " + num(int64_t(need)) +
                          " bytes after the colour table, has " +
                          num(int64_t(d.size() - l.bitsOffset)));
    return l;
}

} // namespace

const std::array<Colour, 16>& StandardPalette16() {
    static const std::array<Colour, 16> palette = {
        colours::Black, colours::Maroon,  colours::Green, colours::Olive,
        colours::Navy,  colours::Purple,  colours::Teal,  colours::Silver,
        colours::Gray,  colours::Red,     colours::Lime,  colours::Yellow,
        colours::Blue,  colours::Fuchsia, colours::Aqua,  colours::White};
    return palette;
}

Surface DecodeDib(std::span<const uint8_t> d) {
    const DibLayout l = readLayout(d);
    std::vector<Colour> palette(l.bitCount <= 8 ? l.colours : 0);
    for (size_t i = 0; i < palette.size(); ++i) {
        // RGBQUAD: blue, green, red, reserved
        palette[i] = get32(d, l.paletteOffset + i * 4) & 0xFFFFFF;
    }
    Surface s(l.width, l.height);
    for (int row = 0; row < l.height; ++row) {
        const uint8_t* p = d.data() + l.bitsOffset + size_t(row) * l.stride;
        const int y = l.topDown ? row : l.height - 1 - row;
        for (int x = 0; x < l.width; ++x) {
            Colour c;
            if (l.bitCount == 24) {
                const uint8_t* px = p + size_t(x) * 3;
                c = (Colour(px[2]) << 16) | (Colour(px[1]) << 8) | px[0];
            } else {
                const int perByte = 8 / l.bitCount;
                const int shift = 8 - l.bitCount * (x % perByte + 1);
                const uint32_t index = (p[x / perByte] >> shift) & ((1u << l.bitCount) - 1);
                if (index >= palette.size())
                    throw EInvalidDib("DIB colour index " + num(index) + " at " + num(x) + "," +
                                      num(y) + " outside its colour table of " +
                                      num(int64_t(palette.size())));
                c = palette[index];
            }
            s.SetPixel(x, y, c);
        }
    }
    return s;
}

std::vector<uint8_t> EncodeDib4(const Surface& s) {
    if (s.Width() <= 0 || s.Height() <= 0)
        throw EInvalidDib("Cannot encode an empty picture as a DIB");
    const auto& palette = StandardPalette16();
    const size_t stride = ((size_t(s.Width()) * 4 + 31) / 32) * 4;
    std::vector<uint8_t> out;
    out.reserve(DibInfoHeaderSize + 64 + stride * s.Height());
    put32(out, DibInfoHeaderSize);
    put32(out, static_cast<uint32_t>(s.Width()));
    put32(out, static_cast<uint32_t>(s.Height()));
    put16(out, 1); // planes
    put16(out, 4); // bits per pixel
    put32(out, 0); // BI_RGB
    put32(out, static_cast<uint32_t>(stride * s.Height()));
    put32(out, 0);  // horizontal resolution
    put32(out, 0);  // vertical resolution
    put32(out, 0);  // colours used: all that 4 bits can address
    put32(out, 16); // colours important
    for (Colour c : palette)
        put32(out, c); // RGBQUAD: blue, green, red, reserved (0x00RRGGBB read little-endian)
    for (int y = s.Height() - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < s.Width(); ++x) {
            const Colour c = s.RawPixel(x, y);
            int index = -1;
            for (int i = 0; i < 16; ++i)
                if (palette[i] == c)
                    index = i;
            if (index < 0) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "%06X", c & 0xFFFFFFu);
                throw EInvalidDib(std::string("Colour ") + hex + " at " + num(x) + "," + num(y) +
                                  " is not in the 16-colour palette");
            }
            row[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> DibToBmpFile(std::span<const uint8_t> dib) {
    const DibLayout l = readLayout(dib);
    const uint64_t fileSize = BmpFileHeaderSize + uint64_t(dib.size());
    if (fileSize > 0xFFFFFFFFu)
        throw EInvalidDib("DIB too large for a .bmp file");
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(fileSize));
    out.push_back('B');
    out.push_back('M');
    put32(out, static_cast<uint32_t>(fileSize));
    put32(out, 0); // two reserved words
    put32(out, static_cast<uint32_t>(BmpFileHeaderSize + l.bitsOffset));
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

Surface DecodeBmpFile(std::span<const uint8_t> file) {
    if (file.size() < BmpFileHeaderSize || file[0] != 'B' || file[1] != 'M')
        throw EInvalidDib("Not a .bmp file");
    const uint32_t offBits = get32(file, 10);
    std::span<const uint8_t> dib = file.subspan(BmpFileHeaderSize);
    const DibLayout l = readLayout(dib);
    if (offBits != BmpFileHeaderSize + l.bitsOffset)
        throw EInvalidDib("Unexpected .bmp pixel offset " + num(offBits));
    return DecodeDib(dib);
}

} // namespace host
