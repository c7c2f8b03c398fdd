#include "host/classes/BinaryFormat.h"

#include <cstring>
#include <limits>

namespace host {

namespace {

enum ValueCode : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaDouble = 21,
};

constexpr uint8_t kFlagInherited = 1;
constexpr uint8_t kFlagChildPos = 2;
constexpr uint8_t kFlagInline = 4;

constexpr std::string_view kSignature = "TPF0";

// ---------------------------------------------------------------------------------------------
// Reading

class BinaryReader {
public:
    BinaryReader(std::string_view data, const std::string& fileName)
        : data_(data), fileName_(fileName) {}

    FormObject ReadFile(bool* hadResourceHeader) {
        bool header = !data_.empty() && static_cast<uint8_t>(data_[0]) == 0xFF;
        if (header)
            ReadResourceHeader();
        if (hadResourceHeader)
            *hadResourceHeader = header;
        if (Remaining() < kSignature.size() || data_.substr(pos_, 4) != kSignature)
            Fail(pos_, "signature TPF0 expected");
        pos_ += 4;
        FormObject root = ReadObject(1);
        if (pos_ != end_)
            Fail(pos_, std::to_string(end_ - pos_) + " bytes after the end of the form");
        return root;
    }

private:
    [[noreturn]] void Fail(size_t offset, const std::string& detail) const {
        std::string path;
        for (const std::string& part : path_) {
            if (!path.empty())
                path += '.';
            path += part;
        }
        throw EFormFileError(fileName_, static_cast<uint64_t>(offset), path, detail);
    }

    size_t Remaining() const { return end_ - pos_; }

    void Need(size_t count, const char* what) const {
        if (count > Remaining())
            Fail(pos_, std::string("truncated: ") + what + " needs " + std::to_string(count) +
                           (count == 1 ? " byte" : " bytes") + " but only " +
                           std::to_string(Remaining()) + " remain");
    }

    uint8_t Byte(const char* what) {
        Need(1, what);
        return static_cast<uint8_t>(data_[pos_++]);
    }
    uint8_t PeekByte(const char* what) const {
        Need(1, what);
        return static_cast<uint8_t>(data_[pos_]);
    }

    template <typename T> T Fixed(const char* what) {
        Need(sizeof(T), what);
        // Little-endian host: the payload is the value's memory image.
        T value;
        std::memcpy(&value, data_.data() + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }

    std::string Bytes(size_t count, const char* what) {
        Need(count, what);
        std::string result(data_.substr(pos_, count));
        pos_ += count;
        return result;
    }

    std::string ShortString(const char* what) {
        size_t at = pos_;
        uint8_t length = Byte(what);
        if (length > Remaining()) {
            pos_ = at;
            Fail(at, std::string("truncated: ") + what + " of " + std::to_string(length) +
                         " bytes but only " + std::to_string(Remaining() - 1) + " remain");
        }
        return Bytes(length, what);
    }

    // A 4-byte count of elements of elementSize bytes, then the elements.
    std::string LongBytes(size_t elementSize, const char* what) {
        size_t at = pos_;
        uint32_t count = Fixed<uint32_t>(what);
        uint64_t size = uint64_t(count) * elementSize;
        if (size > Remaining())
            Fail(at, std::string("truncated: ") + what + " of " + std::to_string(size) +
                         " bytes but only " + std::to_string(Remaining()) + " remain");
        return Bytes(static_cast<size_t>(size), what);
    }

    void ReadResourceHeader() {
        pos_ = 1;
        if (Fixed<uint16_t>("resource type") != 10)
            Fail(1, "resource header: type 10 (RCDATA) expected");
        size_t nameStart = pos_;
        size_t zero = data_.find('\0', pos_);
        if (zero == std::string_view::npos)
            Fail(nameStart, "truncated: resource name has no terminating zero byte");
        pos_ = zero + 1;
        size_t flagsAt = pos_;
        uint16_t flags = Fixed<uint16_t>("resource flags");
        if (flags != 0x1030)
            Fail(flagsAt, "resource header: flags 30 10 expected");
        size_t sizeAt = pos_;
        uint32_t size = Fixed<uint32_t>("resource size");
        if (size != Remaining())
            Fail(sizeAt, "resource header: size " + std::to_string(size) + " but " +
                             std::to_string(Remaining()) + " bytes follow");
    }

    void Enter(size_t at, int depth) const {
        if (depth > kMaxFormNesting)
            Fail(at, "nesting deeper than " + std::to_string(kMaxFormNesting) + " levels");
    }

    int32_t SmallInteger(const char* what) {
        size_t at = pos_;
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

    FormObject ReadObject(int depth) {
        Enter(pos_, depth);
        FormObject object;
        size_t at = pos_;
        object.offset = at;
        uint8_t first = PeekByte("object");
        if ((first & 0xF0) == 0xF0) {
            ++pos_;
            uint8_t flags = first & 0x0F;
            if (flags & ~(kFlagInherited | kFlagChildPos | kFlagInline))
                Fail(at, "unknown filer flags " + std::to_string(flags));
            object.isInherited = flags & kFlagInherited;
            object.isInline = flags & kFlagInline;
            if (flags & kFlagChildPos)
                object.childPosition = SmallInteger("child position");
        }
        size_t classAt = pos_;
        object.className = ShortString("class name");
        if (object.className.empty())
            Fail(classAt, "empty class name");
        object.name = ShortString("object name");
        path_.push_back(object.name.empty() ? object.className : object.name);
        ReadProperties(object.properties, depth);
        while (PeekByte("object or end of children") != vaNull)
            object.children.push_back(ReadObject(depth + 1));
        ++pos_;
        path_.pop_back();
        return object;
    }

    void ReadProperties(std::vector<FormProperty>& properties, int depth) {
        while (PeekByte("property name or end of properties") != vaNull) {
            FormProperty property;
            property.offset = pos_;
            property.name = ShortString("property name");
            path_.push_back(property.name);
            property.value = ReadValue(depth + 1);
            path_.pop_back();
            properties.push_back(std::move(property));
        }
        ++pos_;
    }

    FormValue ReadValue(int depth) {
        size_t at = pos_;
        FormValue value = ReadBareValue(depth);
        value.At(at, value.EndOffset());
        return value;
    }

    FormValue ReadBareValue(int depth) {
        size_t at = pos_;
        Enter(at, depth);
        uint8_t code = Byte("value type");
        switch (code) {
        case vaList: {
            FormValueList values;
            while (PeekByte("list value or end of list") != vaNull)
                values.push_back(ReadValue(depth + 1));
            size_t end = pos_++;
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
            std::memcpy(value.bytes.data(), data_.data() + pos_, 10);
            pos_ += 10;
            return FormValue::Extended(value);
        }
        case vaString:
            return FormValue::String(ShortString("string"));
        case vaLString:
            return FormValue::String(LongBytes(1, "long string"));
        case vaIdent:
            return FormValue::Ident(ShortString("identifier"));
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
            while (PeekByte("set member or end of set") != 0)
                members.push_back(ShortString("set member"));
            ++pos_;
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
            path_.back() += "[" + std::to_string(items.size()) + "]";
            FormCollectionItem item;
            uint8_t code = PeekByte("collection item");
            if (code == vaInt8 || code == vaInt16 || code == vaInt32)
                item.order = SmallInteger("item order");
            size_t markerAt = pos_;
            uint8_t marker = Byte("collection item");
            if (marker != vaList)
                Fail(markerAt, "collection item must start with list marker 1, found " +
                                   std::to_string(marker));
            // The item's properties get paths like "Panels[1].Width".
            ReadProperties(item.properties, depth + 1);
            std::string& last = path_.back();
            last.erase(last.rfind('['));
            items.push_back(std::move(item));
        }
        size_t end = pos_++;
        return std::move(FormValue::Collection(std::move(items)).At(0, end));
    }

    std::string_view data_;
    const std::string& fileName_;
    size_t pos_ = 0;
    size_t end_ = data_.size();
    std::vector<std::string> path_;
};

// ---------------------------------------------------------------------------------------------
// Writing

class BinaryWriter {
public:
    explicit BinaryWriter(std::string& out) : out_(out) {}

    void WriteObject(const FormObject& object) {
        uint8_t flags = (object.isInherited ? kFlagInherited : 0) |
                        (object.childPosition ? kFlagChildPos : 0) |
                        (object.isInline ? kFlagInline : 0);
        if (flags) {
            out_ += static_cast<char>(0xF0 | flags);
            if (object.childPosition)
                Integer(*object.childPosition);
        }
        if (object.className.empty())
            throw EWriteError("cannot write an object without a class name");
        if (object.className.size() >= 0xF0)
            throw EWriteError("class name of 240 bytes or more cannot be written: " +
                              object.className.substr(0, 40) + "...");
        ShortString(object.className, "class name");
        ShortString(object.name, "object name");
        Properties(object.properties);
        for (const FormObject& child : object.children)
            WriteObject(child);
        out_ += '\0';
    }

private:
    void ShortString(const std::string& text, const char* what) {
        if (text.size() > 255)
            throw EWriteError(std::string(what) + " longer than 255 bytes cannot be written: " +
                              text.substr(0, 40) + "...");
        out_ += static_cast<char>(text.size());
        out_ += text;
    }

    template <typename T> void Fixed(T value) {
        char raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        out_.append(raw, sizeof(T));
    }

    void Integer(int64_t value) {
        if (value >= -128 && value <= 127) {
            out_ += static_cast<char>(vaInt8);
            Fixed(static_cast<int8_t>(value));
        } else if (value >= -32768 && value <= 32767) {
            out_ += static_cast<char>(vaInt16);
            Fixed(static_cast<int16_t>(value));
        } else if (value >= std::numeric_limits<int32_t>::min() &&
                   value <= std::numeric_limits<int32_t>::max()) {
            out_ += static_cast<char>(vaInt32);
            Fixed(static_cast<int32_t>(value));
        } else {
            out_ += static_cast<char>(vaInt64);
            Fixed(value);
        }
    }

    void LongBytes(uint8_t code, const char* raw, size_t size, size_t count) {
        if (count > std::numeric_limits<uint32_t>::max())
            throw EWriteError("value too long for a form file");
        out_ += static_cast<char>(code);
        Fixed(static_cast<uint32_t>(count));
        out_.append(raw, size);
    }

    void Properties(const std::vector<FormProperty>& properties) {
        for (const FormProperty& property : properties) {
            ShortString(property.name, "property name");
            Value(property.value);
        }
        out_ += '\0';
    }

    void Value(const FormValue& value) {
        switch (value.Kind()) {
        case FormValueKind::List:
            out_ += static_cast<char>(vaList);
            for (const FormValue& item : value.AsList())
                Value(item);
            out_ += '\0';
            break;
        case FormValueKind::Integer:
            Integer(value.AsInteger());
            break;
        case FormValueKind::Extended:
            out_ += static_cast<char>(vaExtended);
            out_.append(reinterpret_cast<const char*>(value.AsExtended().bytes.data()), 10);
            break;
        case FormValueKind::String: {
            const std::string& bytes = value.AsBytes();
            if (bytes.size() <= 255) {
                out_ += static_cast<char>(vaString);
                ShortString(bytes, "string");
            } else {
                LongBytes(vaLString, bytes.data(), bytes.size(), bytes.size());
            }
            break;
        }
        case FormValueKind::Ident:
            out_ += static_cast<char>(vaIdent);
            ShortString(value.AsBytes(), "identifier");
            break;
        case FormValueKind::False:
            out_ += static_cast<char>(vaFalse);
            break;
        case FormValueKind::True:
            out_ += static_cast<char>(vaTrue);
            break;
        case FormValueKind::Nil:
            out_ += static_cast<char>(vaNil);
            break;
        case FormValueKind::Binary:
            LongBytes(vaBinary, value.AsBytes().data(), value.AsBytes().size(),
                      value.AsBytes().size());
            break;
        case FormValueKind::Set:
            out_ += static_cast<char>(vaSet);
            for (const std::string& member : value.AsSet()) {
                if (member.empty())
                    throw EWriteError("an empty set member cannot be written");
                ShortString(member, "set member");
            }
            out_ += '\0';
            break;
        case FormValueKind::Collection:
            out_ += static_cast<char>(vaCollection);
            for (const FormCollectionItem& item : value.AsCollection()) {
                if (item.order)
                    Integer(*item.order);
                out_ += static_cast<char>(vaList);
                Properties(item.properties);
            }
            out_ += '\0';
            break;
        case FormValueKind::Single:
            out_ += static_cast<char>(vaSingle);
            Fixed(value.AsSingle());
            break;
        case FormValueKind::Currency:
            out_ += static_cast<char>(vaCurrency);
            Fixed(value.AsInteger());
            break;
        case FormValueKind::Date:
            out_ += static_cast<char>(vaDate);
            Fixed(value.AsDouble());
            break;
        case FormValueKind::Double:
            out_ += static_cast<char>(vaDouble);
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

    std::string& out_;
};

} // namespace

bool LooksLikeBinaryForm(std::string_view data) {
    return data.starts_with(kSignature) || data.starts_with(std::string_view("\xFF\x0A\x00", 3));
}

FormObject ReadBinaryForm(std::string_view data, const std::string& fileName,
                          bool* hadResourceHeader) {
    return BinaryReader(data, fileName).ReadFile(hadResourceHeader);
}

std::string WriteBinaryForm(const FormObject& root, bool withResourceHeader) {
    std::string stream(kSignature);
    BinaryWriter(stream).WriteObject(root);
    if (!withResourceHeader)
        return stream;
    if (stream.size() > std::numeric_limits<uint32_t>::max())
        throw EWriteError("form too large for a resource");
    std::string file("\xFF\x0A\x00", 3);
    file += UpperCase(root.className);
    file += '\0';
    file += "\x30\x10";
    uint32_t size = static_cast<uint32_t>(stream.size());
    char raw[4];
    std::memcpy(raw, &size, 4);
    file.append(raw, 4);
    file += stream;
    return file;
}

} // namespace host
