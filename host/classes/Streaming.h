#pragma once
// The host's form streaming: a form file's tree (FormTree.h) read into components, and
// components written into a tree. Reading creates the components through the class registry,
// sets their published properties through their setters and their defined properties through
// DefineProperties, resolves references by name, and calls Loaded on each once everything has
// been read. Writing stores what the host library stores: published properties in declaration
// order (left out at their defaults), then the defined properties, then the children.

#include "host/classes/Classes.h"
#include "host/classes/Filer.h"
#include "host/classes/FormTree.h"

#include <string>
#include <string_view>
#include <vector>

namespace host {

// What reading does with a property that the object's class does not have, and with a
// reference to a component that the form does not hold.
enum class UnknownPolicy {
    Fail, // the read fails with an EFormFileError naming the place (the default)
    Skip, // the property is left out and a message about it is added to the report
};

struct FormReadOptions {
    UnknownPolicy unknown = UnknownPolicy::Fail;
};

// Where a tree came from, for the places in messages: the file's name, its format, and for a
// text file its text (property offsets are turned into line:column with it).
struct FormSource {
    std::string fileName;
    FormFileFormat format = FormFileFormat::Text;
    std::string_view text;
};

// Reads object, the root object of a form file, into root: a component the caller made (of the
// file's class, owned by nobody). Names root, reads its properties and its child objects, each
// created by class name, owned by root, given csLoading and csReading right after its
// constructor, named, put into the component it was nested in (SetParentComponent), then given
// its properties and children. References are resolved once all components exist; then Loaded
// runs for root and every component read, in reading order. Throws EFormFileError (file,
// line:column or byte offset, property path, what is wrong); root then holds whatever was read
// so far and the caller frees it. Returns what was skipped under UnknownPolicy::Skip, one
// message each, in the same form as the errors.
std::vector<std::string> ReadComponents(const FormObject& object, TComponent* root,
                                        const FormSource& source,
                                        const FormReadOptions& options = {});

// The tree of root as a form file stores it: root's properties, then its children as root's
// GetChildren gives them (a form: its controls, each with its own controls nested, then the
// components without a parent in the form's order; fields nested in their data set, menu items
// in their menu), each with its properties and children. Throws EWriteError when a defined
// property writes no value, more than one, or an unbalanced list.
FormObject WriteComponents(TComponent* root);

} // namespace host
