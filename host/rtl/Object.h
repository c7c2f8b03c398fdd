#pragma once
// TObject and its metaclass: class names, parents and a factory for the reader, so that class
// names can be compared as strings through the ancestor chain as the host library does.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace host {

class TObject;
class TComponent;
struct TPropInfo;
using PropList = std::vector<TPropInfo>;

// Which of its owner's notifications (TComponent::Notification, opInsert and opRemove) the
// objects of a C++ class react to themselves, as far as the class's declarations tell: none when
// the Notification they run is TComponent's own; only removals when the class that overrides it
// says, beside its override, that it ignores insertions (`using TIgnoresInsertions = TItself;`);
// both otherwise, and both whenever the override cannot be seen from here (protected, or
// overloaded), so that nothing is ever left out by mistake. The owner's broadcast passes by the
// objects that react to neither and own nothing (host/classes/Classes.h).
enum THeardNotifications : uint8_t {
    hnNone = 0,
    hnInsertions = 1,
    hnRemovals = 2,
    hnBoth = hnInsertions | hnRemovals,
};

namespace detail {
template <class M> struct MemberClass;
template <class C, class F> struct MemberClass<F C::*> { using Type = C; };
} // namespace detail

template <class T> consteval THeardNotifications NotificationsHeardBy() {
    if constexpr (!requires { &T::Notification; }) {
        return hnBoth;
    } else {
        // &T::Notification names the member of the nearest class that declares it.
        using Declarer = typename detail::MemberClass<decltype(&T::Notification)>::Type;
        if constexpr (std::is_same_v<Declarer, TComponent>)
            return hnNone;
        else if constexpr (requires { typename Declarer::TIgnoresInsertions; })
            return std::is_same_v<typename Declarer::TIgnoresInsertions, Declarer> ? hnRemovals
                                                                                   : hnBoth;
        else
            return hnBoth;
    }
}

// The metaclass of a host class. Classes compiled into the host or a package have one static
// instance each; the designer also makes classes at run time (TForm1 derived from TForm).
class TClass {
public:
    using Factory = TObject* (*)();
    using PropsInit = void (*)(PropList&);
    TClass(std::string name, const TClass* parent, Factory factory, PropsInit props = nullptr,
           THeardNotifications heard = hnBoth);
    ~TClass();

    const std::string& ClassName() const { return FName; }
    const TClass* ClassParent() const { return FParent; }
    bool InheritsFrom(const TClass* ancestor) const;
    bool InheritsFrom(std::string_view ancestorName) const;
    // A new instance of this class (its nearest ancestor's C++ type, for a class made at run
    // time), not yet constructed in the host's sense: the caller runs Create. Null for abstract
    // classes.
    TObject* NewInstance() const;
    // What the instances that NewInstance makes react to of their owner's notifications: those
    // of the class whose factory makes them.
    THeardNotifications InstancesHear() const;
    bool IsAbstract() const;
    // The factory this class was given itself (null for a run-time class that has none).
    Factory OwnFactory() const { return FFactory; }
    // The factory of an abstract host class: it makes nothing.
    static TObject* AbstractFactory() { return nullptr; }
    // The properties this class declares itself (not its ancestors'), published or not.
    const PropList& DeclaredProps() const;
    // Replaces the properties the class declares: the catalogue gives a class the platform's
    // published list. Done before the class's properties are used: pointers into the old list
    // are left dangling.
    void SetDeclaredProps(PropList props) const;
    // Every published property, ancestors' first, a redeclared property at its ancestor's place
    // (GetPropList), and the same by upper-case name; computed once.
    struct Published;
    const Published& PublishedProps() const;

private:
    std::string FName;
    const TClass* FParent;
    Factory FFactory;
    PropsInit FPropsInit;
    THeardNotifications FHeard;
    mutable std::unique_ptr<PropList> FProps;
    mutable std::unique_ptr<Published> FPublished;
    mutable uint64_t FPublishedGeneration = 0;
};

using TClassRef = const TClass*;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClass* StaticClass();
    // The object's class: the class it was made as, which for run-time classes (TForm1) is not
    // the C++ type's own.
    const TClass* ClassType() const { return FClass ? FClass : StaticClassOf(); }
    const std::string& ClassName() const { return ClassType()->ClassName(); }
    bool InheritsFrom(const TClass* ancestor) const { return ClassType()->InheritsFrom(ancestor); }
    template <class T> bool Is() const { return InheritsFrom(T::StaticClass()); }

    // The destructor's body, run with virtual dispatch intact: derived body first, then the
    // base's (call inherited::Destroy() last). Free() runs it and then deletes the object.
    virtual void Destroy() {}
    void Free();

    // Used by factories: makes the object report a class derived from its C++ type's.
    void SetClassType(const TClass* cls) { FClass = cls; }

protected:
    virtual const TClass* StaticClassOf() const { return StaticClass(); }

private:
    const TClass* FClass = nullptr;
};

// Frees an object when non-null, like the host library's FreeAndNil on a field.
template <class T> void FreeAndNil(T*& obj) {
    T* tmp = obj;
    obj = nullptr;
    if (tmp)
        tmp->Free();
}

// Frees a host object the host library's way (Destroy, then delete): the deleter of a
// std::unique_ptr that owns one.
struct FreeObject {
    template <class T> void operator()(T* obj) const { obj->Free(); }
};
template <class T> using FreePtr = std::unique_ptr<T, FreeObject>;

template <class T> T* dyn(TObject* obj) {
    return obj && obj->Is<T>() ? static_cast<T*>(obj) : nullptr;
}

// The registry of classes the reader can create by name (RegisterClass, FindClass). Names are
// compared ignoring letter case, as the host library does.
void RegisterClass(const TClass* cls);
void UnregisterClass(const TClass* cls);
const TClass* FindClass(std::string_view name);
std::vector<const TClass*> RegisteredClasses();

} // namespace host

// Declares a host class's metaclass inside its C++ class. Parent is the host base class.
#define HOST_CLASS(Cls, Parent)                                                                    \
public:                                                                                            \
    using inherited = Parent;                                                                      \
    static const ::host::TClass* StaticClass();                                                    \
                                                                                                   \
protected:                                                                                         \
    const ::host::TClass* StaticClassOf() const override {                                         \
        return StaticClass();                                                                      \
    }                                                                                              \
                                                                                                   \
private:

// Defines the metaclass; concrete classes get a factory for the reader. The _PROPS forms also
// take the class's published properties from its static DeclareProperties(PropList&).
#define HOST_IMPLEMENT_CLASS(Cls, Parent)                                                          \
    const ::host::TClass* Cls::StaticClass() {                                                     \
        static const ::host::TClass cls(                                                           \
            #Cls, Parent::StaticClass(), []() -> ::host::TObject* { return new Cls(); }, nullptr,  \
            ::host::NotificationsHeardBy<Cls>());                                                  \
        return &cls;                                                                               \
    }
#define HOST_IMPLEMENT_ABSTRACT_CLASS(Cls, Parent)                                                 \
    const ::host::TClass* Cls::StaticClass() {                                                     \
        static const ::host::TClass cls(#Cls, Parent::StaticClass(),                               \
                                        &::host::TClass::AbstractFactory);                         \
        return &cls;                                                                               \
    }
#define HOST_IMPLEMENT_CLASS_PROPS(Cls, Parent)                                                    \
    const ::host::TClass* Cls::StaticClass() {                                                     \
        static const ::host::TClass cls(                                                           \
            #Cls, Parent::StaticClass(), []() -> ::host::TObject* { return new Cls(); },           \
            &Cls::DeclareProperties, ::host::NotificationsHeardBy<Cls>());                         \
        return &cls;                                                                               \
    }
#define HOST_IMPLEMENT_ABSTRACT_CLASS_PROPS(Cls, Parent)                                           \
    const ::host::TClass* Cls::StaticClass() {                                                     \
        static const ::host::TClass cls(#Cls, Parent::StaticClass(),                               \
                                        &::host::TClass::AbstractFactory,                          \
                                        &Cls::DeclareProperties);                                  \
        return &cls;                                                                               \
    }
