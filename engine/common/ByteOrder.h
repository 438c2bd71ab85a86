// Explicit little- and big-endian field getters for on-disk structures.
// VHD is big-endian; VHDX, MBR, FAT and NTFS are little-endian.
#pragma once

#include <stdint.h>

inline uint16_t be16(const unsigned char* p) { return (uint16_t)((p[0] << 8) | p[1]); }
inline uint32_t be32(const unsigned char* p)
{
    return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
}
inline uint64_t be64(const unsigned char* p) { return ((uint64_t)be32(p) << 32) | be32(p + 4); }

inline uint16_t le16(const unsigned char* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
inline uint32_t le32(const unsigned char* p)
{
    return p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}
inline uint64_t le64(const unsigned char* p) { return le32(p) | ((uint64_t)le32(p + 4) << 32); }

inline bool IsPowerOfTwo(uint64_t v) { return v != 0 && (v & (v - 1)) == 0; }

// Index of the single set bit of a power of two.
inline unsigned Log2Exact(uint64_t v)
{
    unsigned n = 0;
    while (v > 1) { v >>= 1; ++n; }
    return n;
}
