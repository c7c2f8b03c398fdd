#pragma once
// The rows of the catalogue's tables (Catalogue.h), shared by the data files and the code that
// builds classes from them.
//
// A type row defines an enumeration "(a, b, c)", a set "set of TElement", or another name for a
// type "= Integer".
//
// A class row names the class, its ancestor and its palette page ("" for a class that forms hold
// but the palette does not offer, such as fields and menu items), then its properties, separated
// by ';', in declaration order:
//   Name                       publishes a property an ancestor declares (TControl's Color...)
//   Name = Value               the same with another default
//   Name: Type                 declares a new one (no default: an ordinal one is always written)
//   Name: Type = Value         ... with its default
//   ... nodefault              without a default
//   ... stored False           never written
//   ... stored not Other       written when the boolean property Other is false; setting this
//                              property makes Other false (Color and ParentColor...)
//   @Group                     the entries of a group (Groups below)
// An event (a name starting with On) needs no type. Declared lists properties the class declares
// without publishing them (its descendants publish them by name). Width and Height give a new
// control's size.

#include <string_view>

namespace host::catalogue {

struct TypeRow {
    std::string_view Name;
    std::string_view Definition;
};

struct ClassRow {
    std::string_view Name;
    std::string_view Ancestor;
    std::string_view Page;
    std::string_view Published;
    std::string_view Declared = {};
    int Width = 0;
    int Height = 0;
    // An intermediate class (TCustomEdit): neither on the palette nor creatable.
    bool Abstract = false;
};

struct GroupRow {
    std::string_view Name;
    std::string_view Entries;
};

struct Table {
    const TypeRow* Types = nullptr;
    size_t TypeCount = 0;
    const ClassRow* Classes = nullptr;
    size_t ClassCount = 0;
};

// The tables, in the order they are built (a class's ancestor comes before it).
Table TypeTable();
Table BasicsTable();   // the component library's basics: controls, forms, graphics objects
Table StandardTable(); // Standard and Additional
Table Win32Table();
Table SystemTable(); // System and Dialogs
Table DataTable();   // Data Access, Data Controls, fields
const GroupRow* Groups(size_t& count);

} // namespace host::catalogue
