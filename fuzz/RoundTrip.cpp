// Text -> binary -> text: a text the reader takes converts to binary and back, and the second
// conversion reproduces the first exactly; the same tree written in the Lazarus layout reads
// back to the same tree.
#include "FuzzSupport.h"
#include "host/classes/BinaryFormat.h"
#include "host/classes/FormTree.h"
#include "host/classes/TextFormat.h"
#include "host/rtl/SysUtils.h"

namespace {

std::string TextViaBinary(std::string_view text) {
    host::FormObject tree = host::ReadTextForm(text, "fuzz.dfm");
    std::string binary = host::WriteBinaryForm(tree);
    return host::WriteTextForm(host::ReadBinaryForm(binary, "fuzz.dfm"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string first;
    try {
        first = TextViaBinary(fuzz::AsText(data, size));
    } catch (const host::Exception&) {
        return 0;
    }
    fuzz::Require(TextViaBinary(first) == first,
                  "a second conversion through binary changed the text");
    host::FormObject tree = host::ReadTextForm(first, "first.dfm");
    std::string lazarus = host::WriteTextForm(tree, {host::TextDialect::Lazarus, "\n"});
    fuzz::Require(host::ReadTextForm(lazarus, "first.lfm") == tree,
                  "the Lazarus layout does not read back to the same tree");
    return 0;
}
