#include "host/designer/RootKinds.h"

#include "host/catalogue/Placeholders.h"
#include "host/vcl/Forms.h"

#include <array>
#include <map>

namespace host {

std::string_view RootKindName(RootKind kind) {
    switch (kind) {
    case RootKind::Form:
        return "form";
    case RootKind::DataModule:
        return "datamodule";
    case RootKind::Frame:
        return "frame";
    }
    return "form";
}

std::optional<RootKind> ParseRootKind(std::string_view name) {
    for (RootKind k : {RootKind::Form, RootKind::DataModule, RootKind::Frame})
        if (SameText(RootKindName(k), name))
            return k;
    return std::nullopt;
}

namespace {

// The unit's text without comments and string literals, so that a class declared in a comment
// counts for nothing.
std::string code(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (text.substr(i, 2) == "//") {
            i = text.find('\n', i);
            if (i == std::string_view::npos)
                break;
        } else if (text[i] == '{') {
            i = text.find('}', i);
            i = i == std::string_view::npos ? text.size() : i + 1;
            out += ' ';
        } else if (text.substr(i, 2) == "(*") {
            i = text.find("*)", i + 2);
            i = i == std::string_view::npos ? text.size() : i + 2;
            out += ' ';
        } else if (text[i] == '\'') {
            i = text.find('\'', i + 1);
            i = i == std::string_view::npos ? text.size() : i + 1;
            out += "''";
        } else {
            out += text[i++];
        }
    }
    return out;
}

bool identChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

// Every "Name = class(Ancestor" of the unit: name (upper case) to ancestor, the ancestor's unit
// prefix dropped (Vcl.Forms.TForm is TForm).
std::map<std::string, std::string> classDeclarations(const std::string& text) {
    std::map<std::string, std::string> out;
    const std::string upper = UpperCase(text);
    for (size_t at = upper.find("CLASS"); at != std::string::npos;
         at = upper.find("CLASS", at + 5)) {
        if ((at > 0 && identChar(upper[at - 1])) ||
            (at + 5 < upper.size() && identChar(upper[at + 5])))
            continue;
        // Backwards over blanks, '=', blanks, then the name.
        size_t p = at;
        auto skipBlanks = [&](size_t& q) {
            while (q > 0 && std::isspace(static_cast<unsigned char>(text[q - 1])))
                --q;
        };
        skipBlanks(p);
        if (p == 0 || text[p - 1] != '=')
            continue;
        --p;
        skipBlanks(p);
        size_t end = p;
        while (p > 0 && identChar(text[p - 1]))
            --p;
        if (p == end)
            continue;
        const std::string name = UpperCase(text.substr(p, end - p));
        // Forwards to "(Ancestor".
        size_t q = at + 5;
        while (q < text.size() && std::isspace(static_cast<unsigned char>(text[q])))
            ++q;
        if (q >= text.size() || text[q] != '(')
            continue;
        ++q;
        while (q < text.size() && std::isspace(static_cast<unsigned char>(text[q])))
            ++q;
        size_t start = q;
        while (q < text.size() && identChar(text[q]))
            ++q;
        std::string ancestor = text.substr(start, q - start);
        if (size_t dot = ancestor.rfind('.'); dot != std::string::npos)
            ancestor = ancestor.substr(dot + 1);
        if (!ancestor.empty())
            out.emplace(name, ancestor);
    }
    return out;
}

// The kinds of the library's root classes by name.
std::optional<RootKind> libraryKind(std::string_view name) {
    struct Named {
        std::string_view Name;
        RootKind Kind;
    };
    static constexpr std::array<Named, 7> known = {{{"TForm", RootKind::Form},
                                                    {"TCustomForm", RootKind::Form},
                                                    {"TDataModule", RootKind::DataModule},
                                                    {"TWebModule", RootKind::DataModule},
                                                    {"TFrame", RootKind::Frame},
                                                    {"TCustomFrame", RootKind::Frame},
                                                    {"TScrollingWinControl", RootKind::Frame}}};
    for (const Named& n : known)
        if (SameText(n.Name, name))
            return n.Kind;
    // A class the host knows: by what it is.
    if (const TClass* cls = FindClass(name)) {
        if (cls->InheritsFrom(TCustomForm::StaticClass()))
            return RootKind::Form;
        if (cls->InheritsFrom(TDataModule::StaticClass()))
            return RootKind::DataModule;
        if (cls->InheritsFrom(TCustomFrame::StaticClass()))
            return RootKind::Frame;
    }
    return std::nullopt;
}

bool isFormOnly(std::string_view name) {
    static constexpr std::array<std::string_view, 26> names = {
        "ActiveControl", "AlphaBlend",   "AlphaBlendValue",  "BorderIcons",    "BorderStyle",
        "Caption",       "ClientHeight", "ClientWidth",      "DefaultMonitor", "FormStyle",
        "GlassFrame",    "HelpFile",     "KeyPreview",       "Menu",           "ObjectMenuItem",
        "PixelsPerInch", "Position",     "PrintScale",       "Scaled",         "ScreenSnap",
        "SnapBuffer",    "TextHeight",   "TransparentColor", "WindowMenu",     "WindowState",
        "OnCloseQuery"};
    for (std::string_view n : names)
        if (SameText(n, name))
            return true;
    return name.size() > 5 && SameText(name.substr(0, 5), "Icon.");
}

bool isControl(const FormObject& child) {
    if (const TClass* cls = FindClass(child.className))
        return cls->InheritsFrom(TControl::StaticClass());
    return LooksLikeControl(child);
}

} // namespace

std::optional<RootKind> RootKindFromUnit(std::string_view unitText, std::string_view className) {
    const auto declared = classDeclarations(code(unitText));
    std::string name(className);
    // Up the unit's own chain (a bounded walk: a cycle in a broken unit ends it).
    for (size_t step = 0; step <= declared.size(); ++step) {
        auto it = declared.find(UpperCase(name));
        if (it == declared.end())
            return step == 0 ? std::nullopt : libraryKind(name);
        if (auto kind = libraryKind(it->second))
            return kind;
        name = it->second;
    }
    return std::nullopt;
}

RootKind RootKindFromContent(const FormObject& object) {
    for (const FormProperty& p : object.properties)
        if (isFormOnly(p.name))
            return RootKind::Form;
    if (object.FindProperty("TabOrder") || object.FindProperty("TabStop"))
        return RootKind::Frame;
    for (const FormObject& child : object.children)
        if (isControl(child))
            return RootKind::Frame;
    for (const FormProperty& p : object.properties) {
        if (SameText(p.name, "Width"))
            return RootKind::Form;
        if (SameText(p.name, "Height"))
            break;
    }
    return RootKind::DataModule;
}

} // namespace host
