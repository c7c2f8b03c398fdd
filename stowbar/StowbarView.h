#pragma once
// The bar's side of the read-only view (stowbar/BarView.h): each bar owns one, reading through
// to the bar.

#include "stowbar/BarView.h"

namespace stow {

class TStowbar;

class TStowbarView final : public IBarView {
public:
    explicit TStowbarView(TStowbar& bar) : FBar(bar) {}
    TStowbarView(const TStowbarView&) = delete;
    TStowbarView& operator=(const TStowbarView&) = delete;

    host::TWinControl& Control() const override;
    int EntryCount() const override;
    const TNVC* Entry(int index) const override;
    const host::TStringList& ExcludedNames() const override;
    host::TTabSet& TabSet() const override;
    std::string AttachSideName() const override;
    bool Hidden() const override;
    const std::vector<int>& SlideFrames() const override;
    std::vector<uintptr_t> Timers() const override;
    bool AutoHide() const override;
    int ButtonWidth() const override;
    int ButtonHeight() const override;
    int HiddenBarWidth() const override;
    int ScrollTime() const override;
    bool ShowTitles() const override;
    bool ShowPicture() const override;
    host::TButtonLayout Layout() const override;
    int Margin() const override;
    int Spacing() const override;
    const std::string& VersionInfo() const override;

private:
    TStowbar& FBar;
};

} // namespace stow
