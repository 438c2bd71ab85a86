// Fuzz target over a whole image file: the input's chunks (FuzzSupport.h)
// become a sparse .vhd or .vhdx file (FUZZ_IMAGE_VHDX picks the second),
// which is opened (footer, dynamic header and block table; or identifier,
// headers, region table, metadata and block table) and read through the
// sector reader at its start, its end and across its blocks.
#include <stdint.h>
#include <string.h>
#include <vector>

#include "FuzzSupport.h"
#include "io/SourceSectors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
#ifdef FUZZ_IMAGE_VHDX
    static const std::wstring path = fuzz::ScratchPath(".vhdx");
#else
    static const std::wstring path = fuzz::ScratchPath(".vhd");
#endif
    fuzz::WriteChunkFile(path, data, size, 64ull << 20);
    if (!fuzz::OpenImage(path))
        return 0;
    static std::vector<unsigned char> buffer(64 * 512);
    uint64_t sectors = KnownSourceSectors();
    const uint64_t starts[] = {0, 1, sectors / 2, sectors - 1, sectors - 64, sectors};
    for (uint64_t lba : starts)
        ReadSourceSectors(lba, 64, buffer.data());
    // Across the first blocks: one read per 2 MiB (the usual VHD block).
    for (uint64_t lba = 0; lba < sectors && lba < (1ull << 18); lba += 4096)
        ReadSourceSectors(lba + 4095, 2, buffer.data());
    fuzz::CloseImage();
    return 0;
}
