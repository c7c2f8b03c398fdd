#include "host/win32/Resources.h"

#include "host/rtl/Bytes.h"

#include <algorithm>

namespace host {

namespace {

void pad4(std::vector<uint8_t>& out) {
    while (out.size() % 4)
        out.push_back(0);
}
void putId(std::vector<uint8_t>& out, const TResId& id) {
    if (id.IsText()) {
        std::vector<uint8_t> text = Utf16Le(UpperCase(id.Text));
        out.insert(out.end(), text.begin(), text.end());
        put16(out, 0);
    } else {
        put16(out, 0xFFFF);
        put16(out, id.Id);
    }
}

// A cursor over bytes that raises EResourceError instead of reading past the end.
struct Reader {
    std::span<const uint8_t> Bytes;
    size_t Pos = 0;
    const char* What;

    void need(size_t n) const {
        if (n > Bytes.size() || Pos > Bytes.size() - n)
            throw EResourceError(std::string(What) + " truncated at byte " +
                                 IntToStr(int64_t(Pos)));
    }
    uint16_t u16() {
        need(2);
        Pos += 2;
        return get16(Bytes, Pos - 2);
    }
    uint32_t u32() {
        // Two halves, so that a truncation is reported where the missing half starts.
        uint32_t lo = u16();
        return lo | (uint32_t(u16()) << 16);
    }
    std::string wideText() {
        std::string s;
        for (uint16_t c; (c = u16()) != 0;)
            s += c < 256 ? static_cast<char>(c) : '?';
        return s;
    }
    TResId id() {
        need(2);
        if (Bytes[Pos] == 0xFF && Bytes[Pos + 1] == 0xFF) {
            Pos += 2;
            return {u16(), {}};
        }
        TResId r{0, wideText()};
        if (r.Text.empty())
            throw EResourceError(std::string(What) + ": empty resource name at byte " +
                                 IntToStr(int64_t(Pos)));
        return r;
    }
    void align(size_t base = 0) {
        while ((Pos - base) % 4)
            ++Pos;
    }
};

// ---- version blocks: each is length, value length, type (0 binary, 1 text), key, padding,
// value, padding, children.
struct Node {
    std::string Key;
    uint16_t Type = 1;
    uint16_t ValueLength = 0;
    std::vector<uint8_t> Value;
    std::vector<Node> Children;
};

void writeNode(std::vector<uint8_t>& out, const Node& n) {
    const size_t start = out.size();
    put16(out, 0); // length, patched below
    put16(out, n.ValueLength);
    put16(out, n.Type);
    std::vector<uint8_t> key = Utf16Le(n.Key);
    out.insert(out.end(), key.begin(), key.end());
    put16(out, 0);
    pad4(out);
    out.insert(out.end(), n.Value.begin(), n.Value.end());
    for (const Node& child : n.Children) {
        pad4(out);
        writeNode(out, child);
    }
    const size_t length = out.size() - start;
    if (length > 0xFFFF)
        throw EResourceError("Version block " + n.Key + " is longer than 65535 bytes");
    patch16(out, start, static_cast<uint16_t>(length));
}

Node readNode(std::span<const uint8_t> bytes, size_t& pos) {
    Reader r{bytes, pos, "Version information"};
    const size_t start = pos;
    const uint16_t length = r.u16();
    if (length < 6 || length > bytes.size() - start)
        throw EResourceError("Version information: block at byte " + IntToStr(int64_t(start)) +
                             " has a bad length " + IntToStr(length));
    Node n;
    n.ValueLength = r.u16();
    n.Type = r.u16();
    r.Bytes = bytes.first(start + length);
    n.Key = r.wideText();
    r.align();
    const size_t valueBytes = n.Type == 1 ? size_t(n.ValueLength) * 2 : n.ValueLength;
    const size_t end = start + length;
    const size_t take = std::min(valueBytes, end - std::min(end, r.Pos));
    n.Value.assign(bytes.begin() + static_cast<ptrdiff_t>(r.Pos),
                   bytes.begin() + static_cast<ptrdiff_t>(r.Pos + take));
    r.Pos += take;
    r.align();
    while (r.Pos < end) {
        size_t child = r.Pos;
        n.Children.push_back(readNode(bytes.first(end), child));
        r.Pos = child;
        r.align();
    }
    pos = end;
    return n;
}

std::vector<uint8_t> textValue(const std::string& s) {
    std::vector<uint8_t> v = Utf16Le(s);
    put16(v, 0);
    return v;
}

} // namespace

std::string TResId::ToString() const {
    return IsText() ? Text : "#" + IntToStr(Id);
}

TResource ToResource(const TResourceEntry& e) {
    TResource r;
    r.Type = {e.Type, {}};
    r.Name = e.Name ? TResId{0, e.Name} : TResId{e.NameId, {}};
    r.Language = e.Language;
    r.MemoryFlags = e.MemoryFlags;
    r.Data.assign(e.Data, e.Data + e.Size);
    return r;
}

std::string ResourceTypeName(const TResId& type) {
    if (type.IsText())
        return type.Text;
    switch (type.Id) {
    case RT_BITMAP:
        return "BITMAP";
    case RT_RCDATA:
        return "RCDATA";
    case RT_VERSION:
        return "VERSION";
    default:
        return type.ToString();
    }
}

std::vector<uint8_t> WriteResFile(std::span<const TResource> resources) {
    std::vector<uint8_t> out;
    // The empty leading entry that marks a 32-bit resource file.
    put32(out, 0);
    put32(out, 32);
    put32(out, 0x0000FFFF);
    put32(out, 0x0000FFFF);
    for (int i = 0; i < 4; ++i)
        put32(out, 0);
    for (const TResource& r : resources) {
        std::vector<uint8_t> header;
        put32(header, static_cast<uint32_t>(r.Data.size()));
        put32(header, 0); // header size, patched below
        putId(header, r.Type);
        putId(header, r.Name);
        pad4(header);
        put32(header, 0); // data version
        put16(header, r.MemoryFlags);
        put16(header, r.Language);
        put32(header, 0); // version
        put32(header, 0); // characteristics
        patch32(header, 4, static_cast<uint32_t>(header.size()));
        out.insert(out.end(), header.begin(), header.end());
        out.insert(out.end(), r.Data.begin(), r.Data.end());
        pad4(out);
    }
    return out;
}

std::vector<TResource> ReadResFile(std::span<const uint8_t> bytes) {
    Reader r{bytes, 0, "Resource file"};
    std::vector<TResource> list;
    bool first = true;
    while (r.Pos < bytes.size()) {
        const size_t start = r.Pos;
        const uint32_t dataSize = r.u32();
        const uint32_t headerSize = r.u32();
        if (headerSize < 24 || headerSize > bytes.size() - start)
            throw EResourceError("Resource file: bad header size " + IntToStr(headerSize) +
                                 " at byte " + IntToStr(int64_t(start)));
        TResource res;
        res.Type = r.id();
        res.Name = r.id();
        r.align();
        r.u32(); // data version
        res.MemoryFlags = r.u16();
        res.Language = r.u16();
        r.u32();
        r.u32();
        if (r.Pos != start + headerSize)
            throw EResourceError("Resource file: header at byte " + IntToStr(int64_t(start)) +
                                 " does not end where its size says");
        r.need(dataSize);
        res.Data.assign(bytes.begin() + static_cast<ptrdiff_t>(r.Pos),
                        bytes.begin() + static_cast<ptrdiff_t>(r.Pos + dataSize));
        r.Pos += dataSize;
        r.align();
        const bool empty = dataSize == 0 && !res.Type.IsText() && res.Type.Id == 0;
        if (first && !empty)
            throw EResourceError("Resource file: the empty leading entry is missing");
        if (!first)
            list.push_back(std::move(res));
        first = false;
    }
    if (first)
        throw EResourceError("Resource file: empty");
    return list;
}

// ---------------------------------------------------------------- version information

const std::string* TVersionInfo::String(std::string_view key) const {
    for (const auto& [k, v] : Strings)
        if (k == key)
            return &v;
    return nullptr;
}

std::vector<uint8_t> BuildVersionInfo(const TVersionInfo& info) {
    Node root{"VS_VERSION_INFO", 0, 52, {}, {}};
    auto ms = [](const uint16_t v[4]) { return (uint32_t(v[0]) << 16) | v[1]; };
    auto ls = [](const uint16_t v[4]) { return (uint32_t(v[2]) << 16) | v[3]; };
    for (uint32_t v :
         {VS_FFI_SIGNATURE, VS_FFI_STRUCVERSION, ms(info.FileVersion), ls(info.FileVersion),
          ms(info.ProductVersion), ls(info.ProductVersion), info.FileFlagsMask, info.FileFlags,
          info.FileOS, info.FileType, info.FileSubtype, info.FileDateMS, info.FileDateLS})
        put32(root.Value, v);
    Node table{info.StringTableKey, 1, 0, {}, {}};
    for (const auto& [key, value] : info.Strings)
        table.Children.push_back(
            {key, 1, static_cast<uint16_t>(value.size() + 1), textValue(value), {}});
    Node strings{"StringFileInfo", 1, 0, {}, {table}};
    Node translation{"Translation", 0, 0, {}, {}};
    for (const auto& [language, codePage] : info.Translations) {
        put16(translation.Value, language);
        put16(translation.Value, codePage);
    }
    translation.ValueLength = static_cast<uint16_t>(translation.Value.size());
    Node vars{"VarFileInfo", 1, 0, {}, {translation}};
    root.Children = {strings, vars};
    std::vector<uint8_t> out;
    writeNode(out, root);
    return out;
}

TVersionInfo ParseVersionInfo(std::span<const uint8_t> block) {
    size_t pos = 0;
    Node root = readNode(block, pos);
    if (root.Key != "VS_VERSION_INFO")
        throw EResourceError("Version information: the root block is " + root.Key);
    if (root.Value.size() != 52)
        throw EResourceError("Version information: the fixed part is " +
                             IntToStr(int64_t(root.Value.size())) + " bytes, not 52");
    Reader r{root.Value, 0, "Version information"};
    if (r.u32() != VS_FFI_SIGNATURE)
        throw EResourceError("Version information: bad signature");
    r.u32();
    TVersionInfo info;
    auto split = [](uint16_t out[4], uint32_t msPart, uint32_t lsPart) {
        out[0] = static_cast<uint16_t>(msPart >> 16);
        out[1] = static_cast<uint16_t>(msPart);
        out[2] = static_cast<uint16_t>(lsPart >> 16);
        out[3] = static_cast<uint16_t>(lsPart);
    };
    uint32_t a = r.u32(), b = r.u32();
    split(info.FileVersion, a, b);
    a = r.u32(), b = r.u32();
    split(info.ProductVersion, a, b);
    info.FileFlagsMask = r.u32();
    info.FileFlags = r.u32();
    info.FileOS = r.u32();
    info.FileType = r.u32();
    info.FileSubtype = r.u32();
    info.FileDateMS = r.u32();
    info.FileDateLS = r.u32();
    for (const Node& child : root.Children) {
        if (child.Key == "StringFileInfo" && !child.Children.empty()) {
            const Node& table = child.Children.front();
            info.StringTableKey = table.Key;
            for (const Node& s : table.Children)
                info.Strings.emplace_back(s.Key, FromUtf16Le(s.Value));
        } else if (child.Key == "VarFileInfo") {
            for (const Node& var : child.Children)
                if (var.Key == "Translation")
                    for (size_t i = 0; i + 4 <= var.Value.size(); i += 4)
                        info.Translations.emplace_back(get16(var.Value, i),
                                                       get16(var.Value, i + 2));
        }
    }
    return info;
}

// ---------------------------------------------------------------- texts

std::vector<uint8_t> Utf16Le(std::string_view text) {
    std::vector<uint8_t> out;
    out.reserve(text.size() * 2);
    for (char c : text)
        put16(out, static_cast<unsigned char>(c));
    return out;
}

std::string FromUtf16Le(std::span<const uint8_t> bytes) {
    std::string s;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const uint16_t c = get16(bytes, i);
        if (c == 0)
            break;
        s += c < 256 ? static_cast<char>(c) : '?';
    }
    return s;
}

} // namespace host
