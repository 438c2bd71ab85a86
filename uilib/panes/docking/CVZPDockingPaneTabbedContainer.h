// The window that shows a group of panes: the selected pane's window, a
// caption with its title and buttons, and a tab strip with a tab per pane.
// Splitter containers hold tabbed containers; only tabbed containers hold
// panes. It tracks whether the focus is inside it (the active pane), lets
// tabs be reordered by dragging, and can be maximised among its siblings.
#pragma once

#include <afxole.h>

#include "CVZPDockingPaneBase.h"
#include "CVZPTabManager.h"

class CVZPDockingPane;
class CVZPDockingPaneTabbedContainer;

typedef CList<CVZPDockingPane*, CVZPDockingPane*> CVZPDockingPaneList;

// The container's drop target: it never accepts a drop, but may select the
// tab under a drag.
class CVZPDockingPaneTabbedContainerDropTarget : public COleDropTarget
{
public:
    explicit CVZPDockingPaneTabbedContainerDropTarget(CVZPDockingPaneTabbedContainer* pContainer)
        : m_pContainer(pContainer)
    {
    }
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    // Selects the tab under the point when the strip asks for it.
    void SelectTabAt(CPoint point);

    CVZPDockingPaneTabbedContainer* m_pContainer;
};

class CVZPDockingPaneTabbedContainer : public CWnd, public CVZPDockingPaneBase, public CVZPTabManager
{
    DECLARE_DYNAMIC(CVZPDockingPaneTabbedContainer)
public:
    explicit CVZPDockingPaneTabbedContainer(CVZPDockingPaneLayout* pLayout);
    ~CVZPDockingPaneTabbedContainer() override;

    virtual void SelectPane(CVZPDockingPane* pPane, BOOL bActivate = TRUE, BOOL bNotify = TRUE);
    virtual BOOL IsCaptionVertical();
    virtual BOOL IsTabStripShown();
    virtual void OnCaptionMouseDown(CPoint ptScreen);
    virtual BOOL IsPointInHeader(CRect rc, CPoint pt);
    virtual void OnCaptionButtonClick(CVZPDockingPaneCaptionButton* pButton);
    virtual void CopyFrom(CVZPDockingPaneTabbedContainer* pSource, CMapPtrToPtr* pMap, DWORD dwIgnoredOptions);
    virtual void RebuildTabs();

    void AttachPane(CVZPDockingPane* pPane, BOOL bActivate = TRUE);
    void WrapPane(CVZPDockingPane* pPane, CWnd* pHost);
    void SetCaptionShown(BOOL bShown);
    BOOL HasCaption() const;
    CString GetCaptionText() const;
    // -2 on the caption, a tab's index on a tab, else -1 (client points).
    int HitTest(CPoint pt);
    CVZPDockingPane* GetPaneAt(int nTab) const;
    void StoreDockingSize();
    void MakeVisible(BOOL bAnimate);
    // Adds the room of caption and tab strip to the limits (bFull) or of
    // the caption alone.
    void AddChromeToLimits(MINMAXINFO* pInfo, BOOL bFull);

    BOOL CanUseMaximize();
    BOOL IsMaximized();
    BOOL CanMaximize();
    BOOL IsOtherMaximized();
    void Maximize();
    void Restore();

    CVZPDockingPane* GetSelected() const { return m_pSelectedPane; }
    CVZPDockingPaneList& GetPanes() { return m_lstPanes; }
    int GetPaneCount() const { return int(m_lstPanes.GetCount()); }
    BOOL IsActive() const { return m_bActive; }
    // The caption's rectangle in client coordinates (empty without one).
    CRect GetCaptionRect();

    INT_PTR ContainsPane(CVZPDockingPaneBase* pPane) override;
    void CollectPanes(int nType, CVZPDockingPaneBaseList* pList) override;
    void GetMinMaxInfo(MINMAXINFO* pInfo) override;
    void PlaceInFrame(CWnd* pParent, CRect rc, AFX_SIZEPARENTPARAMS* pParams) override;
    void OnIdleUpdate() override;
    void SetHostWindow(CWnd* pWnd) override;
    void OnLayoutChanged(BOOL bReposition) override;
    void OnAttached(CVZPDockingPaneBase* pParent) override;
    BOOL ExchangeProperties(CVZPPropExchange* pPX) override;
    CVZPDockingPaneBase* Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap, DWORD dwIgnoredOptions) override;
    void RemoveChild(CVZPDockingPaneBase* pChild) override;
    BOOL IsEmpty() override;
    BOOL IsCaptionButtonVisible(CVZPDockingPaneCaptionButton* pButton) override;
    CWnd* GetPaneWindow() override;
    BOOL IsAutoHidden() override;

    void Reposition() override;
    void RedrawControl() override;
    CVZPTabPaintManager* GetPaintManager() const override;
    BOOL DrawItemIcon(CDC* pDC, CPoint pt, CVZPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon) override;

    // Creates the window and registers the drop target (once the layout is
    // in use).
    BOOL CreateContainerWindow();

    BOOL m_bMaximized;
    BOOL m_bActive;
    BOOL m_bCaptionShown;
    int m_nLockUpdate;
    CVZPDockingPane* m_pSelectedPane;
    CVZPDockingPane* m_pDraggedTab;
    CArray<CRect, CRect> m_arrTabRects;
    CVZPDockingPaneList m_lstPanes;
    CVZPDockingPaneTabbedContainerDropTarget* m_pDropTarget;

protected:
    // Focus to the selected pane (else the container) and the manager's idle
    // update, as a click into the container does.
    void FocusAndUpdate();
    // The client rectangle of the panes inside the stored rectangle.
    CRect ComputeClientRect(BOOL bApply);
    void ShowAndPlacePanes(CRect rcClient, AFX_SIZEPARENTPARAMS* pParams);
    CVZPDockingPaneCaptionButton* CaptionButtonAt(CPoint pt);
    BOOL IsMouseOnNavigateButton(CPoint pt);
    void RecalcHostLayout();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
