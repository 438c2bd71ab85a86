#include "snapshot/EngineRun.h"

#include "extensive/ExtensiveLists.h"
#include "fat/FatLists.h"
#include "ntfs/MftRunTable.h"
#include "ntfs/NtfsAttributeList.h"
#include "trace/TraceHit.h"

void ResetEngineRun()
{
    FreeEntryLists();
    FreeExtensiveScanLists();
    FreeTraceHitList();
    ClearMftRunTable();
    g_ExtRecordNumbers.clear();
}
