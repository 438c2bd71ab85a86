#include "CVZPDockingPaneDragContext.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "CVZPColorManager.h"
#include "CVZPDockingPane.h"
#include "CVZPDockingPaneLayout.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPDockingPaneSplitterContainer.h"
#include "CVZPDockingPaneTabbedContainer.h"
#include "CVZPDoubleBufferDC.h"
#include "CVZPMonitorApi.h"
#include "CVZPResourceLoader.h"
#include "CVZPTabPaintManager.h"

namespace {

// Part table A (sticker style 0) and B (style 1): offset in the sticker
// window and source rectangle in the bitmap.
const VZPStickerPart kPartsA[] = {
    { 25, 0, { 0, 0, 43, 30 } },       // top
    { 0, 25, { 30, 33, 60, 76 } },     // left
    { 25, 63, { 43, 0, 86, 30 } },     // bottom
    { 63, 25, { 0, 33, 30, 76 } },     // right
    { 25, 0, { 0, 76, 43, 106 } },     // top, highlighted
    { 0, 25, { 90, 33, 120, 76 } },    // left, highlighted
    { 25, 63, { 43, 76, 86, 106 } },   // bottom, highlighted
    { 63, 25, { 60, 33, 90, 76 } },    // right, highlighted
    { 30, 30, { 86, 0, 119, 33 } },    // centre
    { 30, 30, { 86, 76, 119, 109 } },  // centre, highlighted
    { 25, 25, { 0, 0, 43, 43 } },      // cross base (its own bitmap)
};

const VZPStickerPart kPartsB[] = {
    { 30, 0, { 61, 29, 90, 59 } },     // cross top
    { 0, 30, { 90, 30, 120, 59 } },    // cross left
    { 30, 59, { 91, 0, 120, 30 } },    // cross bottom
    { 60, 30, { 62, 0, 92, 29 } },     // cross right
    { 30, 0, { 61, 90, 90, 120 } },    // cross top, highlighted
    { 0, 30, { 90, 91, 120, 120 } },   // cross left, highlighted
    { 30, 59, { 91, 61, 120, 91 } },   // cross bottom, highlighted
    { 60, 30, { 62, 61, 92, 90 } },    // cross right, highlighted
    { 30, 30, { 120, 82, 148, 111 } }, // centre
    { 24, 24, { 120, 41, 161, 82 } },  // cross base, centre highlighted
    { 24, 24, { 120, 0, 161, 41 } },   // cross base
    { 0, 0, { 0, 29, 29, 61 } },       // single top
    { 0, 0, { 29, 32, 61, 61 } },      // single left
    { 0, 0, { 32, 0, 61, 32 } },       // single bottom
    { 0, 0, { 0, 0, 32, 29 } },        // single right
    { 0, 0, { 0, 90, 29, 122 } },      // single top, highlighted
    { 0, 0, { 29, 93, 61, 122 } },     // single left, highlighted
    { 0, 0, { 32, 61, 61, 93 } },      // single bottom, highlighted
    { 0, 0, { 0, 61, 32, 90 } },       // single right, highlighted
};

// The arrows in drawing order with their index in the tables (0 to 3).
const int kArrowBits[4] = { vzpStickerTop, vzpStickerLeft, vzpStickerBottom, vzpStickerRight };

int StyleOf(CVZPDockingPaneDragContext* pContext)
{
    return pContext != NULL && pContext->GetManager() != NULL ? pContext->GetManager()->GetStickerStyle() : 0;
}

UINT StyleABitmap()
{
    const int nScheme = GetColorManager()->GetCurrentColorScheme();
    if (nScheme == 2)
        return VZP_IDB_STICKER_OLIVE;
    if (nScheme == 3)
        return VZP_IDB_STICKER_SILVER;
    return VZP_IDB_STICKER_BLUE;
}

// The pixels of a DC's selected bitmap area as 32-bit values, top-down.
std::vector<DWORD> ReadPixels(CDC* pDC, CBitmap* pBitmap, CSize sz)
{
    std::vector<DWORD> pixels(size_t(sz.cx) * size_t(sz.cy));
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = sz.cx;
    bmi.bmiHeader.biHeight = -sz.cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    ::GetDIBits(pDC->GetSafeHdc(), HBITMAP(pBitmap->GetSafeHandle()), 0, UINT(sz.cy), pixels.data(), &bmi,
                DIB_RGB_COLORS);
    return pixels;
}

}  // namespace

// --- preview window ----------------------------------------------------------

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

// --- sticker window ------------------------------------------------------------

BEGIN_MESSAGE_MAP(CVZPDockingPaneSticker, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

int CVZPDockingPaneSticker::GetStyle() const
{
    return StyleOf(m_pContext);
}

void CVZPDockingPaneSticker::DrawPart(CDC* pDC, UINT nBitmapID, const VZPStickerPart& part, BOOL bOffsets)
{
    CBitmap bmpSource;
    if (!GetResourceLoader()->LoadBitmap(&bmpSource, nBitmapID))
        return;
    const CRect rcSource(part.rcSource);
    CDC dcSource, dcPart;
    dcSource.CreateCompatibleDC(pDC);
    dcPart.CreateCompatibleDC(pDC);
    CBitmap bmpPart;
    bmpPart.CreateCompatibleBitmap(pDC, rcSource.Width(), rcSource.Height());
    CBitmap* pOldSource = dcSource.SelectObject(&bmpSource);
    CBitmap* pOldPart = dcPart.SelectObject(&bmpPart);
    dcPart.BitBlt(0, 0, rcSource.Width(), rcSource.Height(), &dcSource, rcSource.left, rcSource.top, SRCCOPY);
    dcPart.SelectObject(pOldPart);
    dcSource.SelectObject(pOldSource);

    HIMAGELIST hList = ::ImageList_Create(rcSource.Width(), rcSource.Height(), ILC_MASK | ILC_COLOR24, 1, 0);
    if (hList == NULL)
        return;
    ::ImageList_AddMasked(hList, HBITMAP(bmpPart.GetSafeHandle()), RGB(0, 255, 0));
    ::ImageList_Draw(hList, 0, pDC->GetSafeHdc(), bOffsets ? part.x : 0, bOffsets ? part.y : 0, ILD_NORMAL);
    ::ImageList_Destroy(hList);
}

void CVZPDockingPaneSticker::DrawSticker(CDC* pDC, int nKind, int nHighlighted, int nStyle)
{
    const BOOL bCross = (nKind & vzpStickerCross) != 0;
    if (nStyle == 1)
    {
        if (bCross)
            DrawPart(pDC, VZP_IDB_STICKER_SET2, kPartsB[nHighlighted == vzpStickerCenter ? 9 : 10], TRUE);
        for (int i = 0; i < 4; i++)
        {
            if (!(nKind & kArrowBits[i]))
                continue;
            int nPart = bCross ? i : 11 + i;
            if (nHighlighted == kArrowBits[i])
                nPart += 4;
            DrawPart(pDC, VZP_IDB_STICKER_SET2, kPartsB[nPart], bCross);
        }
        if (nKind & vzpStickerCenter)
            DrawPart(pDC, VZP_IDB_STICKER_SET2, kPartsB[8], TRUE);
        return;
    }
    const UINT nBitmap = StyleABitmap();
    if (bCross)
        DrawPart(pDC, VZP_IDB_STICKER_CROSS, kPartsA[10], TRUE);
    for (int i = 0; i < 4; i++)
    {
        if (!(nKind & kArrowBits[i]))
            continue;
        DrawPart(pDC, nBitmap, kPartsA[nHighlighted == kArrowBits[i] ? i + 4 : i], bCross);
    }
    if (nKind & vzpStickerCenter)
        DrawPart(pDC, nBitmap, kPartsA[nHighlighted == vzpStickerCenter ? 9 : 8], TRUE);
}

int CVZPDockingPaneSticker::HitTest(CPoint ptScreen)
{
    if (GetSafeHwnd() == NULL)
        return 0;
    CPoint pt = ptScreen;
    ScreenToClient(&pt);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(pt))
        return 0;
    const int nStyle = GetStyle();
    const BOOL bCross = (m_nKind & vzpStickerCross) != 0;
    CClientDC dcWindow(this);
    CDC dc;
    dc.CreateCompatibleDC(&dcWindow);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcWindow, rcClient.Width(), rcClient.Height());
    CBitmap* pOld = dc.SelectObject(&bmp);
    static const int s_nOrder[5] = { vzpStickerTop, vzpStickerLeft, vzpStickerBottom, vzpStickerRight,
                                     vzpStickerCenter };
    int nAnswer = 0;
    for (int nBit : s_nOrder)
    {
        if (!(m_nKind & nBit))
            continue;
        dc.FillSolidRect(&rcClient, RGB(0, 0, 0));
        if (nBit == vzpStickerCenter)
        {
            if (nStyle == 1)
                DrawPart(&dc, VZP_IDB_STICKER_SET2, kPartsB[10], TRUE);
            else
                DrawPart(&dc, VZP_IDB_STICKER_CROSS, kPartsA[10], TRUE);
        }
        else
        {
            const int i = int(std::find(kArrowBits, kArrowBits + 4, nBit) - kArrowBits);
            if (nStyle == 1)
                DrawPart(&dc, VZP_IDB_STICKER_SET2, kPartsB[i], bCross);
            else
                DrawPart(&dc, VZP_IDB_STICKER_BLUE, kPartsA[i], bCross);
        }
        if ((dc.GetPixel(pt) & 0xFFFFFF) != 0)
        {
            nAnswer = nBit;
            break;
        }
    }
    dc.SelectObject(pOld);
    return nAnswer;
}

void CVZPDockingPaneSticker::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rc;
    GetClientRect(&rc);
    CVZPDoubleBufferDC dc(dcPaint.GetSafeHdc(), rc);
    dc.FillSolidRect(&rc, RGB(0, 0, 0));
    DrawSticker(&dc, m_nKind, m_nHighlighted, GetStyle());
}

BOOL CVZPDockingPaneSticker::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

// --- drag context ----------------------------------------------------------------

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
    DestroyStickers();
}

void CVZPDockingPaneDragContext::DestroyStickers()
{
    while (!m_lstStickers.IsEmpty())
    {
        CVZPDockingPaneSticker* pSticker = m_lstStickers.RemoveHead();
        if (::IsWindow(pSticker->GetSafeHwnd()))
            pSticker->DestroyWindow();
        delete pSticker;
    }
}

void CVZPDockingPaneDragContext::Start(CVZPDockingPaneBase* pDragged, int x, int y)
{
    if (pDragged == NULL || m_pManager == NULL)
        return;
    m_pDragged = pDragged;
    m_rcDrag = pDragged->GetScreenRect();
    MoveRectToContainPoint(&m_rcDrag, x, y);
    m_ptLast = m_ptStart = CPoint(x, y);
    m_pTarget = NULL;
    m_pDesktopDC = NULL;
    m_bAttach = FALSE;
    m_bTabPreviewShown = FALSE;
    m_bCanFloat = TRUE;
    m_bTranslucent = m_pManager->m_bDragStyleTranslucent && m_pfnSetLayeredWindowAttributes != NULL;
    m_bStickers = m_pManager->m_bDragStyleStickers && m_bTranslucent;

    CVZPDockingPaneBaseList lstPanes;
    pDragged->CollectPanes(vzpPaneTypeDockingPane, &lstPanes);
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPane* pPane = static_cast<CVZPDockingPane*>(lstPanes.GetNext(pos));
        if (m_pManager->SendPaneAction(actionFloating, pPane) || (pPane->GetEffectiveOptions() & vzpPaneNoFloatable))
            m_bCanFloat = FALSE;
    }
    InitLoop();
    TrackLoop();
}

void CVZPDockingPaneDragContext::InitLoop()
{
    m_rcLastDrawn.SetRectEmpty();
    m_rcSticker.SetRectEmpty();
    m_pStickerContainer = NULL;
    m_pShownContainer = NULL;
    if (m_bTranslucent)
        return;
    MSG msg;
    while (::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_NOREMOVE))
    {
        if (!::GetMessageW(&msg, NULL, WM_PAINT, WM_PAINT))
            break;
        ::DispatchMessageW(&msg);
    }
    CWnd* pDesktop = CWnd::GetDesktopWindow();
    const BOOL bLocked = pDesktop->LockWindowUpdate();
    m_pDesktopDC = pDesktop->GetDCEx(NULL, DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0));
}

void CVZPDockingPaneDragContext::TrackLoop()
{
    CWnd* pHost = m_pDragged != NULL ? m_pDragged->GetHostWindow() : NULL;
    if (::GetCapture() != NULL || pHost == NULL || pHost->GetSafeHwnd() == NULL)
    {
        // No drag without the capture; the outline's desktop lock is undone.
        EndLoop();
        return;
    }
    pHost->SetCapture();
    const HWND hHost = pHost->GetSafeHwnd();
    BOOL bDrop = FALSE;
    while (::GetCapture() == hHost)
    {
        MSG msg;
        if (!::GetMessageW(&msg, NULL, 0, 0))
        {
            AfxPostQuitMessage(int(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            bDrop = TRUE;
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            if (std::abs(msg.pt.x - m_ptStart.x) > 4 || std::abs(msg.pt.y - m_ptStart.y) > 4)
            {
                OnMove(msg.pt.x, msg.pt.y);
                m_ptStart = CPoint(0, 0);
            }
            continue;
        }
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP)
        {
            if (msg.wParam == VK_CONTROL)
            {
                OnMove(m_ptLast.x, m_ptLast.y);
                m_ptStart = CPoint(0, 0);
            }
            else if (msg.wParam == VK_ESCAPE)
            {
                break;
            }
            continue;
        }
        ::DispatchMessageW(&msg);
    }
    EndLoop();
    if (!bDrop || m_ptStart != CPoint(0, 0))
        return;

    CVZPDockingPaneBaseList lstPanes;
    m_pDragged->CollectPanes(vzpPaneTypeDockingPane, &lstPanes);
    int nAction = -1;
    if (m_bAttach && m_pTarget != NULL)
    {
        m_pManager->AttachPaneTo(m_pDragged, m_pTarget);
        nAction = actionAttached;
    }
    else if (m_pTarget != NULL)
    {
        m_pManager->DockPaneAtSide(m_pDragged, m_pManager->MirrorSide(m_nSide), m_pTarget);
        nAction = actionDocked;
    }
    else if (m_bCanFloat)
    {
        if (m_rcDrag.top < 0)
            m_rcDrag.OffsetRect(0, -m_rcDrag.top);
        if (m_pDragged->GetType() == vzpPaneTypeSplitterContainer && m_pDragged->GetHostWindow() != NULL)
            m_pDragged->GetHostWindow()->MoveWindow(&m_rcDrag, TRUE);
        else
            m_pManager->FloatPaneAt(m_pDragged, m_rcDrag);
        nAction = actionFloated;
    }
    if (nAction < 0)
        return;
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;)
        m_pManager->SendPaneAction(nAction, lstPanes.GetNext(pos));
}

void CVZPDockingPaneDragContext::OnMove(int x, int y)
{
    CRect rcMoved = m_rcDrag;
    rcMoved.OffsetRect(x - m_ptLast.x, y - m_ptLast.y);
    const CRect rcWork = GetWorkAreaForRect(&rcMoved);
    CRect rcCommon;
    if (rcCommon.IntersectRect(&rcMoved, &rcWork))
        m_rcDrag = rcMoved;
    m_pTarget = NULL;
    m_bAttach = FALSE;
    m_rcSticker.SetRectEmpty();
    m_pStickerContainer = NULL;
    if (::GetKeyState(VK_CONTROL) >= 0)
        FindDockTarget(x, y);
    m_ptLast = CPoint(x, y);

    if (m_bStickers)
    {
        UpdateStickers();
        BOOL bDecided = FALSE;
        for (POSITION pos = m_lstStickers.GetTailPosition(); pos != NULL;)
        {
            CVZPDockingPaneSticker* pSticker = m_lstStickers.GetPrev(pos);
            int nPart = bDecided ? 0 : pSticker->HitTest(CPoint(x, y));
            if (nPart != 0)
            {
                bDecided = TRUE;
                CVZPDockingPaneBase* pBase = NULL;
                CRect rcBase;
                if (pSticker->m_nKind & vzpStickerCross)
                {
                    pBase = m_pStickerContainer;
                    rcBase = m_rcSticker;
                }
                else
                {
                    pBase = m_pManager->GetRootContainer();
                    rcBase = pBase != NULL ? pBase->GetScreenRect() : CRect(0, 0, 0, 0);
                }
                if (nPart == vzpStickerCenter)
                {
                    m_pTarget = pBase;
                    m_rcTarget = rcBase;
                    m_bAttach = TRUE;
                    if (pBase == NULL || !CanAttach(pBase))
                    {
                        m_pTarget = NULL;
                        m_bAttach = FALSE;
                        nPart = 0;
                    }
                }
                else
                {
                    const int nSide = nPart == vzpStickerLeft ? vzpPaneDockLeft
                                      : nPart == vzpStickerRight ? vzpPaneDockRight
                                      : nPart == vzpStickerTop  ? vzpPaneDockTop
                                                                 : vzpPaneDockBottom;
                    m_pTarget = pBase;
                    if (pBase == NULL || !CanDock(pBase, nSide))
                    {
                        m_pTarget = NULL;
                        nPart = 0;
                    }
                    else
                    {
                        m_nSide = nSide;
                        m_rcTarget = m_pManager->ComputeDockRect(m_pDragged, nSide, pBase);
                    }
                }
            }
            if (pSticker->m_nHighlighted != nPart)
            {
                pSticker->m_nHighlighted = nPart;
                if (pSticker->GetSafeHwnd() != NULL)
                    pSticker->Invalidate(FALSE);
            }
        }
    }
    DrawFeedback(FALSE);
}

void CVZPDockingPaneDragContext::FindDockTarget(int x, int y)
{
    CVZPDockingPaneRecordList* pRecords = m_pManager->GetPaneRecords();
    const CPoint pt(x, y);
    if (pRecords != NULL)
    {
        for (POSITION pos = pRecords->GetHeadPosition(); pos != NULL;)
        {
            const VZPDockingPaneRecord& record = pRecords->GetNext(pos);
            CVZPDockingPaneBase* pContainer = record.pPane != NULL ? record.pPane->GetParentContainer() : NULL;
            if (pContainer == NULL || pContainer->GetParentContainer() == NULL ||
                pContainer->GetParentContainer()->GetType() != vzpPaneTypeSplitterContainer)
                continue;
            CWnd* pWnd = pContainer->GetPaneWindow();
            if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || !(pWnd->GetStyle() & WS_VISIBLE))
                continue;
            m_rcTarget = pContainer->GetScreenRect();
            CRect rcWork = m_rcTarget;
            if (m_pDragged->ContainsPane(pContainer))
                continue;
            if (pContainer->GetType() == vzpPaneTypeTabbedContainer &&
                static_cast<CVZPDockingPaneTabbedContainer*>(pContainer)->IsPointInHeader(rcWork, pt) &&
                CanAttach(pContainer))
            {
                m_pTarget = pContainer;
                m_bAttach = TRUE;
                return;
            }
            if (m_bStickers)
            {
                if (rcWork.PtInRect(pt))
                {
                    m_pStickerContainer = pContainer;
                    m_rcSticker = m_rcTarget;
                    return;
                }
                continue;
            }
            if (DockingHitTest(rcWork, x, y, pContainer, TRUE))
                return;
        }
    }
    CVZPDockingPaneBase* pClient = m_pManager->GetClientPlaceholder();
    CVZPDockingPaneBase* pTop = m_pManager->GetRootContainer();
    if (m_bStickers)
    {
        if (!m_rcSticker.IsRectEmpty())
            return;
        if (pClient != NULL && pClient->GetScreenRect().PtInRect(pt))
        {
            m_rcSticker = pClient->GetScreenRect();
            m_pStickerContainer = pClient;
        }
        else if (pTop != NULL && pTop->GetScreenRect().PtInRect(pt))
        {
            m_rcSticker = pTop->GetScreenRect();
        }
        return;
    }
    if (pClient != NULL && DockingHitTest(pClient->GetScreenRect(), x, y, pClient, TRUE))
        return;
    if (pTop != NULL)
        DockingHitTest(pTop->GetScreenRect(), x, y, pTop, FALSE);
}

BOOL CVZPDockingPaneDragContext::DockingHitTest(CRect rc, int x, int y, CVZPDockingPaneBase* pContainer,
                                                BOOL bInner)
{
    double dThreshold = 20.0, dRatio = 1.0;
    if (bInner && !m_bCanFloat)
    {
        if (rc.Height() > 1 && rc.Width() > 1)
            dRatio = double(rc.Height()) / double(rc.Width());
        dThreshold = 32000.0;
    }
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return FALSE;
    const CPoint pt(x, y);
    if (bInner)
    {
        if (!rc.PtInRect(pt))
            return FALSE;
    }
    else
    {
        CRect rcGrown = rc;
        rcGrown.InflateRect(20, 20);
        if (!rcGrown.PtInRect(pt))
            return FALSE;
    }
    const double s = bInner ? 1.0 : -1.0;
    struct Candidate
    {
        double dSigned;
        double dRatio;
        int nSide;
    };
    const Candidate candidates[4] = {
        { double(y - rc.top), 1.0, vzpPaneDockTop },
        { double(rc.bottom - y), 1.0, vzpPaneDockBottom },
        { double(x - rc.left), dRatio, vzpPaneDockLeft },
        { double(rc.right - x), dRatio, vzpPaneDockRight },
    };
    double dBest = dThreshold;
    int nSide = -1;
    for (const Candidate& c : candidates)
    {
        const double dDistance = std::fabs(c.dSigned) * c.dRatio;
        if (dDistance < dBest && c.dSigned * s >= 0)
        {
            dBest = dDistance;
            nSide = c.nSide;
        }
    }
    if (nSide < 0 || !CanDock(pContainer, nSide))
        return FALSE;
    m_rcTarget = m_pManager->ComputeDockRect(m_pDragged, nSide, pContainer);
    m_pTarget = pContainer;
    m_nSide = nSide;
    return TRUE;
}

BOOL CVZPDockingPaneDragContext::CanDock(CVZPDockingPaneBase* pContainer, int nSide)
{
    CVZPDockingPaneBaseList lstPanes;
    m_pDragged->CollectPanes(vzpPaneTypeDockingPane, &lstPanes);
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;)
    {
        if (m_pManager->SendPaneAction(actionDocking, lstPanes.GetNext(pos), pContainer, nSide))
            return FALSE;
    }
    return TRUE;
}

BOOL CVZPDockingPaneDragContext::CanAttach(CVZPDockingPaneBase* pContainer)
{
    CVZPDockingPaneBaseList lstPanes;
    m_pDragged->CollectPanes(vzpPaneTypeDockingPane, &lstPanes);
    for (POSITION pos = lstPanes.GetHeadPosition(); pos != NULL;)
    {
        if (m_pManager->SendPaneAction(actionAttaching, lstPanes.GetNext(pos), pContainer, 0))
            return FALSE;
    }
    return TRUE;
}

CSize CVZPDockingPaneDragContext::GetStickerSize(int nKind) const
{
    const BOOL bStyle1 = m_pManager != NULL && m_pManager->GetStickerStyle() == 1;
    if (nKind & vzpStickerCross)
        return bStyle1 ? CSize(89, 89) : CSize(93, 93);
    if (nKind & (vzpStickerLeft | vzpStickerRight))
        return bStyle1 ? CSize(32, 29) : CSize(30, 43);
    return bStyle1 ? CSize(29, 32) : CSize(43, 30);
}

void CVZPDockingPaneDragContext::UpdateStickers()
{
    if (m_rcSticker.IsRectEmpty())
    {
        m_pShownContainer = NULL;
        DestroyStickers();
        return;
    }
    const CSize szCross = GetStickerSize(vzpStickerCross);
    const CPoint ptCentre((m_rcSticker.left + m_rcSticker.right) / 2, (m_rcSticker.top + m_rcSticker.bottom) / 2);
    const CRect rcCross(CPoint(ptCentre.x - szCross.cx / 2, ptCentre.y - szCross.cy / 2), szCross);
    if (m_pStickerContainer == m_pShownContainer && !m_lstStickers.IsEmpty())
        return;
    DestroyStickers();
    if (m_pStickerContainer != NULL)
    {
        int nKind = 0;
        if (CanDock(m_pStickerContainer, vzpPaneDockLeft))
            nKind += vzpStickerLeft;
        if (CanDock(m_pStickerContainer, vzpPaneDockRight))
            nKind += vzpStickerRight;
        if (CanDock(m_pStickerContainer, vzpPaneDockBottom))
            nKind += vzpStickerBottom;
        if (CanDock(m_pStickerContainer, vzpPaneDockTop))
            nKind += vzpStickerTop;
        if (m_pStickerContainer == m_pManager->GetClientPlaceholder())
            nKind += vzpStickerCross;
        else if (CanAttach(m_pStickerContainer))
            nKind += vzpStickerCross | vzpStickerCenter;
        else
            nKind += vzpStickerCross;
        CreateSticker(rcCross, nKind);
    }
    CVZPDockingPaneBase* pTop = m_pManager->GetRootContainer();
    if (pTop != NULL)
    {
        const CRect R = pTop->GetScreenRect();
        const CPoint c((R.left + R.right) / 2, (R.top + R.bottom) / 2);
        if (CanDock(pTop, vzpPaneDockTop))
        {
            const CSize sz = GetStickerSize(vzpStickerTop);
            CreateSticker(CRect(CPoint(c.x - sz.cx / 2, R.top + 16), sz), vzpStickerTop);
        }
        if (CanDock(pTop, vzpPaneDockLeft))
        {
            const CSize sz = GetStickerSize(vzpStickerLeft);
            CreateSticker(CRect(CPoint(R.left + 16, c.y - sz.cy / 2), sz), vzpStickerLeft);
        }
        if (CanDock(pTop, vzpPaneDockBottom))
        {
            const CSize sz = GetStickerSize(vzpStickerBottom);
            CreateSticker(CRect(CPoint(c.x - sz.cx / 2, R.bottom - 16 - sz.cy), sz), vzpStickerBottom);
        }
        if (CanDock(pTop, vzpPaneDockRight))
        {
            const CSize sz = GetStickerSize(vzpStickerRight);
            CreateSticker(CRect(CPoint(R.right - 16 - sz.cx, c.y - sz.cy / 2), sz), vzpStickerRight);
        }
    }
    m_pShownContainer = m_pStickerContainer;
}

CRgn* CVZPDockingPaneDragContext::GetStickerRegion(int nKind, CSize sz)
{
    CRgn* pRgn = NULL;
    if (m_mapRegionCache.Lookup(nKind, pRgn))
        return pRgn;
    pRgn = new CRgn;
    pRgn->CreateRectRgn(0, 0, 0, 0);
    CWindowDC dcScreen(NULL);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dcScreen, sz.cx, sz.cy);
    CBitmap* pOld = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, sz.cx, sz.cy, RGB(0, 0, 0));
    CVZPDockingPaneSticker::DrawSticker(&dc, nKind, 0, m_pManager != NULL ? m_pManager->GetStickerStyle() : 0);
    dc.SelectObject(pOld);
    const std::vector<DWORD> pixels = ReadPixels(&dc, &bmp, sz);
    for (int y = 0; y < sz.cy; y++)
    {
        int x = 0;
        while (x < sz.cx)
        {
            while (x < sz.cx && (pixels[size_t(y) * size_t(sz.cx) + size_t(x)] & 0xFFFFFF) == 0)
                x++;
            const int nStart = x;
            while (x < sz.cx && (pixels[size_t(y) * size_t(sz.cx) + size_t(x)] & 0xFFFFFF) != 0)
                x++;
            if (x > nStart)
            {
                CRgn rgnRun;
                rgnRun.CreateRectRgn(nStart, y, x, y + 1);
                pRgn->CombineRgn(pRgn, &rgnRun, RGN_OR);
            }
        }
    }
    m_mapRegionCache.SetAt(nKind, pRgn);
    return pRgn;
}

void CVZPDockingPaneDragContext::CreateSticker(CRect rc, int nKind)
{
    if (nKind == 0 || nKind == vzpStickerCross)
        return;
    CVZPDockingPaneSticker* pSticker = new CVZPDockingPaneSticker(this, nKind);
    m_lstStickers.AddTail(pSticker);
    CString strClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    if (!pSticker->CreateEx(WS_EX_TOOLWINDOW, strClass, L"", WS_POPUP, rc, m_pManager->m_pSite, 0))
        return;
    CRgn* pCached = GetStickerRegion(nKind, rc.Size());
    CRgn rgnCopy;
    rgnCopy.CreateRectRgn(0, 0, 0, 0);
    rgnCopy.CopyRgn(pCached);
    if (pSticker->SetWindowRgn(HRGN(rgnCopy.GetSafeHandle()), FALSE))
        rgnCopy.Detach();   // the window owns the region now
    pSticker->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

CRect CVZPDockingPaneDragContext::GetFeedbackRect() const
{
    if (m_pTarget != NULL)
        return m_rcTarget;
    if (!m_bCanFloat)
        return CRect(0, 0, 0, 0);
    return m_rcDrag;
}

void CVZPDockingPaneDragContext::BuildFrameRegion(CRgn* pRgn, CRect rc)
{
    pRgn->CreateRectRgnIndirect(&rc);
    CRect rcInner = rc;
    rcInner.DeflateRect(4, 4);
    if (rcInner.left < rcInner.right && rcInner.top < rcInner.bottom)
    {
        CRgn rgnInner;
        rgnInner.CreateRectRgnIndirect(&rcInner);
        pRgn->CombineRgn(pRgn, &rgnInner, RGN_XOR);
    }
}

void CVZPDockingPaneDragContext::BuildOutlineRegion(CRgn* pRgn, CRect rc, BOOL bAttach)
{
    if (rc.IsRectEmpty())
    {
        pRgn->CreateRectRgn(0, 0, 0, 0);
        return;
    }
    if (!bAttach)
    {
        BuildFrameRegion(pRgn, rc);
        return;
    }
    const int nTabHeight = std::min(rc.Height() / 2, 20);
    const int nTabWidth = std::min(rc.Width() - 5, 50);
    const CRect rcBody(rc.left, rc.top, rc.right, rc.bottom - nTabHeight);
    const CRect rcTab(rc.left + 5, rcBody.bottom - 4, rc.left + 5 + nTabWidth, rc.bottom);
    BuildFrameRegion(pRgn, rcBody);
    CRgn rgnTab;
    BuildFrameRegion(&rgnTab, rcTab);
    pRgn->CombineRgn(pRgn, &rgnTab, RGN_OR);
    CRect rcJoin;
    if (rcJoin.IntersectRect(&rcBody, &rcTab))
    {
        rcJoin.DeflateRect(4, 0);
        if (rcJoin.left < rcJoin.right)
        {
            CRgn rgnJoin;
            BuildFrameRegion(&rgnJoin, rcJoin);
            pRgn->CombineRgn(pRgn, &rgnJoin, RGN_XOR);
        }
    }
}

void CVZPDockingPaneDragContext::BuildFeedbackRegion(CRgn* pRgn, BOOL bErase, CRect* pNewRect)
{
    const CRect rc = GetFeedbackRect();
    if (pNewRect != NULL)
        *pNewRect = rc;
    CRgn rgnNew, rgnOld;
    if (bErase)
        rgnNew.CreateRectRgn(0, 0, 0, 0);
    else
        BuildOutlineRegion(&rgnNew, rc, m_bAttach);
    BuildOutlineRegion(&rgnOld, m_rcLastDrawn, m_bTabPreviewShown);
    pRgn->CreateRectRgn(0, 0, 0, 0);
    pRgn->CombineRgn(&rgnNew, &rgnOld, RGN_XOR);
}

void CVZPDockingPaneDragContext::DrawFeedback(BOOL bErase)
{
    if (!m_bTranslucent)
    {
        CRgn rgnPaint;
        CRect rc;
        BuildFeedbackRegion(&rgnPaint, bErase, &rc);
        if (m_pDesktopDC != NULL)
        {
            m_pDesktopDC->SelectClipRgn(&rgnPaint);
            CBrush* pOldBrush = m_pDesktopDC->SelectObject(CDC::GetHalftoneBrush());
            CRect rcClip;
            m_pDesktopDC->GetClipBox(&rcClip);
            m_pDesktopDC->PatBlt(rcClip.left, rcClip.top, rcClip.Width(), rcClip.Height(), PATINVERT);
            m_pDesktopDC->SelectObject(pOldBrush);
            m_pDesktopDC->SelectClipRgn(NULL);
        }
        m_rcLastDrawn = bErase ? CRect(0, 0, 0, 0) : rc;
        m_bTabPreviewShown = bErase ? FALSE : m_bAttach;
        return;
    }

    CRect rc = GetFeedbackRect();
    m_rcLastDrawn = rc;
    CWnd* pSite = m_pManager->m_pSite;
    const CString strClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    if (m_bAttach != m_bTabPreviewShown)
    {
        if (m_bAttach)
        {
            if (m_wndTabPreview.CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, strClass, L"", WS_POPUP,
                                         CRect(0, 0, 0, 0), pSite, 0) &&
                m_pfnSetLayeredWindowAttributes != NULL)
                m_pfnSetLayeredWindowAttributes(m_wndTabPreview.GetSafeHwnd(), 0, 100, LWA_ALPHA);
        }
        else if (m_wndTabPreview.GetSafeHwnd() != NULL)
        {
            m_wndTabPreview.DestroyWindow();
        }
        m_bTabPreviewShown = m_bAttach;
    }
    if (m_bAttach)
    {
        const int nTabHeight = std::min(rc.Height() / 2, 20);
        const int nTabWidth = std::min(rc.Width() - 5, 50);
        CVZPDockingPanePaintManager* pPaint = m_pManager->GetPaintManager();
        CVZPTabPaintManager* pTabs = pPaint != NULL ? pPaint->GetPanelTabPaintManager() : NULL;
        int nTabTop;
        if (pTabs != NULL && pTabs->GetTabPosition() == 0 && m_pTarget != NULL &&
            m_pTarget->GetType() == vzpPaneTypeTabbedContainer)
        {
            nTabTop = rc.top;
            if (static_cast<CVZPDockingPaneTabbedContainer*>(m_pTarget)->HasCaption() && pPaint != NULL)
                nTabTop += pPaint->GetCaptionHeight() + 3;
            rc.top = nTabTop + nTabHeight;
        }
        else
        {
            nTabTop = rc.bottom - nTabHeight;
            rc.bottom = nTabTop;
        }
        if (m_wndTabPreview.GetSafeHwnd() != NULL)
            m_wndTabPreview.SetWindowPos(NULL, rc.left + 5, nTabTop, nTabWidth, nTabHeight,
                                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    if (m_wndPreview.GetSafeHwnd() != NULL)
    {
        CRect rcWindow;
        m_wndPreview.GetWindowRect(&rcWindow);
        if (rcWindow.Size() != rc.Size())
            m_wndPreview.DestroyWindow();
    }
    if (m_wndPreview.GetSafeHwnd() == NULL)
    {
        if (m_wndPreview.CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, strClass, L"", WS_POPUP, rc,
                                  pSite, 0) &&
            m_pfnSetLayeredWindowAttributes != NULL)
            m_pfnSetLayeredWindowAttributes(m_wndPreview.GetSafeHwnd(), 0, 100, LWA_ALPHA);
    }
    if (m_wndPreview.GetSafeHwnd() != NULL)
        m_wndPreview.SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CVZPDockingPaneDragContext::EndLoop()
{
    if (::GetCapture() != NULL && m_pDragged != NULL && m_pDragged->GetHostWindow() != NULL &&
        ::GetCapture() == m_pDragged->GetHostWindow()->GetSafeHwnd())
        ::ReleaseCapture();
    if (m_bTranslucent)
    {
        if (m_wndPreview.GetSafeHwnd() != NULL)
            m_wndPreview.DestroyWindow();
        if (m_wndTabPreview.GetSafeHwnd() != NULL)
            m_wndTabPreview.DestroyWindow();
        DestroyStickers();
        POSITION pos = m_mapRegionCache.GetStartPosition();
        while (pos != NULL)
        {
            int nKind;
            CRgn* pRgn;
            m_mapRegionCache.GetNextAssoc(pos, nKind, pRgn);
            delete pRgn;
        }
        m_mapRegionCache.RemoveAll();
        return;
    }
    DrawFeedback(TRUE);
    CWnd::GetDesktopWindow()->UnlockWindowUpdate();
    if (m_pDesktopDC != NULL)
        CWnd::GetDesktopWindow()->ReleaseDC(m_pDesktopDC);
    m_pDesktopDC = NULL;
}
