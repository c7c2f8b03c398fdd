// Writing the binary form.
#include "host/classes/BinaryFormat.h"

#include "host/classes/BinaryFormatCodes.h"
#include "host/classes/FormSink.h"
#include "host/rtl/Bytes.h"

#include <limits>

namespace host {

using namespace binary_form;

namespace {

class BinaryWriter {
public:
    // checkNames: false when a reader has checked them already.
    // depth: the levels the first thing written lies in (its reader counts them all).
    explicit BinaryWriter(std::string& out, bool checkNames = true, int depth = 0)
        : FOut(out), FCheckNames(checkNames), FDepth(depth) {}

    void WriteObject(const FormObject& object) {
        FormWriteDepth guard(FDepth);
        Header(object);
        Properties(object.properties);
        for (const FormObject& child : object.children)
            WriteObject(child);
        FOut += '\0';
    }

    void Header(const FormObject& object) {
        uint8_t flags = (object.isInherited ? kFlagInherited : 0) |
                        (object.childPosition ? kFlagChildPos : 0) |
                        (object.isInline ? kFlagInline : 0);
        if (flags) {
            FOut += static_cast<char>(0xF0 | flags);
            if (object.childPosition)
                Integer(*object.childPosition);
        }
        if (object.className.empty())
            throw EWriteError("cannot write an object without a class name");
        CheckName(object.className, FormNameKind::Class);
        CheckName(object.name, FormNameKind::Object);
        if (object.className.size() >= 0xF0)
            throw EWriteError("class name of 240 bytes or more cannot be written: " +
                              object.className.substr(0, 40) + "...");
        ShortString(object.className, "class name");
        ShortString(object.name, "object name");
    }

    void Property(const FormProperty& property) {
        CheckName(property.name, FormNameKind::Property);
        ShortString(property.name, "property name");
        Value(property.value);
    }

private:
    void ShortString(const std::string& text, const char* what) {
        if (text.size() > 255)
            throw EWriteError(std::string(what) + " longer than 255 bytes cannot be written: " +
                              text.substr(0, 40) + "...");
        FOut += static_cast<char>(text.size());
        FOut += text;
    }

    void CheckName(std::string_view name, FormNameKind kind) const {
        if (FCheckNames)
            CheckFormNameToWrite(name, kind);
    }

    template <typename T> void Fixed(T value) { putAs(FOut, value); }

    void Integer(int64_t value) {
        if (value >= -128 && value <= 127) {
            FOut += static_cast<char>(vaInt8);
            Fixed(static_cast<int8_t>(value));
        } else if (value >= -32768 && value <= 32767) {
            FOut += static_cast<char>(vaInt16);
            Fixed(static_cast<int16_t>(value));
        } else if (value >= std::numeric_limits<int32_t>::min() &&
                   value <= std::numeric_limits<int32_t>::max()) {
            FOut += static_cast<char>(vaInt32);
            Fixed(static_cast<int32_t>(value));
        } else {
            FOut += static_cast<char>(vaInt64);
            Fixed(value);
        }
    }

    void LongBytes(uint8_t code, const char* raw, size_t size, size_t count) {
        if (count > std::numeric_limits<uint32_t>::max())
            throw EWriteError("value too long for a form file");
        FOut += static_cast<char>(code);
        Fixed(static_cast<uint32_t>(count));
        FOut.append(raw, size);
    }

    void Properties(const std::vector<FormProperty>& properties) {
        for (const FormProperty& property : properties)
            Property(property);
        FOut += '\0';
    }

    void Value(const FormValue& value) {
        FormWriteDepth guard(FDepth);
        switch (value.Kind()) {
        case FormValueKind::List:
            FOut += static_cast<char>(vaList);
            for (const FormValue& item : value.AsList())
                Value(item);
            FOut += '\0';
            break;
        case FormValueKind::Integer:
            Integer(value.AsInteger());
            break;
        case FormValueKind::Extended:
            FOut += static_cast<char>(vaExtended);
            FOut.append(reinterpret_cast<const char*>(value.AsExtended().bytes.data()), 10);
            break;
        case FormValueKind::String: {
            const std::string& bytes = value.AsBytes();
            if (bytes.size() <= 255) {
                FOut += static_cast<char>(vaString);
                ShortString(bytes, "string");
            } else {
                LongBytes(vaLString, bytes.data(), bytes.size(), bytes.size());
            }
            break;
        }
        case FormValueKind::Ident:
            CheckName(value.AsBytes(), FormNameKind::Ident);
            FOut += static_cast<char>(vaIdent);
            ShortString(value.AsBytes(), "identifier");
            break;
        case FormValueKind::False:
            FOut += static_cast<char>(vaFalse);
            break;
        case FormValueKind::True:
            FOut += static_cast<char>(vaTrue);
            break;
        case FormValueKind::Nil:
            FOut += static_cast<char>(vaNil);
            break;
        case FormValueKind::Binary:
            LongBytes(vaBinary, value.AsBytes().data(), value.AsBytes().size(),
                      value.AsBytes().size());
            break;
        case FormValueKind::Set:
            FOut += static_cast<char>(vaSet);
            for (const std::string& member : value.AsSet()) {
                if (member.empty())
                    throw EWriteError("an empty set member cannot be written");
                CheckName(member, FormNameKind::SetMember);
                ShortString(member, "set member");
            }
            FOut += '\0';
            break;
        case FormValueKind::Collection:
            FOut += static_cast<char>(vaCollection);
            for (const FormCollectionItem& item : value.AsCollection()) {
                FormWriteDepth guard(FDepth); // readers count an item as a level
                if (item.order)
                    Integer(*item.order);
                FOut += static_cast<char>(vaList);
                Properties(item.properties);
            }
            FOut += '\0';
            break;
        case FormValueKind::Single:
            FOut += static_cast<char>(vaSingle);
            Fixed(value.AsSingle());
            break;
        case FormValueKind::Currency:
            FOut += static_cast<char>(vaCurrency);
            Fixed(value.AsInteger());
            break;
        case FormValueKind::Date:
            FOut += static_cast<char>(vaDate);
            Fixed(value.AsDouble());
            break;
        case FormValueKind::Double:
            FOut += static_cast<char>(vaDouble);
            Fixed(value.AsDouble());
            break;
        case FormValueKind::WideString: {
            const std::u16string& units = value.AsWide();
            LongBytes(vaWString, reinterpret_cast<const char*>(units.data()), units.size() * 2,
                      units.size());
            break;
        }
        case FormValueKind::Utf8String:
            LongBytes(vaUTF8String, value.AsBytes().data(), value.AsBytes().size(),
                      value.AsBytes().size());
            break;
        }
    }

    std::string& FOut;
    bool FCheckNames;
    int FDepth;
};

// Writes each part as it is handed over: an object's properties end (00) before its first child
// or its end, its children end (00) with it.
class BinarySink : public FormSink {
public:
    BinarySink(std::string& out, bool withResourceHeader)
        : FOut(out), FWriter(out, false), FResourceHeader(withResourceHeader) {}
    void BeginObject(FormObject&& header) override {
        if (FOpen.empty()) {
            if (FResourceHeader)
                AppendResourceHeader(FOut, header.className, 0);
            FStreamStart = FOut.size();
            FOut += kSignature;
        } else {
            CloseProperties();
        }
        FWriter.Header(header);
        FOpen.push_back(true);
    }
    void Property(FormProperty&& property) override { FWriter.Property(property); }
    void EndObject(uint64_t, uint64_t) override {
        CloseProperties();
        FOut += '\0';
        FOpen.pop_back();
        if (FOpen.empty() && FResourceHeader)
            SetResourceSize(FOut, FStreamStart);
    }

private:
    void CloseProperties() {
        if (FOpen.back()) {
            FOut += '\0';
            FOpen.back() = false;
        }
    }

    std::string& FOut;
    BinaryWriter FWriter;
    bool FResourceHeader;
    size_t FStreamStart = 0;
    std::vector<bool> FOpen; // per open object: are its properties still being written
};

} // namespace

std::unique_ptr<FormSink> MakeBinaryFormSink(std::string& out, bool withResourceHeader) {
    return std::make_unique<BinarySink>(out, withResourceHeader);
}

std::string WriteBinaryForm(const FormObject& root, bool withResourceHeader) {
    std::string out;
    if (withResourceHeader)
        AppendResourceHeader(out, root.className, 0);
    size_t streamStart = out.size();
    out += kSignature;
    BinaryWriter(out).WriteObject(root);
    if (withResourceHeader)
        SetResourceSize(out, streamStart);
    return out;
}

void AppendBinaryObject(std::string& out, const FormObject& object, int depth) {
    BinaryWriter(out, true, depth).WriteObject(object);
}

void AppendBinaryHeader(std::string& out, const FormObject& object) {
    BinaryWriter(out).Header(object);
}

void AppendBinaryProperty(std::string& out, const FormProperty& property, int depth) {
    BinaryWriter(out, true, depth).Property(property);
}

void AppendResourceHeader(std::string& out, std::string_view className, uint64_t streamSize) {
    if (streamSize > std::numeric_limits<uint32_t>::max())
        throw EWriteError("form too large for a resource");
    out.append("\xFF\x0A\x00", 3);
    out += UpperCase(className);
    out += '\0';
    out += "\x30\x10";
    put32(out, static_cast<uint32_t>(streamSize));
}

void SetResourceSize(std::string& file, size_t streamStart) {
    uint64_t size = file.size() - streamStart;
    if (size > std::numeric_limits<uint32_t>::max())
        throw EWriteError("form too large for a resource");
    uint32_t value = static_cast<uint32_t>(size);
    for (size_t i = 0; i < 4; ++i)
        file[streamStart - 4 + i] = static_cast<char>(value >> (8 * i));
}

} // namespace host
