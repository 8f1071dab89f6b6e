#pragma once
// Checks that bytes form exactly one well-formed binary layout stream: the signature, one
// root component and nothing after it. Only the grammar is checked (tags, lengths, list and
// component ends), not names or property types, so it judges any producer of streams.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace fuzz {

class StreamWalker {
public:
    explicit StreamWalker(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    // True for a well-formed stream; otherwise Error() says what is wrong and where.
    bool Walk();
    const std::string& Error() const { return error_; }
    // Component records seen, the root included.
    int Components() const { return components_; }

private:
    bool Fail(const char* what);
    bool Byte(uint8_t& out);
    bool Skip(uint64_t count);
    bool Length(uint32_t& out);
    bool ShortString(bool nonEmpty);
    bool Component();
    bool Properties();
    bool Value();
    // Elements read by `element` up to the 0 byte that ends their list; `where` is the failure.
    bool ZeroEndedList(const char* where, bool (StreamWalker::*element)());
    bool Property() { return ShortString(true) && Value(); }
    bool Integer();

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    int components_ = 0;
    std::string error_;
};

} // namespace fuzz
