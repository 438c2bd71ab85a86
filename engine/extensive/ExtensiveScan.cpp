#include "extensive/ExtensiveScan.h"

#include "extensive/ExtensiveLists.h"
#include "extensive/ExtensiveScanShell.h"
#include "extensive/FatExtraction.h"
#include "extensive/FatReconcile.h"
#include "extensive/NtfsAnalysis.h"
#include "extensive/NtfsExtraction.h"
#include "extensive/SectorSearch.h"
#include "ntfs/NtfsFoundRecord.h"
#include "state/EngineState.h"
#include "state/ScanControl.h"

unsigned ExtensiveScanProc(void* param)
{
    CExtensiveScanShell& shell = *(CExtensiveScanShell*)param;
    g_ScanBusy = 1;
    switch (VolumeParams.selectionCode) {
    case FileSystemFat16:
    case FileSystemFat32:
        SearchFatStructures(shell);
        AnalyzeFatCandidates(shell);
        break;
    case FileSystemNtfs:
        SearchNtfsStructures(shell);
        ListNamesFromExtensionRecords();
        AnalyzeNtfsCandidates(shell);
        break;
    default:
        // Nothing to look for; the wizard's timer still has to see the end.
        g_BootStepDone = 1;
        g_DirStepDone = 1;
        break;
    }
    EndScanWorker();
    return 0;
}

unsigned ExtractionProc(void* param)
{
    CExtensiveScanShell& shell = *(CExtensiveScanShell*)param;
    g_ScanStop = 0;
    g_ScanBusy = 1;
    switch (VolumeParams.fileSystemType) {
    case FileSystemFat16:
    case FileSystemFat32:
        ExtractFatVolume(shell);
        break;
    case FileSystemNtfs:
        ExtractNtfsVolume(shell);
        break;
    default:
        break;
    }
    EndScanWorker();
    return 0;
}
