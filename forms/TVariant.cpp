#include "forms/TVariant.h"

#include "rtl/Exception.h"
#include "rtl/Format.h"

TVariant TVariant::Null() { return TVariant(Kind::Null, std::monostate{}); }
TVariant TVariant::FromBoolean(bool value) { return TVariant(Kind::Boolean, value); }
TVariant TVariant::FromInteger(int64_t value) { return TVariant(Kind::Integer, value); }
TVariant TVariant::FromFloat(long double value) { return TVariant(Kind::Float, value); }
TVariant TVariant::FromCurrency(int64_t scaled) { return TVariant(Kind::Currency, scaled); }
TVariant TVariant::FromDate(double value) { return TVariant(Kind::Date, value); }
TVariant TVariant::FromString(std::string value) { return TVariant(Kind::String, std::move(value)); }
TVariant TVariant::FromArray(std::vector<TVariant> items) { return TVariant(Kind::Array, std::move(items)); }

void TVariant::WrongKind(const char* wanted) const
{
    static const char* const names[] = {"Empty", "Null", "Boolean", "Integer", "Float",
                                        "Currency", "Date", "String", "Array"};
    throw EConvertError(rtl::Format("Could not convert variant of type (%s) into type (%s)",
                                    names[int(kind_)], wanted));
}

bool TVariant::AsBoolean() const
{
    if (kind_ != Kind::Boolean)
        WrongKind("Boolean");
    return std::get<bool>(value_);
}

int64_t TVariant::AsInteger() const
{
    if (kind_ != Kind::Integer && kind_ != Kind::Currency)
        WrongKind("Integer");
    return std::get<int64_t>(value_);
}

long double TVariant::AsFloat() const
{
    switch (kind_) {
    case Kind::Integer: return static_cast<long double>(std::get<int64_t>(value_));
    case Kind::Currency: return static_cast<long double>(std::get<int64_t>(value_)) / 10000.0L;
    case Kind::Float: return std::get<long double>(value_);
    case Kind::Date: return std::get<double>(value_);
    default: WrongKind("Float");
    }
}

const std::string& TVariant::AsString() const
{
    if (kind_ != Kind::String)
        WrongKind("String");
    return std::get<std::string>(value_);
}

const std::vector<TVariant>& TVariant::AsArray() const
{
    if (kind_ != Kind::Array)
        WrongKind("Array");
    return std::get<std::vector<TVariant>>(value_);
}

bool operator==(const TVariant& a, const TVariant& b)
{
    return a.kind_ == b.kind_ && a.value_ == b.value_;
}

const TTypeInfo* TTypeInfoOf<TVariant>::Get()
{
    static const TTypeInfo info("Variant", TTypeKind::Variant);
    return &info;
}
