#include "volume/VolumeParamsReader.h"

#include <stdint.h>

#include "fat/FatBootSector.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "volume/NtfsBootSector.h"
#include "io/SourceSectors.h"

namespace {

int ReadSigned(uint64_t lba, unsigned char* sector)
{
    return ReadSourceSectors(lba, 1, sector) && HasBootSignature(sector);
}

int FitsSector(uint64_t v) { return v <= 0xFFFFFFFFu; }

// FAT layout from one boot sector, confirmed by the media byte 0xF8 at the
// start of the last FAT (the only one on single-FAT volumes).
int TryFatLayout(const unsigned char* boot, uint32_t s, int fat32)
{
    FatBootFields f = ReadFatBootFields(boot, fat32);
    if (!FatBootFieldsUsable(f))
        return 0;
    uint32_t k = f.sectorsPerCluster;
    uint64_t fat1 = (uint64_t)s + f.reservedSectors;
    uint64_t fats = (uint64_t)f.fatCount * f.fatSize;
    uint64_t rootSectors = fat32 ? 0 : ((uint64_t)f.rootEntries * 32 + SectorSize - 1) / SectorSize;
    uint64_t dataStart = fat1 + fats + rootSectors;
    if (!FitsSector(dataStart) || dataStart < 2ull * k)
        return 0;
    unsigned char check[SectorSize];
    if (!ReadSourceSectors(fat1 + fats - f.fatSize, 1, check) || check[0] != 0xF8)
        return 0;

    VolumeParamsRecord& v = VolumeParams;
    v.fatSize = f.fatSize;
    v.sectorsPerCluster = k;
    v.rootDirSectors = (uint32_t)rootSectors;
    v.rootLocation = fat32 ? f.rootCluster : (uint32_t)(fat1 + fats);
    v.reservedSectors = f.reservedSectors;
    v.clusterBase = (uint32_t)(dataStart - 2ull * k);
    v.fat1Start = (uint32_t)fat1;
    v.fat2Start = (uint32_t)(f.fatCount > 1 ? fat1 + f.fatSize : fat1);
    return 1;
}

int ReadFat32Params(uint32_t s)
{
    unsigned char boot[SectorSize];
    int primary = ReadSigned(s, boot);
    if (primary && TryFatLayout(boot, s, 1))
        return 1;
    // The backup boot sector six sectors on.
    return ReadSigned((uint64_t)s + 6, boot) && TryFatLayout(boot, s, 1);
}

int ReadFat16Params(uint32_t s)
{
    unsigned char boot[SectorSize];
    return ReadSigned(s, boot) && TryFatLayout(boot, s, 0);
}

// Sector of an MFT record named by a cluster field of the boot sector, or 0
// when that sector does not start with "FILE".
uint32_t ConfirmMftSector(uint32_t s, uint32_t cluster, uint32_t k)
{
    uint64_t lba = (uint64_t)cluster * k + s;
    unsigned char record[SectorSize];
    if (!FitsSector(lba) || !ReadSourceSectors(lba, 1, record) || record[0] != 'F' ||
        record[1] != 'I' || record[2] != 'L' || record[3] != 'E')
        return 0;
    return (uint32_t)lba;
}

int ReadNtfsParams(uint32_t s)
{
    unsigned char copies[2][SectorSize];
    uint64_t where[2] = {s, VolumeParams.endSector};
    int have[2] = {ReadSigned(where[0], copies[0]), 0};
    int haveOther = 0;
    int use = 0;
    if (!have[0]) {
        if (!ReadSigned(where[1], copies[1]))
            return 0;
        use = 1;
    }
    auto other = [&]() -> const unsigned char* {
        int o = 1 - use;
        if (!haveOther) {
            have[o] = ReadSigned(where[o], copies[o]);
            haveOther = 1;
        }
        return have[o] ? copies[o] : nullptr;
    };

    NtfsBootFields f = ReadNtfsBootFields(copies[use]);
    if (!NtfsClusterSizeUsable(f.sectorsPerCluster)) {
        const unsigned char* o = other();
        if (!o)
            return 0;
        use = 1 - use;
        f = ReadNtfsBootFields(copies[use]);
        if (!NtfsClusterSizeUsable(f.sectorsPerCluster))
            return 0;
    }
    uint32_t k = f.sectorsPerCluster;
    uint32_t mft = ConfirmMftSector(s, f.mftCluster, k);
    uint32_t mirror = ConfirmMftSector(s, f.mftMirrorCluster, k);
    if (!mft || !mirror) {
        if (const unsigned char* o = other()) {
            NtfsBootFields g = ReadNtfsBootFields(o);
            if (!mft)
                mft = ConfirmMftSector(s, g.mftCluster, k);
            if (!mirror)
                mirror = ConfirmMftSector(s, g.mftMirrorCluster, k);
        }
    }
    if (!mft && !mirror)
        return 0;

    VolumeParamsRecord& v = VolumeParams;
    v.sectorsPerCluster = k;
    v.clusterBase = s;
    v.mftSector = mft;
    v.mftMirrorSector = mirror;
    v.ntfsValueA = 2;
    v.mftRecordSizeValue = f.recordSizeValue == 0xF4 ? 8 : f.recordSizeValue * k;
    return 1;
}

}  // namespace

int ReadVolumeParams()
{
    if (g_ScanStop == 1)
        return 0;
    VolumeParamsRecord& v = VolumeParams;
    v.fileSystemType = v.selectionCode;
    if (g_SourceType == SourceLogicalVolume)
        v.startSector = 0;
    uint32_t s = v.startSector;
    switch (v.fileSystemType) {
    case FileSystemFat32:
        return ReadFat32Params(s);
    case FileSystemFat16:
        return ReadFat16Params(s);
    case FileSystemNtfs:
        return ReadNtfsParams(s);
    default:
        return 1;
    }
}
