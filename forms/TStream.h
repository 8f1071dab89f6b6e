#pragma once
// Byte streams: the layout reader reads from one, graphics load themselves from one.

#include "forms/TObject.h"

#include <cstddef>
#include <cstdint>

enum class TSeekOrigin { Beginning, Current, End };

class TStream : public TObject {
public:
    // Reads up to count bytes; returns how many were read.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    // Moves the position (clamped to 0 .. Size) and returns it.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::Current); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::Beginning); }
    int64_t Size();
    // Reads exactly count bytes or raises EReadError "Stream read error".
    void ReadBuffer(void* buffer, size_t count);
    // Writes exactly count bytes or raises EWriteError "Stream write error".
    void WriteBuffer(const void* buffer, size_t count);
};
