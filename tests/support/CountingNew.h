#pragma once
// Replaces the global operator new and delete of the program that includes this header (include
// it in exactly one file of that program) and counts every allocation, so that a test or a
// benchmark can show that some work allocates nothing.

#include <cstdlib>
#include <new>

namespace stowtest {
// How many allocations the program has made so far.
inline long gAllocations = 0;
} // namespace stowtest

void* operator new(std::size_t size) {
    ++stowtest::gAllocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
// The replaced operator new takes its memory from malloc, so free is the matching release.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
