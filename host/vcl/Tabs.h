#pragma once
// TTabSet: a row of tabs along a control's edge.

#include "host/vcl/Controls.h"

namespace host {

using TTabChangeEvent = std::function<void(TObject* sender, int newTab, bool& allowChange)>;

class TTabSet : public TCustomControl {
    HOST_CLASS(TTabSet, TCustomControl)
public:
    void Create(TComponent* owner) override;

    // The tab names. Clearing them leaves no tab selected and raises no change event.
    TStringList& Tabs() { return FTabs; }
    const TStringList& Tabs() const { return FTabs; }
    int TabIndex() const { return FTabIndex; }
    // Selects another tab (-1 to Count - 1): OnChange is asked first, with the old index still
    // in place, and the new one is taken only if it allows.
    void SetTabIndex(int value);
    bool DitherBackground() const { return FDitherBackground; }
    void SetDitherBackground(bool value) { FDitherBackground = value; }
    // The tab under a point of the client area, or -1.
    int ItemAtPos(TPoint p);
    TRect ItemRect(int index);

    TTabChangeEvent OnChange;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;

    static constexpr int StartMargin = 5;
    // How far a tab's slanted side reaches into its neighbour.
    static constexpr int Slant = 4;

private:
    void paintTab(int index, bool selected);
    TStringList FTabs;
    int FTabIndex = -1;
    bool FDitherBackground = true;
};

} // namespace host
