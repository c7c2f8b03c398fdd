#pragma once
// A small set of enumeration values, like the host's Pascal sets.

#include <cstdint>
#include <initializer_list>

namespace host {

template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values)
            FBits |= bit(v);
    }
    static constexpr TSet FromMask(uint64_t mask) {
        TSet s;
        s.FBits = mask;
        return s;
    }
    constexpr bool contains(E v) const { return (FBits & bit(v)) != 0; }
    constexpr void include(E v) { FBits |= bit(v); }
    constexpr void exclude(E v) { FBits &= ~bit(v); }
    constexpr bool empty() const { return FBits == 0; }
    constexpr uint64_t mask() const { return FBits; }
    constexpr bool operator==(const TSet& o) const = default;
    constexpr TSet operator+(const TSet& o) const { return FromMask(FBits | o.FBits); }
    constexpr TSet operator-(const TSet& o) const { return FromMask(FBits & ~o.FBits); }

private:
    static constexpr uint64_t bit(E v) { return uint64_t(1) << static_cast<unsigned>(v); }
    uint64_t FBits = 0;
};

} // namespace host
