// Placeholder that lists the open MDI windows where it stands: one checked
// item for the active child, at most nine, numbered for their mnemonics.
#pragma once

#include "CVZPControlButton.h"

class CVZPControlWindowList : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlWindowList)
public:
    CVZPControlWindowList();
    ~CVZPControlWindowList() override;

    void OnCalcDynamicSize(DWORD dwMode) override;
    BOOL IsCustomizeDragOverAvail(CVZPCommandBar* pCommandBar, CPoint point, DROPEFFECT& dropEffect) override;

    // The first MDI child id the list tries; switched once for the process
    // when the active child's id shows another numbering.
    static UINT s_nFirstMDIChild;
    static const int kMaxWindows = 9;
};
