#pragma once
// The read-only view of a bar that the package StowPkg exports: what the designer program shows
// of a bar (its dump, its print, where its buttons and tabs are for the input it sends). The
// program sees bars only through this view. It needs neither the bar's header nor its code: the
// view is an interface, and the package hands it out through a plain entry point that the
// program finds in the loaded module.

#include "host/rtl/Lists.h"
#include "host/vcl/Buttons.h"
#include "host/vcl/Tabs.h"
#include "stowbar/NVC.h"

#include <cstdint>
#include <string>
#include <vector>

namespace stow {

class IBarView {
public:
    // The bar as a window: its bounds and visibility, and the window a user's input goes to.
    // Reading through the view changes nothing of the bar.
    virtual host::TWinControl& Control() const = 0;

    // ---- its entries, in button order, and the names it leaves to other bars
    virtual int EntryCount() const = 0;
    // Raises EListError for an index out of range.
    virtual const TNVC* Entry(int index) const = 0;
    virtual const host::TStringList& ExcludedNames() const = 0;
    // The tab set along its bottom edge: the bars of its side.
    virtual host::TTabSet& TabSet() const = 0;

    // ---- its state
    // The side it is docked to, by the name its property's type gives it ("asTop").
    virtual std::string AttachSideName() const = 0;
    virtual bool Hidden() const = 0;
    // Positions of its edge during its last slide (Left or Top), then the final one.
    virtual const std::vector<int>& SlideFrames() const = 0;
    // The identifiers of its window's timers, in order; none before it has a window.
    virtual std::vector<uintptr_t> Timers() const = 0;

    // ---- its published properties
    virtual bool AutoHide() const = 0;
    virtual int ButtonWidth() const = 0;
    virtual int ButtonHeight() const = 0;
    virtual int HiddenBarWidth() const = 0;
    virtual int ScrollTime() const = 0;
    virtual bool ShowTitles() const = 0;
    virtual bool ShowPicture() const = 0;
    virtual host::TButtonLayout Layout() const = 0;
    virtual int Margin() const = 0;
    virtual int Spacing() const = 0;
    virtual const std::string& VersionInfo() const = 0;

protected:
    ~IBarView() = default;
};

// The package's entry point, exported under BarViewEntryPoint: the view of a component whose
// class is TStowbar or derives from it (the real class, not one that merely bears its name), or
// null for any other component. The view lives as long as its bar.
using TBarViewOf = const IBarView* (*)(host::TComponent* component);
inline constexpr char BarViewEntryPoint[] = "StowbarViewOf";

} // namespace stow
