#pragma once
// The range of the places and sizes the bar works out.

#include <algorithm>
#include <cstdint>

namespace stow {

// Places and sizes that the layout and the slide work out are held within this many pixels of 0
// either way, whatever the properties (ButtonWidth 2147483647, HiddenBarWidth -2147483648...):
// far beyond any screen, and far enough from the ends of an int that adding two of them cannot
// overflow.
inline constexpr int kCoordinateLimit = 1 << 29;

// v held within kCoordinateLimit.
inline int Saturated(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, -kCoordinateLimit, kCoordinateLimit));
}

} // namespace stow
