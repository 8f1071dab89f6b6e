#pragma once
// Reads the bytes of a layout stream through a buffer: single bytes, little-endian numbers,
// 4-byte lengths, short strings and runs of bytes. Every byte is fetched through one checked
// routine that raises EReadError "Stream read error" at the end of the data, and lengths read
// from the stream are never trusted for an allocation (long runs are read and skipped in
// chunks), so a cut or damaged stream only ever meets its end. When the source is destroyed it
// moves its input back by the bytes still unread in the buffer, so that the input stands right
// after the last byte consumed.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace layoutstream {

// Where the bytes come from: read takes up to count bytes and returns how many it took (0 at
// the end); seek moves to an absolute position and returns it; start is the position when
// reading begins. The framework hands in its streams this way.
struct ByteInput {
    std::function<size_t(void* buffer, size_t count)> read;
    std::function<int64_t(int64_t position)> seek;
    int64_t start = 0;
};

class ByteSource {
public:
    static constexpr size_t kBufferSize = 4096;

    explicit ByteSource(ByteInput input, size_t bufferSize = kBufferSize);
    ~ByteSource();
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;

    // The input position of the next byte to be read; going back to an earlier one re-reads it.
    int64_t Position() const;
    void SetPosition(int64_t position);

    uint8_t ReadByte();
    uint8_t PeekByte();   // not consumed
    void Read(void* buffer, size_t count);
    template <class T>
    T ReadLittle()
    {
        uint8_t bytes[sizeof(T)];
        Read(bytes, sizeof bytes);
        uint64_t value = 0;
        for (size_t i = sizeof(T); i-- > 0;)
            value = (value << 8) | bytes[i];
        return static_cast<T>(value);
    }
    uint32_t ReadLength() { return ReadLittle<uint32_t>(); }
    std::string ReadBytes(uint32_t count);
    std::string ReadShortString() { return ReadBytes(ReadByte()); }
    void Skip(uint64_t count);

private:
    void Fill();

    ByteInput input_;
    std::vector<uint8_t> buffer_;
    size_t pos_ = 0;
    size_t end_ = 0;
    int64_t inputPosAtEnd_ = 0;   // input position of the byte after the buffered ones
};

} // namespace layoutstream
