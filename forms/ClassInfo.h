#pragma once
// Class descriptions: for each framework class its name, its base, an optional factory (for
// component classes the layout reader may create), and what it publishes: properties (with
// typed getters and setters), component fields (bound when a component of that name is read)
// and methods (event handlers bound by name). Lookups walk the class chain and compare names
// without regard to case. A process-wide class registry maps names to classes.

#include "forms/TObject.h"
#include "forms/TypeInfo.h"
#include "forms/TVariant.h"

#include <any>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class TComponent;

// A method bound to an instance: the value of an event property.
struct TMethod {
    std::any code;           // a std::function of the event's signature
    TObject* data = nullptr; // the instance the method is bound to
    std::string name;        // the published name of the method
    bool IsAssigned() const { return code.has_value(); }
};

struct TPropInfo {
    std::string name;
    const TTypeInfo* type = nullptr;
    // Accessors by kind; only those matching the type's kind are set. A missing setter means
    // the property is read-only.
    std::function<int64_t(TObject*)> getOrd;
    std::function<void(TObject*, int64_t)> setOrd;
    std::function<long double(TObject*)> getFloat;
    std::function<void(TObject*, long double)> setFloat;
    std::function<std::string(TObject*)> getString;
    std::function<void(TObject*, const std::string&)> setString;
    std::function<TObject*(TObject*)> getObject;
    std::function<void(TObject*, TObject*)> setObject;
    std::function<TMethod(TObject*)> getMethod;
    // Returns false when the method's signature does not fit the event.
    std::function<bool(TObject*, const TMethod&)> setMethod;
    std::function<TVariant(TObject*)> getVariant;
    std::function<void(TObject*, const TVariant&)> setVariant;
    std::optional<int64_t> defaultOrd;   // the default of an ordinal property, if declared

    bool HasSetter() const { return setOrd || setFloat || setString || setObject || setMethod || setVariant; }
    TPropInfo& Default(int64_t value) { defaultOrd = value; return *this; }
};

struct TFieldInfo {
    std::string name;
    const TClassInfo& (*fieldClass)() = nullptr;   // resolved on use, like class types
    std::function<void(TObject* owner, TComponent* value)> set;
    std::function<TComponent*(TObject* owner)> get;
};

struct TMethodInfo {
    std::string name;
    std::function<std::any(TObject* instance)> bind;  // gives the method bound to an instance
};

class TClassInfo {
public:
    using Factory = std::function<TComponent*(TComponent* owner)>;

    TClassInfo(std::string name, const TClassInfo* parent, Factory factory = nullptr);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    bool InheritsFrom(const TClassInfo& other) const;
    bool CanCreate() const { return static_cast<bool>(factory_); }
    TComponent* Create(TComponent* owner) const;   // nullptr when the class has no factory

    const TPropInfo* FindProperty(std::string_view name) const;   // walks the chain
    std::vector<const TPropInfo*> Properties() const;              // base class first
    const TFieldInfo* FindField(std::string_view name) const;
    std::vector<const TFieldInfo*> Fields() const;                 // base class first
    const TMethodInfo* FindMethod(std::string_view name) const;
    std::vector<const TMethodInfo*> Methods() const;

    // Used by TClassBuilder while the description is built.
    TPropInfo& AddProperty(TPropInfo info);
    TFieldInfo& AddField(TFieldInfo info);
    TMethodInfo& AddMethod(TMethodInfo info);

private:
    std::string name_;
    const TClassInfo* parent_;
    Factory factory_;
    std::deque<TPropInfo> properties_;   // deque: element addresses stay valid
    std::deque<TFieldInfo> fields_;
    std::deque<TMethodInfo> methods_;
};

// The process-wide class registry (name -> class), for classes a layout may name that are not
// the classes of the root window's published fields.
void RegisterClass(const TClassInfo& cls);
const TClassInfo* FindRegisteredClass(std::string_view name);   // case-insensitive

namespace classinfo_detail {
template <class T>
struct IsFunction : std::false_type {};
template <class R, class... A>
struct IsFunction<std::function<R(A...)>> : std::true_type {};

template <class M>
struct MethodTraits;
template <class C, class R, class... A>
struct MethodTraits<R (C::*)(A...)> {
    using Class = C;
    using Function = std::function<R(A...)>;
};
} // namespace classinfo_detail

// Fills a class description with typed accessors. Getters and setters may be member function
// pointers or callables taking the object (C&) first.
template <class C>
class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& info) : info_(info) {}

    template <class Get, class Set = std::nullptr_t>
    TPropInfo& Property(const char* name, Get get, Set set = nullptr)
    {
        using V = std::remove_cvref_t<std::invoke_result_t<Get, C&>>;
        TPropInfo p;
        p.name = name;
        p.type = TypeInfoOf<V>();
        constexpr bool hasSetter = !std::is_same_v<Set, std::nullptr_t>;
        if constexpr (std::is_floating_point_v<V>) {
            p.getFloat = [get](TObject* o) { return static_cast<long double>(std::invoke(get, Self(o))); };
            if constexpr (hasSetter)
                p.setFloat = [set](TObject* o, long double v) { std::invoke(set, Self(o), static_cast<V>(v)); };
        } else if constexpr (std::is_same_v<V, std::string>) {
            p.getString = [get](TObject* o) { return std::string(std::invoke(get, Self(o))); };
            if constexpr (hasSetter)
                p.setString = [set](TObject* o, const std::string& v) { std::invoke(set, Self(o), v); };
        } else if constexpr (std::is_pointer_v<V>) {
            p.getObject = [get](TObject* o) -> TObject* { return std::invoke(get, Self(o)); };
            if constexpr (hasSetter)
                p.setObject = [set](TObject* o, TObject* v) {
                    using Pointee = std::remove_pointer_t<V>;
                    auto* typed = dynamic_cast<Pointee*>(v);
                    if (v && !typed)
                        return;
                    std::invoke(set, Self(o), typed);
                };
        } else if constexpr (classinfo_detail::IsFunction<V>::value) {
            p.getMethod = [get](TObject* o) {
                TMethod m;
                const V& f = std::invoke(get, Self(o));
                if (f)
                    m.code = f;
                return m;
            };
            if constexpr (hasSetter)
                p.setMethod = [set](TObject* o, const TMethod& m) {
                    if (!m.code.has_value()) {
                        std::invoke(set, Self(o), V());
                        return true;
                    }
                    const V* f = std::any_cast<V>(&m.code);
                    if (!f)
                        return false;
                    std::invoke(set, Self(o), *f);
                    return true;
                };
        } else if constexpr (std::is_same_v<V, TVariant>) {
            p.getVariant = [get](TObject* o) { return TVariant(std::invoke(get, Self(o))); };
            if constexpr (hasSetter)
                p.setVariant = [set](TObject* o, const TVariant& v) { std::invoke(set, Self(o), v); };
        } else if constexpr (TIsSet<V>::value) {
            p.getOrd = [get](TObject* o) { return static_cast<int64_t>(std::invoke(get, Self(o)).Bits()); };
            if constexpr (hasSetter)
                p.setOrd = [set](TObject* o, int64_t v) { std::invoke(set, Self(o), V::FromBits(uint32_t(v))); };
        } else {
            static_assert(std::is_integral_v<V> || std::is_enum_v<V>, "unsupported property type");
            p.getOrd = [get](TObject* o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
            if constexpr (hasSetter)
                p.setOrd = [set](TObject* o, int64_t v) { std::invoke(set, Self(o), static_cast<V>(v)); };
        }
        return info_.AddProperty(std::move(p));
    }

    // A published component field: Field("Edit1", &TForm1::Edit1).
    template <class F>
    TFieldInfo& Field(const char* name, F* C::*member)
    {
        TFieldInfo f;
        f.name = name;
        f.fieldClass = &F::StaticClass;
        f.set = [member](TObject* owner, TComponent* value) {
            Self(owner).*member = dynamic_cast<F*>(value);
        };
        f.get = [member](TObject* owner) -> TComponent* { return Self(owner).*member; };
        return info_.AddField(std::move(f));
    }

    // A published method: Method("Button1Click", &TForm1::Button1Click).
    template <class M>
    TMethodInfo& Method(const char* name, M method)
    {
        using Function = typename classinfo_detail::MethodTraits<M>::Function;
        TMethodInfo m;
        m.name = name;
        m.bind = [method](TObject* instance) -> std::any {
            C* self = &Self(instance);
            return Function([self, method](auto&&... args) {
                return (self->*method)(std::forward<decltype(args)>(args)...);
            });
        };
        return info_.AddMethod(std::move(m));
    }

private:
    static C& Self(TObject* o) { return *static_cast<C*>(o); }
    TClassInfo& info_;
};

// Defines the class description declared by F2_CLASS. Follow it with the body that publishes:
//   F2_DEFINE_CLASS(TLabel, TGraphicControl, F2_FACTORY(TLabel)) { c.Property(...); }
#define F2_DEFINE_CLASS(Self, Base, FactoryExpr)                                      \
    static void Self##_Publish(TClassBuilder<Self>& c);                               \
    const TClassInfo& Self::StaticClass()                                             \
    {                                                                                 \
        static const TClassInfo* info = [] {                                          \
            static TClassInfo instance(#Self, &Base::StaticClass(), FactoryExpr);     \
            TClassBuilder<Self> builder(instance);                                    \
            Self##_Publish(builder);                                                  \
            return &instance;                                                         \
        }();                                                                          \
        return *info;                                                                 \
    }                                                                                 \
    static void Self##_Publish([[maybe_unused]] TClassBuilder<Self>& c)

// The factory of a component class whose constructor takes the owner.
#define F2_FACTORY(Self) [](TComponent* owner) -> TComponent* { return new Self(owner); }
#define F2_NO_FACTORY nullptr
