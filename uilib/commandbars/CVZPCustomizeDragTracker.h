// The manager's customise context: drags controls between bars while the
// bars are customised, and holds the Customize window while it is open.
#pragma once

#include <afxwin.h>

class CVZPCommandBars;

class CVZPCustomizeDragTracker
{
public:
    explicit CVZPCustomizeDragTracker(CVZPCommandBars* pCommandBars);
    virtual ~CVZPCustomizeDragTracker();

    // The open Customize window, NULL when none.
    CWnd* GetSheet() const { return m_pSheet; }
    void SetSheet(CWnd* pSheet) { m_pSheet = pSheet; }

protected:
    CVZPCommandBars* m_pCommandBars;
    CWnd* m_pSheet;
};
