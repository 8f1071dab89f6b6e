#pragma once
// Run-time type descriptions of published property types. The layout reader reads a value by
// the kind of the property's type; enumerations and sets carry their element names, integer
// types may carry an identifier map (colour names, font charsets, cursors).
//
// Each enumeration's value/name table lives in exactly one place: the F2_ENUM_TYPE line next
// to the enumeration, shared by the reader, the layout compiler's checks and the ui-driver.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

class TObject;
class TClassInfo;

enum class TTypeKind { Integer, Char, Enumeration, Float, String, WString, Set, Class, Method, Variant, Int64 };

// Names for selected values of an integer type (clRed = 0x0000FF, crIBeam = -4, ...).
class TIdentMap {
public:
    TIdentMap(std::initializer_list<std::pair<int64_t, const char*>> entries);
    bool IdentToInt(std::string_view ident, int64_t& value) const;   // case-insensitive
    bool IntToIdent(int64_t value, std::string& ident) const;
    const std::vector<std::pair<int64_t, std::string>>& Entries() const { return entries_; }

private:
    std::vector<std::pair<int64_t, std::string>> entries_;
};

class TTypeInfo {
public:
    TTypeInfo(std::string name, TTypeKind kind) : name_(std::move(name)), kind_(kind) {}

    const std::string& Name() const { return name_; }
    TTypeKind Kind() const { return kind_; }

    // Enumerations: the value names in ordinal order.
    const std::vector<std::string>& EnumNames() const { return enumNames_; }
    int OrdinalOf(std::string_view name) const;   // case-insensitive; -1 when unknown
    std::string NameOf(int64_t ordinal) const;    // empty when out of range
    // Sets: the element type (an enumeration).
    const TTypeInfo* ElementType() const { return elementType_; }
    // Integer types: optional identifier map.
    const TIdentMap* IdentMap() const { return identMap_; }
    // Class types: the class (resolved on first use, so a class may publish properties of
    // its own type while its description is being built).
    const TClassInfo* ClassType() const { return classType_ ? &classType_() : nullptr; }

    static TTypeInfo Enumeration(std::string name, std::vector<std::string> names);
    static TTypeInfo Set(std::string name, const TTypeInfo* element);
    static TTypeInfo Integer(std::string name, const TIdentMap* map = nullptr);
    static TTypeInfo Class(const TClassInfo& (*cls)());

private:
    std::string name_;
    TTypeKind kind_;
    std::vector<std::string> enumNames_;
    const TTypeInfo* elementType_ = nullptr;
    const TIdentMap* identMap_ = nullptr;
    const TClassInfo& (*classType_)() = nullptr;
};

// A set of enumeration values, stored as bits by ordinal (ordinals above 31 are not stored).
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E v : values)
            bits_ |= Bit(v);
    }
    static constexpr TSet FromBits(uint32_t bits)
    {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr uint32_t Bits() const { return bits_; }
    constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
    constexpr bool IsEmpty() const { return bits_ == 0; }
    constexpr TSet& Include(E v) { bits_ |= Bit(v); return *this; }
    constexpr TSet& Exclude(E v) { bits_ &= ~Bit(v); return *this; }
    constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
    friend constexpr bool operator==(TSet a, TSet b) { return a.bits_ == b.bits_; }

private:
    static constexpr uint32_t Bit(E v)
    {
        const auto ordinal = static_cast<int64_t>(v);
        return (ordinal >= 0 && ordinal < 32) ? (uint32_t(1) << ordinal) : 0;
    }
    uint32_t bits_ = 0;
};

// TypeInfoOf<T>() gives the type description of a C++ type used for a published property.
template <class T, class Enable = void>
struct TTypeInfoOf;   // specialised below and by F2_ENUM_TYPE / F2_SET_TYPE / F2_INTEGER_TYPE

template <class T>
const TTypeInfo* TypeInfoOf()
{
    return TTypeInfoOf<std::remove_cvref_t<T>>::Get();
}

template <> struct TTypeInfoOf<int> { static const TTypeInfo* Get(); };
template <> struct TTypeInfoOf<int64_t> { static const TTypeInfo* Get(); };
template <> struct TTypeInfoOf<bool> { static const TTypeInfo* Get(); };
template <> struct TTypeInfoOf<double> { static const TTypeInfo* Get(); };
template <> struct TTypeInfoOf<long double> { static const TTypeInfo* Get(); };
template <> struct TTypeInfoOf<std::string> { static const TTypeInfo* Get(); };
template <> struct TTypeInfoOf<char> { static const TTypeInfo* Get(); };
template <> struct TTypeInfoOf<uint16_t> { static const TTypeInfo* Get(); };  // word-sized integers

// Object-valued properties: pointers to classes with a StaticClass().
template <class T>
struct TTypeInfoOf<T*, std::void_t<decltype(T::StaticClass())>> {
    static const TTypeInfo* Get()
    {
        static const TTypeInfo info = TTypeInfo::Class(&T::StaticClass);
        return &info;
    }
};

// Event properties: std::function types.
template <class R, class... A>
struct TTypeInfoOf<std::function<R(A...)>> {
    static const TTypeInfo* Get()
    {
        static const TTypeInfo info("TMethod", TTypeKind::Method);
        return &info;
    }
};

// Declares the type description of an enumeration: F2_ENUM_TYPE(TAlignment, "taLeftJustify", ...).
// The names are listed in ordinal order starting at 0.
#define F2_ENUM_TYPE(Enum, ...)                                                              \
    template <> struct TTypeInfoOf<Enum> {                                                   \
        static const TTypeInfo* Get()                                                        \
        {                                                                                    \
            static const TTypeInfo info = TTypeInfo::Enumeration(#Enum, {__VA_ARGS__});      \
            return &info;                                                                    \
        }                                                                                    \
    }

// Declares the type description of a set of an enumeration: F2_SET_TYPE(TFontStyles, TFontStyle).
#define F2_SET_TYPE(SetName, Enum)                                                           \
    template <> struct TTypeInfoOf<TSet<Enum>> {                                             \
        static const TTypeInfo* Get()                                                        \
        {                                                                                    \
            static const TTypeInfo info = TTypeInfo::Set(#SetName, TypeInfoOf<Enum>());      \
            return &info;                                                                    \
        }                                                                                    \
    }

// Declares an integer-like type (an enum with a fixed underlying type used as a number, such as
// TColor) with an identifier map: F2_INTEGER_TYPE(TColor, &ColorIdents()).
#define F2_INTEGER_TYPE(Type, MapExpr)                                                       \
    template <> struct TTypeInfoOf<Type> {                                                   \
        static const TTypeInfo* Get()                                                        \
        {                                                                                    \
            static const TTypeInfo info = TTypeInfo::Integer(#Type, MapExpr);                \
            return &info;                                                                    \
        }                                                                                    \
    }

// True for types read as ordinals (integers, characters, enumerations, sets).
template <class T>
struct TIsSet : std::false_type {};
template <class E>
struct TIsSet<TSet<E>> : std::true_type {};
