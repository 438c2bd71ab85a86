// The library's combo box with a flat, hot-tracked look drawn by the flat
// combo box theme, and type-ahead completion from its list.
#pragma once

#include <afxwin.h>

#include "CVZThemeManagerStyleHost.h"

class CVZFlatComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CVZFlatComboBox)
public:
    CVZFlatComboBox();

    void SetFlat(BOOL bFlat) { m_bFlat = bFlat; }
    void SetAutoComplete(BOOL bAutoComplete) { m_bAutoComplete = bAutoComplete; }
    // The text area's colour in a drop list; -1: the window colour.
    void SetBackColor(COLORREF clr) { m_clrBack = clr; }
    COLORREF GetBackColor() const { return m_clrBack; }
    BOOL IsHot() const { return m_bHot; }
    // The cursor lies in the control's window rectangle.
    virtual BOOL HitTestHot() const;
    // 3 while the list is dropped, 2 while hot or focused, else 0.
    int GetDrawState() const;
    // The theme's frame, text area and arrow.
    virtual void DrawBorder(CDC* pDC);

    // Backspace and Delete typed in the edit part pass the next update on
    // without completing it.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnSetFocusReflect();
    afx_msg BOOL OnKillFocusReflect();
    afx_msg BOOL OnEditUpdate();
    afx_msg BOOL OnCloseUp();
    DECLARE_MESSAGE_MAP()

    void RedrawFully();

    CVZThemeManagerStyleHost m_themeHost;
    BOOL m_bFlat;
    BOOL m_bHot;
    BOOL m_bHasFocus;
    BOOL m_bAutoComplete;
    BOOL m_bSkipCompletion;
    COLORREF m_clrBack;
};
