#pragma once
// What every harness shares: the input as a string, and a check that fails loudly.
//
// A reader may refuse its input with an error of the host's own kind (host::Exception); that is
// the expected outcome for most inputs. Anything else (a crash, an exception of another kind, a
// sanitizer report, a broken round trip) is a finding.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the run with a message when a property that must hold does not.
inline void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace fuzz
