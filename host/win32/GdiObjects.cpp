#include "host/win32/GdiObjects.h"

namespace host {

HGDIOBJ GdiObjects::add(std::shared_ptr<const GdiBitmap> bitmap) {
    HGDIOBJ h = FNext++;
    FObjects.emplace(h, std::move(bitmap));
    return h;
}

HGDIOBJ GdiObjects::AddBitmap(GdiBitmap bitmap) {
    return add(std::make_shared<const GdiBitmap>(std::move(bitmap)));
}

HBITMAP GdiObjects::AddDib(const std::vector<uint8_t>& dib, const std::string& resource,
                           const std::string& module) {
    auto known = FDecoded.find(&dib);
    if (known != FDecoded.end()) {
        std::shared_ptr<const GdiBitmap> shared = known->second.Bitmap.lock();
        if (shared && shared->Resource == resource && shared->Module == module &&
            known->second.Dib == dib)
            return add(std::move(shared));
        FDecoded.erase(known);
    }
    if (!DecodeDib)
        return 0;
    GdiBitmap bmp;
    ++FDecodes;
    if (!DecodeDib(dib, bmp))
        return 0;
    bmp.Resource = resource;
    bmp.Module = module;
    auto shared = std::make_shared<const GdiBitmap>(std::move(bmp));
    FDecoded[&dib] = Decoded{dib, shared};
    return add(std::move(shared));
}

const GdiBitmap* GdiObjects::Bitmap(HGDIOBJ handle) const {
    auto it = FObjects.find(handle);
    return it == FObjects.end() ? nullptr : it->second.get();
}

bool GdiObjects::DeleteObject(HGDIOBJ handle) {
    if (FObjects.erase(handle) == 1)
        return true;
    ++FDeleteFailures;
    return false;
}

} // namespace host
