// Reading a form file's tree into components: the concrete TReader.
#include "host/classes/Streaming.h"

#include "host/rtl/TypInfo.h"

#include <map>
#include <optional>

namespace host {

std::string FormStringBytes(const FormValue& value);

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

class ComponentReader : public TReader {
public:
    ComponentReader(TComponent* root, const FormSource& source, const FormReadOptions& options)
        : FRoot(root), FSource(source), FOptions(options) {}

    std::vector<std::string> Read(const FormObject& object) {
        FRoot->IncludeState(csLoading);
        FRoot->IncludeState(csReading);
        FLoaded.push_back(FRoot);
        FLoadedAt[FRoot] = object.offset;
        FPath.push_back(object.name.empty() ? object.className : object.name);
        guard(object.offset, pathText(), [&] {
            if (!object.name.empty())
                FRoot->SetName(object.name);
        });
        FPath.pop_back();
        readObject(object, FRoot);
        resolveReferences();
        for (size_t i = 0; i < FLoaded.size(); ++i) {
            TComponent* c = FLoaded[i];
            std::string path = c == FRoot ? c->Name() : FRoot->Name() + "." + c->Name();
            guard(FLoadedAt[c], path, [&] { c->Loaded(); });
        }
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

    void unknown(uint64_t offset, const std::string& path, const std::string& detail) {
        EFormFileError e = error(offset, path, detail);
        if (FOptions.unknown == UnknownPolicy::Fail)
            throw e;
        FSkipped.push_back(e.what());
    }

    // ---- objects

    void readObject(const FormObject& object, TComponent* component) {
        FPath.push_back(object.name.empty() ? object.className : object.name);
        for (const FormProperty& property : object.properties)
            readProperty(component, property);
        for (const FormObject& child : object.children)
            readChild(child, component);
        FPath.pop_back();
    }

    void readChild(const FormObject& child, TComponent* parent) {
        std::string path = pathText(child.name.empty() ? child.className : child.name);
        const TClass* cls = FindClass(child.className);
        if (!cls)
            throw error(child.offset, path, "unknown class " + child.className);
        if (!cls->InheritsFrom(TComponent::StaticClass()) || cls->IsAbstract())
            throw error(child.offset, path, "class " + child.className + " cannot be created");
        if (cls->InheritsFrom("TCustomForm") || cls->InheritsFrom("TDataModule"))
            throw error(child.offset, path,
                        "a " + child.className + " cannot be placed inside another form");
        if (cls->InheritsFrom("TControl") && !FRoot->ClassType()->InheritsFrom("TWinControl"))
            throw error(child.offset, path, "controls cannot be placed on a " + FRoot->ClassName());
        TComponent* component = nullptr;
        guard(child.offset, path, [&] { component = NewComponent(cls, FRoot); });
        component->IncludeState(csLoading);
        component->IncludeState(csReading);
        FLoaded.push_back(component);
        FLoadedAt[component] = child.offset;
        guard(child.offset, path, [&] {
            component->SetName(child.name);
            if (component->HasParent())
                component->SetParentComponent(parent);
        });
        readObject(child, component);
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
                  [&] { setPublished(*target, *p, property.value); });
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

    void setPublished(TObject& target, const TPropInfo& p, const FormValue& v) {
        if (p.ReadOnly)
            fail(v.Offset(), "property " + p.Name + " is read-only");
        switch (p.Kind) {
        case TTypeKind::Integer: {
            int64_t n = 0;
            if (v.Kind() == FormValueKind::Integer)
                n = v.AsInteger();
            else if (!(v.Kind() == FormValueKind::Ident && p.IdentToInt &&
                       p.IdentToInt(v.AsBytes(), n)))
                invalid(p, v, "integer");
            p.SetOrd(target, n);
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
            if (!p.IsReference || !p.SetObj)
                fail(v.Offset(), "invalid value for " + p.Name +
                                     ": an object's properties are stored as " + p.Name +
                                     ".Name = value");
            if (v.Kind() == FormValueKind::Nil)
                p.SetObj(target, nullptr);
            else if (v.Kind() == FormValueKind::Ident)
                FFixups.push_back({&target, &p, v.AsBytes(), v.Offset(), FPropPath});
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

    void resolveReferences() {
        for (const Fixup& f : FFixups) {
            TComponent* found =
                SameText(f.name, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.name);
            if (!found) {
                unknown(f.offset, f.path, "unknown component " + f.name);
                continue;
            }
            if (f.prop->ObjClass && !found->InheritsFrom(f.prop->ObjClass))
                throw error(f.offset, f.path,
                            "invalid value for " + f.prop->Name + ": " + f.name + " is a " +
                                found->ClassName() + ", not a " + f.prop->ObjClass->ClassName());
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
