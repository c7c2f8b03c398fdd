#pragma once
// Little-endian numbers onto a byte buffer and off one, whatever the byte order of the machine:
// the file formats of the host's platform (DIBs, .res files, package information, binary forms)
// all store them this way. A buffer is a std::vector<uint8_t> or a std::string.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace host {

template <class Buffer> void put8(Buffer& out, uint8_t value) {
    out.push_back(static_cast<typename Buffer::value_type>(value));
}
template <class Buffer> void put16(Buffer& out, uint16_t value) {
    put8(out, static_cast<uint8_t>(value));
    put8(out, static_cast<uint8_t>(value >> 8));
}
template <class Buffer> void put32(Buffer& out, uint32_t value) {
    put16(out, static_cast<uint16_t>(value));
    put16(out, static_cast<uint16_t>(value >> 16));
}
template <class Buffer> void put64(Buffer& out, uint64_t value) {
    put32(out, static_cast<uint32_t>(value));
    put32(out, static_cast<uint32_t>(value >> 32));
}

// Overwrites what an earlier put wrote at byte offset at (a length known only afterwards).
template <class Buffer> void patch16(Buffer& out, size_t at, uint16_t value) {
    out[at] = static_cast<typename Buffer::value_type>(value);
    out[at + 1] = static_cast<typename Buffer::value_type>(value >> 8);
}
template <class Buffer> void patch32(Buffer& out, size_t at, uint32_t value) {
    patch16(out, at, static_cast<uint16_t>(value));
    patch16(out, at + 2, static_cast<uint16_t>(value >> 16));
}

// The number at byte offset at; the caller has checked that its bytes are there.
inline uint16_t get16(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}
inline uint32_t get32(std::span<const uint8_t> bytes, size_t at) {
    return get16(bytes, at) | (uint32_t(get16(bytes, at + 2)) << 16);
}
inline uint64_t get64(std::span<const uint8_t> bytes, size_t at) {
    return get32(bytes, at) | (uint64_t(get32(bytes, at + 4)) << 32);
}

// Any integer or IEEE float of 1, 2, 4 or 8 bytes, stored as its bits.
template <class Buffer, class T> void putAs(Buffer& out, T value) {
    static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8);
    if constexpr (sizeof(T) == 1)
        put8(out, std::bit_cast<uint8_t>(value));
    else if constexpr (sizeof(T) == 2)
        put16(out, std::bit_cast<uint16_t>(value));
    else if constexpr (sizeof(T) == 4)
        put32(out, std::bit_cast<uint32_t>(value));
    else
        put64(out, std::bit_cast<uint64_t>(value));
}
template <class T> T getAs(std::span<const uint8_t> bytes, size_t at) {
    static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8);
    if constexpr (sizeof(T) == 1)
        return std::bit_cast<T>(bytes[at]);
    else if constexpr (sizeof(T) == 2)
        return std::bit_cast<T>(get16(bytes, at));
    else if constexpr (sizeof(T) == 4)
        return std::bit_cast<T>(get32(bytes, at));
    else
        return std::bit_cast<T>(get64(bytes, at));
}

} // namespace host
