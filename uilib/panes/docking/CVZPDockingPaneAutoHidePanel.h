// Auto-hidden panes: a thin strip along one edge of the frame (the panel,
// one per side) shows a tab per hidden pane, grouped by the containers the
// panes were hidden from. Clicking or hovering a tab slides a window out
// from that edge over the frame's client area, holding the pane's tabbed
// container; when the pointer has left it for a while it slides back and
// closes. Its inner edge can be dragged to resize it.
#pragma once

#include <afxwin.h>

#include <afxole.h>
#include <afxpriv.h>

#include "CVZPDockingPaneBase.h"
#include "CVZPTabManager.h"

class CVZPDockingPane;
class CVZPDockingPaneAutoHidePanel;
class CVZPDockingPaneAutoHideWnd;
class CVZPDockingPaneTabbedContainer;

// The tabs of one hidden container on a panel.
class CVZPDockingPaneAutoHideTabGroup : public CVZPTabManager
{
public:
    explicit CVZPDockingPaneAutoHideTabGroup(CVZPDockingPaneAutoHidePanel* pPanel);

    CVZPTabPaintManager* GetPaintManager() const override;
    // 3 (right) for side 0, 1 for 1, 2 for 2, 0 (top) for 3.
    int GetPosition() const override;
    void RedrawControl() override;
    void Reposition() override {}
    BOOL DrawItemIcon(CDC* pDC, CPoint pt, CVZPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon) override;

    CVZPDockingPaneAutoHidePanel* m_pPanel;
    CRect m_rcGroup;    // panel client coordinates
};

// The panel's drop target: a drag over a tab may show that tab's pane.
class CVZPDockingPaneAutoHideDropTarget : public COleDropTarget
{
public:
    explicit CVZPDockingPaneAutoHideDropTarget(CVZPDockingPaneAutoHidePanel* pPanel) : m_pPanel(pPanel) {}
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;

    CVZPDockingPaneAutoHidePanel* m_pPanel;
};

class CVZPDockingPaneAutoHidePanel : public CWnd, public CVZPDockingPaneBase
{
    DECLARE_DYNAMIC(CVZPDockingPaneAutoHidePanel)
public:
    explicit CVZPDockingPaneAutoHidePanel(CVZPDockingPaneLayout* pLayout);
    ~CVZPDockingPaneAutoHidePanel() override;

    // Takes the panel's strip off the rectangle (nothing for an empty
    // panel, which has no window).
    virtual void LayoutInFrame(CWnd* pSite, CRect* pRect, AFX_SIZEPARENTPARAMS* pParams);
    virtual void AddContainer(CVZPDockingPaneBase* pContainer);
    virtual BOOL CreatePanelWindow(CWnd* pParent);

    // Slides out the window of the pane's container (unless action 12 is
    // vetoed).
    void ShowAutoHideWindow(CVZPDockingPane* pPane, BOOL bActivate);
    // Closes the current window, through its 50 ms timer when deferred.
    void CloseAutoHideWindow(BOOL bDeferred);
    // The pane whose tab lies under the point (client), or NULL.
    CVZPDockingPane* GetPaneAt(CPoint pt);
    int GetStripThickness() const;
    void RebuildGroups(CDC* pDC, CRect rc);
    // Forgets the current window, closing it at once; the window keeps no
    // pointer to this panel or to a container that is gone.
    void DetachCurrentWindow();
    // Whether the object still belongs to the layout (not yet deleted).
    BOOL IsLiveObject(CVZPDockingPaneBase* pObject) const;

    int GetSide() const { return m_nSide; }
    CVZPDockingPaneBaseList& GetHiddenContainers() { return m_lstHidden; }
    int GetGroupCount() const { return int(m_arrGroups.GetSize()); }
    CVZPDockingPaneAutoHideTabGroup* GetGroup(int i) const { return m_arrGroups[i]; }
    CVZPDockingPaneAutoHideWnd* GetCurrentWindow() const { return m_pCurrentWnd; }

    void RemoveChild(CVZPDockingPaneBase* pChild) override;
    BOOL IsEmpty() override;
    void OnChildChanged(CVZPDockingPaneBase* pChild) override;
    void OnLayoutChanged(BOOL bReposition) override;
    CVZPDockingPaneBase* Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap, DWORD dwIgnoredOptions) override;
    BOOL ExchangeProperties(CVZPPropExchange* pPX) override;
    CWnd* GetPaneWindow() override { return this; }

    CVZPDockingPaneAutoHideWnd* m_pCurrentWnd;
    int m_nSide;
    CVZPDockingPaneBaseList m_lstHidden;
    CArray<CVZPDockingPaneAutoHideTabGroup*, CVZPDockingPaneAutoHideTabGroup*> m_arrGroups;
    CVZPDockingPaneAutoHideDropTarget* m_pDropTarget;

protected:
    void DeleteGroups();

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CVZPDockingPaneAutoHideDropTarget;
};

// The sliding window that shows an auto-hidden pane's container over the
// frame's client area. It deletes itself once destroyed.
class CVZPDockingPaneAutoHideWnd : public CMiniFrameWnd
{
    DECLARE_DYNAMIC(CVZPDockingPaneAutoHideWnd)
public:
    enum
    {
        SlidePeriod = 16,
        SlideDuration = 128,
        PollPeriod = 100,
        TimerPoll = 1,
        TimerSlideOut = 2,
        TimerSlideIn = 3,
        TimerClose = 4,
    };

    CVZPDockingPaneAutoHideWnd(CVZPDockingPaneAutoHidePanel* pPanel, CVZPDockingPaneTabbedContainer* pContainer);

    void SetStepPosition();
    void CloseNow();
    // Drops the pointers to the panel and the container (either may be
    // deleted before the window's posted close runs).
    void Detach();
    // The limits of the resize edge (screen, along the sliding axis); FALSE
    // when there is no room.
    BOOL GetResizeLimits(int* pnMin, int* pnMax);
    // Resizes the window so that its edge strip starts at nPos (screen).
    void ApplyEdgePosition(int nPos);

    void RecalcLayout(BOOL bNotify = TRUE) override;
    void PostNcDestroy() override;

    CVZPDockingPaneTabbedContainer* m_pContainer;
    CVZPDockingPaneAutoHidePanel* m_pPanel;
    int m_nSide;
    BOOL m_bVertical;
    int m_nStep;
    int m_nSteps;
    BOOL m_bClosing;
    CRect m_rcFull;        // site client coordinates
    int m_nLeaveCountdown;
    BOOL m_bResizing;
    CSize m_szMin;         // size limits of the container's pane, with the
    CSize m_szMax;         // caption and the resize edge

    afx_msg void OnTimer(UINT_PTR nIDEvent);

protected:
    BOOL IsInUse();
    void TrackLive(CPoint ptStart, int nMin, int nMax);

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
