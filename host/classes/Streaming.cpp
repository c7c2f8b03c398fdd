// Writing components into a form file's tree: the concrete TWriter; and the host's reading of
// strings of every kind as bytes.
#include "host/classes/Streaming.h"

#include "host/rtl/TypInfo.h"

#include <optional>

namespace host {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 units to code points (a lone surrogate stands for itself).
std::u32string codePoints(const std::u16string& units) {
    std::u32string out;
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        }
        out += c;
    }
    return out;
}

// Valid UTF-8 decoded to code points; nullopt for anything else.
std::optional<std::u32string> decodeUtf8(const std::string& bytes) {
    std::u32string out;
    for (size_t i = 0; i < bytes.size();) {
        auto b = static_cast<unsigned char>(bytes[i]);
        int extra = b < 0x80             ? 0
                    : (b & 0xE0) == 0xC0 ? 1
                    : (b & 0xF0) == 0xE0 ? 2
                    : (b & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (extra < 0)
            return std::nullopt;
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= bytes.size())
                return std::nullopt;
            auto n = static_cast<unsigned char>(bytes[i + k]);
            if ((n & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (n & 0x3F);
        }
        out += c;
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

// Code points as the host's byte strings: each below 256 as that byte when all are; otherwise
// the whole text in UTF-8, so that no character is lost.
std::string narrow(const std::u32string& text) {
    std::string out;
    bool bytes = true;
    for (char32_t c : text)
        bytes = bytes && c < 256;
    for (char32_t c : text) {
        if (bytes)
            out += static_cast<char>(c);
        else
            appendUtf8(out, c);
    }
    return out;
}

} // namespace

// The text of a string value of any kind as the host's byte string.
std::string FormStringBytes(const FormValue& v) {
    switch (v.Kind()) {
    case FormValueKind::WideString:
        return narrow(codePoints(v.AsWide()));
    case FormValueKind::Utf8String:
        if (auto text = decodeUtf8(v.AsBytes()))
            return narrow(*text);
        return v.AsBytes();
    default:
        return v.AsBytes();
    }
}

namespace {

class ComponentWriter : public TWriter {
public:
    explicit ComponentWriter(TComponent* root) : FRoot(root) {}

    FormObject WriteObject(TComponent* component) {
        FormObject object;
        object.className = component->ClassName();
        object.name = component->Name();
        component->IncludeState(csWriting);
        try {
            writeProperties(*component, "", object.properties);
        } catch (...) {
            component->ExcludeState(csWriting);
            throw;
        }
        component->ExcludeState(csWriting);
        component->GetChildren(
            [&](TComponent* child) { object.children.push_back(WriteObject(child)); }, FRoot);
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
                if (TObject* sub = p->GetObj(obj))
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

    TComponent* FRoot;
    std::vector<FormProperty>* FOut = nullptr;
    std::string FPrefix;
    std::string FDefining;
    std::vector<FormValueList> FLists;
    std::optional<FormValue> FResult;
};

} // namespace

FormObject WriteComponents(TComponent* root) {
    ComponentWriter writer(root);
    return writer.WriteObject(root);
}

} // namespace host
