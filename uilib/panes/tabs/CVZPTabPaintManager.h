// The layout and drawing policy of every tab strip: one colour set and one
// appearance set chosen by type number, four fonts derived from the
// icon-title font, and the options the strips and the docking themes set
// directly. One paint manager keeps no per-strip state and may serve any
// number of strips.
#pragma once

#include <afxwin.h>

#include <afxtempl.h>

class CVZPTabAppearanceSet;
class CVZPTabColorSet;
class CVZPTabManager;
class CVZPTabManagerItem;
class CVZPTabManagerNavigateButton;

// An object told when the paint manager's settings change.
class CVZPTabPaintManagerClient
{
public:
    virtual ~CVZPTabPaintManagerClient() {}
    virtual void OnSettingsChanged() = 0;
};

// Tab positions; margins are given for tabs on top and rotated to the
// position.
enum VZPTabPosition
{
    vzpTabPositionTop = 0,
    vzpTabPositionLeft = 1,
    vzpTabPositionBottom = 2,
    vzpTabPositionRight = 3,
};

// Layout styles of a strip.
enum VZPTabLayoutStyle
{
    vzpTabLayoutCaptionWidth = 0,
    vzpTabLayoutShrinkToFit = 1,
    vzpTabLayoutFixedWidth = 2,
    vzpTabLayoutCompressed = 3,
    vzpTabLayoutMultiRow = 4,
    vzpTabLayoutRotated = 5,
};

class CVZPTabPaintManager : public CCmdTarget
{
public:
    // SelectAppearance (0) runs before the remaining options are assigned,
    // then RefreshMetrics.
    CVZPTabPaintManager();
    ~CVZPTabPaintManager() override;

    virtual void DrawTabStrip(CVZPTabManager* pStrip, CDC* pDC, CRect rcControl);
    virtual void DeflateToClient(CVZPTabManager* pStrip, RECT* pRect);
    virtual void LayoutTabStrip(CVZPTabManager* pStrip, CDC* pDC, CRect rcControl);
    virtual int DrawTabContent(CDC* pDC, CVZPTabManagerItem* pItem, CRect rc, BOOL bDraw);
    // Fonts from the icon-title font (while the system-font option is set),
    // then the colour set's and the appearance set's metrics.
    virtual void RefreshMetrics();
    virtual void NotifyClients();
    virtual void DrawTabFocus(CDC* pDC, CVZPTabManagerItem* pItem, CRect rc);

    // Records the type and attaches a new set of it (1, 2, 4, 8, 16; any
    // other type gives type 1).
    CVZPTabColorSet* SelectColorSet(int nType);
    // Records the type and attaches a new set of it (0 to 9; any other type
    // gives type 0).
    CVZPTabAppearanceSet* SelectAppearance(int nType);
    // Takes ownership; NULL changes nothing but still notifies the clients.
    CVZPTabColorSet* AttachColorSet(CVZPTabColorSet* pColorSet);
    // As AttachColorSet, and selects the set's default colour type.
    CVZPTabAppearanceSet* AttachAppearanceSet(CVZPTabAppearanceSet* pAppearanceSet);
    // Rebuilds the four fonts from the description (NULL: only the
    // system-font option is stored).
    void ApplyLogFont(const LOGFONT* pLogFont, BOOL bSystemFont);

    void SetTabPosition(int nPosition);
    void SetLayoutStyle(int nStyle);
    int GetTabPosition() const { return m_nPosition; }
    int GetLayoutStyle() const { return m_nLayoutStyle; }
    int GetAppearanceType() const { return m_nAppearanceType; }
    int GetColorType() const { return m_nColorType; }
    CVZPTabColorSet* GetColorSet() const { return m_pColorSet; }
    CVZPTabAppearanceSet* GetAppearanceSet() const { return m_pAppearanceSet; }
    // The classic-colours option or the colour manager's no-visual-style flag.
    BOOL IsLunaDisabled() const;
    // The RGB value of an automatic tab colour 0x1000000 to 0x1000007.
    static COLORREF GetAutoColor(int nIndex);
    void FillNavigateButton(CDC* pDC, CVZPTabManagerNavigateButton* pButton, RECT* pRect);

    // The single-row layout that most appearance sets use: tab lengths,
    // header, shrinking, scroll limit, tab places and navigate buttons.
    void LayoutTabStripDefault(CVZPTabManager* pStrip, CDC* pDC, CRect rc);
    // Frame, background, header and client frame, the rows of tabs clipped
    // off at the navigate buttons, and the buttons.
    void DrawTabStripDefault(CVZPTabManager* pStrip, CDC* pDC, CRect rc);
    // The part of the header the tabs may use; places the navigate buttons.
    CRect GetTabsArea(CVZPTabManager* pStrip, CRect rc);
    // Shortens the longest tabs first until the tabs fit in nAvailable.
    void ShrinkTabs(CVZPTabManager* pStrip, int nAvailable);
    void LayoutMultiRow(CVZPTabManager* pStrip, CDC* pDC, CRect rc);
    void AssignRows(CVZPTabManager* pStrip, CDC* pDC, int nAvailable);
    BOOL FillRowFrom(CVZPTabManager* pStrip, int nAvailable, int nRow, int nRemaining);
    // Adjusts the strip's scroll offset so that the tab lies in the header.
    void ScrollTabIntoView(CVZPTabManager* pStrip, CVZPTabManagerItem* pItem);
    void DrawTabRow(CVZPTabManager* pStrip, CDC* pDC, CRect rc, int nRow);
    // Draws a caption that does not fit as its head, "..." and its tail (a
    // path: with path ellipsis).
    void DrawCaptionEllipsis(CDC* pDC, const CString& strCaption, CRect rc, UINT nFormat);
    // Width of the caption as drawn with nFormat (mnemonic markers removed
    // unless DT_NOPREFIX).
    static int MeasureCaption(CDC* pDC, const CString& strCaption, UINT nFormat);
    // Adds the button margins, then applies the limits (0: none).
    int ClampTabLength(int nLength, int nMin, int nMax) const;
    // The font DrawTabContent selects for the item.
    CFont* GetItemFont(CVZPTabManagerItem* pItem);

    // Margins (l, t, r, b) meant for tabs on top, moved outward on the sides
    // of the actual position; Deflate moves them inward.
    static void InflateRectByPosition(RECT* pRect, int l, int t, int r, int b, int nPosition);
    static void DeflateRectByPosition(RECT* pRect, int l, int t, int r, int b, int nPosition);
    static void DeflateRectByPosition(RECT* pRect, const RECT& rcMargin, int nPosition);

    // Options, read and written directly by the strips and docking themes.
    BOOL m_bHotTracking;
    BOOL m_bShowIcons;
    BOOL m_bBoldSelected;
    BOOL m_bBoldCaptions;
    BOOL m_bClassicColors;
    BOOL m_bItemColors;
    int m_nStripKind;           // 0 plain, 1 docking-pane tabs, 2 auto-hide tabs
    BOOL m_bStaticFrame;
    CRect m_rcClientMargin;
    CRect m_rcControlMargin;
    CRect m_rcButtonMargin;
    BOOL m_bReverseGradient;
    BOOL m_bFillBackground;
    CSize m_szIcon;
    BOOL m_bMiddleEllipsis;
    BOOL m_bNoPrefix;
    BOOL m_bKeepRowOrder;
    BOOL m_bBalanceRows;
    BOOL m_bFocusRectangle;
    BOOL m_bSelectOnDragOver;

    CVZPTabAppearanceSet* m_pAppearanceSet;
    CVZPTabColorSet* m_pColorSet;
    CArray<CVZPTabPaintManagerClient*, CVZPTabPaintManagerClient*> m_arrClients;
    int m_nAppearanceType;
    int m_nColorType;
    int m_nPosition;
    int m_nLayoutStyle;
    CFont m_fntNormal;
    CFont m_fntBold;
    CFont m_fntVertical;
    CFont m_fntVerticalBold;
    BOOL m_bSystemFont;
    int m_nTooltipMode;         // 0 none, 1 always, 2 truncated tabs only
    int m_nColorCounter;
};
