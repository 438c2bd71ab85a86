#include "ntfs/Lznt1.h"

#include <string.h>

#include "common/ByteOrder.h"

namespace {

const uint16_t ChunkCompressed = 0x8000;
const uint16_t ChunkSignatureMask = 0x7000;
const uint16_t ChunkSignature = 0x3000;   // every chunk header carries it
const uint16_t ChunkLengthMask = 0x0FFF;  // stored length - 1

// Decodes one compressed chunk into out[0, end). The split of a back
// reference's 16 bits into offset and length moves with the position in
// the chunk: 4 offset bits up to 16 bytes in, one more each time the
// position doubles, so that the offset can always reach the chunk's start.
bool DecodeChunk(const unsigned char* c, size_t length, unsigned char* out, size_t end)
{
    size_t cp = 0, dp = 0;
    while (cp < length && dp < end) {
        unsigned flags = c[cp++];
        for (int bit = 0; bit < 8 && cp < length && dp < end; ++bit, flags >>= 1) {
            if (!(flags & 1)) {
                out[dp++] = c[cp++];
                continue;
            }
            if (length - cp < 2 || dp == 0)
                return false;
            unsigned token = le16(c + cp);
            cp += 2;
            unsigned lengthBits = 12;
            for (size_t i = dp - 1; i >= 0x10; i >>= 1)
                --lengthBits;
            size_t offset = (token >> lengthBits) + 1;
            size_t count = (token & ((1u << lengthBits) - 1)) + 3;
            if (offset > dp || count > end - dp)
                return false;
            // Byte by byte: the copy may overlap what it writes.
            for (size_t k = 0; k < count; ++k, ++dp)
                out[dp] = out[dp - offset];
        }
    }
    return true;
}

}  // namespace

bool DecompressLznt1Unit(const unsigned char* in, size_t inSize, unsigned char* out, size_t outSize)
{
    memset(out, 0, outSize);
    size_t ip = 0, op = 0;
    while (op < outSize) {
        // A zero header (or the end of the stored clusters) ends the unit:
        // the data past it is zeros.
        if (inSize - ip < 2)
            return true;
        uint16_t header = le16(in + ip);
        if (header == 0)
            return true;
        if ((header & ChunkSignatureMask) != ChunkSignature)
            return false;
        size_t length = (size_t)(header & ChunkLengthMask) + 1;
        ip += 2;
        if (length > inSize - ip)
            return false;
        const unsigned char* chunk = in + ip;
        ip += length;
        size_t room = outSize - op < (size_t)Lznt1ChunkBytes ? outSize - op : (size_t)Lznt1ChunkBytes;
        if (header & ChunkCompressed) {
            if (!DecodeChunk(chunk, length, out + op, room)) {
                memset(out + op, 0, outSize - op);
                return false;
            }
        } else {
            if (length > room)
                return false;
            memcpy(out + op, chunk, length);
        }
        // A chunk that gives less than 4 KiB leaves zeros up to the next one.
        op += room;
    }
    return true;
}
