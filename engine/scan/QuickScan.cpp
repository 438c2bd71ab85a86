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
#include "state/ScanControl.h"
#include "volume/VolumeParamsReader.h"

namespace {

// The NTFS lists are freed with the FAT lists by FreeEntryLists.
struct NtfsResetRegistration
{
    NtfsResetRegistration() { RegisterEntryListReset(&FreeNtfsEntryLists); }
};
NtfsResetRegistration g_ntfsResetRegistration;

// Leaves the finished state on every way out of the worker.
struct WorkerExit
{
    ~WorkerExit() { EndScanWorker(); }
};

}  // namespace

int OpenSelectedVolume(CQuickScanShell& shell)
{
    if (g_VolumeHandle && g_VolumeHandle != INVALID_HANDLE_VALUE)
        CloseHandle(g_VolumeHandle);
    g_VolumeHandle = NULL;
    std::wstring drive = shell.LogicalDriveName(VolumeParams.partitionIndex).substr(0, 2);
    if (drive.size() != 2 || drive[1] != L':')
        return 0;
    std::wstring path = L"\\\\.\\" + drive;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0,
                           NULL);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    g_VolumeHandle = h;
    return 1;
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
