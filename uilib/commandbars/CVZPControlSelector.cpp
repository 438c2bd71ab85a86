#include "CVZPControlSelector.h"

#include "CVZPColorManager.h"
#include "CVZPCommandBar.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPPropExchange.h"

#include <algorithm>

IMPLEMENT_SERIAL(CVZPControlSelector, CVZPControl, VERSIONABLE_SCHEMA | 0x10)

CVZPControlSelector::CVZPControlSelector()
    : m_szItemsCount(5, 4), m_szItemsMax(12, 12), m_szSelection(0, 0), m_szItem(28, 28), m_szResult(0, 0),
      m_szGrid(5, 4), m_bGrowing(FALSE)
{
}

CVZPControlSelector::~CVZPControlSelector()
{
}

CSize CVZPControlSelector::GetSize(CDC* /*pDC*/)
{
    return CSize(m_szGrid.cx * m_szItem.cx, m_szGrid.cy * m_szItem.cy);
}

void CVZPControlSelector::Draw(CDC* pDC)
{
    CVZPCommandBarPaintManager* pPaintManager = GetPaintManager();
    const CRect rc = GetRect();
    for (int i = 0; i < m_szGrid.cx; i++)
        for (int j = 0; j < m_szGrid.cy; j++)
        {
            CRect rcItem(rc.left + i * m_szItem.cx, rc.top + j * m_szItem.cy, rc.left + (i + 1) * m_szItem.cx,
                         rc.top + (j + 1) * m_szItem.cy);
            rcItem.DeflateRect(1, 1);
            const BOOL bSelected = i < m_szSelection.cx && j < m_szSelection.cy;
            pDC->FillSolidRect(rcItem, GetColorManager()->GetColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            const COLORREF clrText =
                bSelected ? GetColorManager()->GetColor(COLOR_HIGHLIGHTTEXT) : pPaintManager->GetColor(46);
            const COLORREF clrFrame = pPaintManager->GetColor(43);
            pDC->FillSolidRect(rcItem.left, rcItem.top, rcItem.Width(), 1, clrFrame);
            pDC->FillSolidRect(rcItem.left, rcItem.bottom - 1, rcItem.Width(), 1, clrFrame);
            pDC->FillSolidRect(rcItem.left, rcItem.top, 1, rcItem.Height(), clrFrame);
            pDC->FillSolidRect(rcItem.right - 1, rcItem.top, 1, rcItem.Height(), clrFrame);
            DrawItem(pDC, rcItem, clrText);
        }
}

void CVZPControlSelector::DrawItem(CDC* /*pDC*/, CRect /*rcItem*/, COLORREF /*clrText*/)
{
}

void CVZPControlSelector::SetSelection(int nColumns, int nRows, BOOL bForce)
{
    if (!bForce && m_szSelection == CSize(nColumns, nRows))
        return;
    m_szSelection = CSize(nColumns, nRows);
    RedrawParent();
    NotifySite(notifySelectionChanged);
}

void CVZPControlSelector::OnMouseMove(CPoint point)
{
    const CRect rc = GetRect();
    int nColumns = 0;
    while (nColumns < m_szGrid.cx && rc.left + nColumns * m_szItem.cx < point.x)
        nColumns++;
    int nRows = 0;
    while (nRows < m_szGrid.cy && rc.top + nRows * m_szItem.cy < point.y)
        nRows++;
    SetSelection(nColumns, nRows, FALSE);
}

void CVZPControlSelector::OnLButtonUp(CPoint /*point*/)
{
    if (m_szSelection.cx == 0 && m_szSelection.cy == 0)
        return;
    m_szResult = m_szSelection;
    OnExecute();
}

BOOL CVZPControlSelector::SetSelected(int bSelected)
{
    CVZPCommandBar* pParent = GetParent();
    if (bSelected == 0 && pParent != NULL)
    {
        // Where the pointer was when the message being handled was sent:
        // Wine may still report the place before the move that made the
        // pointer leave the control.
        const DWORD dwPos = ::GetMessagePos();
        CPoint pt((short)LOWORD(dwPos), (short)HIWORD(dwPos));
        if (pParent->GetSafeHwnd() != NULL)
            pParent->ScreenToClient(&pt);
        const CRect rc = GetRect();
        CSize szGrid = m_szGrid;
        if (::GetKeyState(VK_LBUTTON) < 0)
        {
            if (pt.x >= rc.right)
                szGrid.cx = std::min<int>((pt.x - rc.left) / m_szItem.cx + 1, m_szItemsMax.cx);
            if (pt.y >= rc.bottom)
                szGrid.cy = std::min<int>((pt.y - rc.top) / m_szItem.cy + 1, m_szItemsMax.cy);
        }
        if (szGrid == m_szGrid)
            SetSelection(0, 0, FALSE);
        else
        {
            m_szGrid = szGrid;
            SetSelection(m_szSelection.cx, m_szSelection.cy, TRUE);
            m_bGrowing = TRUE;
            pParent->OnRecalcLayout();
            m_bGrowing = FALSE;
            OnMouseMove(pt);
        }
    }
    return CVZPControl::SetSelected(bSelected);
}

void CVZPControlSelector::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    if (!m_bGrowing)
    {
        m_szSelection = CSize(0, 0);
        m_szGrid = m_szItemsCount;
    }
    SetSelection(m_szSelection.cx, m_szSelection.cy, TRUE);
}

void CVZPControlSelector::DoPropExchange(CVZPPropExchange* pPX)
{
    CVZPControl::DoPropExchange(pPX);
    PropExchangeSize(pPX, L"ItemsCount", &m_szItemsCount, CSize(5, 4));
    PropExchangeSize(pPX, L"ItemsMax", &m_szItemsMax, CSize(12, 12));
    PropExchangeSize(pPX, L"ItemSize", &m_szItem, CSize(28, 28));
}

void CVZPControlSelector::Copy(CVZPControl* pControl, BOOL bRecursive)
{
    CVZPControl::Copy(pControl, bRecursive);
    CVZPControlSelector* pSelector = DYNAMIC_DOWNCAST(CVZPControlSelector, pControl);
    if (pSelector == NULL)
        return;
    m_szItemsCount = pSelector->m_szItemsCount;
    m_szItemsMax = pSelector->m_szItemsMax;
    m_szItem = pSelector->m_szItem;
}
