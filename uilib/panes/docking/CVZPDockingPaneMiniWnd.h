// The small top-level frame that holds panes floated away from the main
// frame. It owns one splitter container (its top container) with tabbed
// containers inside, keeps its title and system menu in step with its panes,
// can draw a themed caption with its own buttons in the non-client area,
// starts drags from its caption, and can roll up to its caption while the
// pointer is away. The layout owns the object; its window never deletes it.
#pragma once

#include <afxwin.h>

#include <afxpriv.h>

#include "CVZPDockingPaneBase.h"

class CVZPDockingPane;
class CVZPDockingPaneSplitterContainer;

class CVZPDockingPaneMiniWnd : public CMiniFrameWnd, public CVZPDockingPaneBase
{
    DECLARE_DYNAMIC(CVZPDockingPaneMiniWnd)
public:
    // Roll-up animation: 16 ms a step over 128 ms.
    enum
    {
        RollPeriod = 16,
        RollDuration = 128,
        TimerLeave = 1,
        TimerRoll = 3,
        TimerHover = 2345,
    };

    explicit CVZPDockingPaneMiniWnd(CVZPDockingPaneLayout* pLayout);
    ~CVZPDockingPaneMiniWnd() override;

    virtual void CopyFrom(CVZPDockingPaneMiniWnd* pSource, CMapPtrToPtr* pMap);
    // The window at the rectangle, shifted onto the work area when it lies
    // wholly beside it; FALSE when the window cannot be made.
    virtual BOOL CreateFrame(CRect rc);
    virtual void OnCaptionButtonClick(CVZPDockingPaneCaptionButton* pButton);
    // TRUE when the press was handled (the Menu button).
    virtual BOOL OnCaptionButtonPress(CVZPDockingPaneCaptionButton* pButton);

    // Creates the window at the rectangle and makes the object (a pane is
    // wrapped in a tabbed container first) the content of a new top
    // container.
    void SetupFloating(CVZPDockingPaneBase* pObject, CRect rc);
    void ToggleRollUp();
    void ExpandIfRolledUp();
    void ApplyFrameStyle();
    // The selected pane of the one tabbed container, else NULL.
    CVZPDockingPane* GetSinglePane();
    BOOL IsThemed() const;
    // Lets the top container's tabbed containers create their windows on
    // this frame (a layout taken into use).
    void AttachContent();
    // Height of the window for an animation step.
    void SetRollStepHeight(int nStep);

    CVZPDockingPaneSplitterContainer* GetTopContainer() const { return m_pTopContainer; }

    void RecalcLayout(BOOL bNotify = TRUE) override;
    void PostNcDestroy() override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    void InvalidatePane() override;
    void OnChildChanged(CVZPDockingPaneBase* pChild) override;
    void OnLayoutChanged(BOOL bReposition) override;
    BOOL ExchangeProperties(CVZPPropExchange* pPX) override;
    CVZPDockingPaneBase* Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap, DWORD dwIgnoredOptions) override;
    void RemoveChild(CVZPDockingPaneBase* pChild) override;
    BOOL IsCaptionButtonVisible(CVZPDockingPaneCaptionButton* pButton) override;
    CWnd* GetPaneWindow() override { return this; }

    CVZPDockingPaneSplitterContainer* m_pTopContainer;
    BOOL m_bCloseEnabled;
    int m_nExpandedHeight;
    int m_nRollSteps;
    int m_nStep;
    int m_nLeaveCountdown;
    BOOL m_bRollUpMode;
    BOOL m_bExpandedNow;
    BOOL m_bRolling;
    BOOL m_bActiveCaption;
    // The last CreateFrame failed (SetupFloating goes on without a window).
    BOOL m_bCreateFailed;

protected:
    CVZPDockingPaneCaptionButton* CaptionButtonAt(CPoint ptWindow);
    void StartLeaveTimer(int nCountdown);

    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnDestroy();
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

public:
    // Timers 1 (leave poll), 3 (roll step) and 2345 (caption hover).
    afx_msg void OnTimer(UINT_PTR nIDEvent);
};
