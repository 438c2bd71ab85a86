#include "CVZPDockingPaneSplitterContainer.h"

#include <windowsx.h>

#include <algorithm>

#include "CVZPDockingPaneLayout.h"
#include "CVZPDockingPaneManager.h"
#include "CVZPPropExchange.h"
#include "CVZPResizeTracker.h"
#include "CVZPResourceLoader.h"
#include "uilibres.h"

namespace {

int SplitterGap(CVZPDockingPaneManager* pManager)
{
    CVZPDockingPanePaintManager* pPaint = pManager != NULL ? pManager->GetPaintManager() : NULL;
    return pPaint != NULL ? pPaint->m_nSplitterBand : 4;
}

int AxisMin(const MINMAXINFO& mmi, BOOL bHorizontal)
{
    return bHorizontal ? mmi.ptMinTrackSize.x : mmi.ptMinTrackSize.y;
}

int AxisMax(const MINMAXINFO& mmi, BOOL bHorizontal)
{
    return bHorizontal ? mmi.ptMaxTrackSize.x : mmi.ptMaxTrackSize.y;
}

}  // namespace

void VZPDelayFrameLayout(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return;
    CFrameWnd* pFrame = pWnd->IsFrameWnd() ? static_cast<CFrameWnd*>(pWnd) : pWnd->GetParentFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout(TRUE);
}

// --- splitter window ------------------------------------------------------

BEGIN_MESSAGE_MAP(CVZPDockingPaneSplitterWnd, CWnd)
    ON_WM_SETCURSOR()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CVZPDockingPaneSplitterWnd::CVZPDockingPaneSplitterWnd()
    : m_pContainer(NULL), m_pBefore(NULL), m_pAfter(NULL), m_hCursor(NULL)
{
}

CVZPDockingPaneSplitterWnd::~CVZPDockingPaneSplitterWnd()
{
    if (GetSafeHwnd() != NULL)
        DestroyWindow();
}

BOOL CVZPDockingPaneSplitterWnd::CreateBar(CVZPDockingPaneSplitterContainer* pContainer, CVZPDockingPaneBase* pBefore,
                                           CVZPDockingPaneBase* pAfter)
{
    m_pContainer = pContainer;
    m_pBefore = pBefore;
    m_pAfter = pAfter;
    m_hCursor = GetResourceLoader()->LoadCursor(pContainer->IsHorizontal() ? VZP_IDC_SPLIT_HORZ : VZP_IDC_SPLIT_VERT);
    CWnd* pHost = pContainer->GetHostWindow();
    if (pHost == NULL || pHost->GetSafeHwnd() == NULL)
        return FALSE;
    CString strClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    return CreateEx(0, strClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                    pHost, 0);
}

BOOL CVZPDockingPaneSplitterWnd::IsBarHorizontal() const
{
    return m_pContainer != NULL && !m_pContainer->IsHorizontal();
}

BOOL CVZPDockingPaneSplitterWnd::GetLimits(CRect* pUnion, int* pnMin, int* pnMax) const
{
    if (m_pContainer == NULL || m_pBefore == NULL || m_pAfter == NULL)
        return FALSE;
    CVZPDockingPaneManager* pManager = m_pContainer->GetManager();
    const int nGap = SplitterGap(pManager);
    const int nSplitterMin = pManager != NULL ? pManager->m_nSplitterMinimum : 22;
    const BOOL bHorz = m_pContainer->IsHorizontal();

    CRect rcUnion;
    rcUnion.UnionRect(m_pBefore->GetScreenRect(), m_pAfter->GetScreenRect());
    MINMAXINFO mmiBefore, mmiAfter;
    m_pBefore->GetMinMaxInfo(&mmiBefore);
    m_pAfter->GetMinMaxInfo(&mmiAfter);
    const int nStart = bHorz ? rcUnion.left : rcUnion.top;
    const int nEnd = bHorz ? rcUnion.right : rcUnion.bottom;
    const int nLength = nEnd - nStart;

    int nMin = nStart + std::max(AxisMin(mmiBefore, bHorz), nSplitterMin);
    int nMax = nEnd - std::max(AxisMin(mmiAfter, bHorz) + nGap, nSplitterMin);
    if (nLength > AxisMax(mmiBefore, bHorz))
        nMax = std::min(nMax, nStart + AxisMax(mmiBefore, bHorz));
    if (nLength > AxisMax(mmiAfter, bHorz))
        nMin = std::max(nMin, nEnd - AxisMax(mmiAfter, bHorz) - nGap);
    *pUnion = rcUnion;
    *pnMin = nMin;
    *pnMax = nMax;
    return nMin < nMax;
}

void CVZPDockingPaneSplitterWnd::ApplyPosition(const CRect& rcUnion, int nPos)
{
    const BOOL bHorz = m_pContainer->IsHorizontal();
    const int nGap = SplitterGap(m_pContainer->GetManager());
    int& nBefore = bHorz ? m_pBefore->m_nDockingCX : m_pBefore->m_nDockingCY;
    int& nAfter = bHorz ? m_pAfter->m_nDockingCX : m_pAfter->m_nDockingCY;
    const int nSum = nBefore + nAfter + nGap;
    // The boundary lands where the bar is released: the share is measured
    // over the two neighbours themselves, not over the movement limits.
    const int nStart = bHorz ? rcUnion.left : rcUnion.top;
    const int nLength = bHorz ? rcUnion.Width() : rcUnion.Height();
    if (nLength <= 0)
        return;
    int nValue = int(double(nSum) * double(nPos - nStart) / double(nLength));
    CVZPDockingPaneManager* pManager = m_pContainer->GetManager();
    if (bHorz && pManager != NULL && pManager->IsSiteMirrored())
        nValue = nSum - nValue - nGap;
    nBefore = nValue;
    nAfter = nSum - nValue - nGap;
}

BOOL CVZPDockingPaneSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CVZPDockingPaneManager* pManager = m_pContainer != NULL ? m_pContainer->GetManager() : NULL;
    CRect rcUnion;
    int nMin = 0, nMax = 0;
    if (pManager == NULL || pManager->m_bLockSplitters || !GetLimits(&rcUnion, &nMin, &nMax) || m_hCursor == NULL)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(m_hCursor);
    return TRUE;
}

void CVZPDockingPaneSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CVZPDockingPanePaintManager* pPaint = m_pContainer != NULL ? m_pContainer->GetDockingPaintManager() : NULL;
    if (pPaint != NULL)
        pPaint->DrawSplitter(&dc, this);
}

BOOL CVZPDockingPaneSplitterWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CVZPDockingPaneSplitterWnd::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    CVZPDockingPaneManager* pManager = m_pContainer != NULL ? m_pContainer->GetManager() : NULL;
    if (pManager == NULL || pManager->m_bLockSplitters)
        return;
    CRect rcUnion;
    int nMin = 0, nMax = 0;
    if (!GetLimits(&rcUnion, &nMin, &nMax))
        return;

    // Sizes start from what is on the screen now.
    const BOOL bHorz = m_pContainer->IsHorizontal();
    CRect rcContainer = m_pContainer->GetPaneRect();
    (bHorz ? m_pContainer->m_nDockingCX : m_pContainer->m_nDockingCY) =
        bHorz ? rcContainer.Width() : rcContainer.Height();
    for (POSITION pos = m_pContainer->m_lstChildren.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = m_pContainer->m_lstChildren.GetNext(pos);
        if (pChild->IsEmpty())
            continue;
        CRect rcChild = pChild->GetPaneRect();
        (bHorz ? pChild->m_nDockingCX : pChild->m_nDockingCY) = bHorz ? rcChild.Width() : rcChild.Height();
    }

    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (pManager->m_bOutlineSplitterDrag)
    {
        CRect rcBar;
        GetWindowRect(&rcBar);
        const int nOld = bHorz ? rcBar.left : rcBar.top;
        CRect rcBounds = bHorz ? CRect(nMin, rcBar.top, nMax, rcBar.top) : CRect(rcBar.left, nMin, rcBar.left, nMax);
        CVZPResizeTracker tracker(FALSE);
        if (tracker.Track(this, rcBounds, rcBar, ptScreen, bHorz) && (bHorz ? rcBar.left : rcBar.top) != nOld)
        {
            ApplyPosition(rcUnion, bHorz ? rcBar.left : rcBar.top);
            VZPDelayFrameLayout(GetParent());
        }
        return;
    }
    TrackLive(ptScreen, rcUnion, nMin, nMax);
}

void CVZPDockingPaneSplitterWnd::TrackLive(CPoint ptStart, const CRect& rcUnion, int nMin, int nMax)
{
    const BOOL bHorz = m_pContainer->IsHorizontal();
    CRect rcBar;
    GetWindowRect(&rcBar);
    const int nOffset = bHorz ? rcBar.left - ptStart.x : rcBar.top - ptStart.y;
    HWND hWnd = GetSafeHwnd();
    ::SetCapture(hWnd);
    while (::GetCapture() == hWnd)
    {
        MSG msg;
        // Paint first, so the frame keeps up with the bar. A filtered peek
        // also returns a pending WM_QUIT, which must not get lost here.
        BOOL bQuit = FALSE;
        for (int nPaints = 0; nPaints < 100 && (HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT); nPaints++)
        {
            if (!::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
                break;
            if (msg.message == WM_QUIT)
            {
                bQuit = TRUE;
                break;
            }
            ::DispatchMessageW(&msg);
        }
        const BOOL bGot = bQuit ? 0 : ::GetMessageW(&msg, NULL, 0, 0);
        if (bGot == 0)
        {
            // A request to end the program belongs to the loop that owns it.
            AfxPostQuitMessage(int(msg.wParam));
            break;
        }
        if (bGot == -1)
            break;
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hWnd)
        {
            CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            ::ClientToScreen(hWnd, &pt);
            int nPos = (bHorz ? pt.x : pt.y) + nOffset;
            nPos = std::max(nMin, std::min(nPos, nMax));
            if (nPos != (bHorz ? rcBar.left : rcBar.top))
            {
                rcBar.OffsetRect(bHorz ? nPos - rcBar.left : 0, bHorz ? 0 : nPos - rcBar.top);
                ApplyPosition(rcUnion, nPos);
                CFrameWnd* pFrame = GetParentFrame();
                CWnd* pParent = GetParent();
                if (pParent != NULL && pParent->IsFrameWnd())
                    static_cast<CFrameWnd*>(pParent)->RecalcLayout(TRUE);
                else if (pFrame != NULL)
                    pFrame->RecalcLayout(TRUE);
            }
        }
        else if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
        {
            break;
        }
        else
        {
            ::DispatchMessageW(&msg);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
}

// --- splitter container -----------------------------------------------------

CVZPDockingPaneSplitterContainer::CVZPDockingPaneSplitterContainer(CVZPDockingPaneLayout* pLayout)
    : CVZPDockingPaneBase(vzpPaneTypeSplitterContainer, pLayout), m_bHorizontal(TRUE), m_bInLayout(FALSE)
{
}

CVZPDockingPaneSplitterContainer::~CVZPDockingPaneSplitterContainer()
{
    DeleteBars();
}

CVZPDockingPaneSplitterWnd* CVZPDockingPaneSplitterContainer::CreateSplitterWindow()
{
    return new CVZPDockingPaneSplitterWnd;
}

void CVZPDockingPaneSplitterContainer::DelayHostLayout()
{
    VZPDelayFrameLayout(m_pHostWnd);
}

void CVZPDockingPaneSplitterContainer::InitFirstChild(CVZPDockingPaneBase* pChild, BOOL bHorizontal, CWnd* pHost)
{
    m_pHostWnd = pHost;
    m_bHorizontal = bHorizontal;
    m_lstChildren.AddTail(pChild);
    // Every way of adding a child makes this container its parent: a child
    // without one would be lost to the side and docking queries.
    pChild->SetParentContainer(this);
    m_nDockingCX = pChild->m_nDockingCX;
    m_nDockingCY = pChild->m_nDockingCY;
}

void CVZPDockingPaneSplitterContainer::InsertChild(CVZPDockingPaneBase* pChild, CVZPDockingPaneBase* pNeighbour,
                                                   BOOL bAfter)
{
    POSITION pos = pNeighbour != NULL ? m_lstChildren.Find(pNeighbour) : NULL;
    if (pos != NULL)
    {
        if (bAfter)
            m_lstChildren.InsertAfter(pos, pChild);
        else
            m_lstChildren.InsertBefore(pos, pChild);
    }
    else if (bAfter)
    {
        m_lstChildren.AddTail(pChild);
    }
    else
    {
        m_lstChildren.AddHead(pChild);
    }
    pChild->m_pParentContainer = this;
    pChild->SetHostWindow(m_pHostWnd);
    DelayHostLayout();
    RebuildBars();
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildChanged(this);
    pChild->OnAttached(this);
}

void CVZPDockingPaneSplitterContainer::ReplaceChild(CVZPDockingPaneBase* pOld, CVZPDockingPaneBase* pNew)
{
    POSITION pos = m_lstChildren.Find(pOld);
    if (pos == NULL)
        return;
    m_lstChildren.InsertAfter(pos, pNew);
    m_lstChildren.RemoveAt(pos);
    pNew->m_pParentContainer = this;
    RebuildBars();
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildChanged(this);
}

void CVZPDockingPaneSplitterContainer::AppendLoadedChild(CVZPDockingPaneBase* pChild)
{
    m_lstChildren.AddTail(pChild);
    pChild->m_pParentContainer = this;
}

void CVZPDockingPaneSplitterContainer::RemoveChild(CVZPDockingPaneBase* pChild)
{
    POSITION pos = m_lstChildren.Find(pChild);
    if (pos == NULL)
        return;
    m_lstChildren.RemoveAt(pos);
    RebuildBars();
    DelayHostLayout();
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildChanged(pChild);
    if (m_lstChildren.IsEmpty() && m_pParentContainer != NULL)
        m_pParentContainer->RemoveChild(this);
    pChild->m_pParentContainer = NULL;
}

void CVZPDockingPaneSplitterContainer::OnChildChanged(CVZPDockingPaneBase* pChild)
{
    if (m_pParentContainer != NULL)
        m_pParentContainer->OnChildChanged(pChild);
    RebuildBars();
    DelayHostLayout();
}

void CVZPDockingPaneSplitterContainer::OnAttached(CVZPDockingPaneBase* pParent)
{
    m_pHostWnd = pParent->GetHostWindow();
    RebuildBars();
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
        m_lstChildren.GetNext(pos)->OnAttached(this);
}

INT_PTR CVZPDockingPaneSplitterContainer::ContainsPane(CVZPDockingPaneBase* pPane)
{
    if (pPane == this)
        return TRUE;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
    {
        POSITION posChild = pos;
        if (m_lstChildren.GetNext(pos)->ContainsPane(pPane))
            return INT_PTR(posChild);
    }
    return 0;
}

void CVZPDockingPaneSplitterContainer::CollectPanes(int nType, CVZPDockingPaneBaseList* pList)
{
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = m_lstChildren.GetNext(pos);
        if (pChild->IsEmpty())
            continue;
        if (pChild->GetType() == nType)
            pList->AddTail(pChild);
        else
            pChild->CollectPanes(nType, pList);
    }
}

void CVZPDockingPaneSplitterContainer::CollectChildren(int nType, CVZPDockingPaneBaseList* pList)
{
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = m_lstChildren.GetNext(pos);
        if (!pChild->IsEmpty() && pChild->GetType() == nType)
            pList->AddTail(pChild);
    }
}

BOOL CVZPDockingPaneSplitterContainer::IsChildBefore(CVZPDockingPaneBase* pChild, POSITION posLimit) const
{
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL && pos != posLimit;)
    {
        if (m_lstChildren.GetNext(pos) == pChild)
            return TRUE;
    }
    return FALSE;
}

BOOL CVZPDockingPaneSplitterContainer::IsEmpty()
{
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
    {
        if (!m_lstChildren.GetNext(pos)->IsEmpty())
            return FALSE;
    }
    return TRUE;
}

CVZPDockingPaneBase* CVZPDockingPaneSplitterContainer::Clone(CVZPDockingPaneLayout* pLayout, CMapPtrToPtr* pMap,
                                                             DWORD dwIgnoredOptions)
{
    CVZPDockingPaneManager* pManager = GetManager();
    CVZPDockingPaneBase* pBase =
        pManager != NULL ? pManager->CreatePaneObject(vzpPaneTypeSplitterContainer, pLayout) : NULL;
    if (pBase == NULL)
        return NULL;
    CVZPDockingPaneSplitterContainer* pClone = static_cast<CVZPDockingPaneSplitterContainer*>(pBase);
    pClone->m_bHorizontal = m_bHorizontal;
    pClone->m_pHostWnd = pManager->m_pSite;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = m_lstChildren.GetNext(pos);
        if (pMap == NULL && pChild->IsEmpty())
            continue;
        CVZPDockingPaneBase* pChildClone = pChild->Clone(pLayout, pMap, dwIgnoredOptions);
        if (pChildClone != NULL)
            pClone->AppendLoadedChild(pChildClone);
    }
    pClone->m_nDockingCX = m_nDockingCX;
    pClone->m_nDockingCY = m_nDockingCY;
    pClone->m_rcPane = m_rcPane;
    if (pMap != NULL)
        pMap->SetAt(static_cast<CVZPDockingPaneBase*>(this), pBase);
    return pBase;
}

void CVZPDockingPaneSplitterContainer::DeleteBars()
{
    while (!m_lstBars.IsEmpty())
        delete m_lstBars.RemoveHead();
}

void CVZPDockingPaneSplitterContainer::RebuildBars()
{
    if (m_bInLayout)
        return;
    DeleteBars();
    if (m_lstChildren.GetCount() < 2)
        return;
    // A layout not yet in use shows no windows.
    if (m_pLayout == NULL || m_pLayout->IsDetached() || m_pHostWnd == NULL || m_pHostWnd->GetSafeHwnd() == NULL)
        return;
    CVZPDockingPaneBase* pPrevious = NULL;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = m_lstChildren.GetNext(pos);
        if (pChild->IsEmpty())
            continue;
        if (pPrevious != NULL)
        {
            CVZPDockingPaneSplitterWnd* pBar = CreateSplitterWindow();
            pBar->CreateBar(this, pPrevious, pChild);
            m_lstBars.AddTail(pBar);
        }
        pPrevious = pChild;
    }
}

void CVZPDockingPaneSplitterContainer::ShareLengths(CVZPDockingPaneManager* pManager, CVZPDockingPaneBaseList& list,
                                                    CRect rc, BOOL bHorizontal, BOOL bApply, int* pnTotal,
                                                    int* pnAvailable)
{
    int nTotal = 0;
    *pnTotal = 0;
    *pnAvailable = 0;
    if (list.IsEmpty())
        return;
    CVZPDockingPaneLayout* pLayout = list.GetHead()->GetLayout();
    CVZPDockingPaneBase* pClient = pLayout != NULL ? pLayout->GetClient() : NULL;
    const BOOL bHideClient = pManager != NULL && pManager->m_bHideClient;
    const int nGap = SplitterGap(pManager);
    CVZPDockingPaneBase* pClientChild = NULL;

    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = list.GetNext(pos);
        int nLength = bHorizontal ? pChild->m_nDockingCX : pChild->m_nDockingCY;
        MINMAXINFO mmi;
        pChild->GetMinMaxInfo(&mmi);
        const int nMin = AxisMin(mmi, bHorizontal), nMax = AxisMax(mmi, bHorizontal);
        if (nMin > std::min(nLength, nMax))
            nLength = nMin;
        else if (nMax < nLength)
            nLength = nMax;
        if (pClientChild == NULL && pClient != NULL && pChild->ContainsPane(pClient) &&
            (!bHideClient || (pChild->m_nDockingCX == 0 && pChild->m_nDockingCY == 0)))
        {
            pClientChild = pChild;
            nLength = 0;
            if (bApply)
                pChild->m_nDockingCX = pChild->m_nDockingCY = 0;
        }
        pChild->m_nLayoutLength = nLength;
        nTotal += nLength;
    }

    int nAvailable = (bHorizontal ? rc.Width() : rc.Height()) - int(list.GetCount() - 1) * nGap;
    if (pClientChild != NULL && nTotal < nAvailable)
    {
        pClientChild->m_nLayoutLength = nAvailable - nTotal;
        if (bApply)
            (bHorizontal ? pClientChild->m_nDockingCX : pClientChild->m_nDockingCY) = nAvailable - nTotal;
        nTotal = nAvailable;
    }

    if (nAvailable > 0)
    {
        // Children whose share breaks their limits get a fixed length; the
        // others share what is left, so walk again after every change.
        BOOL bChanged = TRUE;
        while (bChanged)
        {
            bChanged = FALSE;
            for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            {
                CVZPDockingPaneBase* pChild = list.GetNext(pos);
                const int nLength = pChild->m_nLayoutLength;
                if (nLength < 0 || nTotal == 0)
                    continue;
                MINMAXINFO mmi;
                pChild->GetMinMaxInfo(&mmi);
                const int nMin = AxisMin(mmi, bHorizontal), nMax = AxisMax(mmi, bHorizontal);
                const int nShare = int((long long)nAvailable * nLength / nTotal);
                int nFixed = 1;
                if (nShare < nMin)
                    nFixed = -nMin;
                else if (nShare > nMax)
                    nFixed = -nMax;
                if (nFixed > 0 || (nFixed == 0 && nLength == 0))
                    continue;
                pChild->m_nLayoutLength = nFixed;
                nAvailable += nFixed;
                nTotal -= nLength;
                if (nAvailable < 0)
                {
                    pChild->m_nLayoutLength -= nAvailable;
                    nAvailable = 0;
                    break;
                }
                bChanged = TRUE;
                break;
            }
            if (nAvailable == 0)
                break;
        }
    }
    *pnTotal = nTotal;
    *pnAvailable = nAvailable;
}

int CVZPDockingPaneSplitterContainer::TakeLength(CVZPDockingPaneBase* pChild, int* pnTotal, int* pnAvailable)
{
    const int nWeight = pChild->m_nLayoutLength;
    if (nWeight <= 0)
        return -nWeight;
    const int nLength = *pnTotal != 0 ? int((long long)nWeight * *pnAvailable / *pnTotal) : 0;
    *pnTotal -= nWeight;
    *pnAvailable = std::max(*pnAvailable - nLength, 0);
    return nLength;
}

void CVZPDockingPaneSplitterContainer::PlaceInFrame(CWnd* pParent, CRect rc, AFX_SIZEPARENTPARAMS* pParams)
{
    m_pHostWnd = pParent;
    m_rcPane = rc;
    CVZPDockingPaneManager* pManager = GetManager();
    const BOOL bHideClient = pManager != NULL && pManager->m_bHideClient;
    CVZPDockingPaneBase* pClient = m_pLayout != NULL ? m_pLayout->GetClient() : NULL;

    CVZPDockingPaneBaseList lstVisible;
    BOOL bHoldsHiddenClient = FALSE;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = m_lstChildren.GetNext(pos);
        if (!pChild->IsEmpty())
            lstVisible.AddTail(pChild);
        if (bHideClient && pClient != NULL && pChild->ContainsPane(pClient))
            bHoldsHiddenClient = TRUE;
    }
    // A hidden client gives the frame's view no room.
    if (bHoldsHiddenClient)
        pClient->PlaceInFrame(pParent, CRect(0, 0, 0, 0), pParams);
    if (lstVisible.IsEmpty())
        return;
    if (lstVisible.GetCount() == 1)
    {
        lstVisible.GetHead()->PlaceInFrame(pParent, rc, pParams);
        return;
    }
    if (m_bInLayout)
        return;
    m_bInLayout = TRUE;

    int nTotal = 0, nAvailable = 0;
    ShareLengths(pManager, lstVisible, rc, m_bHorizontal, TRUE, &nTotal, &nAvailable);
    const int nGap = SplitterGap(pManager);
    int nPosition = m_bHorizontal ? rc.left : rc.top;
    POSITION posBar = m_lstBars.GetHeadPosition();
    for (POSITION pos = lstVisible.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = lstVisible.GetNext(pos);
        const int nLength = TakeLength(pChild, &nTotal, &nAvailable);
        CRect rcChild, rcBar;
        if (m_bHorizontal)
        {
            const int nRight = pos == NULL ? rc.right : nPosition + nLength;
            rcChild.SetRect(nPosition, rc.top, nRight, rc.bottom);
            rcBar.SetRect(nRight, rc.top, nRight + nGap, rc.bottom);
            nPosition = nRight + nGap;
        }
        else
        {
            const int nBottom = pos == NULL ? rc.bottom : nPosition + nLength;
            rcChild.SetRect(rc.left, nPosition, rc.right, nBottom);
            rcBar.SetRect(rc.left, nBottom, rc.right, nBottom + nGap);
            nPosition = nBottom + nGap;
        }
        pChild->PlaceInFrame(pParent, rcChild, pParams);
        if (pos != NULL && pParams != NULL && pParams->hDWP != NULL && posBar != NULL)
        {
            CVZPDockingPaneSplitterWnd* pBar = m_lstBars.GetNext(posBar);
            rcBar.IntersectRect(rcBar, rc);
            if (pBar->GetSafeHwnd() != NULL)
            {
                pBar->SetWindowPos(&CWnd::wndBottom, rcBar.left, rcBar.top, rcBar.Width(), rcBar.Height(), 0);
                pBar->Invalidate(FALSE);
            }
        }
    }
    m_bInLayout = FALSE;
}

void CVZPDockingPaneSplitterContainer::GetMinMaxInfo(MINMAXINFO* pInfo)
{
    CVZPDockingPaneBase::GetMinMaxInfo(pInfo);
    int nCount = 0;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = m_lstChildren.GetNext(pos);
        if (pChild->IsEmpty())
            continue;
        MINMAXINFO mmi;
        pChild->GetMinMaxInfo(&mmi);
        if (nCount++ == 0)
        {
            *pInfo = mmi;
            continue;
        }
        if (m_bHorizontal)
        {
            pInfo->ptMinTrackSize.x += mmi.ptMinTrackSize.x;
            pInfo->ptMaxTrackSize.x += mmi.ptMaxTrackSize.x;
            pInfo->ptMinTrackSize.y = std::max(pInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y);
            pInfo->ptMaxTrackSize.y = std::min(pInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y);
        }
        else
        {
            pInfo->ptMinTrackSize.y += mmi.ptMinTrackSize.y;
            pInfo->ptMaxTrackSize.y += mmi.ptMaxTrackSize.y;
            pInfo->ptMinTrackSize.x = std::max(pInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x);
            pInfo->ptMaxTrackSize.x = std::min(pInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x);
        }
    }
    if (nCount >= 1)
    {
        const int nGaps = (nCount - 1) * SplitterGap(GetManager());
        (m_bHorizontal ? pInfo->ptMinTrackSize.x : pInfo->ptMinTrackSize.y) += nGaps;
        (m_bHorizontal ? pInfo->ptMaxTrackSize.x : pInfo->ptMaxTrackSize.y) += nGaps;
    }
}

CRect CVZPDockingPaneSplitterContainer::ComputeRectAmong(BOOL bHorizontal, CVZPDockingPaneBaseList& list, CRect rc,
                                                         CVZPDockingPaneBase* pObject)
{
    if (list.IsEmpty())
        return rc;
    CVZPDockingPaneManager* pManager = list.GetHead()->GetManager();
    if (pManager == NULL)
        pManager = pObject->GetManager();
    int nTotal = 0, nAvailable = 0;
    ShareLengths(pManager, list, rc, bHorizontal, FALSE, &nTotal, &nAvailable);
    const int nGap = SplitterGap(pManager);
    int nPosition = bHorizontal ? rc.left : rc.top;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = list.GetNext(pos);
        const int nLength = TakeLength(pChild, &nTotal, &nAvailable);
        const int nEnd = pos == NULL ? (bHorizontal ? rc.right : rc.bottom) : nPosition + nLength;
        if (pChild == pObject)
            return bHorizontal ? CRect(nPosition, rc.top, nEnd, rc.bottom) : CRect(rc.left, nPosition, rc.right, nEnd);
        nPosition = nEnd + nGap;
    }
    return CRect(0, 0, 0, 0);
}

CRect CVZPDockingPaneSplitterContainer::ComputeChildRect(CVZPDockingPaneBase* pObject, int nSide,
                                                         CVZPDockingPaneBase* pNeighbour)
{
    CVZPDockingPaneManager* pManager = GetManager();
    if (pManager != NULL)
        nSide = pManager->MirrorSide(nSide);
    const BOOL bAfter = nSide == vzpPaneDockRight || nSide == vzpPaneDockBottom;
    CVZPDockingPaneBaseList list;
    for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL;)
    {
        CVZPDockingPaneBase* pChild = m_lstChildren.GetNext(pos);
        if (pChild == pObject || pChild->IsEmpty())
            continue;
        if (pChild == pNeighbour && !bAfter)
            list.AddTail(pObject);
        list.AddTail(pChild);
        if (pChild == pNeighbour && bAfter)
            list.AddTail(pObject);
    }
    CRect rc = ComputeRectAmong(m_bHorizontal, list, m_rcPane, pObject);
    if (m_pHostWnd != NULL && m_pHostWnd->GetSafeHwnd() != NULL)
        m_pHostWnd->ClientToScreen(&rc);
    return rc;
}

CRect CVZPDockingPaneSplitterContainer::ComputeSplitRect(CVZPDockingPaneBase* pNeighbour, CVZPDockingPaneBase* pObject,
                                                         int nSide)
{
    CVZPDockingPaneBaseList list;
    if (nSide == vzpPaneDockRight || nSide == vzpPaneDockBottom)
    {
        list.AddTail(pNeighbour);
        list.AddTail(pObject);
    }
    else
    {
        list.AddTail(pObject);
        list.AddTail(pNeighbour);
    }
    const BOOL bHorizontal = nSide == vzpPaneDockLeft || nSide == vzpPaneDockRight;
    return ComputeRectAmong(bHorizontal, list, pNeighbour->GetScreenRect(), pObject);
}

BOOL CVZPDockingPaneSplitterContainer::ExchangeProperties(CVZPPropExchange* pPX)
{
    CVZPDockingPaneBase::ExchangeProperties(pPX);
    PropExchangeBool(pPX, L"Horiz", &m_bHorizontal, FALSE);
    if (!pPX->IsLoading())
    {
        int nCount = int(m_lstChildren.GetCount());
        PropExchangeIntNoDefault(pPX, L"Panes", &nCount);
        int i = 1;
        for (POSITION pos = m_lstChildren.GetHeadPosition(); pos != NULL; i++)
            SaveChildIndex(pPX, i, m_lstChildren.GetNext(pos)->m_nSaveIndex);
        return TRUE;
    }
    int nCount = 0;
    PropExchangeIntNoDefault(pPX, L"Panes", &nCount);
    for (int i = 1; i <= nCount; i++)
    {
        CVZPDockingPaneBase* pChild = LoadChild(pPX, i);
        if (pChild == NULL)
            return FALSE;
        // A stored tree is untrusted: an object placed twice, or above
        // itself, would make the tree a loop.
        if (pChild->m_pParentContainer != NULL)
            return FALSE;
        for (CVZPDockingPaneBase* pUp = this; pUp != NULL; pUp = pUp->m_pParentContainer)
        {
            if (pUp == pChild)
                return FALSE;
        }
        AppendLoadedChild(pChild);
    }
    return TRUE;
}
