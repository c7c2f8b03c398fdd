#pragma once
// TNVC: the record of one collected component.

#include <cstddef>
#include <string>

namespace host {
class TComponent;
class TSpeedButton;
} // namespace host

namespace stow {

struct TNVC {
    std::string Name;                      // the component's name; kept in step with renames
    std::string ClassName;                 // its class name when it was collected
    host::TComponent* Component = nullptr; // resolved by ComponentRefUpd; not owned
    std::string Title;                     // the button's text
    host::TSpeedButton* Button = nullptr;  // owned by the entry
    size_t At = 0; // where the registry put it: a hint, wrong once an entry before it went
};

// What passes from one bar to another when an entry is handed over: the three strings that the
// form file keeps of an entry. The component is looked up again by name, and the button is new.
struct TNVCRecord {
    std::string Name;
    std::string Title;
    std::string ClassName;
};

} // namespace stow
