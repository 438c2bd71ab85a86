#include "partition/DriveStepHost.h"

#include "image/VirtualDisk.h"
#include "io/SectorReader.h"

namespace {

CDriveStepHost g_defaultHost;
CDriveStepHost* g_host = nullptr;

}  // namespace

void CDriveStepHost::GetDiskGeometry(int diskIndex, uint32_t* cylinders, uint32_t* heads,
                                     uint32_t* sectorsPerTrack)
{
    (void)diskIndex;
    *cylinders = *heads = *sectorsPerTrack = 0;
    CVirtualDisk* disk = GetSectorReaderDisk();
    if (disk && disk->GetKind() == ImageKindVhd) {
        *cylinders = (uint32_t)disk->GetCylinders();
        *heads = (uint32_t)disk->GetHeads();
        *sectorsPerTrack = (uint32_t)disk->GetSectorsPerTrack();
    }
}

CDriveStepHost* SetDriveStepHost(CDriveStepHost* host)
{
    CDriveStepHost* previous = g_host;
    g_host = host;
    return previous;
}

CDriveStepHost& DriveStepHost() { return g_host ? *g_host : g_defaultHost; }
