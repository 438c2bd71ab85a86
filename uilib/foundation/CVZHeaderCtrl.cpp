#include "CVZHeaderCtrl.h"

#include <afxcview.h>

#include "CVZHeaderCtrlThemeFactory.h"
#include "CVZHeaderCtrlThemeFlat.h"
#include "CVZPDoubleBufferDC.h"
#include "CVZPGlobalUIData.h"
#include "CVZPResourceLoader.h"
#include "VZPTrackContextMenu.h"
#include "uilibres.h"

namespace {

const UINT_PTR kHotTrackTimer = 1;
const UINT kHotTrackElapse = 10;
const int kHeaderMenuPopup = 2;   // pop-up 2 of the library's context menus

}  // namespace

IMPLEMENT_DYNAMIC(CVZHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CVZHeaderCtrl, CHeaderCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_SETCURSOR()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_RBUTTONDOWN()
    ON_COMMAND(VZP_ID_HEADER_SORT_ASC, OnSortAscending)
    ON_COMMAND(VZP_ID_HEADER_SORT_DESC, OnSortDescending)
    ON_COMMAND(VZP_ID_HEADER_ALIGN_LEFT, OnAlignLeft)
    ON_COMMAND(VZP_ID_HEADER_ALIGN_CENTER, OnAlignCenter)
    ON_COMMAND(VZP_ID_HEADER_ALIGN_RIGHT, OnAlignRight)
    ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGW, OnItemChanging)
    ON_MESSAGE(HDM_LAYOUT, OnLayout)
    ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
END_MESSAGE_MAP()

CVZHeaderCtrl::CVZHeaderCtrl()
    : CVZThemeManagerStyleHost(RUNTIME_CLASS(CVZHeaderCtrlThemeFactory)),
      m_nMinWidth(0),
      m_nMenuSubIndex(0),
      m_nHotItem(-1),
      m_nSortColumn(-1),
      m_bRightToLeft(FALSE),
      m_bFitColumns(FALSE),
      m_bContextMenu(TRUE),
      m_bAscending(TRUE),
      m_bLButtonDown(FALSE),
      m_bHotDrawn(FALSE),
      m_nCustomMenuID(0),
      m_ptContext(0, 0),
      m_fixedColumns(10)
{
    m_bRightToLeft = static_cast<BYTE>(DetectRightToLeft());
}

CVZHeaderCtrl::~CVZHeaderCtrl()
{
}

CVZHeaderCtrlThemeClassic* CVZHeaderCtrl::GetHeaderTheme() const
{
    return dynamic_cast<CVZHeaderCtrlThemeClassic*>(GetTheme());
}

BOOL CVZHeaderCtrl::DetectRightToLeft()
{
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return FALSE;
    const UINT nAlign = ::GetTextAlign(hDC);
    ::ReleaseDC(NULL, hDC);
    return nAlign != GDI_ERROR && (nAlign & TA_RTLREADING) != 0;
}

int CVZHeaderCtrl::HitTestItem(CPoint point, UINT* pnFlags)
{
    HDHITTESTINFO hit = {};
    hit.pt = point;
    const int nItem = HitTest(&hit);
    if (pnFlags != NULL)
        *pnFlags = hit.flags;
    return nItem;
}

BOOL CVZHeaderCtrl::IsItemPressed(int nItem)
{
    if (!m_bLButtonDown)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    UINT nFlags = 0;
    return HitTestItem(point, &nFlags) == nItem && (nFlags & HHT_ONHEADER) != 0;
}

void CVZHeaderCtrl::InitFont(BOOL bBold)
{
    CVZPGlobalUIData* pData = GetGlobalUIData();
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>((bBold ? pData->m_fontBold : pData->m_fontNormal).GetSafeHandle()));
}

void CVZHeaderCtrl::SetFontBold(BOOL bBold)
{
    InitFont(bBold);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CVZHeaderCtrl::SetMenuID(UINT nMenuID, int nSubMenu)
{
    m_nCustomMenuID = nMenuID;
    m_nMenuSubIndex = nSubMenu;
}

void CVZHeaderCtrl::ShowSortArrow(BOOL bShow)
{
    CVZHeaderCtrlThemeClassic* pTheme = GetHeaderTheme();
    if (pTheme == NULL)
        return;
    DWORD dwFlags = pTheme->GetDrawFlags();
    if (bShow)
        dwFlags |= CVZHeaderCtrlThemeClassic::drawSortArrow;
    else
        dwFlags &= ~static_cast<DWORD>(CVZHeaderCtrlThemeClassic::drawSortArrow);
    pTheme->SetDrawFlags(dwFlags, this);
}

CWnd* CVZHeaderCtrl::GetParentList() const
{
    CWnd* pParent = GetParent();
    if (pParent == NULL)
        return NULL;
    CWnd* pPermanent = CWnd::FromHandlePermanent(pParent->GetSafeHwnd());
    if (pPermanent != NULL &&
        (pPermanent->IsKindOf(RUNTIME_CLASS(CListCtrl)) || pPermanent->IsKindOf(RUNTIME_CLASS(CListView))))
        return pPermanent;
    return NULL;
}

void CVZHeaderCtrl::SetColumnAlignment(int nFormat)
{
    CWnd* pList = GetParentList();
    if (pList == NULL)
        return;
    const int nColumn = HitTestItem(m_ptContext);
    if (nColumn < 0)
        return;
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT;
    if (!pList->SendMessage(LVM_GETCOLUMNW, nColumn, reinterpret_cast<LPARAM>(&column)))
        return;
    column.fmt = (column.fmt & ~LVCFMT_JUSTIFYMASK) | nFormat;
    pList->SendMessage(LVM_SETCOLUMNW, nColumn, reinterpret_cast<LPARAM>(&column));
    pList->SendMessage(LVM_SETWORKAREAS, 0, 0);
}

BOOL CVZHeaderCtrl::IsColumnFixed(int nIndex) const
{
    return m_fixedColumns.Find(nIndex) != NULL;
}

int CVZHeaderCtrl::GetFixedColumnsWidth()
{
    int nWidth = 0;
    for (POSITION pos = m_fixedColumns.GetHeadPosition(); pos != NULL;)
    {
        CRect rect;
        if (GetItemRect(m_fixedColumns.GetNext(pos), &rect))
            nWidth += rect.Width();
    }
    return nWidth;
}

void CVZHeaderCtrl::ResizeColumns(int nWidth)
{
    const int nCount = GetItemCount();
    const int nShared = nCount - static_cast<int>(m_fixedColumns.GetCount());
    if (nShared <= 0)
        return;
    const int nShare = nWidth / nShared;
    CWnd* pParent = GetParent();
    if (pParent == NULL || m_nMinWidth >= nShare)
        return;
    for (int i = 0; i < nCount; i++)
        if (!IsColumnFixed(i))
            pParent->SendMessage(LVM_SETCOLUMNWIDTH, i, MAKELPARAM(nShare, 0));
}

void CVZHeaderCtrl::FitFieldWidth(int nWidth)
{
    if (nWidth <= 0)
    {
        CRect rect;
        GetWindowRect(&rect);
        nWidth = rect.Width();
    }
    CWnd* pParent = GetParent();
    if (pParent != NULL && (pParent->GetStyle() & WS_VSCROLL))
        nWidth -= ::GetSystemMetrics(SM_CXVSCROLL);
    ResizeColumns(nWidth - GetFixedColumnsWidth());
}

void CVZHeaderCtrl::EnableAutoFitColumns(BOOL bEnable)
{
    m_bFitColumns = static_cast<BYTE>(bEnable ? TRUE : FALSE);
}

int CVZHeaderCtrl::SetSortImage(int nColumn, BOOL bAscending)
{
    const int nPrevious = m_nSortColumn;
    m_nSortColumn = nColumn;
    m_bAscending = bAscending;
    if (GetSafeHwnd() != NULL)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return nPrevious;
}

int CVZHeaderCtrl::GetSortImage(BOOL* pbAscending) const
{
    if (pbAscending != NULL)
        *pbAscending = m_bAscending;
    return m_nSortColumn;
}

void CVZHeaderCtrl::OnThemeChanged()
{
    if (GetSafeHwnd() == NULL || !::IsWindow(GetSafeHwnd()))
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    WINDOWPOS pos = {};
    HDLAYOUT layout = {&rcClient, &pos};
    Layout(&layout);
    SetWindowPos(CWnd::FromHandle(pos.hwndInsertAfter), pos.x, pos.y, pos.cx, pos.cy, pos.flags | SWP_FRAMECHANGED);

    CWnd* pParent = GetParent();
    if (pParent != NULL && ::IsWindow(pParent->GetSafeHwnd()))
    {
        // Nudging the parent's size makes it lay its header out again.
        CRect rcParent;
        pParent->GetWindowRect(&rcParent);
        pParent->SetWindowPos(NULL, 0, 0, rcParent.Width(), rcParent.Height() + 1, SWP_NOMOVE | SWP_NOZORDER);
        pParent->SetWindowPos(NULL, 0, 0, rcParent.Width(), rcParent.Height(), SWP_NOMOVE | SWP_NOZORDER);
    }
}

void CVZHeaderCtrl::OnPaint()
{
    CPaintDC dc(this);
    CVZHeaderCtrlThemeClassic* pTheme = GetHeaderTheme();
    if (pTheme == NULL)
    {
        DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        return;
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    CVZPDoubleBufferDC buffer(dc.GetSafeHdc(), rcClient);
    pTheme->DrawHeader(&buffer, this);
}

BOOL CVZHeaderCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CVZHeaderCtrl::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    m_bLButtonDown = TRUE;
    Default();
}

void CVZHeaderCtrl::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    m_bLButtonDown = FALSE;
    Default();
}

void CVZHeaderCtrl::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/)
{
    CVZHeaderCtrlThemeClassic* pTheme = GetHeaderTheme();
    if (pTheme != NULL && pTheme->UseHeaderVisualStyle(this))
        SetTimer(kHotTrackTimer, kHotTrackElapse, NULL);
    Default();
}

void CVZHeaderCtrl::OnTimer(UINT nIDEvent)
{
    if (nIDEvent == kHotTrackTimer)
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const int nItem = HitTestItem(point);
        if (nItem < 0)
        {
            KillTimer(kHotTrackTimer);
            if (m_bHotDrawn)
                Invalidate(FALSE);
            m_bHotDrawn = FALSE;
        }
        else
        {
            if (nItem != m_nHotItem)
            {
                m_nHotItem = nItem;
                m_bHotDrawn = FALSE;
            }
            if (!m_bHotDrawn)
            {
                Invalidate(FALSE);
                m_bHotDrawn = TRUE;
            }
        }
    }
    Default();
}

void CVZHeaderCtrl::OnDestroy()
{
    if (CVZHeaderCtrlThemeClassic* pTheme = GetHeaderTheme())
        pTheme->ReleaseItemImages(this);
    CHeaderCtrl::OnDestroy();
}

BOOL CVZHeaderCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (!m_fixedColumns.IsEmpty())
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const int nItem = HitTestItem(point);
        if (nItem >= 0)
        {
            BOOL bArrow = IsColumnFixed(nItem);
            if (!bArrow)
            {
                // The divider next to a fixed neighbour belongs to that
                // neighbour: the half of this item on its side shows no
                // resize cursor.
                CRect rect;
                GetItemRect(nItem, &rect);
                const int nMiddle = rect.left + rect.Width() / 2;
                if (!m_bRightToLeft)
                    bArrow = nItem > 0 && IsColumnFixed(nItem - 1) && point.x < nMiddle;
                else
                    bArrow = IsColumnFixed(nItem + 1) && point.x >= nMiddle;
            }
            if (bArrow)
            {
                ::SetCursor(::LoadCursorW(NULL, IDC_ARROW));
                return TRUE;
            }
        }
    }
    return CHeaderCtrl::OnSetCursor(pWnd, nHitTest, message);
}

void CVZHeaderCtrl::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    if (!m_bFitColumns)
    {
        CHeaderCtrl::OnWindowPosChanging(lpwndpos);
        return;
    }
    CWnd* pParent = GetParent();
    if (GetItemCount() == 0 || (pParent != NULL && ::GetCapture() == pParent->GetSafeHwnd()))
        return;   // a column is being tracked
    if (lpwndpos->flags & SWP_NOSIZE)
        return;
    CRect rect;
    GetWindowRect(&rect);
    if (lpwndpos->cx != rect.Width())
        FitFieldWidth(lpwndpos->cx);
}

void CVZHeaderCtrl::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    m_ptContext = point;
    CWnd* pParent = GetParent();
    if ((pParent != NULL && (pParent->GetStyle() & LVS_NOSORTHEADER)) || !m_bContextMenu)
    {
        Default();
        return;
    }
    ShowContextMenu();
}

void CVZHeaderCtrl::ShowContextMenu()
{
    CPoint ptScreen = m_ptContext;
    ClientToScreen(&ptScreen);
    if (m_nCustomMenuID != 0)
    {
        CMenu menu;
        if (!menu.LoadMenu(m_nCustomMenuID))
            return;
        CMenu* pPopup = menu.GetSubMenu(m_nMenuSubIndex);
        CWnd* pTarget = GetOwner() != NULL ? GetOwner() : GetParent();
        if (pPopup != NULL)
            pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, pTarget);
        menu.DestroyMenu();
        return;
    }

    const int nItem = HitTestItem(m_ptContext);
    if (nItem < 0)
        return;
    CMenu menu;
    if (!GetResourceLoader()->LoadMenu(&menu, VZP_IDR_CONTEXT_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(kHeaderMenuPopup);
    if (pPopup != NULL)
    {
        if (nItem == m_nSortColumn)
            pPopup->CheckMenuItem(m_bAscending ? VZP_ID_HEADER_SORT_ASC : VZP_ID_HEADER_SORT_DESC,
                                  MF_BYCOMMAND | MF_CHECKED);
        if (CWnd* pList = GetParentList())
        {
            LVCOLUMNW column = {};
            column.mask = LVCF_FMT;
            if (pList->SendMessage(LVM_GETCOLUMNW, nItem, reinterpret_cast<LPARAM>(&column)))
            {
                static const UINT alignCommands[] = {VZP_ID_HEADER_ALIGN_LEFT, VZP_ID_HEADER_ALIGN_RIGHT,
                                                     VZP_ID_HEADER_ALIGN_CENTER};
                const int nAlign = column.fmt & LVCFMT_JUSTIFYMASK;
                if (nAlign < 3)
                    pPopup->CheckMenuItem(alignCommands[nAlign], MF_BYCOMMAND | MF_CHECKED);
            }
        }
        TrackContextMenu(pPopup, TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, this, VZP_IDR_HEADER_TOOLBAR);
    }
    menu.DestroyMenu();
}

void CVZHeaderCtrl::SortByContextColumn(BOOL bAscending)
{
    const int nItem = HitTestItem(m_ptContext);
    if (nItem < 0)
        return;
    if (nItem == m_nSortColumn && m_bAscending == bAscending)
        return;   // already sorted this way
    m_bAscending = bAscending;
    m_nSortColumn = nItem;

    CWnd* pList = GetParentList();
    if (pList == NULL)
        return;
    wchar_t szText[256] = L"";
    HDITEMW item = {};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE | HDI_ORDER;
    item.pszText = szText;
    item.cchTextMax = 256;
    GetItem(nItem, &item);

    NMHEADERW notify = {};
    notify.hdr.hwndFrom = GetSafeHwnd();
    notify.hdr.idFrom = GetDlgCtrlID();
    notify.hdr.code = HDN_ITEMCLICKW;
    notify.iItem = nItem;
    notify.iButton = 1;
    notify.pitem = &item;
    pList->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    pList->SendMessageToDescendants(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify), TRUE);
}

void CVZHeaderCtrl::OnSortAscending()
{
    SortByContextColumn(TRUE);
}

void CVZHeaderCtrl::OnSortDescending()
{
    SortByContextColumn(FALSE);
}

void CVZHeaderCtrl::OnAlignLeft()
{
    SetColumnAlignment(LVCFMT_LEFT);
}

void CVZHeaderCtrl::OnAlignCenter()
{
    SetColumnAlignment(LVCFMT_CENTER);
}

void CVZHeaderCtrl::OnAlignRight()
{
    SetColumnAlignment(LVCFMT_RIGHT);
}

BOOL CVZHeaderCtrl::OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMHEADERW* pHeader = reinterpret_cast<const NMHEADERW*>(pNMHDR);
    if (pHeader->pitem != NULL && (pHeader->pitem->mask & HDI_WIDTH) &&
        (IsColumnFixed(pHeader->iItem) || pHeader->pitem->cxy < m_nMinWidth))
    {
        *pResult = 1;   // refused
        return TRUE;
    }
    return FALSE;   // allowed: the list handles the change as usual
}

LRESULT CVZHeaderCtrl::OnLayout(WPARAM wParam, LPARAM lParam)
{
    CVZHeaderCtrlThemeClassic* pTheme = GetHeaderTheme();
    if (pTheme != NULL && pTheme->LayoutHeader(reinterpret_cast<HDLAYOUT*>(lParam), this))
        return TRUE;
    return DefWindowProc(HDM_LAYOUT, wParam, lParam);
}

LRESULT CVZHeaderCtrl::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    if (CVZHeaderCtrlThemeClassic* pTheme = GetHeaderTheme())
        pTheme->RefreshMetrics();
    return DefWindowProc(WM_SETTINGCHANGE, wParam, lParam);
}

LRESULT CVZHeaderCtrl::OnSysColorChange(WPARAM wParam, LPARAM lParam)
{
    if (CVZHeaderCtrlThemeClassic* pTheme = GetHeaderTheme())
        pTheme->RefreshMetrics();
    return DefWindowProc(WM_SYSCOLORCHANGE, wParam, lParam);
}

IMPLEMENT_DYNAMIC(CVZFlatHeaderCtrl, CVZHeaderCtrl)

CVZFlatHeaderCtrl::CVZFlatHeaderCtrl()
{
    SetTheme(new CVZHeaderCtrlThemeFlat);
}
