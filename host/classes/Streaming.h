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

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// What reading does with what the host does not know: a property the object's class does not
// have, a reference to a component that the form does not hold, a value name that the
// property's type does not have (a later version's enumeration value, colour...), and an object
// of a class the host does not know.
enum class UnknownPolicy {
    Fail, // the read fails with an EFormFileError naming the place (the default)
    Skip, // properties and references are left out, each reported; unknown classes fail
    Keep, // everything is kept as read and written back in its place (see WriteComponents);
          // an object of an unknown class becomes a placeholder of that class name
};

// The class of a placeholder: an object of a class the host does not know, read as a component
// of that class name that keeps all its properties and children. container is the component the
// object is nested in (the root for a top-level object). Returns null when the host cannot make
// one (the read then fails as for an unknown class).
using PlaceholderClassFn =
    std::function<const TClass*(const FormObject& object, TComponent* container)>;

struct FormReadOptions {
    UnknownPolicy unknown = UnknownPolicy::Fail;
    PlaceholderClassFn placeholderClass; // used under UnknownPolicy::Keep
};

// A component that holds objects nested in it that it does not know how to hold (a placeholder
// of an unknown class): the reader hands such an object to it rather than lose it, and its
// GetChildren gives it back when the form is written.
class INestingHolder {
public:
    virtual ~INestingHolder() = default;
    virtual void AdoptNested(TComponent* child) = 0;
};

// What reading leaves on each component it read (TComponent::StreamedState), so that writing
// gives back the same tree for what did not change: the object as read (without its children),
// the components read from its child objects in their order, and what the host wrote for the
// component right after loading.
struct TStreamedState {
    FormObject Node;
    std::vector<std::weak_ptr<TStreamedState>> Children;
    TComponent* Component = nullptr; // the component the state belongs to

    // What the host wrote for the component right after loading, in its order. Most of it is
    // what the file held: such a property is kept as the index of the equal one in Node (the
    // first of its name, with the same name and value), the rest whole.
    void SetWritten(std::vector<FormProperty> written);
    size_t WrittenCount() const {
        return FWrittenAsRead ? Node.properties.size() : FWritten.size();
    }
    const FormProperty& Written(size_t i) const {
        if (FWrittenAsRead)
            return Node.properties[i];
        const int32_t at = FWritten[i];
        return at >= 0 ? Node.properties[static_cast<size_t>(at)]
                       : FWrittenOther[static_cast<size_t>(-at - 1)];
    }

private:
    std::vector<int32_t> FWritten; // >= 0: an index into Node.properties; < 0: -1 - index into
                                   // FWrittenOther
    std::vector<FormProperty> FWrittenOther;
    bool FWrittenAsRead = false; // exactly Node's properties, in their order
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
// runs for root and every component read, in reading order; then each component gets its
// StreamedState. Throws EFormFileError (file, line:column or byte offset, property path, what is
// wrong); root then holds whatever was read so far and the caller frees it. Returns what was
// skipped under UnknownPolicy::Skip, one message each, in the same form as the errors.
//
// A value out of its property's range (Left = 9223372036854775807, Font.Charset = 300, a size
// that would put a control's edge beyond the 32-bit range) is an error naming the property under
// every policy, as is a value of the wrong kind.
std::vector<std::string> ReadComponents(const FormObject& object, TComponent* root,
                                        const FormSource& source,
                                        const FormReadOptions& options = {});

// The tree of root as a form file stores it: root's properties, then its children as root's
// GetChildren gives them (a form: its controls, each with its own controls nested, then the
// components without a parent in the form's order; fields nested in their data set, menu items
// in their menu, and anything else whose GetParentComponent names its container), each with its
// properties and children. Throws EWriteError when a defined property writes no value, more than
// one, or an unbalanced list.
//
// A component read from a file (it has a StreamedState) is written from its object as read: a
// property whose host value did not change since loading is written exactly as read (the very
// node), and so is a property the host does not know; a changed one is written as the host
// writes it (or left out, at its default); a property the file did not hold is added, where the
// host's order puts it, only when it changed. The children keep their order as read; new ones go
// after their predecessor in the host's order. So an unchanged form gives the tree it was read
// from.
FormObject WriteComponents(TComponent* root);
// The properties the host writes for one component (not its children), as WriteComponents
// writes them for a component that was not read from a file.
std::vector<FormProperty> WriteProperties(TComponent* component, TComponent* root);

} // namespace host
