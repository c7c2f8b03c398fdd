#pragma once
// The catalogue's types and the properties made from them: one maker per kind of property,
// keeping values in the object's store.

#include "host/rtl/TypInfo.h"

#include <optional>
#include <string>

namespace host::catalogue {

enum class TypeKind {
    Integer,
    Boolean,
    Enumeration,
    Set,
    Char,
    String,
    Float,
    Method,
    Reference,
    Object
};

struct TTypeDef {
    TypeKind Kind = TypeKind::Integer;
    const TEnumInfo* Enum = nullptr; // enumerations, booleans, sets' elements
    int64_t MinValue = INT32_MIN;
    int64_t MaxValue = INT32_MAX;
    bool (*IdentToInt)(std::string_view, int64_t&) = nullptr;
    std::optional<std::string> (*IntToIdent)(int64_t) = nullptr;
    const TClass* ClassRef = nullptr; // references and sub-objects
};

// A type of the catalogue's type table or a built-in one (Integer, Boolean, string, TColor...).
bool FindType(const std::string& name, TTypeDef& type);
// A published property of that type whose value is kept in the object's store.
TPropInfo StoredProperty(const std::string& name, const TTypeDef& type);
bool IsStoreBacked(const TPropInfo& p);
// A set's members as form files and scripts write them ("[akLeft, akTop]", "[]") as a mask of
// element's values; blanks around members and empty members are passed over. Nothing when the
// text is not in brackets or names a value element does not have.
std::optional<uint64_t> ParseSetText(const TEnumInfo& element, const std::string& text);
// A default as the rows write it (True, 0, clWindow, [akLeft, akTop], #0, '*') for p's type.
int64_t ParseDefault(const TPropInfo& p, const std::string& text, const std::string& place);
// Makes a store-backed ordinal read as its default (p.Default) until it is set: called once the
// declaration's default is final, since a descendant may publish it with another one.
void BindDefault(TPropInfo& p);
// Makes a collection property written only when it has items (a grid's Columns).
void StoredWhenItHasItems(TPropInfo& p);
// Makes p written only while flag (ParentColor, ParentShowHint...) is false, and setting p make
// flag false, as the library's Parent... properties work.
void CoupleToParentFlag(TPropInfo& p, const TPropInfo& flag);

} // namespace host::catalogue
