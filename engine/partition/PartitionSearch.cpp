#include <stdio.h>
#include <string.h>

#include "image/VirtualDisk.h"
#include "partition/DriveStepHost.h"
#include "partition/PartitionBootSector.h"
#include "partition/PartitionTable.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"
#include "io/SourceSectors.h"

namespace {

const wchar_t kDiskItemText[] = L"Virtual Hard Disk ";

void AddPartitionItemFor(int number)
{
    wchar_t text[32];
    swprintf(text, 32, L"Partition %d", number);
    DriveStepHost().AddPartitionItem(kDiskItemText, text);
}

struct SearchGeometry
{
    uint32_t cylinders;
    uint32_t heads;
};

// Cylinders and heads to search by (63 sectors per track). A VHD's geometry
// is translated to 255 heads when its tracks are not 63 sectors; a VHDX has
// no geometry, so its size in 255 x 63 cylinders is searched.
SearchGeometry GetSearchGeometry()
{
    SearchGeometry g = {0, SearchHeads};
    uint64_t cylinders;
    if (g_ImageType == 1) {
        CVirtualDisk* disk = GetSectorReaderDisk();
        cylinders = (disk ? disk->GetSectorCount() : 0) / SearchCylinderSectors;
    } else {
        uint32_t c = 0, h = 0, s = 0;
        DriveStepHost().GetDiskGeometry(g_DiskIndex, &c, &h, &s);
        if (s == SearchSectorsPerTrack) {
            g.heads = h;
            cylinders = c;
        } else {
            cylinders = (uint64_t)c * h * s / SearchCylinderSectors;
        }
    }
    g.cylinders = cylinders > 0xFFFFFFFFu ? 0xFFFFFFFFu : (uint32_t)cylinders;
    return g;
}

int HasPartitionAt(uint32_t start)
{
    for (int i = 0; i < g_PartitionCount; ++i)
        if (g_PartitionTable[i].startSector == start)
            return 1;
    return 0;
}

// Reads sector lba when searching; 1 when it holds a boot record.
int ReadCandidate(uint64_t lba, unsigned char* sector)
{
    if (g_SearchPartitions != 1)
        return 0;
    return ReadSourceSectors(lba, 1, sector) && HasBootSignature(sector);
}

}  // namespace

void SearchPartitions()
{
    CDriveStepHost& host = DriveStepHost();
    if (g_PartitionCount > 0)
        host.AskPartitionType();
    else
        g_SearchPartitions = 1;
    if (g_SearchPartitions == 1) {
        host.SetStatusText(L"Please wait, searching for Partition...");
        host.SetWaitText(L"Please wait...");
    }

    SearchGeometry geometry = GetSearchGeometry();
    uint32_t cylinders = geometry.cylinders;
    for (int i = 0; i < g_PartitionCount; ++i)
        AddPartitionItemFor(i + 1);

    unsigned char sector[SectorSize];
    for (uint32_t c = 0; c < cylinders && !ScanStopRequested(); ++c) {
        uint64_t percent = (uint64_t)c * 100 / cylinders;
        host.SetProgress(percent > 99 ? 99 : (int)percent);
        uint64_t cylinderStart = (uint64_t)c * geometry.heads * SearchSectorsPerTrack;
        uint64_t lba = cylinderStart + SearchSectorsPerTrack;
        if (!ReadCandidate(lba, sector)) {
            lba = cylinderStart;
            if (!ReadCandidate(lba, sector))
                continue;
        }
        if (lba > 0xFFFFFFFFu)
            break;
        uint32_t count = 0;
        uint16_t code = ClassifySearchBootSector(sector, &count);
        if (!code || HasPartitionAt((uint32_t)lba))
            continue;
        AppendPartitionEntry((uint32_t)lba, count, code);
        AddPartitionItemFor(g_PartitionCount);
        if (g_PartitionCount >= MaxPartitions)
            break;
    }
    host.ExpandRoot();
}
