// The scan step's information panel: progress, status line and five counter
// rows (a caption and a value each) that the scans fill from their worker.
#pragma once

#include "CStepPanel.h"

class CSecondDisplay : public CStepPanel
{
public:
    enum { CounterRows = 5 };

    BOOL Create(CWnd* pParent, const RECT& rect, UINT nID) override;

    // The second argument is not used.
    void SetProgress(int nPos, int /*nUnused*/ = 0) { CStepPanel::SetProgress(nPos); }
    // Writes the four Quick Scan captions and clears their values.
    void ResetCounters();
    void SetCounterCaption(int nRow, LPCTSTR lpszText);

    CStatic m_counterCaption[CounterRows];
    CStatic m_counterValue[CounterRows];
};
