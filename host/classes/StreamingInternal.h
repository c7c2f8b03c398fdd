#pragma once
// What the form streaming's reader and writer share: the reading of string values as bytes, and
// the merge of a component's object as read with what the host writes for it now.

#include "host/classes/Streaming.h"

#include <functional>
#include <string>
#include <vector>

namespace host {

// The text of a string value of any kind as the host's byte string: bytes as they are; wide and
// UTF-8 strings as bytes when every character is below 256, otherwise as UTF-8.
std::string FormStringBytes(const FormValue& value);

// The properties to write for a component read from a file: its properties as read, each kept
// as it was when the host's value is what it was right after loading (or the host does not know
// it), replaced by fresh (what the host writes now) when it changed, left out when the host now
// leaves it out or never writes it (neverWritten: a property stored False, such as the bar's
// VersionInfo); then fresh's properties the file did not hold and that changed since loading,
// each after the nearest property before it in fresh's order.
std::vector<FormProperty>
MergeProperties(const TStreamedState& state, std::vector<FormProperty> fresh,
                const std::function<bool(const std::string&)>& neverWritten);
// The children to write: those read from the file that are still among children, in their order
// as read, and the others each after its predecessor in children's order.
std::vector<TComponent*> MergeChildren(const TStreamedState& state,
                                       const std::vector<TComponent*>& children);

} // namespace host
