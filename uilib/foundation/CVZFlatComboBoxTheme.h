// The flat combo box's themes (classic 3-D, flat highlight, scheme gradient)
// and their factory. Drawing states: 2 hot, 3 pressed (list dropped), any
// other value normal.
#pragma once

#include "CVZThemeManagerStyle.h"
#include "CVZThemeManagerStyleFactory.h"

class CVZFlatComboBoxThemeClassic : public CVZThemeManagerStyle
{
public:
    CVZFlatComboBoxThemeClassic();
    // The system metrics and the button width from the UI font.
    void RefreshMetrics() override;
    // Text area, frame and arrow over the combo box's client area.
    virtual void DrawFlatComboBox(CDC* pDC, CWnd* pCombo, int nState);
    virtual void DrawArrow(CDC* pDC, CRect rect, int nState, CWnd* pCombo);
    // Narrows the rectangle to the button and draws it.
    virtual void DrawButton(CDC* pDC, CRect& rect, int nState, CWnd* pCombo);

    int m_nButtonWidth;
    int m_cxBorder;
    int m_cyBorder;
    int m_cxEdge;
    int m_cyEdge;

protected:
    // The frame of the whole control while enabled (classic: only hot or pressed).
    virtual void DrawFrame(CDC* pDC, const CRect& rect, int nState);
    virtual CPoint ArrowOffset(int nState) const { return nState == 3 ? CPoint(1, 1) : CPoint(0, 0); }
};

class CVZFlatComboBoxThemeFlat : public CVZFlatComboBoxThemeClassic
{
public:
    void DrawButton(CDC* pDC, CRect& rect, int nState, CWnd* pCombo) override;

protected:
    void DrawFrame(CDC* pDC, const CRect& rect, int nState) override;
    CPoint ArrowOffset(int nState) const override { (void)nState; return CPoint(0, 0); }
    // The one-pixel line left of a hot or pressed button.
    static void DrawButtonEdge(CDC* pDC, const CRect& rect, COLORREF clr);
};

class CVZFlatComboBoxThemeGradient : public CVZFlatComboBoxThemeFlat
{
public:
    void DrawButton(CDC* pDC, CRect& rect, int nState, CWnd* pCombo) override;

protected:
    void DrawFrame(CDC* pDC, const CRect& rect, int nState) override;
};

// Style 1 flat, style 2 gradient, any other classic.
class CVZFlatComboBoxThemeFactory : public CVZThemeManagerStyleFactory
{
    DECLARE_DYNCREATE(CVZFlatComboBoxThemeFactory)
public:
    CVZThemeManagerStyle* CreateTheme(int nStyle) override;
};
