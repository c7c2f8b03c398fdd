// The text reader: any bytes are read or refused with the host's error, and whatever is read
// is written back in both layouts in a form the reader takes again, to the same tree.
#include "FuzzSupport.h"
#include "host/classes/FormTree.h"
#include "host/classes/TextFormat.h"
#include "host/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    host::FormObject tree;
    try {
        tree = host::ReadTextForm(fuzz::AsText(data, size), "fuzz.dfm");
    } catch (const host::Exception&) {
        return 0;
    }
    for (host::TextDialect dialect : {host::TextDialect::Classic, host::TextDialect::Lazarus}) {
        std::string written;
        try {
            written = host::WriteTextForm(tree, {dialect, "\r\n"});
        } catch (const host::EWriteError&) {
            continue; // a value without a text form (a NaN read from a file) is refused
        }
        host::FormObject again = host::ReadTextForm(written, "written.dfm");
        fuzz::Require(host::WriteTextForm(again, {dialect, "\r\n"}) == written,
                      "written text does not read back to the same text");
    }
    return 0;
}
