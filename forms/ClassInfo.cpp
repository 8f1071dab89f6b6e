#include "forms/ClassInfo.h"

#include "rtl/Text.h"

#include <map>

const TClassInfo& TObject::StaticClass()
{
    static const TClassInfo info("TObject", nullptr);
    return info;
}

std::string TObject::ClassName() const
{
    return ClassType().Name();
}

bool TObject::InheritsFrom(const TClassInfo& cls) const
{
    return ClassType().InheritsFrom(cls);
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, Factory factory)
    : name_(std::move(name)), parent_(parent), factory_(std::move(factory))
{
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == &other)
            return true;
    return false;
}

TComponent* TClassInfo::Create(TComponent* owner) const
{
    return factory_ ? factory_(owner) : nullptr;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TPropInfo& p : c->properties_)
            if (rtl::SameText(p.name, name))
                return &p;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const
{
    std::vector<const TPropInfo*> result;
    if (parent_)
        result = parent_->Properties();
    for (const TPropInfo& p : properties_) {
        // A redeclared property replaces the base class's entry in place.
        bool replaced = false;
        for (auto& existing : result)
            if (rtl::SameText(existing->name, p.name)) {
                existing = &p;
                replaced = true;
            }
        if (!replaced)
            result.push_back(&p);
    }
    return result;
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TFieldInfo& f : c->fields_)
            if (rtl::SameText(f.name, name))
                return &f;
    return nullptr;
}

std::vector<const TFieldInfo*> TClassInfo::Fields() const
{
    std::vector<const TFieldInfo*> result;
    if (parent_)
        result = parent_->Fields();
    for (const TFieldInfo& f : fields_)
        result.push_back(&f);
    return result;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const TMethodInfo& m : c->methods_)
            if (rtl::SameText(m.name, name))
                return &m;
    return nullptr;
}

std::vector<const TMethodInfo*> TClassInfo::Methods() const
{
    std::vector<const TMethodInfo*> result;
    if (parent_)
        result = parent_->Methods();
    for (const TMethodInfo& m : methods_)
        result.push_back(&m);
    return result;
}

TPropInfo& TClassInfo::AddProperty(TPropInfo info)
{
    return properties_.emplace_back(std::move(info));
}

TFieldInfo& TClassInfo::AddField(TFieldInfo info)
{
    return fields_.emplace_back(std::move(info));
}

TMethodInfo& TClassInfo::AddMethod(TMethodInfo info)
{
    return methods_.emplace_back(std::move(info));
}

namespace {
std::map<std::string, const TClassInfo*>& Registry()
{
    static std::map<std::string, const TClassInfo*> registry;
    return registry;
}
} // namespace

void RegisterClass(const TClassInfo& cls)
{
    Registry()[rtl::UpperCase(cls.Name())] = &cls;
}

const TClassInfo* FindRegisteredClass(std::string_view name)
{
    const auto it = Registry().find(rtl::UpperCase(name));
    return it == Registry().end() ? nullptr : it->second;
}
