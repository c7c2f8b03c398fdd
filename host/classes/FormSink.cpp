#include "host/classes/FormSink.h"

#include "host/classes/BinaryFormat.h"

namespace host {

void FormTreeBuilder::BeginObject(FormObject&& header) {
    // The parent's earlier children are complete: growing its list moves only finished objects.
    if (FOpen.empty()) {
        FRoot = std::move(header);
        FOpen.push_back(&FRoot);
    } else {
        FOpen.back()->children.push_back(std::move(header));
        FOpen.push_back(&FOpen.back()->children.back());
    }
}

void FormTreeBuilder::Property(FormProperty&& property) {
    FOpen.back()->properties.push_back(std::move(property));
}

void FormTreeBuilder::EndObject(uint64_t trailerBegin, uint64_t end) {
    FormObject& object = *FOpen.back();
    object.trailerBegin = trailerBegin;
    object.span.end = end;
    FOpen.pop_back();
}

std::string ConvertForm(std::string_view bytes, const std::string& fileName, FormFileFormat format,
                        size_t sizeHint) {
    std::string out;
    out.reserve(sizeHint);
    std::unique_ptr<FormSink> writer = format == FormFileFormat::Text
                                           ? MakeTextFormSink(out, TextLayout{})
                                           : MakeBinaryFormSink(out, true);
    if (LooksLikeBinaryForm(bytes))
        ReadBinaryForm(bytes, fileName, *writer);
    else
        ReadTextForm(bytes, fileName, *writer);
    return out;
}

} // namespace host
