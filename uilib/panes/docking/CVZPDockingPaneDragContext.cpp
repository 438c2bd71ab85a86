#include "CVZPDockingPaneDragContext.h"

BEGIN_MESSAGE_MAP(CVZPDockingPaneDragPreviewWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CVZPDockingPaneDragPreviewWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, ::GetSysColor(COLOR_HIGHLIGHT));
}

CVZPDockingPaneDragContext::CVZPDockingPaneDragContext(CVZPDockingPaneManager* pManager)
    : m_pfnSetLayeredWindowAttributes(NULL), m_bStickers(FALSE), m_bTranslucent(FALSE), m_rcSticker(0, 0, 0, 0),
      m_pStickerContainer(NULL), m_pShownContainer(NULL), m_lstStickers(10), m_ptLast(0, 0), m_ptStart(0, 0),
      m_rcDrag(0, 0, 0, 0), m_pManager(pManager), m_pDragged(NULL), m_pTarget(NULL), m_rcTarget(0, 0, 0, 0),
      m_bTabPreviewShown(FALSE), m_bAttach(FALSE), m_bCanFloat(TRUE), m_rcLastDrawn(0, 0, 0, 0),
      m_mapRegionCache(10), m_nSide(0), m_pDesktopDC(NULL)
{
    HMODULE hUser32 = ::GetModuleHandleW(L"USER32");
    if (hUser32 != NULL)
        m_pfnSetLayeredWindowAttributes = reinterpret_cast<PFNSETLAYEREDWINDOWATTRIBUTES>(
            reinterpret_cast<void*>(::GetProcAddress(hUser32, "SetLayeredWindowAttributes")));
    m_mapRegionCache.InitHashTable(17);
}

CVZPDockingPaneDragContext::~CVZPDockingPaneDragContext()
{
    // Sticker windows and cached regions live for one drag; none is left
    // unless a drag was cut short.
    POSITION pos = m_mapRegionCache.GetStartPosition();
    while (pos != NULL)
    {
        int nKind;
        CRgn* pRgn;
        m_mapRegionCache.GetNextAssoc(pos, nKind, pRgn);
        delete pRgn;
    }
    m_mapRegionCache.RemoveAll();
    while (!m_lstStickers.IsEmpty())
    {
        CVZPDockingPaneSticker* pSticker = m_lstStickers.RemoveHead();
        if (::IsWindow(pSticker->GetSafeHwnd()))
            pSticker->DestroyWindow();
        delete pSticker;
    }
}

// A drag starts from a pane, a tabbed container or a floating frame; with
// none of them in a layout there is nothing to drag.
void CVZPDockingPaneDragContext::Start(CVZPDockingPaneBase* /*pDragged*/, int /*x*/, int /*y*/)
{
}

void CVZPDockingPaneDragContext::TrackLoop()
{
}

void CVZPDockingPaneDragContext::OnMove(int /*x*/, int /*y*/)
{
}

void CVZPDockingPaneDragContext::InitLoop()
{
}

void CVZPDockingPaneDragContext::EndLoop()
{
}

void CVZPDockingPaneDragContext::DrawFeedback(BOOL /*bErase*/)
{
}

void CVZPDockingPaneDragContext::FindDockTarget(int /*x*/, int /*y*/)
{
}
