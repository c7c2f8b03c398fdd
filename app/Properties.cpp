#include "app/Properties.h"

#include "app/Script.h"
#include "host/catalogue/CatalogueTypes.h"
#include "host/rtl/TypInfo.h"
#include "host/vcl/Graphics.h"

#include <cerrno>
#include <cstdlib>

namespace app {

using namespace host;

std::string ParsePascalString(const std::string& text) {
    std::string out;
    size_t i = 0;
    bool any = false;
    while (i < text.size()) {
        if (text[i] == '\'') {
            ++i;
            bool closed = false;
            while (i < text.size()) {
                if (text[i] == '\'') {
                    if (i + 1 < text.size() && text[i + 1] == '\'') {
                        out += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                out += text[i++];
            }
            if (!closed)
                throw ScriptError("unterminated string " + text);
            any = true;
        } else if (text[i] == '#') {
            ++i;
            size_t start = i;
            while (i < text.size() && isdigit(static_cast<unsigned char>(text[i])))
                ++i;
            if (start == i)
                throw ScriptError("character code expected after # in " + text);
            long code = std::strtol(text.substr(start, i - start).c_str(), nullptr, 10);
            if (code > 255)
                throw ScriptError("character code #" + std::to_string(code) + " is out of range");
            out += static_cast<char>(code);
            any = true;
        } else {
            throw ScriptError("not a string: " + text);
        }
    }
    if (!any)
        throw ScriptError("not a string: " + text);
    return out;
}

namespace {

bool parseInteger(const std::string& text, int64_t& value) {
    if (text.empty())
        return false;
    const char* s = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long v;
    if (s[0] == '$')
        v = std::strtoll(s + 1, &end, 16);
    else if (s[0] == '-' && s[1] == '$')
        v = -std::strtoll(s + 2, &end, 16);
    else
        v = std::strtoll(s, &end, 10);
    if (errno || !end || *end || end == s)
        return false;
    // Eight hex digits are a 32-bit value, as in form files: $FFFFFFFF is -1.
    if (s[0] == '$' && v > INT32_MAX && v <= UINT32_MAX)
        v = static_cast<int32_t>(static_cast<uint32_t>(v));
    // Anything else keeps its value; the property's range decides (SetOrdChecked).
    value = v;
    return true;
}

std::string describe(const TPropInfo& p) {
    switch (p.Kind) {
    case TTypeKind::Integer:
        return "an integer";
    case TTypeKind::Enumeration: {
        std::string names;
        for (const auto& n : p.Enum->Names)
            names += (names.empty() ? "" : ", ") + n;
        return "one of " + names;
    }
    case TTypeKind::Set:
        return "a set of " + p.Enum->TypeName + " in brackets";
    case TTypeKind::String:
        return "a string in single quotes";
    case TTypeKind::Float:
        return "a number";
    case TTypeKind::Method:
        return "a method name";
    case TTypeKind::Class:
        return "a component name";
    case TTypeKind::Char:
        return "a character in single quotes";
    }
    return "a value";
}

} // namespace

void SetPropertyText(TObject& obj, const std::string& path, const std::string& text,
                     TComponent* root) {
    TObject* target = &obj;
    std::string rest = path;
    for (;;) {
        size_t dot = rest.find('.');
        std::string name = rest.substr(0, dot);
        const TPropInfo* p = GetPropInfo(target->ClassType(), name);
        if (!p)
            throw ScriptError(target->ClassName() + " has no published property " + name);
        if (dot != std::string::npos) {
            if (p->Kind != TTypeKind::Class || p->IsReference || !p->GetObj(*target))
                throw ScriptError(name + " of " + target->ClassName() + " has no properties");
            target = p->GetObj(*target);
            rest = rest.substr(dot + 1);
            continue;
        }
        if (p->ReadOnly)
            throw ScriptError("property " + name + " is read-only");
        auto bad = [&] {
            return ScriptError("invalid value " + text + " for " + name + ": expected " +
                               describe(*p));
        };
        switch (p->Kind) {
        case TTypeKind::Integer: {
            int64_t v;
            if (!parseInteger(text, v) && !(p->IdentToInt && p->IdentToInt(text, v)))
                throw bad();
            p->SetOrdChecked(*target, v);
            break;
        }
        case TTypeKind::Char: {
            std::string c;
            try {
                c = ParsePascalString(text);
            } catch (const ScriptError&) {
                throw bad();
            }
            if (c.size() != 1)
                throw bad();
            p->SetOrdChecked(*target, static_cast<unsigned char>(c[0]));
            break;
        }
        case TTypeKind::Enumeration: {
            int v = p->Enum->ValueOf(text);
            if (v < 0)
                throw bad();
            p->SetOrd(*target, v);
            break;
        }
        case TTypeKind::Set: {
            auto mask = catalogue::ParseSetText(*p->Enum, text);
            if (!mask)
                throw bad();
            p->SetOrd(*target, static_cast<int64_t>(*mask));
            break;
        }
        case TTypeKind::String:
            try {
                p->SetStr(*target, ParsePascalString(text));
            } catch (const ScriptError&) {
                throw bad();
            }
            break;
        case TTypeKind::Method:
            if (!IsValidIdent(text) && !text.empty())
                throw bad();
            p->SetStr(*target, text);
            break;
        case TTypeKind::Float: {
            char* end = nullptr;
            double v = std::strtod(text.c_str(), &end);
            if (!end || *end || text.empty())
                throw bad();
            p->SetFloat(*target, v);
            break;
        }
        case TTypeKind::Class: {
            if (!p->IsReference)
                throw ScriptError("property " + name + " is an object; set its own properties");
            if (SameText(text, "nil")) {
                p->SetObj(*target, nullptr);
                break;
            }
            TComponent* ref = root ? root->FindComponent(text) : nullptr;
            if (!ref || !ref->InheritsFrom(p->ObjClass))
                throw ScriptError("no " + p->ObjClass->ClassName() + " named " + text + " for " +
                                  name);
            p->SetObj(*target, ref);
            break;
        }
        }
        return;
    }
}

} // namespace app
