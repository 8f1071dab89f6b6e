#include "tools/layoutc/LayoutStreamWriter.h"

#include "layoutstream/Extended80.h"
#include "rtl/Utf8.h"

#include <limits>
#include <stdexcept>

namespace layoutc {

void LayoutStreamWriter::Signature()
{
    bytes_.insert(bytes_.end(), layoutstream::kSignature.begin(), layoutstream::kSignature.end());
}

void LayoutStreamWriter::ShortString(std::string_view text, std::string_view what)
{
    if (text.size() > 255)
        throw std::length_error(std::string(what) + " is longer than 255 bytes");
    Byte(static_cast<uint8_t>(text.size()));
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void LayoutStreamWriter::ClassName(std::string_view name)
{
    if (name.size() >= 240)
        throw std::length_error("class name must be shorter than 240 bytes");
    ShortString(name, "class name");
}

void LayoutStreamWriter::Prefix(uint8_t flags, int32_t position)
{
    if (flags == 0)
        return;
    Byte(static_cast<uint8_t>(layoutstream::kPrefixMark | (flags & 0x0F)));
    if (flags & layoutstream::PrefixChildPosition)
        Integer(position);
}

void LayoutStreamWriter::Little(uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        Byte(static_cast<uint8_t>(value >> (8 * i)));
}

void LayoutStreamWriter::Length(size_t length)
{
    if (length > kMaxPayload)
        throw std::length_error("value is larger than 4 GiB");
    Little(length, 4);
}

void LayoutStreamWriter::Integer(int64_t value)
{
    const auto bits = static_cast<uint64_t>(value);
    if (value >= std::numeric_limits<int8_t>::min() && value <= std::numeric_limits<int8_t>::max()) {
        Tag(ValueTag::Int8);
        Little(bits, 1);
    } else if (value >= std::numeric_limits<int16_t>::min() && value <= std::numeric_limits<int16_t>::max()) {
        Tag(ValueTag::Int16);
        Little(bits, 2);
    } else if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max()) {
        Tag(ValueTag::Int32);
        Little(bits, 4);
    } else {
        Tag(ValueTag::Int64);
        Little(bits, 8);
    }
}

void LayoutStreamWriter::Real(long double value)
{
    Tag(ValueTag::Extended);
    for (uint8_t b : layoutstream::Extended80::Encode(value))
        Byte(b);
}

void LayoutStreamWriter::Text(std::string_view text, bool wide)
{
    if (!rtl::utf8::IsValid(text))
        throw std::invalid_argument("text is not valid UTF-8");
    if (wide) {
        const std::u16string units = rtl::utf8::ToUtf16(text);
        Tag(ValueTag::WString);
        Length(units.size());
        for (char16_t unit : units)
            Little(unit, 2);
        return;
    }
    if (!rtl::utf8::IsAscii(text)) {
        Tag(ValueTag::UTF8String);
        Length(text.size());
    } else if (text.size() > 255) {
        Tag(ValueTag::LString);
        Length(text.size());
    } else {
        Tag(ValueTag::String);
        Byte(static_cast<uint8_t>(text.size()));
    }
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void LayoutStreamWriter::Ident(std::string_view name)
{
    Tag(ValueTag::Ident);
    ShortString(name, "identifier");
}

void LayoutStreamWriter::Set(const std::vector<std::string>& elements)
{
    Tag(ValueTag::Set);
    for (const std::string& element : elements) {
        // An empty element name would end the set early.
        if (element.empty())
            throw std::invalid_argument("set element name is empty");
        ShortString(element, "set element name");
    }
    Byte(0);
}

void LayoutStreamWriter::Binary(std::span<const uint8_t> payload)
{
    Tag(ValueTag::Binary);
    Length(payload.size());
    bytes_.insert(bytes_.end(), payload.begin(), payload.end());
}

void LayoutStreamWriter::CollectionItem(std::optional<int64_t> index)
{
    if (index) {
        if (*index < std::numeric_limits<int32_t>::min() || *index > std::numeric_limits<int32_t>::max())
            throw std::length_error("collection item index does not fit in 32 bits");
        Integer(*index);
    }
    Tag(ValueTag::List);
}

} // namespace layoutc
