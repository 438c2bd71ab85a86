// Fuzz target of an "INDX" block: the input is the block (512 bytes to
// 64 KiB, whole sectors), fixed up and parsed for its owner directory as
// the Extensive Scan's sector search does.
#include <stdint.h>
#include <string.h>
#include <vector>

#include "ntfs/MftRecord.h"
#include "ntfs/NtfsIndex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size_t bytes = size / 512 * 512;
    if (bytes < IndexBlockMinBytes || bytes > IndexBlockMaxBytes)
        return -1;
    std::vector<unsigned char> block(data, data + bytes);
    ApplyUpdateSequence(block.data(), block.size());
    uint32_t owner = 0, vcn = 0;
    ParseIndexBlock(block.data(), block.size(), &owner, &vcn);
    return 0;
}
