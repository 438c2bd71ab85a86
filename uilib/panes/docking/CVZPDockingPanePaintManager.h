// The drawing policy of docking panes: caption bars and their buttons,
// splitters, floating-frame captions, the room captions and tab strips
// take, and the fonts, metrics and colours all of this uses. It owns the
// tab paint managers of tabbed containers and of auto-hide panels. The
// docking themes derive from it; the pane manager makes one by number.
#pragma once

#include <afxwin.h>

#include <afxtempl.h>

#include "CVZPGradientColor.h"
#include "VZPColorIndex.h"
#include "uilibres.h"  // caption button ids are the ids of their tooltips

class CVZPDockingPaneBase;
class CVZPDockingPaneMiniWnd;
class CVZPDockingPaneSplitterWnd;
class CVZPDockingPaneTabbedContainer;
class CVZPTabPaintManager;


// A button in the caption of a tabbed container or a floating frame, owned
// by that pane object.
class CVZPDockingPaneCaptionButton
{
public:
    CVZPDockingPaneCaptionButton(CVZPDockingPaneBase* pOwner, int nID)
        : m_rc(0, 0, 0, 0), m_pOwner(pOwner), m_nID(nID), m_bPressed(FALSE), m_bHot(FALSE), m_dwGlyphState(0)
    {
    }
    virtual ~CVZPDockingPaneCaptionButton() {}

    // Whether the owner shows the button.
    virtual BOOL IsVisible();

    void SetRect(const RECT& rc);
    // Invalidates the owner's window.
    void Redraw();
    // The modal press: TRUE when the button is released over it. The point
    // and the button's rectangle are in client coordinates, or in window
    // coordinates for a caption in the non-client area. Esc, a right click,
    // a loss of capture and WM_QUIT (posted again) end it with FALSE.
    BOOL Click(CWnd* pWnd, int x, int y, BOOL bClientCoords);
    // Hover tracking; TRUE when the pointer has just entered the button.
    BOOL OnMouseMove(int x, int y);

    CRect m_rc;                     // owner's window coordinates
    CVZPDockingPaneBase* m_pOwner;
    int m_nID;
    BOOL m_bPressed;
    BOOL m_bHot;
    DWORD m_dwGlyphState;           // 1 Auto Hide may show, 2 its pin lies
};

typedef CArray<CVZPDockingPaneCaptionButton*, CVZPDockingPaneCaptionButton*> CVZPDockingPaneCaptionButtons;

// Splitter style bits.
enum VZPDockingSplitterStyle
{
    vzpSplitterRaised = 0x1,
    vzpSplitterSunkenBand = 0x2,
    vzpSplitterGradient = 0x4,
    vzpSplitterGripLines = 0x100,
    vzpSplitterGripDots = 0x200,
};

class CVZPDockingPanePaintManager : public CCmdTarget
{
public:
    // Makes and configures the two tab paint managers.
    CVZPDockingPanePaintManager();
    ~CVZPDockingPanePaintManager() override;

    virtual void DrawPane(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc);
    virtual void DrawCaption(CDC* pDC, CVZPDockingPaneTabbedContainer* pPane, CRect rc) = 0;
    virtual void DrawCaptionButtons(CDC* pDC, CVZPDockingPaneCaptionButtons* pButtons, CRect* pRect,
                                    COLORREF clrGlyph, int nSize, int nGap, BOOL bVertical);
    virtual void DrawCaptionButton(CDC* pDC, CVZPDockingPaneCaptionButton* pButton, COLORREF clrGlyph);
    // Colours, splitter gradient, caption font and height, both tab paint
    // managers and the tab strip height.
    virtual void RefreshMetrics();
    virtual BOOL AdjustClientRect(CVZPDockingPaneTabbedContainer* pPane, RECT* pRect, BOOL bApply);
    virtual void AdjustCaptionRect(CVZPDockingPaneTabbedContainer* pPane, RECT* pRect);
    virtual void DrawFloatingFrame(CDC* pDC, CVZPDockingPaneMiniWnd* pFrame, CRect rc);
    virtual void DrawSplitter(CDC* pDC, CVZPDockingPaneSplitterWnd* pSplitter);

    // An index above 61 is itself a colour.
    COLORREF GetColor(int nIndex) const;
    void SetColors(int nCount, const int* pIndexes, const COLORREF* pColors);
    // The colour scheme choice resolved: 5 follows the visual style (0 while
    // the colour manager ignores visual styles), 4 the detected scheme.
    int GetColorScheme() const;
    // Caption font from the description (NULL: only the flag is stored), the
    // vertical caption font and the caption height.
    void SetCaptionFont(const LOGFONT* pLogFont, BOOL bSystemFont);

    // Drawing helpers that take colour indexes (or colours above 61).
    void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, int nColor);
    void FillAndFrame(CDC* pDC, CRect rc, int nFill, int nFrame);
    void SetPixel(CDC* pDC, int x, int y, int nColor);
    // The glyphs the themes share: Close, Auto Hide (upright, or lying with
    // glyph state bit 2), Maximize, Restore and Menu, centred on pt.
    static void DrawCommonGlyph(CDC* pDC, int nID, DWORD dwGlyphState, CPoint pt, COLORREF clrGlyph);

    // Deflates by (l, t, r, b), or by (t, l, b, r) when vertical.
    static void DeflateRectOriented(RECT* pRect, int l, int t, int r, int b, BOOL bVertical);
    // The width when vertical, else the height.
    static int GetLengthOriented(const RECT& rc, BOOL bVertical);

    int GetCaptionHeight() const { return m_nCaptionHeight; }
    int GetTabStripHeight() const { return m_nTabStripHeight; }
    CVZPTabPaintManager* GetPanelTabPaintManager() const { return m_pPanelTabPaintManager; }
    CVZPTabPaintManager* GetAutoHideTabPaintManager() const { return m_pAutoHideTabPaintManager; }

    BOOL m_bBoldCaption;
    BOOL m_bHighlightActive;
    int m_nSplitterBand;
    BOOL m_bShowCaption;
    BOOL m_bShowTabsForOnePane;
    CVZPOverridableColor m_clrGrip;
    CVZPOverridableColor m_clrFace;
    CVZPGradientColor m_grcSplitter;
    DWORD m_dwSplitterStyle;
    int m_nCaptionHeight;
    int m_nCaptionSpacing;
    int m_nTabStripHeight;
    CFont m_fntCaption;
    CFont m_fntCaptionVertical;
    BOOL m_bPreferTahoma;
    BOOL m_bSystemFont;
    CVZPTabPaintManager* m_pPanelTabPaintManager;
    CVZPTabPaintManager* m_pAutoHideTabPaintManager;
    COLORREF m_clrTable[VZP_COLOR_COUNT];
    int m_nTheme;               // the number the theme was made with
    CString m_strFaceName;
    CRect m_rcCaptionMargin;
    int m_nColorScheme;         // 5 visual style, 4 detected, else the scheme
};
