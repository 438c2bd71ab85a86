// The manager's customise context: drags controls between bars while the
// bars are customised, and holds the Customize window while it is open.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>

class CVZPCommandBar;
class CVZPCommandBars;
class CVZPControl;

class CVZPCustomizeDragTracker
{
public:
    explicit CVZPCustomizeDragTracker(CVZPCommandBars* pCommandBars);
    virtual ~CVZPCustomizeDragTracker();

    // The open Customize window, NULL when none.
    CWnd* GetSheet() const { return m_pSheet; }
    void SetSheet(CWnd* pSheet) { m_pSheet = pSheet; }
    // Bars that take drops while the bars are customised.
    void Register(CVZPCommandBar* pBar);
    void Unregister(CVZPCommandBar* pBar);
    BOOL IsRegistered(CVZPCommandBar* pBar) const;
    // Drags the control from the point; the answer is what became of it:
    // DROPEFFECT_MOVE or DROPEFFECT_NONE (taken off its bar), else it stays.
    virtual DROPEFFECT DoDragDrop(CVZPControl* pControl, CPoint point);

protected:
    CVZPCommandBars* m_pCommandBars;
    CWnd* m_pSheet;
    CPtrList m_lstTargets;
};
