// The drawing and metrics policy of the task panel: margins, spacing,
// fonts and colours, measuring of captions and items, and the drawing of
// background, captions with expand buttons, bodies, items, highlights,
// drop marks and scroll buttons. Itself theme 0 and the base of the other
// twelve themes.
#pragma once

#include <afxwin.h>

#include "CVZPGradientColor.h"
#include "CVZPTaskPanelItem.h"

class CVZPTaskPanel;
class CVZPTaskPanelGroup;
class CVZPTaskPanelGroupItem;
class CVZPTaskPanelItem;
class CVZPTaskPanelScrollButton;
class CVZPImageManagerIcon;

// The colours of one kind of group (ordinary or special).
struct CVZPTaskPanelColorSet
{
    CVZPGradientColor grcCaption;
    CVZPGradientColor grcBody;          // its effective end colour is the body colour
    CVZPOverridableColor clrBorder;
    double dCaptionGradientStart;       // 0 to 1: where the caption gradient begins
    CVZPOverridableColor clrCaptionText;
    CVZPOverridableColor clrCaptionTextHot;
    CVZPOverridableColor clrTextItem;
    CVZPOverridableColor clrLink;
    CVZPOverridableColor clrLinkHot;
    CVZPOverridableColor clrLinkSelected;

    CVZPTaskPanelColorSet() : dCaptionGradientStart(0) {}
};

typedef BOOL(WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

class CVZPTaskPanelPaintManager
{
public:
    // Loads msimg32.dll for AlphaBlend.
    CVZPTaskPanelPaintManager();
    // Frees the module, the two expand icons, eight bitmaps and five fonts.
    virtual ~CVZPTaskPanelPaintManager();
    CVZPTaskPanelPaintManager(const CVZPTaskPanelPaintManager&) = delete;
    CVZPTaskPanelPaintManager& operator=(const CVZPTaskPanelPaintManager&) = delete;

    virtual void FillPanelBackground(CDC* pDC, CVZPTaskPanel* pPanel);
    virtual void DrawGroupBody(CDC* pDC, CVZPTaskPanelGroup* pGroup);
    virtual int DrawGroupCaption(CDC* pDC, CVZPTaskPanelGroup* pGroup, BOOL bDraw);
    virtual CRect DrawGroupItem(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw);
    // Fonts from the icon-title font, caption height, colour sets, expand
    // style and highlight colours.
    virtual void RefreshMetrics();
    virtual CVZPTaskPanelColorSet* GetGroupColors(CVZPTaskPanelGroup* pGroup);
    virtual void DrawItemHighlight(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc);
    virtual CRect GetItemMargins(CVZPTaskPanelGroupItem* pItem);
    virtual CRect GetItemInnerPadding(CVZPTaskPanelGroupItem* pItem);
    virtual CRect GetGroupOuterMargins(CVZPTaskPanelGroup* pGroup);
    virtual CRect GetIconPadding(CVZPTaskPanelItem* pItem);
    virtual CRect GetGroupInnerMargins(CVZPTaskPanelGroup* pGroup);
    virtual CRect GetPanelMargins(CVZPTaskPanel* pPanel);
    virtual int GetGroupSpacing(CVZPTaskPanel* pPanel);
    virtual void DrawScrollButton(CDC* pDC, CVZPTaskPanelScrollButton* pButton);
    virtual void FillGroupClientFace(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc);
    virtual void DrawGroupItems(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc);
    virtual CRect DrawExpandButton(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc);
    virtual int GetExpandButtonWidth(CVZPTaskPanelGroup* pGroup, CRect rc);
    virtual void DrawItemText(CDC* pDC, CVZPTaskPanelItem* pItem, CRect rc, UINT nFormat);
    virtual void DrawItemImage(CDC* pDC, CVZPTaskPanelItem* pItem, int x, int y, CVZPImageManagerIcon* pImage,
                               int cx, int cy);
    virtual CSize GetPressedOffset(CVZPTaskPanelGroupItem* pItem);
    virtual void DrawDropMark(CDC* pDC, CVZPTaskPanelItem* pItem, CRect rc, BOOL bAfter);
    virtual void DrawFocusRectangle(CDC* pDC, CRect rc);

    // The visual style's expand-button bitmaps from its shell style library
    // when a colour scheme is active; else the tinted icons made from
    // bitmaps 9197 and 9198.
    void LoadExpandResources();
    // Replaces *phIcon by bitmap nResourceID tinted to clr: the top-left pixel
    // is the transparent key (it becomes RGB(0, 255, 0)); every other pixel
    // takes clr's hue and saturation with luminance Lc x Lp / Lk (limited to
    // 1; Lp above 0.9 keeps its own unless Lc is also above 0.9). A black
    // key, whose luminance is 0, scales by 1. *phIcon is NULL when the bitmap
    // is missing.
    void MakeTintedIcon(HICON* phIcon, UINT nResourceID, COLORREF clr);

    BOOL m_bExplorerLook;
    int m_nExpandButtonStyle;        // 0 none, 1 visual style, 2 3-D box, 3 triangle
    BOOL m_bCaptionBold;
    CRect m_rcGroupOuterMargins;
    CRect m_rcGroupInnerMargins;
    CRect m_rcItemMargins;
    CRect m_rcItemInnerPadding;
    CRect m_rcPanelMargins;
    int m_nGroupSpacing;
    CRect m_rcGridCellPadding;
    CRect m_rcItemIconPadding;
    CRect m_rcGroupIconPadding;
    int m_nHighlightStyle;           // 0 classic 3-D, 1 flat, 2 flat with scheme colours
    BOOL m_bInvertDropMarks;
    BOOL m_bCaptionScrollButtons;
    BOOL m_bEmbossDisabledText;
    BOOL m_bExpandBitmapsLoaded;
    HICON m_hExpandIcon;
    HICON m_hExpandIconSpecial;
    HBITMAP m_hExpandBitmaps[8];
    CFont m_fntCaption;
    CFont m_fntItem;
    CFont m_fntItemBold;
    CFont m_fntItemUnderline;
    CFont m_fntItemBoldUnderline;
    CVZPGradientColor m_grcPanelBackground;
    CVZPTaskPanelColorSet m_csNormal;
    CVZPTaskPanelColorSet m_csSpecial;
    CVZPOverridableColor m_clrHighlightHot;
    CVZPOverridableColor m_clrHighlightSelected;
    CVZPOverridableColor m_clrHighlightPressed;
    CVZPGradientColor m_grcHighlightBorder;
    BOOL m_bZeroCaptionWhenHidden;
    BOOL m_bRoundCaptionLeft;
    BOOL m_bRoundCaptionRight;
    int m_nCaptionHeight;
    PFNALPHABLEND m_pfnAlphaBlend;
    HMODULE m_hMsImg32;
    BOOL m_bUseSystemCaptionFont;
    BOOL m_bUseSystemItemFonts;
    UINT m_nItemTextFormat;
    UINT m_nCaptionTextFormat;

    // The expand button of style 1: the visual style's bitmap, or the
    // tinted icon with chevrons; returns the rest of the caption.
    CRect DrawVisualStyleButton(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc);

protected:
    // The group's caption icon at the panel's group icon width, scaled and
    // placed by its padding; returns where the text starts (nNoIconIndent
    // in from rcText's left without an icon).
    int DrawCaptionIcon(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rcText, CRect rcCaption, int nNoIconIndent = 13,
                        int nGap = 1);
    // The body face of themes that draw no border: pFill (NULL: the body
    // colour), the face image, and the items of an open group.
    void FillGroupFace(CDC* pDC, CVZPTaskPanelGroup* pGroup, CRect rc, const CVZPGradientColor* pFill,
                       BOOL bHorizontal);
    void SelectItemFont(CDC* pDC, CVZPTaskPanelGroupItem* pItem);
    // The panel's group icon width (32 without a panel).
    static int GroupIconWidth(CVZPTaskPanelGroup* pGroup);
    // The area the panel background covers: the client, at least as tall as
    // the content.
    static CRect PanelFillRect(CDC* pDC, CVZPTaskPanel* pPanel);
    // With hot-track style 3 the whole item is highlighted; the item padded
    // inside (moved by the pressed offset with style 3).
    CRect BeginItemBox(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc, CRect rcPadding, int nHotTrack);
    CRect DrawItemBesideText(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw);
    CRect DrawItemAboveText(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw);
    CRect DrawItemInGrid(CDC* pDC, CVZPTaskPanelGroupItem* pItem, CRect rc, BOOL bDraw);

    // The icon-title font as RefreshMetrics reads it.
    static LOGFONT GetIconTitleFont();
    // The special colour set becomes a copy of the normal one.
    void CopyNormalColors();
};
