#pragma once
// The layout reader: builds live components from a binary layout stream.
//
// The stream is little-endian. A short string is a length byte and that many bytes.
//
//   stream     = "TPF0" component
//   component  = [prefix] class-name name { property } 0 { component } 0
//   prefix     = one byte 0xF0 + flags (1 inherited, 2 child position, 4 inline); with the
//                child-position flag an integer value follows
//   property   = name value            the name may be a dotted path ("Font.Height")
//   value      = tag byte + payload    (TValueTag lists the tags and their payloads)
//
// Reading walks this grammar recursively over two registries: class name -> class description
// (with its factory) and property name -> typed accessors (ClassInfo.h). A child's class is
// looked up among the classes of the root's published fields first, then in the process's
// class registry. Components read in one loading pass are entered in a LoadingPass and get
// Loaded once, after the last layout of the pass. Component references are kept pending
// (PendingReferences) and resolved after the root has been read.
//
// Failure handling: every failure raises (EReadError, EClassNotFound, EComponentError, ...).
// An exception inside one property record becomes EReadError "Error reading
// <component>.<path>: <message>". The message is offered to the error hook; when the hook
// accepts it, reading goes on after the value: the reader returns to where the value started
// and skips it, so a value half-read by a failing reader never puts the stream out of step.
// A child that cannot be created or named is freed, its description skipped, and the message
// likewise offered. Bad streams never read outside the buffer: every byte is fetched through
// one checked routine that raises "Stream read error" at the end of the data, and lengths read
// from the stream are never trusted for allocations (payloads are read in chunks).

#include "forms/ClassInfo.h"
#include "forms/TFiler.h"
#include "forms/TVariant.h"

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

enum class TValueTag : uint8_t {
    Null = 0,         // none; ends lists
    List = 1,         // values until a 0 byte
    Int8 = 2,         // 1 byte, signed
    Int16 = 3,        // 2 bytes, signed
    Int32 = 4,        // 4 bytes, signed
    Extended = 5,     // 10 bytes, 80-bit extended float
    String = 6,       // short string, desktop code page
    Ident = 7,        // short string, an identifier
    False = 8,        // none
    True = 9,         // none
    Binary = 10,      // 4-byte length n, n bytes
    Set = 11,         // short strings until an empty one
    LString = 12,     // 4-byte length n, n bytes, desktop code page
    Nil = 13,         // none
    Collection = 14,  // items until 0: [integer] 1 {property} 0
    Single = 15,      // 4 bytes, IEEE single
    Currency = 16,    // 8 bytes, value times 10000
    Date = 17,        // 8 bytes, IEEE double
    WString = 18,     // 4-byte count n of UTF-16 units, 2n bytes
    Int64 = 19,       // 8 bytes, signed
    UTF8String = 20,  // 4-byte length n, n bytes of UTF-8
};

// Flags of the prefix byte (0xF0 + flags) before a component's class name.
enum TFilerFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

class TReader : public TFiler {
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

    static constexpr size_t kBufferSize = 4096;

    explicit TReader(TStream& stream, size_t bufferSize = kBufferSize);
    // Moves the stream back by the bytes still unread in the buffer, so that it stands right
    // after the last byte consumed.
    ~TReader() override;
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

    // Value readers. Each checks the tag and raises EReadError "Invalid property value" on a
    // mismatch; texts come back as UTF-8.
    TValueTag NextValue();     // the next tag, not consumed
    TValueTag ReadValue();     // the next tag, consumed
    int32_t ReadInteger();     // 2, 3, 4
    int64_t ReadInt64();       // 19, 2, 3, 4
    long double ReadFloat();   // 5, 2, 3, 4, 19
    float ReadSingle();        // 15, 2, 3, 4, 19
    int64_t ReadCurrency();    // 16 (scaled by 10000), or an integer tag times 10000
    double ReadDate();         // 17, 2, 3, 4, 19
    std::string ReadString();      // 6, 12, 18, 20
    std::string ReadWideString();  // 18, 20, 6, 12
    char32_t ReadChar();       // any string form of at most one character; 0 for an empty one
    // The same as the code of a character property: the code-page byte of the character
    // ("?" for a character the code page lacks).
    uint8_t ReadAnsiChar();
    std::string ReadIdent();   // 7; 8 "False", 9 "True", 13 "nil", 0 "Null"
    // 9 is true, any other tag false. The payload of another tag is skipped, so that the
    // stream stays in step.
    bool ReadBoolean();
    TVariant ReadVariant();
    void ReadListBegin();      // 1
    void ReadListEnd();        // 0
    bool EndOfList();          // the next byte is 0 (not consumed)
    void SkipValue();          // any tag with its payload
    std::string ReadStr();     // a short string
    void ReadSignature();      // "TPF0", else "Invalid stream format"
    void ReadPrefix(uint8_t& flags, int32_t& position);

    // Reading state.
    TComponent* Root() const { return root_; }
    TComponent* LookupRoot() const { return lookupRoot_; }
    TComponent* Owner() const { return owner_; }
    TComponent* Parent() const { return parent_; }
    const std::string& PropName() const { return propName_; }
    // The byte offset in the stream of the next byte to be read.
    int64_t Position() const;

    void SetOnError(ErrorHook hook) { onError_ = std::move(hook); }
    void SetOnFindMethod(FindMethodHook hook) { onFindMethod_ = std::move(hook); }
    void SetOnFindComponentClass(FindClassHook hook) { onFindClass_ = std::move(hook); }
    void SetOnCreateComponent(CreateComponentHook hook) { onCreateComponent_ = std::move(hook); }
    void SetOnSetName(SetNameHook hook) { onSetName_ = std::move(hook); }
    void SetOnReferenceName(ReferenceNameHook hook) { onReferenceName_ = std::move(hook); }
    void SetOnAncestorNotFound(AncestorNotFoundHook hook) { onAncestorNotFound_ = std::move(hook); }

private:
    // Byte access.
    void Read(void* buffer, size_t count);
    uint8_t ReadByte();
    uint8_t PeekByte();
    void FillBuffer();
    void SetPosition(int64_t position);
    template <class T> T ReadLittle();
    uint32_t ReadLength();
    std::string ReadBytes(uint32_t count);   // in chunks: a bogus length only meets the end

    // Values.
    [[noreturn]] void InvalidValue();
    bool IsIntegerTag(TValueTag tag) const;
    int64_t ReadIntegerPayload(TValueTag tag);
    std::string ReadTextPayload(TValueTag tag);
    void SkipPayload(TValueTag tag);
    void SkipSetElements();
    void SkipBytes(uint64_t count);

    // Structure.
    void ReadPropertyPath(TPersistent* instance, const std::string& path);
    void ReadPropValue(TPersistent* instance, const TPropInfo& prop);
    void ReadSetValue(TPersistent* instance, const TPropInfo& prop);
    void ReadObjectValue(TPersistent* instance, const TPropInfo& prop);
    void ReadMethodValue(TPersistent* instance, const TPropInfo& prop);
    void ReadDesignPosition(TPersistent* instance);
    const TClassInfo& FindComponentClass(const std::string& className);
    TComponent* CreateChild(uint8_t flags, const std::string& className, const std::string& name, bool& created);
    void SkipProperties();
    void SkipComponentBody();
    bool OfferError(const std::string& message);
    std::string UniqueRootName(TComponent* root, const std::string& name) const;

    TStream& stream_;
    std::vector<uint8_t> buffer_;
    size_t bufPos_ = 0;
    size_t bufEnd_ = 0;
    int64_t streamPosAtEnd_ = 0;   // stream offset of the byte after the buffered ones

    TComponent* root_ = nullptr;
    TComponent* lookupRoot_ = nullptr;
    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    TComponent* component_ = nullptr;   // the component whose state is being read
    LoadingPass* sharedPass_ = nullptr;
    LoadingPass* pass_ = nullptr;
    std::string propName_;
    bool definedDone_ = false;   // a defined property took the current name
    int depth_ = 0;              // nesting of components and list values

    ErrorHook onError_;
    FindMethodHook onFindMethod_;
    FindClassHook onFindClass_;
    CreateComponentHook onCreateComponent_;
    SetNameHook onSetName_;
    ReferenceNameHook onReferenceName_;
    AncestorNotFoundHook onAncestorNotFound_;
};
