// LZNT1, the compression of NTFS files in a compressed folder. A file's
// data is cut into compression units (16 clusters); a unit that would not
// shrink is stored raw, a smaller one is stored in its first clusters as a
// series of chunks, each the compressed or plain form of 4 KiB of data.
#pragma once

#include <stddef.h>

enum { Lznt1ChunkBytes = 4096 };

// Decompresses one unit's chunks from in (inSize bytes: the unit's stored
// clusters) into out (outSize bytes: the whole unit). What the chunks do
// not fill is zeros. Every length and back-reference is checked against the
// chunk and both buffers. Returns false when a chunk is damaged: the bytes
// decoded before it stay, the rest of the unit is zeros.
bool DecompressLznt1Unit(const unsigned char* in, size_t inSize, unsigned char* out, size_t outSize);
