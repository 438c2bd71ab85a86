// Drop shadows under popup bars: small see-through windows at the right of
// and below a popup (and below the toolbar button that opened it) that
// follow their owner's showing, hiding and destruction. With layered windows
// a shadow is an alpha bitmap that fades out at its ends; without them a
// solid strip in the button-shadow colour.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>

#include "CVZPHookReceiver.h"

class CVZPCommandBar;
class CVZPControl;
class CVZPPopupBar;

// One strip of shadow.
class CVZPShadowWnd : public CWnd, public CVZPHookReceiver
{
    DECLARE_DYNAMIC(CVZPShadowWnd)
public:
    CVZPShadowWnd();
    ~CVZPShadowWnd() override;

    // Creates the window on first use, drops any region and moves the
    // window (without repainting) to the strip beside the owner rectangle.
    BOOL PlaceShadow(BOOL bBottom, const CRect& rcOwner);
    // Cuts the screen rectangle out of the window: the region becomes the
    // client rectangle minus the intersection.
    void ExcludeRect(const CRect& rcScreen);
    // Keeps the corner where this strip meets a strip of the other kind
    // already listed from being shadowed twice.
    void AlignWithShadows(CPtrList& listShadows);

    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // The strip beside the owner rectangle, nThickness pixels thick.
    static CRect AFX_CDECL GetStripRect(BOOL bBottom, const CRect& rcOwner, int nThickness);
    // The strip's alpha pixels, premultiplied, for a bottom-up 32-bit DIB of
    // cx x cy (pBits holds cx * cy values): weights fade in along the
    // strip's first four pixels (and, for a bottom strip, out along its
    // last four) and grow towards the owner.
    static void AFX_CDECL FillShadowBits(DWORD* pBits, int cx, int cy, BOOL bBottom, COLORREF clrShadow,
                                         BOOL bThemeShadow);

    BOOL m_bBottom;          // below the owner, else at its right
    BOOL m_bThemeShadow;     // the owner's theme is flat
    CVZPCommandBar* m_pOwner;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg UINT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()
};

typedef BOOL(WINAPI* PFNVZPUPDATELAYEREDWINDOW)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                               DWORD);

// The process's shadows.
class CVZPShadowManager
{
public:
    CVZPShadowManager();
    ~CVZPShadowManager();
    CVZPShadowManager(const CVZPShadowManager&) = delete;
    CVZPShadowManager& operator=(const CVZPShadowManager&) = delete;

    // Shadows for a shown popup, cut where they meet the exclusion
    // rectangle (the opening control) with a flat theme.
    void AddShadow(CVZPPopupBar* pPopupBar, const CRect& rcExclude);
    // Shadows for the control whose popup is open, owned by that popup.
    void AddControlShadow(CVZPControl* pControl);
    // Removes every shadow of the owner.
    void RemoveShadows(CVZPCommandBar* pOwner);
    CVZPShadowWnd* CreateShadow(BOOL bBottom, const CRect& rcOwner, const CRect& rcExclude, CVZPCommandBar* pOwner);

    // Thickness of a strip: 4 with alpha shadows, else 2.
    int GetShadowThickness() const { return IsAlphaShadow() ? 4 : 2; }
    BOOL IsAlphaShadow() const { return m_pfnUpdateLayeredWindow != NULL; }
    PFNVZPUPDATELAYEREDWINDOW GetUpdateLayeredWindow() const { return m_pfnUpdateLayeredWindow; }
    // The listed shadows, oldest first.
    CPtrList& GetShadows() { return m_listShadows; }

private:
    friend class CVZPShadowWnd;
    void DestroyShadow(CVZPShadowWnd* pShadow);

    PFNVZPUPDATELAYEREDWINDOW m_pfnUpdateLayeredWindow;
    CPtrList m_listShadows;
};

// The process-wide shadow manager.
CVZPShadowManager* VZPGetShadowManager();
