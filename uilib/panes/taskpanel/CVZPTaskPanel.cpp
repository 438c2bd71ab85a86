#include "CVZPTaskPanel.h"

#include <algorithm>

#include "CVZPDoubleBufferDC.h"
#include "CVZPImageManager.h"
#include "CVZPResourceLoader.h"
#include "CVZPTaskPanelGroup.h"
#include "CVZPTaskPanelThemes.h"
#include "CVZPTooltipService.h"

IMPLEMENT_DYNAMIC(CVZPTaskPanel, CWnd)

BEGIN_INTERFACE_MAP(CVZPTaskPanel, CWnd)
    INTERFACE_PART(CVZPTaskPanel, IID_IAccessible, Accessible)
END_INTERFACE_MAP()

BEGIN_MESSAGE_MAP(CVZPTaskPanel, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_CAPTURECHANGED()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_TIMER()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_PRINT, OnPrint)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

DROPEFFECT CVZPTaskPanelDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                                CPoint point)
{
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CVZPTaskPanelDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                               CPoint point)
{
    CVZPTaskPanel* pPanel = DYNAMIC_DOWNCAST(CVZPTaskPanel, pWnd);
    return pPanel != NULL ? pPanel->DragOverPanel(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

BOOL CVZPTaskPanelDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CVZPTaskPanel* pPanel = DYNAMIC_DOWNCAST(CVZPTaskPanel, pWnd);
    return pPanel != NULL ? pPanel->DropOnPanel(pDataObject, dropEffect, point) : FALSE;
}

void CVZPTaskPanelDropTarget::OnDragLeave(CWnd* pWnd)
{
    CVZPTaskPanel* pPanel = DYNAMIC_DOWNCAST(CVZPTaskPanel, pWnd);
    if (pPanel != NULL)
        pPanel->DragOverPanel(NULL, 0, CPoint(-1, -1));
}

CVZPTaskPanel::CVZPTaskPanel()
    : m_pGroups(NULL), m_pPaintManager(NULL), m_nTheme(2), m_nLayoutLock(0), m_nContentHeight(0),
      m_nLastContentHeight(0),
      m_rcMargins(VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT, VZP_TASKPANEL_DEFAULT),
      m_nGroupSpacing(VZP_TASKPANEL_DEFAULT), m_bScrollBarShown(FALSE), m_pHotItem(NULL), m_pFocusedItem(NULL),
      m_pPressedItem(NULL), m_pDraggedItem(NULL), m_pDropTargetItem(NULL), m_bAnimation(TRUE),
      m_nAnimationSetting(vzpTaskPanelAnimationOn), m_hHandCursor(NULL), m_nAnimationTimer(0), m_nAnimationSteps(0),
      m_pImageManager(NULL), m_bGroupsExpandable(TRUE), m_bAcceptFocus(TRUE), m_bSettingFocus(FALSE),
      m_bFocusCue(FALSE), m_szItemIcon(16, 16), m_szGroupIcon(32, 32), m_bSelectOnFocus(FALSE), m_ptPressed(0, 0),
      m_nDefaultDragFlags(0), m_bAcceptDrops(TRUE), m_nLayout(0), m_bMultiColumn(FALSE), m_nColumnWidth(100),
      m_nHotTrackStyle(0), m_nMode(vzpTaskPanelModeIndependent), m_pActiveGroup(NULL), m_pDropTarget(NULL),
      m_bHoverTimer(FALSE), m_pScrollDown(NULL), m_pScrollUp(NULL), m_bFocusIsSelection(FALSE),
      m_pTooltipService(NULL), m_bInScrollBarUpdate(FALSE), m_nScrollButtonDelay(0), m_hrOleInit(E_FAIL)
{
    ChoosePaintTheme(2);
    m_pGroups = new CVZPTaskPanelGroups(this, this);
    m_hHandCursor = ::LoadCursorW(NULL, IDC_HAND);
    if (m_hHandCursor == NULL)
        m_hHandCursor = GetResourceLoader()->LoadCursor(VZP_IDC_TASKPANEL_HAND);
    m_pImageManager = new CVZPImageManager;
    m_hrOleInit = ::OleInitialize(NULL);
    m_pDropTarget = new CVZPTaskPanelDropTarget;
    m_pScrollDown = new CVZPTaskPanelScrollButton(0);
    m_pScrollUp = new CVZPTaskPanelScrollButton(1);
    m_pTooltipService = new CVZPTooltipService;
    EnableAutomation();
}

CVZPTaskPanel::~CVZPTaskPanel()
{
    VZPReleaseReference(m_pHotItem);
    VZPReleaseReference(m_pFocusedItem);
    VZPReleaseReference(m_pActiveGroup);
    VZPReleaseReference(m_pGroups);
    VZPReleaseReference(m_pImageManager);
    VZPReleaseReference(m_pTooltipService);
    delete m_pPaintManager;
    m_pPaintManager = NULL;
    delete m_pDropTarget;
    m_pDropTarget = NULL;
    delete m_pScrollDown;
    m_pScrollDown = NULL;
    delete m_pScrollUp;
    m_pScrollUp = NULL;
    // A thread already in another apartment refuses OLE: nothing to undo.
    if (SUCCEEDED(m_hrOleInit))
        ::OleUninitialize();
}

void CVZPTaskPanel::ChoosePaintTheme(int nTheme)
{
    delete m_pPaintManager;
    m_pPaintManager = CreateTaskPanelTheme(nTheme);
    m_nTheme = nTheme;
    m_pPaintManager->RefreshMetrics();
    LayoutPanel(TRUE);
}

int CVZPTaskPanel::LockLayout(BOOL bLock)
{
    if (bLock)
    {
        m_nLayoutLock++;
        return 1;
    }
    m_nLayoutLock--;
    if (m_nLayoutLock == 0)
    {
        LayoutPanel(TRUE);
        return 0;
    }
    return -1;
}

void CVZPTaskPanel::SetAnimationMode(int nSetting)
{
    m_nAnimationSetting = nSetting;
    if (nSetting == vzpTaskPanelAnimationSystem)
    {
        BOOL bMenuAnimation = FALSE;
        ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bMenuAnimation, 0);
        m_bAnimation = bMenuAnimation;
    }
    else
    {
        m_bAnimation = nSetting == vzpTaskPanelAnimationOn;
    }
}

void CVZPTaskPanel::ReleaseItemReferences(CVZPTaskPanelItem* pItem)
{
    if (pItem == NULL)
        return;
    if (m_pHotItem == pItem)
        VZPReleaseReference(m_pHotItem);
    if (m_pFocusedItem == pItem)
        VZPReleaseReference(m_pFocusedItem);
    if (m_pActiveGroup == pItem)
        VZPReleaseReference(m_pActiveGroup);
    if (m_pPressedItem == pItem)
        m_pPressedItem = NULL;
    if (m_pDraggedItem == pItem)
        m_pDraggedItem = NULL;
    if (m_pDropTargetItem == pItem)
        m_pDropTargetItem = NULL;
}

BOOL CVZPTaskPanel::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCTSTR pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(NULL, IDC_ARROW));
    if (!CWnd::Create(pszClass, NULL, dwStyle | WS_CHILD | WS_TABSTOP | WS_CLIPCHILDREN, rect, pParentWnd, nID))
        return FALSE;
    m_pDropTarget->Register(this);
    LayoutPanel(FALSE);
    return TRUE;
}

void CVZPTaskPanel::SetMode(int nMode)
{
    m_nMode = nMode;
    LayoutPanel(FALSE);
}

void CVZPTaskPanel::SetItemLayout(int nLayout)
{
    m_nLayout = nLayout;
    LayoutPanel(FALSE);
}

void CVZPTaskPanel::SetHotTrackStyle(int nStyle)
{
    m_nHotTrackStyle = nStyle;
    Invalidate(FALSE);
}

int CVZPTaskPanel::GetEffectiveLayout() const
{
    if (m_nLayout != 0)
        return m_nLayout;
    return m_nMode == vzpTaskPanelModeSingleGroupList ? 3 : 2;
}

int CVZPTaskPanel::GetEffectiveHotTrack() const
{
    if (m_nHotTrackStyle != 0)
        return m_nHotTrackStyle;
    return m_nMode == vzpTaskPanelModeSingleGroupList ? 2 : m_nMode == vzpTaskPanelModeSingleGroupPanel ? 3 : 1;
}

void CVZPTaskPanel::SetMargins(const RECT& rcMargins)
{
    m_rcMargins = rcMargins;
    LayoutPanel(FALSE);
}

void CVZPTaskPanel::SetGroupSpacing(int nSpacing)
{
    m_nGroupSpacing = nSpacing;
    LayoutPanel(FALSE);
}

void CVZPTaskPanel::SetIconSizes(CSize szItemIcon, CSize szGroupIcon)
{
    m_szItemIcon = szItemIcon;
    m_szGroupIcon = szGroupIcon;
    LayoutPanel(FALSE);
}

void CVZPTaskPanel::SetMultiColumn(BOOL bMultiColumn, int nColumnWidth)
{
    m_bMultiColumn = bMultiColumn;
    m_nColumnWidth = std::max(1, nColumnWidth);
    LayoutPanel(FALSE);
}

void CVZPTaskPanel::SetDragDropOptions(int nDefaultDragFlags, BOOL bAcceptDrops)
{
    m_nDefaultDragFlags = nDefaultDragFlags;
    m_bAcceptDrops = bAcceptDrops;
}

void CVZPTaskPanel::SetFocusOptions(BOOL bAcceptFocus, BOOL bSelectOnFocus, BOOL bFocusIsSelection)
{
    m_bAcceptFocus = bAcceptFocus;
    m_bSelectOnFocus = bSelectOnFocus;
    m_bFocusIsSelection = bFocusIsSelection;
    Invalidate(FALSE);
}

int CVZPTaskPanel::GetGroupCount() const
{
    return m_pGroups->GetCount();
}

CVZPTaskPanelGroup* CVZPTaskPanel::GetAt(int nIndex) const
{
    return static_cast<CVZPTaskPanelGroup*>(m_pGroups->GetAt(nIndex));
}

CVZPTaskPanelGroup* CVZPTaskPanel::AddGroup(LPCWSTR pszCaption, int nID)
{
    CVZPTaskPanelGroup* pGroup = new CVZPTaskPanelGroup(this);
    pGroup->m_strCaption = pszCaption;
    pGroup->m_nID = nID;
    m_pGroups->Add(pGroup);
    return pGroup;
}

BOOL CVZPTaskPanel::IsGroupExpanded(const CVZPTaskPanelGroup* pGroup) const
{
    if (pGroup == NULL)
        return FALSE;
    if (m_nMode == vzpTaskPanelModeIndependent)
        return pGroup->m_bExpanded;
    return pGroup == m_pActiveGroup || (!pGroup->m_bExpandable && pGroup->m_bExpanded);
}

CVZPTaskPanelGroup* CVZPTaskPanel::NextVisibleGroup(int nIndex, int nDirection) const
{
    return static_cast<CVZPTaskPanelGroup*>(m_pGroups->GetAt(m_pGroups->GetNextVisibleIndex(nIndex, nDirection)));
}

int CVZPTaskPanel::GetScrollPos() const
{
    if (!m_bScrollBarShown || m_hWnd == NULL)
        return 0;
    return ::GetScrollPos(m_hWnd, SB_VERT);
}

int CVZPTaskPanel::GetScrollMax()
{
    if (!m_bScrollBarShown)
        return 0;
    return GetScrollLimit(SB_VERT);
}

void CVZPTaskPanel::LayoutPanel(BOOL bAnimate)
{
    // Groups are laid out in the panel's window; without one, or while the
    // layout is locked, there is nothing to do.
    if (GetSafeHwnd() == NULL || m_nLayoutLock > 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcMargins = m_pPaintManager->GetPanelMargins(this);
    int nSpacing = m_pPaintManager->GetGroupSpacing(this);
    CRect rcWork(rcClient.left + rcMargins.left, rcClient.top, rcClient.right - rcMargins.right, rcClient.bottom);
    {
        CClientDC dc(this);
        for (int i = 0; i < GetGroupCount(); i++)
        {
            if (GetAt(i)->IsVisible())
                GetAt(i)->LayoutItems(&dc, rcWork);
        }
    }
    int y = rcMargins.top;
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetGroupCount(); i++)
    {
        CVZPTaskPanelGroup* pGroup = GetAt(i);
        if (!pGroup->IsVisible())
        {
            pGroup->StepAnimation(0);
            continue;
        }
        if (!bFirst)
            y += nSpacing;
        bFirst = FALSE;
        CRect rcTarget = pGroup->SetTargetRect(CRect(rcWork.left, y, rcWork.right, y), bAnimate);
        y = rcTarget.bottom + m_pPaintManager->GetGroupOuterMargins(pGroup).bottom;
    }
    m_nContentHeight = y + rcMargins.bottom;
    PlaceScrollButtons();
    m_nAnimationSteps = 10;
    BOOL bAnimating = FALSE;
    for (int i = 0; i < GetGroupCount(); i++)
        bAnimating = bAnimating || GetAt(i)->IsAnimating();
    if (bAnimating && m_nAnimationTimer == 0)
    {
        m_nAnimationTimer = SetTimer(VZP_TASKPANEL_TIMER_ANIMATION, 30, NULL);
    }
    else if (!bAnimating && m_nAnimationTimer != 0)
    {
        KillTimer(VZP_TASKPANEL_TIMER_ANIMATION);
        m_nAnimationTimer = 0;
    }
    UpdateScrollBar();
    if (!m_bAnimation)
        StepGroupAnimations(FALSE);
    Invalidate(FALSE);
}

void CVZPTaskPanel::UpdateScrollBar()
{
    if (m_bInScrollBarUpdate || GetSafeHwnd() == NULL)
        return;
    m_bInScrollBarUpdate = TRUE;
    m_nLastContentHeight = m_nContentHeight;
    CRect rcClient;
    GetClientRect(&rcClient);
    // Shown only when the client is strictly smaller than the content.
    m_bScrollBarShown = rcClient.Height() < m_nContentHeight;
    ShowScrollBar(SB_VERT, m_bScrollBarShown);
    if (m_bScrollBarShown)
    {
        GetClientRect(&rcClient);
        SCROLLINFO si = {};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        ::GetScrollInfo(m_hWnd, SB_VERT, &si);
        if (int(si.nPage) != rcClient.Height() || si.nMax + 1 != m_nContentHeight || si.nMin != 0)
        {
            si.fMask = SIF_RANGE | SIF_PAGE;
            si.nMin = 0;
            si.nMax = m_nContentHeight - 1;
            si.nPage = UINT(rcClient.Height());
            ::SetScrollInfo(m_hWnd, SB_VERT, &si, TRUE);
            StepGroupAnimations(FALSE);
        }
        EnableScrollBar(SB_VERT, ESB_ENABLE_BOTH);
    }
    m_bInScrollBarUpdate = FALSE;
}

BOOL CVZPTaskPanel::StepGroupAnimations(BOOL bAnimatingOnly)
{
    BOOL bMoved = FALSE;
    for (int i = 0; i < GetGroupCount(); i++)
    {
        CVZPTaskPanelGroup* pGroup = GetAt(i);
        if (bAnimatingOnly && !pGroup->IsAnimating())
            continue;
        bMoved = bMoved || pGroup->IsAnimating();
        pGroup->StepAnimation(m_nAnimationSteps);
    }
    PlaceScrollButtons();
    // A rename in progress is committed when the groups move.
    CWnd* pFocus = CWnd::GetFocus();
    if (pFocus != NULL && pFocus->IsKindOf(RUNTIME_CLASS(CVZPTaskPanelEditItem)) && GetSafeHwnd() != NULL)
        SetFocus();
    return bMoved;
}

void CVZPTaskPanel::OnAnimationTimer()
{
    BOOL bMoved = StepGroupAnimations(TRUE);
    Invalidate(FALSE);
    if (m_nAnimationSteps > 0)
        m_nAnimationSteps--;
    if (!bMoved && m_nAnimationTimer != 0)
    {
        KillTimer(VZP_TASKPANEL_TIMER_ANIMATION);
        m_nAnimationTimer = 0;
    }
}

void CVZPTaskPanel::SetGroupExpanded(CVZPTaskPanelGroup* pGroup, BOOL bExpand)
{
    if (pGroup == NULL)
        return;
    if (m_nMode == vzpTaskPanelModeIndependent)
    {
        VZPTaskPanelGroupExpanding info = { pGroup, bExpand };
        if (SendOwnerNotification(vzpTaskPanelGroupExpanding, reinterpret_cast<LPARAM>(&info)) == -1)
            return;
        pGroup->m_bExpanded = bExpand;
        pGroup->m_bExpanding = TRUE;
        LayoutPanel(TRUE);
        return;
    }
    if (!bExpand)
    {
        LayoutPanel(TRUE);
        return;
    }
    VZPTaskPanelGroupExpanding info = { pGroup, TRUE };
    if (SendOwnerNotification(vzpTaskPanelGroupExpanding, reinterpret_cast<LPARAM>(&info)) == -1)
        return;
    if (m_pActiveGroup != NULL)
    {
        if (m_pActiveGroup->IsUserToggleable())
        {
            m_pActiveGroup->m_bExpanded = FALSE;
            m_pActiveGroup->m_bExpanding = TRUE;
        }
        VZPReleaseReference(m_pActiveGroup);
    }
    m_pActiveGroup = pGroup;
    pGroup->InternalAddRef();
    pGroup->m_bExpanding = TRUE;
    pGroup->m_bExpanded = TRUE;
    LayoutPanel(TRUE);
}

void CVZPTaskPanel::PaintPanel(CDC* pDC)
{
    m_pPaintManager->FillPanelBackground(pDC, this);
    for (int i = 0; i < GetGroupCount(); i++)
    {
        if (GetAt(i)->IsVisible())
            GetAt(i)->DrawGroup(pDC);
    }
    m_pPaintManager->DrawScrollButton(pDC, m_pScrollUp);
    m_pPaintManager->DrawScrollButton(pDC, m_pScrollDown);
}

LRESULT CVZPTaskPanel::SendOwnerNotification(WPARAM nCode, LPARAM lParam)
{
    if (GetSafeHwnd() == NULL)
        return 0;
    HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndOwner == NULL)
        hWndOwner = ::GetParent(m_hWnd);
    return hWndOwner != NULL ? ::SendMessageW(hWndOwner, WM_VZP_TASKPANEL_NOTIFY, nCode, lParam) : 0;
}

void CVZPTaskPanel::ApplyItemRename(CVZPTaskPanelItem* pItem, LPCWSTR pszText)
{
    if (pItem == NULL)
        return;
    if (SendOwnerNotification(vzpTaskPanelEndLabelEdit, reinterpret_cast<LPARAM>(pItem)) == 0)
        pItem->SetCaption(pszText);
}

void CVZPTaskPanel::ScrollPanelTo(int nPos)
{
    if (GetSafeHwnd() == NULL)
        return;
    SetScrollPos(SB_VERT, nPos, TRUE);
    StepGroupAnimations(FALSE);
    Invalidate(FALSE);
}

void CVZPTaskPanel::ScrollRectIntoView(CRect rc)
{
    if (GetSafeHwnd() == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    int h = rcClient.Height(), nPos = GetScrollPos();
    if (nPos + h < rc.bottom)
        ScrollPanelTo(std::min(int(rc.top), int(rc.bottom - h)));
    else if (rc.top < nPos)
        ScrollPanelTo(rc.top);
}

void CVZPTaskPanel::MakeItemVisible(CVZPTaskPanelItem* pItem)
{
    if (!CVZPTaskPanelItem::IsVisible(pItem))
        return;
    CVZPTaskPanelGroup* pGroup = DYNAMIC_DOWNCAST(CVZPTaskPanelGroup, pItem->GetOwnerGroup());
    if (pGroup == NULL)
        return;
    if (pItem == pGroup)
    {
        ScrollRectIntoView(pGroup->GetCaptionRect());
        return;
    }
    if (!IsGroupExpanded(pGroup))
        SetGroupExpanded(pGroup, TRUE);
    CVZPTaskPanelGroupItem* pGroupItem = static_cast<CVZPTaskPanelGroupItem*>(pItem);
    if (m_nMode == vzpTaskPanelModeIndependent)
    {
        CRect rc(pGroupItem->m_rcItem);
        rc.OffsetRect(0, pGroup->GetBodyTargetRect().top);
        ScrollRectIntoView(rc);
        return;
    }
    ScrollRectIntoView(pGroup->m_rcTarget);
    pGroup->ScrollToItem(pGroupItem, TRUE);
}

// --- painting and the window's plain messages --------------------------------

BOOL CVZPTaskPanel::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CVZPTaskPanel::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CVZPDoubleBufferDC dcBuffer(dc.GetSafeHdc(), rcClient);
    dcBuffer.SetWindowOrg(0, GetScrollPos());
    PaintPanel(&dcBuffer);
    dcBuffer.SetWindowOrg(0, 0);
}

LRESULT CVZPTaskPanel::OnPrint(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0)
        return 1;
    if (lParam & PRF_NONCLIENT)
        Default();
    HDC hDC = reinterpret_cast<HDC>(wParam);
    POINT ptOrigin = {};
    ::OffsetViewportOrgEx(hDC, 0, -GetScrollPos(), &ptOrigin);
    {
        CDC dc;
        dc.Attach(hDC);
        PaintPanel(&dc);
        dc.Detach();
    }
    ::SetViewportOrgEx(hDC, ptOrigin.x, ptOrigin.y, NULL);
    if (lParam & PRF_CHILDREN)
    {
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            if (!::IsWindowVisible(hChild))
                continue;
            CRect rc;
            ::GetWindowRect(hChild, &rc);
            ScreenToClient(&rc);
            ::SetViewportOrgEx(hDC, ptOrigin.x + rc.left, ptOrigin.y + rc.top, NULL);
            ::SendMessageW(hChild, WM_PRINT, wParam, lParam);
        }
        ::SetViewportOrgEx(hDC, ptOrigin.x, ptOrigin.y, NULL);
    }
    return 1;
}

void CVZPTaskPanel::OnSize(UINT nType, int cx, int cy)
{
    LayoutPanel(m_nMode == vzpTaskPanelModeIndependent);
    CWnd::OnSize(nType, cx, cy);
}

void CVZPTaskPanel::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (m_bScrollBarShown)
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        int nCurrent = GetScrollPos(), nLimit = GetScrollMax(), h = rcClient.Height();
        int nNew = nCurrent;
        switch (nSBCode)
        {
        case SB_LINEUP:
            nNew = std::max(nCurrent - 6, 0);
            break;
        case SB_LINEDOWN:
            nNew = std::min(nCurrent + 6, nLimit);
            break;
        case SB_PAGEUP:
            nNew = std::max(nCurrent - h, 0);
            break;
        case SB_PAGEDOWN:
            nNew = std::min(nCurrent + h, nLimit);
            break;
        case SB_TOP:
            nNew = 0;
            break;
        case SB_BOTTOM:
            nNew = nLimit;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            nNew = int(nPos);
            break;
        default:
            break;
        }
        if (nSBCode != SB_ENDSCROLL)
            ScrollPanelTo(nNew);
    }
    CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CVZPTaskPanel::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    BOOL bDown = zDelta <= 0;
    if (m_bScrollBarShown)
    {
        int nPos = GetScrollPos();
        ScrollPanelTo(bDown ? std::min(nPos + 10, GetScrollMax()) : std::max(nPos - 10, 0));
        Invalidate(FALSE);
    }
    else if (m_nMode != vzpTaskPanelModeIndependent && m_pActiveGroup != NULL)
    {
        int nRow = std::max(1, m_pActiveGroup->m_nItemsPerRow);
        for (int i = 0; i < 3 && m_pActiveGroup->CanScroll(!bDown); i++)
            m_pActiveGroup->ScrollItems(bDown ? nRow : -nRow);
        Invalidate(FALSE);
    }
    return CWnd::OnMouseWheel(nFlags, zDelta, pt);
}

UINT CVZPTaskPanel::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
}

void CVZPTaskPanel::OnTimer(UINT nIDEvent)
{
    if (nIDEvent == VZP_TASKPANEL_TIMER_ANIMATION)
        OnAnimationTimer();
    else if (nIDEvent == VZP_TASKPANEL_TIMER_HOVER)
        OnHoverTimer();
    CWnd::OnTimer(nIDEvent);
}

void CVZPTaskPanel::OnSysColorChange()
{
    m_pPaintManager->RefreshMetrics();
    LayoutPanel(TRUE);
    CWnd::OnSysColorChange();
}

void CVZPTaskPanel::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    if (m_nAnimationSetting == vzpTaskPanelAnimationSystem)
        SetAnimationMode(vzpTaskPanelAnimationSystem);
    m_pPaintManager->RefreshMetrics();
    LayoutPanel(TRUE);
}

void CVZPTaskPanel::OnDestroy()
{
    CWnd::OnDestroy();
}

// --- accessibility ------------------------------------------------------------

long CVZPTaskPanel::GetAccessibleChildId(const CVZPTaskPanelItem* pItem) const
{
    long nId = 0;
    for (int i = 0; i < GetGroupCount(); i++)
    {
        CVZPTaskPanelGroup* pGroup = GetAt(i);
        nId++;
        if (pGroup == pItem)
            return nId;
        for (int j = 0; j < pGroup->GetItemCount(); j++)
        {
            nId++;
            if (pGroup->GetItem(j) == pItem)
                return nId;
        }
    }
    return 0;
}

CVZPTaskPanelItem* CVZPTaskPanel::GetAccessibleChild(long nChildId) const
{
    if (nChildId <= 0)
        return NULL;
    long nId = 0;
    for (int i = 0; i < GetGroupCount(); i++)
    {
        CVZPTaskPanelGroup* pGroup = GetAt(i);
        if (++nId == nChildId)
            return pGroup;
        if (nChildId - nId <= pGroup->GetItemCount())
            return pGroup->GetItem(int(nChildId - nId - 1));
        nId += pGroup->GetItemCount();
    }
    return NULL;
}

HRESULT CVZPTaskPanel::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == NULL)
        return E_POINTER;
    *ppdispParent = NULL;
    if (GetSafeHwnd() == NULL)
        return E_FAIL;
    HWND hParent = ::GetParent(m_hWnd);
    return CallAccessibleObjectFromWindow(hParent != NULL ? hParent : m_hWnd, DWORD(OBJID_WINDOW), IID_IAccessible,
                                          reinterpret_cast<void**>(ppdispParent));
}

HRESULT CVZPTaskPanel::get_accChildCount(long* pcountChildren)
{
    if (pcountChildren == NULL)
        return E_POINTER;
    long nCount = 0;
    for (int i = 0; i < GetGroupCount(); i++)
        nCount += 1 + GetAt(i)->GetItemCount();
    *pcountChildren = nCount;
    return S_OK;
}

HRESULT CVZPTaskPanel::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == NULL)
        return E_POINTER;
    *ppdispChild = NULL;
    CVZPTaskPanelItem* pItem = GetAccessibleChild(ChildIdFromVariant(&varChild));
    if (pItem == NULL)
        return E_INVALIDARG;
    *ppdispChild = pItem->GetIDispatch(TRUE);
    return *ppdispChild != NULL ? S_OK : E_FAIL;
}

HRESULT CVZPTaskPanel::get_accName(VARIANT varChild, BSTR* pszName)
{
    long nId = ChildIdFromVariant(&varChild);
    if (nId != CHILDID_SELF && nId != -1)
        return E_INVALIDARG;
    if (pszName == NULL)
        return E_POINTER;
    CString strText;
    if (GetSafeHwnd() != NULL)
        GetWindowText(strText);
    *pszName = ::SysAllocString(strText);
    return S_OK;
}

HRESULT CVZPTaskPanel::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (ChildIdFromVariant(&varChild) != CHILDID_SELF)
        return E_INVALIDARG;
    if (pvarRole == NULL)
        return E_POINTER;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_OUTLINE;
    return S_OK;
}

HRESULT CVZPTaskPanel::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == NULL)
        return E_POINTER;
    pvarState->vt = VT_I4;
    pvarState->lVal = ChildIdFromVariant(&varChild) == CHILDID_SELF ? STATE_SYSTEM_FOCUSABLE : 0;
    return S_OK;
}

HRESULT CVZPTaskPanel::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (pxLeft == NULL || pyTop == NULL || pcxWidth == NULL || pcyHeight == NULL)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (GetSafeHwnd() == NULL)
        return S_OK;
    CRect rc;
    CVZPTaskPanelItem* pItem = GetAccessibleChild(ChildIdFromVariant(&varChild));
    if (pItem != NULL)
    {
        rc = pItem->GetRectOnPanel();
        ClientToScreen(&rc);
    }
    else
    {
        GetWindowRect(&rc);
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CVZPTaskPanel::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == NULL)
        return E_POINTER;
    pvarChild->vt = VT_EMPTY;
    if (GetSafeHwnd() == NULL)
        return S_FALSE;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CPoint pt(xLeft, yTop);
    if (!rcWindow.PtInRect(pt))
        return S_FALSE;
    ScreenToClient(&pt);
    CVZPTaskPanelItem* pItem = ItemAtPoint(pt, FALSE);
    if (pItem == NULL)
    {
        pvarChild->vt = VT_I4;
        pvarChild->lVal = CHILDID_SELF;
        return S_OK;
    }
    pvarChild->vt = VT_DISPATCH;
    pvarChild->pdispVal = pItem->GetIDispatch(TRUE);
    return S_OK;
}

LRESULT CVZPTaskPanel::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (LONG(lParam) != OBJID_CLIENT)
        return Default();
    LPUNKNOWN pAccessible = GetInterface(&IID_IAccessible);
    if (pAccessible == NULL)
        return E_FAIL;
    return CallLresultFromObject(IID_IAccessible, wParam, pAccessible);
}
