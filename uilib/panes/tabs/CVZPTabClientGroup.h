// One tab group of the MDI tab client: a tab strip with one tab per MDI
// child it holds, its share of the client's extent and the splitter after
// it. In workspace mode the client draws the group and passes it the mouse;
// otherwise the group has a window of its own beside the MDI client.
#pragma once

#include <afxwin.h>

#include "CVZPTabManager.h"

class CVZPTabClientWnd;

class CVZPTabClientGroup : public CWnd, public CVZPTabManager
{
public:
    explicit CVZPTabClientGroup(CVZPTabClientWnd* pClient);
    ~CVZPTabClientGroup() override;

    // The first tab whose window is hWnd; NULL when none.
    CVZPTabManagerItem* FindItemByHandle(HWND hWnd) const;
    // The window the strip's mouse loops work in: its own, or the client's
    // when the client shows the group.
    HWND GetStripHwnd() const;

    CVZPTabPaintManager* GetPaintManager() const override;
    void Reposition() override;
    void RedrawControl() override;
    BOOL DrawItemIcon(CDC* pDC, CPoint pt, CVZPTabManagerItem* pItem, BOOL bDraw, CSize* pszIcon) override;
    // Activates the tab's child; the layout then selects its tab.
    void OnItemClick(CVZPTabManagerItem* pItem) override;
    void ReorderItem(HWND hWnd, int x, int y, CVZPTabManagerItem* pItem) override;

    CVZPTabClientWnd* m_pClient;
    double m_dShare;         // extent along the grouping direction, a weight
    CRect m_rcSplitter;      // the splitter after this group; empty for the last
    BOOL m_bReordering;      // the reorder loop runs: the layout keeps the selection

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
