// The binary reader: any bytes are read or refused with the host's error, and whatever is read
// is written back as a binary form that reads to the same bytes again.
#include "FuzzSupport.h"
#include "host/classes/BinaryFormat.h"
#include "host/classes/FormTree.h"
#include "host/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    host::FormObject tree;
    bool header = false;
    try {
        tree = host::ReadBinaryForm(fuzz::AsText(data, size), "fuzz.dfm", &header);
    } catch (const host::Exception&) {
        return 0;
    }
    std::string written;
    try {
        written = host::WriteBinaryForm(tree, header);
    } catch (const host::EWriteError&) {
        return 0;
    }
    bool headerAgain = false;
    host::FormObject again = host::ReadBinaryForm(written, "written.dfm", &headerAgain);
    fuzz::Require(headerAgain == header, "the resource header came and went");
    fuzz::Require(again == tree, "written binary does not read back to the same tree");
    return 0;
}
