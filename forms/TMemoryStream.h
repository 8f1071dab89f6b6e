#pragma once
// A stream over bytes held in memory (a copy, or a read-only view of embedded data).

#include "forms/TStream.h"

#include <cstdint>
#include <span>
#include <vector>

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    // A read-only view; the bytes must outlive the stream. Writing to a view raises.
    static TMemoryStream View(std::span<const uint8_t> bytes);

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;

    const uint8_t* Memory() const { return view_ ? view_ : bytes_.data(); }
    size_t MemorySize() const { return view_ ? viewSize_ : bytes_.size(); }
    std::vector<uint8_t> Bytes() const { return {Memory(), Memory() + MemorySize()}; }
    void Clear();

private:
    std::vector<uint8_t> bytes_;
    const uint8_t* view_ = nullptr;
    size_t viewSize_ = 0;
    size_t position_ = 0;
};
