#include "extensive/NtfsExtraction.h"

#include <wchar.h>

#include <string>

#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveProgress.h"
#include "extensive/ExtensiveScanShell.h"
#include "ntfs/MftRecord.h"
#include "ntfs/NtfsLists.h"
#include "state/EngineState.h"

namespace {

const FILETIME NoTime = {0, 0};

}  // namespace

int IsInChosenNtfsVolume(const NtfsScanFileRecord* file)
{
    return file->recordSector > VolumeParams.clusterBase && file->recordSector <= VolumeParams.fileSystemEnd;
}

void ExtractNtfsFileSystem(CExtensiveScanShell& shell)
{
    FreeNtfsEntryLists();
    shell.SetExtractionStatusText(L"Extracting entries for the file system...");
    shell.SetExtractionProgress(0);
    const uint16_t chosen = VolumeParams.foundVolumeIndex;
    uint32_t position = 0;
    for (NtfsScanFolderRecord* f = g_NtfsScanFolderList.head; f; f = f->next) {
        ++position;
        if (f->volume != chosen || f->ownNumber == MftRootRecord || wcscmp(f->name, L".") == 0)
            continue;
        AddNtfsFolderRecord(f->name, f->ownNumber, f->parent, f->created, f->changed, 0, f->deleted);
        shell.SetExtractionProgress(ClampedPercent(position, g_ExtFolderCount));
    }
}

uint32_t FindLostNtfsFolders(CExtensiveScanShell& shell)
{
    shell.SetExtractionStatusText(L"Searching For Lost Data");
    shell.SetExtractionProgress(0);
    AddNtfsFolderRecord(L"Lost Dir", NtfsLostDirRecord, MftRootRecord, NoTime, NoTime, 0, 0);
    uint32_t counter = 0, steps = 0;
    // A made-up parent for a record number that names no folder.
    auto adopt = [&counter](uint32_t parent) {
        if (parent == MftRootRecord || FindNtfsFolder(parent))
            return;
        std::wstring name = L"Dir" + std::to_wstring(counter++);
        AddNtfsFolderRecord(name.c_str(), parent, NtfsLostDirRecord, NoTime, NoTime, 0, 0);
    };
    for (NtfsFolderRecord* f = g_NtfsFolderList.head; f; f = f->next) {
        if (f->parent == MftRootRecord)
            continue;
        adopt(f->parent);
        shell.SetExtractionProgress(ClampedPercent(++steps, g_FolderCount));
    }
    // Files too: a file whose folder was not found would otherwise never be
    // shown or saved.
    for (NtfsScanFileRecord* f = g_NtfsScanFileList.head; f; f = f->next)
        if (IsInChosenNtfsVolume(f))
            adopt(f->parent);
    return counter;
}

void ExtractNtfsVolume(CExtensiveScanShell& shell)
{
    ExtractNtfsFileSystem(shell);
    FindLostNtfsFolders(shell);
    shell.SetExtractionStatusText(L"Please wait creating tree");
    g_ScanStop = 0;
    shell.BeginTreeBuild();
    shell.BuildNtfsTree();
}
