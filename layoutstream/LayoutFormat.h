#pragma once
// The binary layout stream, defined once for the reader (forms/TReader) and the compiler
// (tools/layoutc). The stream is little-endian; a short string is a length byte and that many
// bytes.
//
//   stream     = signature component
//   component  = [prefix] class-name name { property } 0 { component } 0
//   prefix     = one byte 0xF0 + flags (PrefixFlag); with PrefixChildPosition an integer value
//                follows
//   property   = name value            the name may be a dotted path ("Font.Height")
//   value      = tag byte + payload    (ValueTag lists the tags and their payloads)
//
// The numbers are part of the format and never change.

#include <array>
#include <cstdint>

namespace layoutstream {

inline constexpr std::array<uint8_t, 4> kSignature{'T', 'P', 'F', '0'};

enum class ValueTag : uint8_t {
    Null = 0,         // none; as a byte where an item, property or component would start, ends that list
    List = 1,         // values until a 0 byte
    Int8 = 2,         // 1 byte, signed
    Int16 = 3,        // 2 bytes, signed
    Int32 = 4,        // 4 bytes, signed
    Extended = 5,     // 10 bytes, 80-bit extended float (Extended80)
    String = 6,       // short string, in the desktop's ANSI code page
    Ident = 7,        // short string, an identifier
    False = 8,        // none
    True = 9,         // none
    Binary = 10,      // 4-byte length n, n bytes
    Set = 11,         // short strings until an empty one
    LString = 12,     // 4-byte length n, n bytes, ANSI code page
    Nil = 13,         // none
    Collection = 14,  // items until 0: [Int8 | Int16 | Int32 index] 1 {property} 0
    Single = 15,      // 4 bytes, IEEE single
    Currency = 16,    // 8 bytes, signed, the value times 10000
    Date = 17,        // 8 bytes, IEEE double
    WString = 18,     // 4-byte count n of UTF-16 units, 2n bytes
    Int64 = 19,       // 8 bytes, signed
    UTF8String = 20,  // 4-byte length n, n bytes of UTF-8
};

// Flags of the prefix byte (0xF0 + flags) before a component's class name. Class names of 240
// bytes or more cannot be told from a prefix and are not supported.
enum PrefixFlag : uint8_t {
    PrefixInherited = 1,       // the component exists already (in an ancestor's layout)
    PrefixChildPosition = 2,   // an integer value follows: the position among the parent's children
    PrefixInline = 4,          // a nested root
};
inline constexpr uint8_t kPrefixMark = 0xF0;

// How deeply a stream may nest below its root: each child component, list and collection is
// one level. The reader refuses deeper streams and the compiler deeper texts, so that neither
// exhausts its stack.
inline constexpr int kMaxNesting = 100;

// The integer tags that may stand before a collection item and a child position.
constexpr bool IsSmallIntegerTag(ValueTag tag)
{
    return tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32;
}

constexpr bool IsIntegerTag(ValueTag tag)
{
    return IsSmallIntegerTag(tag) || tag == ValueTag::Int64;
}

constexpr bool IsStringTag(ValueTag tag)
{
    return tag == ValueTag::String || tag == ValueTag::LString || tag == ValueTag::WString ||
           tag == ValueTag::UTF8String;
}

} // namespace layoutstream
