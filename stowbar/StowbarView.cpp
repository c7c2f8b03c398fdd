#include "stowbar/StowbarView.h"

#include "stowbar/Stowbar.h"

namespace stow {

using namespace host;

TWinControl& TStowbarView::Control() const {
    return FBar;
}

int TStowbarView::EntryCount() const {
    return FBar.EntryCount();
}

const TNVC* TStowbarView::Entry(int index) const {
    return FBar.Entries().Items(index);
}

const TStringList& TStowbarView::ExcludedNames() const {
    return FBar.ExcludedNames();
}

TTabSet& TStowbarView::TabSet() const {
    return *FBar.TabSet();
}

std::string TStowbarView::AttachSideName() const {
    const auto side = static_cast<size_t>(FBar.AttachSide());
    return side < AttachSideInfo.Names.size() ? AttachSideInfo.Names[side] : std::to_string(side);
}

bool TStowbarView::Hidden() const {
    return FBar.Hidden();
}

const std::vector<int>& TStowbarView::SlideFrames() const {
    return FBar.SlideFrames();
}

std::vector<uintptr_t> TStowbarView::Timers() const {
    if (!FBar.HandleAllocated())
        return {};
    return Desktop::Current().TimersOf(FBar.Handle());
}

bool TStowbarView::AutoHide() const {
    return FBar.AutoHide();
}

int TStowbarView::ButtonWidth() const {
    return FBar.ButtonWidth();
}

int TStowbarView::ButtonHeight() const {
    return FBar.ButtonHeight();
}

int TStowbarView::HiddenBarWidth() const {
    return FBar.HiddenBarWidth();
}

int TStowbarView::ScrollTime() const {
    return FBar.ScrollTime();
}

bool TStowbarView::ShowTitles() const {
    return FBar.ShowTitles();
}

bool TStowbarView::ShowPicture() const {
    return FBar.ShowPicture();
}

TButtonLayout TStowbarView::Layout() const {
    return FBar.Layout();
}

int TStowbarView::Margin() const {
    return FBar.Margin();
}

int TStowbarView::Spacing() const {
    return FBar.Spacing();
}

const std::string& TStowbarView::VersionInfo() const {
    return FBar.VersionInfo();
}

} // namespace stow
