#include "forms/TMemoryStream.h"

#include "rtl/Exception.h"

#include <algorithm>
#include <cstring>

TMemoryStream TMemoryStream::View(std::span<const uint8_t> bytes)
{
    TMemoryStream stream;
    stream.view_ = bytes.data();
    stream.viewSize_ = bytes.size();
    return stream;
}

size_t TMemoryStream::Read(void* buffer, size_t count)
{
    const size_t size = MemorySize();
    const size_t available = position_ < size ? size - position_ : 0;
    const size_t n = std::min(count, available);
    if (n)
        std::memcpy(buffer, Memory() + position_, n);
    position_ += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count)
{
    if (view_)
        throw EStreamError("Stream write error");
    if (position_ + count > bytes_.size())
        bytes_.resize(position_ + count);
    if (count)
        std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    const int64_t size = int64_t(MemorySize());
    int64_t base = 0;
    if (origin == TSeekOrigin::Current)
        base = int64_t(position_);
    else if (origin == TSeekOrigin::End)
        base = size;
    int64_t target = base + offset;
    // Positions beyond the end are allowed for writing; negative ones are not.
    if (target < 0)
        target = 0;
    position_ = size_t(target);
    return target;
}

void TMemoryStream::Clear()
{
    bytes_.clear();
    bytes_.shrink_to_fit();
    view_ = nullptr;
    viewSize_ = 0;
    position_ = 0;
}
