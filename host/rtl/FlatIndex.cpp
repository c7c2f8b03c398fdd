#include "host/rtl/FlatIndex.h"

namespace host {

namespace {
uint64_t fnvStart() {
    return 1469598103934665603ull;
}
uint64_t fnvStep(uint64_t h, unsigned char c) {
    return (h ^ c) * 1099511628211ull;
}
// Mixes the bits so that the low ones (the slot) depend on all of them.
uint32_t finish(uint64_t h) {
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 32;
    return static_cast<uint32_t>(h);
}
} // namespace

uint32_t HashBytes(std::string_view s) {
    uint64_t h = fnvStart();
    for (char c : s)
        h = fnvStep(h, static_cast<unsigned char>(c));
    return finish(h);
}

uint32_t HashText(std::string_view s) {
    uint64_t h = fnvStart();
    for (char c : s)
        h = fnvStep(h, static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
    return finish(h);
}

uint32_t HashPointer(const void* p) {
    return finish(reinterpret_cast<uintptr_t>(p) * 0x9e3779b97f4a7c15ull);
}

} // namespace host
