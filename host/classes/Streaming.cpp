// Writing components into a form file's tree: the concrete TWriter.
#include "host/classes/Streaming.h"

#include "host/classes/Collection.h"
#include "host/classes/StreamingInternal.h"
#include "host/rtl/TypInfo.h"

#include <map>
#include <optional>
#include <unordered_set>

namespace host {

namespace {

// The published property a dotted name (Font.Size) stands for on obj, or null.
const TPropInfo* publishedAt(TObject& obj, std::string_view name) {
    TObject* target = &obj;
    for (size_t dot; (dot = name.find('.')) != std::string_view::npos;) {
        const TPropInfo* p = GetPropInfo(target->ClassType(), name.substr(0, dot));
        if (!p || p->Kind != TTypeKind::Class || p->IsReference || !p->GetObj)
            return nullptr;
        target = p->GetObj(*target);
        if (!target)
            return nullptr;
        name = name.substr(dot + 1);
    }
    return GetPropInfo(target->ClassType(), name);
}

class ComponentWriter : public TWriter {
public:
    explicit ComponentWriter(TComponent* root) : FRoot(root) {}

    std::vector<FormProperty> OwnProperties(TComponent* component) {
        std::vector<FormProperty> properties;
        component->IncludeState(csWriting);
        try {
            writeProperties(*component, "", properties);
        } catch (...) {
            component->ExcludeState(csWriting);
            throw;
        }
        component->ExcludeState(csWriting);
        return properties;
    }

    // scope: the component that owns what is written here (the root, or an inline frame or a
    // placeholder, which own what is nested in them).
    FormObject WriteObject(TComponent* component, TComponent* scope) {
        const TStreamedState* state = component->StreamedState().get();
        FormObject object;
        if (state) {
            object = state->Node;
            object.properties = MergeProperties(*state, OwnProperties(component),
                                                [component](const std::string& n) {
                                                    const TPropInfo* p = publishedAt(*component, n);
                                                    return p && (!p->Stored || p->ReadOnly);
                                                });
        } else {
            object.properties = OwnProperties(component);
        }
        object.className = component->ClassName();
        object.name = component->Name();
        TComponent* childScope = scope;
        if (component != FRoot && (dynamic_cast<INestingHolder*>(component) != nullptr ||
                                   (state && state->Node.isInline)))
            childScope = component;
        std::vector<TComponent*> children = childrenOf(component, childScope);
        if (state)
            children = MergeChildren(*state, children);
        for (TComponent* child : children)
            object.children.push_back(WriteObject(child, childScope));
        return object;
    }

    // ---- TFiler: a defined property is written when it has data
    void DefineProperty(const std::string& name, ReadProc, WriteProc writeData,
                        bool hasData) override {
        if (!hasData || !writeData)
            return;
        FLists.clear();
        FResult.reset();
        FDefining = name;
        writeData(*this);
        if (!FLists.empty())
            throw EWriteError("defined property " + name + " left a list open");
        if (!FResult)
            throw EWriteError("defined property " + name + " wrote no value");
        FOut->push_back({FPrefix + name, std::move(*FResult)});
        FResult.reset();
    }

    // ---- TWriter
    void WriteListBegin() override { FLists.emplace_back(); }
    void WriteListEnd() override {
        if (FLists.empty())
            throw EWriteError("defined property " + FDefining + " ended a list it did not begin");
        FormValue list = FormValue::List(std::move(FLists.back()));
        FLists.pop_back();
        add(std::move(list));
    }
    void WriteString(const std::string& value) override { add(FormValue::String(value)); }
    void WriteInteger(int64_t value) override { add(FormValue::Integer(value)); }
    void WriteBoolean(bool value) override { add(FormValue::Boolean(value)); }
    void WriteIdent(const std::string& value) override { add(FormValue::Ident(value)); }
    void WriteFloat(long double value) override { add(FormValue::Extended(value)); }
    void WriteSet(const std::vector<std::string>& members) override {
        add(FormValue::Set(members));
    }
    void WriteBinary(const std::string& bytes) override { add(FormValue::Binary(bytes)); }

private:
    void add(FormValue value) {
        if (!FLists.empty()) {
            FLists.back().push_back(std::move(value));
            return;
        }
        if (FResult)
            throw EWriteError("defined property " + FDefining + " wrote more than one value");
        FResult = std::move(value);
    }

    std::optional<FormValue> publishedValue(const TObject& obj, const TPropInfo& p) const {
        switch (p.Kind) {
        case TTypeKind::Integer: {
            int64_t v = p.GetOrd(obj);
            if (p.IntToIdent)
                if (auto name = p.IntToIdent(v))
                    return FormValue::Ident(*name);
            return FormValue::Integer(v);
        }
        case TTypeKind::Enumeration: {
            int64_t v = p.GetOrd(obj);
            if (p.Enum == &BooleanInfo)
                return FormValue::Boolean(v != 0);
            if (v >= 0 && v < static_cast<int64_t>(p.Enum->Names.size()))
                return FormValue::Ident(p.Enum->Names[static_cast<size_t>(v)]);
            return FormValue::Integer(v);
        }
        case TTypeKind::Set: {
            auto mask = static_cast<uint64_t>(p.GetOrd(obj));
            FormNameList members;
            for (size_t i = 0; i < p.Enum->Names.size() && i < 64; ++i)
                if (mask & (uint64_t(1) << i))
                    members.push_back(p.Enum->Names[i]);
            return FormValue::Set(std::move(members));
        }
        case TTypeKind::String:
            return FormValue::String(p.GetStr(obj));
        case TTypeKind::Method:
            return FormValue::Ident(p.GetStr(obj));
        case TTypeKind::Char:
            return FormValue::String(std::string(1, static_cast<char>(p.GetOrd(obj))));
        case TTypeKind::Float:
            return FormValue::Extended(static_cast<long double>(p.GetFloat(obj)));
        case TTypeKind::Class: {
            auto* c = dyn<TComponent>(p.GetObj(obj));
            if (!c || c->Name().empty())
                return std::nullopt;
            if (c == FRoot || c->Owner() == FRoot || !c->Owner())
                return FormValue::Ident(c->Name());
            return FormValue::Ident(c->Owner()->Name() + "." + c->Name());
        }
        }
        return std::nullopt;
    }

    void writeProperties(TObject& obj, const std::string& prefix, std::vector<FormProperty>& out) {
        for (const TPropInfo* p : GetPropList(obj.ClassType())) {
            if (p->Kind == TTypeKind::Class && !p->IsReference) {
                if (!p->Stored || (p->IsStored && !p->IsStored(obj)) || !p->GetObj)
                    continue;
                TObject* sub = p->GetObj(obj);
                if (auto* collection = dyn<TCollection>(sub))
                    out.push_back({prefix + p->Name, collection->Items()});
                else if (sub)
                    writeProperties(*sub, prefix + p->Name + ".", out);
                continue;
            }
            if (!p->ShouldWrite(obj))
                continue;
            if (auto value = publishedValue(obj, *p))
                out.push_back({prefix + p->Name, std::move(*value)});
        }
        if (auto* persistent = dyn<TPersistent>(&obj)) {
            std::vector<FormProperty>* savedOut = FOut;
            std::string savedPrefix = FPrefix;
            FOut = &out;
            FPrefix = prefix;
            persistent->DefineProperties(*this);
            FOut = savedOut;
            FPrefix = savedPrefix;
        }
    }

    // The components written nested in component: what its GetChildren gives, then those of
    // scope's components whose GetParentComponent names it that GetChildren left out (an object
    // of an unknown class nested in a known component).
    std::vector<TComponent*> childrenOf(TComponent* component, TComponent* scope) {
        std::vector<TComponent*> children;
        component->GetChildren([&](TComponent* child) { children.push_back(child); }, scope);
        auto byParent = FNested.find(scope);
        if (byParent == FNested.end()) {
            auto& map = FNested[scope];
            for (TComponent* c : scope->ComponentList())
                if (TComponent* parent = c->GetParentComponent())
                    map[parent].push_back(c);
            byParent = FNested.find(scope);
        }
        auto extra = byParent->second.find(component);
        if (extra != byParent->second.end()) {
            std::unordered_set<TComponent*> listed(children.begin(), children.end());
            for (TComponent* c : extra->second)
                if (!listed.count(c))
                    children.push_back(c);
        }
        return children;
    }

    TComponent* FRoot;
    std::map<TComponent*, std::map<TComponent*, std::vector<TComponent*>>> FNested;
    std::vector<FormProperty>* FOut = nullptr;
    std::string FPrefix;
    std::string FDefining;
    std::vector<FormValueList> FLists;
    std::optional<FormValue> FResult;
};

} // namespace

FormObject WriteComponents(TComponent* root) {
    ComponentWriter writer(root);
    return writer.WriteObject(root, root);
}

std::vector<FormProperty> WriteProperties(TComponent* component, TComponent* root) {
    ComponentWriter writer(root);
    return writer.OwnProperties(component);
}

} // namespace host
