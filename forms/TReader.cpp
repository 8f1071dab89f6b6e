#include "forms/TReader.h"

#include "forms/LoadingPass.h"
#include "forms/PendingReferences.h"
#include "forms/TCollection.h"
#include "forms/TComponent.h"
#include "forms/TMemoryStream.h"
#include "rtl/AnsiCodePage.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/Text.h"
#include "rtl/Utf8.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Deeper nesting than any real layout has; it keeps a hostile stream from exhausting the stack.
constexpr int kMaxDepth = 100;

class DepthGuard {
public:
    explicit DepthGuard(int& depth) : depth_(depth)
    {
        if (depth_ >= kMaxDepth)
            throw EReadError("Layout nesting is too deep");
        ++depth_;
    }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& depth_;
};

// Restores a reader field when a scope ends, also by an exception.
template <class T>
class Restore {
public:
    explicit Restore(T& field) : field_(field), saved_(field) {}
    ~Restore() { field_ = saved_; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& field_;
    T saved_;
};

// The 80-bit extended format: 64-bit significand with an explicit integer bit, 15-bit exponent
// biased by 16383, sign in the top bit. Decoded by value, so it is exact wherever long double
// has a 64-bit significand (x86-64) and correctly rounded elsewhere.
long double DecodeExtended(const uint8_t (&b)[10])
{
    uint64_t significand = 0;
    for (int i = 7; i >= 0; --i)
        significand = (significand << 8) | b[i];
    const unsigned signAndExponent = unsigned(b[8]) | (unsigned(b[9]) << 8);
    const bool negative = (signAndExponent & 0x8000) != 0;
    const int exponent = int(signAndExponent & 0x7FFF);
    long double value;
    if (exponent == 0x7FFF)
        value = (significand << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                        : std::numeric_limits<long double>::quiet_NaN();
    else
        value = std::ldexp(static_cast<long double>(significand), (exponent == 0 ? 1 : exponent) - 16383 - 63);
    return negative ? -value : value;
}

bool IsStringTag(TValueTag tag)
{
    return tag == TValueTag::String || tag == TValueTag::LString || tag == TValueTag::WString ||
           tag == TValueTag::UTF8String;
}

// The name a failing property record is reported under.
std::string InstanceName(TPersistent* instance)
{
    if (auto* component = dynamic_cast<TComponent*>(instance); component && !component->Name().empty())
        return component->Name();
    return instance->ClassName();
}

} // namespace

TReader::TReader(TStream& stream, size_t bufferSize)
    : stream_(stream), buffer_(std::max<size_t>(bufferSize, 16)), streamPosAtEnd_(stream.Position())
{
}

TReader::~TReader()
{
    try {
        if (bufEnd_ > bufPos_)
            stream_.Seek(-int64_t(bufEnd_ - bufPos_), TSeekOrigin::Current);
    } catch (...) {
        // A stream that cannot seek back leaves its position after the buffered bytes.
    }
}

std::recursive_mutex& TReader::NameLock()
{
    static std::recursive_mutex lock;
    return lock;
}

// ---- Byte access -------------------------------------------------------------------------

int64_t TReader::Position() const
{
    return streamPosAtEnd_ - int64_t(bufEnd_ - bufPos_);
}

void TReader::FillBuffer()
{
    bufPos_ = 0;
    bufEnd_ = stream_.Read(buffer_.data(), buffer_.size());
    streamPosAtEnd_ += int64_t(bufEnd_);
    if (bufEnd_ == 0)
        throw EReadError("Stream read error");
}

void TReader::SetPosition(int64_t position)
{
    const int64_t bufferStart = streamPosAtEnd_ - int64_t(bufEnd_);
    if (position >= bufferStart && position <= streamPosAtEnd_) {
        bufPos_ = size_t(position - bufferStart);
        return;
    }
    streamPosAtEnd_ = stream_.Seek(position, TSeekOrigin::Beginning);
    bufPos_ = bufEnd_ = 0;
}

void TReader::Read(void* buffer, size_t count)
{
    auto* out = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        if (bufPos_ == bufEnd_)
            FillBuffer();
        const size_t n = std::min(count, bufEnd_ - bufPos_);
        std::memcpy(out, buffer_.data() + bufPos_, n);
        bufPos_ += n;
        out += n;
        count -= n;
    }
}

uint8_t TReader::ReadByte()
{
    if (bufPos_ == bufEnd_)
        FillBuffer();
    return buffer_[bufPos_++];
}

uint8_t TReader::PeekByte()
{
    if (bufPos_ == bufEnd_)
        FillBuffer();
    return buffer_[bufPos_];
}

template <class T>
T TReader::ReadLittle()
{
    uint8_t bytes[sizeof(T)];
    Read(bytes, sizeof bytes);
    uint64_t value = 0;
    for (size_t i = sizeof(T); i-- > 0;)
        value = (value << 8) | bytes[i];
    return static_cast<T>(value);
}

uint32_t TReader::ReadLength()
{
    return ReadLittle<uint32_t>();
}

std::string TReader::ReadBytes(uint32_t count)
{
    std::string bytes;
    char chunk[4096];
    for (uint32_t left = count; left > 0;) {
        const uint32_t n = std::min<uint32_t>(left, sizeof chunk);
        Read(chunk, n);
        bytes.append(chunk, n);
        left -= n;
    }
    return bytes;
}

void TReader::SkipBytes(uint64_t count)
{
    uint8_t chunk[256];
    while (count > 0) {
        const size_t n = size_t(std::min<uint64_t>(count, sizeof chunk));
        Read(chunk, n);
        count -= n;
    }
}

std::string TReader::ReadStr()
{
    return ReadBytes(ReadByte());
}

void TReader::ReadSignature()
{
    char signature[4];
    try {
        Read(signature, sizeof signature);
    } catch (const EReadError&) {
        throw EReadError("Invalid stream format");
    }
    if (std::memcmp(signature, "TPF0", 4) != 0)
        throw EReadError("Invalid stream format");
}

void TReader::ReadPrefix(uint8_t& flags, int32_t& position)
{
    flags = 0;
    position = -1;
    if ((PeekByte() & 0xF0) != 0xF0)
        return;
    flags = ReadByte() & 0x0F;
    if (flags & ffChildPos)
        position = ReadInteger();
}

// ---- Value readers -----------------------------------------------------------------------

void TReader::InvalidValue()
{
    throw EReadError("Invalid property value");
}

bool TReader::IsIntegerTag(TValueTag tag) const
{
    return tag == TValueTag::Int8 || tag == TValueTag::Int16 || tag == TValueTag::Int32 ||
           tag == TValueTag::Int64;
}

TValueTag TReader::NextValue()
{
    return static_cast<TValueTag>(PeekByte());
}

TValueTag TReader::ReadValue()
{
    return static_cast<TValueTag>(ReadByte());
}

int64_t TReader::ReadIntegerPayload(TValueTag tag)
{
    switch (tag) {
    case TValueTag::Int8: return ReadLittle<int8_t>();
    case TValueTag::Int16: return ReadLittle<int16_t>();
    case TValueTag::Int32: return ReadLittle<int32_t>();
    case TValueTag::Int64: return ReadLittle<int64_t>();
    default: InvalidValue();
    }
}

int32_t TReader::ReadInteger()
{
    const TValueTag tag = ReadValue();
    if (tag != TValueTag::Int8 && tag != TValueTag::Int16 && tag != TValueTag::Int32)
        InvalidValue();
    return int32_t(ReadIntegerPayload(tag));
}

int64_t TReader::ReadInt64()
{
    const TValueTag tag = ReadValue();
    if (!IsIntegerTag(tag))
        InvalidValue();
    return ReadIntegerPayload(tag);
}

long double TReader::ReadFloat()
{
    const TValueTag tag = ReadValue();
    if (tag == TValueTag::Extended) {
        uint8_t bytes[10];
        Read(bytes, sizeof bytes);
        return DecodeExtended(bytes);
    }
    if (!IsIntegerTag(tag))
        InvalidValue();
    return static_cast<long double>(ReadIntegerPayload(tag));
}

float TReader::ReadSingle()
{
    const TValueTag tag = ReadValue();
    if (tag == TValueTag::Single)
        return std::bit_cast<float>(ReadLittle<uint32_t>());
    if (!IsIntegerTag(tag))
        InvalidValue();
    return static_cast<float>(ReadIntegerPayload(tag));
}

int64_t TReader::ReadCurrency()
{
    const TValueTag tag = ReadValue();
    if (tag == TValueTag::Currency)
        return ReadLittle<int64_t>();
    if (!IsIntegerTag(tag))
        InvalidValue();
    const int64_t value = ReadIntegerPayload(tag);
    // Scaling an integer that does not fit the currency range would overflow.
    constexpr int64_t limit = std::numeric_limits<int64_t>::max() / 10000;
    if (value > limit || value < -limit)
        InvalidValue();
    return value * 10000;
}

double TReader::ReadDate()
{
    const TValueTag tag = ReadValue();
    if (tag == TValueTag::Date)
        return std::bit_cast<double>(ReadLittle<uint64_t>());
    if (!IsIntegerTag(tag))
        InvalidValue();
    return static_cast<double>(ReadIntegerPayload(tag));
}

std::string TReader::ReadTextPayload(TValueTag tag)
{
    switch (tag) {
    case TValueTag::String:
        return rtl::AnsiToUtf8(ReadStr());
    case TValueTag::LString:
        return rtl::AnsiToUtf8(ReadBytes(ReadLength()));
    case TValueTag::UTF8String: {
        std::string text = ReadBytes(ReadLength());
        return rtl::utf8::IsValid(text) ? text : rtl::utf8::Encode(rtl::utf8::Decode(text));
    }
    case TValueTag::WString: {
        const uint32_t count = ReadLength();
        std::u16string units;
        char16_t chunk[1024];
        for (uint32_t left = count; left > 0;) {
            const uint32_t n = std::min<uint32_t>(left, 1024);
            uint8_t bytes[2048];
            Read(bytes, size_t(n) * 2);
            for (uint32_t i = 0; i < n; ++i)
                chunk[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
            units.append(chunk, n);
            left -= n;
        }
        return rtl::utf8::FromUtf16(units);
    }
    default:
        InvalidValue();
    }
}

std::string TReader::ReadString()
{
    const TValueTag tag = ReadValue();
    if (!IsStringTag(tag))
        InvalidValue();
    return ReadTextPayload(tag);
}

std::string TReader::ReadWideString()
{
    // Texts are UTF-8 inside the framework, so the narrow and the wide reader agree.
    return ReadString();
}

char32_t TReader::ReadChar()
{
    const std::u32string text = rtl::utf8::Decode(ReadString());
    if (text.size() > 1)
        InvalidValue();
    return text.empty() ? 0 : text[0];
}

uint8_t TReader::ReadAnsiChar()
{
    const TValueTag tag = ReadValue();
    if (!IsStringTag(tag))
        InvalidValue();
    // Narrow texts are code-page bytes already: the byte is the code. Wide and UTF-8 texts are
    // converted character by character.
    if (tag == TValueTag::String || tag == TValueTag::LString) {
        const std::string bytes = tag == TValueTag::String ? ReadStr() : ReadBytes(ReadLength());
        if (bytes.size() > 1)
            InvalidValue();
        return bytes.empty() ? 0 : uint8_t(bytes[0]);
    }
    const std::u32string text = rtl::utf8::Decode(ReadTextPayload(tag));
    if (text.size() > 1)
        InvalidValue();
    return text.empty() ? 0 : uint8_t(rtl::CodePointToAnsi(text[0]));
}

std::string TReader::ReadIdent()
{
    switch (ReadValue()) {
    case TValueTag::Ident: return ReadStr();
    case TValueTag::False: return "False";
    case TValueTag::True: return "True";
    case TValueTag::Nil: return "nil";
    case TValueTag::Null: return "Null";
    default: InvalidValue();
    }
}

bool TReader::ReadBoolean()
{
    const TValueTag tag = ReadValue();
    if (tag == TValueTag::True)
        return true;
    if (tag != TValueTag::False)
        SkipPayload(tag);
    return false;
}

TVariant TReader::ReadVariant()
{
    const TValueTag tag = ReadValue();
    switch (tag) {
    case TValueTag::Null: return TVariant::Null();
    case TValueTag::Nil: return TVariant();
    case TValueTag::False: return TVariant::FromBoolean(false);
    case TValueTag::True: return TVariant::FromBoolean(true);
    case TValueTag::Int8:
    case TValueTag::Int16:
    case TValueTag::Int32:
    case TValueTag::Int64: return TVariant::FromInteger(ReadIntegerPayload(tag));
    case TValueTag::Extended:
    case TValueTag::Single:
    case TValueTag::Currency:
    case TValueTag::Date: {
        SetPosition(Position() - 1);
        if (tag == TValueTag::Extended)
            return TVariant::FromFloat(ReadFloat());
        if (tag == TValueTag::Single)
            return TVariant::FromFloat(ReadSingle());
        if (tag == TValueTag::Currency)
            return TVariant::FromCurrency(ReadCurrency());
        return TVariant::FromDate(ReadDate());
    }
    case TValueTag::String:
    case TValueTag::LString:
    case TValueTag::WString:
    case TValueTag::UTF8String: return TVariant::FromString(ReadTextPayload(tag));
    case TValueTag::List: {
        DepthGuard guard(depth_);
        std::vector<TVariant> items;
        while (!EndOfList())
            items.push_back(ReadVariant());
        ReadListEnd();
        return TVariant::FromArray(std::move(items));
    }
    default:
        // Binary values hold custom variant types, of which none is registered; identifiers,
        // sets and collections are no variant values at all.
        throw EReadError("Stream read error");
    }
}

void TReader::ReadListBegin()
{
    if (ReadValue() != TValueTag::List)
        InvalidValue();
}

void TReader::ReadListEnd()
{
    if (ReadValue() != TValueTag::Null)
        InvalidValue();
}

bool TReader::EndOfList()
{
    return PeekByte() == 0;
}

void TReader::SkipValue()
{
    SkipPayload(ReadValue());
}

void TReader::SkipSetElements()
{
    while (true) {
        const uint8_t length = ReadByte();
        if (length == 0)
            return;
        SkipBytes(length);
    }
}

void TReader::SkipPayload(TValueTag tag)
{
    switch (tag) {
    case TValueTag::Null:
    case TValueTag::False:
    case TValueTag::True:
    case TValueTag::Nil: return;
    case TValueTag::List: {
        DepthGuard guard(depth_);
        while (!EndOfList())
            SkipValue();
        ReadListEnd();
        return;
    }
    case TValueTag::Int8: SkipBytes(1); return;
    case TValueTag::Int16: SkipBytes(2); return;
    case TValueTag::Int32:
    case TValueTag::Single: SkipBytes(4); return;
    case TValueTag::Int64:
    case TValueTag::Currency:
    case TValueTag::Date: SkipBytes(8); return;
    case TValueTag::Extended: SkipBytes(10); return;
    case TValueTag::String:
    case TValueTag::Ident: SkipBytes(ReadByte()); return;
    case TValueTag::Binary:
    case TValueTag::LString:
    case TValueTag::UTF8String: SkipBytes(ReadLength()); return;
    case TValueTag::WString: SkipBytes(uint64_t(ReadLength()) * 2); return;
    case TValueTag::Set: SkipSetElements(); return;
    case TValueTag::Collection: {
        DepthGuard guard(depth_);
        while (!EndOfList()) {
            const TValueTag next = NextValue();
            if (next == TValueTag::Int8 || next == TValueTag::Int16 || next == TValueTag::Int32)
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

void TReader::SkipProperties()
{
    while (!EndOfList()) {
        ReadStr();
        SkipValue();
    }
    ReadListEnd();
}

void TReader::SkipComponentBody()
{
    DepthGuard guard(depth_);
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

// ---- Defined properties ------------------------------------------------------------------

void TReader::DefineProperty(const std::string& name, std::function<void(TReader&)> read)
{
    if (definedDone_ || !rtl::SameText(name, propName_) || !read)
        return;
    definedDone_ = true;
    const std::string saved = propName_;
    read(*this);
    propName_ = saved;
    definedDone_ = true;
}

void TReader::DefineBinaryProperty(const std::string& name, std::function<void(TStream&)> read)
{
    if (definedDone_ || !rtl::SameText(name, propName_) || !read)
        return;
    definedDone_ = true;
    const TValueTag tag = ReadValue();
    if (tag != TValueTag::Binary) {
        SkipPayload(tag);
        InvalidValue();
    }
    // Copied in chunks: the stream's end, not the stored length, bounds what is allocated.
    TMemoryStream data;
    uint8_t chunk[4096];
    for (uint32_t left = ReadLength(); left > 0;) {
        const uint32_t n = std::min<uint32_t>(left, sizeof chunk);
        Read(chunk, n);
        data.WriteBuffer(chunk, n);
        left -= n;
    }
    data.SetPosition(0);
    const std::string saved = propName_;
    read(data);
    propName_ = saved;
    definedDone_ = true;
}

void TReader::ReadDesignPosition(TPersistent* instance)
{
    // Non-visual components store their design position; it has no use at run time but is
    // kept with the component.
    auto* component = dynamic_cast<TComponent*>(instance);
    if (!component)
        return;
    DefineProperty("Left", [component](TReader& reader) {
        component->SetDesignPosition(reader.ReadInteger(), component->DesignTop());
    });
    DefineProperty("Top", [component](TReader& reader) {
        component->SetDesignPosition(component->DesignLeft(), reader.ReadInteger());
    });
}

// ---- Properties --------------------------------------------------------------------------

void TReader::ReadProperties(TPersistent* instance)
{
    while (!EndOfList())
        ReadProperty(instance);
    ReadListEnd();
}

bool TReader::OfferError(const std::string& message)
{
    return onError_ && onError_(*this, message);
}

void TReader::ReadProperty(TPersistent* instance)
{
    const std::string path = ReadStr();
    const int64_t valueStart = Position();
    try {
        ReadPropertyPath(instance, path);
    } catch (const std::exception& error) {
        const std::string message =
            rtl::Format("Error reading %s%s%s: %s", InstanceName(instance), ".", path, error.what());
        if (!OfferError(message))
            throw EReadError(message);
        // Go on after the value, from a known place whatever the failing reader consumed.
        try {
            SetPosition(valueStart);
            SkipValue();
        } catch (const std::exception& skipError) {
            throw EReadError(rtl::Format("Error reading %s%s%s: %s", InstanceName(instance), ".", path,
                                         skipError.what()));
        }
    }
}

void TReader::ReadPropertyPath(TPersistent* instance, const std::string& path)
{
    Restore<std::string> savedName(propName_);
    Restore<bool> savedDone(definedDone_);
    TPersistent* current = instance;
    size_t start = 0;
    for (size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1) {
        propName_ = path.substr(start, dot - start);
        const TPropInfo* prop = current->ClassType().FindProperty(propName_);
        if (!prop) {
            SkipValue();
            throw EReadError(rtl::Format("Property %s does not exist", propName_));
        }
        TObject* value = nullptr;
        if (prop->type && prop->type->Kind() == TTypeKind::Class && prop->getObject)
            value = prop->getObject(current);
        current = dynamic_cast<TPersistent*>(value);
        if (!current) {
            SkipValue();
            throw EReadError("Invalid property path");
        }
    }
    propName_ = path.substr(start);
    if (const TPropInfo* prop = current->ClassType().FindProperty(propName_)) {
        ReadPropValue(current, *prop);
        return;
    }
    definedDone_ = false;
    current->DefineProperties(*this);
    if (!definedDone_)
        ReadDesignPosition(current);
    if (!definedDone_) {
        SkipValue();
        throw EReadError(rtl::Format("Property %s does not exist", propName_));
    }
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop)
{
    const TTypeKind kind = prop.type ? prop.type->Kind() : TTypeKind::Integer;
    if (!prop.HasSetter()) {
        // A sub-component is read through: its collection is filled in place.
        bool subComponent = false;
        if (kind == TTypeKind::Class && prop.getObject)
            if (auto* held = dynamic_cast<TComponent*>(prop.getObject(instance)))
                subComponent = held->IsSubComponent();
        if (!subComponent) {
            SkipValue();
            throw EReadError("Property is read-only");
        }
    }
    const auto require = [this](const auto& setter) {
        if (!setter) {
            SkipValue();
            throw EReadError("Property is read-only");
        }
    };

    switch (kind) {
    case TTypeKind::Integer: {
        require(prop.setOrd);
        if (NextValue() != TValueTag::Ident) {
            prop.setOrd(instance, ReadInteger());
            return;
        }
        ReadValue();
        const std::string ident = ReadStr();
        const TIdentMap* map = prop.type->IdentMap();
        int64_t value = 0;
        if (!map || !map->IdentToInt(ident, value))
            InvalidValue();
        prop.setOrd(instance, value);
        return;
    }
    case TTypeKind::Char:
        require(prop.setOrd);
        prop.setOrd(instance, int64_t(ReadAnsiChar()));
        return;
    case TTypeKind::Enumeration: {
        require(prop.setOrd);
        const int ordinal = prop.type->OrdinalOf(ReadIdent());
        if (ordinal < 0)
            InvalidValue();
        prop.setOrd(instance, ordinal);
        return;
    }
    case TTypeKind::Float:
        require(prop.setFloat);
        prop.setFloat(instance, ReadFloat());
        return;
    case TTypeKind::String:
    case TTypeKind::WString:
        require(prop.setString);
        prop.setString(instance, ReadString());
        return;
    case TTypeKind::Set:
        require(prop.setOrd);
        ReadSetValue(instance, prop);
        return;
    case TTypeKind::Class:
        ReadObjectValue(instance, prop);
        return;
    case TTypeKind::Method:
        require(prop.setMethod);
        ReadMethodValue(instance, prop);
        return;
    case TTypeKind::Variant:
        require(prop.setVariant);
        prop.setVariant(instance, ReadVariant());
        return;
    case TTypeKind::Int64:
        require(prop.setOrd);
        prop.setOrd(instance, ReadInt64());
        return;
    }
    InvalidValue();
}

void TReader::ReadSetValue(TPersistent* instance, const TPropInfo& prop)
{
    if (ReadValue() != TValueTag::Set)
        InvalidValue();
    const TTypeInfo* element = prop.type->ElementType();
    uint32_t bits = 0;
    bool unknown = false;
    // The whole set is read before an unknown element is reported, so nothing is left behind.
    for (std::string name = ReadStr(); !name.empty(); name = ReadStr()) {
        const int ordinal = element ? element->OrdinalOf(name) : -1;
        if (ordinal < 0)
            unknown = true;
        else if (ordinal < 32)
            bits |= uint32_t(1) << ordinal;
    }
    if (unknown)
        InvalidValue();
    prop.setOrd(instance, int64_t(bits));
}

void TReader::ReadObjectValue(TPersistent* instance, const TPropInfo& prop)
{
    switch (NextValue()) {
    case TValueTag::Nil:
        if (!prop.setObject) {
            SkipValue();
            throw EReadError("Property is read-only");
        }
        ReadValue();
        prop.setObject(instance, nullptr);
        return;
    case TValueTag::Collection: {
        ReadValue();
        auto* collection = dynamic_cast<TCollection*>(prop.getObject ? prop.getObject(instance) : nullptr);
        if (!collection) {
            SkipPayload(TValueTag::Collection);
            InvalidValue();
        }
        ReadCollection(collection);
        return;
    }
    case TValueTag::Ident: {
        if (!prop.setObject) {
            SkipValue();
            throw EReadError("Property is read-only");
        }
        ReadValue();
        std::string name = ReadStr();
        if (onReferenceName_)
            onReferenceName_(*this, name);
        // Assigned once the root has been read: the component may come later in the stream,
        // or live in a window not created yet.
        PendingReferences::Global().Add({root_, component_, instance, &prop, name});
        return;
    }
    default:
        InvalidValue();
    }
}

void TReader::ReadMethodValue(TPersistent* instance, const TPropInfo& prop)
{
    const TValueTag tag = NextValue();
    if (tag == TValueTag::Nil) {
        ReadValue();
        if (!prop.setMethod(instance, TMethod{}))
            InvalidValue();
        return;
    }
    if (tag != TValueTag::Ident)
        InvalidValue();
    ReadValue();
    const std::string name = ReadStr();
    TMethod method;
    if (root_)
        if (const TMethodInfo* info = root_->ClassType().FindMethod(name))
            method = TMethod{info->bind(root_), root_, info->name};
    bool error = !method.IsAssigned();
    if (onFindMethod_)
        onFindMethod_(*this, name, method, error);
    if (error)
        InvalidValue();
    // A handler whose signature does not fit the event is refused by the setter.
    if (!prop.setMethod(instance, method))
        InvalidValue();
}

void TReader::ReadCollection(TCollection* collection)
{
    DepthGuard guard(depth_);
    collection->BeginUpdate();
    struct EndUpdate {
        TCollection* c;
        ~EndUpdate() { c->EndUpdate(); }
    } end{collection};
    if (!EndOfList())
        collection->Clear();
    while (!EndOfList()) {
        const TValueTag next = NextValue();
        if (next == TValueTag::Int8 || next == TValueTag::Int16 || next == TValueTag::Int32)
            ReadInteger();   // the item's index, not needed to rebuild the list
        ReadListBegin();
        ReadProperties(collection->Add());
    }
    ReadListEnd();
}

// ---- Components --------------------------------------------------------------------------

std::string TReader::UniqueRootName(TComponent* root, const std::string& name) const
{
    if (name.empty())
        return name;
    std::string unique = name;
    for (int i = 1;; ++i) {
        TComponent* other = FindGlobalComponent(unique);
        if (!other || other == root)
            return unique;
        unique = rtl::Format("%s_%d", name, i);
    }
}

TComponent* TReader::ReadRootComponent(TComponent* root)
{
    std::lock_guard lock(NameLock());
    ReadSignature();
    uint8_t flags;
    int32_t position;
    ReadPrefix(flags, position);   // a root's position means nothing
    const std::string className = ReadStr();
    const std::string name = ReadStr();

    bool created = false;
    if (!root) {
        const TClassInfo* cls = FindRegisteredClass(className);
        if (cls && cls->InheritsFrom(TComponent::StaticClass()))
            root = cls->Create(nullptr);
        if (!root)
            throw EClassNotFound(rtl::Format("Class %s not found", className));
        created = true;
    }

    LoadingPass ownPass;
    Restore<LoadingPass*> savedPass(pass_);
    pass_ = sharedPass_ ? sharedPass_ : &ownPass;
    Restore<TComponent*> savedRoot(root_), savedLookup(lookupRoot_), savedOwner(owner_),
        savedParent(parent_), savedComponent(component_);
    root_ = lookupRoot_ = owner_ = component_ = root;
    parent_ = nullptr;
    try {
        root->SetComponentStateFlag(csLoading, true);
        root->SetComponentStateFlag(csReading, true);
        root->SetName(UniqueRootName(root, name));
        pass_->Add(root);
        root->ReadState(*this);
        root->SetComponentStateFlag(csReading, false);
        PendingReferences::Global().Resolve();
        if (pass_ == &ownPass)
            ownPass.Finish();
    } catch (...) {
        root->SetComponentStateFlag(csReading, false);
        PendingReferences::Global().Discard(root);
        if (created)
            delete root;
        throw;
    }
    return root;
}

void TReader::ReadData(TComponent* instance)
{
    ReadProperties(instance);
    ReadChildren(instance);
}

void TReader::ReadChildren(TComponent* instance)
{
    Restore<TComponent*> savedParent(parent_), savedOwner(owner_);
    parent_ = instance;
    owner_ = instance->GetChildOwner();
    if (!owner_)
        owner_ = root_ ? root_ : instance;
    while (!EndOfList())
        ReadComponent();
    ReadListEnd();
}

const TClassInfo& TReader::FindComponentClass(const std::string& className)
{
    const auto checked = [&](const TClassInfo* cls) -> const TClassInfo& {
        if (!cls || !cls->InheritsFrom(TComponent::StaticClass()))
            throw EClassNotFound(rtl::Format("Class %s not found", className));
        return *cls;
    };
    if (onFindClass_)
        if (const TClassInfo* cls = onFindClass_(*this, className))
            return checked(cls);
    // The classes of the published fields of the lookup root's class and its ancestors; not
    // their ancestors, which would let a layout create any base class (TComponent itself).
    if (lookupRoot_)
        for (const TFieldInfo* field : lookupRoot_->ClassType().Fields())
            if (field->fieldClass && rtl::SameText(field->fieldClass().Name(), className))
                return checked(&field->fieldClass());
    return checked(FindRegisteredClass(className));
}

TComponent* TReader::CreateChild(uint8_t flags, const std::string& className, const std::string& name,
                                 bool& created)
{
    if (flags & ffInherited) {
        TComponent* existing = lookupRoot_ ? lookupRoot_->FindComponent(name) : nullptr;
        if (!existing && onAncestorNotFound_) {
            const TClassInfo* cls = FindRegisteredClass(className);
            existing = onAncestorNotFound_(*this, name, cls);
        }
        if (!existing)
            throw EReadError(rtl::Format("Ancestor for '%s' not found", name));
        return existing;
    }
    const TClassInfo& cls = FindComponentClass(className);
    TComponent* component = onCreateComponent_ ? onCreateComponent_(*this, cls, owner_) : nullptr;
    if (!component)
        component = cls.Create(owner_);
    if (!component)
        throw EClassNotFound(rtl::Format("Class %s not found", className));
    try {
        component->SetComponentStateFlag(csLoading, true);
        component->SetParentComponent(parent_);
        std::string finalName = name;
        if (onSetName_)
            onSetName_(*this, component, finalName);
        component->SetName(finalName);
    } catch (...) {
        delete component;
        throw;
    }
    created = true;
    return component;
}

TComponent* TReader::ReadComponent()
{
    DepthGuard guard(depth_);
    uint8_t flags;
    int32_t position;
    ReadPrefix(flags, position);
    const std::string className = ReadStr();
    const std::string name = ReadStr();

    bool created = false;
    TComponent* component = nullptr;
    try {
        component = CreateChild(flags, className, name, created);
    } catch (const std::exception& error) {
        if (!OfferError(error.what()))
            throw;
        SkipComponentBody();
        return nullptr;
    }

    Restore<TComponent*> savedLookup(lookupRoot_), savedComponent(component_);
    try {
        component->SetComponentStateFlag(csLoading, true);
        if (flags & ffInline) {
            component->SetComponentStateFlag(csInline, true);
            lookupRoot_ = component;
        }
        component_ = component;
        component->SetComponentStateFlag(csReading, true);
        component->ReadState(*this);
        component->SetComponentStateFlag(csReading, false);
        // A stored child position puts the component at that place among its parent's children.
        if ((flags & ffChildPos) && position >= 0)
            if (TComponent* parent = component->GetParentComponent())
                parent->SetChildOrder(component, position);
    } catch (...) {
        component->SetComponentStateFlag(csReading, false);
        if (created)
            delete component;
        throw;
    }
    if (pass_)
        pass_->Add(component);
    return component;
}
