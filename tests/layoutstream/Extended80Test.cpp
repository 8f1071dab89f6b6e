// The 80-bit codec against known encodings and against the machine's own long double.

#include "layoutstream/Extended80.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

using layoutstream::Extended80;

TEST(Extended80, KnownEncodings)
{
    EXPECT_EQ(Extended80::Encode(1.0L), (Extended80::Bytes{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    EXPECT_EQ(Extended80::Encode(0.5L), (Extended80::Bytes{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F}));
    EXPECT_EQ(Extended80::Encode(3.0L), (Extended80::Bytes{0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0x40}));
    EXPECT_EQ(Extended80::Encode(-0.0L), (Extended80::Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}));
    // The smallest denormal: significand 1, exponent field 0.
    EXPECT_EQ(Extended80::Encode(std::numeric_limits<long double>::denorm_min()),
              (Extended80::Bytes{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_THROW(Extended80::Encode(std::numeric_limits<long double>::infinity()), std::domain_error);
}

TEST(Extended80, RoundTripsExactly)
{
    const long double values[] = {1e-9L, 0.7L, -6.2832L, 1e-6L, LDBL_MAX, -LDBL_MIN, LDBL_MIN / 3,
                                  std::numeric_limits<long double>::denorm_min() * 12345, 0.1L, 12345678901234567.0L};
    for (long double value : values) {
        const Extended80::Bytes bytes = Extended80::Encode(value);
        EXPECT_EQ(Extended80::Decode(bytes), value);
        if constexpr (LDBL_MANT_DIG == 64) {
            // Where long double is the 80-bit format itself, its first ten bytes must agree.
            Extended80::Bytes native{};
            std::memcpy(native.data(), &value, native.size());
            EXPECT_EQ(bytes, native);
        }
    }
    EXPECT_TRUE(std::isinf(Extended80::Decode({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF})));
    EXPECT_TRUE(std::isnan(Extended80::Decode({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F})));
}
