#pragma once
// Decodes the values of a layout stream (LayoutFormat.h) from a ByteSource, and skips values,
// property lists and whole component descriptions. Each value reader checks the tag and raises
// EReadError "Invalid property value" on a mismatch; texts come back as UTF-8 (String and
// LString values are ANSI code-page text, WString values UTF-16, UTF8String values UTF-8 with
// each malformed byte replaced). Nesting (lists, collections, and the components of whoever
// reads the structure) is counted, and a level beyond kMaxNesting raises EReadError "Layout
// nesting is too deep" instead of exhausting the stack.

#include "layoutstream/ByteSource.h"
#include "layoutstream/LayoutFormat.h"

#include <cstdint>
#include <functional>
#include <string>

namespace layoutstream {

class ValueReader {
public:
    explicit ValueReader(ByteInput input, size_t bufferSize = ByteSource::kBufferSize);

    // One nesting level while it lives.
    class Nesting {
    public:
        explicit Nesting(ValueReader& reader);
        ~Nesting() { --depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        int& depth_;
    };

    // Structure.
    void ReadSignature();      // else "Invalid stream format"
    void ReadPrefix(uint8_t& flags, int32_t& position);   // no prefix: flags 0, position -1
    std::string ReadStr();     // a short string

    // Values.
    ValueTag NextValue();      // the next tag, not consumed
    ValueTag ReadValue();      // the next tag, consumed
    int32_t ReadInteger();     // 2, 3, 4
    int64_t ReadInt64();       // 19, 2, 3, 4
    long double ReadFloat();   // 5, 2, 3, 4, 19
    float ReadSingle();        // 15, 2, 3, 4, 19
    int64_t ReadCurrency();    // 16 (scaled by 10000), or an integer tag times 10000
    double ReadDate();         // 17, 2, 3, 4, 19
    std::string ReadString();      // 6, 12, 18, 20
    std::string ReadWideString();  // 18, 20, 6, 12
    char32_t ReadChar();       // any string form of at most one character; 0 for an empty one
    // The code of a character property: the code-page byte of the character ("?" for a
    // character the code page lacks). Narrow texts count in code-page characters.
    uint8_t ReadAnsiChar();
    std::string ReadIdent();   // 7; 8 "False", 9 "True", 13 "nil", 0 "Null"
    // 9 is true, any other tag false. The payload of another tag is skipped, so that the
    // stream stays in step.
    bool ReadBoolean();
    void ReadListBegin();      // 1
    void ReadListEnd();        // 0
    bool EndOfList();          // the next byte is 0 (not consumed)
    // A binary value (10), handed over in chunks as it is read, so that the stream's end, not
    // the length it states, bounds what the caller collects. Another tag is skipped, then
    // refused.
    void ReadBinary(const std::function<void(const uint8_t* bytes, size_t count)>& chunk);

    // Skipping.
    void SkipValue();          // any tag with its payload
    void SkipProperties();     // property records up to and with their 0 byte
    void SkipComponentBody();  // properties and children of a component whose header was read

    // The position in the input of the next byte to be read.
    int64_t Position() const { return source_.Position(); }

protected:
    [[noreturn]] static void InvalidValue();
    void SetPosition(int64_t position) { source_.SetPosition(position); }
    int64_t ReadIntegerPayload(ValueTag tag);
    std::string ReadTextPayload(ValueTag tag);
    void SkipPayload(ValueTag tag);

private:
    void SkipSetElements();
    // A value stored as the raw bits of T under the tag own, or as any integer.
    template <class T, class Bits>
    T ReadBitsOrInteger(ValueTag own);

    ByteSource source_;
    int depth_ = 0;
};

} // namespace layoutstream
