#include "scan/QuickScan.h"

#include <windows.h>

#include <string>

#include "fat/FatDirectory.h"
#include "fat/FatLists.h"
#include "fat/ScanPanelHost.h"
#include "msg/MessageSink.h"
#include "ntfs/NtfsLists.h"
#include "scan/QuickScanNtfs.h"
#include "scan/QuickScanShell.h"
#include "state/EngineState.h"
#include "io/SourceSectors.h"
#include "state/ScanControl.h"
#include "volume/VolumeParamsReader.h"

namespace {

// Leaves the finished state on every way out of the worker.
struct WorkerExit
{
    ~WorkerExit() { EndScanWorker(); }
};

}  // namespace

int OpenSelectedVolume(CQuickScanShell& shell)
{
    return OpenLogicalVolume(shell.LogicalDriveName(VolumeParams.partitionIndex));
}

void QuickScanFat(CQuickScanShell& shell)
{
    FreeEntryLists();
    if (ScanStopRequested() != 1)
        ParseFatDirectory(0, 0);
    // Folders appended while the walk runs are visited too: breadth first.
    for (FatFolderRecord* f = g_FatFolders.head; f && ScanStopRequested() != 1; f = f->next)
        ParseFatDirectory(f->cluster, f->deleted);
    shell.BeginTreeBuild();
    ScanPanelHost().SetStatusText(L"Please wait creating tree...");
    g_ScanStop = 0;
    shell.BuildFatTree();
}

unsigned QuickScanProc(void* param)
{
    CQuickScanShell& shell = *static_cast<CQuickScanShell*>(param);
    WorkerExit exit;
    BeginScanWorker();
    if (g_SourceType == SourceLogicalVolume && !OpenSelectedVolume(shell)) {
        ShowMessage(L"The selected volume could not be opened.", MessageKindError);
        return 0;
    }
    if (ScanStopRequested() == 1)
        return 0;
    int haveParams = ReadVolumeParams();
    if (ScanStopRequested() == 1)
        return 0;
    if (!haveParams) {
        ScanPanelHost().SetStatusText(L"Please wait, Calculating partition parameters...");
        SearchFatParams();
        if (ScanStopRequested() == 1)
            return 0;
    }
    shell.ResetCounters();
    switch (VolumeParams.fileSystemType) {
    case FileSystemFat16:
    case FileSystemFat32:
        ScanPanelHost().SetStatusText(L"Please wait, Searching for Data...");
        QuickScanFat(shell);
        return 1;
    case FileSystemNtfs:
        QuickScanNtfs(shell);
        return 1;
    default:
        return 0;
    }
}
