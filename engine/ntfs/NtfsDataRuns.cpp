#include "ntfs/NtfsDataRuns.h"

#include "common/ByteOrder.h"
#include "ntfs/NtfsAttribute.h"


namespace {

uint64_t ReadUnsigned(const unsigned char* p, unsigned bytes)
{
    uint64_t v = 0;
    for (unsigned i = bytes; i-- > 0;)
        v = (v << 8) | p[i];
    return v;
}

int64_t ReadSigned(const unsigned char* p, unsigned bytes)
{
    uint64_t v = ReadUnsigned(p, bytes);
    if (bytes < 8 && (p[bytes - 1] & 0x80))
        v |= ~(uint64_t)0 << (8 * bytes);
    return (int64_t)v;
}

}  // namespace

int DecodeMappingPairs(const unsigned char* pairs, size_t size, std::vector<NtfsRun>& runs)
{
    size_t pos = 0;
    int64_t lcn = 0;
    while (pos < size) {
        unsigned header = pairs[pos];
        if (header == 0)
            return 1;
        unsigned lengthBytes = header & 0x0F;
        unsigned offsetBytes = header >> 4;
        if (lengthBytes < 1 || lengthBytes > 8 || offsetBytes > 8)
            return 0;
        if (size - pos - 1 < lengthBytes + offsetBytes)
            return 0;
        const unsigned char* p = pairs + pos + 1;
        uint64_t length = ReadUnsigned(p, lengthBytes);
        if (length == 0 || length > (uint64_t)INT64_MAX)
            return 0;
        NtfsRun run;
        run.length = length;
        run.sparse = offsetBytes == 0;
        if (run.sparse) {
            run.lcn = 0;
        } else {
            int64_t delta = ReadSigned(p + lengthBytes, offsetBytes);
            // Overflow-safe: both values are signed 64-bit.
            if ((delta > 0 && lcn > INT64_MAX - delta) || lcn + delta < 0)
                return 0;
            lcn += delta;
            run.lcn = lcn;
        }
        runs.push_back(run);
        pos += 1 + lengthBytes + offsetBytes;
    }
    // Ran off the end without the terminating zero.
    return 0;
}
