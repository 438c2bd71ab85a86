// Little- and big-endian field getters for the image decoders: fields are read
// through these, never by casting a structure over the buffer.
#pragma once

#include <windows.h>

namespace imagebytes {
inline unsigned le16(const BYTE* p) { return p[0] | (p[1] << 8); }
inline DWORD le32(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}
inline unsigned be16(const BYTE* p) { return (p[0] << 8) | p[1]; }
} // namespace imagebytes
