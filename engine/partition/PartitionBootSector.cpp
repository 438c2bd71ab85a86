#include "partition/PartitionBootSector.h"

#include "fat/FatBootSector.h"
#include "state/EngineState.h"
#include "volume/NtfsBootSector.h"
#include "io/SourceSectors.h"

namespace {

uint16_t CodeFromLabels(const unsigned char* s)
{
    if (IsFat32BootSector(s))
        return FileSystemFat32;
    if (IsFat16BootSector(s))
        return FileSystemFat16;
    if (IsNtfsBootSector(s))
        return FileSystemNtfs;
    return 0;
}

uint16_t CodeFromTypeByte(uint8_t type)
{
    switch (type) {
    case 0x04:
    case 0x06:
    case 0x0E:
        return FileSystemFat16;
    case 0x0B:
    case 0x0C:
        return FileSystemFat32;
    case 0x07:
        return FileSystemNtfs;
    default:
        return 0;
    }
}

}  // namespace

uint16_t PartitionCodeFromBootSector(const unsigned char* s, int readOk, uint8_t typeByte)
{
    if (readOk) {
        uint16_t code = CodeFromLabels(s);
        if (code)
            return code;
        // FAT12 and exFAT (which shares type 7 with NTFS) are not read by the
        // FAT16 and NTFS walks; nor is any other boot record.
        if (IsFat12BootSector(s) || IsExfatBootSector(s) || HasBootSignature(s))
            return 0;
    }
    return CodeFromTypeByte(typeByte);
}

uint16_t ClassifySearchBootSector(const unsigned char* s, uint32_t* sectorCount)
{
    uint16_t code = CodeFromLabels(s);
    if (code == FileSystemNtfs) {
        // The boot sector counts the volume without the backup boot sector
        // that follows it; the partition holds both.
        uint64_t total = ReadNtfsBootFields(s).totalSectors;
        *sectorCount = total < 0xFFFFFFFFu ? (uint32_t)total + 1 : 0xFFFFFFFFu;
    } else if (code) {
        *sectorCount = FatTotalSectors(s);
    }
    return code;
}
