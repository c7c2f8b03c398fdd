// stowresgen: turns the package's readable resource sources into a C++ file holding their
// bytes and the module's resource table. Run by the build:
//
//   stowresgen OUT.cpp SYMBOL KIND:NAME=SOURCE...
//
// KIND is one of
//   bitmap       a picture as rows of colour letters -> a 4 bpp DIB (RT_BITMAP)
//   utf16        a one-line text -> UTF-16LE with one terminating zero character (RT_RCDATA)
//   packageinfo  flags, requires and contains lines -> the PACKAGEINFO record (RT_RCDATA)
//   options      option bytes and texts -> bytes, then each text after a one-byte length
//   version      fixed fields, strings and translations -> VS_VERSIONINFO (RT_VERSION)
// NAME is the resource's name, or a number (the version block's 1). Lines starting with '#'
// are comments.
#include "host/designer/Packages.h"
#include "host/win32/Dib.h"
#include "host/win32/Resources.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

using namespace host;

namespace {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Line {
    int Number;
    std::string Key;   // before the first ':' (trimmed), or the whole line for pictures
    std::string Value; // after ": "
};

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw Failure(path + ": cannot read");
    std::vector<std::string> lines;
    for (std::string s; std::getline(in, s);) {
        if (!s.empty() && s.back() == '\r')
            s.pop_back();
        lines.push_back(s);
    }
    return lines;
}

std::vector<Line> keyedLines(const std::string& path) {
    std::vector<Line> out;
    int n = 0;
    for (const std::string& s : readLines(path)) {
        ++n;
        if (s.empty() || s[0] == '#')
            continue;
        const size_t colon = s.find(':');
        if (colon == std::string::npos)
            throw Failure(path + ":" + std::to_string(n) + ": expected 'key: value'");
        std::string value = s.substr(colon + 1);
        if (!value.empty() && value[0] == ' ')
            value.erase(0, 1);
        out.push_back({n, s.substr(0, colon), value});
    }
    return out;
}

std::vector<std::string> words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> w;
    for (std::string x; in >> x;)
        w.push_back(x);
    return w;
}

uint32_t number(const std::string& s, const std::string& where) {
    try {
        size_t used = 0;
        unsigned long v = std::stoul(s, &used, 0);
        if (used != s.size() || v > 0xFFFFFFFFul)
            throw std::invalid_argument(s);
        return static_cast<uint32_t>(v);
    } catch (const std::exception&) {
        throw Failure(where + ": not a number: '" + s + "'");
    }
}

std::vector<uint8_t> bitmap(const std::string& path) {
    constexpr std::string_view key = "kmgonpt.drlybfcw";
    std::vector<std::string> rows;
    for (const std::string& s : readLines(path))
        if (!s.empty() && s[0] != '#')
            rows.push_back(s);
    if (rows.empty())
        throw Failure(path + ": no picture");
    Surface surface(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != rows[0].size())
            throw Failure(path + ": row " + std::to_string(y + 1) + " differs in length");
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const size_t index = key.find(rows[y][x]);
            if (index == std::string_view::npos)
                throw Failure(path + ": unknown colour letter '" + rows[y][x] + "'");
            surface.SetPixel(int(x), int(y), StandardPalette16()[index]);
        }
    }
    return EncodeDib4(surface);
}

std::vector<uint8_t> utf16(const std::string& path) {
    std::vector<std::string> lines = readLines(path);
    if (lines.size() != 1)
        throw Failure(path + ": expected exactly one line of text");
    std::vector<uint8_t> out = Utf16Le(lines[0]);
    out.push_back(0);
    out.push_back(0);
    return out;
}

std::vector<uint8_t> packageInfo(const std::string& path) {
    TPackageInfo info;
    for (const Line& l : keyedLines(path)) {
        const std::string where = path + ":" + std::to_string(l.Number);
        std::vector<std::string> w = words(l.Value);
        if (l.Key == "flags") {
            for (const std::string& f : w) {
                if (f == "package")
                    info.Flags |= pfPackageModule;
                else if (f == "design-only")
                    info.Flags |= pfDesignOnly;
                else if (f == "run-only")
                    info.Flags |= pfRunOnly;
                else if (f == "never-build")
                    info.Flags |= pfNeverBuild;
                else
                    throw Failure(where + ": unknown flag " + f);
            }
        } else if (l.Key == "requires") {
            info.Requires.insert(info.Requires.end(), w.begin(), w.end());
        } else if (l.Key == "contains") {
            if (w.empty())
                throw Failure(where + ": a unit name is missing");
            TPackageInfo::TContainedUnit u{w[0], 0};
            for (size_t i = 1; i < w.size(); ++i) {
                if (w[i] == "main")
                    u.Flags |= ufMainUnit;
                else if (w[i] == "package")
                    u.Flags |= ufPackageUnit;
                else if (w[i] == "weak")
                    u.Flags |= ufWeakUnit;
                else if (w[i] == "orgweak")
                    u.Flags |= ufOrgWeakUnit;
                else if (w[i] == "implicit")
                    u.Flags |= ufImplicitUnit;
                else
                    throw Failure(where + ": unknown unit flag " + w[i]);
            }
            info.Contains.push_back(u);
        } else {
            throw Failure(where + ": unknown key " + l.Key);
        }
    }
    return BuildPackageInfo(info);
}

std::vector<uint8_t> options(const std::string& path) {
    std::vector<uint8_t> out;
    for (const Line& l : keyedLines(path)) {
        const std::string where = path + ":" + std::to_string(l.Number);
        if (l.Key == "options") {
            for (const std::string& b : words(l.Value)) {
                uint32_t v = number("0x" + b, where);
                if (v > 255)
                    throw Failure(where + ": not a byte: " + b);
                out.push_back(static_cast<uint8_t>(v));
            }
        } else if (l.Key == "text") {
            if (l.Value.size() > 255)
                throw Failure(where + ": a text longer than 255 characters");
            out.push_back(static_cast<uint8_t>(l.Value.size()));
            out.insert(out.end(), l.Value.begin(), l.Value.end());
        } else {
            throw Failure(where + ": unknown key " + l.Key);
        }
    }
    return out;
}

void versionNumbers(const std::string& s, uint16_t out[4], const std::string& where) {
    std::vector<std::string> parts;
    std::stringstream in(s);
    for (std::string p; std::getline(in, p, '.');)
        parts.push_back(p);
    if (parts.size() != 4)
        throw Failure(where + ": a version has four parts");
    for (int i = 0; i < 4; ++i) {
        uint32_t v = number(parts[size_t(i)], where);
        if (v > 0xFFFF)
            throw Failure(where + ": a version part above 65535");
        out[i] = static_cast<uint16_t>(v);
    }
}

std::vector<uint8_t> version(const std::string& path) {
    TVersionInfo info;
    for (const Line& l : keyedLines(path)) {
        const std::string where = path + ":" + std::to_string(l.Number);
        std::vector<std::string> w = words(l.Value);
        auto one = [&]() {
            if (w.size() != 1)
                throw Failure(where + ": expected one value");
            return number(w[0], where);
        };
        if (l.Key == "file-version")
            versionNumbers(l.Value, info.FileVersion, where);
        else if (l.Key == "product-version")
            versionNumbers(l.Value, info.ProductVersion, where);
        else if (l.Key == "flags-mask")
            info.FileFlagsMask = one();
        else if (l.Key == "flags")
            info.FileFlags = one();
        else if (l.Key == "os")
            info.FileOS = one();
        else if (l.Key == "type")
            info.FileType = one();
        else if (l.Key == "subtype")
            info.FileSubtype = one();
        else if (l.Key == "date") {
            if (w.size() != 2)
                throw Failure(where + ": a date is two numbers");
            info.FileDateMS = number(w[0], where);
            info.FileDateLS = number(w[1], where);
        } else if (l.Key == "string-table") {
            info.StringTableKey = l.Value;
        } else if (l.Key == "string") {
            const size_t eq = l.Value.find('=');
            if (eq == std::string::npos)
                throw Failure(where + ": expected Key=Value");
            info.Strings.emplace_back(l.Value.substr(0, eq), l.Value.substr(eq + 1));
        } else if (l.Key == "translation") {
            if (w.size() != 2)
                throw Failure(where + ": a translation is a language and a code page");
            info.Translations.emplace_back(static_cast<uint16_t>(number(w[0], where)),
                                           static_cast<uint16_t>(number(w[1], where)));
        } else {
            throw Failure(where + ": unknown key " + l.Key);
        }
    }
    if (info.StringTableKey.empty())
        throw Failure(path + ": no string-table line");
    return BuildVersionInfo(info);
}

struct ResourceArg {
    std::string Kind;
    std::string Name;
    std::string Source;
};

ResourceArg parseResourceArg(const std::string& arg) {
    const size_t colon = arg.find(':'), eq = arg.find('=');
    if (colon == std::string::npos || eq == std::string::npos || eq < colon)
        throw Failure("bad resource argument '" + arg + "' (KIND:NAME=SOURCE)");
    return {arg.substr(0, colon), arg.substr(colon + 1, eq - colon - 1), arg.substr(eq + 1)};
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: stowresgen OUT.cpp SYMBOL KIND:NAME=SOURCE...\n";
        return 2;
    }
    try {
        const std::string outPath = argv[1], symbol = argv[2];
        std::ostringstream code;
        code << "// Generated by stowresgen from the package's resource sources: do not edit.\n"
             << "#include \"host/win32/Resources.h\"\n\nnamespace {\n";
        std::ostringstream table;
        int index = 0;
        for (int a = 3; a < argc; ++a, ++index) {
            const ResourceArg s = parseResourceArg(argv[a]);
            std::vector<uint8_t> data;
            const char* type;
            std::string flags = "host::RES_MOVEABLE | host::RES_PURE";
            std::string language = "0";
            if (s.Kind == "bitmap") {
                data = bitmap(s.Source);
                type = "host::RT_BITMAP";
                flags += " | host::RES_DISCARDABLE";
            } else if (s.Kind == "utf16") {
                data = utf16(s.Source);
                type = "host::RT_RCDATA";
            } else if (s.Kind == "packageinfo") {
                data = packageInfo(s.Source);
                type = "host::RT_RCDATA";
            } else if (s.Kind == "options") {
                data = options(s.Source);
                type = "host::RT_RCDATA";
            } else if (s.Kind == "version") {
                data = version(s.Source);
                type = "host::RT_VERSION";
                language = "0x0409";
            } else {
                throw Failure("unknown resource kind " + s.Kind);
            }
            code << "// " << s.Kind << " " << s.Name << " from " << s.Source << "\n"
                 << "const unsigned char r" << index << "[" << data.size() << "] = {";
            for (size_t i = 0; i < data.size(); ++i)
                code << (i % 16 ? " " : "\n    ") << int(data[i]) << ",";
            code << "\n};\n";
            const bool ordinal =
                !s.Name.empty() && s.Name.find_first_not_of("0123456789") == std::string::npos;
            table << "    {" << type << ", "
                  << (ordinal ? "nullptr, " + s.Name : "\"" + UpperCase(s.Name) + "\", 0") << ", "
                  << language << ", " << flags << ", r" << index << ", sizeof r" << index << "},\n";
        }
        code << "const host::TResourceEntry entries[] = {\n"
             << table.str() << "};\n} // namespace\n\n"
             << "extern const host::TResourceTable " << symbol << ";\n"
             << "const host::TResourceTable " << symbol << "{" << index << ", entries};\n";
        const std::string tmp = outPath + ".tmp";
        {
            std::ofstream out(tmp, std::ios::binary);
            out << code.str();
            if (!out)
                throw Failure(outPath + ": cannot write");
        }
        if (std::rename(tmp.c_str(), outPath.c_str()) != 0)
            throw Failure(outPath + ": cannot write");
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "stowresgen: " << e.what() << "\n";
        return 1;
    }
}
