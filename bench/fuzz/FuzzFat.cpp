// Fuzz target of a FAT boot sector and a directory cluster: the input's
// first 512 bytes are the boot sector, the rest the directory's sectors,
// walked as the Quick Scan walks them (long names carried from sector to
// sector) and listed into the FAT lists.
#include <stdint.h>
#include <string.h>
#include <wchar.h>
#include <vector>

#include "fat/FatBootSector.h"
#include "fat/FatDirectory.h"
#include "fat/FatLists.h"
#include "fat/FatLongName.h"

namespace {

int CountEntry(const FatDirEntryInfo& entry, void* context)
{
    // Touch what the visitor is given, so that the sanitizers see it.
    size_t n = wcslen(entry.name);
    *(size_t*)context += n + entry.raw[0] + entry.cluster;
    return 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 512)
        return 0;
    unsigned char boot[512];
    memcpy(boot, data, 512);
    int fat32 = IsFat32BootSector(boot);
    FatBootFields fields = ReadFatBootFields(boot, fat32);
    volatile int usable = FatBootFieldsUsable(fields);
    (void)usable;
    volatile uint32_t total = FatTotalSectors(boot);
    (void)total;
    IsFat16BootSector(boot);
    IsFat12BootSector(boot);

    std::vector<unsigned char> sector(512);
    size_t sectors = (size - 512) / 512, seen = 0;
    FatLongNameSet walkCarry, listCarry;
    ResetLongNameSet(&walkCarry);
    ResetLongNameSet(&listCarry);
    int walkEnd = 0, listEnd = 0;
    for (size_t i = 0; i < sectors && (!walkEnd || !listEnd); ++i) {
        memcpy(sector.data(), data + 512 + i * 512, 512);
        LooksLikeFatDirectorySector(sector.data());
        int first = i == 0 && sector[0] == '.' ? 2 : 0;
        if (!walkEnd)
            walkEnd = WalkFatDirSector(sector.data(), first, 0, &walkCarry, CountEntry, &seen);
        if (!listEnd)
            ParseFatDirSector(sector.data(), 2, &listEnd, i, 0, first, &listCarry);
    }
    FreeEntryLists();
    return 0;
}
