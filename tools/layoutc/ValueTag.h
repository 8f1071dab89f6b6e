#pragma once
// The value tags of the binary layout stream: one byte before every property value says how
// its payload is laid out. The numbers are part of the stream format and never change.

#include <cstdint>

namespace layoutc {

enum class ValueTag : uint8_t {
    Null = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LString = 12,
    Nil = 13,
    Collection = 14,
    Single = 15,
    Currency = 16,
    Date = 17,
    WString = 18,
    Int64 = 19,
    UTF8String = 20,
};

// Prefix byte flags before a component's class name; the byte is 0xF0 plus the flags.
enum PrefixFlag : uint8_t {
    PrefixInherited = 1,
    PrefixChildPosition = 2,
    PrefixInline = 4,
};

} // namespace layoutc
