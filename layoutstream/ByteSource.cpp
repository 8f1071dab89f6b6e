#include "layoutstream/ByteSource.h"

#include "rtl/Exception.h"

#include <algorithm>
#include <cstring>

namespace layoutstream {

ByteSource::ByteSource(ByteInput input, size_t bufferSize)
    : input_(std::move(input)), buffer_(std::max<size_t>(bufferSize, 16)), inputPosAtEnd_(input_.start)
{
}

ByteSource::~ByteSource()
{
    try {
        if (end_ > pos_)
            input_.seek(Position());
    } catch (...) {
        // An input that cannot seek back stays after the buffered bytes.
    }
}

int64_t ByteSource::Position() const
{
    return inputPosAtEnd_ - int64_t(end_ - pos_);
}

void ByteSource::SetPosition(int64_t position)
{
    const int64_t bufferStart = inputPosAtEnd_ - int64_t(end_);
    if (position >= bufferStart && position <= inputPosAtEnd_) {
        pos_ = size_t(position - bufferStart);
        return;
    }
    inputPosAtEnd_ = input_.seek(position);
    pos_ = end_ = 0;
}

void ByteSource::Fill()
{
    pos_ = 0;
    end_ = input_.read(buffer_.data(), buffer_.size());
    inputPosAtEnd_ += int64_t(end_);
    if (end_ == 0)
        throw EReadError("Stream read error");
}

uint8_t ByteSource::ReadByte()
{
    if (pos_ == end_)
        Fill();
    return buffer_[pos_++];
}

uint8_t ByteSource::PeekByte()
{
    if (pos_ == end_)
        Fill();
    return buffer_[pos_];
}

void ByteSource::Read(void* buffer, size_t count)
{
    auto* out = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        if (pos_ == end_)
            Fill();
        const size_t n = std::min(count, end_ - pos_);
        std::memcpy(out, buffer_.data() + pos_, n);
        pos_ += n;
        out += n;
        count -= n;
    }
}

std::string ByteSource::ReadBytes(uint32_t count)
{
    std::string bytes;
    char chunk[4096];
    for (uint32_t left = count; left > 0;) {
        const uint32_t n = std::min<uint32_t>(left, sizeof chunk);
        Read(chunk, n);
        bytes.append(chunk, n);
        left -= n;
    }
    return bytes;
}

void ByteSource::Skip(uint64_t count)
{
    uint8_t chunk[256];
    while (count > 0) {
        const size_t n = size_t(std::min<uint64_t>(count, sizeof chunk));
        Read(chunk, n);
        count -= n;
    }
}

} // namespace layoutstream
