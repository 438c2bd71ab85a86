// The base of every theme object: the drawing policy a themed control leaves
// its painting to, made by a factory for a style number.
#pragma once

#include <afxwin.h>

class CVZThemeManagerStyleFactory;

class CVZThemeManagerStyle
{
public:
    CVZThemeManagerStyle();
    virtual ~CVZThemeManagerStyle();
    CVZThemeManagerStyle(const CVZThemeManagerStyle&) = delete;
    CVZThemeManagerStyle& operator=(const CVZThemeManagerStyle&) = delete;

    // Reloads colours and metrics from the system (base: nothing).
    virtual void RefreshMetrics();
    // Copies the parent's pixels under the control into the theme's bitmap;
    // FALSE when the control has no parent window.
    virtual BOOL CaptureParentBackground(CWnd* pControl);
    // For a control with WS_EX_TRANSPARENT only: captures the parent's pixels
    // and copies them to the DC's origin at the control's client size; TRUE
    // when drawn. FALSE (nothing drawn) otherwise.
    virtual BOOL DrawParentBackground(CDC* pDC, CWnd* pControl);

    CVZThemeManagerStyleFactory* m_pFactory;   // the factory that adopted the theme
    int m_nStyle;                              // the style number it was made for
    CBitmap m_bmpParentBackground;
};
