#include "extensive/ExtensiveLists.h"

#include "ntfs/NtfsFoundRecord.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

EngineList<BootSectorHit> g_BootSectorHits = {};
EngineList<DirSectorHit> g_DirSectorHits = {};
EngineList<FoundVolume> g_FoundVolumes = {};
uint32_t g_BootHitCount = 0;
uint16_t g_FoundVolumeCount = 0;
uint32_t g_ClassifiedCount = 0;
volatile int g_BootStepDone = 0;
volatile int g_DirStepDone = 0;

// At most about 120 MB of NTFS file and folder records (with their names),
// less for each of the other lists.
const ExtensiveListLimits DefaultExtensiveListLimits = {60000, 2000000, 1000000, 500000};
ExtensiveListLimits g_ExtensiveListLimits = DefaultExtensiveListLimits;

namespace {

CEngineArena g_arena;  // the hits and found file systems

}  // namespace

void AddBootSectorHit(uint32_t sector)
{
    BootSectorHit* r = g_arena.New<BootSectorHit>();
    r->sector = sector;
    EngineListAppend(g_BootSectorHits, r);
    ++g_BootHitCount;
}

DirSectorHit* AddDirSectorHit(uint32_t sector, uint32_t cluster, uint32_t parentCluster, uint16_t writeDate,
                              uint16_t accessDate)
{
    DirSectorHit* r = g_arena.New<DirSectorHit>();
    r->sector = sector;
    r->cluster = cluster;
    r->parentCluster = parentCluster;
    r->writeDate = writeDate;
    r->accessDate = accessDate;
    r->volume = VolumeUnassigned;
    EngineListAppend(g_DirSectorHits, r);
    ++g_ExtFolderCount;
    return r;
}

FoundVolume* AddFoundVolume(uint16_t code, const uint32_t params[13], uint32_t treeItem)
{
    FoundVolume* r = g_arena.New<FoundVolume>();
    r->code = code;
    for (int i = 0; i < 13; ++i)
        r->p[i] = params[i];
    r->treeItem = treeItem;
    EngineListAppend(g_FoundVolumes, r);
    ++g_FoundVolumeCount;
    return r;
}

FoundVolume* FoundVolumeAt(unsigned number)
{
    unsigned n = 1;
    for (FoundVolume* v = g_FoundVolumes.head; v; v = v->next, ++n)
        if (n == number)
            return v;
    return nullptr;
}

int SelectFoundVolumeParams(unsigned number)
{
    FoundVolume* f = FoundVolumeAt(number);
    if (!f)
        return 0;
    VolumeParamsRecord& v = VolumeParams;
    uint32_t* fields[13] = {&v.fatSize,        &v.sectorsPerCluster, &v.rootDirSectors, &v.rootLocation,
                            &v.reservedSectors, &v.clusterBase,      &v.fat1Start,      &v.fat2Start,
                            &v.mftSector,       &v.mftMirrorSector,  &v.ntfsValueA,     &v.mftRecordSizeValue,
                            &v.fileSystemEnd};
    // Which of p1..p13 the choice carries across, by kind.
    static const bool fat[13] = {1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 1};
    static const bool ntfs[13] = {1, 1, 0, 0, 0, 1, 0, 0, 1, 1, 0, 1, 1};
    const bool* take = f->code == FileSystemNtfs ? ntfs : fat;
    for (int i = 0; i < 13; ++i)
        if (take[i])
            *fields[i] = f->p[i];
    v.fileSystemType = f->code;
    v.foundVolumeIndex = (uint16_t)number;
    return 1;
}

void FreeExtensiveScanLists()
{
    EngineListReset(g_BootSectorHits, g_arena);
    EngineListReset(g_DirSectorHits, g_arena);
    EngineListReset(g_FoundVolumes, g_arena);
    FreeNtfsScanLists();
    FreeExtensionRecordNames();
    g_ExtFolderCount = 0;
    g_BootHitCount = 0;
    g_FoundVolumeCount = 0;
    g_ClassifiedCount = 0;
}
