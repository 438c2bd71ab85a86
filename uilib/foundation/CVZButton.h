// The library's owner-drawn push button: an icon (normal and hot image) next
// to its caption, a hot state that follows the mouse, and every pixel left to
// a button theme obtained through the theme manager.
#pragma once

#include <afxwin.h>

#include "CVZPImageManagerIconHandle.h"
#include "CVZThemeManagerStyleHost.h"

class CVZButtonThemeClassic;
class CVZPImageManagerIcon;

// The button's own draw-style bits (GetDrawStyle).
enum
{
    VZBS_FLAT = 0x0001,             // classic: no border at rest
    VZBS_THINBORDER = 0x0002,       // classic: a one-pixel border
    VZBS_IMAGEABOVE = 0x0004,       // image centred above the caption
    VZBS_FOCUSRECT = 0x0010,        // focus rectangle when focused
    VZBS_CHECKERPRESSED = 0x0020,   // classic: checker face while pressed
    VZBS_FLATTHEME = 0x0040,        // a private flat theme
    VZBS_VISUALSTYLE = 0x1000       // background from the "BUTTON" visual style
};

class CVZButton : public CButton
{
    DECLARE_DYNAMIC(CVZButton)
public:
    // NULL: CVZButtonThemeFactory.
    explicit CVZButton(CRuntimeClass* pThemeFactoryClass = NULL);
    ~CVZButton() override;

    // The current theme (NULL when the host has none).
    CVZButtonThemeClassic* GetTheme() const;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual BOOL SetIconHandles(CSize size, const CVZPImageManagerIconHandle& hNormal,
                                const CVZPImageManagerIconHandle& hHot, BOOL bRedraw = TRUE);
    // Group-icon resources of the ids at the size (hot id 0: none).
    virtual BOOL SetIconIds(CSize size, UINT nNormalID, UINT nHotID = 0, BOOL bRedraw = TRUE);
    virtual BOOL SetIconNames(CSize size, LPCTSTR lpszNormal, LPCTSTR lpszHot = NULL, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(CSize size, HICON hNormal, HICON hHot = NULL, BOOL bRedraw = TRUE);
    virtual BOOL SetBitmap(CSize size, UINT nBitmapID, BOOL bRedraw = TRUE);
    virtual BOOL SetImageTextPoints(CPoint ptImage, CPoint ptText, BOOL bRedraw = TRUE);
    virtual DWORD SetDrawStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
    virtual DWORD GetDrawStyle() const { return m_dwDrawStyle; }
    virtual BOOL HasTheme() const;
    virtual void SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText);
    virtual void SetFaceColor(COLORREF clr);
    virtual COLORREF GetFaceColor() const;
    virtual void SetLightColor(COLORREF clr);
    virtual void SetShadowColor(COLORREF clr);
    virtual void SetTextColor(COLORREF clr);
    // Only for a theme of style 1 (flat).
    virtual void SetFlatColors(COLORREF clrBorder, COLORREF clrHotFill, COLORREF clrPressedFill);
    virtual void ToggleImages();
    // Sets the font (NULL: the system font) and returns the previous one.
    virtual CFont* SwapFont(CFont* pFont);
    // ORs BS_OWNERDRAW into the window's style; FALSE without a window.
    virtual BOOL SetOwnerDrawStyle();
    virtual void ResetImageVariants();
    virtual CString GetButtonText(BOOL bRemoveMnemonics);

    CVZPImageManagerIcon* GetIcon() const { return m_pIcon; }
    HICON GetHotIconHandle() const;
    void SetLeftButtonDown(BOOL bDown);
    BOOL IsLeftButtonDown() const { return m_bLeftButtonDown; }
    BOOL IsHot() const { return m_bHot; }
    BOOL HasExplicitPoints() const { return m_bExplicitPoints; }
    // Each 0,0 while the theme hides images.
    CSize GetImageSize() const;
    CPoint GetImagePoint() const;
    CPoint GetTextPoint() const;

    int m_nBorderGap;
    int m_nImageGap;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    // One step of hot tracking; FALSE when it stopped the timer.
    BOOL CheckHotState();
    void InvalidateIfCreated(BOOL bRedraw);
    BOOL ShowsImages() const;

    CVZThemeManagerStyleHost m_themeHost;
    BOOL m_bSetStyleOnSubclass;
    BOOL m_bHot;
    BOOL m_bExplicitPoints;
    BOOL m_bLeftButtonDown;
    BOOL m_bHotPainted;
    DWORD m_dwDrawStyle;
    CSize m_sizeImage;
    CPoint m_ptImage;
    CPoint m_ptText;
    CVZPImageManagerIcon* m_pIcon;
};
