#include "WizardSteps.h"

#include "extensive/ExtensiveLists.h"
#include "fat/FatLists.h"
#include "ntfs/NtfsLists.h"
#include "trace/SignatureSelection.h"
#include "trace/TraceHit.h"

void FreeWizardResults()
{
    FreeEntryLists();
    FreeNtfsEntryLists();
    FreeExtensiveScanLists();
    FreeTraceHitList();
    FreeSignatureList();
}

std::wstring LogicalDriveNameAt(const std::vector<std::wstring>& drives, unsigned partitionIndex)
{
    if (partitionIndex >= drives.size() || drives[partitionIndex].size() < 2)
        return std::wstring();
    return drives[partitionIndex].substr(0, 2);
}
