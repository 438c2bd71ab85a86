// Placeholder that lists the recently used files where it stands, numbered
// for their mnemonics; an empty list leaves it shown and disabled.
#pragma once

#include "CVZPControlButton.h"

class CRecentFileList;

class CVZPControlRecentFileList : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlRecentFileList)
public:
    CVZPControlRecentFileList();
    ~CVZPControlRecentFileList() override;

    void OnCalcDynamicSize(DWORD dwMode) override;
    BOOL IsCustomizeDragOverAvail(CVZPCommandBar* pCommandBar, CPoint point, DROPEFFECT& dropEffect) override;

    // The application's list; NULL when it keeps none.
    virtual CRecentFileList* GetRecentFileList();
    // The command of the first entry (ID_FILE_MRU_FILE1).
    virtual UINT GetFirstId() { return 57616; }
};
