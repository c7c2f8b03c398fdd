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

namespace {
// Changes whenever a class's declared properties are replaced, so that the published lists
// computed before are computed again.
uint64_t gPropsGeneration = 1;
} // namespace

const PropList& TClass::DeclaredProps() const {
    if (!FProps) {
        FProps = std::make_unique<PropList>();
        if (FPropsInit)
            FPropsInit(*FProps);
    }
    return *FProps;
}

void TClass::SetDeclaredProps(PropList props) const {
    FProps = std::make_unique<PropList>(std::move(props));
    ++gPropsGeneration;
}

const TClass::Published& TClass::PublishedProps() const {
    if (!FPublished || FPublishedGeneration != gPropsGeneration) {
        auto published = std::make_unique<Published>();
        if (FParent) {
            const Published& inherited = FParent->PublishedProps();
            published->List = inherited.List;
            published->ByName = inherited.ByName;
        }
        for (const TPropInfo& p : DeclaredProps()) {
            if (!p.Published)
                continue;
            std::string key = UpperCase(p.Name);
            auto it = published->ByName.find(key);
            if (it != published->ByName.end()) {
                std::replace(published->List.begin(), published->List.end(), it->second, &p);
                it->second = &p;
            } else {
                published->List.push_back(&p);
                published->ByName.emplace(std::move(key), &p);
            }
        }
        FPublished = std::move(published);
        FPublishedGeneration = gPropsGeneration;
    }
    return *FPublished;
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
            // A class made at run time, or one whose factory makes a C++ type of another name
            // (a catalogue class): the object reports this class.
            if (obj && obj->ClassType() != this)
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
