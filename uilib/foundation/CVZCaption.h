// A caption bar above a pane: a themed background, the caption text, an
// optional icon, and one caption button. In the close style the button is a
// close glyph that forwards a command to the owner; in the text style it
// carries the text and shows the pane in a popup below the caption.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "CVZCaptionButton.h"
#include "CVZIconHolder.h"
#include "CVZThemeManagerStyleHost.h"

class CVZCaptionPopupWnd;

// Caption-style bits of Create.
enum
{
    VZCS_SUNKEN = 0x1,   // classic: sunken outer and raised inner frame
    VZCS_RAISED = 0x2,   // classic: raised one-pixel frame
    VZCS_CLOSE = 0x4     // the button is a close glyph
};

class CVZCaption : public CStatic
{
    DECLARE_DYNAMIC(CVZCaption)
public:
    CVZCaption();
    ~CVZCaption() override;

    virtual void SetCaptionColors(COLORREF clrBorder, COLORREF clrFace, COLORREF clrText);
    // Each non-zero or non-NULL argument replaces its field.
    virtual void ModifyCaption(int nBorderSize, CFont* pFont, LPCTSTR lpszText, HICON hIcon);
    virtual void SetChildWindow(CWnd* pChild, CWnd* pNotifyOwner);
    virtual void HidePopup();
    virtual BOOL ShowPopup();
    virtual void UpdateCaption(LPCTSTR lpszText, HICON hIcon);
    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszText, DWORD dwCaptionStyle, DWORD dwStyle, const CRect& rect,
                        UINT nID);
    virtual CRect GetTextRect();
    virtual void DrawCaptionBackground(CDC* pDC, CRect rect);
    virtual void DrawCaptionText(CDC* pDC);
    virtual void DrawCaptionIcon(CDC* pDC, CRect rect);
    virtual void UpdateCaptionText(CDC* pDC);
    virtual CRect GetButtonRect();

    const CString& GetCaptionText() const { return m_strText; }
    HICON GetCaptionIcon() const { return m_hIcon; }
    CSize GetIconSize() const { return CSize(m_cxIcon, m_cyIcon); }
    DWORD GetCaptionStyle() const { return m_dwCaptionStyle; }
    BOOL IsTextButton() const { return m_bTextButton; }
    void SetTextButton(BOOL bTextButton) { m_bTextButton = bTextButton; }
    CFont* GetFont() const;
    CVZCaptionButton& GetCaptionButton() { return m_button; }
    CVZCaptionPopupWnd* GetPopup() const { return m_pPopup; }
    // The owner when set, else the parent.
    CWnd* GetNotifyOwner() const;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int m_nBorderSize;
    COLORREF m_clrBorder;
    COLORREF m_clrFace;
    COLORREF m_clrText;

protected:
    afx_msg void OnPaint();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnSysColorChange();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnCaptionButton();
    afx_msg LRESULT OnPinned(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopupClosed(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    class CVZCaptionTheme* GetTheme() const;
    void DestroyPopup();

    CVZThemeManagerStyleHost m_themeHost;
    int m_nChildOffset;
    BOOL m_bUserColors;
    BOOL m_bTextButton;
    CWnd* m_pChild;
    CWnd* m_pChildParent;
    CWnd* m_pChildGrandparent;
    int m_cxIcon;
    int m_cyIcon;
    CRect m_rcChild;
    CRect m_rcParent;
    CRect m_rcGrandparent;
    DWORD m_dwCaptionStyle;
    HICON m_hIcon;
    CString m_strText;
    CImageList m_glyphs;
    CVZIconHolder m_closeIcon;   // the close glyph the button shows
    CVZCaptionButton m_button;
    CVZCaptionPopupWnd* m_pPopup;
};
