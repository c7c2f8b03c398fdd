// The text reader alone: any bytes are read or refused with the host's error, never a crash, a
// hang or undefined behaviour. (What is read is written back and read again by RoundTrip.)
#include "FuzzSupport.h"
#include "host/classes/FormTree.h"
#include "host/classes/TextFormat.h"
#include "host/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        host::FormObject tree = host::ReadTextForm(fuzz::AsText(data, size), "fuzz.dfm");
        fuzz::Require(!tree.className.empty(), "a form read without a class");
    } catch (const host::Exception&) {
    }
    return 0;
}
