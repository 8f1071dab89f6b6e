#include "forms/TypeInfo.h"

#include "rtl/Text.h"

TIdentMap::TIdentMap(std::initializer_list<std::pair<int64_t, const char*>> entries)
{
    entries_.reserve(entries.size());
    for (const auto& [value, name] : entries)
        entries_.emplace_back(value, name);
}

bool TIdentMap::IdentToInt(std::string_view ident, int64_t& value) const
{
    for (const auto& [v, name] : entries_)
        if (rtl::SameText(name, ident)) {
            value = v;
            return true;
        }
    return false;
}

bool TIdentMap::IntToIdent(int64_t value, std::string& ident) const
{
    for (const auto& [v, name] : entries_)
        if (v == value) {
            ident = name;
            return true;
        }
    return false;
}

int TTypeInfo::OrdinalOf(std::string_view name) const
{
    for (size_t i = 0; i < enumNames_.size(); ++i)
        if (rtl::SameText(enumNames_[i], name))
            return int(i);
    return -1;
}

std::string TTypeInfo::NameOf(int64_t ordinal) const
{
    if (ordinal < 0 || size_t(ordinal) >= enumNames_.size())
        return {};
    return enumNames_[size_t(ordinal)];
}

TTypeInfo TTypeInfo::Enumeration(std::string name, std::vector<std::string> names)
{
    TTypeInfo info(std::move(name), TTypeKind::Enumeration);
    info.enumNames_ = std::move(names);
    return info;
}

TTypeInfo TTypeInfo::Set(std::string name, const TTypeInfo* element)
{
    TTypeInfo info(std::move(name), TTypeKind::Set);
    info.elementType_ = element;
    return info;
}

TTypeInfo TTypeInfo::Integer(std::string name, const TIdentMap* map)
{
    TTypeInfo info(std::move(name), TTypeKind::Integer);
    info.identMap_ = map;
    return info;
}

TTypeInfo TTypeInfo::Class(const TClassInfo& (*cls)())
{
    TTypeInfo info("class", TTypeKind::Class);
    info.classType_ = cls;
    return info;
}

const TTypeInfo* TTypeInfoOf<int>::Get()
{
    static const TTypeInfo info = TTypeInfo::Integer("Integer");
    return &info;
}

const TTypeInfo* TTypeInfoOf<uint16_t>::Get()
{
    static const TTypeInfo info = TTypeInfo::Integer("Word");
    return &info;
}

const TTypeInfo* TTypeInfoOf<int64_t>::Get()
{
    static const TTypeInfo info("Int64", TTypeKind::Int64);
    return &info;
}

const TTypeInfo* TTypeInfoOf<bool>::Get()
{
    static const TTypeInfo info = TTypeInfo::Enumeration("Boolean", {"False", "True"});
    return &info;
}

const TTypeInfo* TTypeInfoOf<double>::Get()
{
    static const TTypeInfo info("Double", TTypeKind::Float);
    return &info;
}

const TTypeInfo* TTypeInfoOf<long double>::Get()
{
    static const TTypeInfo info("Extended", TTypeKind::Float);
    return &info;
}

const TTypeInfo* TTypeInfoOf<std::string>::Get()
{
    static const TTypeInfo info("string", TTypeKind::String);
    return &info;
}

const TTypeInfo* TTypeInfoOf<char>::Get()
{
    static const TTypeInfo info("Char", TTypeKind::Char);
    return &info;
}
