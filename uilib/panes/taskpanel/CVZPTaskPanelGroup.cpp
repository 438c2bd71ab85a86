#include "CVZPTaskPanelGroup.h"

#include <algorithm>
#include <cstdlib>

#include "CVZPPropExchange.h"
#include "CVZPTaskPanel.h"
#include "CVZPTaskPanelPaintManager.h"

IMPLEMENT_SERIAL(CVZPTaskPanelGroup, CVZPTaskPanelItem, VERSIONABLE_SCHEMA | 16)
IMPLEMENT_SERIAL(CVZPTaskPanelGroupItem, CVZPTaskPanelItem, VERSIONABLE_SCHEMA | 16)

namespace {

const RECT kDefaultRect = { VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT,
                            VZP_TASKPANEL_DEFAULT };
const SIZE kNoSize = { 0, 0 };

BOOL IsSelf(const VARIANT& varChild)
{
    return CVZPAccessibleBase::ChildIdFromVariant(&varChild) == CHILDID_SELF;
}

HRESULT ReturnState(VARIANT* pvarState, long nState)
{
    pvarState->vt = VT_I4;
    pvarState->lVal = nState;
    return S_OK;
}

// Moves one edge toward its target by the remaining distance over the steps
// left, at least one pixel.
void StepEdge(LONG& nCurrent, LONG nTarget, int nSteps)
{
    int nDistance = nTarget - nCurrent;
    if (nDistance == 0)
        return;
    int nMove = std::max(1, std::abs(nDistance) / nSteps);
    nCurrent += nDistance > 0 ? nMove : -nMove;
}

// The margins rectangle as DeflateRect takes it.
void Deflate(CRect& rc, const CRect& rcBy)
{
    rc.left += rcBy.left;
    rc.top += rcBy.top;
    rc.right -= rcBy.right;
    rc.bottom -= rcBy.bottom;
}

}  // namespace

CVZPTaskPanelGroup::CVZPTaskPanelGroup(CVZPTaskPanel* pPanel)
    : m_rcTarget(0, 0, 0, 0), m_rcCurrent(0, 0, 0, 0), m_rcOuterMargins(kDefaultRect), m_rcInnerMargins(kDefaultRect),
      m_nCaptionHeight(0), m_bSpecial(FALSE), m_bExpandable(TRUE), m_bExpanded(TRUE), m_bExpanding(FALSE),
      m_nExpandedBodyHeight(0), m_bCaptionVisible(TRUE), m_nFaceImageOffsetX(0), m_nFaceImageOffsetY(0),
      m_nFirstVisibleItem(0), m_nItemsPerRow(1), m_szIcon(0, 0), m_pItems(NULL), m_nLayout(0)
{
    m_nType = vzpTaskItemGroup;
    m_pPanel = pPanel;
    m_pItems = new CVZPTaskPanelGroupItems(pPanel, this);
}

CVZPTaskPanelGroup::~CVZPTaskPanelGroup()
{
    if (m_pItems != NULL)
        m_pItems->InternalRelease();
    m_pItems = NULL;
}

BOOL CVZPTaskPanelGroup::CanTakeFocus()
{
    return CVZPTaskPanelItem::CanTakeFocus() && IsUserToggleable();
}

CRect CVZPTaskPanelGroup::GetRectOnPanel()
{
    CRect rc = GetCaptionRect();
    if (m_pPanel != NULL)
        rc.OffsetRect(0, -m_pPanel->GetScrollPos());
    return rc;
}

void CVZPTaskPanelGroup::DoPropExchange(CVZPPropExchange* pPX)
{
    CVZPTaskPanelItem::DoPropExchange(pPX);
    PropExchangeBool(pPX, L"CaptionVisible", &m_bCaptionVisible, TRUE);
    PropExchangeBool(pPX, L"Expandable", &m_bExpandable, TRUE);
    BOOL bExpanded = m_pPanel != NULL ? IsExpanded() : m_bExpanded;
    PropExchangeBool(pPX, L"Expanded", &bExpanded, FALSE);
    PropExchangeBool(pPX, L"Special", &m_bSpecial, FALSE);
    PropExchangeInt(pPX, L"Layout", &m_nLayout, 0);
    PropExchangeRect(pPX, L"MarginsInner", &m_rcInnerMargins, kDefaultRect);
    PropExchangeRect(pPX, L"MarginsOuter", &m_rcOuterMargins, kDefaultRect);
    PropExchangeSize(pPX, L"IconSize", &m_szIcon, kNoSize);
    if (pPX->IsLoading())
    {
        m_pItems->m_pPanel = m_pPanel;
        // A group without a panel keeps the state for when it gets one.
        if (m_pPanel != NULL)
            m_pPanel->SetGroupExpanded(this, bExpanded);
        else
            m_bExpanded = bExpanded;
    }
    CVZPPropExchangeSectionRef section(pPX, L"Items");
    if (section != NULL)
        m_pItems->DoPropExchange(section);
}

void CVZPTaskPanelGroup::DrawFaceImage(CDC* pDC, CRect rcBody)
{
    if (m_ilFaceImage.GetSafeHandle() != NULL && m_ilFaceImage.GetImageCount() == 1)
        ImageList_Draw(m_ilFaceImage, 0, pDC->GetSafeHdc(), rcBody.right - m_nFaceImageOffsetX,
                       rcBody.bottom - m_nFaceImageOffsetY, ILD_NORMAL);
}

CVZPTaskPanelGroupItem* CVZPTaskPanelGroup::GetItem(int nIndex) const
{
    return static_cast<CVZPTaskPanelGroupItem*>(m_pItems->GetAt(nIndex));
}

int CVZPTaskPanelGroup::GetItemCount() const
{
    return m_pItems->GetCount();
}

CVZPTaskPanelGroupItem* CVZPTaskPanelGroup::GetNextVisibleItem(int nIndex, int nStep) const
{
    return GetItem(m_pItems->GetNextVisibleIndex(nIndex, nStep));
}

BOOL CVZPTaskPanelGroup::IsAnimating() const
{
    return m_rcCurrent != m_rcTarget && m_bVisible;
}

BOOL CVZPTaskPanelGroup::IsUserToggleable() const
{
    return m_bExpandable && (m_pPanel == NULL || m_pPanel->m_bGroupsExpandable) && m_bEnabled;
}

void CVZPTaskPanelGroup::SetExpanded(BOOL bExpand)
{
    if (m_pPanel != NULL)
        m_pPanel->SetGroupExpanded(this, bExpand);
}

BOOL CVZPTaskPanelGroup::IsExpanded() const
{
    return m_pPanel != NULL && m_pPanel->IsGroupExpanded(this);
}

int CVZPTaskPanelGroup::GetLayout() const
{
    if (m_nLayout != 0)
        return m_nLayout;
    return m_pPanel != NULL ? m_pPanel->GetEffectiveLayout() : 2;
}

CSize CVZPTaskPanelGroup::GetGroupIconSize() const
{
    if (m_szIcon.cx != 0 || m_szIcon.cy != 0)
        return m_szIcon;
    return m_pPanel != NULL ? m_pPanel->m_szItemIcon : CSize(16, 16);
}

namespace {

// The right edge of a caption shortened by a scroll button sitting on it.
LONG CaptionRight(const CVZPTaskPanelGroup* pGroup, LONG nRight)
{
    CVZPTaskPanel* pPanel = pGroup->m_pPanel;
    if (pPanel == NULL)
        return nRight;
    for (int nDirection = 1; nDirection >= 0; nDirection--)
    {
        CVZPTaskPanelScrollButton* pButton = pPanel->GetScrollButton(nDirection);
        if (pButton != NULL && pButton->m_pCaptionGroup == pGroup && !pButton->m_rc.IsRectEmpty())
            return pButton->m_rc.left - pPanel->GetPaintManager()->GetGroupSpacing(pPanel) - 1;
    }
    return nRight;
}

}  // namespace

CRect CVZPTaskPanelGroup::GetCaptionRect() const
{
    return CRect(m_rcCurrent.left, m_rcCurrent.top, CaptionRight(this, m_rcCurrent.right),
                 m_rcCurrent.top + m_nCaptionHeight);
}

CRect CVZPTaskPanelGroup::GetCaptionTargetRect() const
{
    return CRect(m_rcTarget.left, m_rcTarget.top, CaptionRight(this, m_rcTarget.right),
                 m_rcTarget.top + m_nCaptionHeight);
}

CRect CVZPTaskPanelGroup::GetBodyRect() const
{
    CRect rc(m_rcCurrent);
    rc.top += m_nCaptionHeight;
    return rc;
}

CRect CVZPTaskPanelGroup::GetBodyTargetRect() const
{
    CRect rc(m_rcTarget);
    rc.top += m_nCaptionHeight;
    return rc;
}

void CVZPTaskPanelGroup::LayoutItems(CDC* pDC, CRect rc)
{
    CVZPTaskPanelPaintManager* pPM = GetPaintManager();
    if (pPM == NULL)
        return;
    CRect rcOuter = pPM->GetGroupOuterMargins(this);
    CRect rcInner = pPM->GetGroupInnerMargins(this);
    CRect rcWork(rc);
    Deflate(rcWork, rcOuter);
    // The caption is measured at the width the group gets.
    m_rcTarget.left = rc.left + rcOuter.left;
    m_rcTarget.right = rc.right - rcOuter.right;
    Deflate(rcWork, rcInner);
    m_nItemsPerRow = 1;
    int nBottom = 0;
    int nLayout = GetLayout();
    if (nLayout == 1)
    {
        CSize szIcon = GetGroupIconSize();
        CRect rcPad = pPM->m_rcGridCellPadding;
        int cxCell = rcPad.left + rcPad.right + szIcon.cx, cyCell = rcPad.top + rcPad.bottom + szIcon.cy;
        int nColumns = std::max(1, cxCell > 0 ? rcWork.Width() / cxCell : 1);
        int n = 0;
        for (int i = 0; i < GetItemCount(); i++)
        {
            CVZPTaskPanelGroupItem* pItem = GetItem(i);
            if (!pItem->IsVisible())
                continue;
            CRect rcCell(rcWork.left + (n % nColumns) * cxCell, rcWork.top + (n / nColumns) * cyCell, 0, 0);
            rcCell.right = rcCell.left + cxCell;
            rcCell.bottom = rcCell.top + cyCell;
            pItem->m_rcItem = pItem->CalcItemRect(rcCell);
            n++;
        }
        int nRows = (n + nColumns - 1) / nColumns;
        nBottom = rcWork.top + nRows * cyCell + rcInner.bottom;
        m_nItemsPerRow = nColumns;
        SetFirstVisibleIndex(m_nFirstVisibleItem, TRUE);
    }
    else if (m_pPanel == NULL || !m_pPanel->m_bMultiColumn)
    {
        int y = rcWork.top;
        for (int i = 0; i < GetItemCount(); i++)
        {
            CVZPTaskPanelGroupItem* pItem = GetItem(i);
            if (!pItem->IsVisible())
                continue;
            pItem->m_rcItem = pItem->CalcItemRect(CRect(rcWork.left, y, rcWork.right, rcWork.bottom));
            y = pItem->m_rcItem.bottom + pPM->GetItemMargins(pItem).bottom;
        }
        nBottom = y + rcInner.bottom;
    }
    else
    {
        int cxColumn = std::max(1, m_pPanel->m_nColumnWidth);
        int nColumns = std::max(1, rcWork.Width() / cxColumn);
        int y = rcWork.top, nRowHeight = 0, n = 0;
        for (int i = 0; i < GetItemCount(); i++)
        {
            CVZPTaskPanelGroupItem* pItem = GetItem(i);
            if (!pItem->IsVisible())
                continue;
            int x = rcWork.left + (n % nColumns) * cxColumn;
            pItem->m_rcItem = pItem->CalcItemRect(CRect(x, y, x + cxColumn, rcWork.bottom));
            nRowHeight = std::max(nRowHeight, int(pItem->m_rcItem.bottom + pPM->GetItemMargins(pItem).bottom - y));
            if (++n % nColumns == 0)
            {
                y += nRowHeight;
                nRowHeight = 0;
            }
        }
        y += nRowHeight;
        m_nItemsPerRow = nColumns;
        nBottom = y + rcInner.bottom;
    }
    m_nExpandedBodyHeight = nBottom - (rc.top + rcOuter.top);
    m_nCaptionHeight = pPM->DrawGroupCaption(pDC, this, FALSE);
}

CRect CVZPTaskPanelGroup::SetTargetRect(CRect rc, BOOL bAnimate)
{
    CVZPTaskPanelPaintManager* pPM = GetPaintManager();
    BOOL bSingleGroup = m_pPanel != NULL && m_pPanel->GetMode() != vzpTaskPanelModeIndependent;
    if (!bSingleGroup)
        m_nFirstVisibleItem = 0;
    if (pPM != NULL)
        Deflate(rc, pPM->GetGroupOuterMargins(this));
    m_rcTarget = rc;
    if (bSingleGroup && pPM != NULL && (m_pPanel->GetActiveGroup() == this || m_bExpanding))
    {
        CRect rcInner = pPM->GetGroupInnerMargins(this);
        int h = std::max(GetFreeBodyHeight(),
                         int(rcInner.top + std::max(32, int(GetGroupIconSize().cy + rcInner.bottom)) + 2));
        if (h > m_nExpandedBodyHeight)
            DistributeExtraHeight(h - m_nExpandedBodyHeight);
        m_nExpandedBodyHeight = h;
        AdjustFirstVisibleItem();
    }
    m_rcTarget.bottom = m_rcTarget.top + m_nCaptionHeight + (IsExpanded() ? m_nExpandedBodyHeight : 0);
    m_rcCurrent.left = m_rcTarget.left;
    m_rcCurrent.right = m_rcTarget.right;
    if (!bAnimate || m_pPanel == NULL || !m_pPanel->IsAnimationOn() || !IsAnimating())
        StepAnimation(0);
    return m_rcTarget;
}

int CVZPTaskPanelGroup::GetFreeBodyHeight() const
{
    if (m_pPanel == NULL || m_pPanel->GetSafeHwnd() == NULL)
        return 0;
    CVZPTaskPanelPaintManager* pPM = GetPaintManager();
    CRect rcClient;
    m_pPanel->GetClientRect(&rcClient);
    int h = rcClient.Height();
    int nVisible = 0;
    for (int i = 0; i < m_pPanel->GetGroupCount(); i++)
    {
        CVZPTaskPanelGroup* pGroup = m_pPanel->GetAt(i);
        if (!pGroup->IsVisible())
            continue;
        nVisible++;
        CRect rcOuter = pPM->GetGroupOuterMargins(pGroup);
        h -= pGroup->m_nCaptionHeight + rcOuter.top + rcOuter.bottom;
        if (pGroup != m_pPanel->GetActiveGroup() && pGroup->IsExpanded())
            h -= pGroup->m_nExpandedBodyHeight;
    }
    if (nVisible > 1)
        h -= pPM->GetGroupSpacing(m_pPanel) * (nVisible - 1);
    CRect rcMargins = pPM->GetPanelMargins(m_pPanel);
    return h - rcMargins.top - rcMargins.bottom;
}

void CVZPTaskPanelGroup::DistributeExtraHeight(int nExtra)
{
    if (GetLayout() == 1)
        return;
    int n = 0, nTotalWeight = 0;
    for (int i = 0; i < GetItemCount(); i++)
    {
        CVZPTaskPanelGroupItem* pItem = GetItem(i);
        if (pItem->IsVisible() && pItem->m_bAutoHeight)
        {
            n++;
            nTotalWeight += pItem->m_szItem.cy > 0 ? pItem->m_szItem.cy : 1;
        }
    }
    int nGiven = 0, nLeft = nExtra;
    for (int i = 0; i < GetItemCount(); i++)
    {
        CVZPTaskPanelGroupItem* pItem = GetItem(i);
        if (!pItem->IsVisible())
            continue;
        pItem->m_rcItem.OffsetRect(0, nGiven);
        if (!pItem->m_bAutoHeight || n == 0)
            continue;
        int w = pItem->m_szItem.cy > 0 ? pItem->m_szItem.cy : 1;
        int d = n == 1 ? nLeft : nLeft * w / nTotalWeight;
        pItem->m_rcItem.bottom += d;
        nGiven += d;
        nLeft -= d;
        n--;
        nTotalWeight -= w;
    }
}

void CVZPTaskPanelGroup::AdjustFirstVisibleItem()
{
    CVZPTaskPanelPaintManager* pPM = GetPaintManager();
    int nLast = m_pItems->GetNextVisibleIndex(GetItemCount(), -1);
    if (nLast >= 0 && pPM != NULL)
    {
        CVZPTaskPanelGroupItem* pLast = GetItem(nLast);
        int nInnerTop = pPM->GetGroupInnerMargins(this).top;
        int b = std::min(GetFirstVisibleIndex(), nLast);
        while (b > 0)
        {
            CVZPTaskPanelGroupItem* pPrev = GetItem(b - 1);
            if (pPrev->IsVisible() && pLast->m_rcItem.bottom + nInnerTop - pPrev->m_rcItem.top >= m_nExpandedBodyHeight)
                break;
            b--;
        }
        SetFirstVisibleIndex(b, FALSE);
    }
    for (int i = 0; i < GetItemCount(); i++)
    {
        CVZPTaskPanelGroupItem* pItem = GetItem(i);
        if (pItem->IsFocused() || (pItem->IsSelected() && m_pPanel != NULL && m_pPanel->m_bSelectOnFocus))
        {
            ScrollToItem(pItem, FALSE);
            break;
        }
    }
}

void CVZPTaskPanelGroup::StepAnimation(int nSteps)
{
    if (nSteps > 0)
    {
        StepEdge(m_rcCurrent.top, m_rcTarget.top, nSteps);
        StepEdge(m_rcCurrent.bottom, m_rcTarget.bottom, nSteps);
    }
    else
    {
        m_rcCurrent = m_rcTarget;
    }
    if (!IsAnimating() && m_bExpanding)
    {
        m_bExpanding = FALSE;
        if (m_pPanel != NULL)
            m_pPanel->SendOwnerNotification(vzpTaskPanelAnimationDone, reinterpret_cast<LPARAM>(this));
    }
    for (int i = 0; i < GetItemCount(); i++)
        GetItem(i)->PositionControl();
}

void CVZPTaskPanelGroup::DrawGroup(CDC* pDC)
{
    CVZPTaskPanelPaintManager* pPM = GetPaintManager();
    if (pPM == NULL)
        return;
    pPM->DrawGroupCaption(pDC, this, TRUE);
    pPM->DrawGroupBody(pDC, this);
}

CVZPTaskPanelGroupItem* CVZPTaskPanelGroup::HitTestItem(CPoint pt, CRect* pRect) const
{
    if (!IsExpanded())
        return NULL;
    int g = (m_pPanel != NULL ? m_pPanel->GetScrollPos() : 0) + GetFirstVisibleOffset() - m_nCaptionHeight -
            m_rcCurrent.top;
    CPoint ptItem(pt.x, pt.y + g);
    for (int i = 0; i < GetItemCount(); i++)
    {
        CVZPTaskPanelGroupItem* pItem = GetItem(i);
        if (pItem->IsVisible() && pItem->m_rcItem.PtInRect(ptItem))
        {
            if (pRect != NULL)
            {
                *pRect = pItem->m_rcItem;
                pRect->OffsetRect(0, -g);
            }
            return pItem;
        }
    }
    return NULL;
}

void CVZPTaskPanelGroup::SelectOnly(CVZPTaskPanelGroupItem* pItem)
{
    for (int i = 0; i < GetItemCount(); i++)
        GetItem(i)->SetSelected(GetItem(i) == pItem);
}

BOOL CVZPTaskPanelGroup::HoldsDropTarget() const
{
    return m_pPanel != NULL && m_pPanel->GetDropTargetItem() != NULL &&
           m_pPanel->GetDropTargetItem()->m_pCollection == m_pItems;
}

int CVZPTaskPanelGroup::GetFirstVisibleIndex() const
{
    int n = m_nFirstVisibleItem;
    if (n <= 0 || n >= GetItemCount())
        return 0;
    if (GetItem(n)->IsVisible())
        return n;
    int nNext = m_pItems->GetNextVisibleIndex(n, 1);
    if (nNext >= 0)
        return nNext;
    int nPrev = m_pItems->GetNextVisibleIndex(n, -1);
    return nPrev >= 0 ? nPrev : 0;
}

int CVZPTaskPanelGroup::GetFirstVisibleOffset() const
{
    int n = GetFirstVisibleIndex();
    if (n == 0 || GetPaintManager() == NULL)
        return 0;
    return GetItem(n)->m_rcItem.top - GetPaintManager()->GetGroupInnerMargins(const_cast<CVZPTaskPanelGroup*>(this)).top;
}

void CVZPTaskPanelGroup::SetFirstVisibleIndex(int nIndex, BOOL bRepaint)
{
    int nPerRow = std::max(1, m_nItemsPerRow);
    nIndex -= nIndex % nPerRow;
    nIndex = std::max(0, std::min(nIndex, GetItemCount() - 1));
    if (nIndex == m_nFirstVisibleItem)
        return;
    m_nFirstVisibleItem = nIndex;
    if (bRepaint)
    {
        StepAnimation(0);
        if (m_pPanel != NULL)
        {
            m_pPanel->UpdateScrollButtonStates();
            InvalidatePanel();
        }
    }
}

void CVZPTaskPanelGroup::ScrollItems(int nDelta)
{
    SetFirstVisibleIndex(m_pItems->GetNextVisibleIndex(GetFirstVisibleIndex(), nDelta), TRUE);
}

BOOL CVZPTaskPanelGroup::CanScroll(BOOL bUp) const
{
    CVZPTaskPanelItem* pLast = m_pItems->GetLastVisibleItem();
    if (pLast == NULL)
        return FALSE;
    if (bUp)
        return GetFirstVisibleIndex() != 0;
    int nBodyHeight = m_rcTarget.Height() - m_nCaptionHeight;
    return nBodyHeight < static_cast<CVZPTaskPanelGroupItem*>(pLast)->m_rcItem.bottom - GetFirstVisibleOffset();
}

BOOL CVZPTaskPanelGroup::IsItemInView(const CVZPTaskPanelGroupItem* pItem, BOOL bByTop) const
{
    if (!IsExpanded() || pItem == NULL || pItem->m_pCollection != m_pItems || !pItem->IsVisible())
        return FALSE;
    if (m_pPanel == NULL || m_pPanel->GetMode() == vzpTaskPanelModeIndependent)
        return TRUE;
    if (pItem->GetIndex() < GetFirstVisibleIndex())
        return FALSE;
    int nBodyHeight = m_rcTarget.Height() - m_nCaptionHeight;
    return nBodyHeight >= (bByTop ? pItem->m_rcItem.top : pItem->m_rcItem.bottom) - GetFirstVisibleOffset();
}

void CVZPTaskPanelGroup::ScrollToItem(CVZPTaskPanelGroupItem* pItem, BOOL bRepaint)
{
    if (m_pPanel == NULL || m_pPanel->GetMode() == vzpTaskPanelModeIndependent || GetItemCount() == 0 ||
        !IsExpanded() || pItem == NULL || pItem->m_pCollection != m_pItems || !pItem->IsVisible())
        return;
    int nIndex = pItem->GetIndex();
    int nFirst = GetFirstVisibleIndex();
    if (nIndex < nFirst)
    {
        SetFirstVisibleIndex(nIndex, bRepaint);
        return;
    }
    int nOffset = GetFirstVisibleOffset();
    int nInnerTop = GetPaintManager()->GetGroupInnerMargins(this).top;
    if (m_nExpandedBodyHeight >= pItem->m_rcItem.bottom - nOffset || nInnerTop >= pItem->m_rcItem.top - nOffset)
        return;
    for (int j = nFirst + 1; j < nIndex; j++)
    {
        CVZPTaskPanelGroupItem* pFirst = GetItem(j);
        if (!pFirst->IsVisible())
            continue;
        if (m_nExpandedBodyHeight >= nInnerTop + pItem->m_rcItem.bottom - pFirst->m_rcItem.top ||
            nInnerTop >= nInnerTop + pItem->m_rcItem.top - pFirst->m_rcItem.top)
        {
            SetFirstVisibleIndex(j, bRepaint);
            return;
        }
    }
    SetFirstVisibleIndex(nIndex, bRepaint);
}

HRESULT CVZPTaskPanelGroup::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    HRESULT hr = CVZPTaskPanelItem::get_accState(varChild, pvarState);
    if (SUCCEEDED(hr))
        pvarState->lVal |= IsExpanded() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    return hr;
}

HRESULT CVZPTaskPanelGroup::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (pszDefaultAction == NULL)
        return E_POINTER;
    *pszDefaultAction = ::SysAllocString(L"Expand");
    return S_OK;
}

HRESULT CVZPTaskPanelGroup::accDoDefaultAction(VARIANT varChild)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    SetExpanded(!IsExpanded());
    return S_OK;
}

CVZPTaskPanelGroupItem::CVZPTaskPanelGroupItem()
    : m_rcMargins(kDefaultRect), m_rcItem(0, 0, 0, 0), m_bBold(FALSE), m_bSelected(FALSE), m_hWndControl(NULL),
      m_szItem(0, 0), m_nCachedWidth(0), m_nCachedHeight(0), m_bAutoHeight(FALSE)
{
    m_nType = vzpTaskItemText;
}

CVZPTaskPanelGroupItem::~CVZPTaskPanelGroupItem()
{
    if (m_nType == vzpTaskItemControl && ::IsWindow(m_hWndControl))
        ::ShowWindow(m_hWndControl, SW_HIDE);
    m_strDragText.Empty();
    m_bmpCached.DeleteObject();
}

CVZPTaskPanelItem* CVZPTaskPanelGroupItem::GetOwnerGroup()
{
    if (m_pCollection == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CVZPTaskPanelItem, m_pCollection->m_pOwner);
}

CVZPTaskPanelGroup* CVZPTaskPanelGroupItem::GetGroup() const
{
    if (m_pCollection == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CVZPTaskPanelGroup, m_pCollection->m_pOwner);
}

CRect CVZPTaskPanelGroupItem::GetRectOnPanel()
{
    CVZPTaskPanelGroup* pGroup = GetGroup();
    if (pGroup == NULL)
        return CRect(0, 0, 0, 0);
    CRect rc(m_rcItem);
    rc.OffsetRect(0, pGroup->GetBodyRect().top - pGroup->GetFirstVisibleOffset() -
                         (m_pPanel != NULL ? m_pPanel->GetScrollPos() : 0));
    return rc;
}

void CVZPTaskPanelGroupItem::DoPropExchange(CVZPPropExchange* pPX)
{
    CVZPTaskPanelItem::DoPropExchange(pPX);
    PropExchangeRect(pPX, L"Margins", &m_rcMargins, kDefaultRect);
    PropExchangeBool(pPX, L"Bold", &m_bBold, FALSE);
    PropExchangeSize(pPX, L"ItemSize", &m_szItem, kNoSize);
    BOOL bSelected = IsSelected();
    PropExchangeBool(pPX, L"Selected", &bSelected, FALSE);
    if (pPX->m_nSchema >= 9)
        PropExchangeBool(pPX, L"AutoHeight", &m_bAutoHeight, FALSE);
    if (pPX->m_nSchema >= 10)
        PropExchangeString(pPX, L"DragText", &m_strDragText, L"");
    if (pPX->IsLoading())
        SetSelected(bSelected);
}

CRect CVZPTaskPanelGroupItem::CalcItemRect(CRect rc)
{
    CVZPTaskPanelGroup* pGroup = GetGroup();
    if (pGroup != NULL && pGroup->GetLayout() == 1)
        return rc;
    CVZPTaskPanelPaintManager* pPM = GetPaintManager();
    if (pPM == NULL)
        return rc;
    Deflate(rc, pPM->GetItemMargins(this));
    if (m_szItem.cx != 0 || m_szItem.cy != 0 || m_nType == vzpTaskItemControl)
        return CRect(rc.left, rc.top, rc.left + m_szItem.cx, rc.top + m_szItem.cy);
    HWND hWnd = m_pPanel != NULL ? m_pPanel->GetSafeHwnd() : NULL;
    HDC hDC = ::GetDC(hWnd);
    CRect rcItem;
    {
        CDC dc;
        dc.Attach(hDC);
        rcItem = pPM->DrawGroupItem(&dc, this, rc, FALSE);
        dc.Detach();
    }
    ::ReleaseDC(hWnd, hDC);
    return rcItem;
}

void CVZPTaskPanelGroupItem::DrawItem(CDC* pDC, CRect rc)
{
    CVZPTaskPanelGroup* pGroup = GetGroup();
    CVZPTaskPanelPaintManager* pPM = GetPaintManager();
    if (pPM == NULL)
        return;
    if (m_nType != vzpTaskItemControl || (pGroup != NULL && pGroup->GetLayout() == 1))
    {
        pPM->DrawGroupItem(pDC, this, rc, TRUE);
        return;
    }
    if (::IsWindow(m_hWndControl) && ::IsWindowVisible(m_hWndControl))
        return;   // the window draws itself
    if (m_bmpCached.GetSafeHandle() != NULL)
        pDC->DrawState(rc.TopLeft(), rc.Size(), &m_bmpCached, DSS_NORMAL);
}

CString CVZPTaskPanelGroupItem::GetDragText()
{
    return m_strDragText;
}

BOOL CVZPTaskPanelGroupItem::IsSelected() const
{
    if (m_pPanel != NULL && m_pPanel->m_bFocusIsSelection)
        return m_pPanel->GetFocusedItem() == this;
    return m_bSelected;
}

void CVZPTaskPanelGroupItem::SetSelected(BOOL bSelected)
{
    // An item read from a drag has no panel yet: only its flag is set.
    if (m_pPanel != NULL && m_pPanel->m_bFocusIsSelection)
    {
        if (bSelected)
            m_pPanel->ChangeFocusedItem(this, FALSE);
        return;
    }
    if (m_bSelected == bSelected)
        return;
    m_bSelected = bSelected;
    InvalidatePanel();
}

void CVZPTaskPanelGroupItem::PositionControl()
{
    CVZPTaskPanelGroup* pGroup = GetGroup();
    if (m_nType != vzpTaskItemControl || !::IsWindow(m_hWndControl) || pGroup == NULL || m_pPanel == NULL ||
        GetPaintManager() == NULL)
        return;
    CVZPTaskPanelPaintManager* pPM = GetPaintManager();
    CRect rcBody = pGroup->GetBodyRect();
    CRect rcInner = pPM->GetGroupInnerMargins(pGroup), rcMargins = pPM->GetItemMargins(this);
    int x = m_rcItem.left;
    int y = rcBody.top + m_rcItem.top - m_pPanel->GetScrollPos() - pGroup->GetFirstVisibleOffset();
    int cx = rcBody.Width() - rcMargins.left - rcMargins.right - rcInner.left - rcInner.right;
    if (m_szItem.cx != 0 && m_szItem.cx < cx)
        cx = m_szItem.cx;
    int cy = m_rcItem.Height();
    if (m_bVisible && pGroup->IsVisible() && pGroup->GetLayout() != 1)
    {
        BOOL bAtRest = !pGroup->IsExpanding() && pGroup->IsExpanded() &&
                       rcBody.Height() == pGroup->GetBodyTargetRect().Height();
        if (bAtRest)
        {
            if (pGroup->IsItemInView(this, FALSE))
                ::SetWindowPos(m_hWndControl, NULL, x, y, cx, cy, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
            else
                ::ShowWindow(m_hWndControl, SW_HIDE);
            m_bmpCached.DeleteObject();
            return;
        }
        if (!::IsWindowVisible(m_hWndControl) && m_bmpCached.GetSafeHandle() != NULL && m_nCachedWidth == cx &&
            m_nCachedHeight == cy)
            return;
        m_bmpCached.DeleteObject();
        if (cy > 0)
        {
            ::SetWindowPos(m_hWndControl, NULL, x, -cy, cx, cy, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
            CaptureControlImage(CWnd::FromHandle(m_hWndControl), &m_bmpCached);
            m_nCachedWidth = cx;
            m_nCachedHeight = cy;
        }
        ::ShowWindow(m_hWndControl, SW_HIDE);
        return;
    }
    m_bmpCached.DeleteObject();
    ::ShowWindow(m_hWndControl, SW_HIDE);
}

void CVZPTaskPanelGroupItem::CaptureControlImage(CWnd* pWnd, CBitmap* pBitmap)
{
    pBitmap->DeleteObject();
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return;
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    int cx = rcWindow.Width(), cy = rcWindow.Height();
    if (cx <= 0 || cy <= 0)
        return;
    CWindowDC dcScreen(NULL);
    CBitmap bmpFrame;
    bmpFrame.CreateCompatibleBitmap(&dcScreen, cx, cy);
    pBitmap->CreateCompatibleBitmap(&dcScreen, cx, cy);

    CDC dcFrame;
    dcFrame.CreateCompatibleDC(&dcScreen);
    CBitmap* pOldFrame = dcFrame.SelectObject(&bmpFrame);
    dcFrame.FillSolidRect(0, 0, cx, cy, GetControlBackColor());
    pWnd->SendMessage(WM_PRINT, WPARAM(dcFrame.GetSafeHdc()), PRF_NONCLIENT);

    CDC dcImage;
    dcImage.CreateCompatibleDC(&dcScreen);
    CBitmap* pOldImage = dcImage.SelectObject(pBitmap);
    dcImage.BitBlt(0, 0, cx, cy, &dcFrame, 0, 0, SRCCOPY);
    CPoint ptClient(0, 0);
    pWnd->ClientToScreen(&ptClient);
    dcImage.SetViewportOrg(ptClient.x - rcWindow.left, ptClient.y - rcWindow.top);
    pWnd->SendMessage(WM_PRINT, WPARAM(dcImage.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    dcImage.SetViewportOrg(0, 0);
    dcImage.SelectObject(pOldImage);
    dcFrame.SelectObject(pOldFrame);
}

COLORREF CVZPTaskPanelGroupItem::GetControlBackColor() const
{
    CVZPTaskPanelPaintManager* pPM = GetPaintManager();
    if (pPM == NULL)
        return ::GetSysColor(COLOR_WINDOW);
    return pPM->GetGroupColors(GetGroup())->grcBody.GetEndColor();
}

BOOL CVZPTaskPanelGroupItem::PutOnDataSource(COleDataSource* pDataSource, BOOL bWithText)
{
    HGLOBAL hItem = CopyToGlobalMemory();
    if (hItem == NULL)
        return FALSE;
    pDataSource->CacheGlobalData(CLIPFORMAT(VZPGetTaskPanelClipboardFormat()), hItem);
    if (bWithText)
    {
        HGLOBAL hText = CopyTextToGlobalMemory(GetDragText());
        if (hText != NULL)
            pDataSource->CacheGlobalData(CF_TEXT, hText);
    }
    return TRUE;
}

HRESULT CVZPTaskPanelGroupItem::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    HRESULT hr = CVZPTaskPanelItem::get_accState(varChild, pvarState);
    if (FAILED(hr))
        return hr;
    long nState = pvarState->lVal | STATE_SYSTEM_SELECTABLE;
    CVZPTaskPanelGroup* pGroup = GetGroup();
    if (pGroup == NULL || !pGroup->IsItemInView(this, FALSE))
        nState |= STATE_SYSTEM_INVISIBLE;
    if (IsSelected())
        nState |= STATE_SYSTEM_SELECTED;
    return ReturnState(pvarState, nState);
}

HRESULT CVZPTaskPanelGroupItem::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (pszDefaultAction == NULL)
        return E_POINTER;
    *pszDefaultAction = ::SysAllocString(L"Click");
    return S_OK;
}

HRESULT CVZPTaskPanelGroupItem::accSelect(long flagsSelect, VARIANT varChild)
{
    HRESULT hr = CVZPTaskPanelItem::accSelect(flagsSelect, varChild);
    if (SUCCEEDED(hr) && (flagsSelect & SELFLAG_TAKESELECTION))
    {
        CVZPTaskPanelGroup* pGroup = GetGroup();
        if (pGroup != NULL)
            pGroup->SelectOnly(this);
        else
            SetSelected(TRUE);
    }
    return hr;
}

HRESULT CVZPTaskPanelGroupItem::accDoDefaultAction(VARIANT varChild)
{
    if (!IsSelf(varChild))
        return E_INVALIDARG;
    if (m_pPanel == NULL)
        return S_OK;
    if (CanTakeFocus())
        m_pPanel->ChangeFocusedItem(this, FALSE);
    m_pPanel->ItemClicked(this);
    return S_OK;
}
