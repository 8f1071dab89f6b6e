#pragma once
// Appends the pieces of a binary layout stream to a byte buffer: short strings, the smallest
// integer tag for a value, 80-bit reals, texts in the string form their content calls for,
// sets, lists, binary payloads and component prefixes. It knows the byte format, not the
// text syntax; values that the format cannot hold raise std::length_error or
// std::invalid_argument with a short description, which the caller turns into a located error.

#include "layoutstream/LayoutFormat.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace layoutc {

using layoutstream::ValueTag;

class LayoutStreamWriter {
public:
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

    void Signature();
    void EndOfList() { Byte(0); }

    // what names the string's role in the error message ("property name", "class name").
    void ShortString(std::string_view text, std::string_view what);

    // Class names of 240 bytes or more cannot be told from a prefix byte.
    void ClassName(std::string_view name);

    // flags: a combination of layoutstream::PrefixFlag; the position is written when PrefixChildPosition is
    // set. Nothing is written for no flags.
    void Prefix(uint8_t flags, int32_t position);

    void Integer(int64_t value);
    void Real(long double value);
    // Pure ASCII goes out as a short string (a long string past 255 bytes), other texts as
    // UTF-8; wide asks for UTF-16 code units whatever the content. text must be valid UTF-8.
    void Text(std::string_view text, bool wide);
    void Ident(std::string_view name);
    void Boolean(bool value) { Tag(value ? ValueTag::True : ValueTag::False); }
    void Nil() { Tag(ValueTag::Nil); }
    void Set(const std::vector<std::string>& elements);
    void ListBegin() { Tag(ValueTag::List); }
    void Binary(std::span<const uint8_t> payload);
    void CollectionBegin() { Tag(ValueTag::Collection); }
    void CollectionItem(std::optional<int64_t> index);

    // Largest payload a 4-byte length can announce.
    static constexpr uint64_t kMaxPayload = 0xFFFFFFFFu;

private:
    void Tag(ValueTag tag) { Byte(static_cast<uint8_t>(tag)); }
    void Byte(uint8_t value) { bytes_.push_back(value); }
    void Little(uint64_t value, int size);
    void Length(size_t length);

    std::vector<uint8_t> bytes_;
};

} // namespace layoutc
