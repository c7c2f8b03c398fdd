#include "host/win32/Png.h"

#include "host/rtl/Files.h"

#include "host/rtl/SysUtils.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace host {

namespace {

struct WriteState {
    std::vector<uint8_t>* out;
};

void writeData(png_structp png, png_bytep data, png_size_t length) {
    auto* state = static_cast<WriteState*>(png_get_io_ptr(png));
    state->out->insert(state->out->end(), data, data + length);
}

void flushData(png_structp) {}

struct ReadState {
    const std::vector<uint8_t>* in;
    size_t pos;
};

void readData(png_structp png, png_bytep data, png_size_t length) {
    auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
    if (length > state->in->size() - state->pos)
        png_error(png, "unexpected end of data");
    std::memcpy(data, state->in->data() + state->pos, length);
    state->pos += length;
}

[[noreturn]] void pngError(png_structp png, png_const_charp message) {
    auto* text = static_cast<std::string*>(png_get_error_ptr(png));
    if (text)
        *text = message;
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

} // namespace

// libpng reports errors through longjmp back into the function that called setjmp. The two
// functions below declare every object with a destructor before their setjmp, so the jump skips
// no destructor, and they raise the C++ exception only after libpng's structures are released.
std::vector<uint8_t> EncodePng(const Surface& surface) {
    if (surface.Width() <= 0 || surface.Height() <= 0)
        throw Exception("Cannot write an empty picture as PNG");
    std::vector<uint8_t> out;
    std::vector<uint8_t> rgb(static_cast<size_t>(surface.Width()) * surface.Height() * 3);
    for (size_t i = 0; i < surface.Pixels().size(); ++i) {
        const Colour c = surface.Pixels()[i];
        rgb[i * 3] = static_cast<uint8_t>(c >> 16);
        rgb[i * 3 + 1] = static_cast<uint8_t>(c >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(c);
    }
    std::vector<png_bytep> rows(static_cast<size_t>(surface.Height()));
    for (int y = 0; y < surface.Height(); ++y)
        rows[y] = rgb.data() + static_cast<size_t>(y) * surface.Width() * 3;
    std::string error;
    WriteState state{&out};

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, pngError, pngWarning);
    if (!png)
        throw Exception("Cannot create a PNG writer");
    png_infop info = png_create_info_struct(png);
    volatile bool failed = false;
    if (!info) {
        failed = true;
        error = "out of memory";
    } else if (setjmp(png_jmpbuf(png))) {
        failed = true;
    } else {
        png_set_write_fn(png, &state, writeData, flushData);
        png_set_IHDR(png, info, static_cast<png_uint_32>(surface.Width()),
                     static_cast<png_uint_32>(surface.Height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(png, 9);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_rows(png, info, rows.data());
        png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    }
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (failed)
        throw Exception("Cannot encode PNG: " + error);
    return out;
}

void WritePng(const Surface& surface, const std::string& path, const std::string& name) {
    const std::vector<uint8_t> bytes = EncodePng(surface);
    WriteFileAtomic(path,
                    std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                    name.empty() ? path : name);
}

Surface DecodePng(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0)
        throw Exception("Not a PNG picture");
    std::string error;
    ReadState state{&bytes, 0};
    // Filled inside the setjmp region but owned out here.
    std::vector<uint8_t> rgb;
    std::vector<png_bytep> rows;
    png_uint_32 width = 0, height = 0;

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, pngError, pngWarning);
    if (!png)
        throw Exception("Cannot create a PNG reader");
    png_infop info = png_create_info_struct(png);
    volatile bool failed = false;
    if (!info) {
        failed = true;
        error = "out of memory";
    } else if (setjmp(png_jmpbuf(png))) {
        failed = true;
    } else {
        png_set_read_fn(png, &state, readData);
        png_set_user_limits(png, PngMaxDimension, PngMaxDimension);
        png_read_info(png, info);
        width = png_get_image_width(png, info);
        height = png_get_image_height(png, info);
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_strip_alpha(png);
        png_set_gray_to_rgb(png);
        png_set_interlace_handling(png);
        png_read_update_info(png, info);
        if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 3)
            png_error(png, "unsupported pixel layout");
        rgb.resize(static_cast<size_t>(width) * height * 3);
        rows.resize(height);
        for (png_uint_32 y = 0; y < height; ++y)
            rows[y] = rgb.data() + static_cast<size_t>(y) * width * 3;
        png_read_image(png, rows.data());
        png_read_end(png, nullptr);
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (failed)
        throw Exception("Cannot decode PNG: " + error);
    Surface surface(static_cast<int>(width), static_cast<int>(height));
    for (png_uint_32 y = 0; y < height; ++y)
        for (png_uint_32 x = 0; x < width; ++x) {
            const uint8_t* p = rgb.data() + (static_cast<size_t>(y) * width + x) * 3;
            surface.SetPixel(static_cast<int>(x), static_cast<int>(y),
                             (Colour(p[0]) << 16) | (Colour(p[1]) << 8) | p[2]);
        }
    return surface;
}

Surface ReadPng(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw Exception("Cannot open file \"" + path + "\"");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    try {
        return DecodePng(bytes);
    } catch (const Exception& e) {
        throw Exception(path + ": " + e.Message());
    }
}

Surface DiffImage(const Surface& a, const Surface& b, int* differing) {
    const int width = std::max(a.Width(), b.Width());
    const int height = std::max(a.Height(), b.Height());
    Surface diff(width, height, colours::Red);
    int count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Colour pa = a.RawPixel(x, y);
            const Colour pb = b.RawPixel(x, y);
            if (pa != ColourInvalid && pa == pb) {
                // Faded: a light grey of the pixel's brightness, so the red stands out.
                const int lum =
                    (((pa >> 16) & 0xFF) * 3 + ((pa >> 8) & 0xFF) * 6 + (pa & 0xFF)) / 10;
                const Colour g = static_cast<Colour>(192 + lum / 4);
                diff.SetPixel(x, y, (g << 16) | (g << 8) | g);
            } else {
                ++count;
            }
        }
    if (differing)
        *differing = count;
    return diff;
}

} // namespace host
