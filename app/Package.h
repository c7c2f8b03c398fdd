#pragma once
// `stowdesign package`: what the designer sees of a package, and its resources as a .res file.

#include <ostream>
#include <string>

namespace app {

// Loads the package at path into a fresh designer, prints what it sees (description, kind,
// requires, contains, units, resources, version, palette pages, editors) and, when resOut is
// not empty, writes the package's resources to resOut as a 32-bit .res file. Returns the exit
// status: 0, or 2 with a one-line message on err.
int ShowPackage(const std::string& path, const std::string& resOut, std::ostream& out,
                std::ostream& err);

} // namespace app
