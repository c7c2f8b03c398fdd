// The catalogue's types and the property of each kind, keeping its value in the object's store.
#include "host/catalogue/CatalogueTypes.h"

#include "host/catalogue/CatalogueRows.h"
#include "host/classes/Classes.h"
#include "host/classes/Collection.h"
#include "host/classes/PropertyStore.h"
#include "host/vcl/Buttons.h"
#include "host/vcl/Controls.h"

#include <deque>
#include <map>

namespace host::catalogue {

namespace {

struct Types {
    std::map<std::string, TTypeDef> ByName; // upper-case names
    std::deque<TEnumInfo> Enums;
};

void addEnum(Types& t, const std::string& name, const TEnumInfo* info) {
    TTypeDef def;
    def.Kind = TypeKind::Enumeration;
    def.Enum = info;
    t.ByName[UpperCase(name)] = def;
}

TTypeDef scalar(TypeKind kind, int64_t min = INT32_MIN, int64_t max = INT32_MAX) {
    TTypeDef def;
    def.Kind = kind;
    def.MinValue = min;
    def.MaxValue = max;
    return def;
}

void addRow(Types& t, const TypeRow& row) {
    std::string_view def = row.Definition;
    const std::string name(row.Name);
    if (def.starts_with("(")) {
        TEnumInfo info;
        info.TypeName = name;
        std::string_view list = def.substr(1, def.size() - 2);
        while (!list.empty()) {
            size_t comma = list.find(',');
            std::string_view item = list.substr(0, comma);
            while (!item.empty() && item.front() == ' ')
                item.remove_prefix(1);
            while (!item.empty() && item.back() == ' ')
                item.remove_suffix(1);
            info.Names.emplace_back(item);
            list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        }
        t.Enums.push_back(std::move(info));
        addEnum(t, name, &t.Enums.back());
    } else if (def.starts_with("set of ")) {
        auto element = t.ByName.find(UpperCase(def.substr(7)));
        if (element == t.ByName.end() || !element->second.Enum)
            throw Exception("catalogue: type " + name + ": no element type");
        TTypeDef set;
        set.Kind = TypeKind::Set;
        set.Enum = element->second.Enum;
        t.ByName[UpperCase(name)] = set;
    } else if (def.starts_with("= ")) {
        auto same = t.ByName.find(UpperCase(def.substr(2)));
        if (same == t.ByName.end())
            throw Exception("catalogue: type " + name + ": no type " + std::string(def.substr(2)));
        t.ByName[UpperCase(name)] = same->second;
    } else {
        throw Exception("catalogue: type " + name + ": bad definition");
    }
}

const Types& types() {
    static const Types t = [] {
        Types t;
        for (const char* n : {"Integer", "LongInt", "THelpContext", "TImageIndex", "TModalResult",
                              "TBorderWidth", "TBevelWidth", "TWidth"})
            t.ByName[UpperCase(n)] = scalar(TypeKind::Integer);
        t.ByName["CARDINAL"] = scalar(TypeKind::Integer, 0, UINT32_MAX);
        t.ByName["WORD"] = scalar(TypeKind::Integer, 0, 65535);
        t.ByName["TSHORTCUT"] = scalar(TypeKind::Integer, 0, 65535);
        t.ByName["SMALLINT"] = scalar(TypeKind::Integer, -32768, 32767);
        t.ByName["TTABORDER"] = scalar(TypeKind::Integer, -1, 32767);
        t.ByName["BYTE"] = scalar(TypeKind::Integer, 0, 255);
        TTypeDef color = scalar(TypeKind::Integer);
        color.IdentToInt = &ColorIdentToInt;
        color.IntToIdent = &ColorIntToIdent;
        t.ByName["TCOLOR"] = color;
        TTypeDef cursor = scalar(TypeKind::Integer, -32768, 32767);
        cursor.IdentToInt = &CursorIdentToInt;
        cursor.IntToIdent = &CursorIntToIdent;
        t.ByName["TCURSOR"] = cursor;
        TTypeDef charset = scalar(TypeKind::Integer, 0, 255);
        charset.IdentToInt = &CharsetIdentToInt;
        charset.IntToIdent = &CharsetIntToIdent;
        t.ByName["TFONTCHARSET"] = charset;
        TTypeDef boolean = scalar(TypeKind::Boolean);
        boolean.Enum = &BooleanInfo;
        t.ByName["BOOLEAN"] = boolean;
        for (const char* n : {"string", "AnsiString", "WideString", "TCaption", "TFileName",
                              "TImeName", "TTranslateString", "TEditMask", "TDataSetName"})
            t.ByName[UpperCase(n)] = scalar(TypeKind::String);
        t.ByName["CHAR"] = scalar(TypeKind::Char, 0, 255);
        for (const char* n :
             {"Double", "Extended", "Single", "Real", "TDateTime", "TDate", "TTime", "Currency"})
            t.ByName[UpperCase(n)] = scalar(TypeKind::Float);
        // The enumerations the host's C++ classes already declare.
        addEnum(t, "TAlign", &AlignInfo);
        addEnum(t, "TButtonLayout", &ButtonLayoutInfo);
        addEnum(t, "TFontPitch", &FontPitchInfo);
        addEnum(t, "TFontStyle", &FontStyleInfo);
        t.ByName["TFONTSTYLES"] = TTypeDef{TypeKind::Set, &FontStyleInfo};
        Table table = TypeTable();
        for (size_t i = 0; i < table.TypeCount; ++i)
            addRow(t, table.Types[i]);
        return t;
    }();
    return t;
}

// The store's value of a slot, or the default.
int64_t ordinalOf(const TObject& o, int slot, int64_t def) {
    const TPropertyStore* store = static_cast<const TPersistent&>(o).StoreOrNull();
    const TPropertyStore::Value* v = store ? store->Find(slot) : nullptr;
    return v ? std::get<int64_t>(*v) : def;
}

std::string stringOf(const TObject& o, int slot) {
    const TPropertyStore* store = static_cast<const TPersistent&>(o).StoreOrNull();
    const TPropertyStore::Value* v = store ? store->Find(slot) : nullptr;
    return v ? std::get<std::string>(*v) : std::string();
}

} // namespace

bool FindType(const std::string& name, TTypeDef& type) {
    const Types& t = types();
    auto it = t.ByName.find(UpperCase(name));
    if (it != t.ByName.end()) {
        type = it->second;
        return true;
    }
    if (name.size() > 5 && name.ends_with("Event")) {
        type = scalar(TypeKind::Method);
        return true;
    }
    return false;
}

bool IsStoreBacked(const TPropInfo& p) {
    return p.Slot >= 0;
}

TPropInfo StoredProperty(const std::string& name, const TTypeDef& type) {
    TPropInfo p;
    p.Name = name;
    p.Slot = TPropertyStore::NewSlot();
    p.Enum = type.Enum;
    p.MinValue = type.MinValue;
    p.MaxValue = type.MaxValue;
    if (type.IdentToInt)
        p.IdentToInt = type.IdentToInt;
    if (type.IntToIdent)
        p.IntToIdent = type.IntToIdent;
    const int slot = p.Slot;
    auto setString = [slot](TObject& o, const std::string& v) {
        auto& store = static_cast<TPersistent&>(o).Store();
        if (v.empty())
            store.Clear(slot);
        else
            store.Set(slot, v);
    };
    switch (type.Kind) {
    case TypeKind::Integer:
    case TypeKind::Boolean:
    case TypeKind::Enumeration:
    case TypeKind::Set:
    case TypeKind::Char:
        p.Kind = type.Kind == TypeKind::Integer ? TTypeKind::Integer
                 : type.Kind == TypeKind::Set   ? TTypeKind::Set
                 : type.Kind == TypeKind::Char  ? TTypeKind::Char
                                                : TTypeKind::Enumeration;
        // Until set, the value is the default (BindDefault gives each class's declaration its
        // own).
        p.GetOrd = [slot](const TObject& o) { return ordinalOf(o, slot, 0); };
        p.SetOrd = [slot](TObject& o, int64_t v) {
            static_cast<TPersistent&>(o).Store().Set(slot, v);
        };
        break;
    case TypeKind::String:
    case TypeKind::Method:
        p.Kind = type.Kind == TypeKind::String ? TTypeKind::String : TTypeKind::Method;
        p.GetStr = [slot](const TObject& o) { return stringOf(o, slot); };
        p.SetStr = setString;
        break;
    case TypeKind::Float:
        p.Kind = TTypeKind::Float;
        p.GetFloat = [slot](const TObject& o) {
            const TPropertyStore* store = static_cast<const TPersistent&>(o).StoreOrNull();
            const TPropertyStore::Value* v = store ? store->Find(slot) : nullptr;
            return v ? std::get<double>(*v) : 0.0;
        };
        p.SetFloat = [slot](TObject& o, double v) {
            static_cast<TPersistent&>(o).Store().Set(slot, v);
        };
        break;
    case TypeKind::Reference:
        p.Kind = TTypeKind::Class;
        p.IsReference = true;
        p.ObjClass = type.ClassRef;
        p.GetObj = [slot](const TObject& o) -> TObject* {
            const TPropertyStore* store = static_cast<const TPersistent&>(o).StoreOrNull();
            const TPropertyStore::Value* v = store ? store->Find(slot) : nullptr;
            return v ? std::get<TComponent*>(*v) : nullptr;
        };
        p.SetObj = [slot](TObject& o, TObject* v) {
            auto& self = static_cast<TPersistent&>(o);
            auto* target = dyn<TComponent>(v);
            if (!target) {
                self.Store().Clear(slot);
                return;
            }
            // Told when the component goes, so that the reference goes with it.
            if (auto* holder = dyn<TComponent>(&self))
                holder->FreeNotification(target);
            self.Store().Set(slot, target);
        };
        break;
    case TypeKind::Object: {
        p.Kind = TTypeKind::Class;
        p.ObjClass = type.ClassRef;
        const TClass* cls = type.ClassRef;
        // Made when first asked for, owned by the store.
        p.GetObj = [slot, cls](const TObject& o) -> TObject* {
            auto& self = const_cast<TPersistent&>(static_cast<const TPersistent&>(o));
            TPropertyStore& store = self.Store();
            if (TPropertyStore::Value* v = store.Find(slot))
                return std::get<FreePtr<TPersistent>>(*v).get();
            auto* sub = static_cast<TPersistent*>(cls->NewInstance());
            store.Set(slot, FreePtr<TPersistent>(sub));
            return sub;
        };
        break;
    }
    }
    return p;
}

std::optional<uint64_t> ParseSetText(const TEnumInfo& element, const std::string& text) {
    if (text.size() < 2 || text.front() != '[' || text.back() != ']')
        return std::nullopt;
    uint64_t mask = 0;
    const std::string inner = text.substr(1, text.size() - 2);
    for (size_t start = 0; start <= inner.size();) {
        const size_t comma = inner.find(',', start);
        std::string member =
            inner.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        member.erase(0, member.find_first_not_of(' '));
        member.erase(member.find_last_not_of(' ') + 1);
        if (!member.empty()) {
            const int v = element.ValueOf(member);
            if (v < 0)
                return std::nullopt;
            mask |= uint64_t(1) << v;
        }
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return mask;
}

int64_t ParseDefault(const TPropInfo& p, const std::string& text, const std::string& place) {
    auto bad = [&]() { return Exception("catalogue: " + place + ": bad default " + text); };
    switch (p.Kind) {
    case TTypeKind::Integer: {
        int64_t v = 0;
        if (p.IdentToInt && p.IdentToInt(text, v))
            return v;
        const bool hex = text.starts_with("$");
        const std::string digits = hex ? text.substr(1) : text;
        try {
            size_t used = 0;
            v = std::stoll(digits, &used, hex ? 16 : 10);
            if (used != digits.size())
                throw bad();
        } catch (const std::logic_error&) {
            throw bad();
        }
        return v;
    }
    case TTypeKind::Enumeration: {
        int v = p.Enum->ValueOf(text);
        if (v < 0)
            throw bad();
        return v;
    }
    case TTypeKind::Set:
        if (auto mask = ParseSetText(*p.Enum, text))
            return static_cast<int64_t>(*mask);
        throw bad();
    case TTypeKind::Char:
        if (text == "#0")
            return 0;
        if (text.size() == 3 && text.front() == '\'' && text.back() == '\'')
            return static_cast<unsigned char>(text[1]);
        throw bad();
    default:
        throw bad();
    }
}

void BindDefault(TPropInfo& p) {
    if (!IsStoreBacked(p) || !p.IsOrdinal())
        return;
    const int slot = p.Slot;
    const int64_t def = p.Default.value_or(0);
    p.GetOrd = [slot, def](const TObject& o) { return ordinalOf(o, slot, def); };
}

void StoredWhenItHasItems(TPropInfo& p) {
    auto get = p.GetObj;
    p.IsStored = [get](const TObject& o) {
        auto* items = get ? dyn<TCollection>(get(o)) : nullptr;
        return items && items->Count() > 0;
    };
}

void CoupleToParentFlag(TPropInfo& p, const TPropInfo& flag) {
    auto isParent = flag.GetOrd;
    auto clearParent = flag.SetOrd;
    p.IsStored = [isParent](const TObject& o) { return isParent(o) == 0; };
    if (p.SetOrd) {
        auto set = p.SetOrd;
        p.SetOrd = [set, clearParent](TObject& o, int64_t v) {
            set(o, v);
            clearParent(o, 0);
        };
    }
}

} // namespace host::catalogue
