#pragma once
// The filer seen by a component's DefineProperties: the reader and the writer of form files
// offer DefineProperty, and the value operations that defined properties use. The concrete
// reader and writer, over the format-neutral form tree, are in Streaming.h.

#include "host/classes/FormTree.h"
#include "host/rtl/SysUtils.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace host {

class TReader;
class TWriter;

class TFiler {
public:
    virtual ~TFiler() = default;
    using ReadProc = std::function<void(TReader&)>;
    using WriteProc = std::function<void(TWriter&)>;
    // Declares a property that is not published: written through writeData when hasData is
    // true, read through readData when the file holds it.
    virtual void DefineProperty(const std::string& name, ReadProc readData, WriteProc writeData,
                                bool hasData) = 0;
};

// Reading a defined property's value. Each Read raises EReadError (an EFormFileError naming the
// place) when the next value is not of the kind asked for, or when the value has ended.
class TReader : public TFiler {
public:
    virtual void ReadListBegin() = 0;
    virtual bool EndOfList() = 0;
    virtual void ReadListEnd() = 0;
    virtual std::string ReadString() = 0;
    virtual int64_t ReadInteger() = 0;
    virtual bool ReadBoolean() = 0;
    virtual std::string ReadIdent() = 0;
    virtual long double ReadFloat() = 0;
    virtual std::vector<std::string> ReadSet() = 0;
    virtual std::string ReadBinary() = 0;
    // The kind of the next value without reading it; List for a list's start. At the end of a
    // list or of the value, false.
    virtual bool NextValue(FormValueKind& kind) = 0;
};

class TWriter : public TFiler {
public:
    virtual void WriteListBegin() = 0;
    virtual void WriteListEnd() = 0;
    virtual void WriteString(const std::string& value) = 0;
    virtual void WriteInteger(int64_t value) = 0;
    virtual void WriteBoolean(bool value) = 0;
    virtual void WriteIdent(const std::string& value) = 0;
    virtual void WriteFloat(long double value) = 0;
    virtual void WriteSet(const std::vector<std::string>& members) = 0;
    virtual void WriteBinary(const std::string& bytes) = 0;
};

} // namespace host
