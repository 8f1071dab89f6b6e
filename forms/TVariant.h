#pragma once
// A small tagged value for variant-typed published properties: what a layout stream can store
// in one (nothing, null, booleans, integers, reals, currency, dates, texts, and lists of values).

#include "forms/TypeInfo.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

class TVariant {
public:
    enum class Kind { Empty, Null, Boolean, Integer, Float, Currency, Date, String, Array };

    TVariant() = default;   // empty (unassigned)
    static TVariant Null();
    static TVariant FromBoolean(bool value);
    static TVariant FromInteger(int64_t value);
    static TVariant FromFloat(long double value);
    // Currency is kept as a scaled integer: the value times 10000.
    static TVariant FromCurrency(int64_t scaled);
    static TVariant FromDate(double value);
    static TVariant FromString(std::string value);
    static TVariant FromArray(std::vector<TVariant> items);

    Kind GetKind() const { return kind_; }
    bool IsEmpty() const { return kind_ == Kind::Empty; }
    bool IsNull() const { return kind_ == Kind::Null; }

    // Typed access; asking for the wrong kind raises EConvertError.
    bool AsBoolean() const;
    int64_t AsInteger() const;      // also the scaled value of a currency
    long double AsFloat() const;    // integers, currency (unscaled) and dates convert
    const std::string& AsString() const;
    const std::vector<TVariant>& AsArray() const;

    friend bool operator==(const TVariant& a, const TVariant& b);

private:
    using Value = std::variant<std::monostate, bool, int64_t, long double, double, std::string,
                               std::vector<TVariant>>;
    TVariant(Kind kind, Value value) : kind_(kind), value_(std::move(value)) {}
    [[noreturn]] void WrongKind(const char* wanted) const;

    Kind kind_ = Kind::Empty;
    Value value_;
};

template <> struct TTypeInfoOf<TVariant> { static const TTypeInfo* Get(); };
