#include "forms/TReader.h"

#include "forms/LoadingPass.h"
#include "forms/PendingReferences.h"
#include "forms/TCollection.h"
#include "forms/TComponent.h"
#include "forms/TMemoryStream.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/Text.h"

using layoutstream::ValueTag;

namespace {

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

// The name a failing property record is reported under.
std::string InstanceName(TPersistent* instance)
{
    if (auto* component = dynamic_cast<TComponent*>(instance); component && !component->Name().empty())
        return component->Name();
    return instance->ClassName();
}

} // namespace

TReader::TReader(TStream& stream, size_t bufferSize)
    : ValueReader({[&stream](void* buffer, size_t count) { return stream.Read(buffer, count); },
                   [&stream](int64_t position) { return stream.Seek(position, TSeekOrigin::Beginning); },
                   stream.Position()},
                  bufferSize)
{
}

std::recursive_mutex& TReader::NameLock()
{
    static std::recursive_mutex lock;
    return lock;
}

// ---- Variants ----------------------------------------------------------------------------

TVariant TReader::ReadVariant()
{
    const ValueTag tag = ReadValue();
    switch (tag) {
    case ValueTag::Null: return TVariant::Null();
    case ValueTag::Nil: return TVariant();
    case ValueTag::False: return TVariant::FromBoolean(false);
    case ValueTag::True: return TVariant::FromBoolean(true);
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
    case ValueTag::Int64: return TVariant::FromInteger(ReadIntegerPayload(tag));
    case ValueTag::Extended:
    case ValueTag::Single:
    case ValueTag::Currency:
    case ValueTag::Date: {
        SetPosition(Position() - 1);
        if (tag == ValueTag::Extended)
            return TVariant::FromFloat(ReadFloat());
        if (tag == ValueTag::Single)
            return TVariant::FromFloat(ReadSingle());
        if (tag == ValueTag::Currency)
            return TVariant::FromCurrency(ReadCurrency());
        return TVariant::FromDate(ReadDate());
    }
    case ValueTag::String:
    case ValueTag::LString:
    case ValueTag::WString:
    case ValueTag::UTF8String: return TVariant::FromString(ReadTextPayload(tag));
    case ValueTag::List: {
        Nesting level(*this);
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
    TMemoryStream data;
    ReadBinary([&data](const uint8_t* bytes, size_t count) { data.WriteBuffer(bytes, count); });
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
        if (NextValue() != ValueTag::Ident) {
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
    if (ReadValue() != ValueTag::Set)
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
    case ValueTag::Nil:
        if (!prop.setObject) {
            SkipValue();
            throw EReadError("Property is read-only");
        }
        ReadValue();
        prop.setObject(instance, nullptr);
        return;
    case ValueTag::Collection: {
        ReadValue();
        auto* collection = dynamic_cast<TCollection*>(prop.getObject ? prop.getObject(instance) : nullptr);
        if (!collection) {
            SkipPayload(ValueTag::Collection);
            InvalidValue();
        }
        ReadCollection(collection);
        return;
    }
    case ValueTag::Ident: {
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
    const ValueTag tag = NextValue();
    if (tag == ValueTag::Nil) {
        ReadValue();
        if (!prop.setMethod(instance, TMethod{}))
            InvalidValue();
        return;
    }
    if (tag != ValueTag::Ident)
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
    Nesting level(*this);
    collection->BeginUpdate();
    struct EndUpdate {
        TCollection* c;
        ~EndUpdate() { c->EndUpdate(); }
    } end{collection};
    if (!EndOfList())
        collection->Clear();
    while (!EndOfList()) {
        if (layoutstream::IsSmallIntegerTag(NextValue()))
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
    if (flags & layoutstream::PrefixInherited) {
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
    Nesting level(*this);
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
        if (flags & layoutstream::PrefixInline) {
            component->SetComponentStateFlag(csInline, true);
            lookupRoot_ = component;
        }
        component_ = component;
        component->SetComponentStateFlag(csReading, true);
        component->ReadState(*this);
        component->SetComponentStateFlag(csReading, false);
        // A stored child position puts the component at that place among its parent's children.
        if ((flags & layoutstream::PrefixChildPosition) && position >= 0)
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
