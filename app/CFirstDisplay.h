// The drive step's information panel: progress, status line and the wait
// text that the partition search sets.
#pragma once

#include "CStepPanel.h"

class CFirstDisplay : public CStepPanel
{
public:
    BOOL Create(CWnd* pParent, const RECT& rect, UINT nID) override;

    // The second argument is not used.
    void SetProgress(int nPos, int /*nUnused*/ = 0) { CStepPanel::SetProgress(nPos); }
    void SetWaitText(LPCTSTR lpszText) { m_waitText.SetWindowText(lpszText); }

    CStatic m_waitText;
};
