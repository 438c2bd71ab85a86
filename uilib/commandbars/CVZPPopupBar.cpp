#include "CVZPPopupBar.h"

#include "CVZPAccessibleBase.h"
#include "CVZPAcceleratorManager.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControl.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPImageManager.h"
#include "CVZPMonitorApi.h"
#include "CVZPMouseHookManager.h"
#include "CVZPPopupExpandButton.h"
#include "CVZPShadowManager.h"
#include "CVZPSoundManager.h"
#include "CVZPToolBar.h"
#include "CVZPTooltipService.h"
#include "VZPColorIndex.h"
#include "VZPSelectors.h"

#include <afxpriv.h>

#include <algorithm>
#include <cstdlib>

IMPLEMENT_SERIAL(CVZPPopupBar, CVZPCommandBar, VERSIONABLE_SCHEMA | 0x10)

BEGIN_MESSAGE_MAP(CVZPPopupBar, CVZPCommandBar)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_NCCREATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

namespace {

// Height of a scroll arrow.
const int kArrowHeight = 16;
// Smallest width and height of a popup menu's content.
const int kMinContent = 22;
// Distance kept from the bottom of the work area.
const int kBottomGap = 5;
// Period of the scroll and gripper timers, and the delay before a hovered
// expand button expands its menu.
const UINT kScrollPeriod = 80;
const UINT kExpandDelay = 900;
// Layout mode of popup toolbars: horizontal, committed, wrapped at the MRU width.
const DWORD kPopupToolBarMode = 0x142;
// Layout mode of a torn-off toolbar: horizontal, MRU width, committed.
const DWORD kTornOffMode = 0x46;

BOOL IsChildOfBar(const CVZPControl* pControl, const CVZPCommandBar* pBar)
{
    return pControl != NULL && pControl->GetParent() == pBar;
}

}  // namespace

CVZPPopupBar::CVZPPopupBar()
    : m_bDoubleGripper(FALSE), m_pControlPopup(NULL), m_pParentBar(NULL), m_pReturnCmd(NULL), m_ptPopup(0, 0),
      m_rcExclude(0, 0, 0, 0), m_popupFlags(0), m_bDynamicLayout(FALSE), m_bCollapsed(FALSE), m_bExpanded(FALSE),
      m_bExpanding(FALSE), m_bTearOffPopup(FALSE), m_rcTearOffGripper(0, 0, 0, 0), m_bTearOffSelected(FALSE),
      m_nTearOffTimer(0), m_bTearOffTracking(FALSE), m_szTearOffBar(0, 0), m_pTearOffBar(NULL), m_nTearOffID(0),
      m_nTearOffWidth(0), m_bShowShadow(TRUE), m_rcBorders(2, 4, 2, 4), m_bScrolling(FALSE), m_nFirstVisible(0),
      m_nLastVisible(0), m_bDestroying(FALSE)
{
    m_barType = vzpBarTypePopup;
    m_barPosition = vzpBarPopup;
    m_nMRUWidth = 0;
    m_scrollDown.rc.SetRectEmpty();
    m_scrollDown.nTimer = 0;
    m_scrollDown.nTimerId = timerScrollDown;
    m_scrollUp.rc.SetRectEmpty();
    m_scrollUp.nTimer = 0;
    m_scrollUp.nTimerId = timerScrollUp;
}

CVZPPopupBar::~CVZPPopupBar()
{
}

CVZPPopupBar* AFX_CDECL CVZPPopupBar::CreatePopupBar(CVZPCommandBars* pCommandBars)
{
    CRuntimeClass* pClass = CVZPCommandBars::m_pPopupBarClass;
    CVZPPopupBar* pPopup = (CVZPPopupBar*)pClass->CreateObject();
    if (pPopup != NULL)
        pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}

void CVZPPopupBar::SetTearOffPopup(LPCTSTR lpszCaption, UINT nBarID, int nWidth)
{
    m_bTearOffPopup = lpszCaption != NULL;
    m_strTearOffCaption = lpszCaption != NULL ? lpszCaption : _T("");
    m_nTearOffID = nBarID;
    m_nTearOffWidth = nWidth;
}

// ---------------------------------------------------------------------------
// Window

BOOL CVZPPopupBar::CreatePopupWindow()
{
    if (m_hWnd != NULL)
        return TRUE;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_SAVEBITS, ::LoadCursorW(NULL, IDC_ARROW));
    DWORD dwExStyle = WS_EX_TOOLWINDOW;
    CVZPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars != NULL ? pCommandBars->IsLayoutRTL() : GetImageManager()->m_bDrawReverse)
        dwExStyle |= WS_EX_LAYOUTRTL;
    CWnd* pOwner = GetOwnerSite();
    return CreateEx(dwExStyle, lpszClass, NULL, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | MFS_SYNCACTIVE, 0, 0,
                    0, 0, pOwner->GetSafeHwnd(), NULL, NULL);
}

BOOL CVZPPopupBar::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CVZPCommandBar::OnNcCreate(lpCreateStruct))
        return FALSE;
    if ((GetStyle() & MFS_SYNCACTIVE) == 0)
        return TRUE;
    // The popup's caption state follows its frame's, as a mini frame's does.
    HWND hTop = ::GetAncestor(m_hWnd, GA_ROOTOWNER);
    HWND hForeground = ::GetForegroundWindow();
    BOOL bActive = hTop != NULL && hForeground == hTop;
    if (!bActive && hTop != NULL && hForeground != NULL && ::GetLastActivePopup(hTop) == hForeground &&
        ::SendMessageW(hForeground, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0)
        bActive = TRUE;
    SendMessage(WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE, 0);
    return TRUE;
}

LRESULT CVZPPopupBar::OnFloatStatus(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return (GetStyle() & MFS_SYNCACTIVE) != 0 && (wParam & FS_SYNCACTIVE) != 0 ? 1 : 0;
}

int CVZPPopupBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    (void)pDesktopWnd;
    (void)nHitTest;
    (void)message;
    return MA_NOACTIVATE;
}

BOOL CVZPPopupBar::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    // Windows hosted by the popup (an edit being typed into) belong to
    // their controls: they move to the site before the popup goes.
    CWnd* pSite = GetSite();
    HWND hSite = pSite->GetSafeHwnd();
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL;)
    {
        HWND hNext = ::GetWindow(hChild, GW_HWNDNEXT);
        ::ShowWindow(hChild, SW_HIDE);
        ::SetParent(hChild, hSite);
        hChild = hNext;
    }
    m_bDestroying = TRUE;
    const BOOL bResult = CVZPCommandBar::DestroyWindow();
    m_bDestroying = FALSE;
    return bResult;
}

void CVZPPopupBar::OnDestroy()
{
    // Destroyed with its owner: tracking ends without destroying it again.
    const BOOL bOld = m_bDestroying;
    m_bDestroying = TRUE;
    CVZPCommandBar::OnDestroy();
    m_bDestroying = bOld;
}

BOOL CVZPPopupBar::HasChildWindow() const
{
    return m_hWnd != NULL && ::GetWindow(m_hWnd, GW_CHILD) != NULL;
}

BOOL CVZPPopupBar::IsVisible() const
{
    return m_hWnd != NULL && ::IsWindowVisible(m_hWnd);
}

void CVZPPopupBar::DelayRedraw()
{
    // A popup shows every change at once.
    Redraw();
}

// ---------------------------------------------------------------------------
// Showing

BOOL CVZPPopupBar::ShowPopupAt(int x, int y, LPCRECT lpExclude)
{
    m_ptPopup = CPoint(x, y);
    if (lpExclude != NULL)
        m_rcExclude = *lpExclude;
    return Popup(NULL, FALSE);
}

BOOL CVZPPopupBar::Popup(CVZPControl* pControl, BOOL bSelectFirst)
{
    m_pControlPopup = pControl;
    m_pParentBar = pControl != NULL ? pControl->GetParent() : NULL;
    if (!CreatePopupWindow())
        return FALSE;
    LockRedraw();
    CWnd* pSite = GetOwnerSite();
    if (pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_VZP_POPUPSHOWING, 0, (LPARAM)this);

    m_bTearOffSelected = FALSE;
    m_bCollapsed = FALSE;
    m_bExpanded = IsCustomizeMode() || CVZPCommandBars::GetThreadMouseManager()->m_bFullMenus;

    PlaceAtControl();
    CSize sz = CalcDynamicLayout(0, 0);
    MoveToComputedRect(sz);

    if (m_hWnd == NULL || (m_pParentBar != NULL && m_pParentBar->GetSafeHwnd() == NULL))
    {
        UnlockRedraw();
        DestroyWindow();
        return FALSE;
    }
    SetTrackingMode(TRUE, bSelectFirst, FALSE);
    m_dwState &= ~(stateLayoutPending | stateRedrawPending);
    // Commands without a handler are disabled, as in the framework's menus.
    OnIdleUpdateCmdUI(TRUE);

    AnimateFirstPaint();
    VZPGetSoundManager()->RequestSound(CVZPSoundManager::soundMenuPopup);
    if (m_barPosition == vzpBarPopup && m_bShowShadow)
    {
        VZPGetShadowManager()->RemoveShadows(this);
        VZPGetShadowManager()->AddShadow(this, m_rcExclude);
    }
    UnlockRedraw();
    return TRUE;
}

void CVZPPopupBar::MoveToComputedRect(CSize sz)
{
    CRect rc = ComputePopupRect(sz);
    if (m_hWnd == NULL)
        return;
    UINT nFlags = SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER;
    if (IsWindowVisible())
        nFlags |= SWP_NOZORDER;
    SetWindowPos(&wndTopMost, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
}

void CVZPPopupBar::PlaceAtControl()
{
    CVZPControl* pControl = m_pControlPopup;
    if (pControl == NULL)
        return;
    CVZPCommandBar* pBar = pControl->GetParent();
    if (pBar == NULL)
        return;
    int nFlags = ((pControl->GetFlags() & 0x4) != 0 || IsLayoutRTL()) ? placeLeft : 0;
    switch (pBar->GetPosition())
    {
    case vzpBarRight:
        nFlags = placeLeft;
        break;
    case vzpBarLeft:
    case vzpBarPopup:
    {
        CVZPPopupBar* pParentPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, pBar);
        if (pParentPopup != NULL && pBar->GetType() == vzpBarTypePopup && (pParentPopup->m_popupFlags & placeLeft))
            nFlags = placeLeft;
        break;
    }
    default:
        nFlags |= placeDropDown;
        break;
    }

    CRect rc = pControl->GetRect();
    if (pControl->GetType() == vzpControlComboBox && pBar->GetType() != vzpBarTypePopup)
        nFlags |= placeDropDown;
    else if (CVZPControlPopup* pPopupControl = DYNAMIC_DOWNCAST(CVZPControlPopup, pControl))
        pPopupControl->AdjustExcludeRect(rc);
    if (pBar->GetSafeHwnd() != NULL)
        pBar->ClientToScreen(&rc);
    m_rcExclude = rc;
    m_popupFlags = nFlags;
    m_ptPopup = (nFlags & placeDropDown) ? CPoint(rc.left, rc.bottom) : CPoint(rc.right, rc.top);
}

CRect CVZPPopupBar::ComputePopupRect(CSize sz)
{
    const CRect& rcExclude = m_rcExclude;
    const CRect rcWork = rcExclude.IsRectEmpty() ? GetWorkAreaForPoint(m_ptPopup) : GetWorkAreaForRect(&rcExclude);
    const int nBottom = rcWork.bottom - kBottomGap;
    const BOOL bHasWidth = rcExclude.right != rcExclude.left;
    const BOOL bHasHeight = rcExclude.bottom != rcExclude.top;
    const int nEntryFlags = m_popupFlags;
    int nFlags = m_popupFlags;
    int x = m_ptPopup.x;
    int y = m_ptPopup.y;
    int cx = sz.cx;
    int cy = sz.cy;
    BOOL bFits = TRUE;

    if (nFlags == (placeLeft | placeDropDown) && bHasWidth)
        x = rcExclude.right - cx;
    else if ((nFlags & placeLeft) && bHasWidth)
        x = rcExclude.left - cx;
    if ((nFlags & placeLeft) && !bHasWidth)
        x -= cx;

    if (!bHasHeight && y > nBottom)
    {
        // Opened from a point in the bottom strip: the popup grows upwards
        // from the point. When that runs past the top it starts at the top
        // and scrolls instead of leaving the work area.
        y -= cy;
        if (y < rcWork.top)
        {
            y = rcWork.top;
            if (y + cy > nBottom)
            {
                cy = nBottom - y;
                bFits = FALSE;
            }
        }
    }
    else
    {
        if (y + cy > nBottom)
        {
            if (bHasHeight && (nFlags & placeDropDown))
            {
                y = rcExclude.top - cy;
                if (y < rcWork.top)
                {
                    bFits = FALSE;
                    if ((rcExclude.top + rcExclude.bottom) / 2 > (nBottom - rcWork.top) / 2)
                    {
                        y = rcWork.top;
                        cy = rcExclude.top - rcWork.top;
                    }
                    else
                    {
                        y = rcExclude.bottom;
                        cy = nBottom - rcExclude.bottom;
                    }
                }
            }
            else if (bHasHeight)
                y = nBottom - cy;
            else if (y >= (nBottom - rcWork.top) / 2)
                y -= cy;
            else
                y = nBottom - cy;
        }
        if (y < rcWork.top)
            y = rcWork.top;
        if (y + cy > nBottom)
        {
            cy = nBottom - y;
            bFits = FALSE;
        }
    }

    if (x + cx > rcWork.right)
    {
        if (!bHasWidth)
            x = x > rcWork.right ? x - cx : rcWork.right - cx;
        else
        {
            x = ((nFlags & placeDropDown) ? rcWork.right : rcExclude.left) - cx;
            nFlags |= placeLeft;
        }
    }
    else if (x < rcWork.left)
    {
        if (bHasWidth)
        {
            x = (nFlags & placeDropDown) ? rcWork.left : rcExclude.right;
            nFlags &= ~placeLeft;
        }
        else if (nEntryFlags & placeLeft)
        {
            // The work area's own left edge: on a monitor left of the
            // primary one, 0 would be another monitor.
            x = rcWork.left;
            nFlags &= ~placeLeft;
        }
    }
    m_popupFlags = nFlags;

    m_bScrolling = !bFits && m_barType == vzpBarTypePopup;
    if (m_bScrolling)
    {
        m_nFirstVisible = 0;
        CSize szClipped(cx, cy);
        LayoutScrolled(&szClipped, FALSE, FALSE);
    }
    return CRect(x, y, x + cx, y + cy);
}

// ---------------------------------------------------------------------------
// Tracking, hot control and keys

BOOL CVZPPopupBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (!CVZPCommandBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard))
        return FALSE;
    CWnd* pSite = GetOwnerSite();
    if (bMode)
        CVZPAccessibleBase::CallNotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, m_hWnd, OBJID_MENU, CHILDID_SELF);
    else
    {
        CVZPAccessibleBase::CallNotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, m_hWnd, OBJID_MENU, CHILDID_SELF);
        // The bar may lose its last reference while its parent closes it
        // (not while it is already being released).
        const BOOL bHold = m_dwRef > 0;
        if (bHold)
            InternalAddRef();
        if (!m_bDestroying)
            DestroyWindow();
        if (m_pControlPopup != NULL && m_pParentBar != NULL)
            m_pParentBar->SetPopupedControl(-1);
        if (pSite->GetSafeHwnd() != NULL)
            pSite->SendMessage(WM_VZP_POPUPCLOSED, 0, (LPARAM)this);
        ::Sleep(1);
        m_pControlPopup = NULL;
        if (bHold)
            InternalRelease();
    }
    if (pSite->GetSafeHwnd() != NULL)
        pSite->UpdateWindow();
    return TRUE;
}

BOOL CVZPPopupBar::SetHotControl(int nIndex, BOOL bKeyboard)
{
    CVZPControl* pTarget = nIndex >= 0 ? GetControl(nIndex) : NULL;
    if (m_bScrolling && pTarget != NULL && (pTarget->GetHideFlags() & CVZPControl::hideScroll) != 0 &&
        m_hWnd != NULL)
    {
        if (nIndex >= m_nLastVisible)
        {
            m_nLastVisible = nIndex + 1;
            LayoutScrolled(NULL, TRUE, TRUE);
        }
        else
        {
            m_nFirstVisible = nIndex;
            LayoutScrolled(NULL, FALSE, TRUE);
        }
    }
    BOOL bResult = CVZPCommandBar::SetHotControl(nIndex, bKeyboard);
    if (m_hWnd == NULL)
        return bResult;
    CVZPCommandBars* pCommandBars = GetCommandBars();
    CVZPControl* pHot = GetControl(m_nHotControl);
    if (pHot != NULL && pHot->GetID() == kExpandButtonId && !bKeyboard && pCommandBars != NULL &&
        pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay)
        SetTimer(timerExpand, kExpandDelay, NULL);
    else
        KillTimer(timerExpand);
    return bResult;
}

int CVZPPopupBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (m_bCollapsed && nChar == VK_DOWN && m_nLockTracking <= 0 && !IsCustomizeMode())
    {
        const int nNext = m_pControls->GetNext(m_nHotControl, 1);
        if (::GetKeyState(VK_CONTROL) < 0 || nNext <= m_nHotControl)
            ExpandHiddenControls();
    }
    return CVZPCommandBar::OnHookKeyDown(nChar, lParam);
}

// ---------------------------------------------------------------------------
// Rarely used controls

CVZPControl* CVZPPopupBar::FindExpandButton() const
{
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (pControl->GetID() == kExpandButtonId && pControl->IsKindOf(RUNTIME_CLASS(CVZPPopupExpandButton)))
            return pControl;
    }
    return NULL;
}

CVZPControl* CVZPPopupBar::EnsureExpandButton(CDC* pDC, int& nHeight)
{
    CVZPControl* pButton = FindExpandButton();
    if (pButton == NULL)
    {
        pButton = m_pControls->AddControl(new CVZPPopupExpandButton, kExpandButtonId, NULL, -1, TRUE);
        // Its tooltip comes from the string; its caption stays empty.
        pButton->m_strCaption.Empty();
    }
    nHeight = GetPaintManager()->DrawSpecialControl(pDC, 1, pButton, this, FALSE, NULL).cy;
    pButton->SetHideFlags(pButton->GetHideFlags() | CVZPControl::hideGenerated);
    return pButton;
}

void CVZPPopupBar::RefreshHiddenState()
{
    CVZPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    if (pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus)
    {
        for (int i = 0; i < GetControlCount(); i++)
        {
            CVZPControl* pControl = GetControl(i);
            if (IsChildOfBar(pControl, this))
                pControl->SetRarelyUsed(FALSE);
        }
        m_bExpanded = TRUE;
        return;
    }
    m_bCollapsed = FALSE;
    BOOL bOrdinaryVisible = FALSE;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (!IsChildOfBar(pControl, this))
            continue;
        const BOOL bVisible = (pControl->GetHideFlags() & ~(CVZPControl::hideScroll | CVZPControl::hideExpand)) == 0;
        if (pCommandBars->IsControlHidden(pControl))
            pControl->m_bExpanded = bVisible;
        else
        {
            pControl->m_bExpanded = FALSE;
            if (bVisible && pControl->GetID() != kExpandButtonId)
                bOrdinaryVisible = TRUE;
        }
    }
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (!IsChildOfBar(pControl, this))
            continue;
        DWORD dwHide = pControl->GetHideFlags() & ~CVZPControl::hideExpand;
        if (pControl->m_bExpanded && !m_bExpanded && bOrdinaryVisible)
        {
            dwHide |= CVZPControl::hideExpand;
            m_bCollapsed = TRUE;
        }
        if (dwHide != pControl->GetHideFlags())
            pControl->SetHideFlags(dwHide);
    }
}

BOOL CVZPPopupBar::ExpandHiddenControls()
{
    if (m_bExpanded || !m_bCollapsed)
        return FALSE;
    if (m_pToolTipContext != NULL)
        m_pToolTipContext->HideToolTip();
    m_bExpanding = TRUE;
    m_bExpanded = TRUE;
    SetPopupedControl(-1);
    SetHotControl(-1);
    OnRecalcLayout();
    CVZPMouseHookManager* pMouseManager = CVZPCommandBars::GetThreadMouseManager();
    // Later popups of this tracking open expanded, and the release of the
    // click that expanded this one executes nothing.
    pMouseManager->m_bFullMenus = TRUE;
    pMouseManager->m_bEatNextButtonUp = TRUE;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Layout

void CVZPPopupBar::GetMenuMetrics(CDC* pDC, CRect& rcBorders, int& nSeparator, int& nGripper)
{
    CVZPCommandBarPaintManager* pPaintManager = GetPaintManager();
    rcBorders = pPaintManager->GetCommandBarBorders(this);
    nSeparator = pPaintManager->DrawCommandBarSeparator(pDC, this, NULL, FALSE).cy;
    nGripper = 0;
    if (m_bTearOffPopup)
    {
        nGripper = pPaintManager->DrawTearOffGripper(pDC, CRect(0, 0, 0, 0), FALSE, FALSE).cy;
        rcBorders.top += nGripper;
    }
}

CSize CVZPPopupBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    (void)nLength;
    (void)nMode;
    CWindowDC dcScreen(NULL);
    CClientDC* pClientDC = m_hWnd != NULL ? new CClientDC(this) : NULL;
    CDC* pDC = pClientDC != NULL ? static_cast<CDC*>(pClientDC) : static_cast<CDC*>(&dcScreen);
    const BOOL bOldDynamic = m_bDynamicLayout;
    m_bDynamicLayout = TRUE;
    CSize sz;
    {
        CVZPFontSelector font(pDC, GetPaintManager()->GetCommandBarFont(this));
        if (m_barType == vzpBarTypePopup)
            sz = CalcPopupMenuSize(pDC);
        else
        {
            CVZPCommandBarPaintManager* pPaintManager = GetPaintManager();
            CRect rcMargins = m_rcBorders;
            int nGripper = 0;
            if (m_bTearOffPopup)
            {
                nGripper = pPaintManager->DrawTearOffGripper(pDC, CRect(0, 0, 0, 0), FALSE, FALSE).cy;
                rcMargins.top += nGripper;
            }
            RefreshShortcutTexts();
            sz = m_pControls->CalcDynamicSize(pDC, 0, kPopupToolBarMode, rcMargins);
            m_rcTearOffGripper.SetRect(rcMargins.left, rcMargins.top - nGripper, sz.cx - rcMargins.left,
                                       rcMargins.top);
        }
    }
    m_bDynamicLayout = bOldDynamic;
    delete pClientDC;
    return sz;
}

CSize CVZPPopupBar::CalcPopupMenuSize(CDC* pDC)
{
    CVZPCommandBarPaintManager* pPaintManager = GetPaintManager();
    CRect rcBorders;
    int nSeparator;
    int nGripper;
    GetMenuMetrics(pDC, rcBorders, nSeparator, nGripper);

    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (IsChildOfBar(pControl, this))
            pControl->OnCalcDynamicSize(0);
    }
    RefreshHiddenState();

    int nExpandHeight = 0;
    CVZPControl* pExpand = NULL;
    if (m_bCollapsed)
    {
        pExpand = EnsureExpandButton(pDC, nExpandHeight);
        rcBorders.bottom += nExpandHeight;
    }
    else if (CVZPControl* pOld = FindExpandButton())
        pOld->SetHideFlags(pOld->GetHideFlags() | CVZPControl::hideGenerated);
    RefreshShortcutTexts();

    // A menu item is never wider than a third of the primary work area.
    CRect rcWork(0, 0, 0, 0);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    const int nMaxWidth = (int)((double)rcWork.right * (1.0 / 3.0));

    int y = rcBorders.top;
    int nWidth = 0;
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (!IsChildOfBar(pControl, this))
            continue;
        if (pControl->GetHideFlags() & CVZPControl::hideScroll)
            pControl->SetHideFlags(pControl->GetHideFlags() & ~CVZPControl::hideScroll);
        if (pControl->GetHideFlags() != 0)
            continue;
        if (!bFirst && pControl->GetBeginGroup())
            y += nSeparator;
        bFirst = FALSE;
        CVZPFontSelector font(pDC, pPaintManager->GetCommandBarFont(this, pControl->IsDefaultItem()));
        CSize szControl = pControl->GetSize(pDC);
        if (szControl.cx > nMaxWidth)
            szControl.cx = nMaxWidth;
        pControl->SetRect(CRect(rcBorders.left, y, rcBorders.left + szControl.cx, y + szControl.cy));
        y += szControl.cy;
        pControl->m_bWrap = FALSE;
        nWidth = std::max(nWidth, (int)szControl.cx);
    }
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (!IsChildOfBar(pControl, this) || pControl->GetHideFlags() != 0)
            continue;
        CRect rc = pControl->GetRect();
        rc.right = rcBorders.left + nWidth;
        pControl->SetRect(rc);
    }
    if (pExpand != NULL)
    {
        pExpand->SetHideFlags(pExpand->GetHideFlags() & ~CVZPControl::hideGenerated);
        pExpand->SetRect(CRect(rcBorders.left, y, rcBorders.left + nWidth, y + nExpandHeight));
    }
    m_rcTearOffGripper.SetRect(rcBorders.left, rcBorders.top - nGripper, rcBorders.left + nWidth, rcBorders.top);

    nWidth = std::max(nWidth, kMinContent);
    if (y == rcBorders.top)
        y = kMinContent;
    return CSize(rcBorders.left + rcBorders.right + nWidth, y + rcBorders.bottom);
}

void CVZPPopupBar::LayoutScrolled(const CSize* pSize, BOOL bFromBottom, BOOL bInvalidate)
{
    CSize sz(0, 0);
    if (pSize != NULL)
        sz = *pSize;
    else if (m_hWnd != NULL)
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        sz = rcClient.Size();
    }
    m_scrollDown.rc.SetRectEmpty();
    m_scrollUp.rc.SetRectEmpty();

    CWindowDC dc(NULL);
    CVZPFontSelector font(&dc, GetPaintManager()->GetCommandBarFont(this));
    CRect rcBorders;
    int nSeparator;
    int nGripper;
    GetMenuMetrics(&dc, rcBorders, nSeparator, nGripper);
    CVZPControl* pExpand = NULL;
    int nExpandHeight = 0;
    if (m_bCollapsed)
    {
        pExpand = EnsureExpandButton(&dc, nExpandHeight);
        rcBorders.bottom += nExpandHeight;
    }

    const int nCount = GetControlCount();
    const int nRight = sz.cx - rcBorders.right;
    auto hideByScroll = [&](int nIndex) {
        CVZPControl* pControl = GetControl(nIndex);
        if (IsChildOfBar(pControl, this) && pControl != pExpand)
            pControl->SetHideFlags(pControl->GetHideFlags() | CVZPControl::hideScroll);
    };
    if (!bFromBottom)
    {
        if (m_nFirstVisible == 1)
            m_nFirstVisible = 0;
        int y = rcBorders.top;
        if (m_nFirstVisible > 0)
        {
            m_scrollUp.rc.SetRect(rcBorders.left, y, nRight, y + kArrowHeight);
            y += kArrowHeight;
        }
        for (int i = 0; i < m_nFirstVisible && i < nCount; i++)
            hideByScroll(i);
        const int nLimit = sz.cy - rcBorders.bottom - kArrowHeight;
        BOOL bPlaced = FALSE;
        int i = m_nFirstVisible;
        for (; i < nCount; i++)
        {
            CVZPControl* pControl = GetControl(i);
            if (!IsChildOfBar(pControl, this) || pControl == pExpand)
                continue;
            pControl->SetHideFlags(pControl->GetHideFlags() & ~CVZPControl::hideScroll);
            if (pControl->GetHideFlags() != 0)
                continue;
            const int nTop = y + (bPlaced && pControl->GetBeginGroup() ? nSeparator : 0);
            const int nHeight = pControl->GetRect().Height();
            if (nTop + nHeight > nLimit)
                break;
            pControl->SetRect(CRect(rcBorders.left, nTop, nRight, nTop + nHeight));
            y = nTop + nHeight;
            bPlaced = TRUE;
        }
        for (int j = i; j < nCount; j++)
            hideByScroll(j);
        m_nLastVisible = i;
        if (i != nCount)
            m_scrollDown.rc.SetRect(rcBorders.left, nLimit, nRight, sz.cy - rcBorders.bottom);
    }
    else
    {
        if (m_nLastVisible >= nCount - 1)
            m_nLastVisible = nCount;
        int y = sz.cy - rcBorders.bottom;
        if (m_nLastVisible < nCount)
        {
            m_scrollDown.rc.SetRect(rcBorders.left, y - kArrowHeight, nRight, y);
            y -= kArrowHeight;
        }
        for (int j = m_nLastVisible; j < nCount; j++)
            hideByScroll(j);
        BOOL bStopped = FALSE;
        int i = m_nLastVisible - 1;
        for (; i >= 0; i--)
        {
            CVZPControl* pControl = GetControl(i);
            if (!IsChildOfBar(pControl, this) || pControl == pExpand)
                continue;
            pControl->SetHideFlags(pControl->GetHideFlags() & ~CVZPControl::hideScroll);
            if (pControl->GetHideFlags() != 0)
                continue;
            const int nHeight = pControl->GetRect().Height();
            if (y - nHeight < kArrowHeight)
            {
                bStopped = TRUE;
                break;
            }
            pControl->SetRect(CRect(rcBorders.left, y - nHeight, nRight, y));
            y -= nHeight;
            if (pControl->GetBeginGroup())
                y -= nSeparator;
        }
        if (bStopped)
        {
            for (int j = i; j >= 0; j--)
                hideByScroll(j);
            m_scrollUp.rc.SetRect(rcBorders.left, rcBorders.top, nRight, rcBorders.top + kArrowHeight);
        }
        m_nFirstVisible = bStopped ? i + 1 : 0;
    }
    if (pExpand != NULL)
    {
        pExpand->SetHideFlags(pExpand->GetHideFlags() & ~(CVZPControl::hideGenerated | CVZPControl::hideScroll));
        pExpand->SetRect(CRect(rcBorders.left, sz.cy - rcBorders.bottom, nRight,
                               sz.cy - rcBorders.bottom + nExpandHeight));
    }
    m_rcTearOffGripper.SetRect(rcBorders.left, rcBorders.top - nGripper, nRight, rcBorders.top);
    if (bInvalidate)
        Redraw();
}

void CVZPPopupBar::DelayLayout()
{
    if (m_bDynamicLayout || m_hWnd == NULL || !m_bTracking)
        return;
    VZPGetShadowManager()->RemoveShadows(this);
    CRect rcOld;
    GetWindowRect(&rcOld);
    RefreshShortcutTexts();
    PlaceAtControl();
    CSize sz = CalcDynamicLayout(0, 0);
    CRect rc = ComputePopupRect(sz);
    const BOOL bGrew = rcOld.bottom < rc.bottom;
    CWnd* pSite = GetOwnerSite();
    if (m_bExpanding)
    {
        ShowWindow(SW_HIDE);
        if (pSite->GetSafeHwnd() != NULL)
            pSite->UpdateWindow();
    }
    SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
    const int nAnimation = m_bExpanding ? GetAnimationType() : 5;
    if (nAnimation == 2 || nAnimation == 3 || nAnimation == 4)
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        CWindowDC dcWindow(this);
        CDC dcBuffer;
        CBitmap bitmap;
        if (dcBuffer.CreateCompatibleDC(&dcWindow) &&
            bitmap.CreateCompatibleBitmap(&dcWindow, rcClient.Width(), rcClient.Height()))
        {
            CBitmap* pOld = dcBuffer.SelectObject(&bitmap);
            DrawCommandBar(&dcBuffer);
            GetPaintManager()->AnimateExpanding(this, &dcWindow, &dcBuffer, bGrew);
            dcWindow.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcBuffer, 0, 0, SRCCOPY);
            dcBuffer.SelectObject(pOld);
        }
    }
    VZPGetSoundManager()->RequestSound(CVZPSoundManager::soundMenuPopup);
    if (m_barPosition == vzpBarPopup && m_bShowShadow)
        VZPGetShadowManager()->AddShadow(this, m_rcExclude);
    if (CVZPControlPopup* pPopupControl = DYNAMIC_DOWNCAST(CVZPControlPopup, m_pControlPopup))
        pPopupControl->ShowControlShadow();
    m_dwState &= ~stateRedrawPending;
    if (m_nLockRedraw <= 0)
        Invalidate(FALSE);
    m_bExpanding = FALSE;
}

// ---------------------------------------------------------------------------
// Animation

int CVZPPopupBar::GetAnimationType() const
{
    CVZPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || HasChildWindow())
        return 5;
    const int nType = pCommandBars->GetCommandBarsOptions()->animationType;
    switch (nType)
    {
    case 0:
    {
        BOOL bAnimation = FALSE;
        if (!::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &bAnimation, 0) || !bAnimation)
            return 5;
        BOOL bFade = FALSE;
        if (!::SystemParametersInfoW(SPI_GETMENUFADE, 0, &bFade, 0) || !bFade)
            return 3;
        return 4;
    }
    case 1:
    {
        static const int kRandomTypes[3] = {4, 3, 2};
        return kRandomTypes[rand() % 3];
    }
    default:
        return nType;
    }
}

void CVZPPopupBar::AnimateFirstPaint()
{
    CVZPCommandBar* pParent = GetParentCommandBar();
    const BOOL bByMouse = pParent == NULL || pParent->m_bEnteredByMouse;
    const int nType = GetAnimationType();
    if (bByMouse && !IsCustomizeMode() && !HasChildWindow() && (nType == 2 || nType == 3 || nType == 4) &&
        m_hWnd != NULL)
    {
        if (pParent != NULL && pParent->GetSafeHwnd() != NULL)
        {
            pParent->Invalidate(FALSE);
            pParent->UpdateWindow();
        }
        CWnd* pSite = GetOwnerSite();
        if (pSite->GetSafeHwnd() != NULL)
            pSite->UpdateWindow();
        CPaintDC dcPaint(this);
        CRect rcClient;
        GetClientRect(&rcClient);
        CDC dcBuffer;
        CBitmap bitmap;
        if (dcBuffer.CreateCompatibleDC(&dcPaint) &&
            bitmap.CreateCompatibleBitmap(&dcPaint, rcClient.Width(), rcClient.Height()))
        {
            CBitmap* pOld = dcBuffer.SelectObject(&bitmap);
            DrawCommandBar(&dcBuffer);
            GetPaintManager()->Animate(&dcPaint, &dcBuffer, rcClient, nType);
            dcPaint.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcBuffer, 0, 0, SRCCOPY);
            dcBuffer.SelectObject(pOld);
        }
    }
    if (pParent != NULL)
        pParent->m_bEnteredByMouse = FALSE;
}

// ---------------------------------------------------------------------------
// Mouse and timers

void CVZPPopupBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nLockTracking > 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.PtInRect(point) && m_pControlPopup != NULL && m_pParentBar != NULL &&
        m_pParentBar->GetSafeHwnd() != NULL && m_pParentBar->GetHotIndex() != m_pControlPopup->GetIndex())
        m_pParentBar->SetHotControl(m_pControlPopup->GetIndex(), FALSE);

    if (m_bScrolling)
    {
        OnScrollTimer(m_scrollDown, point);
        OnScrollTimer(m_scrollUp, point);
    }
    if (m_bTearOffPopup && !IsCustomizeMode() && m_rcTearOffGripper.PtInRect(point) && !m_bTearOffSelected)
    {
        SetHotControl(-1);
        SetPopupedControl(-1);
        m_nTearOffTimer = SetTimer(timerTearOff, kScrollPeriod, NULL);
    }
    CVZPCommandBar::OnMouseMove(nFlags, point);
}

void CVZPPopupBar::OnScrollTimer(SCROLLARROW& arrow, CPoint point)
{
    if (!arrow.rc.IsRectEmpty() && arrow.rc.PtInRect(point))
    {
        if (arrow.nTimer == 0)
        {
            arrow.nTimer = SetTimer(arrow.nTimerId, kScrollPeriod, NULL);
            SetPopupedControl(-1);
        }
    }
    else if (arrow.nTimer != 0)
    {
        KillTimer(arrow.nTimerId);
        arrow.nTimer = 0;
    }
}

void CVZPPopupBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case timerScrollDown:
        if (m_nLastVisible >= GetControlCount())
        {
            KillTimer(nIDEvent);
            m_scrollDown.nTimer = 0;
        }
        else
        {
            m_nLastVisible++;
            LayoutScrolled(NULL, TRUE, TRUE);
        }
        return;
    case timerScrollUp:
        if (m_nFirstVisible <= 0)
        {
            KillTimer(nIDEvent);
            m_scrollUp.nTimer = 0;
        }
        else
        {
            m_nFirstVisible--;
            LayoutScrolled(NULL, FALSE, TRUE);
        }
        return;
    case timerTearOff:
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const BOOL bOver = m_rcTearOffGripper.PtInRect(point);
        if (bOver && !m_bTearOffSelected)
        {
            m_bTearOffSelected = TRUE;
            Invalidate(FALSE);
        }
        else if (m_bTearOffSelected && !bOver && !m_bTearOffTracking)
        {
            m_bTearOffSelected = FALSE;
            Invalidate(FALSE);
            KillTimer(timerTearOff);
            m_nTearOffTimer = 0;
        }
        return;
    }
    case timerExpand:
    {
        KillTimer(timerExpand);
        CVZPControl* pHot = GetControl(m_nHotControl);
        if (pHot != NULL && pHot->GetID() == kExpandButtonId)
            pHot->OnExecute();
        return;
    }
    default:
        CVZPCommandBar::OnTimer(nIDEvent);
        return;
    }
}

void CVZPPopupBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bTearOffPopup && !IsCustomizeMode() && m_rcTearOffGripper.PtInRect(point))
    {
        ::SetCursor(::LoadCursorW(NULL, IDC_SIZEALL));
        CVZPMouseHookManager* pMouseManager = CVZPCommandBars::GetThreadMouseManager();
        pMouseManager->m_nDragCount++;
        m_bTearOffTracking = TRUE;
        InternalAddRef();
        TrackTearOff();
        m_bTearOffTracking = FALSE;
        pMouseManager->m_nDragCount--;
        const BOOL bGone = m_hWnd == NULL;
        InternalRelease();
        if (bGone)
            return;
    }
    CVZPCommandBar::OnLButtonDown(nFlags, point);
}

// ---------------------------------------------------------------------------
// Tear-off

void CVZPPopupBar::TrackTearOff()
{
    m_pTearOffBar = NULL;
    CRect rcGripper = m_rcTearOffGripper;
    ClientToScreen(&rcGripper);
    BOOL bNear = TRUE;
    if (::GetCapture() != NULL && ::GetCapture() != m_hWnd)
        return;
    SetCapture();
    HWND hWnd = m_hWnd;
    CPoint ptLast(-1, -1);
    while (::IsWindow(hWnd) && ::GetCapture() == hWnd)
    {
        MSG msg;
        // Windows uncovered by the moving bar repaint before the next move.
        for (int nPaints = 0; nPaints < 64 && ::PeekMessageW(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE); nPaints++)
            ::DispatchMessageW(&msg);
        if (!::GetMessageW(&msg, NULL, 0, 0))
        {
            AfxPostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN)
        {
            if (msg.wParam == VK_ESCAPE)
                break;
            continue;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            // Where the pointer was when the move happened: later moves may
            // already be queued.
            const CPoint point(msg.pt);
            if (point == ptLast)
            {
                ::DispatchMessageW(&msg);
                continue;
            }
            ptLast = point;
            CRect rcNear = rcGripper;
            rcNear.InflateRect(10, 10);
            const BOOL bNow = rcNear.PtInRect(point);
            if (bNow != bNear)
            {
                bNear = bNow;
                ShowTearOffBar(bNear, point.x, point.y);
            }
            if (m_pTearOffBar != NULL && m_pTearOffBar->GetSafeHwnd() != NULL)
            {
                CRect rcBar;
                m_pTearOffBar->GetWindowRect(&rcBar);
                m_pTearOffBar->SetWindowPos(NULL, point.x - rcBar.Width() / 2, point.y - 10, 0, 0,
                                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            continue;
        }
        ::DispatchMessageW(&msg);
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (m_pTearOffBar != NULL)
        CVZPCommandBars::ClosePopups();
}

void CVZPPopupBar::ShowTearOffBar(BOOL bNearGripper, int x, int y)
{
    if (m_hWnd != NULL)
        ShowWindow(bNearGripper ? SW_SHOWNA : SW_HIDE);
    if (bNearGripper)
    {
        if (m_pTearOffBar != NULL && m_pTearOffBar->GetSafeHwnd() != NULL)
            m_pTearOffBar->SetVisible(FALSE);
        m_pTearOffBar = NULL;
        return;
    }
    if (m_pTearOffBar != NULL)
        return;
    CVZPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    CVZPToolBar* pBar = pCommandBars->GetToolBar(m_nTearOffID);
    if (pBar != NULL)
    {
        pCommandBars->FloatCommandBar(pBar);
        pBar->SetVisible(TRUE);
        pCommandBars->RecalcFrameLayout();
    }
    else
    {
        pBar = pCommandBars->AddCustomBar(m_strTearOffCaption, m_nTearOffID, TRUE);
        if (pBar == NULL)
            return;
        pBar->SetMRUWidth(m_nTearOffWidth);
        for (int i = 0; i < GetControlCount(); i++)
        {
            CVZPControl* pControl = GetControl(i);
            if (pControl->GetID() == kExpandButtonId && pControl->IsKindOf(RUNTIME_CLASS(CVZPPopupExpandButton)))
                continue;
            CVZPControl* pCopy = pBar->GetControls()->AddClone(pControl, -1, TRUE);
            if (pCopy != NULL)
                pCopy->SetHideFlags(pCopy->GetHideFlags() & ~(CVZPControl::hideScroll | CVZPControl::hideExpand));
        }
    }
    m_pTearOffBar = pBar;
    m_szTearOffBar = pBar->CalcDynamicLayout(-1, kTornOffMode);
    if (pBar->GetSafeHwnd() != NULL)
    {
        pBar->SetWindowPos(NULL, x - m_szTearOffBar.cx / 2, y - 10, m_szTearOffBar.cx, m_szTearOffBar.cy,
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        pBar->OnRecalcLayout();
        pBar->Invalidate(FALSE);
    }
}

// ---------------------------------------------------------------------------
// Drawing and texts

void CVZPPopupBar::DrawCommandBar(CDC* pDC)
{
    CVZPCommandBar::DrawCommandBar(pDC);
    CVZPCommandBarPaintManager* pPaintManager = GetPaintManager();
    if (m_bScrolling)
    {
        const COLORREF clr = pPaintManager->GetColor(COLOR_BTNTEXT);
        if (!m_scrollDown.rc.IsRectEmpty())
        {
            const CPoint c = m_scrollDown.rc.CenterPoint();
            pPaintManager->Triangle(pDC, CPoint(c.x - 3, c.y), CPoint(c.x + 3, c.y), CPoint(c.x, c.y + 3), clr);
        }
        if (!m_scrollUp.rc.IsRectEmpty())
        {
            const CPoint c = m_scrollUp.rc.CenterPoint();
            pPaintManager->Triangle(pDC, CPoint(c.x - 3, c.y), CPoint(c.x + 3, c.y), CPoint(c.x, c.y - 3), clr);
        }
    }
    if (m_bTearOffPopup && GetControlCount() > 0)
        pPaintManager->DrawTearOffGripper(pDC, m_rcTearOffGripper, m_bTearOffSelected, TRUE);
}

void CVZPPopupBar::RefreshShortcutTexts()
{
    CVZPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL || !pCommandBars->GetCommandBarsOptions()->bAutoUpdateShortcuts)
        return;
    CVZPAcceleratorManager* pAccelerators = pCommandBars->GetAcceleratorManager();
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (!IsChildOfBar(pControl, this) || !pControl->IsVisible() || pControl->GetID() == 0)
            continue;
        CString strText = pControl->m_strShortcutTextAuto;
        if (!pAccelerators->GetShortcutText(pControl->GetID(), strText))
            strText.Empty();
        pControl->m_strShortcutTextAuto = strText;
    }
}

int CVZPPopupBar::GetDefaultItem(BOOL bByPosition) const
{
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (IsChildOfBar(pControl, this) && pControl->IsVisible() && pControl->IsDefaultItem())
            return bByPosition ? i : (int)pControl->GetID();
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Copies

void CVZPPopupBar::Copy(CVZPCommandBar* pCommandBar, BOOL bRecursive)
{
    CVZPCommandBar::Copy(pCommandBar, bRecursive);
    CVZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, pCommandBar);
    if (pPopup == NULL)
        return;
    m_bTearOffPopup = pPopup->m_bTearOffPopup;
    m_strTearOffCaption = pPopup->m_strTearOffCaption;
    m_nTearOffID = pPopup->m_nTearOffID;
    m_nTearOffWidth = pPopup->m_nTearOffWidth;
    m_bShowShadow = pPopup->m_bShowShadow;
    m_rcBorders = pPopup->m_rcBorders;
}

CVZPCommandBar* CVZPPopupBar::Clone(BOOL bRecursive)
{
    CVZPPopupBar* pPopup = (CVZPPopupBar*)GetRuntimeClass()->CreateObject();
    if (pPopup != NULL)
        pPopup->Copy(this, bRecursive);
    return pPopup;
}
