#pragma once
// A form file's parts handed over one by one, in file order, as a reader reads them: the readers
// build trees through it (FormTreeBuilder), and a conversion writes the other format straight
// from what is read, without building the tree at all (ConvertForm).

#include "host/classes/FormTree.h"
#include "host/classes/TextFormat.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class FormSink {
public:
    virtual ~FormSink() = default;
    // An object's header (flags, names, where it was read); its properties, its children and
    // its EndObject follow.
    virtual void BeginObject(FormObject&& header) = 0;
    virtual void Property(FormProperty&& property) = 0;
    // The end of the object begun last; trailerBegin and end complete its span.
    virtual void EndObject(uint64_t trailerBegin, uint64_t end) = 0;
};

// Builds the tree of what it is handed.
class FormTreeBuilder : public FormSink {
public:
    void BeginObject(FormObject&& header) override;
    void Property(FormProperty&& property) override;
    void EndObject(uint64_t trailerBegin, uint64_t end) override;
    FormObject& Root() { return FRoot; }

private:
    FormObject FRoot;
    std::vector<FormObject*> FOpen; // the objects begun and not yet ended, outermost first
};

// Writers of either format as sinks; out receives the file (binary: with the resource header
// when asked). Throw EWriteError as WriteTextForm and WriteBinaryForm do.
std::unique_ptr<FormSink> MakeTextFormSink(std::string& out, const TextLayout& layout);
std::unique_ptr<FormSink> MakeBinaryFormSink(std::string& out, bool withResourceHeader);

// The readers, handing over what they read. Throw EFormFileError like ReadTextForm and
// ReadBinaryForm; what was handed over until then stays handed over.
void ReadTextForm(std::string_view text, const std::string& fileName, FormSink& sink);
void ReadBinaryForm(std::string_view data, const std::string& fileName, FormSink& sink,
                    bool* hadResourceHeader = nullptr);

// The form file in bytes (either format, as ReadFormFile tells them apart) converted to format:
// text in the IDE's layout or binary with the resource header. sizeHint: the size expected.
std::string ConvertForm(std::string_view bytes, const std::string& fileName, FormFileFormat format,
                        size_t sizeHint = 0);

} // namespace host
