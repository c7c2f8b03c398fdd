#pragma once
// The C++ types of the catalogue's classes that the host has no class of its own for: generic
// controls (windowed, scrolling, graphic) that start as their class's row says and paint a plain
// face with their caption, and a plain persistent for sub-objects (Constraints, Margins...).
// Their objects report their catalogue class (TEdit...), never these C++ names.

#include "host/vcl/Forms.h"

namespace host {

class TStdWinControl : public TCustomControl {
    HOST_CLASS(TStdWinControl, TCustomControl)
public:
    static TObject* Make() { return new TStdWinControl(); }
    void Create(TComponent* owner) override;
    void Paint() override;
};

class TStdScrollingControl : public TScrollingWinControl {
    HOST_CLASS(TStdScrollingControl, TScrollingWinControl)
public:
    static TObject* Make() { return new TStdScrollingControl(); }
    void Create(TComponent* owner) override;
};

class TStdGraphicControl : public TGraphicControl {
    HOST_CLASS(TStdGraphicControl, TGraphicControl)
public:
    static TObject* Make() { return new TStdGraphicControl(); }
    void Create(TComponent* owner) override;
    void Paint() override;
};

class TStdPersistent : public TPersistent {
    HOST_CLASS(TStdPersistent, TPersistent)
public:
    static TObject* Make() { return new TStdPersistent(); }
};

} // namespace host
