#pragma once
// Form, data module or frame: a form file never names its root's ancestor, so the designer
// decides what the root is, from the unit beside the file when there is one, else from what
// the file holds (docs/formfiles.md, "Form, data module or frame").

#include "host/classes/FormTree.h"

#include <optional>
#include <string_view>

namespace host {

enum class RootKind { Form, DataModule, Frame };

// "form", "datamodule", "frame".
std::string_view RootKindName(RootKind kind);
std::optional<RootKind> ParseRootKind(std::string_view name);

// The kind of className as the unit's Pascal text declares it: "TFoo = class(TDataModule)",
// class(TFrame), class(TForm), or an ancestor that is one of those (declared in the same unit, or
// a class the host knows); nothing when the unit does not say.
std::optional<RootKind> RootKindFromUnit(std::string_view unitText, std::string_view className);

// The kind by what the file holds:
//   1. a property only forms store (Caption, ClientWidth, PixelsPerInch, TextHeight, BorderStyle,
//      Position, Menu...): a form;
//   2. else TabOrder or TabStop on the root: a frame;
//   3. else a child that is a control (of a control class, or an unknown class that looks like
//      one): a frame;
//   4. else a data module, unless the root stores Width before Height, as a form's controls
//      order writes them (a data module writes its Height first): a form.
RootKind RootKindFromContent(const FormObject& object);

} // namespace host
