// Device-independent bitmaps: reading hand-made pictures of every depth, refusing hostile ones,
// and the exact bytes of the 4 bpp pictures the host's resources hold.

#include "host/win32/Dib.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <string>

using namespace host;

namespace {

void put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = uint8_t(x);
    v[at + 1] = uint8_t(x >> 8);
}
void put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    put16(v, at, x & 0xFFFF);
    put16(v, at + 2, x >> 16);
}
uint32_t get32(const std::vector<uint8_t>& v, size_t at) {
    return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | uint32_t(v[at + 3]) << 24;
}

// A BITMAPINFOHEADER followed by the colour table and the given pixel bytes.
std::vector<uint8_t> makeDib(int32_t width, int32_t height, int bpp, std::vector<Colour> table,
                             const std::vector<uint8_t>& bits, uint32_t clrUsed = 0) {
    std::vector<uint8_t> d(40);
    put32(d, 0, 40);
    put32(d, 4, static_cast<uint32_t>(width));
    put32(d, 8, static_cast<uint32_t>(height));
    put16(d, 12, 1);
    put16(d, 14, static_cast<uint32_t>(bpp));
    put32(d, 32, clrUsed);
    for (Colour c : table) {
        d.push_back(uint8_t(c));
        d.push_back(uint8_t(c >> 8));
        d.push_back(uint8_t(c >> 16));
        d.push_back(0);
    }
    d.insert(d.end(), bits.begin(), bits.end());
    return d;
}

std::vector<std::string> describe(const Surface& s) {
    std::vector<std::string> rows;
    for (int y = 0; y < s.Height(); ++y) {
        std::string row;
        for (int x = 0; x < s.Width(); ++x) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%06X", s.RawPixel(x, y));
            row += (x ? " " : "") + std::string(hex);
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(DibDecode, OneBitRowsArePaddedAndBottomUp) {
    // 3 x 2: top row 1 0 1, bottom row 0 1 1; each row is one byte plus three bytes of padding.
    const auto d = makeDib(3, 2, 1, {0x000000, 0xFFFFFF}, {0x60, 0, 0, 0, 0xA0, 0, 0, 0});
    EXPECT_EQ(describe(DecodeDib(d)),
              (std::vector<std::string>{"FFFFFF 000000 FFFFFF", "000000 FFFFFF FFFFFF"}));
}

TEST(DibDecode, FourBitsHighNibbleFirst) {
    const auto d =
        makeDib(3, 2, 4, {0x112233, 0x445566, 0x778899}, {0x21, 0x00, 0, 0, 0x01, 0x20, 0, 0}, 3);
    EXPECT_EQ(describe(DecodeDib(d)),
              (std::vector<std::string>{"112233 445566 778899", "778899 445566 112233"}));
}

TEST(DibDecode, EightBitsWithAShortColourTable) {
    const auto d = makeDib(2, 2, 8, {0xABCDEF, 0x000001, 0x800000}, {2, 0, 0, 0, 1, 2, 0, 0}, 3);
    EXPECT_EQ(describe(DecodeDib(d)), (std::vector<std::string>{"000001 800000", "800000 ABCDEF"}));
}

TEST(DibDecode, TwentyFourBitsAreBlueGreenRed) {
    // 2 x 2: 6 bytes of pixels per row, padded to 8.
    const auto d = makeDib(2, 2, 24, {},
                           {0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0, 0,   // bottom row
                            0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0, 0}); // top row
    EXPECT_EQ(describe(DecodeDib(d)), (std::vector<std::string>{"0000FF FF0000", "010203 040506"}));
}

TEST(DibDecode, NegativeHeightIsTopDown) {
    const auto d = makeDib(1, -2, 24, {}, {0x00, 0x00, 0xFF, 0, 0xFF, 0x00, 0x00, 0});
    EXPECT_EQ(describe(DecodeDib(d)), (std::vector<std::string>{"FF0000", "0000FF"}));
}

struct HostileCase {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> spoil;
    const char* error;
};

TEST(DibDecode, HostileHeadersAreRefusedWithAReason) {
    // A valid 4 x 2, 4 bpp picture with the full colour table to spoil.
    const std::vector<uint8_t> good =
        makeDib(4, 2, 4, std::vector<Colour>(16, 0x808080), std::vector<uint8_t>(8, 0x11));
    ASSERT_NO_THROW(DecodeDib(good));
    const HostileCase cases[] = {
        {"empty", [](auto& d) { d.clear(); }, "DIB too short for its header: 0 bytes"},
        {"header cut", [](auto& d) { d.resize(30); }, "DIB too short for its header: 30 bytes"},
        {"core header", [](auto& d) { put32(d, 0, 12); }, "Unsupported DIB header size 12"},
        {"header size past the end", [](auto& d) { put32(d, 0, 1000); },
         "DIB too short for its header: 112 bytes"},
        {"huge header size", [](auto& d) { put32(d, 0, 0xFFFFFFF0); },
         "Unsupported DIB header size 4294967280"},
        {"zero width", [](auto& d) { put32(d, 4, 0); }, "Invalid DIB size 0 x 2"},
        {"negative width", [](auto& d) { put32(d, 4, uint32_t(-4)); }, "Invalid DIB size -4 x 2"},
        {"zero height", [](auto& d) { put32(d, 8, 0); }, "Invalid DIB size 4 x 0"},
        {"most negative height", [](auto& d) { put32(d, 8, uint32_t(INT_MIN)); },
         "Invalid DIB size 4 x -2147483648"},
        {"gigantic", [](auto& d) { put32(d, 4, 100000); }, "Invalid DIB size 100000 x 2"},
        {"planes", [](auto& d) { put16(d, 12, 3); }, "Invalid DIB plane count 3"},
        {"16 bits", [](auto& d) { put16(d, 14, 16); }, "Unsupported DIB bit count 16"},
        {"0 bits", [](auto& d) { put16(d, 14, 0); }, "Unsupported DIB bit count 0"},
        {"run-length", [](auto& d) { put32(d, 16, 2); }, "Unsupported DIB compression 2"},
        {"too many colours", [](auto& d) { put32(d, 32, 17); }, "DIB colour count 17 exceeds 16"},
        {"colour table cut", [](auto& d) { d.resize(80); },
         "DIB colour table truncated: needs 104 bytes, has 80"},
        {"pixels cut", [](auto& d) { d.pop_back(); },
         "DIB pixel data truncated: needs 8 bytes after the colour table, has 7"},
        {"large size claimed over few bytes",
         [](auto& d) {
             put32(d, 4, 16384);
             put32(d, 8, 16384);
         },
         "DIB pixel data truncated: needs 134217728 bytes after the colour table, has 8"},
        // The table shrinks to one entry, so the pixels start at the old second entry (80 80 80).
        {"index beyond a short colour table", [](auto& d) { put32(d, 32, 1); },
         "DIB colour index 8 at 0,1 outside its colour table of 1"},
    };
    for (const HostileCase& c : cases) {
        std::vector<uint8_t> d = good;
        c.spoil(d);
        try {
            DecodeDib(d);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const EInvalidDib& e) {
            EXPECT_EQ(std::string(e.what()), c.error) << c.name;
        }
    }
}

TEST(DibDecode, TruncatedAtEveryLengthNeverCrashes) {
    const auto d =
        makeDib(5, 3, 8, std::vector<Colour>(4, 0x102030), std::vector<uint8_t>(24, 3), 4);
    ASSERT_NO_THROW(DecodeDib(d));
    for (size_t n = 0; n < d.size(); ++n)
        EXPECT_THROW(DecodeDib(std::span<const uint8_t>(d.data(), n)), EInvalidDib) << n;
}

TEST(DibEncode, TwentyFourSquareIsThe392ByteResourceLayout) {
    Surface s(24, 24, colours::Silver);
    s.SetPixel(0, 0, colours::Maroon); // top-left: last row in the file, high nibble
    s.SetPixel(1, 0, colours::White);  // its low nibble
    s.SetPixel(23, 23, colours::Navy); // bottom-right: first row, low nibble of byte 11
    const std::vector<uint8_t> d = EncodeDib4(s);
    ASSERT_EQ(d.size(), 392u);
    const uint32_t header[] = {40, 24, 24, 0x00040001 /* planes 1, 4 bpp */, 0, 288, 0, 0, 0, 16};
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(get32(d, i * 4), header[i]) << "header field at " << i * 4;
    const uint8_t palette[64] = {
        0x00, 0x00, 0x00, 0, 0x00, 0x00, 0x80, 0, 0x00, 0x80, 0x00, 0, 0x00, 0x80, 0x80, 0,
        0x80, 0x00, 0x00, 0, 0x80, 0x00, 0x80, 0, 0x80, 0x80, 0x00, 0, 0xC0, 0xC0, 0xC0, 0,
        0x80, 0x80, 0x80, 0, 0x00, 0x00, 0xFF, 0, 0x00, 0xFF, 0x00, 0, 0x00, 0xFF, 0xFF, 0,
        0xFF, 0x00, 0x00, 0, 0xFF, 0x00, 0xFF, 0, 0xFF, 0xFF, 0x00, 0, 0xFF, 0xFF, 0xFF, 0};
    EXPECT_EQ(std::memcmp(d.data() + 40, palette, 64), 0);
    const size_t bits = 104, stride = 12;
    EXPECT_EQ(d[bits + 11], 0x74) << "bottom row: silver then navy";
    EXPECT_EQ(d[bits + 0], 0x77);
    EXPECT_EQ(d[bits + 23 * stride], 0x1F) << "top row: maroon then white";
    EXPECT_EQ(d[bits + 23 * stride + 1], 0x77);
    EXPECT_EQ(DecodeDib(d), s);
}

TEST(DibEncode, OddWidthsPadWithZeroBits) {
    Surface s(3, 1, colours::White);
    const auto d = EncodeDib4(s);
    ASSERT_EQ(d.size(), 40u + 64u + 4u);
    EXPECT_EQ(std::vector<uint8_t>(d.end() - 4, d.end()), (std::vector<uint8_t>{0xFF, 0xF0, 0, 0}));
    EXPECT_EQ(DecodeDib(d), s);
}

TEST(DibEncode, ColoursOutsideThePaletteAreRefused) {
    Surface s(2, 2, colours::Black);
    s.SetPixel(1, 0, 0xDFDFDF);
    try {
        EncodeDib4(s);
        FAIL();
    } catch (const EInvalidDib& e) {
        EXPECT_STREQ(e.what(), "Colour DFDFDF at 1,0 is not in the 16-colour palette");
    }
    EXPECT_THROW(EncodeDib4(Surface()), EInvalidDib);
}

TEST(BmpFile, WrapsTheDibWithAFileHeader) {
    Surface s(24, 24, colours::Teal);
    s.SetPixel(5, 7, colours::Yellow);
    const auto dib = EncodeDib4(s);
    const auto bmp = DibToBmpFile(dib);
    ASSERT_EQ(bmp.size(), 406u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(get32(bmp, 2), 406u);
    EXPECT_EQ(get32(bmp, 6), 0u);
    EXPECT_EQ(get32(bmp, 10), 118u) << "14 + 40 + 64: where the pixels start";
    EXPECT_TRUE(std::equal(dib.begin(), dib.end(), bmp.begin() + 14));
    EXPECT_EQ(DecodeBmpFile(bmp), s);

    const auto rgb = makeDib(1, 1, 24, {}, {1, 2, 3, 0});
    EXPECT_EQ(get32(DibToBmpFile(rgb), 10), 54u);
    EXPECT_THROW(DibToBmpFile(std::vector<uint8_t>(10, 0)), EInvalidDib);
    auto wrongOffset = bmp;
    put32(wrongOffset, 10, 2000);
    EXPECT_THROW(DecodeBmpFile(wrongOffset), EInvalidDib);
    EXPECT_THROW(DecodeBmpFile(std::vector<uint8_t>{'B', 'M', 0}), EInvalidDib);
}

} // namespace
