// The manager's customise drag: moves or copies a control from a bar, or
// from the Customize sheet's command list, onto any bar that takes drops,
// in a modal loop with Ctrl switching between moving and copying.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>
#include <afxext.h>

class CVZPCommandBar;
class CVZPCommandBars;
class CVZPControl;

class CVZPCustomizeDragTracker
{
public:
    // Drop effects: nothing dropped, copied, moved, cancelled.
    enum DropEffect { effectNone = 0, effectCopy = 1, effectMove = 2, effectCancel = 5 };

    explicit CVZPCustomizeDragTracker(CVZPCommandBars* pCommandBars);
    virtual ~CVZPCustomizeDragTracker();

    // The open Customize window, NULL when none.
    CWnd* GetSheet() const { return m_pSheet; }
    void SetSheet(CWnd* pSheet) { m_pSheet = pSheet; }
    // Bars that take drops while the bars are customised, in registration order.
    void RegisterDropTarget(CVZPCommandBar* pBar);
    void UnregisterDropTarget(CVZPCommandBar* pBar);
    BOOL IsRegistered(CVZPCommandBar* pBar) const;
    // Drags the control from the cursor's place until the button is
    // released (or Esc, a right click, a lost capture); answers the effect.
    // A copy-only source (the command list) never loses the control.
    virtual DROPEFFECT StartDrag(CVZPControl* pControl, BOOL bCopyOnly = FALSE);

    // The drag's state, for the drop targets and tests.
    BOOL IsMoving() const { return m_bMove; }
    BOOL IsCopyOnly() const { return m_bCopyOnly; }
    CVZPCommandBar* GetCurrentTarget() const { return m_pTarget; }
    CVZPControl* GetDraggedControl() const { return m_pControl; }
    HCURSOR GetCopyCursor() const { return m_hcurCopy; }
    HCURSOR GetMoveCursor() const { return m_hcurMove; }
    HCURSOR GetNoDropCursor() const { return m_hcurNoDrop; }

protected:
    DROPEFFECT TrackLoop();
    void TrackPoint(CPoint ptScreen);
    void UpdateCursor();

    HWND m_hWndCapture;
    CVZPControl* m_pControl;
    BOOL m_bMove;
    BOOL m_bCopyOnly;
    CVZPCommandBar* m_pTarget;
    CWnd* m_pSheet;
    CPoint m_ptStart;
    CPtrArray m_arrTargets;
    CVZPCommandBars* m_pCommandBars;
    HCURSOR m_hcurNoDrop;
    HCURSOR m_hcurMove;
    HCURSOR m_hcurCopy;
};
