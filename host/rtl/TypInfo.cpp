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

std::vector<const TPropInfo*> GetPropList(const TClass* cls) {
    std::vector<const TClass*> chain;
    for (const TClass* c = cls; c; c = c->ClassParent())
        chain.push_back(c);
    std::vector<const TPropInfo*> props;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& p : (*it)->DeclaredProps())
            props.push_back(&p);
    return props;
}

const TPropInfo* GetPropInfo(const TClass* cls, std::string_view name) {
    for (const TClass* c = cls; c; c = c->ClassParent())
        for (const TPropInfo& p : c->DeclaredProps())
            if (SameText(p.Name, name))
                return &p;
    return nullptr;
}

} // namespace host
