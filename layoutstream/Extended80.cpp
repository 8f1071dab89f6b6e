#include "layoutstream/Extended80.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace layoutstream {

namespace {

constexpr int kBias = 16383;

} // namespace

Extended80::Bytes Extended80::Encode(long double value)
{
    if (!std::isfinite(value))
        throw std::domain_error("Extended80::Encode: value is not finite");

    uint16_t signAndExponent = std::signbit(value) ? 0x8000 : 0;
    uint64_t significand = 0;
    const long double magnitude = std::fabs(value);
    if (magnitude != 0) {
        int exponent = 0;
        const long double fraction = std::frexp(magnitude, &exponent); // in [0.5, 1)
        int biased = exponent - 1 + kBias;
        if (biased >= 1) {
            // Normal: the integer bit is set and the fraction fills all 64 bits.
            significand = static_cast<uint64_t>(std::ldexp(fraction, 64));
        } else {
            // Denormal: exponent field 0, the value is significand * 2^(1 - bias - 63).
            significand = static_cast<uint64_t>(std::ldexp(magnitude, kBias - 1 + 63));
            biased = 0;
        }
        signAndExponent |= static_cast<uint16_t>(biased);
    }

    Bytes bytes{};
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<uint8_t>(significand >> (8 * i));
    bytes[8] = static_cast<uint8_t>(signAndExponent);
    bytes[9] = static_cast<uint8_t>(signAndExponent >> 8);
    return bytes;
}

long double Extended80::Decode(const Bytes& bytes)
{
    uint64_t significand = 0;
    for (int i = 0; i < 8; ++i)
        significand |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    const uint16_t signAndExponent = static_cast<uint16_t>(bytes[8] | (bytes[9] << 8));
    const bool negative = (signAndExponent & 0x8000) != 0;
    const int biased = signAndExponent & 0x7FFF;

    long double magnitude;
    if (biased == 0x7FFF) {
        const bool infinite = (significand << 1) == 0;
        magnitude = infinite ? std::numeric_limits<long double>::infinity()
                             : std::numeric_limits<long double>::quiet_NaN();
    } else {
        // Denormals use the exponent of the smallest normal and no implicit integer bit.
        const int exponent = (biased == 0 ? 1 : biased) - kBias - 63;
        magnitude = std::ldexp(static_cast<long double>(significand), exponent);
    }
    return negative ? -magnitude : magnitude;
}

} // namespace layoutstream
