// The modal drag of a docking pane, a tabbed container or a floating
// frame's content, with an outline on the locked desktop or a translucent
// preview and docking stickers. One context belongs to each pane manager.
#pragma once

#include <afxwin.h>

#include <afxtempl.h>

class CVZPDockingPaneBase;
class CVZPDockingPaneDragContext;
class CVZPDockingPaneManager;

// The translucent rectangle that shows where a dragged object would go.
class CVZPDockingPaneDragPreviewWnd : public CWnd
{
protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};

// Sticker kind bits.
enum VZPDockingPaneStickerKind
{
    vzpStickerLeft = 1,
    vzpStickerRight = 2,
    vzpStickerTop = 4,
    vzpStickerBottom = 8,
    vzpStickerCenter = 16,
    vzpStickerCross = 32,
};

// One drawn piece of a sticker: where it goes in the sticker window and
// where it lies in the bitmap.
struct VZPStickerPart
{
    int x;
    int y;
    RECT rcSource;
};

// A docking sticker window: an arrow or a cross of arrows the user drops on.
class CVZPDockingPaneSticker : public CWnd
{
public:
    CVZPDockingPaneSticker(CVZPDockingPaneDragContext* pContext, int nKind)
        : m_nKind(nKind), m_nHighlighted(0), m_pContext(pContext)
    {
    }

    // Draws the sticker of that kind and style with the highlighted part
    // (one kind bit or 0) at the origin of the DC.
    static void DrawSticker(CDC* pDC, int nKind, int nHighlighted, int nStyle);
    // Draws one part of a table from a bitmap (green is transparent), at the
    // part's offsets or at (0, 0).
    static void DrawPart(CDC* pDC, UINT nBitmapID, const VZPStickerPart& part, BOOL bOffsets);
    // The part (kind bit) whose image covers the screen point; 0 for none.
    int HitTest(CPoint ptScreen);
    int GetStyle() const;

    int m_nKind;
    int m_nHighlighted;     // one kind bit or 0
    CVZPDockingPaneDragContext* m_pContext;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

typedef BOOL(WINAPI* PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);

class CVZPDockingPaneDragContext
{
public:
    explicit CVZPDockingPaneDragContext(CVZPDockingPaneManager* pManager);
    virtual ~CVZPDockingPaneDragContext();
    CVZPDockingPaneDragContext(const CVZPDockingPaneDragContext&) = delete;
    CVZPDockingPaneDragContext& operator=(const CVZPDockingPaneDragContext&) = delete;

    virtual void Start(CVZPDockingPaneBase* pDragged, int x, int y);
    virtual void TrackLoop();
    virtual void OnMove(int x, int y);
    virtual void InitLoop();
    virtual void EndLoop();
    virtual void DrawFeedback(BOOL bErase);
    virtual void FindDockTarget(int x, int y);

    CVZPDockingPaneManager* GetManager() const { return m_pManager; }

    // The side of the rectangle nearest the point (inner: inside it; outer:
    // outside it within 20 pixels) when docking there is allowed.
    BOOL DockingHitTest(CRect rc, int x, int y, CVZPDockingPaneBase* pContainer, BOOL bInner);
    BOOL CanDock(CVZPDockingPaneBase* pContainer, int nSide);
    BOOL CanAttach(CVZPDockingPaneBase* pContainer);
    void UpdateStickers();
    void CreateSticker(CRect rc, int nKind);
    void DestroyStickers();
    CSize GetStickerSize(int nKind) const;
    // The window region of a sticker kind, built once per drag.
    CRgn* GetStickerRegion(int nKind, CSize sz);

    // The outline shown for a rectangle: a 4-pixel frame, or with bAttach a
    // body with a tab below it. Adds to an empty region.
    static void BuildOutlineRegion(CRgn* pRgn, CRect rc, BOOL bAttach);
    // The region a 4-pixel frame of the rectangle covers.
    static void BuildFrameRegion(CRgn* pRgn, CRect rc);
    // The region the next outline call inverts: new XOR old.
    void BuildFeedbackRegion(CRgn* pRgn, BOOL bErase, CRect* pNewRect);
    // The rectangle feedback shows now (target, else drag rectangle, else
    // empty when floating is refused).
    CRect GetFeedbackRect() const;

    CVZPDockingPaneDragPreviewWnd m_wndPreview;
    CVZPDockingPaneDragPreviewWnd m_wndTabPreview;
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes;   // NULL when USER32 lacks it
    BOOL m_bStickers;
    BOOL m_bTranslucent;
    CRect m_rcSticker;
    CVZPDockingPaneBase* m_pStickerContainer;
    CVZPDockingPaneBase* m_pShownContainer;
    CList<CVZPDockingPaneSticker*, CVZPDockingPaneSticker*> m_lstStickers;
    CPoint m_ptLast;
    CPoint m_ptStart;
    CRect m_rcDrag;
    CVZPDockingPaneManager* m_pManager;
    CVZPDockingPaneBase* m_pDragged;
    CVZPDockingPaneBase* m_pTarget;
    CRect m_rcTarget;
    BOOL m_bTabPreviewShown;
    BOOL m_bAttach;
    BOOL m_bCanFloat;
    CRect m_rcLastDrawn;
    CMap<int, int, CRgn*, CRgn*> m_mapRegionCache;
    int m_nSide;
    CDC* m_pDesktopDC;
};
