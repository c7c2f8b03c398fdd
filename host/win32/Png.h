#pragma once
// PNG files of surfaces: for pictures of the design surface, documentation and golden-image tests.
//
// Writing is deterministic: 8-bit RGB, no interlacing, fixed compression settings and no
// time-stamp or text chunks, so the same surface always gives the same bytes.

#include "host/win32/Surface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host {

std::vector<uint8_t> EncodePng(const Surface& surface);
// Writes the PNG whole or not at all (WriteFileAtomic); raises EWriteError naming the file (as
// name, when given) and the reason.
void WritePng(const Surface& surface, const std::string& path, const std::string& name = {});
// Pictures wider or higher than this are refused when reading.
constexpr int PngMaxDimension = 8192;

// Reads any PNG libpng understands (palette, grey, 16-bit, alpha are converted; alpha is
// dropped). Raises host::Exception on malformed data.
Surface DecodePng(const std::vector<uint8_t>& bytes);
Surface ReadPng(const std::string& path);

// A picture of where two surfaces differ, as large as the bigger of the two: differing pixels
// red (FF0000), equal ones a faded grey of a's pixel; where only one of the two has pixels it is
// red as well. differing, when given, receives the number of red pixels.
Surface DiffImage(const Surface& a, const Surface& b, int* differing = nullptr);

} // namespace host
