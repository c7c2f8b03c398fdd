#pragma once
// The modules loaded into a desktop's process (the program and its packages), in load order,
// with their bitmap resources.

#include "host/win32/Types.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// One loaded module (the program or a package) with its bitmap resources by upper-case name.
struct TLibModule {
    TLibModule* Next = nullptr;
    HINSTANCE Instance = 0;
    HINSTANCE ResInstance = 0;
    std::string Name;
    // resource name -> DIB bytes; looked up without building a key string
    std::map<std::string, std::vector<uint8_t>, std::less<>> Bitmaps;
};

class ModuleList {
public:
    ModuleList() = default;
    ModuleList(const ModuleList&) = delete;
    ModuleList& operator=(const ModuleList&) = delete;

    // The first module; the others follow through Next.
    TLibModule* First() const { return FFirst; }
    // Adds a module at the end of the list, with instance handles of its own; the list owns it.
    TLibModule* Add(const std::string& name);
    void Remove(TLibModule* module);
    // Changes whenever a module joins or leaves the list.
    uint64_t Version() const { return FVersion; }

    // A bitmap resource of the first module whose resources are instance, found by name ignoring
    // case. All null when that module has no such resource, or no module has those resources.
    struct FoundBitmap {
        const TLibModule* Module = nullptr;
        const std::string* Name = nullptr; // as stored: upper case
        const std::vector<uint8_t>* Dib = nullptr;
    };
    // Allocates nothing: the layout step asks again for glyphs that have no picture.
    FoundBitmap FindBitmap(HINSTANCE instance, std::string_view name) const;

private:
    TLibModule* FFirst = nullptr;
    std::vector<std::unique_ptr<TLibModule>> FStore;
    HINSTANCE FNextInstance = 0x400000;
    uint64_t FVersion = 0;
};

} // namespace host
