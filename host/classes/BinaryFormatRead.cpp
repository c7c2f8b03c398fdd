// Reading the binary form.
#include "host/classes/BinaryFormat.h"

#include "host/classes/BinaryFormatCodes.h"
#include "host/classes/FormSink.h"
#include "host/rtl/Bytes.h"

#include <cstring>

namespace host {

using namespace binary_form;

namespace {

class BinaryReader {
public:
    BinaryReader(std::string_view data, const std::string& fileName, FormSink& sink)
        : FData(data), FFileName(fileName), FSink(sink) {}

    void ReadFile(bool* hadResourceHeader) {
        bool header = !FData.empty() && static_cast<uint8_t>(FData[0]) == 0xFF;
        if (header)
            ReadResourceHeader();
        if (hadResourceHeader)
            *hadResourceHeader = header;
        if (Remaining() < kSignature.size() || FData.substr(FPos, 4) != kSignature)
            Fail(FPos, "signature TPF0 expected");
        FPos += 4;
        ReadObject(1);
        if (FPos != FEnd)
            Fail(FPos, std::to_string(FEnd - FPos) + " bytes after the end of the form");
    }

private:
    [[noreturn]] void Fail(size_t offset, const std::string& detail) const {
        std::string path;
        for (const std::string& part : FPath) {
            if (!path.empty())
                path += '.';
            path += part;
        }
        throw EFormFileError(FFileName, static_cast<uint64_t>(offset), path, detail);
    }

    size_t Remaining() const { return FEnd - FPos; }

    void Need(size_t count, const char* what) const {
        if (count > Remaining()) [[unlikely]]
            Truncated(count, what);
    }
    [[noreturn]] [[gnu::noinline]] void Truncated(size_t count, const char* what) const {
        Fail(FPos, std::string("truncated: ") + what + " needs " + std::to_string(count) +
                       (count == 1 ? " byte" : " bytes") + " but only " +
                       std::to_string(Remaining()) + " remain");
    }

    uint8_t Byte(const char* what) {
        Need(1, what);
        return static_cast<uint8_t>(FData[FPos++]);
    }
    uint8_t PeekByte(const char* what) const {
        Need(1, what);
        return static_cast<uint8_t>(FData[FPos]);
    }

    template <typename T> T Fixed(const char* what) {
        Need(sizeof(T), what);
        FPos += sizeof(T);
        return getAs<T>(FBytes, FPos - sizeof(T));
    }

    std::string Bytes(size_t count, const char* what) {
        Need(count, what);
        std::string result(FData.substr(FPos, count));
        FPos += count;
        return result;
    }

    std::string ShortString(const char* what) {
        size_t at = FPos;
        uint8_t length = Byte(what);
        if (length > Remaining()) {
            FPos = at;
            Fail(at, std::string("truncated: ") + what + " of " + std::to_string(length) +
                         " bytes but only " + std::to_string(Remaining() - 1) + " remain");
        }
        return Bytes(length, what);
    }

    // A 4-byte count of elements of elementSize bytes, then the elements.
    std::string LongBytes(size_t elementSize, const char* what) {
        size_t at = FPos;
        uint32_t count = Fixed<uint32_t>(what);
        uint64_t size = uint64_t(count) * elementSize;
        if (size > Remaining())
            Fail(at, std::string("truncated: ") + what + " of " + std::to_string(size) +
                         " bytes but only " + std::to_string(Remaining()) + " remain");
        return Bytes(static_cast<size_t>(size), what);
    }

    // A name, checked for its place: what the text form could not hold is refused here.
    std::string Name(FormNameKind kind) {
        size_t at = FPos;
        const char* what = FormNameKindText(kind);
        std::string name = ShortString(what);
        if (!IsValidFormName(name, kind)) {
            if (name.empty())
                Fail(at, std::string("empty ") + what);
            Fail(at, std::string("invalid ") + what + " '" + Printable(name, 40) + "'");
        }
        return name;
    }

    void ReadResourceHeader() {
        FPos = 1;
        if (Fixed<uint16_t>("resource type") != 10)
            Fail(1, "resource header: type 10 (RCDATA) expected");
        size_t nameStart = FPos;
        size_t zero = FData.find('\0', FPos);
        if (zero == std::string_view::npos)
            Fail(nameStart, "truncated: resource name has no terminating zero byte");
        FPos = zero + 1;
        size_t flagsAt = FPos;
        uint16_t flags = Fixed<uint16_t>("resource flags");
        if (flags != 0x1030)
            Fail(flagsAt, "resource header: flags 30 10 expected");
        size_t sizeAt = FPos;
        uint32_t size = Fixed<uint32_t>("resource size");
        if (size != Remaining())
            Fail(sizeAt, "resource header: size " + std::to_string(size) + " but " +
                             std::to_string(Remaining()) + " bytes follow");
    }

    void Count(size_t count, const char* what) const {
        if (count >= kMaxFormItems)
            Fail(FPos, std::string("more than ") + std::to_string(kMaxFormItems) +
                           " values in one " + what);
    }

    void Enter(size_t at, int depth) const {
        if (depth > kMaxFormNesting)
            Fail(at, "nesting deeper than " + std::to_string(kMaxFormNesting) + " levels");
    }

    int32_t SmallInteger(const char* what) {
        size_t at = FPos;
        uint8_t code = Byte(what);
        switch (code) {
        case vaInt8:
            return Fixed<int8_t>(what);
        case vaInt16:
            return Fixed<int16_t>(what);
        case vaInt32:
            return Fixed<int32_t>(what);
        default:
            Fail(at, std::string(what) + ": integer expected but value type " +
                         std::to_string(code) + " found");
        }
    }

    // Hands the object over: its header, its properties, its children, its end.
    void ReadObject(int depth) {
        Enter(FPos, depth);
        FormObject object;
        size_t at = FPos;
        object.offset = at;
        uint8_t first = PeekByte("object");
        if ((first & 0xF0) == 0xF0) {
            ++FPos;
            uint8_t flags = first & 0x0F;
            if (flags & ~(kFlagInherited | kFlagChildPos | kFlagInline))
                Fail(at, "unknown filer flags " + std::to_string(flags));
            object.isInherited = flags & kFlagInherited;
            object.isInline = flags & kFlagInline;
            if (flags & kFlagChildPos)
                object.childPosition = SmallInteger("child position");
        }
        object.className = Name(FormNameKind::Class);
        object.name = Name(FormNameKind::Object);
        object.span.begin = at;
        object.headerEnd = FPos;
        FPath.push_back(object.name.empty() ? object.className : object.name);
        FSink.BeginObject(std::move(object));
        while (PeekByte("property name or end of properties") != vaNull)
            FSink.Property(ReadProperty(depth));
        ++FPos;
        while (PeekByte("object or end of children") != vaNull)
            ReadObject(depth + 1);
        size_t trailerBegin = FPos++;
        FSink.EndObject(trailerBegin, FPos);
        FPath.pop_back();
    }

    FormProperty ReadProperty(int depth) {
        FormProperty property;
        property.offset = FPos;
        property.span.begin = FPos;
        property.name = Name(FormNameKind::Property);
        FPath.push_back(property.name);
        property.value = ReadValue(depth + 1);
        property.span.end = FPos;
        FPath.pop_back();
        return property;
    }

    void ReadProperties(std::vector<FormProperty>& properties, int depth) {
        while (PeekByte("property name or end of properties") != vaNull)
            properties.push_back(ReadProperty(depth));
        ++FPos;
    }

    FormValue ReadValue(int depth) {
        size_t at = FPos;
        FormValue value = ReadBareValue(depth);
        value.At(at, value.EndOffset());
        return value;
    }

    FormValue ReadBareValue(int depth) {
        size_t at = FPos;
        Enter(at, depth);
        uint8_t code = Byte("value type");
        switch (code) {
        case vaList: {
            FormValueList values;
            while (PeekByte("list value or end of list") != vaNull) {
                Count(values.size(), "list");
                values.push_back(ReadValue(depth + 1));
            }
            size_t end = FPos++;
            return std::move(FormValue::List(std::move(values)).At(at, end));
        }
        case vaInt8:
            return FormValue::Integer(Fixed<int8_t>("8-bit integer"));
        case vaInt16:
            return FormValue::Integer(Fixed<int16_t>("16-bit integer"));
        case vaInt32:
            return FormValue::Integer(Fixed<int32_t>("32-bit integer"));
        case vaInt64:
            return FormValue::Integer(Fixed<int64_t>("64-bit integer"));
        case vaExtended: {
            Need(10, "extended float");
            Extended80 value;
            std::memcpy(value.bytes.data(), FData.data() + FPos, 10);
            FPos += 10;
            return FormValue::Extended(value);
        }
        case vaString:
            return FormValue::String(ShortString("string"));
        case vaLString:
            return FormValue::String(LongBytes(1, "long string"));
        case vaIdent:
            return FormValue::Ident(Name(FormNameKind::Ident));
        case vaFalse:
            return FormValue::Boolean(false);
        case vaTrue:
            return FormValue::Boolean(true);
        case vaNil:
            return FormValue::Nil();
        case vaBinary:
            return FormValue::Binary(LongBytes(1, "binary data"));
        case vaSet: {
            FormNameList members;
            while (PeekByte("set member or end of set") != 0) {
                Count(members.size(), "set");
                members.push_back(Name(FormNameKind::SetMember));
            }
            ++FPos;
            return FormValue::Set(std::move(members));
        }
        case vaCollection:
            return ReadCollection(depth);
        case vaSingle:
            return FormValue::Single(Fixed<float>("single float"));
        case vaCurrency:
            return FormValue::Currency(Fixed<int64_t>("currency"));
        case vaDate:
            return FormValue::Date(Fixed<double>("date"));
        case vaDouble:
            return FormValue::Double(Fixed<double>("double float"));
        case vaWString: {
            std::string raw = LongBytes(2, "wide string");
            std::u16string units(raw.size() / 2, u'\0');
            std::memcpy(units.data(), raw.data(), raw.size());
            return FormValue::WideString(std::move(units));
        }
        case vaUTF8String:
            return FormValue::Utf8String(LongBytes(1, "UTF-8 string"));
        case vaNull:
            Fail(at, "value expected but end marker 0 found");
        default:
            Fail(at, "unknown value type " + std::to_string(code));
        }
    }

    FormValue ReadCollection(int depth) {
        FormItemList items;
        while (PeekByte("collection item or end of collection") != vaNull) {
            Count(items.size(), "collection");
            FPath.back() += "[" + std::to_string(items.size()) + "]";
            FormCollectionItem item;
            item.span.begin = FPos;
            uint8_t code = PeekByte("collection item");
            if (code == vaInt8 || code == vaInt16 || code == vaInt32)
                item.order = SmallInteger("item order");
            size_t markerAt = FPos;
            uint8_t marker = Byte("collection item");
            if (marker != vaList)
                Fail(markerAt, "collection item must start with list marker 1, found " +
                                   std::to_string(marker));
            // The item's properties get paths like "Panels[1].Width".
            ReadProperties(item.properties, depth + 1);
            item.span.end = FPos;
            std::string& last = FPath.back();
            last.erase(last.rfind('['));
            items.push_back(std::move(item));
        }
        size_t end = FPos++;
        return std::move(FormValue::Collection(std::move(items)).At(0, end));
    }

    std::string_view FData;
    const std::string& FFileName;
    FormSink& FSink;
    size_t FPos = 0;
    size_t FEnd = FData.size();
    std::span<const uint8_t> FBytes{reinterpret_cast<const uint8_t*>(FData.data()), FData.size()};
    std::vector<std::string> FPath;
};

} // namespace

bool LooksLikeBinaryForm(std::string_view data) {
    return data.starts_with(kSignature) || data.starts_with(std::string_view("\xFF\x0A\x00", 3));
}

void ReadBinaryForm(std::string_view data, const std::string& fileName, FormSink& sink,
                    bool* hadResourceHeader) {
    BinaryReader(data, fileName, sink).ReadFile(hadResourceHeader);
}

FormObject ReadBinaryForm(std::string_view data, const std::string& fileName,
                          bool* hadResourceHeader) {
    FormTreeBuilder builder;
    ReadBinaryForm(data, fileName, builder, hadResourceHeader);
    return std::move(builder.Root());
}

} // namespace host
