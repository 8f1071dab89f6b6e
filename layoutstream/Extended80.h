#pragma once
// The 80-bit extended-precision format of layout streams: a 64-bit significand with an explicit
// integer bit, then a 15-bit exponent biased by 16383 whose top bit is the sign, little-endian.
// Encoding goes through frexpl/ldexpl rather than copying the bytes of a long double, so the
// bytes do not depend on how the compiler lays out long double; on x86-64, where long double is
// this very format, every finite value round-trips exactly.

#include <array>
#include <cstdint>

namespace layoutstream {

class Extended80 {
public:
    using Bytes = std::array<uint8_t, 10>;

    // Finite values only; infinities and NaNs have no place in a layout and are refused by the
    // parser before they get here (Encode raises std::domain_error for them).
    static Bytes Encode(long double value);

    // The inverse of Encode; also accepts the infinities and NaNs of the format.
    static long double Decode(const Bytes& bytes);
};

} // namespace layoutstream
