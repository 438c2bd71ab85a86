#include <afxwin.h>

#include "WizardSteps.h"

#include "CToolButton.h"

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

void CreateStepButtons(CWnd* pStep, const StepButton* buttons, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const StepButton& entry = buttons[i];
        entry.button->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(100, 100, 100, 100), pStep, entry.id);
        entry.button->LoadBitmaps(entry.normal, entry.hover);
        entry.button->SetToolTipText(entry.tip, TRUE);
    }
}
