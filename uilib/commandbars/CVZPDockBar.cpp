#include "CVZPDockBar.h"

#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBarTracker.h"
#include "CVZPCommandBars.h"
#include "CVZPToolBar.h"

#include <afxpriv.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CVZPDockBar, CWnd)

BEGIN_MESSAGE_MAP(CVZPDockBar, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_RBUTTONDOWN()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_PRINT, OnPrint)
END_MESSAGE_MAP()

namespace {

// Flags-word bits of a toolbar that the dock bar reads.
const DWORD kFlagHideOverflow = 0x20;
const DWORD kFlagStretched = 0x40;
const DWORD kFlagFillLine = 0x100000;
// The bars' own layout bit: hide controls that do not fit instead of wrapping.
const DWORD kModeHideOverflow = 0x80;

// Length along the dock bar and thickness across it.
int Along(CSize size, BOOL bHorz)
{
    return bHorz ? size.cx : size.cy;
}

int Across(CSize size, BOOL bHorz)
{
    return bHorz ? size.cy : size.cx;
}

// Sorts bars by where their windows start along the dock bar; bars starting
// at the same place keep their order in the list.
void SortByStart(std::vector<std::pair<int, CVZPToolBar*>>& bars)
{
    std::stable_sort(bars.begin(), bars.end(),
                     [](const std::pair<int, CVZPToolBar*>& a, const std::pair<int, CVZPToolBar*>& b) {
                         return a.first < b.first;
                     });
}

// One bar of the line being placed, in coordinates along the dock bar.
struct RowRecord
{
    CVZPToolBar* pBar;
    int nStart, nEnd;     // current place
    int nPrefStart;       // where it was dropped
    int nIndex;           // order in the row's list
    int nMinLength;
    int nMinStart;
};

}  // namespace

CVZPDockBar::CVZPDockBar(CVZPCommandBars* pCommandBars) : m_dwStyle(0), m_pCommandBars(pCommandBars)
{
    m_arrBars.Add(NULL);
}

CVZPDockBar::~CVZPDockBar()
{
    if (m_hWnd != NULL)
        DestroyWindow();
}

BOOL CVZPDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    return CreateEx(0, lpszClass, NULL, dwStyle, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID);
}

BOOL CVZPDockBar::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

int CVZPDockBar::GetPosition() const
{
    if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM))
        return 0;
    if (m_dwStyle & (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP))
        return 1;
    if (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT))
        return 2;
    return 3;
}

int CVZPDockBar::GetRowCount() const
{
    int nRows = 0;
    for (int i = 1; i < GetEntryCount(); i++)
        if (m_arrBars[i] == NULL)
            nRows++;
    return nRows;
}

CRect CVZPDockBar::GetBarRect(CVZPToolBar* pBar) const
{
    CRect rect(0, 0, 0, 0);
    if (pBar->GetSafeHwnd() == NULL)
        return rect;
    pBar->GetWindowRect(&rect);
    ScreenToClient(&rect);
    return rect;
}

// ---------------------------------------------------------------------------
// Entries

BOOL CVZPDockBar::DockCommandBar(CVZPToolBar* pBar, LPCRECT lpRect)
{
    const int nOldIndex = FindBar(pBar);
    if (nOldIndex >= 0)
    {
        if (lpRect == NULL)
            return TRUE;
        CRect rectWindow;
        pBar->GetWindowRect(&rectWindow);
        if (rectWindow == *lpRect)
            return TRUE;
    }

    int nNewIndex;
    if (lpRect != NULL)
    {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        CPoint ptCenter(rect.left + (rect.right - rect.left) / 2, rect.top + (rect.bottom - rect.top) / 2);
        nNewIndex = InsertBar(pBar, ptCenter);
        if (pBar->m_pTracker != NULL)
            pBar->m_pTracker->m_rcDocked = rect;
    }
    else
    {
        nNewIndex = (int)m_arrBars.Add(pBar);
        m_arrBars.Add(NULL);
        if (pBar->m_pTracker != NULL)
            pBar->m_pTracker->m_rcDocked.SetRectEmpty();
    }

    if (pBar->GetSafeHwnd() != NULL && ::GetParent(pBar->m_hWnd) != m_hWnd)
        pBar->SetParent(this);

    if (nOldIndex >= 0)
        RemoveCommandBar(pBar, nNewIndex);
    else if (CVZPDockBar* pOldDockBar = pBar->GetDockBar())
    {
        if (pOldDockBar != this)
            pOldDockBar->RemoveCommandBar(pBar);
    }

    pBar->SetDockBar(this);
    SeparateStretchedBars();
    if (m_pCommandBars != NULL)
        m_pCommandBars->RecalcFrameLayout(TRUE);
    return TRUE;
}

int CVZPDockBar::InsertBar(CVZPToolBar* pBar, CPoint ptCenter)
{
    const BOOL bHorz = IsHorizontal();
    const int c = bHorz ? ptCenter.y : ptCenter.x;
    int nFarEdge = 0;
    int nPrevFarEdge = 0;
    int nPrevRowEnd = 0;
    for (int i = 0; i < GetEntryCount(); i++)
    {
        CVZPToolBar* pEntry = m_arrBars[i];
        if (pEntry != NULL)
        {
            if (pEntry->IsVisible())
            {
                CRect rectBar = GetBarRect(pEntry);
                nFarEdge = std::max(nFarEdge, (int)(bHorz ? rectBar.bottom : rectBar.right));
            }
            continue;
        }
        if (c < (i == 0 ? 0 : nFarEdge))
        {
            const int nInsert = nPrevRowEnd + 1;
            // A centre in front of everything, or exactly on the far edge of
            // the row before, starts a row of its own.
            if (i == 0 || c == nPrevFarEdge)
                m_arrBars.InsertAt(nInsert, (CVZPToolBar*)NULL);
            m_arrBars.InsertAt(nInsert, pBar);
            return nInsert;
        }
        nPrevFarEdge = nFarEdge;
        nPrevRowEnd = i;
        nFarEdge = 0;
    }
    const int nIndex = (int)m_arrBars.Add(pBar);
    m_arrBars.Add(NULL);
    return nIndex;
}

void CVZPDockBar::SeparateStretchedBars()
{
    for (int i = 1; i < GetEntryCount() - 1; i++)
    {
        CVZPToolBar* pBar = m_arrBars[i];
        if (pBar == NULL || (pBar->GetFlags() & kFlagStretched) == 0)
            continue;
        if (m_arrBars[i - 1] != NULL)
            m_arrBars.InsertAt(i++, (CVZPToolBar*)NULL);
        if (m_arrBars[i + 1] != NULL)
            m_arrBars.InsertAt(i + 1, (CVZPToolBar*)NULL);
    }
}

int CVZPDockBar::RemoveCommandBar(CVZPToolBar* pBar, int nSkipIndex)
{
    const int nIndex = FindBar(pBar, nSkipIndex);
    if (nIndex < 0)
        return 0;
    m_arrBars.RemoveAt(nIndex);
    // The array always begins and ends with NULL, so both neighbours exist.
    if (m_arrBars[nIndex - 1] == NULL && m_arrBars[nIndex] == NULL)
        m_arrBars.RemoveAt(nIndex);
    // Re-docking within this dock bar removes the old entry of a bar that
    // stays here.
    if (nSkipIndex < 0 && pBar->GetDockBar() == this)
        pBar->SetDockBar(NULL);
    if (m_pCommandBars != NULL)
        m_pCommandBars->RecalcFrameLayout(TRUE);
    return 0;
}

int CVZPDockBar::FindBar(CVZPToolBar* pBar, int nSkipIndex) const
{
    for (int i = 0; i < GetEntryCount(); i++)
        if (m_arrBars[i] == pBar && i != nSkipIndex)
            return i;
    return -1;
}

void CVZPDockBar::GetVisibleBarsInRow(int nIndex, CArray<CVZPToolBar*, CVZPToolBar*>& arrBars) const
{
    if (nIndex < 0 || nIndex >= GetEntryCount())
        return;
    int nFirst = nIndex;
    while (nFirst > 0 && m_arrBars[nFirst - 1] != NULL)
        nFirst--;
    const BOOL bHorz = IsHorizontal();
    std::vector<std::pair<int, CVZPToolBar*>> bars;
    for (int i = nFirst; i < GetEntryCount() && m_arrBars[i] != NULL; i++)
    {
        CVZPToolBar* pBar = m_arrBars[i];
        if (!pBar->IsVisible())
            continue;
        CRect rect(0, 0, 0, 0);
        if (pBar->GetSafeHwnd() != NULL)
            pBar->GetWindowRect(&rect);
        bars.push_back(std::make_pair((int)(bHorz ? rect.left : rect.top), pBar));
    }
    SortByStart(bars);
    for (const auto& bar : bars)
        arrBars.Add(bar.second);
}

DWORD CVZPDockBar::GetLayoutMode(BOOL bHorz, CVZPToolBar* pBar) const
{
    DWORD dwMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    if (pBar->GetFlags() & kFlagStretched)
        dwMode |= LM_STRETCH;
    if (pBar->GetFlags() & kFlagHideOverflow)
        dwMode |= kModeHideOverflow;
    return dwMode;
}

// ---------------------------------------------------------------------------
// Layout

CSize CVZPDockBar::CalcDockBarLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* lpLayout)
{
    const BOOL bHorz = (dwMode & LM_HORZ) != 0;
    const int nAlong = (dwMode & LM_STRETCH) ? 32767 : 0;
    CSize size = bHorz ? CSize(nAlong, 0) : CSize(0, nAlong);

    // The bars are children of this dock bar, not of the frame, so they are
    // moved through a deferred-positioning handle of their own; without the
    // frame's handle (a measuring pass) nothing moves.
    AFX_SIZEPARENTPARAMS layout = {};
    if (lpLayout != NULL && lpLayout->hDWP != NULL)
        layout.hDWP = ::BeginDeferWindowPos(GetEntryCount());

    int nOffset = 0;
    std::vector<CVZPToolBar*> row;
    for (int i = 1; i < GetEntryCount(); i++)
    {
        CVZPToolBar* pBar = m_arrBars[i];
        if (pBar != NULL)
        {
            if (pBar->IsVisible())
                row.push_back(pBar);
            continue;
        }
        if (!row.empty())
        {
            const int nThickness = LayoutRow(row, nOffset, nLength, bHorz, &layout);
            if (nThickness != 0)
            {
                nOffset += nThickness;
                if (bHorz)
                    size.cy = std::max((int)size.cy, nOffset);
                else
                    size.cx = std::max((int)size.cx, nOffset);
            }
            row.clear();
        }
    }

    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
    return size;
}

int CVZPDockBar::LayoutRow(std::vector<CVZPToolBar*> bars, int nOffset, int nLength, BOOL bHorz,
                           AFX_SIZEPARENTPARAMS* lpLayout)
{
    int nTotal = 0;
    for (;;)
    {
        std::vector<CVZPToolBar*> setAside;
        int nThickness = 0;
        CVZPToolBar* pFailed = NULL;
        while (!PlaceRow(bars, nOffset, nLength, bHorz, lpLayout, nThickness, pFailed))
        {
            bars.erase(std::find(bars.begin(), bars.end(), pFailed));
            setAside.push_back(pFailed);
        }
        nTotal += nThickness;
        nOffset += nThickness;
        if (setAside.empty())
            break;
        bars = setAside;
    }
    return nTotal;
}

BOOL CVZPDockBar::PlaceRow(const std::vector<CVZPToolBar*>& bars, int nOffset, int nLength, BOOL bHorz,
                           AFX_SIZEPARENTPARAMS* lpLayout, int& nThickness, CVZPToolBar*& pFailed)
{
    // Each bar at its full size, at the place it was dropped.
    std::vector<RowRecord> records;
    for (size_t i = 0; i < bars.size(); i++)
    {
        CVZPToolBar* pBar = bars[i];
        CSize size = pBar->CalcDockingLayout(nLength, GetLayoutMode(bHorz, pBar), 0);
        int nPrefStart = 0;
        if (pBar->m_pTracker != NULL)
            nPrefStart = bHorz ? pBar->m_pTracker->m_rcDocked.left : pBar->m_pTracker->m_rcDocked.top;
        RowRecord record = {pBar, nPrefStart, nPrefStart + Along(size, bHorz), nPrefStart, (int)i, 0, 0};
        records.push_back(record);
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const RowRecord& a, const RowRecord& b) { return a.nStart < b.nStart; });

    auto moveTo = [](RowRecord& record, int nStart) {
        record.nEnd += nStart - record.nStart;
        record.nStart = nStart;
    };

    // Of two overlapping bars the one listed earlier in the row (the one
    // dropped later) keeps its place: a later-listed bar on its right is
    // pushed right here...
    int nPrevEnd = 0;
    int nPrevIndex = -1;
    BOOL bPushing = TRUE;
    for (RowRecord& record : records)
    {
        if (record.nStart < nPrevEnd)
        {
            if (nPrevIndex < record.nIndex || bPushing)
            {
                moveTo(record, nPrevEnd);
                bPushing = TRUE;
            }
            else
                bPushing = FALSE;
        }
        else
            bPushing = FALSE;
        nPrevEnd = record.nEnd;
        nPrevIndex = record.nIndex;
    }

    // ...and one on its left is pushed left from the far end, as are bars
    // that run past it.
    int nLimit = nLength;
    nPrevIndex = -1;
    bPushing = TRUE;
    for (auto it = records.rbegin(); it != records.rend(); ++it)
    {
        RowRecord& record = *it;
        if (record.nEnd > nLimit)
        {
            if (nPrevIndex < record.nIndex || bPushing)
            {
                moveTo(record, record.nStart - (record.nEnd - nLimit));
                bPushing = TRUE;
            }
            else
                bPushing = FALSE;
        }
        else
            bPushing = FALSE;
        nLimit = record.nStart;
        nPrevIndex = record.nIndex;
    }

    // Nothing overlaps and nothing starts before the dock bar.
    nPrevEnd = 0;
    for (RowRecord& record : records)
    {
        if (record.nStart < nPrevEnd)
            moveTo(record, nPrevEnd);
        nPrevEnd = record.nEnd;
    }

    // A line too short: bars that hide their overflow shrink down to their
    // narrowest shape; the others need the whole length. When that is still
    // too much, the last bar has to go to a further line.
    if (!records.empty() && records.back().nEnd > nLength)
    {
        int nMinStart = 0;
        for (RowRecord& record : records)
        {
            const DWORD dwMode = GetLayoutMode(bHorz, record.pBar);
            record.nMinLength =
                (dwMode & kModeHideOverflow) ? Along(record.pBar->CalcDockingLayout(1, dwMode, 0), bHorz) : nLength;
            record.nMinStart = nMinStart;
            nMinStart += record.nMinLength;
        }
        int nEnd = nLength;
        for (auto it = records.rbegin(); it != records.rend(); ++it)
        {
            RowRecord& record = *it;
            int nStart = std::min(record.nPrefStart, record.nStart);
            nStart = std::max(nStart, record.nStart + (nEnd - record.nEnd));
            nStart = std::max(nStart, record.nMinStart);
            if (nEnd - nStart < record.nMinLength)
                nStart = nEnd - record.nMinLength;
            if (nStart < record.nMinStart && records.size() > 1)
            {
                pFailed = records.back().pBar;
                return FALSE;
            }
            record.nStart = std::max(nStart, 0);
            record.nEnd = nEnd;
            nEnd = record.nStart;
        }
    }

    // Every bar of the line gets the line's thickness across.
    nThickness = 0;
    for (const RowRecord& record : records)
    {
        CSize size = record.pBar->CalcDockingLayout(record.nEnd - record.nStart, GetLayoutMode(bHorz, record.pBar), 0);
        nThickness = std::max(nThickness, Across(size, bHorz));
    }

    for (size_t i = 0; i < records.size(); i++)
    {
        RowRecord& record = records[i];
        CVZPToolBar* pBar = record.pBar;
        DWORD dwMode = GetLayoutMode(bHorz, pBar) | LM_COMMIT;
        if (pBar->GetFlags() & kFlagFillLine)
        {
            record.nStart = i > 0 ? records[i - 1].nEnd : 0;
            record.nEnd = i + 1 < records.size() ? records[i + 1].nStart : nLength;
            dwMode |= LM_STRETCH;
        }
        CSize size = pBar->CalcDockingLayout(record.nEnd - record.nStart, dwMode, nThickness);
        record.nEnd = record.nStart + Along(size, bHorz);
        CRect rect = bHorz ? CRect(CPoint(record.nStart, nOffset), size) : CRect(CPoint(nOffset, record.nStart), size);
        if (pBar->m_pTracker != NULL)
            pBar->m_pTracker->m_nDockIndex = GetPosition();
        if (pBar->GetSafeHwnd() != NULL)
        {
            AfxRepositionWindow(lpLayout, pBar->m_hWnd, &rect);
            pBar->Invalidate(FALSE);
        }
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Messages

LRESULT CVZPDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    const BOOL bHorz = IsHorizontal();
    DWORD dwMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    if (lpLayout->bStretch)
        dwMode |= LM_STRETCH;

    CRect rect(lpLayout->rect);
    const CSize sizeAvail(std::max(0, rect.Width()), std::max(0, rect.Height()));
    CSize size = CalcDockBarLayout(bHorz ? sizeAvail.cx : sizeAvail.cy, dwMode, lpLayout);
    size.cx = std::min(size.cx, sizeAvail.cx);
    size.cy = std::min(size.cy, sizeAvail.cy);

    if (bHorz)
    {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
        if (GetPosition() == 0)
        {
            rect.bottom = rect.top + size.cy;
            lpLayout->rect.top += size.cy;
        }
        else
        {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
        rect.right = rect.left + size.cx;
    }
    else
    {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
        if (GetPosition() == 2)
        {
            rect.right = rect.left + size.cx;
            lpLayout->rect.left += size.cx;
        }
        else
        {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
        rect.bottom = rect.top + size.cy;
    }

    if (lpLayout->hDWP != NULL)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    Invalidate(FALSE);
    return 0;
}

void CVZPDockBar::OnPaint()
{
    CPaintDC dc(this);
    if (m_pCommandBars != NULL)
        m_pCommandBars->GetPaintManager()->FillDockBar(&dc, this);
}

LRESULT CVZPDockBar::OnPrint(WPARAM wParam, LPARAM lParam)
{
    HDC hDC = (HDC)wParam;
    const DWORD dwType = hDC != NULL ? ::GetObjectType(hDC) : 0;
    if (dwType != OBJ_DC && dwType != OBJ_MEMDC && dwType != OBJ_ENHMETADC && dwType != OBJ_METADC)
        return 1;
    CDC* pDC = CDC::FromHandle(hDC);
    if (m_pCommandBars != NULL)
        m_pCommandBars->GetPaintManager()->FillDockBar(pDC, this);
    if ((lParam & PRF_CHILDREN) == 0)
        return 1;

    // Each child prints at its own place, relative to where the caller put
    // this dock bar in the DC.
    const CPoint ptOrigin = pDC->GetViewportOrg();
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    for (CWnd* pChild = GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT))
    {
        if ((pChild->GetStyle() & WS_VISIBLE) == 0)
            continue;
        CRect rect(rectWindow);
        pChild->ScreenToClient(&rect);
        pDC->SetViewportOrg(ptOrigin.x - rect.left, ptOrigin.y - rect.top);
        pChild->SendMessage(WM_PRINT, wParam, lParam);
    }
    pDC->SetViewportOrg(ptOrigin);
    return 1;
}

BOOL CVZPDockBar::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CVZPDockBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    ClientToScreen(&point);
    if (m_pCommandBars != NULL)
        m_pCommandBars->ContextMenu(NULL, point.x, point.y);
}
