// The application's owner-drawn push button that behaves as a push button, a
// check box, a drop-down menu button or a link button, shows a hover state
// and plays optional sounds. Only its message handling is part of this
// program: it draws nothing and has no set-up operations beyond plain
// stores of its fields.
#pragma once

#include "COwnerDrawMenu.h"

#include <afxwin.h>

class CMenuButton : public CButton
{
    DECLARE_DYNAMIC(CMenuButton)
public:
    // A sound played on hover or click: a name for PlaySound, its module and
    // flags; none when the name is NULL.
    struct Sound
    {
        LPCTSTR lpszName = NULL;
        HMODULE hModule = NULL;
        DWORD dwFlags = 0;
    };

    CMenuButton();
    ~CMenuButton() override;

    BOOL m_bDefaultButton;
    BOOL m_bCheckBoxMode;
    BOOL m_bChecked;
    BOOL m_bTracking;      // hover tracking is enabled
    BOOL m_bHover;
    BOOL m_bAlwaysHover;   // hover also while the application is inactive
    BOOL m_bMenuPushed;
    COwnerDrawMenu m_menu;
    HWND m_hWndMenuOwner;
    HWND m_hWndMenuNotify;
    UINT m_nMenuNotifyMessage;
    LPARAM m_lMenuNotifyParam;
    CString m_strURL;
    HCURSOR m_hCursor;
    Sound m_soundHover;
    Sound m_soundClick;
    COLORREF m_crFace[3];
    COLORREF m_crText[3];
    CDC m_dcBackground;        // cached background, dropped on colour changes
    CBitmap m_bitmapBackground;

protected:
    void LeaveHover();
    void ResetColors();
    static void PlayButtonSound(const Sound& sound);

    afx_msg UINT OnGetDlgCode();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnClicked();
    DECLARE_MESSAGE_MAP()
};
