// A list view's header painted through a header theme, with a sort arrow, a
// context menu for sorting and column alignment, fixed-width columns and
// column fitting. CVZFlatHeaderCtrl is the same control with a private flat
// theme.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>
#include <afxwin.h>

#include "CVZThemeManagerStyleHost.h"

class CVZHeaderCtrlThemeClassic;

class CVZHeaderCtrl : public CHeaderCtrl, public CVZThemeManagerStyleHost
{
    DECLARE_DYNAMIC(CVZHeaderCtrl)
public:
    CVZHeaderCtrl();
    ~CVZHeaderCtrl() override;

    // The left button is down over this item.
    virtual BOOL IsItemPressed(int nItem);
    // The library's bold or normal font, then a redraw.
    virtual void SetFontBold(BOOL bBold = FALSE);
    // A context menu resource of the caller's (0: the library's menu) and the
    // index of the pop-up to show.
    virtual void SetMenuID(UINT nMenuID, int nSubMenu = 0);
    // The library's bold or normal font, without a redraw.
    virtual void InitFont(BOOL bBold = FALSE);
    virtual void ShowSortArrow(BOOL bShow);
    // The format's two low bits (0 left, 1 right, 2 centre) for the column
    // under the last right-button press.
    virtual void SetColumnAlignment(int nFormat);
    virtual BOOL DetectRightToLeft();
    // Shares the width among the columns that are not fixed.
    virtual void ResizeColumns(int nWidth);
    // Fits the columns to the width (0 or less: the header's own width).
    virtual void FitFieldWidth(int nWidth);
    virtual int GetFixedColumnsWidth();

    void EnableAutoFitColumns(BOOL bEnable = TRUE);
    // Stores the sort column and direction and redraws; returns the previous
    // sort column.
    int SetSortImage(int nColumn, BOOL bAscending);
    // The sort column (-1 none); the direction goes to pbAscending.
    int GetSortImage(BOOL* pbAscending = NULL) const;
    BOOL IsColumnFixed(int nIndex) const;

    // The header theme to paint with; NULL paints by default.
    CVZHeaderCtrlThemeClassic* GetHeaderTheme() const;

    // Re-lays out the header and its list for the new theme.
    void OnThemeChanged() override;

protected:
    // The item under a point in client coordinates, or -1.
    int HitTestItem(CPoint point, UINT* pnFlags = NULL);
    // The parent when it is a list control or list view, else NULL.
    CWnd* GetParentList() const;
    void ShowContextMenu();
    void SortByContextColumn(BOOL bAscending);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSortAscending();
    afx_msg void OnSortDescending();
    afx_msg void OnAlignLeft();
    afx_msg void OnAlignCenter();
    afx_msg void OnAlignRight();
    afx_msg BOOL OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nMinWidth;          // no column is tracked or fitted below it
    int m_nMenuSubIndex;
    int m_nHotItem;
    int m_nSortColumn;
    BYTE m_bRightToLeft;
    BYTE m_bFitColumns;
    BOOL m_bContextMenu;
    BOOL m_bAscending;
    BOOL m_bLButtonDown;
    BOOL m_bHotDrawn;
    UINT m_nCustomMenuID;
    CPoint m_ptContext;       // client point of the last right-button press
    CList<int, int> m_fixedColumns;
};

class CVZFlatHeaderCtrl : public CVZHeaderCtrl
{
    DECLARE_DYNAMIC(CVZFlatHeaderCtrl)
public:
    CVZFlatHeaderCtrl();
};
