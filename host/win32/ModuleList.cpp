#include "host/win32/ModuleList.h"

#include "host/rtl/SysUtils.h"

#include <algorithm>

namespace host {

TLibModule* ModuleList::Add(const std::string& name) {
    auto m = std::make_unique<TLibModule>();
    m->Name = name;
    m->Instance = FNextInstance;
    m->ResInstance = FNextInstance;
    FNextInstance += 0x10000;
    TLibModule* raw = m.get();
    FStore.push_back(std::move(m));
    TLibModule** link = &FFirst;
    while (*link)
        link = &(*link)->Next;
    *link = raw;
    ++FVersion;
    return raw;
}

void ModuleList::Remove(TLibModule* module) {
    for (TLibModule** link = &FFirst; *link; link = &(*link)->Next)
        if (*link == module) {
            *link = module->Next;
            break;
        }
    std::erase_if(FStore, [module](const auto& m) { return m.get() == module; });
    ++FVersion;
}

ModuleList::FoundBitmap ModuleList::FindBitmap(HINSTANCE instance, std::string_view name) const {
    // Resource names are stored upper-case; a name of usual length is raised into a buffer on
    // the stack, a longer one into a string.
    char buffer[256];
    std::string longName;
    std::string_view key;
    if (name.size() <= sizeof buffer) {
        for (size_t i = 0; i < name.size(); ++i)
            buffer[i] = (name[i] >= 'a' && name[i] <= 'z') ? static_cast<char>(name[i] - 'a' + 'A')
                                                           : name[i];
        key = std::string_view(buffer, name.size());
    } else {
        longName = UpperCase(name);
        key = longName;
    }
    for (const TLibModule* m = FFirst; m; m = m->Next) {
        if (m->ResInstance != instance)
            continue;
        auto it = m->Bitmaps.find(key);
        if (it == m->Bitmaps.end())
            return {};
        return {m, &it->first, &it->second};
    }
    return {};
}

} // namespace host
