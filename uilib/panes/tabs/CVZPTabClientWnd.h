// Takes over the MDI client window of an MDI frame and shows its children as
// tabs in tab groups. Groups lie side by side or stacked with splitters
// between them; the workspace commands move the active child's tab to
// another group or into a new one.
#pragma once

#include <afxwin.h>

#include <afxtempl.h>

#include "CVZPTabClientGroup.h"
#include "CVZPTabPaintManager.h"
#include "uilibres.h"

class CVZPCommandBars;

// Registered messages the tab client answers, for code below this library
// (the command bars) that sees the MDI client only as a window:
// "VZPTabClientRefresh" (wParam: recalculate the frame layout) refreshes
// and answers 1; "VZPTabClientCommandState" (wParam: a workspace command)
// answers GetWorkspaceCommandState for it.
#define VZP_TABCLIENT_REFRESH_MESSAGE       L"VZPTabClientRefresh"
#define VZP_TABCLIENT_COMMANDSTATE_MESSAGE  L"VZPTabClientCommandState"

// Kinds of MoveItemToGroup.
enum VZPTabClientMove
{
    vzpTabClientMoveToGroup = 2,
    vzpTabClientNewHorizontalGroup = 3,
    vzpTabClientNewVerticalGroup = 4,
};

class CVZPTabClientWnd : public CWnd
{
    DECLARE_DYNAMIC(CVZPTabClientWnd)
public:
    CVZPTabClientWnd();
    ~CVZPTabClientWnd() override;

    // Subclasses the frame's MDI client and shows its children as tabs.
    BOOL SubclassMDIClient(CMDIFrameWnd* pFrame);
    // Removes the groups and gives the MDI client its own procedure back.
    void UnsubclassMDIClient();

    // Rebuilds the groups' tabs from the MDI children, removes empty groups,
    // lays the groups, splitters and children out and repaints.
    virtual void UpdateLayout();
    // Paints the client when no groups are shown.
    virtual void DrawClient(CDC* pDC, CRect rc);
    virtual CVZPCommandBars* GetCommandBars() const;
    // A new group at nIndex of the groups.
    virtual CVZPTabClientGroup* InsertGroup(int nIndex);

    void Refresh(BOOL bRecalcFrame);
    CVZPTabManagerItem* FindItem(HWND hWnd) const;
    HWND GetActiveChild() const;
    int GetGroupIndex(const CVZPTabManager* pGroup) const;
    // Non-zero when the workspace command may run; its tab goes to *ppItem.
    int GetWorkspaceCommandState(UINT nID, CVZPTabManagerItem** ppItem = NULL) const;
    // Moves the tab to pGroup (kind 2) or into a new group after its own
    // (kinds 3 and 4: stacked or side-by-side groups); its colour stays.
    void MoveItemToGroup(CVZPTabManagerItem* pItem, CVZPTabClientGroup* pGroup, int nKind);

    int GetGroupCount() const { return int(m_arrGroups.GetSize()); }
    CVZPTabClientGroup* GetGroup(int nIndex) const { return m_arrGroups[nIndex]; }
    CVZPTabPaintManager* GetPaintManager() const { return m_pPaintManager; }
    BOOL IsInLayout() const { return m_bInLayout; }
    // The modal drag of the splitter after group nIndex; pt in client
    // coordinates.
    void TrackSplitter(int nIndex, CPoint pt);

    CArray<CVZPTabClientGroup*, CVZPTabClientGroup*> m_arrGroups;   // display order
    CMDIFrameWnd* m_pFrame;
    BOOL m_bLayoutDirty;
    BOOL m_bMoving;
    BOOL m_bMouseDown;
    BOOL m_bRefreshing;
    CVZPTabPaintManager* m_pPaintManager;
    BOOL m_bHorizontalGroups;          // stacked top to bottom
    HCURSOR m_hcurVertSplitter;        // over splitters between side-by-side groups
    HCURSOR m_hcurHorzSplitter;        // over splitters between stacked groups
    BOOL m_bWorkspaceMode;
    BOOL m_bOutlineSplitterDrag;
    int m_nSplitterWidth;
    BOOL m_bKeepActivationOnClose;
    BOOL m_bClientMouseDown;           // set with m_bMouseDown by a press, cleared with it
    BOOL m_bPlainActivation;

protected:
    // Every group's share from its control rect.
    void UpdateSharesFromRects();
    // Shares of groups nIndex and nIndex + 1 from the bar within the range.
    void ResizeGroupsByBar(int nIndex, const CRect& rcBar, const CRect& rcRange);
    // One tab per MDI child; TRUE when a group emptied.
    void SynchronizeTabs(HWND hWndActive);
    void RemoveEmptyGroups();
    void LayoutGroups();
    void PlaceChildren();
    void PassMouseMove(CPoint pt);
    // The splitter after group nIndex moved: shares, frame, layout.
    void ApplySplitterMove(int nIndex, const CRect& rcBar, const CRect& rcRange);
    void TrackSplitterLive(int nIndex, CRect rcBar, const CRect& rcRange, CPoint ptScreen);
    // Outside workspace mode: the group's window takes the place the frame
    // gives the client (frame coordinates), the client the group's client
    // area; NULL when no group window shows.
    CVZPTabClientGroup* GetWindowedGroup() const;
    void PlaceWindowedGroup(CVZPTabClientGroup* pGroup, const CRect& rcPlace, CRect* pClientPlace);
    // Gives the client the place of a group window that goes away.
    void ReleaseGroupPlace(CVZPTabClientGroup* pGroup);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnWorkspaceCommand(UINT nID);
    afx_msg void OnUpdateWorkspaceCommand(CCmdUI* pCmdUI);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDICreate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDIDestroy(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRefreshRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCommandStateRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bInLayout;
    BOOL m_bPlacingClient;   // the client moves itself: no group takes the place
};
