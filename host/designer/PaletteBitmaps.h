#pragma once
// The 24 by 24 palette pictures of the host's standard components, as the component library's
// resource module holds them: one 4 bpp DIB (standard 16-colour palette) per class, named by the
// class name in upper case ("TTIMER"). The bottom-left pixel of every picture is the background,
// silver, which the speed buttons and the palette draw as transparent.
//
// Classes without a picture of their own (fields such as TStringField and TIntegerField, and any
// class not listed) get none here; a palette class shows its page's picture, and TComponent's
// picture is what the bar and the designer show for a component of a class with none up its
// ancestry (a placeholder of a class the host does not know).

#include "host/win32/Surface.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host {

constexpr int PaletteBitmapSize = 24;

// The names of the classes that have a picture, upper case, in palette order.
const std::vector<std::string>& PaletteBitmapNames();
// The picture of a class as a 4 bpp DIB, or empty when the class has none. The name is compared
// without regard to letter case.
std::vector<uint8_t> PaletteBitmapDib(std::string_view upperName);
// The same picture as a surface, or an empty (0 by 0) surface when the class has none.
Surface PaletteBitmapSurface(std::string_view upperName);
// The picture of a palette page's classes that have none of their own ("PAGE.STANDARD").
std::string PagePictureName(std::string_view page);
// The picture a class's palette button shows: its own, else its catalogue page's; "" for none.
std::string PalettePictureName(std::string_view className);

} // namespace host
