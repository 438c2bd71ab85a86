#include "CVZPTabManager.h"

#include <windowsx.h>

#include "CVZPTabAppearanceSet.h"
#include "CVZPTooltipService.h"
#include "VZPDrawHelpers.h"

IMPLEMENT_DYNAMIC(CVZPTabManagerItem, CCmdTarget)

namespace {

// The quit request that ended a capture loop goes back into the queue, so
// the application still ends.
void RepostQuit(const MSG& msg)
{
    AfxPostQuitMessage(int(msg.wParam));
}

BOOL IsArrowOrNavigationKey(UINT nKey)
{
    return nKey == VK_HOME || nKey == VK_END || nKey == VK_LEFT || nKey == VK_RIGHT || nKey == VK_UP ||
           nKey == VK_DOWN;
}

CVZPTabManagerNavigateButton::PFNTICKSOURCE g_pfnTickSource = NULL;

DWORD CurrentTick()
{
    return g_pfnTickSource != NULL ? g_pfnTickSource() : ::GetTickCount();
}

}  // namespace

// --- item -----------------------------------------------------------------

CVZPTabManagerItem::CVZPTabManagerItem()
    : m_nLength(0), m_nNaturalLength(0), m_nSpare1(-1), m_nIndex(-1), m_nSpare2(0), m_bEnabled(TRUE),
      m_bVisible(TRUE), m_hWnd(NULL), m_dwImage(0), m_pData(NULL), m_rcItem(0, 0, 0, 0), m_clrItem(0),
      m_pOwner(NULL), m_nRow(0), m_bClosable(TRUE)
{
    EnableAutomation();
}

CVZPTabManagerItem::~CVZPTabManagerItem()
{
}

void CVZPTabManagerItem::SetCaption(LPCWSTR lpszCaption)
{
    if (m_strCaption == lpszCaption)
        return;
    m_strCaption = lpszCaption;
    if (m_pOwner != NULL)
        m_pOwner->Reposition();
}

void CVZPTabManagerItem::SetColor(COLORREF clr)
{
    m_clrItem = clr;
    if (m_pOwner != NULL)
        m_pOwner->RedrawControl();
}

CString CVZPTabManagerItem::GetCaption() const
{
    return m_pOwner != NULL ? m_pOwner->GetItemCaption(this) : m_strCaption;
}

COLORREF CVZPTabManagerItem::GetColor() const
{
    return m_pOwner != NULL ? m_pOwner->GetItemColor(this) : CVZPTabPaintManager::GetAutoColor(int(m_clrItem));
}

void CVZPTabManagerItem::Remove()
{
    if (m_pOwner != NULL)
        m_pOwner->DeleteItem(m_nIndex);
}

// --- rows -----------------------------------------------------------------

CVZPTabManagerRows::CVZPTabManagerRows(CVZPTabManager* pOwner) : m_pRows(NULL), m_nCount(0), m_pOwner(pOwner)
{
    SetSize(1);
}

CVZPTabManagerRows::~CVZPTabManagerRows()
{
    delete[] m_pRows;
}

void CVZPTabManagerRows::SetSize(int nRows)
{
    if (nRows < 0)
        nRows = 0;
    if (nRows != m_nCount)
    {
        delete[] m_pRows;
        m_pRows = nRows > 0 ? new VZPTabRow[nRows]() : NULL;
        m_nCount = nRows;
    }
    if (nRows > 0)
    {
        m_pRows[0].nFirst = 0;
        m_pRows[0].nLast = m_pOwner != NULL ? m_pOwner->GetItemCount() - 1 : -1;
    }
}

// --- navigate buttons -----------------------------------------------------

CVZPTabManagerNavigateButton::CVZPTabManagerNavigateButton(CVZPTabManager* pOwner, int nId, int nDisplayMode)
    : m_nId(nId), m_nDisplayMode(nDisplayMode), m_nWidth(14), m_nHeight(15), m_pOwner(pOwner),
      m_rcButton(0, 0, 0, 0), m_bEnabled(TRUE), m_bPressed(FALSE), m_bHot(FALSE)
{
}

CVZPTabManagerNavigateButton::~CVZPTabManagerNavigateButton()
{
}

void CVZPTabManagerNavigateButton::SetTickSourceForTest(PFNTICKSOURCE pfn)
{
    g_pfnTickSource = pfn;
}

BOOL CVZPTabManagerNavigateButton::IsVerticalStrip() const
{
    return !m_pOwner->IsHorizontalPosition();
}

BOOL CVZPTabManagerNavigateButton::IsShown()
{
    return m_nDisplayMode == vzpTabNavigateAlways ||
           (m_nDisplayMode == vzpTabNavigateAutomatic && m_pOwner->IsNavigateButtonVisible(this));
}

void CVZPTabManagerNavigateButton::AdjustLength(int* pnLength)
{
    if (IsShown())
        *pnLength -= IsVerticalStrip() ? m_nHeight : m_nWidth;
}

void CVZPTabManagerNavigateButton::PlaceAtHeaderEnd(RECT* pHeader)
{
    if (!IsVerticalStrip())
    {
        int cy = (pHeader->top + pHeader->bottom) / 2;
        m_rcButton.SetRect(pHeader->right - m_nWidth, cy + m_nHeight / 2 - m_nHeight, pHeader->right,
                           cy + m_nHeight / 2);
        pHeader->right -= m_nWidth;
    }
    else
    {
        int cx = (pHeader->left + pHeader->right) / 2;
        m_rcButton.SetRect(cx - m_nWidth / 2, pHeader->bottom - m_nHeight, cx + m_nWidth - m_nWidth / 2,
                           pHeader->bottom);
        pHeader->bottom -= m_nHeight;
    }
}

void CVZPTabManagerNavigateButton::Reposition(RECT* pHeader)
{
    if (IsShown())
        PlaceAtHeaderEnd(pHeader);
    else
        m_rcButton.SetRectEmpty();
}

void CVZPTabManagerNavigateButton::OnExecute(BOOL /*bTick*/)
{
}

void CVZPTabManagerNavigateButton::PerformClick(HWND hWnd, int x, int y)
{
    if (::GetCapture() != NULL || !m_bEnabled)
        return;

    ::SetCapture(hWnd);
    BOOL bResult = FALSE;
    DWORD dwTick = CurrentTick();
    CPoint pt(x, y);
    for (;;)
    {
        if (m_bEnabled && CurrentTick() - dwTick > 20)
        {
            dwTick = CurrentTick();
            OnExecute(TRUE);
        }
        BOOL bPressed = m_rcButton.PtInRect(pt);
        if (bPressed != m_bPressed)
        {
            m_bPressed = bPressed;
            m_pOwner->RedrawControl();
        }

        MSG msg;
        if (!::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE))
            continue;
        if (!::GetMessageW(&msg, NULL, 0, 0))
        {
            RepostQuit(msg);
            break;
        }
        if (::GetCapture() != hWnd)
        {
            ::DispatchMessageW(&msg);
            break;
        }
        if (msg.message == WM_CANCELMODE || msg.message == WM_RBUTTONDOWN ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR ||
            msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP)
            continue;
        if (msg.message == WM_MOUSEMOVE)
        {
            pt = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            continue;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            bResult = m_bPressed;
            break;
        }
        ::DispatchMessageW(&msg);
    }

    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bPressed = FALSE;
    m_pOwner->PerformMouseMove(hWnd, pt.x, pt.y);
    m_pOwner->RedrawControl();
    if (bResult)
        OnExecute(FALSE);
}

void CVZPTabManagerNavigateButton::PerformMouseMove(HWND hWnd, int x, int y)
{
    BOOL bInside = m_rcButton.PtInRect(CPoint(x, y));
    if (!bInside && m_bHot)
    {
        m_bHot = FALSE;
        m_pOwner->RedrawControl();
    }
    else if (bInside && m_bEnabled && !m_bHot)
    {
        m_bHot = TRUE;
        m_pOwner->RedrawControl();
        CVZPTabManager::TrackMouseLeave(hWnd);
    }
}

void CVZPTabManagerNavigateButton::Draw(CDC* pDC)
{
    if (m_rcButton.IsRectEmpty())
        return;
    CVZPTabPaintManager* pPaintManager = m_pOwner->GetPaintManager();
    CRect rc = m_rcButton;
    if (pPaintManager != NULL)
        pPaintManager->FillNavigateButton(pDC, this, &rc);

    CPen pen(PS_SOLID, 1, pDC->GetTextColor());
    CPen* pOldPen = pDC->SelectObject(&pen);
    CBrush brush;
    CGdiObject* pOldBrush;
    if (m_bEnabled)
    {
        brush.CreateSolidBrush(pDC->GetTextColor());
        pOldBrush = pDC->SelectObject(&brush);
    }
    else
    {
        pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    }
    DrawGlyph(pDC, rc);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

CVZPTabManagerScrollBackButton::CVZPTabManagerScrollBackButton(CVZPTabManager* pOwner)
    : CVZPTabManagerNavigateButton(pOwner, vzpTabNavigateBack, vzpTabNavigateAutomatic)
{
}

void CVZPTabManagerScrollBackButton::AdjustLength(int* pnLength)
{
    if (m_nDisplayMode == vzpTabNavigateAlways)
        *pnLength -= IsVerticalStrip() ? m_nHeight : m_nWidth;
}

void CVZPTabManagerScrollBackButton::PlaceScrollButton(RECT* pHeader)
{
    CVZPTabPaintManager* pPaintManager = m_pOwner->GetPaintManager();
    int nStyle = pPaintManager != NULL ? pPaintManager->GetLayoutStyle() : vzpTabLayoutCaptionWidth;
    if (nStyle == vzpTabLayoutMultiRow)
    {
        m_rcButton.SetRectEmpty();
        return;
    }
    if (m_nDisplayMode != vzpTabNavigateAutomatic)
    {
        CVZPTabManagerNavigateButton::Reposition(pHeader);
        return;
    }
    if (nStyle == vzpTabLayoutShrinkToFit)
    {
        m_rcButton.SetRectEmpty();
        return;
    }
    int nAvailable = IsVerticalStrip() ? pHeader->bottom - pHeader->top : pHeader->right - pHeader->left;
    int nMarginLeft = pPaintManager != NULL ? pPaintManager->GetAppearanceSet()->GetHeaderMargin().left : 0;
    int nOffset = m_pOwner->GetScrollOffset();
    if (m_pOwner->GetItemsLength() + nOffset - nMarginLeft - 1 > nAvailable || nOffset < 0)
        PlaceAtHeaderEnd(pHeader);
    else
        m_rcButton.SetRectEmpty();
}

void CVZPTabManagerScrollBackButton::Reposition(RECT* pHeader)
{
    m_bEnabled = m_pOwner->GetScrollOffset() < 0;
    PlaceScrollButton(pHeader);
}

void CVZPTabManagerScrollBackButton::DrawGlyph(CDC* pDC, CRect rc)
{
    CPoint c((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    if (!IsVerticalStrip())
    {
        POINT pts[3] = { { c.x + 2, c.y - 5 }, { c.x - 2, c.y - 1 }, { c.x + 2, c.y + 3 } };
        pDC->Polygon(pts, 3);
    }
    else
    {
        POINT pts[3] = { { c.x - 5, c.y + 2 }, { c.x - 1, c.y - 2 }, { c.x + 3, c.y + 2 } };
        pDC->Polygon(pts, 3);
    }
}

void CVZPTabManagerScrollBackButton::OnExecute(BOOL bTick)
{
    if (bTick)
        m_pOwner->ScrollByStep(FALSE);
}

CVZPTabManagerScrollForwardButton::CVZPTabManagerScrollForwardButton(CVZPTabManager* pOwner)
    : CVZPTabManagerScrollBackButton(pOwner)
{
    m_nId = vzpTabNavigateForward;
}

void CVZPTabManagerScrollForwardButton::Reposition(RECT* pHeader)
{
    int nAvailable = IsVerticalStrip() ? pHeader->bottom - pHeader->top : pHeader->right - pHeader->left;
    m_bEnabled = (nAvailable - 28) < (m_pOwner->GetScrollOffset() + m_pOwner->GetItemsLength());
    PlaceScrollButton(pHeader);
}

void CVZPTabManagerScrollForwardButton::DrawGlyph(CDC* pDC, CRect rc)
{
    CPoint c((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    if (!IsVerticalStrip())
    {
        POINT pts[3] = { { c.x - 2, c.y - 5 }, { c.x + 2, c.y - 1 }, { c.x - 2, c.y + 3 } };
        pDC->Polygon(pts, 3);
    }
    else
    {
        POINT pts[3] = { { c.x - 5, c.y - 2 }, { c.x - 1, c.y + 2 }, { c.x + 3, c.y - 2 } };
        pDC->Polygon(pts, 3);
    }
}

void CVZPTabManagerScrollForwardButton::OnExecute(BOOL bTick)
{
    if (bTick)
        m_pOwner->ScrollByStep(TRUE);
}

CVZPTabManagerCloseButton::CVZPTabManagerCloseButton(CVZPTabManager* pOwner)
    : CVZPTabManagerNavigateButton(pOwner, vzpTabNavigateClose, vzpTabNavigateHidden)
{
}

void CVZPTabManagerCloseButton::DrawGlyph(CDC* pDC, CRect rc)
{
    pDC->MoveTo(rc.left + 3, rc.top + 3);
    pDC->LineTo(rc.right - 4, rc.bottom - 5);
    pDC->MoveTo(rc.left + 4, rc.top + 3);
    pDC->LineTo(rc.right - 3, rc.bottom - 5);
    pDC->MoveTo(rc.left + 3, rc.bottom - 6);
    pDC->LineTo(rc.right - 4, rc.top + 2);
    pDC->MoveTo(rc.left + 4, rc.bottom - 6);
    pDC->LineTo(rc.right - 3, rc.top + 2);
}

void CVZPTabManagerCloseButton::OnExecute(BOOL bTick)
{
    if (!bTick)
        m_pOwner->OnNavigateButtonClick(m_nId);
}

// --- manager --------------------------------------------------------------

CVZPTabManager::CVZPTabManager()
    : m_pSelected(NULL), m_pHot(NULL), m_nScrollOffset(0), m_bAllowReorder(TRUE), m_bActive(TRUE),
      m_szNormal(70, 18), m_szMin(0, 0), m_szMax(0, 0), m_rcHeader(0, 0, 0, 0), m_rcControl(0, 0, 0, 0),
      m_rcClient(0, 0, 0, 0), m_pRows(NULL), m_nScrollStep(20)
{
    m_pRows = new CVZPTabManagerRows(this);
    m_arrButtons.Add(new CVZPTabManagerScrollBackButton(this));
    m_arrButtons.Add(new CVZPTabManagerScrollForwardButton(this));
    m_arrButtons.Add(new CVZPTabManagerCloseButton(this));
}

CVZPTabManager::~CVZPTabManager()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        m_arrItems[i]->InternalRelease();
    m_arrItems.RemoveAll();
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++)
        delete m_arrButtons[i];
    m_arrButtons.RemoveAll();
    delete m_pRows;
    m_themeTab.Close();
}

CString CVZPTabManager::GetItemCaption(const CVZPTabManagerItem* pItem) const
{
    return pItem->m_strCaption;
}

DWORD CVZPTabManager::GetItemImage(const CVZPTabManagerItem* pItem) const
{
    return pItem->m_dwImage;
}

COLORREF CVZPTabManager::GetItemColor(const CVZPTabManagerItem* pItem) const
{
    return CVZPTabPaintManager::GetAutoColor(int(pItem->m_clrItem));
}

CString CVZPTabManager::GetItemTooltip(const CVZPTabManagerItem* pItem) const
{
    return pItem->m_strTooltip;
}

void CVZPTabManager::OnItemsChanged()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        m_arrItems[i]->m_nIndex = int(i);
    Reposition();
}

void CVZPTabManager::SetSelectedItem(CVZPTabManagerItem* pItem)
{
    if (pItem == m_pSelected)
        return;
    m_pSelected = pItem;
    Reposition();
    CVZPTabPaintManager* pPaintManager = GetPaintManager();
    if (pItem != NULL && pPaintManager != NULL)
        pPaintManager->ScrollTabIntoView(this, pItem);
}

void CVZPTabManager::ClickItem(CVZPTabManagerItem* pItem)
{
    if (pItem != NULL)
        OnItemClick(pItem);
}

void CVZPTabManager::GetItemMetrics(CSize* pszNormal, CSize* pszMin, CSize* pszMax) const
{
    if (pszNormal != NULL)
        *pszNormal = m_szNormal;
    if (pszMin != NULL)
        *pszMin = m_szMin;
    if (pszMax != NULL)
        *pszMax = m_szMax;
}

void CVZPTabManager::OnHook(int /*nArgument*/)
{
}

BOOL CVZPTabManager::IsAllowReorder() const
{
    return m_bAllowReorder;
}

void CVZPTabManager::SetAllowReorder(BOOL bAllow)
{
    m_bAllowReorder = bAllow;
}

BOOL CVZPTabManager::HasStaticFrame() const
{
    CVZPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL && pPaintManager->m_bStaticFrame;
}

int CVZPTabManager::GetPosition() const
{
    CVZPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL ? pPaintManager->GetTabPosition() : vzpTabPositionTop;
}

BOOL CVZPTabManager::IsHorizontalPosition() const
{
    int nPosition = GetPosition();
    return nPosition == vzpTabPositionTop || nPosition == vzpTabPositionBottom;
}

BOOL CVZPTabManager::IsHotTracking() const
{
    CVZPTabPaintManager* pPaintManager = GetPaintManager();
    return pPaintManager != NULL && pPaintManager->m_bHotTracking;
}

void CVZPTabManager::ScrollByStep(BOOL bForward)
{
    SetScrollOffset(bForward ? m_nScrollOffset - m_nScrollStep : m_nScrollOffset + m_nScrollStep);
}

BOOL CVZPTabManager::IsNavigateButtonVisible(CVZPTabManagerNavigateButton* pButton)
{
    if (pButton->m_nId != vzpTabNavigateClose)
        return TRUE;
    return m_pSelected != NULL && m_pSelected->m_bClosable;
}

void CVZPTabManager::OnItemClick(CVZPTabManagerItem* pItem)
{
    SetSelectedItem(pItem);
}

void CVZPTabManager::OnNavigateButtonClick(int /*nId*/)
{
}

BOOL CVZPTabManager::IsMouseLocked() const
{
    return FALSE;
}

BOOL CVZPTabManager::IsFocused() const
{
    return FALSE;
}

CVZPTabManagerItem* CVZPTabManager::GetItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetItemCount() ? m_arrItems[nIndex] : NULL;
}

CVZPTabManagerItem* CVZPTabManager::InsertItem(int nIndex, CVZPTabManagerItem* pItem)
{
    if (pItem == NULL)
        pItem = new CVZPTabManagerItem;
    pItem->m_pOwner = this;
    if (nIndex < 0 || nIndex > GetItemCount())
        nIndex = GetItemCount();
    m_arrItems.InsertAt(nIndex, pItem);

    // The counter belongs to the paint manager: strips sharing one continue
    // one sequence of colours.
    CVZPTabPaintManager* pPaintManager = GetPaintManager();
    int nCounter = pPaintManager != NULL ? pPaintManager->m_nColorCounter : 0;
    pItem->m_clrItem = COLORREF(0x1000000 + nCounter % 8);
    if (pPaintManager != NULL)
        pPaintManager->m_nColorCounter++;

    OnItemsChanged();
    return pItem;
}

BOOL CVZPTabManager::DeleteItem(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return FALSE;
    CVZPTabManagerItem* pItem = m_arrItems[nIndex];
    BOOL bSelected = pItem == m_pSelected;
    // A later item at the same address must not be drawn hot.
    if (pItem == m_pHot)
        m_pHot = NULL;
    m_arrItems.RemoveAt(nIndex);
    pItem->InternalRelease();
    if (bSelected)
    {
        int nCount = GetItemCount();
        if (nCount == 0)
            SetSelectedItem(NULL);
        else
            SetSelectedItem(m_arrItems[nIndex < nCount ? nIndex : nCount - 1]);
    }
    OnItemsChanged();
    return TRUE;
}

void CVZPTabManager::DeleteAllItems()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        m_arrItems[i]->InternalRelease();
    m_arrItems.RemoveAll();
    m_pSelected = NULL;
    m_pHot = NULL;
    OnItemsChanged();
}

CVZPTabManagerNavigateButton* CVZPTabManager::FindNavigateButton(int nId) const
{
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++)
        if (m_arrButtons[i]->m_nId == nId)
            return m_arrButtons[i];
    return NULL;
}

void CVZPTabManager::SetScrollOffset(int nOffset)
{
    if (nOffset > 0)
        nOffset = 0;
    if (nOffset == m_nScrollOffset)
        return;
    m_nScrollOffset = nOffset;
    Reposition();
}

int CVZPTabManager::GetItemsLength() const
{
    CVZPTabPaintManager* pPaintManager = GetPaintManager();
    if (pPaintManager != NULL && pPaintManager->GetLayoutStyle() == vzpTabLayoutRotated)
        return GetItemCount() * pPaintManager->GetAppearanceSet()->GetTabRowHeight(const_cast<CVZPTabManager*>(this));
    int nLength = 0;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        nLength += m_arrItems[i]->m_nLength;
    return nLength;
}

CVZPTabManagerItem* CVZPTabManager::HitTest(int x, int y) const
{
    CPoint pt(x, y);
    if (!m_rcControl.PtInRect(pt))
        return NULL;
    if (!m_rcHeader.IsRectEmpty() && !m_rcHeader.PtInRect(pt))
        return NULL;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
    {
        CVZPTabManagerItem* pItem = m_arrItems[i];
        if (pItem->m_rcItem.PtInRect(pt) && pItem->m_bEnabled && pItem->m_bVisible)
            return pItem;
    }
    return NULL;
}

CVZPTabManagerItem* CVZPTabManager::FindNextFocusable(int nIndex, int nStep) const
{
    for (;;)
    {
        nIndex += nStep;
        CVZPTabManagerItem* pItem = GetItem(nIndex);
        if (pItem == NULL)
            return NULL;
        if (pItem->m_bVisible && pItem->m_bEnabled)
            return pItem;
    }
}

BOOL CVZPTabManager::OnKeyDown(HWND hWnd, UINT nVirtKey)
{
    int nCount = GetItemCount();
    if (nCount == 0)
        return FALSE;
    if (hWnd != NULL && (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
    {
        if (nVirtKey == VK_LEFT)
            nVirtKey = VK_RIGHT;
        else if (nVirtKey == VK_RIGHT)
            nVirtKey = VK_LEFT;
    }
    if (!IsArrowOrNavigationKey(nVirtKey))
        return FALSE;

    BOOL bHorizontal = IsHorizontalPosition();
    int nSelected = m_pSelected != NULL ? m_pSelected->m_nIndex : -1;
    BOOL bPrevious = (bHorizontal && nVirtKey == VK_LEFT) || (!bHorizontal && nVirtKey == VK_UP);
    BOOL bNext = (bHorizontal && nVirtKey == VK_RIGHT) || (!bHorizontal && nVirtKey == VK_DOWN);
    CVZPTabManagerItem* pTarget = NULL;
    if (nVirtKey == VK_HOME)
        pTarget = FindNextFocusable(-1, +1);
    else if (nVirtKey == VK_END)
        pTarget = FindNextFocusable(nCount, -1);
    else if (bPrevious && m_pSelected != NULL && nSelected > 0)
        pTarget = FindNextFocusable(nSelected, -1);
    else if (bNext && m_pSelected != NULL && nSelected < nCount - 1)
        pTarget = FindNextFocusable(nSelected, +1);
    ClickItem(pTarget);
    return TRUE;
}

BOOL CVZPTabManager::PerformClick(HWND hWnd, int x, int y, BOOL bButtonsOnly)
{
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++)
    {
        CVZPTabManagerNavigateButton* pButton = m_arrButtons[i];
        if (pButton->m_rcButton.PtInRect(CPoint(x, y)))
        {
            pButton->PerformClick(hWnd, x, y);
            return TRUE;
        }
    }
    if (bButtonsOnly)
        return FALSE;
    CVZPTabManagerItem* pItem = HitTest(x, y);
    if (pItem == NULL)
        return FALSE;
    if (IsAllowReorder())
        ReorderItem(hWnd, x, y, pItem);
    else
        OnItemClick(pItem);
    return TRUE;
}

void CVZPTabManager::TrackMouseLeave(HWND hWnd)
{
    TRACKMOUSEEVENT tme = { sizeof(tme), TME_LEAVE, hWnd, 0 };
    ::_TrackMouseEvent(&tme);
}

void CVZPTabManager::PerformMouseMove(HWND hWnd, int x, int y)
{
    if (!IsTopParentActive(hWnd) || IsMouseLocked())
        return;
    if (IsHotTracking())
    {
        CVZPTabManagerItem* pHot = HitTest(x, y);
        if (pHot != m_pHot)
        {
            m_pHot = pHot;
            RedrawControl();
            if (pHot != NULL)
                TrackMouseLeave(hWnd);
        }
    }
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++)
        m_arrButtons[i]->PerformMouseMove(hWnd, x, y);
}

void CVZPTabManager::ReorderItem(HWND hWnd, int x, int y, CVZPTabManagerItem* pItem)
{
    CVZPTabManagerItem* pRemembered = m_pSelected;
    m_pSelected = pItem;
    if (IsHotTracking())
        m_pHot = pItem;
    Reposition();

    CArray<CRect, const CRect&> arrSlots;
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); i++)
        arrSlots.Add(m_arrItems[i]->m_rcItem);

    CPoint pt(x, y);
    ::SetCapture(hWnd);
    MSG msg;
    for (;;)
    {
        if (!::GetMessageW(&msg, NULL, 0, 0))
        {
            RepostQuit(msg);
            break;
        }
        if (::GetCapture() != hWnd)
        {
            ::DispatchMessageW(&msg);
            break;
        }
        if (msg.message == WM_CANCELMODE || msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONDOWN ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR ||
            msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP)
            continue;
        if (msg.message == WM_MOUSEMOVE)
        {
            pt = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            for (INT_PTR i = 0; i < arrSlots.GetSize(); i++)
            {
                if (int(i) == pItem->m_nIndex || !arrSlots[i].PtInRect(pt))
                    continue;
                m_arrItems[pItem->m_nIndex] = m_arrItems[i];
                m_arrItems[i] = pItem;
                OnItemsChanged();
                break;
            }
            continue;
        }
        ::DispatchMessageW(&msg);
    }

    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    PerformMouseMove(hWnd, pt.x, pt.y);
    m_pSelected = pRemembered;
    OnItemClick(pItem);
}

INT_PTR CVZPTabManager::GetItemToolTip(HWND hWnd, CVZPTabManagerItem* pItem, TOOLINFO* pTI) const
{
    CVZPTabPaintManager* pPaintManager = GetPaintManager();
    if (pItem == NULL || pPaintManager == NULL || pPaintManager->m_nTooltipMode == 0)
        return -1;
    if (pPaintManager->m_nTooltipMode == 2 && pItem->m_nLength >= pItem->m_nNaturalLength)
        return -1;
    CString strTip = GetItemTooltip(pItem);
    if (strTip.IsEmpty())
        return -1;
    CString strCaption = GetItemCaption(pItem);
    const CRect& rc = pItem->m_rcItem;
    CVZPTooltipService::FillToolInfo(pTI, hWnd, rc.left, rc.top, rc.right, rc.bottom, UINT_PTR(pItem->m_nIndex),
                                     strTip, strCaption, strTip);
    return pItem->m_nIndex;
}
