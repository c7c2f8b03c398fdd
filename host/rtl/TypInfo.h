#pragma once
// Published-property tables: what the object inspector edits and the form files store. Each
// class declares its own properties in declaration order; GetPropList puts the ancestors' first.

#include "host/rtl/Object.h"
#include "host/rtl/SysUtils.h"

#include <climits>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace host {

// Char is an ordinal written as a one-character string ('*').
enum class TTypeKind { Integer, Enumeration, Set, String, Float, Class, Method, Char };

// An enumeration type: its name and its values' names in ordinal order. Boolean is one of them.
struct TEnumInfo {
    std::string TypeName;
    std::vector<std::string> Names;
    // The ordinal of a value name, ignoring letter case; -1 when unknown.
    int ValueOf(std::string_view name) const;
};
extern const TEnumInfo BooleanInfo;

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = TTypeKind::Integer;
    // False for a property a class declares without publishing it (the host library's protected
    // properties): a descendant publishes it by name (the catalogue does), taking its type,
    // default and accessors. Unpublished properties are neither read nor written.
    bool Published = true;
    // The range of an integer or character property's values, as its type declares it (Integer,
    // Word, Byte...); a value outside it is an invalid property value.
    int64_t MinValue = INT32_MIN;
    int64_t MaxValue = INT32_MAX;
    // Where the value is kept when no C++ field holds it: its slot in the object's store
    // (TPersistent::Store); -1 for a property with C++ accessors of its own.
    int Slot = -1;
    const TEnumInfo* Enum = nullptr;  // enumerations, booleans, and a set's element type
    const TClass* ObjClass = nullptr; // Class kind: the class of the sub-object or reference
    bool IsReference = false;         // Class kind: a reference to a component, stored by name
    std::optional<int64_t> Default;   // ordinals and sets (a bit mask); none: always written
    bool Stored = true;               // false: never written (stored False)
    std::function<bool(const TObject&)> IsStored; // a stored condition, when there is one
    bool ReadOnly = false;
    // Integer properties with named values (colours, cursors, character sets): the form file
    // holds the name where there is one, as an identifier.
    std::function<bool(std::string_view, int64_t&)> IdentToInt;
    std::function<std::optional<std::string>(int64_t)> IntToIdent;

    // Accessors by kind: ordinals (integers, enumerations, booleans, sets as bit masks), strings
    // and events (a handler's method name), floats, objects.
    std::function<int64_t(const TObject&)> GetOrd;
    std::function<void(TObject&, int64_t)> SetOrd;
    std::function<std::string(const TObject&)> GetStr;
    std::function<void(TObject&, const std::string&)> SetStr;
    std::function<double(const TObject&)> GetFloat;
    std::function<void(TObject&, double)> SetFloat;
    std::function<TObject*(const TObject&)> GetObj;
    std::function<void(TObject&, TObject*)> SetObj;

    bool IsOrdinal() const {
        return Kind == TTypeKind::Integer || Kind == TTypeKind::Enumeration ||
               Kind == TTypeKind::Set || Kind == TTypeKind::Char;
    }
    // Sets an ordinal value after checking it against the property's range (integers, characters)
    // or its type's values (enumerations, sets): raises EPropertyError "invalid value for Name:
    // ..." rather than cutting the value.
    void SetOrdChecked(TObject& obj, int64_t value) const;
    // Whether the writer writes this property of obj: stored, and not at its default.
    bool ShouldWrite(const TObject& obj) const;
};

// An invalid property value: out of its type's range, or not one of its type's values.
class EPropertyError : public Exception {
    using Exception::Exception;
};

struct TClass::Published {
    std::vector<const TPropInfo*> List;
    std::unordered_map<std::string, const TPropInfo*> ByName; // upper-case names
};

// Every published property of cls in the order the form file stores them: the most basic
// class's first, each class's in declaration order; a property a descendant declares again keeps
// its ancestor's place, with the descendant's declaration.
const std::vector<const TPropInfo*>& GetPropList(const TClass* cls);
// The published property of that name (letter case ignored), or null.
const TPropInfo* GetPropInfo(const TClass* cls, std::string_view name);
// The property of that name that cls or its nearest ancestor declares, published or not.
const TPropInfo* FindDeclaredProp(const TClass* cls, std::string_view name);

// Helpers that build property records for a class C from accessors taking C.
template <class C, class G, class S>
TPropInfo IntProp(std::string name, G get, S set, std::optional<int64_t> def = std::nullopt) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TTypeKind::Integer;
    p.Default = def;
    p.GetOrd = [get](const TObject& o) -> int64_t { return get(static_cast<const C&>(o)); };
    p.SetOrd = [set](TObject& o, int64_t v) { set(static_cast<C&>(o), v); };
    return p;
}

template <class C, class G, class S>
TPropInfo EnumProp(std::string name, const TEnumInfo& info, G get, S set,
                   std::optional<int64_t> def = std::nullopt) {
    TPropInfo p = IntProp<C>(std::move(name), get, set, def);
    p.Kind = TTypeKind::Enumeration;
    p.Enum = &info;
    return p;
}

template <class C, class G, class S>
TPropInfo BoolProp(std::string name, G get, S set, std::optional<bool> def = std::nullopt) {
    std::optional<int64_t> d;
    if (def)
        d = *def ? 1 : 0;
    return EnumProp<C>(std::move(name), BooleanInfo, get, set, d);
}

template <class C, class G, class S>
TPropInfo SetProp(std::string name, const TEnumInfo& element, G get, S set,
                  std::optional<int64_t> def = std::nullopt) {
    TPropInfo p = IntProp<C>(std::move(name), get, set, def);
    p.Kind = TTypeKind::Set;
    p.Enum = &element;
    return p;
}

template <class C, class G, class S> TPropInfo StrProp(std::string name, G get, S set) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TTypeKind::String;
    p.GetStr = [get](const TObject& o) -> std::string { return get(static_cast<const C&>(o)); };
    p.SetStr = [set](TObject& o, const std::string& v) { set(static_cast<C&>(o), v); };
    return p;
}

// An event: its value is the name of the handler method, as the form file stores it.
template <class C> TPropInfo EventProp(std::string name, std::string C::*field) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TTypeKind::Method;
    p.GetStr = [field](const TObject& o) { return static_cast<const C&>(o).*field; };
    p.SetStr = [field](TObject& o, const std::string& v) { static_cast<C&>(o).*field = v; };
    return p;
}

template <class C, class G, class S> TPropInfo FloatProp(std::string name, G get, S set) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TTypeKind::Float;
    p.GetFloat = [get](const TObject& o) -> double { return get(static_cast<const C&>(o)); };
    p.SetFloat = [set](TObject& o, double v) { set(static_cast<C&>(o), v); };
    return p;
}

// A sub-object owned by the object (Font, Lines...): its properties are stored with a prefix.
template <class C, class G> TPropInfo ObjProp(std::string name, const TClass* cls, G get) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = TTypeKind::Class;
    p.ObjClass = cls;
    p.GetObj = [get](const TObject& o) -> TObject* { return get(static_cast<const C&>(o)); };
    return p;
}

// A reference to another component, stored by its name.
template <class C, class G, class S>
TPropInfo RefProp(std::string name, const TClass* cls, G get, S set) {
    TPropInfo p = ObjProp<C>(std::move(name), cls, get);
    p.IsReference = true;
    p.SetObj = [set](TObject& o, TObject* v) { set(static_cast<C&>(o), v); };
    return p;
}

} // namespace host
