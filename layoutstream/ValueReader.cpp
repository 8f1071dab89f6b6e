#include "layoutstream/ValueReader.h"

#include "layoutstream/Extended80.h"
#include "rtl/AnsiCodePage.h"
#include "rtl/Exception.h"
#include "rtl/Utf8.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace layoutstream {

ValueReader::ValueReader(ByteInput input, size_t bufferSize) : source_(std::move(input), bufferSize) {}

ValueReader::Nesting::Nesting(ValueReader& reader) : depth_(reader.depth_)
{
    if (depth_ >= kMaxNesting)
        throw EReadError("Layout nesting is too deep");
    ++depth_;
}

void ValueReader::InvalidValue()
{
    throw EReadError("Invalid property value");
}

// ---- Structure ---------------------------------------------------------------------------

void ValueReader::ReadSignature()
{
    uint8_t signature[kSignature.size()];
    try {
        source_.Read(signature, sizeof signature);
    } catch (const EReadError&) {
        throw EReadError("Invalid stream format");
    }
    if (!std::equal(kSignature.begin(), kSignature.end(), signature))
        throw EReadError("Invalid stream format");
}

void ValueReader::ReadPrefix(uint8_t& flags, int32_t& position)
{
    flags = 0;
    position = -1;
    if ((source_.PeekByte() & kPrefixMark) != kPrefixMark)
        return;
    flags = source_.ReadByte() & 0x0F;
    if (flags & PrefixChildPosition)
        position = ReadInteger();
}

std::string ValueReader::ReadStr()
{
    return source_.ReadShortString();
}

// ---- Values ------------------------------------------------------------------------------

ValueTag ValueReader::NextValue()
{
    return static_cast<ValueTag>(source_.PeekByte());
}

ValueTag ValueReader::ReadValue()
{
    return static_cast<ValueTag>(source_.ReadByte());
}

int64_t ValueReader::ReadIntegerPayload(ValueTag tag)
{
    switch (tag) {
    case ValueTag::Int8: return source_.ReadLittle<int8_t>();
    case ValueTag::Int16: return source_.ReadLittle<int16_t>();
    case ValueTag::Int32: return source_.ReadLittle<int32_t>();
    case ValueTag::Int64: return source_.ReadLittle<int64_t>();
    default: InvalidValue();
    }
}

int32_t ValueReader::ReadInteger()
{
    const ValueTag tag = ReadValue();
    if (!IsSmallIntegerTag(tag))
        InvalidValue();
    return int32_t(ReadIntegerPayload(tag));
}

int64_t ValueReader::ReadInt64()
{
    const ValueTag tag = ReadValue();
    if (!IsIntegerTag(tag))
        InvalidValue();
    return ReadIntegerPayload(tag);
}

long double ValueReader::ReadFloat()
{
    const ValueTag tag = ReadValue();
    if (tag == ValueTag::Extended) {
        Extended80::Bytes bytes;
        source_.Read(bytes.data(), bytes.size());
        return Extended80::Decode(bytes);
    }
    if (!IsIntegerTag(tag))
        InvalidValue();
    return static_cast<long double>(ReadIntegerPayload(tag));
}

template <class T, class Bits>
T ValueReader::ReadBitsOrInteger(ValueTag own)
{
    const ValueTag tag = ReadValue();
    if (tag == own)
        return std::bit_cast<T>(source_.ReadLittle<Bits>());
    if (!IsIntegerTag(tag))
        InvalidValue();
    return static_cast<T>(ReadIntegerPayload(tag));
}

float ValueReader::ReadSingle()
{
    return ReadBitsOrInteger<float, uint32_t>(ValueTag::Single);
}

int64_t ValueReader::ReadCurrency()
{
    const ValueTag tag = ReadValue();
    if (tag == ValueTag::Currency)
        return source_.ReadLittle<int64_t>();
    if (!IsIntegerTag(tag))
        InvalidValue();
    const int64_t value = ReadIntegerPayload(tag);
    // Scaling an integer that does not fit the currency range would overflow.
    constexpr int64_t limit = std::numeric_limits<int64_t>::max() / 10000;
    if (value > limit || value < -limit)
        InvalidValue();
    return value * 10000;
}

double ValueReader::ReadDate()
{
    return ReadBitsOrInteger<double, uint64_t>(ValueTag::Date);
}

std::string ValueReader::ReadTextPayload(ValueTag tag)
{
    switch (tag) {
    case ValueTag::String:
        return rtl::AnsiToUtf8(source_.ReadShortString());
    case ValueTag::LString:
        return rtl::AnsiToUtf8(source_.ReadBytes(source_.ReadLength()));
    case ValueTag::UTF8String: {
        std::string text = source_.ReadBytes(source_.ReadLength());
        return rtl::utf8::IsValid(text) ? text : rtl::utf8::Encode(rtl::utf8::Decode(text));
    }
    case ValueTag::WString: {
        // In chunks, like every run whose length the stream states.
        std::u16string units;
        uint8_t bytes[2048];
        for (uint32_t left = source_.ReadLength(); left > 0;) {
            const uint32_t n = std::min<uint32_t>(left, sizeof bytes / 2);
            source_.Read(bytes, size_t(n) * 2);
            for (uint32_t i = 0; i < n; ++i)
                units += char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
            left -= n;
        }
        return rtl::utf8::FromUtf16(units);
    }
    default:
        InvalidValue();
    }
}

std::string ValueReader::ReadString()
{
    const ValueTag tag = ReadValue();
    if (!IsStringTag(tag))
        InvalidValue();
    return ReadTextPayload(tag);
}

std::string ValueReader::ReadWideString()
{
    // Texts are UTF-8 once read, so the narrow and the wide reader agree.
    return ReadString();
}

char32_t ValueReader::ReadChar()
{
    const std::u32string text = rtl::utf8::Decode(ReadString());
    if (text.size() > 1)
        InvalidValue();
    return text.empty() ? 0 : text[0];
}

uint8_t ValueReader::ReadAnsiChar()
{
    const ValueTag tag = ReadValue();
    if (!IsStringTag(tag))
        InvalidValue();
    // Narrow texts are code-page bytes already: the byte is the code. Wide and UTF-8 texts are
    // converted character by character.
    if (tag == ValueTag::String || tag == ValueTag::LString) {
        const std::string bytes =
            tag == ValueTag::String ? source_.ReadShortString() : source_.ReadBytes(source_.ReadLength());
        if (bytes.size() > 1)
            InvalidValue();
        return bytes.empty() ? 0 : uint8_t(bytes[0]);
    }
    const std::u32string text = rtl::utf8::Decode(ReadTextPayload(tag));
    if (text.size() > 1)
        InvalidValue();
    return text.empty() ? 0 : uint8_t(rtl::CodePointToAnsi(text[0]));
}

std::string ValueReader::ReadIdent()
{
    switch (ReadValue()) {
    case ValueTag::Ident: return ReadStr();
    case ValueTag::False: return "False";
    case ValueTag::True: return "True";
    case ValueTag::Nil: return "nil";
    case ValueTag::Null: return "Null";
    default: InvalidValue();
    }
}

bool ValueReader::ReadBoolean()
{
    const ValueTag tag = ReadValue();
    if (tag == ValueTag::True)
        return true;
    if (tag != ValueTag::False)
        SkipPayload(tag);
    return false;
}

void ValueReader::ReadListBegin()
{
    if (ReadValue() != ValueTag::List)
        InvalidValue();
}

void ValueReader::ReadListEnd()
{
    if (ReadValue() != ValueTag::Null)
        InvalidValue();
}

bool ValueReader::EndOfList()
{
    return source_.PeekByte() == 0;
}

void ValueReader::ReadBinary(const std::function<void(const uint8_t* bytes, size_t count)>& chunk)
{
    const ValueTag tag = ReadValue();
    if (tag != ValueTag::Binary) {
        SkipPayload(tag);
        InvalidValue();
    }
    uint8_t bytes[4096];
    for (uint32_t left = source_.ReadLength(); left > 0;) {
        const uint32_t n = std::min<uint32_t>(left, sizeof bytes);
        source_.Read(bytes, n);
        chunk(bytes, n);
        left -= n;
    }
}

// ---- Skipping ----------------------------------------------------------------------------

void ValueReader::SkipValue()
{
    SkipPayload(ReadValue());
}

void ValueReader::SkipSetElements()
{
    for (uint8_t length = source_.ReadByte(); length != 0; length = source_.ReadByte())
        source_.Skip(length);
}

void ValueReader::SkipPayload(ValueTag tag)
{
    switch (tag) {
    case ValueTag::Null:
    case ValueTag::False:
    case ValueTag::True:
    case ValueTag::Nil: return;
    case ValueTag::List: {
        Nesting level(*this);
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        return;
    }
    case ValueTag::Int8: source_.Skip(1); return;
    case ValueTag::Int16: source_.Skip(2); return;
    case ValueTag::Int32:
    case ValueTag::Single: source_.Skip(4); return;
    case ValueTag::Int64:
    case ValueTag::Currency:
    case ValueTag::Date: source_.Skip(8); return;
    case ValueTag::Extended: source_.Skip(Extended80::Bytes().size()); return;
    case ValueTag::String:
    case ValueTag::Ident: source_.Skip(source_.ReadByte()); return;
    case ValueTag::Binary:
    case ValueTag::LString:
    case ValueTag::UTF8String: source_.Skip(source_.ReadLength()); return;
    case ValueTag::WString: source_.Skip(uint64_t(source_.ReadLength()) * 2); return;
    case ValueTag::Set: SkipSetElements(); return;
    case ValueTag::Collection: {
        Nesting level(*this);
        while (!EndOfList()) {
            if (IsSmallIntegerTag(NextValue()))
                SkipValue();
            ReadListBegin();
            SkipProperties();
        }
        ReadListEnd();
        return;
    }
    }
    InvalidValue();
}

void ValueReader::SkipProperties()
{
    while (!EndOfList()) {
        ReadStr();
        SkipValue();
    }
    ReadListEnd();
}

void ValueReader::SkipComponentBody()
{
    Nesting level(*this);
    SkipProperties();
    while (!EndOfList()) {
        uint8_t flags;
        int32_t position;
        ReadPrefix(flags, position);
        ReadStr();
        ReadStr();
        SkipComponentBody();
    }
    ReadListEnd();
}

} // namespace layoutstream
