#include "host/rtl/TypInfo.h"

#include "host/rtl/SysUtils.h"

#include <algorithm>

namespace host {

const TEnumInfo BooleanInfo{"Boolean", {"False", "True"}};

int TEnumInfo::ValueOf(std::string_view name) const {
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], name))
            return static_cast<int>(i);
    return -1;
}

bool TPropInfo::ShouldWrite(const TObject& obj) const {
    if (!Stored || ReadOnly)
        return false;
    if (IsStored && !IsStored(obj))
        return false;
    switch (Kind) {
    case TTypeKind::Integer:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
    case TTypeKind::Char:
        return !Default || GetOrd(obj) != *Default;
    case TTypeKind::String:
    case TTypeKind::Method:
        return !GetStr(obj).empty();
    case TTypeKind::Float:
        return GetFloat(obj) != 0.0;
    case TTypeKind::Class:
        return GetObj(obj) != nullptr;
    }
    return true;
}

void TPropInfo::SetOrdChecked(TObject& obj, int64_t value) const {
    switch (Kind) {
    case TTypeKind::Integer:
    case TTypeKind::Char:
        if (value < MinValue || value > MaxValue)
            throw EPropertyError("invalid value for " + Name + ": " + IntToStr(value) +
                                 " is out of range " + IntToStr(MinValue) + ".." +
                                 IntToStr(MaxValue));
        break;
    case TTypeKind::Enumeration:
        if (value < 0 || value >= static_cast<int64_t>(Enum->Names.size()))
            throw EPropertyError("invalid value for " + Name + ": " + IntToStr(value) +
                                 " is not a value of " + Enum->TypeName);
        break;
    case TTypeKind::Set:
        if (Enum->Names.size() < 64 && (static_cast<uint64_t>(value) >> Enum->Names.size()) != 0)
            throw EPropertyError("invalid value for " + Name + ": not a set of " + Enum->TypeName);
        break;
    default:
        break;
    }
    SetOrd(obj, value);
}

const std::vector<const TPropInfo*>& GetPropList(const TClass* cls) {
    return cls->PublishedProps().List;
}

const TPropInfo* GetPropInfo(const TClass* cls, std::string_view name) {
    const auto& byName = cls->PublishedProps().ByName;
    auto it = byName.find(UpperCase(name));
    return it == byName.end() ? nullptr : it->second;
}

const TPropInfo* FindDeclaredProp(const TClass* cls, std::string_view name) {
    for (const TClass* c = cls; c; c = c->ClassParent())
        for (const TPropInfo& p : c->DeclaredProps())
            if (SameText(p.Name, name))
                return &p;
    return nullptr;
}

} // namespace host
