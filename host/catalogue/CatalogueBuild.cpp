// Building the catalogue's classes from its rows: types, classes, and one property maker per
// kind of property.
#include "host/catalogue/Catalogue.h"

#include "host/catalogue/CatalogueRows.h"
#include "host/catalogue/CatalogueTypes.h"
#include "host/catalogue/StdControls.h"
#include "host/classes/Collection.h"
#include "host/classes/PropertyStore.h"
#include "host/vcl/Buttons.h"
#include "host/vcl/Forms.h"

#include <deque>
#include <map>
#include <memory>
#include <unordered_map>

namespace host {

namespace {

using catalogue::ClassRow;
using catalogue::Table;

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// ---------------------------------------------------------------- entries

struct Entry {
    std::string Name;
    std::string Type;    // empty: publishes a declaration found up the chain
    std::string Default; // empty: the declaration's
    bool NoDefault = false;
    std::string Stored; // "", "False" or "not Other"
};

Entry parseEntry(std::string_view text, std::string_view where) {
    Entry e;
    text = trim(text);
    auto take = [&](std::string_view keyword) {
        size_t at = text.find(keyword);
        if (at == std::string_view::npos)
            return std::string_view();
        std::string_view rest = trim(text.substr(at + keyword.size()));
        text = trim(text.substr(0, at));
        return rest;
    };
    e.Stored = std::string(take(" stored "));
    if (text.ends_with(" nodefault")) {
        e.NoDefault = true;
        text = trim(text.substr(0, text.size() - 10));
    }
    if (size_t eq = text.find('='); eq != std::string_view::npos) {
        e.Default = std::string(trim(text.substr(eq + 1)));
        text = trim(text.substr(0, eq));
    }
    if (size_t colon = text.find(':'); colon != std::string_view::npos) {
        e.Type = std::string(trim(text.substr(colon + 1)));
        text = trim(text.substr(0, colon));
    }
    e.Name = std::string(text);
    if (!IsValidIdent(e.Name))
        throw Exception("catalogue: " + std::string(where) + ": bad entry '" + e.Name + "'");
    return e;
}

void splitEntries(std::string_view list, std::string_view where, std::vector<Entry>& out) {
    while (!trim(list).empty()) {
        size_t semi = list.find(';');
        std::string_view item = trim(list.substr(0, semi));
        list = semi == std::string_view::npos ? std::string_view() : list.substr(semi + 1);
        if (item.empty())
            continue;
        if (item.front() == '@') {
            size_t count = 0;
            const catalogue::GroupRow* groups = catalogue::Groups(count);
            bool found = false;
            for (size_t i = 0; i < count; ++i)
                if (groups[i].Name == item.substr(1)) {
                    splitEntries(groups[i].Entries, where, out);
                    found = true;
                }
            if (!found)
                throw Exception("catalogue: " + std::string(where) + ": no group " +
                                std::string(item));
            continue;
        }
        out.push_back(parseEntry(item, where));
    }
}

// ---------------------------------------------------------------- the catalogue

class Builder {
public:
    explicit Builder(const std::vector<const TClass*>& hostClasses) {
        for (const TClass* c : {TObject::StaticClass(),         TPersistent::StaticClass(),
                                TComponent::StaticClass(),      TControl::StaticClass(),
                                TWinControl::StaticClass(),     TCustomControl::StaticClass(),
                                TGraphicControl::StaticClass(), TScrollingWinControl::StaticClass(),
                                TCustomForm::StaticClass(),     TForm::StaticClass(),
                                TDataModule::StaticClass(),     TCustomFrame::StaticClass(),
                                TFrame::StaticClass(),          TFont::StaticClass(),
                                TStrings::StaticClass(),        TGraphic::StaticClass(),
                                TBitmap::StaticClass(),         TCollection::StaticClass(),
                                TMenu::StaticClass(),           TMainMenu::StaticClass(),
                                TPopupMenu::StaticClass(),      TMenuItem::StaticClass(),
                                TSpeedButton::StaticClass()})
            FHost[c->ClassName()] = c;
        for (const TClass* c : hostClasses)
            FHost[c->ClassName()] = c;
    }

    void Build() {
        for (Table t : {catalogue::BasicsTable(), catalogue::StandardTable(),
                        catalogue::Win32Table(), catalogue::SystemTable(), catalogue::DataTable()})
            for (size_t i = 0; i < t.ClassCount; ++i)
                makeClass(t.Classes[i]);
        for (const ClassRow* row : FRows)
            declare(*row);
    }

    const TClass* Find(std::string_view name) const {
        auto it = FClasses.find(std::string(name));
        if (it != FClasses.end())
            return it->second;
        auto h = FHost.find(std::string(name));
        return h == FHost.end() ? nullptr : h->second;
    }

    std::vector<const TClass*> Ordered;
    std::vector<TCataloguePage> Pages;
    std::unordered_map<const TClass*, TClassStart> Starts;

private:
    // ---- classes

    void makeClass(const ClassRow& row) {
        const std::string name(row.Name);
        const TClass* ancestor = Find(row.Ancestor);
        if (!ancestor && !row.Ancestor.empty())
            throw Exception("catalogue: " + name + ": no ancestor " + std::string(row.Ancestor));
        const TClass* cls = nullptr;
        if (auto host = FHost.find(name); host != FHost.end()) {
            cls = host->second;
        } else {
            TClass::Factory factory =
                row.Abstract ? &TClass::AbstractFactory : factoryFor(ancestor);
            FOwned.emplace_back(name, ancestor, factory);
            cls = &FOwned.back();
        }
        FClasses[name] = cls;
        FRows.push_back(&row);
        Ordered.push_back(cls);
        if (!row.Abstract)
            RegisterClass(cls);
        if (!row.Page.empty()) {
            auto page = std::find_if(Pages.begin(), Pages.end(),
                                     [&](const TCataloguePage& p) { return p.Name == row.Page; });
            if (page == Pages.end()) {
                Pages.push_back({std::string(row.Page), {}});
                page = Pages.end() - 1;
            }
            page->Classes.push_back(cls);
        }
    }

    // The factory of a class made at run time: that of its nearest C++ ancestor, or the generic
    // controls for the abstract control classes.
    TClass::Factory factoryFor(const TClass* ancestor) const {
        for (const TClass* c = ancestor; c; c = c->ClassParent()) {
            if (c == TWinControl::StaticClass() || c == TCustomControl::StaticClass())
                return &TStdWinControl::Make;
            if (c == TScrollingWinControl::StaticClass())
                return &TStdScrollingControl::Make;
            if (c == TControl::StaticClass() || c == TGraphicControl::StaticClass())
                return &TStdGraphicControl::Make;
            if (c == TPersistent::StaticClass())
                return &TStdPersistent::Make;
            if (c->OwnFactory() && c->OwnFactory() != &TClass::AbstractFactory)
                return c->OwnFactory();
        }
        throw Exception("catalogue: no C++ base for a class of " + ancestor->ClassName());
    }

    // ---- properties

    void declare(const ClassRow& row) {
        const TClass* cls = Find(row.Name);
        const bool madeHere = FHost.find(std::string(row.Name)) == FHost.end();
        // A C++ class's own declarations, taken where the row names them.
        PropList own = madeHere ? PropList() : cls->DeclaredProps();
        PropList props;
        std::vector<Entry> entries;
        splitEntries(row.Declared, row.Name, entries);
        const size_t declaredCount = entries.size();
        splitEntries(row.Published, row.Name, entries);
        for (size_t i = 0; i < entries.size(); ++i) {
            TPropInfo p = property(*cls, own, entries[i], row.Name);
            p.Published = i >= declaredCount;
            // A name given again (after a group) changes the entry in its place.
            auto same = std::find_if(props.begin(), props.end(),
                                     [&](const TPropInfo& q) { return SameText(q.Name, p.Name); });
            if (same != props.end())
                *same = std::move(p);
            else
                props.push_back(std::move(p));
        }
        // What the C++ class declares and the row does not name stays, after the row's.
        for (TPropInfo& p : own)
            if (std::none_of(props.begin(), props.end(),
                             [&](const TPropInfo& q) { return SameText(q.Name, p.Name); }))
                props.push_back(std::move(p));
        resolveStoredRules(props, *cls);
        if (madeHere && row.Width + row.Height > 0)
            Starts[cls].Width = row.Width, Starts[cls].Height = row.Height;
        cls->SetDeclaredProps(std::move(props));
        if (madeHere)
            noteStart(cls);
    }

    TPropInfo property(const TClass& cls, PropList& own, const Entry& e, std::string_view where) {
        const std::string place = std::string(where) + "." + e.Name;
        auto mine = std::find_if(own.begin(), own.end(),
                                 [&](const TPropInfo& p) { return SameText(p.Name, e.Name); });
        TPropInfo p;
        if (mine != own.end()) {
            p = *mine;
            own.erase(mine);
        } else if (const TPropInfo* inherited =
                       cls.ClassParent() ? FindDeclaredProp(cls.ClassParent(), e.Name) : nullptr;
                   inherited && e.Type.empty()) {
            p = *inherited;
        } else if (!e.Type.empty()) {
            p = catalogue::StoredProperty(e.Name, resolveType(e.Type, place));
        } else if (e.Name.starts_with("On")) {
            p = catalogue::StoredProperty(e.Name, resolveType("TNotifyEvent", place));
        } else {
            throw Exception("catalogue: " + place + ": declared nowhere");
        }
        p.Name = e.Name;
        if (e.NoDefault)
            p.Default.reset();
        if (!e.Default.empty())
            p.Default = catalogue::ParseDefault(p, e.Default, place);
        catalogue::BindDefault(p);
        if (e.Stored == "False")
            p.Stored = false;
        else if (e.Stored == "HasItems")
            catalogue::StoredWhenItHasItems(p);
        else if (!e.Stored.empty())
            FStoredRules.push_back({e.Name, e.Stored, place});
        return p;
    }

    catalogue::TTypeDef resolveType(const std::string& name, const std::string& place) {
        catalogue::TTypeDef t;
        if (catalogue::FindType(name, t))
            return t;
        if (const TClass* cls = Find(name)) {
            t.ClassRef = cls;
            t.Kind = cls->InheritsFrom(TComponent::StaticClass()) ? catalogue::TypeKind::Reference
                     : cls->InheritsFrom(TCollection::StaticClass()) ? catalogue::TypeKind::Object
                                                                     : catalogue::TypeKind::Object;
            return t;
        }
        throw Exception("catalogue: " + place + ": unknown type " + name);
    }

    // "stored not Other": written while Other is false; setting the property makes Other false.
    void resolveStoredRules(PropList& props, const TClass& cls) {
        for (const auto& rule : FStoredRules) {
            auto self = std::find_if(props.begin(), props.end(),
                                     [&](const TPropInfo& p) { return p.Name == rule.Name; });
            if (self == props.end())
                continue;
            if (!rule.Rule.starts_with("not "))
                throw Exception("catalogue: " + rule.Place + ": bad stored rule " + rule.Rule);
            const std::string other = rule.Rule.substr(4);
            auto find = [&, other]() -> const TPropInfo* {
                for (const TPropInfo& p : props)
                    if (p.Name == other)
                        return &p;
                return FindDeclaredProp(cls.ClassParent(), other);
            };
            const TPropInfo* flag = find();
            if (!flag || flag->Kind != TTypeKind::Enumeration)
                throw Exception("catalogue: " + rule.Place + ": no boolean " + other);
            catalogue::CoupleToParentFlag(*self, *flag);
        }
        FStoredRules.clear();
    }

    // The values a new control of a run-time class starts with: its C++-held ordinals at the
    // row's defaults where the C++ base starts otherwise (a TEdit's Color, TabStop...).
    void noteStart(const TClass* cls) {
        if (!cls->InheritsFrom(TControl::StaticClass()))
            return;
        TClassStart& start = Starts[cls];
        for (const TPropInfo* p : GetPropList(cls))
            if (p->IsOrdinal() && p->Default && !catalogue::IsStoreBacked(*p))
                start.Ordinals.push_back({p, *p->Default});
    }

    struct StoredRule {
        std::string Name;
        std::string Rule;
        std::string Place;
    };
    std::map<std::string, const TClass*> FHost;
    std::map<std::string, const TClass*> FClasses;
    std::vector<const ClassRow*> FRows;
    std::vector<StoredRule> FStoredRules;
    std::deque<TClass> FOwned;
    friend struct Catalogue;
};

struct Catalogue {
    std::unique_ptr<Builder> Built;
};

Catalogue& theCatalogue() {
    static Catalogue catalogue;
    return catalogue;
}

} // namespace

void RegisterCatalogue(const std::vector<const TClass*>& hostClasses) {
    Catalogue& c = theCatalogue();
    if (c.Built)
        return;
    // The abstract classes of the library, so that class names resolve to them (the reader asks
    // whether a class is a control by the registered TControl, never by a name).
    for (const TClass* abstract : {TControl::StaticClass(), TWinControl::StaticClass(),
                                   TCustomForm::StaticClass(), TCustomFrame::StaticClass()})
        RegisterClass(abstract);
    auto builder = std::make_unique<Builder>(hostClasses);
    builder->Build();
    c.Built = std::move(builder);
}

const std::vector<TCataloguePage>& CataloguePages() {
    static const std::vector<TCataloguePage> none;
    const Catalogue& c = theCatalogue();
    return c.Built ? c.Built->Pages : none;
}

const std::vector<const TClass*>& CatalogueClasses() {
    static const std::vector<const TClass*> none;
    const Catalogue& c = theCatalogue();
    return c.Built ? c.Built->Ordered : none;
}

const TEnumInfo* CatalogueEnum(std::string_view name) {
    catalogue::TTypeDef t;
    if (!catalogue::FindType(std::string(name), t))
        return nullptr;
    return t.Enum;
}

const TClassStart* CatalogueStart(const TClass* cls) {
    const Catalogue& c = theCatalogue();
    if (!c.Built)
        return nullptr;
    auto it = c.Built->Starts.find(cls);
    return it == c.Built->Starts.end() ? nullptr : &it->second;
}

} // namespace host
