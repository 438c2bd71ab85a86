// A flat-look combo box: a one-pixel frame instead of the 3-D border, a flat
// drop-down button, hot tracking that also covers its edit child, and a
// drop-down height of a fixed number of items.
#pragma once

#include "CHotTracker.h"

#include <afxwin.h>

class CFlatComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CFlatComboBox)
public:
    CFlatComboBox();
    ~CFlatComboBox() override;

    BOOL IsHot() const { return m_hotTracker.IsHot(); }
    // The combo or its edit child has the focus.
    BOOL HasFocusInside() const;
    // The parent is a control bar that sits in a dock bar. The framework has
    // no dock bars, so this is FALSE here.
    BOOL IsInDockedBar() const;

    int m_nVisibleItems;
    CHotTracker m_hotTracker;

protected:
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnPaint();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

    void PaintFlat(CDC* pDC);
    BOOL IsInControlBar() const;

    int m_nEditHeight;      // -1 until read
    int m_nPendingHeight;   // requested height while a resize is adjusted; -1 when none
    BOOL m_bAdjusting;      // the selection field's height is being set
};

// The edit child of a CFlatComboBox: it shares the combo's hot tracking.
class CFlatComboEdit : public CEdit
{
    DECLARE_DYNAMIC(CFlatComboEdit)
public:
    CFlatComboEdit();
    ~CFlatComboEdit() override;

protected:
    CFlatComboBox* Combo() const;

    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()
};
