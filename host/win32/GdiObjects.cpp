#include "host/win32/GdiObjects.h"

namespace host {

HGDIOBJ GdiObjects::AddBitmap(GdiBitmap bitmap) {
    HGDIOBJ h = FNext++;
    FObjects.emplace(h, std::move(bitmap));
    return h;
}

HBITMAP GdiObjects::AddDib(const std::vector<uint8_t>& dib, const std::string& resource,
                           const std::string& module) {
    if (!DecodeDib)
        return 0;
    GdiBitmap bmp;
    if (!DecodeDib(dib, bmp))
        return 0;
    bmp.Resource = resource;
    bmp.Module = module;
    return AddBitmap(std::move(bmp));
}

const GdiBitmap* GdiObjects::Bitmap(HGDIOBJ handle) const {
    auto it = FObjects.find(handle);
    return it == FObjects.end() ? nullptr : &it->second;
}

bool GdiObjects::DeleteObject(HGDIOBJ handle) {
    if (FObjects.erase(handle) == 1)
        return true;
    ++FDeleteFailures;
    return false;
}

} // namespace host
