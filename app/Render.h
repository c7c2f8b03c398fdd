#pragma once
// Pictures from the command line: `stowdesign render FORM OUT.png`.

#include "app/Session.h"

#include <ostream>
#include <string>

namespace app {

// Opens the form in the designer, lets it settle (the first collection passes and placements
// run within 600 ms of virtual time) and writes the picture of its design surface. Returns the
// exit status: 0, or 2 with a message on err.
int RenderFormFile(const std::string& formPath, const std::string& pngPath, std::ostream& err);

} // namespace app
