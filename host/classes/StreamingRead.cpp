// Reading a form file's tree into components: the concrete TReader.
#include "host/classes/Streaming.h"

#include "host/classes/Collection.h"
#include "host/classes/StreamingInternal.h"
#include "host/rtl/TypInfo.h"

#include <map>
#include <optional>

namespace host {

namespace {

std::string describe(const FormValue& v) {
    switch (v.Kind()) {
    case FormValueKind::List:
        return "list";
    case FormValueKind::Integer:
        return "integer " + std::to_string(v.AsInteger());
    case FormValueKind::Extended:
    case FormValueKind::Single:
    case FormValueKind::Double:
        return "number";
    case FormValueKind::Currency:
        return "currency value";
    case FormValueKind::Date:
        return "date";
    case FormValueKind::String:
    case FormValueKind::WideString:
    case FormValueKind::Utf8String:
        return "string";
    case FormValueKind::Ident:
        return "identifier '" + v.AsBytes() + "'";
    case FormValueKind::False:
        return "False";
    case FormValueKind::True:
        return "True";
    case FormValueKind::Binary:
        return "binary data";
    case FormValueKind::Set:
        return "set";
    case FormValueKind::Nil:
        return "nil";
    case FormValueKind::Collection:
        return "collection";
    }
    return "value";
}

std::optional<long double> asFloat(const FormValue& v) {
    switch (v.Kind()) {
    case FormValueKind::Extended:
        return v.AsExtended().ToLongDouble();
    case FormValueKind::Single:
        return v.AsSingle();
    case FormValueKind::Double:
    case FormValueKind::Date:
        return v.AsDouble();
    case FormValueKind::Currency:
        return static_cast<long double>(v.AsInteger()) / 10000;
    case FormValueKind::Integer:
        return static_cast<long double>(v.AsInteger());
    default:
        return std::nullopt;
    }
}

// Whether cls is, or descends from, the host class registered under that name. Class identity
// comes from the registry, never from a name a form file chose for its own classes.
bool isA(const TClass* cls, std::string_view hostClass) {
    const TClass* known = FindClass(hostClass);
    return known && cls->InheritsFrom(known);
}

// The object as read without its children (they are the components read from them). The node's
// children are moved out and back, so that copying it does not copy the subtree.
FormObject shellOf(FormObject& node) {
    std::vector<FormObject> children = std::move(node.children);
    node.children.clear();
    FormObject shell = node;
    node.children = std::move(children);
    return shell;
}

class ComponentReader : public TReader {
public:
    ComponentReader(TComponent* root, const FormSource& source, const FormReadOptions& options)
        : FRoot(root), FSource(source), FOptions(options) {}

    std::vector<std::string> Read(const FormObject& original) {
        // A copy to read from, so that each component's state can take its object's node.
        FormObject object = original;
        FRoot->IncludeState(csLoading);
        FRoot->IncludeState(csReading);
        FLoaded.push_back(FRoot);
        FLoadedAt[FRoot] = object.offset;
        std::shared_ptr<TStreamedState> rootState = remember(object, FRoot, nullptr);
        FPath.push_back(object.name.empty() ? object.className : object.name);
        guard(object.offset, pathText(), [&] {
            if (!object.name.empty())
                FRoot->SetName(object.name);
        });
        FPath.pop_back();
        readObject(object, FRoot, FRoot, *rootState);
        resolveReferences();
        for (size_t i = 0; i < FLoaded.size(); ++i) {
            TComponent* c = FLoaded[i];
            guard(FLoadedAt[c], loadedPath(c), [&] { c->Loaded(); });
        }
        // What the host writes for each component now is what "unchanged" means when it is
        // written back.
        for (TComponent* c : FLoaded)
            guard(FLoadedAt[c], loadedPath(c),
                  [&] { c->StreamedState()->SetWritten(WriteProperties(c, FRoot)); });
        return std::move(FSkipped);
    }

    // ---- TFiler: a defined property is read when its name is the one being read
    void DefineProperty(const std::string& name, ReadProc readData, WriteProc, bool) override {
        if (FDefinedFound || !FDefinedName || !SameText(name, *FDefinedName) || !readData)
            return;
        FDefinedFound = true;
        readData(*this);
        if (FPos < FItems.size())
            fail(FItems[FPos].offset, "value of " + name + " has more items than its reader took");
    }

    // ---- TReader: the values of the defined property being read
    void ReadListBegin() override {
        if (!at(Item::Begin))
            failExpected("list");
        ++FPos;
    }
    bool EndOfList() override { return FPos >= FItems.size() || at(Item::End); }
    void ReadListEnd() override {
        if (!at(Item::End))
            failExpected("end of list");
        ++FPos;
    }
    std::string ReadString() override {
        const FormValue& v = value("string", [](const FormValue& x) { return x.IsStringLike(); });
        return FormStringBytes(v);
    }
    int64_t ReadInteger() override {
        return value("integer",
                     [](const FormValue& x) { return x.Kind() == FormValueKind::Integer; })
            .AsInteger();
    }
    bool ReadBoolean() override {
        return value("boolean", [](const FormValue& x) {
                   return x.Kind() == FormValueKind::True || x.Kind() == FormValueKind::False;
               }).Kind() == FormValueKind::True;
    }
    std::string ReadIdent() override {
        const FormValue& v = value("identifier", [](const FormValue& x) {
            return x.Kind() == FormValueKind::Ident || x.Kind() == FormValueKind::True ||
                   x.Kind() == FormValueKind::False || x.Kind() == FormValueKind::Nil;
        });
        switch (v.Kind()) {
        case FormValueKind::True:
            return "True";
        case FormValueKind::False:
            return "False";
        case FormValueKind::Nil:
            return "nil";
        default:
            return v.AsBytes();
        }
    }
    long double ReadFloat() override {
        return *asFloat(value("number", [](const FormValue& x) { return asFloat(x).has_value(); }));
    }
    std::vector<std::string> ReadSet() override {
        return value("set", [](const FormValue& x) { return x.Kind() == FormValueKind::Set; })
            .AsSet();
    }
    std::string ReadBinary() override {
        return value("binary data",
                     [](const FormValue& x) { return x.Kind() == FormValueKind::Binary; })
            .AsBytes();
    }
    bool NextValue(FormValueKind& kind) override {
        if (FPos >= FItems.size() || FItems[FPos].kind == Item::End)
            return false;
        kind = FItems[FPos].kind == Item::Begin ? FormValueKind::List : FItems[FPos].value->Kind();
        return true;
    }

private:
    struct Item {
        enum Kind { Value, Begin, End } kind;
        const FormValue* value;
        uint64_t offset;
    };
    struct Fixup {
        TObject* target;
        const TPropInfo* prop;
        std::string name;
        uint64_t offset;
        std::string path;
        TComponent* holder; // the component whose property it is: names resolve in its owner
    };

    // ---- places and errors

    std::string pathText(const std::string& last = {}) const {
        std::string path;
        for (const std::string& part : FPath)
            path += (path.empty() ? "" : ".") + part;
        if (!last.empty())
            path += (path.empty() ? "" : ".") + last;
        return path;
    }

    EFormFileError error(uint64_t offset, const std::string& path,
                         const std::string& detail) const {
        if (FSource.format == FormFileFormat::Text) {
            int line = 0, column = 0;
            TextLineColumn(FSource.text, offset, line, column);
            return EFormFileError(FSource.fileName, line, column, path, detail);
        }
        return EFormFileError(FSource.fileName, offset, path, detail);
    }

    [[noreturn]] void fail(uint64_t offset, const std::string& detail) const {
        throw error(offset, FPropPath, detail);
    }

    // Runs f; whatever it raises becomes an EFormFileError at offset and path (one raised by
    // this reader passes as it is).
    template <class F> void guard(uint64_t offset, const std::string& path, F&& f) {
        try {
            f();
        } catch (const EFormFileError&) {
            throw;
        } catch (const EAbort&) {
            throw error(offset, path, "abandoned by the component");
        } catch (const std::exception& e) {
            throw error(offset, path, e.what());
        }
    }

    bool keeping() const { return FOptions.unknown == UnknownPolicy::Keep; }

    // Something the host does not know: under Keep it stays as read (the writer writes the
    // object's node back), under Skip it is reported, under Fail the read fails.
    void unknown(uint64_t offset, const std::string& path, const std::string& detail) {
        if (keeping())
            return;
        EFormFileError e = error(offset, path, detail);
        if (FOptions.unknown == UnknownPolicy::Fail)
            throw e;
        FSkipped.push_back(e.what());
    }

    std::string loadedPath(TComponent* c) const {
        return c == FRoot ? c->Name() : FRoot->Name() + "." + c->Name();
    }

    // ---- objects

    std::shared_ptr<TStreamedState> remember(FormObject& node, TComponent* component,
                                             TStreamedState* container) {
        auto state = std::make_shared<TStreamedState>();
        state->Node = shellOf(node);
        state->Component = component;
        if (container)
            container->Children.push_back(state);
        component->SetStreamedState(state);
        return state;
    }

    // owner: the component that owns what is read here (the root, or the nearest inline object
    // or placeholder above, which own what is nested in them).
    void readObject(FormObject& object, TComponent* component, TComponent* owner,
                    TStreamedState& state) {
        FPath.push_back(object.name.empty() ? object.className : object.name);
        for (const FormProperty& property : object.properties)
            readProperty(component, property);
        TComponent* childOwner = owner;
        if (component != FRoot &&
            (object.isInline || dynamic_cast<INestingHolder*>(component) != nullptr))
            childOwner = component;
        for (FormObject& child : object.children)
            readChild(child, component, childOwner, state);
        FPath.pop_back();
    }

    const TClass* classOf(const FormObject& child, TComponent* parent, const std::string& path) {
        if (const TClass* cls = FindClass(child.className))
            return cls;
        if (keeping() && FOptions.placeholderClass)
            if (const TClass* cls = FOptions.placeholderClass(child, parent))
                return cls;
        throw error(child.offset, path, "unknown class " + child.className);
    }

    void readChild(FormObject& child, TComponent* parent, TComponent* owner,
                   TStreamedState& container) {
        std::string path = pathText(child.name.empty() ? child.className : child.name);
        const TClass* cls = classOf(child, parent, path);
        if (!cls->InheritsFrom(TComponent::StaticClass()) || cls->IsAbstract())
            throw error(child.offset, path, "class " + child.className + " cannot be created");
        if (isA(cls, "TCustomForm") || isA(cls, "TDataModule") || isA(cls, "TCustomFrame"))
            if (!child.isInline)
                throw error(child.offset, path,
                            "a " + child.className + " cannot be placed inside another form");
        if (isA(cls, "TControl") && !isA(FRoot->ClassType(), "TWinControl"))
            throw error(child.offset, path, "controls cannot be placed on a " + FRoot->ClassName());
        TComponent* component = nullptr;
        guard(child.offset, path, [&] { component = NewComponent(cls, owner); });
        component->IncludeState(csLoading);
        component->IncludeState(csReading);
        FLoaded.push_back(component);
        FLoadedAt[component] = child.offset;
        std::shared_ptr<TStreamedState> state = remember(child, component, &container);
        guard(child.offset, path, [&] {
            component->SetName(child.name);
            if (component->HasParent())
                component->SetParentComponent(parent);
            nest(component, parent);
        });
        readObject(child, component, owner, *state);
    }

    // A component nested in another one must end up as its child, or it would be written
    // elsewhere: a placeholder takes whatever is nested in it; anything else is an error.
    void nest(TComponent* component, TComponent* parent) {
        if (parent == FRoot || component->GetParentComponent() == parent)
            return;
        if (auto* holder = dynamic_cast<INestingHolder*>(parent)) {
            holder->AdoptNested(component);
            return;
        }
        throw EComponentError("a " + component->ClassName() + " cannot be nested in a " +
                              parent->ClassName());
    }

    // ---- properties

    void readProperty(TComponent* component, const FormProperty& property) {
        FPropPath = pathText(property.name);
        TObject* target = component;
        std::string_view rest = property.name;
        for (size_t dot; (dot = rest.find('.')) != std::string_view::npos;) {
            const TPropInfo* p = GetPropInfo(target->ClassType(), rest.substr(0, dot));
            TObject* sub = p && p->Kind == TTypeKind::Class && !p->IsReference && p->GetObj
                               ? p->GetObj(*target)
                               : nullptr;
            if (!sub)
                return unknown(property.offset, FPropPath,
                               "unknown property " + property.name + " of " +
                                   component->ClassName());
            target = sub;
            rest = rest.substr(dot + 1);
        }
        std::string name(rest);
        if (const TPropInfo* p = GetPropInfo(target->ClassType(), name)) {
            guard(property.value.Offset(), FPropPath,
                  [&] { setPublished(*target, component, *p, property.value); });
            return;
        }
        if (auto* persistent = dyn<TPersistent>(target))
            if (readDefined(*persistent, name, property))
                return;
        unknown(property.offset, FPropPath,
                "unknown property " + property.name + " of " + component->ClassName());
    }

    [[noreturn]] void invalid(const TPropInfo& p, const FormValue& v, const std::string& expected) {
        fail(v.Offset(), "invalid value for " + p.Name + ": " + expected + " expected but " +
                             describe(v) + " found");
    }

    void setPublished(TObject& target, TComponent* holder, const TPropInfo& p, const FormValue& v) {
        if (p.ReadOnly)
            fail(v.Offset(), "property " + p.Name + " is read-only");
        // A name the property's type does not have (a value of another version of the library)
        // is something unknown: kept as read, skipped and reported, or an error, by the policy.
        auto unknownName = [&](const std::string& name) {
            if (FOptions.unknown == UnknownPolicy::Fail)
                return false;
            unknown(v.Offset(), FPropPath,
                    "unknown value " + name + " for " + p.Name +
                        (p.Enum ? " (not a value of " + p.Enum->TypeName + ")" : ""));
            return true;
        };
        switch (p.Kind) {
        case TTypeKind::Integer: {
            int64_t n = 0;
            if (v.Kind() == FormValueKind::Integer)
                n = v.AsInteger();
            else if (!(v.Kind() == FormValueKind::Ident && p.IdentToInt &&
                       p.IdentToInt(v.AsBytes(), n))) {
                if (v.Kind() == FormValueKind::Ident && p.IdentToInt && unknownName(v.AsBytes()))
                    return;
                invalid(p, v, "integer");
            }
            p.SetOrdChecked(target, n);
            return;
        }
        case TTypeKind::Char: {
            if (!v.IsStringLike() || FormStringBytes(v).size() != 1)
                invalid(p, v, "a character");
            p.SetOrdChecked(target, static_cast<unsigned char>(FormStringBytes(v)[0]));
            return;
        }
        case TTypeKind::Enumeration: {
            if (p.Enum == &BooleanInfo) {
                if (v.Kind() != FormValueKind::True && v.Kind() != FormValueKind::False)
                    invalid(p, v, "True or False");
                p.SetOrd(target, v.Kind() == FormValueKind::True ? 1 : 0);
                return;
            }
            int n = v.Kind() == FormValueKind::Ident ? p.Enum->ValueOf(v.AsBytes()) : -1;
            if (n < 0 && v.Kind() == FormValueKind::Ident && unknownName(v.AsBytes()))
                return;
            if (n < 0)
                invalid(p, v, "a value of " + p.Enum->TypeName);
            p.SetOrd(target, n);
            return;
        }
        case TTypeKind::Set: {
            if (v.Kind() != FormValueKind::Set)
                invalid(p, v, "set of " + p.Enum->TypeName);
            uint64_t mask = 0;
            for (const std::string& member : v.AsSet()) {
                int n = p.Enum->ValueOf(member);
                if ((n < 0 || n >= 64) && unknownName(member))
                    return;
                if (n < 0 || n >= 64)
                    fail(v.Offset(), "invalid value for " + p.Name + ": '" + member +
                                         "' is not a value of " + p.Enum->TypeName);
                mask |= uint64_t(1) << n;
            }
            p.SetOrd(target, static_cast<int64_t>(mask));
            return;
        }
        case TTypeKind::String:
            if (!v.IsStringLike())
                invalid(p, v, "string");
            p.SetStr(target, FormStringBytes(v));
            return;
        case TTypeKind::Float: {
            std::optional<long double> f = asFloat(v);
            if (!f)
                invalid(p, v, "number");
            p.SetFloat(target, static_cast<double>(*f));
            return;
        }
        case TTypeKind::Method:
            if (v.Kind() == FormValueKind::Nil)
                p.SetStr(target, "");
            else if (v.Kind() == FormValueKind::Ident)
                p.SetStr(target, v.AsBytes());
            else
                invalid(p, v, "method name");
            return;
        case TTypeKind::Class:
            if (!p.IsReference) {
                // A collection (Panels = <...>) is kept as the file holds it.
                auto* collection = p.GetObj ? dyn<TCollection>(p.GetObj(target)) : nullptr;
                if (collection && v.Kind() == FormValueKind::Collection) {
                    collection->SetItems(v);
                    return;
                }
                if (collection)
                    invalid(p, v, "collection");
            }
            if (!p.IsReference || !p.SetObj)
                fail(v.Offset(), "invalid value for " + p.Name +
                                     ": an object's properties are stored as " + p.Name +
                                     ".Name = value");
            if (v.Kind() == FormValueKind::Nil)
                p.SetObj(target, nullptr);
            else if (v.Kind() == FormValueKind::Ident)
                FFixups.push_back({&target, &p, v.AsBytes(), v.Offset(), FPropPath, holder});
            else
                invalid(p, v, "component name");
            return;
        }
    }

    bool readDefined(TPersistent& target, const std::string& name, const FormProperty& property) {
        FItems.clear();
        flatten(property.value);
        FPos = 0;
        FDefinedName = &name;
        FDefinedFound = false;
        guard(property.value.Offset(), FPropPath, [&] { target.DefineProperties(*this); });
        FDefinedName = nullptr;
        return FDefinedFound;
    }

    void flatten(const FormValue& v) {
        if (v.Kind() != FormValueKind::List) {
            FItems.push_back({Item::Value, &v, v.Offset()});
            return;
        }
        FItems.push_back({Item::Begin, nullptr, v.Offset()});
        for (const FormValue& item : v.AsList())
            flatten(item);
        FItems.push_back({Item::End, nullptr, v.EndOffset()});
    }

    bool at(Item::Kind kind) const { return FPos < FItems.size() && FItems[FPos].kind == kind; }

    uint64_t hereOffset() const {
        if (FPos < FItems.size())
            return FItems[FPos].offset;
        return FItems.empty() ? 0 : FItems.back().offset;
    }

    std::string hereText() const {
        if (FPos >= FItems.size())
            return "end of the value";
        switch (FItems[FPos].kind) {
        case Item::Begin:
            return "list";
        case Item::End:
            return "end of list";
        default:
            return describe(*FItems[FPos].value);
        }
    }

    [[noreturn]] void failExpected(const std::string& what) const {
        fail(hereOffset(), what + " expected but " + hereText() + " found");
    }

    template <class Pred> const FormValue& value(const std::string& what, Pred ok) {
        if (!at(Item::Value) || !ok(*FItems[FPos].value))
            failExpected(what);
        return *FItems[FPos++].value;
    }

    // ---- references

    // A component by the name a reference holds: first among the holder's owner's components
    // (the components of an inline frame refer to each other), then the root's; a dotted name
    // goes down through the components that own others (Frame1.Edit1).
    TComponent* resolve(const std::string& name, TComponent* holder) const {
        size_t dot = name.find('.');
        if (dot != std::string::npos) {
            TComponent* outer = resolve(name.substr(0, dot), holder);
            return outer ? outer->FindComponent(name.substr(dot + 1)) : nullptr;
        }
        if (holder && holder->Owner() && holder->Owner() != FRoot)
            if (TComponent* c = holder->Owner()->FindComponent(name))
                return c;
        return SameText(name, FRoot->Name()) ? FRoot : FRoot->FindComponent(name);
    }

    void resolveReferences() {
        for (const Fixup& f : FFixups) {
            TComponent* found = resolve(f.name, f.holder);
            if (!found) {
                unknown(f.offset, f.path, "unknown component " + f.name);
                continue;
            }
            if (f.prop->ObjClass && !found->InheritsFrom(f.prop->ObjClass)) {
                // A component of a class the host does not know may well be the right kind:
                // the reference stays as read.
                if (keeping() && dynamic_cast<INestingHolder*>(found))
                    continue;
                throw error(f.offset, f.path,
                            "invalid value for " + f.prop->Name + ": " + f.name + " is a " +
                                found->ClassName() + ", not a " + f.prop->ObjClass->ClassName());
            }
            guard(f.offset, f.path, [&] { f.prop->SetObj(*f.target, found); });
        }
    }

    TComponent* FRoot;
    const FormSource& FSource;
    const FormReadOptions& FOptions;
    std::vector<std::string> FPath;
    std::string FPropPath;
    std::vector<std::string> FSkipped;
    std::vector<TComponent*> FLoaded;
    std::map<TComponent*, uint64_t> FLoadedAt;
    std::vector<Fixup> FFixups;
    // the defined property being read
    const std::string* FDefinedName = nullptr;
    bool FDefinedFound = false;
    std::vector<Item> FItems;
    size_t FPos = 0;
};

} // namespace

std::vector<std::string> ReadComponents(const FormObject& object, TComponent* root,
                                        const FormSource& source, const FormReadOptions& options) {
    ComponentReader reader(root, source, options);
    return reader.Read(object);
}

} // namespace host
