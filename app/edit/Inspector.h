#pragma once
// The property panel's rows: a component's published properties as the panel shows and edits
// them. Editing goes through the script command `set`, so the panel accepts and refuses exactly
// what scripts do; these helpers only turn values into the text shown and what was typed into
// the text `set` takes.

#include "host/classes/Classes.h"
#include "host/rtl/TypInfo.h"

#include <string>
#include <vector>

namespace app::edit {

struct PropertyRow {
    std::string Path; // for `set`: Interval, Font.Name
    std::string Name; // as shown: the last part of the path
    int Depth = 0;    // 1 for a property of a sub-object (Font.Name)
    const host::TPropInfo* Info = nullptr;
    std::string Value; // as shown
    bool ReadOnly = false;
    // The values a list offers: an enumeration's or a Boolean's names, the components a
    // reference may name (and "" for none); empty for a value that is typed.
    std::vector<std::string> Choices;
};

// The published properties of a component by name (letter case ignored), as the object inspector
// lists them; the properties of a sub-object (Font) after the row of the object, one level deep.
// References are offered from root.
std::vector<PropertyRow> PropertyRows(host::TComponent& component, host::TComponent* root);

// A value as the panel shows it: strings as they are, numbers, identifiers and sets as a form
// file writes them, a reference by its component's name (empty for none).
std::string ShownValue(const host::TObject& object, const host::TPropInfo& info);

// The value text `set` takes for what was typed into a row: a string quoted (quotes doubled,
// control characters as #N), an empty reference as nil; other kinds as typed.
std::string SetValueText(const PropertyRow& row, const std::string& typed);

} // namespace app::edit
