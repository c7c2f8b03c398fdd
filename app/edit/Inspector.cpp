#include "app/edit/Inspector.h"

#include "host/vcl/Graphics.h"

#include <algorithm>
#include <cstdio>

namespace app::edit {

using namespace host;

namespace {

std::string floatText(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
}

void addRows(TObject& object, const std::string& prefix, int depth, TComponent* root,
             std::vector<PropertyRow>& rows) {
    // By name, as the object inspector lists them.
    std::vector<const TPropInfo*> props = GetPropList(object.ClassType());
    std::stable_sort(props.begin(), props.end(), [](const TPropInfo* a, const TPropInfo* b) {
        return CompareText(a->Name, b->Name) < 0;
    });
    for (const TPropInfo* p : props) {
        PropertyRow row;
        row.Path = prefix + p->Name;
        row.Name = p->Name;
        row.Depth = depth;
        row.Info = p;
        if (p->Kind == TTypeKind::Class && !p->IsReference) {
            TObject* sub = p->GetObj ? p->GetObj(object) : nullptr;
            row.Value = sub ? "(" + sub->ClassName() + ")" : "";
            row.ReadOnly = true;
            rows.push_back(row);
            if (sub && depth == 0)
                addRows(*sub, row.Path + ".", depth + 1, root, rows);
            continue;
        }
        row.Value = ShownValue(object, *p);
        row.ReadOnly = p->ReadOnly;
        if (p->Kind == TTypeKind::Enumeration) {
            row.Choices = p->Enum->Names;
        } else if (p->Kind == TTypeKind::Class && root) {
            row.Choices.push_back("");
            for (TComponent* c : root->ComponentList())
                if (c->InheritsFrom(p->ObjClass) && !c->Name().empty())
                    row.Choices.push_back(c->Name());
        }
        rows.push_back(row);
    }
}

} // namespace

std::vector<PropertyRow> PropertyRows(TComponent& component, TComponent* root) {
    std::vector<PropertyRow> rows;
    addRows(component, "", 0, root, rows);
    return rows;
}

std::string ShownValue(const TObject& obj, const TPropInfo& p) {
    switch (p.Kind) {
    case TTypeKind::Integer: {
        const int64_t v = p.GetOrd(obj);
        if (p.IntToIdent)
            if (auto name = p.IntToIdent(v))
                return *name;
        return std::to_string(v);
    }
    case TTypeKind::Enumeration: {
        const int64_t v = p.GetOrd(obj);
        if (v >= 0 && v < static_cast<int64_t>(p.Enum->Names.size()))
            return p.Enum->Names[static_cast<size_t>(v)];
        return std::to_string(v);
    }
    case TTypeKind::Set: {
        const auto mask = static_cast<uint64_t>(p.GetOrd(obj));
        std::string text = "[";
        for (size_t i = 0; i < p.Enum->Names.size() && i < 64; ++i)
            if (mask & (uint64_t(1) << i))
                text += (text.size() > 1 ? ", " : "") + p.Enum->Names[i];
        return text + "]";
    }
    case TTypeKind::Char: {
        // As the object inspector shows a character: itself when printable, else #code.
        const int64_t v = p.GetOrd(obj);
        return v >= 32 && v < 127 ? std::string(1, static_cast<char>(v)) : "#" + std::to_string(v);
    }
    case TTypeKind::String:
    case TTypeKind::Method:
        return p.GetStr(obj);
    case TTypeKind::Float:
        return floatText(p.GetFloat(obj));
    case TTypeKind::Class: {
        auto* c = p.GetObj ? dyn<TComponent>(p.GetObj(obj)) : nullptr;
        return c ? c->Name() : "";
    }
    }
    return "";
}

std::string SetValueText(const PropertyRow& row, const std::string& typed) {
    if (!row.Info)
        return typed;
    if (row.Info->Kind == TTypeKind::String) {
        // A Pascal string: quoted runs, control characters as #N between them.
        std::string text;
        bool open = false;
        for (char c : typed) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 32) {
                if (open)
                    text += '\'';
                open = false;
                text += "#" + std::to_string(u);
                continue;
            }
            if (!open)
                text += '\'';
            open = true;
            text += c == '\'' ? std::string("''") : std::string(1, c);
        }
        if (open)
            text += '\'';
        return text.empty() ? "''" : text;
    }
    if (row.Info->Kind == TTypeKind::Class && typed.empty())
        return "nil";
    return typed;
}

} // namespace app::edit
