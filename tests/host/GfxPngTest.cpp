// PNG files of surfaces: round trips, stable bytes, broken input, difference pictures.

#include "host/win32/Png.h"

#include "host/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace host;

namespace {

Surface sample() {
    Surface s(37, 11); // odd width: rows of no convenient length
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            s.SetPixel(x, y, static_cast<Colour>((x * 7) << 16 | (y * 23) << 8 | ((x * y) & 0xFF)));
    s.SetPixel(0, 0, 0xFFFFFF);
    s.SetPixel(36, 10, 0x010203);
    return s;
}

TEST(Png, RoundTripKeepsEveryPixel) {
    const Surface s = sample();
    EXPECT_EQ(DecodePng(EncodePng(s)), s);

    const std::string path = ::testing::TempDir() + "gfx_png_round_trip.png";
    WritePng(s, path);
    EXPECT_EQ(ReadPng(path), s);
    std::remove(path.c_str());
}

TEST(Png, SameSurfaceSameBytesWithoutTimeOrText) {
    const std::vector<uint8_t> a = EncodePng(sample());
    EXPECT_EQ(a, EncodePng(sample()));
    const std::string bytes(a.begin(), a.end());
    for (const char* chunk : {"tIME", "tEXt", "zTXt", "iTXt", "pHYs"})
        EXPECT_EQ(bytes.find(chunk), std::string::npos) << chunk;
    EXPECT_NE(bytes.find("IHDR"), std::string::npos);
}

TEST(Png, BrokenInputIsAnErrorNotACrash) {
    std::vector<uint8_t> good = EncodePng(sample());
    EXPECT_THROW(DecodePng({}), Exception);
    try {
        DecodePng({'G', 'I', 'F', '8', '9', 'a', 0, 0, 0});
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Not a PNG picture");
    }
    for (size_t cut : {size_t(8), size_t(20), good.size() / 2, good.size() - 13}) {
        std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_THROW(DecodePng(truncated), Exception) << cut;
    }
    std::vector<uint8_t> corrupt = good;
    corrupt[corrupt.size() / 2] ^= 0x5A;
    EXPECT_THROW(DecodePng(corrupt), Exception);
    EXPECT_THROW(EncodePng(Surface()), Exception);
    try {
        ReadPng(::testing::TempDir() + "no/such/file.png");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("no/such/file.png"), std::string::npos);
    }
}

TEST(Png, DiffImageMarksDifferingPixelsRed) {
    Surface a(4, 3, 0x00FF00);
    Surface b = a;
    b.SetPixel(1, 1, 0x00FE00);
    b.SetPixel(3, 0, 0x000000);
    int differing = -1;
    Surface d = DiffImage(a, b, &differing);
    EXPECT_EQ(differing, 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool differs = (x == 1 && y == 1) || (x == 3 && y == 0);
            EXPECT_EQ(d.RawPixel(x, y) == 0xFF0000, differs) << x << "," << y;
        }

    Surface wider(5, 2, 0x00FF00);
    d = DiffImage(a, wider, &differing);
    EXPECT_EQ(d.Width(), 5);
    EXPECT_EQ(d.Height(), 3);
    EXPECT_EQ(differing, 15 - 8) << "where only one picture has pixels counts as different";
    DiffImage(a, a, &differing);
    EXPECT_EQ(differing, 0);
}

} // namespace

namespace {

TEST(Png, OversizedPicturesAreRefusedBeforeAllocating) {
    // A valid 9000 x 1 picture: beyond the limit in one direction.
    const std::vector<uint8_t> wide = EncodePng(Surface(PngMaxDimension + 1, 1, 0x808080));
    EXPECT_THROW(DecodePng(wide), Exception);
    EXPECT_EQ(DecodePng(EncodePng(Surface(PngMaxDimension, 1, 0x808080))).Width(), PngMaxDimension);
}

} // namespace
