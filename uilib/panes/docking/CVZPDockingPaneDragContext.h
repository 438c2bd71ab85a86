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

// A docking sticker window: an arrow or a cross of arrows the user drops on.
class CVZPDockingPaneSticker : public CWnd
{
public:
    CVZPDockingPaneSticker(CVZPDockingPaneDragContext* pContext, int nKind)
        : m_nKind(nKind), m_nHighlighted(0), m_pContext(pContext)
    {
    }

    int m_nKind;
    int m_nHighlighted;     // one kind bit or 0
    CVZPDockingPaneDragContext* m_pContext;
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
