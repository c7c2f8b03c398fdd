#include "host/rtl/Object.h"

#include "host/rtl/SysUtils.h"
#include "host/rtl/TypInfo.h"

#include <algorithm>

namespace host {

TClass::TClass(std::string name, const TClass* parent, Factory factory, PropsInit props,
               THeardNotifications heard)
    : FName(std::move(name)), FParent(parent), FFactory(factory), FPropsInit(props), FHeard(heard) {
}

TClass::~TClass() = default;

const PropList& TClass::DeclaredProps() const {
    if (!FProps) {
        FProps = std::make_unique<PropList>();
        if (FPropsInit)
            FPropsInit(*FProps);
    }
    return *FProps;
}

bool TClass::InheritsFrom(const TClass* ancestor) const {
    for (const TClass* c = this; c; c = c->FParent)
        if (c == ancestor)
            return true;
    return false;
}

bool TClass::InheritsFrom(std::string_view ancestorName) const {
    for (const TClass* c = this; c; c = c->FParent)
        if (c->FName == ancestorName)
            return true;
    return false;
}

bool TClass::IsAbstract() const {
    for (const TClass* c = this; c; c = c->FParent)
        if (c->FFactory)
            return c->FFactory == &AbstractFactory;
    return true;
}

TObject* TClass::NewInstance() const {
    for (const TClass* c = this; c; c = c->FParent) {
        if (c->FFactory == &AbstractFactory)
            return nullptr;
        if (c->FFactory) {
            TObject* obj = c->FFactory();
            if (c != this)
                obj->SetClassType(this);
            return obj;
        }
    }
    return nullptr;
}

THeardNotifications TClass::InstancesHear() const {
    for (const TClass* c = this; c; c = c->FParent)
        if (c->FFactory)
            return c->FHeard;
    return hnBoth;
}

const TClass* TObject::StaticClass() {
    static const TClass cls("TObject", nullptr, nullptr);
    return &cls;
}

void TObject::Free() {
    Destroy();
    delete this;
}

namespace {
std::vector<const TClass*>& registry() {
    static std::vector<const TClass*> classes;
    return classes;
}
} // namespace

void RegisterClass(const TClass* cls) {
    auto& r = registry();
    if (std::find(r.begin(), r.end(), cls) == r.end())
        r.push_back(cls);
}

void UnregisterClass(const TClass* cls) {
    auto& r = registry();
    r.erase(std::remove(r.begin(), r.end(), cls), r.end());
}

const TClass* FindClass(std::string_view name) {
    for (const TClass* c : registry())
        if (SameText(c->ClassName(), name))
            return c;
    return nullptr;
}

std::vector<const TClass*> RegisteredClasses() {
    return registry();
}

} // namespace host
