#include "tests/fuzz/targets/StreamWalker.h"

#include <cstring>

namespace fuzz {

bool StreamWalker::Walk()
{
    if (bytes_.size() < 4 || std::memcmp(bytes_.data(), "TPF0", 4) != 0)
        return Fail("no TPF0 signature");
    pos_ = 4;
    if (!Component())
        return false;
    return pos_ == bytes_.size() || Fail("bytes after the root component");
}

bool StreamWalker::Fail(const char* what)
{
    if (error_.empty())
        error_ = std::string(what) + " at offset " + std::to_string(pos_);
    return false;
}

bool StreamWalker::Byte(uint8_t& out)
{
    if (pos_ >= bytes_.size())
        return Fail("stream ends early");
    out = bytes_[pos_++];
    return true;
}

bool StreamWalker::Skip(uint64_t count)
{
    if (count > bytes_.size() - pos_)
        return Fail("payload runs past the end");
    pos_ += size_t(count);
    return true;
}

bool StreamWalker::Length(uint32_t& out)
{
    if (bytes_.size() - pos_ < 4)
        return Fail("stream ends inside a length");
    out = uint32_t(bytes_[pos_]) | uint32_t(bytes_[pos_ + 1]) << 8 | uint32_t(bytes_[pos_ + 2]) << 16 |
          uint32_t(bytes_[pos_ + 3]) << 24;
    pos_ += 4;
    return true;
}

bool StreamWalker::ShortString(bool nonEmpty)
{
    uint8_t length = 0;
    if (!Byte(length))
        return false;
    if (nonEmpty && length == 0)
        return Fail("empty name");
    return Skip(length);
}

bool StreamWalker::Integer()
{
    uint8_t tag = 0;
    if (!Byte(tag))
        return false;
    switch (tag) {
    case 2: return Skip(1);
    case 3: return Skip(2);
    case 4: return Skip(4);
    default: return Fail("expected an integer value");
    }
}

bool StreamWalker::Component()
{
    ++components_;
    if (pos_ < bytes_.size() && bytes_[pos_] >= 0xF0) {
        const uint8_t flags = bytes_[pos_++] & 0x0F;
        if (flags & ~0x07)
            return Fail("unknown prefix flags");
        if ((flags & 2) && !Integer())
            return false;
    }
    return ShortString(true) && ShortString(false) && Properties() &&
           ZeroEndedList("stream ends inside the child list", &StreamWalker::Component);
}

bool StreamWalker::Properties()
{
    return ZeroEndedList("stream ends inside the property list", &StreamWalker::Property);
}

bool StreamWalker::ZeroEndedList(const char* where, bool (StreamWalker::*element)())
{
    for (;;) {
        if (pos_ >= bytes_.size())
            return Fail(where);
        if (bytes_[pos_] == 0) {
            ++pos_;
            return true;
        }
        if (!(this->*element)())
            return false;
    }
}

bool StreamWalker::Value()
{
    uint8_t tag = 0;
    if (!Byte(tag))
        return false;
    uint32_t length = 0;
    switch (tag) {
    case 0: case 8: case 9: case 13:
        return true;
    case 1:
        return ZeroEndedList("stream ends inside a list", &StreamWalker::Value);
    case 2: return Skip(1);
    case 3: return Skip(2);
    case 4: case 15: return Skip(4);
    case 5: return Skip(10);
    case 6: case 7: return ShortString(false);
    case 10: case 12: case 20: return Length(length) && Skip(length);
    case 18: return Length(length) && Skip(uint64_t(length) * 2);
    case 16: case 17: case 19: return Skip(8);
    case 11:
        for (;;) {
            uint8_t nameLength = 0;
            if (!Byte(nameLength))
                return false;
            if (nameLength == 0)
                return true;
            if (!Skip(nameLength))
                return false;
        }
    case 14:
        for (;;) {
            uint8_t next = 0;
            if (!Byte(next))
                return false;
            if (next == 0)
                return true;
            if (next >= 2 && next <= 4) {
                --pos_;
                if (!Integer() || !Byte(next))
                    return false;
            }
            if (next != 1)
                return Fail("collection item does not start with 1");
            if (!Properties())
                return false;
        }
    default:
        return Fail("unknown value tag");
    }
}

} // namespace fuzz
