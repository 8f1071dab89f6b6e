#pragma once
// The layout reader: builds live components from a binary layout stream (the format and its
// value readers: layoutstream/LayoutFormat.h, layoutstream/ValueReader.h).
//
// Reading walks the stream's grammar recursively over two registries: class name -> class
// description (with its factory) and property name -> typed accessors (ClassInfo.h). A child's
// class is one of the classes of the published fields of the root's class and its ancestors, or
// a class of the process's class registry. Components read in one loading pass are entered in
// a LoadingPass and get Loaded once, after the last layout of the pass. Component references
// are kept pending (PendingReferences) and resolved after the root has been read.
//
// Failure handling: every failure raises (EReadError, EClassNotFound, EComponentError, ...).
// An exception inside one property record becomes EReadError "Error reading
// <component>.<path>: <message>". The message is offered to the error hook; when the hook
// accepts it, reading goes on after the value: the reader returns to where the value started
// and skips it, so a value half-read by a failing reader never puts the stream out of step.
// A child that cannot be created or named is freed, its description skipped, and the message
// likewise offered. Bad streams never read outside the data (see layoutstream/ByteSource.h).

#include "forms/ClassInfo.h"
#include "forms/TFiler.h"
#include "forms/TVariant.h"
#include "layoutstream/ValueReader.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class TComponent;
class TPersistent;
class TStream;
class TCollection;
class LoadingPass;

// The value readers (ReadInteger, ReadString, lists, ...) are those of the stream format; the
// reader adds the component tree and the binding of values to published properties.
class TReader : public TFiler, public layoutstream::ValueReader {
public:
    // Returns true when the error is handled and reading should go on.
    using ErrorHook = std::function<bool(TReader& reader, const std::string& message)>;
    // Sees the method found by name in the root's class (unassigned when none) and may
    // supply or replace it; setting error to false accepts an unassigned method as "no handler".
    using FindMethodHook = std::function<void(TReader& reader, const std::string& name, TMethod& method, bool& error)>;
    // May name the class for a class name (nullptr: use the normal lookup).
    using FindClassHook = std::function<const TClassInfo*(TReader& reader, const std::string& className)>;
    // May create the component itself (nullptr: use the class's factory).
    using CreateComponentHook = std::function<TComponent*(TReader& reader, const TClassInfo& cls, TComponent* owner)>;
    // May change the name a new component is given.
    using SetNameHook = std::function<void(TReader& reader, TComponent* component, std::string& name)>;
    // May change the name of a component reference before it is recorded.
    using ReferenceNameHook = std::function<void(TReader& reader, std::string& name)>;
    // May supply an inherited component the lookup root does not have.
    using AncestorNotFoundHook = std::function<TComponent*(TReader& reader, const std::string& name, const TClassInfo* cls)>;

    static constexpr size_t kBufferSize = layoutstream::ByteSource::kBufferSize;

    // When the reader is destroyed, the stream stands right after the last byte consumed.
    explicit TReader(TStream& stream, size_t bufferSize = kBufferSize);
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // Reads a whole stream into root, or, with no root, into a new instance of the (registered)
    // class the stream names, which is returned. With no shared loading pass set, the pass
    // ends here: every component read gets Loaded. On failure a root created here is freed.
    TComponent* ReadRootComponent(TComponent* root);
    // Joins a loading pass that spans several reads (a window read from several layouts).
    void SetLoadingPass(LoadingPass* pass) { sharedPass_ = pass; }
    // Held while a root is read, so that root names stay unique; recursive, so that reading
    // a window from inside another's reading on the same thread does not deadlock.
    static std::recursive_mutex& NameLock();

    // The common part of a component's state: its property records, then its children.
    // TComponent::ReadState calls ReadData; windows wrap it.
    void ReadData(TComponent* instance);
    void ReadProperties(TPersistent* instance);   // property records until the 0 byte
    void ReadChildren(TComponent* instance);      // child components until the 0 byte
    void ReadProperty(TPersistent* instance);     // one property record
    TComponent* ReadComponent();                   // one child; nullptr when skipped after an error
    void ReadCollection(TCollection* collection);

    // TFiler: reads the value when name is the property being read.
    void DefineProperty(const std::string& name, std::function<void(TReader&)> read) override;
    void DefineBinaryProperty(const std::string& name, std::function<void(TStream&)> read) override;

    // A variant value of any tag (0 gives the null variant, 13 the empty one, a list an array);
    // binary values, identifiers, sets and collections raise "Stream read error".
    TVariant ReadVariant();

    // Reading state.
    TComponent* Root() const { return root_; }
    TComponent* LookupRoot() const { return lookupRoot_; }
    TComponent* Owner() const { return owner_; }
    TComponent* Parent() const { return parent_; }
    const std::string& PropName() const { return propName_; }

    void SetOnError(ErrorHook hook) { onError_ = std::move(hook); }
    void SetOnFindMethod(FindMethodHook hook) { onFindMethod_ = std::move(hook); }
    void SetOnFindComponentClass(FindClassHook hook) { onFindClass_ = std::move(hook); }
    void SetOnCreateComponent(CreateComponentHook hook) { onCreateComponent_ = std::move(hook); }
    void SetOnSetName(SetNameHook hook) { onSetName_ = std::move(hook); }
    void SetOnReferenceName(ReferenceNameHook hook) { onReferenceName_ = std::move(hook); }
    void SetOnAncestorNotFound(AncestorNotFoundHook hook) { onAncestorNotFound_ = std::move(hook); }

private:
    // Structure.
    void ReadPropertyPath(TPersistent* instance, const std::string& path);
    void ReadPropValue(TPersistent* instance, const TPropInfo& prop);
    void ReadSetValue(TPersistent* instance, const TPropInfo& prop);
    void ReadObjectValue(TPersistent* instance, const TPropInfo& prop);
    void ReadMethodValue(TPersistent* instance, const TPropInfo& prop);
    void ReadDesignPosition(TPersistent* instance);
    const TClassInfo& FindComponentClass(const std::string& className);
    TComponent* CreateChild(uint8_t flags, const std::string& className, const std::string& name, bool& created);
    bool OfferError(const std::string& message);
    std::string UniqueRootName(TComponent* root, const std::string& name) const;

    TComponent* root_ = nullptr;
    TComponent* lookupRoot_ = nullptr;
    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    TComponent* component_ = nullptr;   // the component whose state is being read
    LoadingPass* sharedPass_ = nullptr;
    LoadingPass* pass_ = nullptr;
    std::string propName_;
    bool definedDone_ = false;   // a defined property took the current name

    ErrorHook onError_;
    FindMethodHook onFindMethod_;
    FindClassHook onFindClass_;
    CreateComponentHook onCreateComponent_;
    SetNameHook onSetName_;
    ReferenceNameHook onReferenceName_;
    AncestorNotFoundHook onAncestorNotFound_;
};
