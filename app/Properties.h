#pragma once
// Setting published properties from text in form-file syntax, as the object inspector does.

#include "host/classes/Classes.h"

#include <string>

namespace app {

// Parses a Pascal string literal ('it''s', #13, pieces joined); raises ScriptError.
std::string ParsePascalString(const std::string& text);
// Sets obj's property at path (a name, or a dotted path through sub-objects such as Font.Name)
// from text; raises ScriptError naming what is wrong. References are looked up on root.
void SetPropertyText(host::TObject& obj, const std::string& path, const std::string& text,
                     host::TComponent* root);

} // namespace app
