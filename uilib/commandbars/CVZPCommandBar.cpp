#include "CVZPCommandBar.h"

#include "CVZPAcceleratorManager.h"
#include "CVZPAccessibleBase.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPCustomizeDragTracker.h"
#include "CVZPDoubleBufferDC.h"
#include "CVZPImageManager.h"
#include "CVZPKeyboardHookManager.h"
#include "CVZPMouseHookManager.h"
#include "CVZPToolBar.h"
#include "CVZPTooltipService.h"
#include "VZPDrawHelpers.h"
#include "VZPSelectors.h"

#include <afxpriv.h>
#include <afxres.h>

#include <climits>
#include <cstdlib>

IMPLEMENT_SERIAL(CVZPCommandBar, CWnd, VERSIONABLE_SCHEMA | 0x10)

UINT CVZPCommandBar::s_nHoverDelay = 300;
UINT CVZPCommandBar::s_nExpandDelay = 5000;
CVZPCommandBar::PFNBEEP CVZPCommandBar::s_pfnBeep = NULL;

namespace {

// The idle update of one control: enable, check and text go to the control.
class CVZPControlCmdUI : public CCmdUI
{
public:
    explicit CVZPControlCmdUI(CVZPControl* pControl) : m_pControl(pControl) {}

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        if (!bOn && m_pControl->GetChecked())
        {
            m_pControl->SetChecked(0);
            m_pControl->RedrawParent();
        }
        m_pControl->SetEnabled(bOn);
    }
    void SetCheck(int nCheck) override
    {
        if (m_pControl->GetChecked() == nCheck)
            return;
        m_pControl->SetChecked(nCheck);
        m_pControl->RedrawParent();
    }
    void SetText(LPCTSTR lpszText) override { m_pControl->SetCaption(lpszText); }

private:
    CVZPControl* m_pControl;
};

// The record WM_VZP_BARKEYDOWN points to.
struct VZPBARKEYDOWN
{
    UINT nChar;
    LPARAM lKeyData;
};

}  // namespace

BEGIN_MESSAGE_MAP(CVZPCommandBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINT, OnPrint)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTestMsg)
    ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDownMsg)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMsg)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
END_MESSAGE_MAP()

CVZPCommandBar::CVZPCommandBar()
    : m_bHideCaret(TRUE), m_nMRUWidth(32767), m_nHotControl(-1), m_nPopupedControl(-1), m_hwndCaret(NULL),
      m_nBarID(0), m_bVisible(TRUE), m_bTracking(0), m_pOwnerWnd(NULL), m_dwState(0), m_dwFlags(0), m_dwStyle(0),
      m_barType(vzpBarTypeNormal), m_pControls(NULL), m_barPosition(vzpBarNone), m_pCommandBars(NULL),
      m_pNotifyWnd(NULL), m_szIcons(0, 0), m_szButtons(0, 0), m_nTextBelowIcons(2), m_bRightButton(FALSE),
      m_bNoNotify(FALSE), m_bRecursive(FALSE), m_nLockTracking(0), m_bKeyboardSelected(FALSE), m_bCloseable(FALSE),
      m_bCustomizable(TRUE), m_rcMarker(0, 0, 0, 0), m_bVerticalMarker(FALSE), m_bContextMenuPresent(TRUE),
      m_bEnteredByMouse(FALSE), m_nLockRedraw(0), m_pPaintManager(NULL), m_pImageManager(NULL),
      m_pToolTipContext(NULL), m_nStatusControl(-1)
{
    m_pControls = new CVZPControls;
    m_pControls->SetParent(this);
    EnableAutomation();
}

CVZPCommandBar::~CVZPCommandBar()
{
    if (m_bTracking)
        SetTrackingMode(0, TRUE, FALSE);
    CVZPMouseHookManager* pMouseManager = CVZPCommandBars::GetThreadMouseManager();
    if (pMouseManager->m_pHotBar == this)
        pMouseManager->m_pHotBar = NULL;
    if (m_pControls != NULL)
    {
        m_pControls->RemoveAll();
        m_pControls->SetParent(NULL);
        m_pControls->InternalRelease();
    }
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    if (m_pToolTipContext != NULL)
        m_pToolTipContext->InternalRelease();
}

void CVZPCommandBar::OnFinalRelease()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    CWnd::OnFinalRelease();
}

void AFX_CDECL CVZPCommandBar::SetBeepForTest(PFNBEEP pfn)
{
    s_pfnBeep = pfn;
}

void CVZPCommandBar::Beep(UINT nType) const
{
    if (s_pfnBeep != NULL)
        s_pfnBeep(nType);
    else
        ::MessageBeep(nType);
}

// ---------------------------------------------------------------------------
// Lookups

CVZPCommandBars* CVZPCommandBar::GetCommandBars() const
{
    for (const CVZPCommandBar* pBar = this; pBar != NULL; pBar = pBar->GetParentCommandBar())
        if (pBar->m_pCommandBars != NULL)
            return pBar->m_pCommandBars;
    return NULL;
}

CVZPCommandBar* CVZPCommandBar::GetRootParent() const
{
    const CVZPCommandBar* pBar = this;
    while (pBar->GetParentCommandBar() != NULL)
        pBar = pBar->GetParentCommandBar();
    return const_cast<CVZPCommandBar*>(pBar);
}

CVZPControl* CVZPCommandBar::GetControl(int nIndex) const
{
    return m_pControls->GetAt(nIndex);
}

int CVZPCommandBar::GetControlCount() const
{
    return m_pControls->GetCount();
}

CWnd* CVZPCommandBar::GetSite() const
{
    if (CVZPCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetSite();
    CVZPCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pOwnerWnd != NULL)
        return pRoot->m_pOwnerWnd;
    if (pRoot->m_hWnd != NULL)
    {
        HWND hWnd = ::GetWindow(pRoot->m_hWnd, GW_OWNER);
        if (hWnd == NULL)
            hWnd = ::GetParent(pRoot->m_hWnd);
        if (hWnd != NULL)
            return CWnd::FromHandle(hWnd);
    }
    return AfxGetMainWnd();
}

CWnd* CVZPCommandBar::GetOwnerSite() const
{
    CVZPCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pNotifyWnd != NULL)
        return pRoot->m_pNotifyWnd;
    return GetSite();
}

CVZPCommandBarPaintManager* CVZPCommandBar::GetPaintManager() const
{
    if (m_pPaintManager != NULL)
        return m_pPaintManager;
    if (CVZPCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetPaintManager();
    CVZPCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pPaintManager != NULL)
        return pRoot->m_pPaintManager;
    if (VZPPaintManager() == NULL)
        CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    return VZPPaintManager();
}

CVZPImageManager* CVZPCommandBar::GetImageManager() const
{
    if (m_pImageManager != NULL)
        return m_pImageManager;
    if (CVZPCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetImageManager();
    CVZPCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pImageManager != NULL)
        return pRoot->m_pImageManager;
    return ::GetImageManager();
}

void CVZPCommandBar::SetImageManager(CVZPImageManager* pImageManager)
{
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

BOOL CVZPCommandBar::IsCustomizeMode() const
{
    CVZPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != NULL && pCommandBars->IsCustomizeMode();
}

BOOL CVZPCommandBar::IsHelpMode() const
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetSite());
    return pFrame != NULL && pFrame->m_bHelpMode;
}

BOOL CVZPCommandBar::IsLayoutRTL() const
{
    return m_hWnd != NULL && (::GetWindowLongW(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

BOOL CVZPCommandBar::IsHorizontalBar() const
{
    return m_barPosition == vzpBarTop || m_barPosition == vzpBarBottom || m_barPosition == vzpBarFloating ||
           (m_barPosition == vzpBarPopup && m_barType == vzpBarTypeNormal);
}

// GetIconSize and GetButtonSize, the size rules of every bar, live with
// the toolbar (CVZPToolBar.cpp), whose options they follow.

BOOL CVZPCommandBar::IsTextBelowIcons() const
{
    if (m_nTextBelowIcons != 2)
        return m_nTextBelowIcons == 1;
    CVZPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != NULL && pCommandBars->GetCommandBarsOptions()->bShowTextBelowIcons;
}

BOOL CVZPCommandBar::IsPointInBar(CPoint point) const
{
    if (m_hWnd == NULL)
        return FALSE;
    CRect rect;
    ::GetWindowRect(m_hWnd, &rect);
    return rect.PtInRect(point);
}

// ---------------------------------------------------------------------------
// Redrawing

void CVZPCommandBar::Redraw()
{
    m_dwState &= ~stateRedrawPending;
    if (m_nLockRedraw <= 0 && m_hWnd != NULL)
        ::InvalidateRect(m_hWnd, NULL, FALSE);
}

void CVZPCommandBar::UnlockRedraw()
{
    if (--m_nLockRedraw <= 0)
    {
        m_nLockRedraw = 0;
        Redraw();
    }
}

void CVZPCommandBar::InvalidateParents()
{
    for (CVZPCommandBar* pBar = this; pBar != NULL; pBar = pBar->GetParentCommandBar())
        if (pBar->m_hWnd != NULL)
            ::InvalidateRect(pBar->m_hWnd, NULL, FALSE);
}

void CVZPCommandBar::DelayLayout()
{
    m_nHotControl = -1;
    m_nPopupedControl = -1;
    m_dwState |= stateLayoutPending;
}

// ---------------------------------------------------------------------------
// Tracking, hot and popuped controls

BOOL CVZPCommandBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if ((m_bTracking != 0 && bMode != 0) || m_bTracking == bMode)
    {
        m_bTracking = bMode;
        return FALSE;
    }
    m_bTracking = bMode;
    CVZPCommandBars* pCommandBars = GetCommandBars();
    CVZPMouseHookManager* pMouseManager = CVZPCommandBars::GetThreadMouseManager();
    CVZPKeyboardHookManager* pKeyboardManager = CVZPCommandBars::GetThreadKeyboardManager();

    if (bMode)
    {
        CWnd* pSite = GetSite();
        if (m_barType == vzpBarTypeMenuBar && pSite->GetSafeHwnd() != NULL)
            pSite->SendMessage(WM_VZP_MENUBARTRACKING, (WPARAM)this, 0);
        m_bEnteredByMouse = !bSelectFirst && !bKeyboard;
        if (m_bHideCaret && m_hwndCaret == NULL)
        {
            m_hwndCaret = ::GetFocus();
            if (m_hwndCaret == NULL)
                m_hwndCaret = pSite->GetSafeHwnd();
            if (m_hwndCaret != NULL)
                ::HideCaret(m_hwndCaret);
        }
        pMouseManager->AddTrackedPopup(this);
        pKeyboardManager->AddKeyboardReceiver(this);
        ::SetCursor(::LoadCursorW(NULL, IDC_ARROW));
        if (bSelectFirst)
            SetHotControl(GetNextNavigable(-1, +1), TRUE);
    }
    else
    {
        m_bEnteredByMouse = FALSE;
        pMouseManager->RemoveTrackedPopup(this);
        pKeyboardManager->RemoveKeyboardReceiver(this);
        SetPopupedControl(-1);
        if (bSelectFirst)
            SetHotControl(-1);
        if (m_hwndCaret != NULL)
        {
            ::ShowCaret(m_hwndCaret);
            m_hwndCaret = NULL;
        }
        Redraw();
        if (!pMouseManager->IsInputBlocked(NULL))
            pMouseManager->m_bFullMenus = FALSE;
        if (m_hWnd != NULL && ::GetFocus() == m_hWnd)
        {
            HWND hParent = ::GetParent(m_hWnd);
            HWND hNext = hParent != NULL ? ::GetNextDlgTabItem(hParent, m_hWnd, FALSE) : NULL;
            if (hNext != NULL)
                ::SetFocus(hNext);
        }
        m_nLockTracking = 0;
    }
    if (pCommandBars != NULL)
        pCommandBars->OnTrackingModeChanged(this, bMode);
    return TRUE;
}

BOOL CVZPCommandBar::SetHotControl(int nIndex, BOOL bKeyboard)
{
    if (nIndex < -1 || nIndex >= GetControlCount())
        nIndex = -1;
    if (m_nHotControl == nIndex)
        return FALSE;
    m_bKeyboardSelected = bKeyboard;
    if (m_hWnd == NULL)
    {
        // Nothing is drawn without a window; a cleared hot control is still
        // remembered.
        if (nIndex == -1)
            m_nHotControl = -1;
        return FALSE;
    }

    LockRedraw();
    if (CVZPControl* pOld = GetControl(m_nHotControl))
        pOld->SetSelected(0);
    m_nHotControl = nIndex;
    if (nIndex == -1)
        KillTimer(timerHover);
    else
    {
        if (m_bTracking)
            CVZPAccessibleBase::CallNotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_MENU, nIndex + 1);
        if (CVZPControl* pControl = GetControl(nIndex))
            pControl->SetSelected(bKeyboard ? 2 : 1);
        CVZPCommandBars::GetThreadMouseManager()->m_pHotBar = this;
        if (!bKeyboard)
            SetTimer(timerHover, s_nHoverDelay, NULL);
    }
    UnlockRedraw();
    return TRUE;
}

BOOL CVZPCommandBar::SetPopupedControl(int nIndex, BOOL bKeyboard)
{
    if (nIndex == m_nPopupedControl)
        return FALSE;
    LockRedraw();
    if (m_nPopupedControl != -1)
    {
        CVZPControl* pOpen = GetControl(m_nPopupedControl);
        m_nPopupedControl = -1;
        if (pOpen != NULL)
            pOpen->SetPopuped(FALSE);
    }
    if (nIndex != -1)
    {
        CVZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CVZPControlPopup, GetControl(nIndex));
        if (pPopup == NULL || !pPopup->GetEnabled())
        {
            UnlockRedraw();
            return FALSE;
        }
        m_nPopupedControl = nIndex;
        SetTrackingMode(2, FALSE, bKeyboard);
        SetHotControl(nIndex, bKeyboard);
        pPopup->SetPopuped(TRUE);
        CVZPCommandBars* pCommandBars = GetCommandBars();
        if (pCommandBars != NULL && pCommandBars->GetCommandBarsOptions()->bShowFullAfterDelay && m_hWnd != NULL)
            SetTimer(timerShowFull, s_nExpandDelay, NULL);
    }
    UnlockRedraw();
    return TRUE;
}

BOOL CVZPCommandBar::Popup(CVZPControl* pControl, BOOL bSelectFirst)
{
    (void)pControl;
    (void)bSelectFirst;
    return FALSE;
}

// ---------------------------------------------------------------------------
// Keyboard

int CVZPCommandBar::GetNextNavigable(int nStart, int nStep) const
{
    return m_pControls->GetNext(nStart, nStep, TRUE, FALSE, TRUE);
}

int CVZPCommandBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    (void)hWnd;
    (void)lResult;
    if (!m_bTracking)
        return 0;
    if (nMessage == WM_KEYDOWN)
        return OnHookKeyDown((UINT)wParam, lParam);
    if (nMessage == WM_MOUSEWHEEL)
        return 1;
    return 0;
}

int CVZPCommandBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (IsCustomizeMode() || IsHelpMode())
        return 2;
    if (m_nLockTracking > 0)
        return 1;
    CVZPControl* pHot = GetControl(m_nHotControl);
    if (pHot != NULL && pHot->HasFocus())
    {
        int nAnswer = pHot->OnHookKeyDown(nChar, lParam);
        if (nAnswer == 1 || nAnswer == 2)
            return nAnswer;
    }

    HWND hWnd = m_hWnd;
    VZPBARKEYDOWN keyDown = {nChar, lParam};
    CWnd* pSite = GetSite();
    if (pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_VZP_BARKEYDOWN, (WPARAM)&keyDown, (LPARAM)this);
    if (hWnd == NULL || !::IsWindow(hWnd))
        return 1;
    nChar = keyDown.nChar;

    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    switch (nChar)
    {
    case VK_TAB:
    {
        CVZPCommandBars* pCommandBars = GetCommandBars();
        CVZPCommandBar* pRoot = GetRootParent();
        if (bCtrl && pCommandBars != NULL && pRoot->IsKindOf(RUNTIME_CLASS(CVZPToolBar)) &&
            pCommandBars->SetTrackingBar(pRoot, bShift ? -1 : 1))
            return 1;
        Navigate(bShift ? navPrev : navNext);
        if (CVZPControl* pNew = GetControl(m_nHotControl))
            if (pNew->IsFocusable())
                pNew->SetFocused(TRUE);
        return 1;
    }
    case VK_RETURN:
        Navigate(navEnter);
        return 1;
    case VK_ESCAPE:
        Navigate(navEscape);
        return 1;
    default:
        break;
    }

    HWND hFocus = ::GetFocus();
    if (hFocus != NULL && ::IsChild(m_hWnd, hFocus))
        return 2;

    const BOOL bRTL = IsLayoutRTL();
    const BOOL bHorz = IsHorizontalBar();
    int nAction = -1;
    switch (nChar)
    {
    case VK_END:
        nAction = navLast;
        break;
    case VK_HOME:
        nAction = navFirst;
        break;
    case VK_LEFT:
        nAction = bHorz ? (bRTL ? navNext : navPrev) : (bRTL ? navExpand : navCollapse);
        break;
    case VK_UP:
        nAction = bHorz ? navCollapse : navPrev;
        break;
    case VK_RIGHT:
        nAction = bHorz ? (bRTL ? navPrev : navNext) : (bRTL ? navCollapse : navExpand);
        break;
    case VK_DOWN:
        nAction = bHorz ? navExpand : navNext;
        break;
    default:
        break;
    }
    if (nAction != -1)
        return Navigate(nAction) ? 1 : 0;

    if (LOWORD(nChar) == 0 || ::MapVirtualKeyW(nChar, 2) == 0)
        return 1;
    if (!bCtrl)
    {
        BOOL bAmbiguous = FALSE;
        int nIndex = FindMnemonicControl(nChar, &bAmbiguous);
        if (nIndex != -1)
        {
            SetHotControl(nIndex, TRUE);
            if (!bAmbiguous)
                if (CVZPControl* pControl = GetControl(nIndex))
                    pControl->OnUnderlineActivate();
            return 1;
        }
    }
    if (nChar != VK_SHIFT && nChar != VK_CONTROL)
        Beep(0);
    return 1;
}

BOOL CVZPCommandBar::Navigate(int nAction)
{
    const BOOL bPopupToolBar = m_barPosition == vzpBarPopup && m_barType == vzpBarTypeNormal;
    if (bPopupToolBar && m_nHotControl != -1 && m_nHotControl == m_nPopupedControl)
    {
        if (nAction == navNext)
            return FALSE;
        if (nAction == navPrev)
            nAction = navCollapse;
    }
    CVZPControlPopup* pHotPopup = DYNAMIC_DOWNCAST(CVZPControlPopup, GetControl(m_nHotControl));
    const BOOL bHotOpens = pHotPopup != NULL && pHotPopup->GetEnabled();
    if (nAction == navCollapse && m_nHotControl != -1 && m_nPopupedControl == -1 &&
        (GetParentCommandBar() == NULL || bPopupToolBar) && bHotOpens)
        nAction = navExpand;
    if ((nAction == navCollapse || nAction == navExpand) && (bPopupToolBar || m_barPosition == vzpBarFloating) &&
        m_nPopupedControl == -1 && !bHotOpens)
        return NavigateGrid(nAction == navExpand ? 1 : -1);

    switch (nAction)
    {
    case navNext:
    case navPrev:
    {
        int nIndex = GetNextNavigable(m_nHotControl, nAction == navNext ? 1 : -1);
        if (nIndex != -1)
            SetHotControl(nIndex, TRUE);
        return TRUE;
    }
    case navCollapse:
        if (m_nPopupedControl == -1)
            return FALSE;
        SetPopupedControl(-1);
        SetTrackingMode(1, FALSE, FALSE);
        return TRUE;
    case navExpand:
    {
        CVZPControl* pHot = GetControl(m_nHotControl);
        if (pHot == NULL || m_nPopupedControl == m_nHotControl)
            return FALSE;
        pHot->SetSelected(2);
        return SetPopupedControl(m_nHotControl, FALSE);
    }
    case navEscape:
        if (CVZPCommandBar* pParent = GetParentCommandBar())
            pParent->SetTrackingMode(1, FALSE, FALSE);
        SetTrackingMode(0, TRUE, FALSE);
        return TRUE;
    case navEnter:
    {
        CVZPControl* pHot = GetControl(m_nHotControl);
        if (pHot == NULL)
            return FALSE;
        pHot->SetSelected(2);
        pHot->OnClick(TRUE, CPoint(0, 0));
        return TRUE;
    }
    case navFirst:
    case navLast:
    {
        int nIndex = nAction == navFirst ? GetNextNavigable(-1, 1) : GetNextNavigable(GetControlCount(), -1);
        if (nIndex != -1)
            SetHotControl(nIndex, TRUE);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CVZPCommandBar::NavigateGrid(int nStep)
{
    CVZPControl* pHot = GetControl(m_nHotControl);
    if (pHot == NULL)
    {
        int nIndex = GetNextNavigable(nStep > 0 ? -1 : GetControlCount(), nStep);
        if (nIndex != -1)
            SetHotControl(nIndex, TRUE);
        return TRUE;
    }
    const int nLeft = pHot->GetRect().left;
    const int nRowTop = pHot->GetRowRect().top;
    int nCandidate = -1;
    for (int nIndex = GetNextNavigable(m_nHotControl, nStep); nIndex != -1 && nIndex != m_nHotControl;
         nIndex = GetNextNavigable(nIndex, nStep))
    {
        CVZPControl* pControl = GetControl(nIndex);
        if (nCandidate == -1)
        {
            if (pControl->GetRowRect().top != nRowTop && !pControl->GetRowRect().IsRectEmpty())
                nCandidate = nIndex;
            continue;
        }
        CVZPControl* pCandidate = GetControl(nCandidate);
        if (pControl->GetRowRect().top != pCandidate->GetRowRect().top)
            break;
        const int c = pControl->GetRect().left;
        const int k = pCandidate->GetRect().left;
        BOOL bReplace;
        if (c > nLeft)
            bReplace = k > c;
        else if (c > k)
            bReplace = TRUE;
        else if (c < nLeft)
            bReplace = FALSE;
        else
            bReplace = k > c;
        if (!bReplace)
            break;
        nCandidate = nIndex;
    }
    if (nCandidate != -1)
        SetHotControl(nCandidate, TRUE);
    return TRUE;
}

int CVZPCommandBar::FindMnemonicControl(UINT nKey, BOOL* pbAmbiguous) const
{
    BOOL bAmbiguous = FALSE;
    const int nCount = GetControlCount();
    int nPrefix = -1;
    int nFirstLetter = -1;
    for (int i = 1; i <= nCount; i++)
    {
        const int nIndex = (m_nHotControl + i + nCount) % nCount;
        CVZPControl* pControl = GetControl(nIndex);
        // The first step tolerates only hide flag 0x8, the later ones 0x20 too.
        const DWORD dwTolerated = i == 1 ? CVZPControl::hideScroll : (CVZPControl::hideScroll | CVZPControl::hideExpand);
        if ((pControl->GetHideFlags() & ~dwTolerated) != 0 || !pControl->GetEnabled())
            continue;
        const CString strCaption = pControl->GetCaption();
        if (strCaption.IsEmpty())
            continue;
        const int nAmp = strCaption.Find(_T('&'));
        const BOOL bPrefix = nAmp >= 0 && nAmp < strCaption.GetLength() - 1;
        const TCHAR ch = bPrefix ? strCaption[nAmp + 1] : strCaption[0];
        if (!CVZPAcceleratorManager::MatchesAccelKey(ch, nKey))
            continue;
        if (bPrefix)
        {
            if (nPrefix != -1)
            {
                bAmbiguous = TRUE;
                break;
            }
            nPrefix = nIndex;
        }
        else if (nFirstLetter == -1)
            nFirstLetter = nIndex;
        else
            bAmbiguous = TRUE;
    }
    if (pbAmbiguous != NULL)
        *pbAmbiguous = bAmbiguous;
    return nPrefix != -1 ? nPrefix : nFirstLetter;
}

// ---------------------------------------------------------------------------
// Filling the bar

BOOL CVZPCommandBar::LoadMenu(CMenu* pMenu, BOOL bRemoveExisting)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    if (bRemoveExisting)
        m_pControls->RemoveAll();
    HMENU hMenu = pMenu->GetSafeHmenu();
    BOOL bBeginGroup = FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE | MIIM_TYPE;
        ::GetMenuItemInfoW(hMenu, (UINT)i, TRUE, &mii);
        if ((mii.fType & MFT_SEPARATOR) != 0 || ::GetMenuItemID(hMenu, i) == 0)
        {
            bBeginGroup = TRUE;
            continue;
        }
        CVZPControl* pControl = m_pControls->AddMenuItem(pMenu, i);
        if (pControl == NULL)
            continue;
        if (bBeginGroup)
        {
            pControl->SetBeginGroup(TRUE);
            bBeginGroup = FALSE;
        }
        if (mii.fState & MFS_CHECKED)
            pControl->SetChecked(TRUE);
        if (mii.fState & (MFS_GRAYED | MFS_DISABLED))
            pControl->SetEnabled(FALSE);
    }
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetSite());
    if (pFrame == NULL && m_hWnd != NULL)
        pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout(TRUE);
    return TRUE;
}

BOOL CVZPCommandBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    // The buttons become controls with the toolbar's own layout; here the
    // resource is found and its images are filed.
    HINSTANCE hInstance = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_TOOLBAR);
    if (::FindResourceW(hInstance, MAKEINTRESOURCE(nIDResource), RT_TOOLBAR) == NULL)
        return FALSE;
    if (bLoadIcons)
        GetImageManager()->LoadToolBarIcons(nIDResource);
    return TRUE;
}

void CVZPCommandBar::SetStatusText(const CString& strText)
{
    CVZPCommandBars* pCommandBars = GetCommandBars();
    CWnd* pSite = pCommandBars != NULL ? pCommandBars->GetSite() : GetSite();
    if (pSite->GetSafeHwnd() == NULL)
        return;
    if (!strText.IsEmpty())
        pSite->SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)(LPCTSTR)strText);
    else
        pSite->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

void CVZPCommandBar::OnControlSelected(BOOL bSelected, CVZPControl* pControl)
{
    if (pControl == NULL)
        return;
    CWnd* pSite = GetSite();
    if (pSite->GetSafeHwnd() != NULL)
        pSite->SendMessage(WM_VZP_CONTROLSELECTED, bSelected ? (WPARAM)pControl : 0, 0);
    if (pControl->GetIndex() != m_nStatusControl)
    {
        m_nStatusControl = -1;
        SetStatusText(bSelected ? pControl->GetDescription() : CString());
    }
    else if (!bSelected)
        m_nStatusControl = -1;
}

// ---------------------------------------------------------------------------
// Idle update

void CVZPCommandBar::OnIdleUpdateCmdUI(BOOL bDisableIfNoHandler)
{
    if (m_hWnd == NULL || (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE) == 0)
        return;
    CWnd* pTarget = GetOwnerSite();
    UpdateDocTemplateControls();
    OnUpdateCmdUI(pTarget, bDisableIfNoHandler);
}

void CVZPCommandBar::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHandler)
{
    const int nCount = GetControlCount();
    for (int i = 0; i < nCount; i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (pControl->GetPressed())
        {
            pControl->SetPressed(0);
            DelayRedraw();
        }
    }
    if (!GetRootParent()->m_bNoNotify)
    {
        const BOOL bCustomize = IsCustomizeMode();
        for (int i = 0; i < GetControlCount(); i++)
        {
            CVZPControl* pControl = GetControl(i);
            if (pControl->GetFlags() & CVZPControl::flagNoUpdate)
                continue;
            CVZPControlCmdUI state(pControl);
            state.m_pOther = this;
            state.m_nID = pControl->GetID();
            state.m_nIndex = (UINT)i;
            state.m_nIndexMax = (UINT)GetControlCount();
            if (CWnd::OnCmdMsg(0, MAKELONG(CN_UPDATE_COMMAND_UI, WM_COMMAND + WM_REFLECT_BASE), &state, NULL))
                continue;
            if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, NULL))
                continue;
            if (bCustomize)
                pControl->SetEnabled(TRUE);
            else if (pTarget != NULL)
                state.DoUpdate(pTarget, bDisableIfNoHandler);
        }
    }
    if (m_dwState & stateRedrawPending)
        Redraw();
    if (m_dwState & stateLayoutPending)
    {
        m_dwState &= ~stateLayoutPending;
        OnRecalcLayout();
    }
    if (pTarget != NULL)
        UpdateDialogControls(pTarget, bDisableIfNoHandler);
}

void CVZPCommandBar::UpdateDocTemplateControls()
{
    CVZPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars == NULL)
        return;
    const UINT nTemplate = pCommandBars->GetActiveMenuId();
    if (nTemplate == 0)
        return;
    BOOL bChanged = FALSE;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        const DWORD dwOld = pControl->GetHideFlags();
        DWORD dwNew = dwOld;
        BOOL bValue;
        if (!pControl->m_mapDocTemplatesAssigned.IsEmpty())
            dwNew = pControl->m_mapDocTemplatesAssigned.Lookup(nTemplate, bValue) ? (dwNew & ~CVZPControl::hideDocTemplate)
                                                                                 : (dwNew | CVZPControl::hideDocTemplate);
        if (!pControl->m_mapDocTemplatesExcluded.IsEmpty())
            dwNew = pControl->m_mapDocTemplatesExcluded.Lookup(nTemplate, bValue) ? (dwNew | CVZPControl::hideDocTemplate)
                                                                                 : (dwNew & ~CVZPControl::hideDocTemplate);
        if (dwNew != dwOld)
        {
            pControl->SetHideFlags(dwNew);
            bChanged = TRUE;
        }
    }
    if (bChanged)
        m_dwState |= stateLayoutPending;
}

// ---------------------------------------------------------------------------
// Drawing

void CVZPCommandBar::DrawCommandBar(CDC* pDC)
{
    CVZPCommandBarPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->FillCommandBarEntry(pDC, this);
    if (m_dwStyle & CBRS_GRIPPER)
        pPaintManager->DrawCommandBarGripper(pDC, this, TRUE);

    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (pControl->GetParent() != this || pControl->GetHideFlags() != 0)
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pPaintManager->DrawCommandBarSeparator(pDC, this, pControl, TRUE);
        bFirst = FALSE;
        CVZPFontSelector font(pDC, pPaintManager->GetCommandBarFont(this, pControl->IsDefaultItem()));
        pControl->Draw(pDC);
    }

    if (!IsCustomizeMode())
        return;
    CVZPControl* pSelected = GetCommandBars()->GetDragControl();
    if (pSelected != NULL && pSelected->GetParent() == this && pSelected->GetHideFlags() == 0)
    {
        CRect rc = pSelected->GetRect();
        pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(rc, RGB(0, 0, 0), RGB(0, 0, 0));
    }
    if (m_rcMarker.IsRectEmpty())
        return;
    CBrush brush(pPaintManager->GetColor(COLOR_BTNFACE));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    const CRect& r = m_rcMarker;
    const DWORD dwRop = PATINVERT;
    if (!m_bVerticalMarker)
    {
        pDC->PatBlt(r.left, r.top, 6, 1, dwRop);
        pDC->PatBlt(r.left + 1, r.top + 1, 4, 1, dwRop);
        pDC->PatBlt(r.left + 2, r.top + 2, 2, r.Height() - 4, dwRop);
        pDC->PatBlt(r.left + 1, r.bottom - 2, 4, 1, dwRop);
        pDC->PatBlt(r.left, r.bottom - 1, 6, 1, dwRop);
    }
    else
    {
        pDC->PatBlt(r.left, r.top, 1, 6, dwRop);
        pDC->PatBlt(r.left + 1, r.top + 1, 1, 4, dwRop);
        pDC->PatBlt(r.left + 2, r.top + 2, r.Width() - 4, 2, dwRop);
        pDC->PatBlt(r.right - 2, r.top + 1, 1, 4, dwRop);
        pDC->PatBlt(r.right - 1, r.top, 1, 6, dwRop);
    }
    pDC->SelectObject(pOldBrush);
}

void CVZPCommandBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CVZPDoubleBufferDC memDC(dc.GetSafeHdc(), rcClient);
    DrawCommandBar(&memDC);
}

BOOL CVZPCommandBar::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

LRESULT CVZPCommandBar::OnPrint(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    CDC* pDC = CDC::FromHandle((HDC)wParam);
    if (pDC != NULL)
        DrawCommandBar(pDC);
    return 1;
}

// ---------------------------------------------------------------------------
// Window messages

BOOL CVZPCommandBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pToolTipContext != NULL && m_hWnd != NULL)
        m_pToolTipContext->FilterMouseMessage(this, message, wParam, lParam);
    // A handler may end with the bar's last reference released (a torn-off
    // bar closed by its own button): the bar lives until the handler is done.
    const BOOL bHold = (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_TIMER;
    if (!bHold)
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    InternalAddRef();
    BOOL bResult = CWnd::OnWndMsg(message, wParam, lParam, pResult);
    InternalRelease();
    return bResult;
}

int CVZPCommandBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CVZPCommandBars* pCommandBars = GetCommandBars();
    if (m_barPosition != vzpBarListBox && pCommandBars != NULL && pCommandBars->GetDropSource() != NULL)
        pCommandBars->GetDropSource()->RegisterDropTarget(this);
    if (pCommandBars != NULL)
    {
        if (m_pToolTipContext == NULL && pCommandBars->GetToolTipContext() != NULL)
        {
            m_pToolTipContext = pCommandBars->GetToolTipContext();
            m_pToolTipContext->InternalAddRef();
        }
    }
    else if (m_barPosition != vzpBarPopup)
        EnableToolTips(TRUE);
    return 0;
}

void CVZPCommandBar::OnDestroy()
{
    CVZPCommandBars* pCommandBars = GetCommandBars();
    if (m_barPosition != vzpBarListBox && pCommandBars != NULL && pCommandBars->GetDropSource() != NULL)
        pCommandBars->GetDropSource()->UnregisterDropTarget(this);
    if (m_bTracking)
        SetTrackingMode(0, TRUE, FALSE);
    CWnd::OnDestroy();
}

void CVZPCommandBar::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (m_hWnd == NULL)
        return;
    CVZPMouseHookManager* pMouseManager = CVZPCommandBars::GetThreadMouseManager();
    if (pMouseManager->IsInputBlocked(this))
        return;
    if (!m_bTracking && m_barPosition != vzpBarPopup && !::IsTopParentActive(m_hWnd))
        return;
    if (pMouseManager->m_nLockCount > 0)
        return;
    if (IsCustomizeMode())
    {
        CVZPControl* pSelected = GetCommandBars()->GetDragControl();
        if (pSelected != NULL && pSelected->GetParent() == this && pSelected->IsCustomizeResizeAllowed() &&
            pSelected->IsOnResizeEdge(point, 2))
            ::SetCursor(CVZPControl::GetResizeCursor());
        return;
    }
    int nHot = -1;
    if (m_bTracking && !(m_barPosition == vzpBarPopup && !m_bKeyboardSelected && m_nPopupedControl == -1))
        nHot = m_nHotControl;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (pControl->GetParent() != this || pControl->GetHideFlags() != 0 || !pControl->GetRect().PtInRect(point))
            continue;
        nHot = i;
        pMouseManager->TrackMouseLeave(m_hWnd);
        pControl->OnMouseMove(point);
    }
    SetHotControl(nHot, FALSE);
}

void CVZPCommandBar::OnMouseLeave()
{
    CVZPMouseHookManager* pMouseManager = CVZPCommandBars::GetThreadMouseManager();
    if (pMouseManager->m_nLockCount > 0 || m_nLockTracking != 0)
        return;
    if (!m_bTracking || (m_barPosition == vzpBarPopup && m_nPopupedControl == -1))
        SetHotControl(-1);
}

void CVZPCommandBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    OnMouseLeave();
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CVZPCommandBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CVZPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL)
    {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    CVZPCommandBars* pCommandBars = GetCommandBars();
    const BOOL bCustomize = IsCustomizeMode();
    const BOOL bLocked = (pControl->GetFlags() & CVZPControl::flagLocked) != 0;
    pControl->InternalAddRef();
    if (!bCustomize && IsCustomizable() && !bLocked && IsKindOf(RUNTIME_CLASS(CVZPToolBar)) &&
        ::GetKeyState(VK_MENU) < 0 && pCommandBars != NULL && pCommandBars->IsCustomizeAvail() &&
        pCommandBars->GetCommandBarsOptions()->bAltDragCustomization)
    {
        pCommandBars->SetQuickCustomizeMode(TRUE);
        SetPopupedControl(-1);
        SetHotControl(-1);
        pControl->OnCustomizeMouseDown(point);
        pCommandBars->SetQuickCustomizeMode(FALSE);
        pCommandBars->RecalcFrameLayout(FALSE);
        CVZPCommandBars::ClosePopups();
    }
    else if (!bCustomize || (IsCustomizable() && !bLocked))
        pControl->OnClick(FALSE, point);
    pControl->InternalRelease();
}

void CVZPCommandBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CVZPControl* pControl = m_pControls->HitTest(point);
    if (IsCustomizeMode() || pControl == NULL)
    {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    pControl->InternalAddRef();
    pControl->OnLButtonDblClk(point);
    pControl->InternalRelease();
}

void CVZPCommandBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CVZPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL)
    {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    if (IsCustomizeMode())
        return;
    pControl->InternalAddRef();
    pControl->OnLButtonUp(point);
    pControl->InternalRelease();
}

void CVZPCommandBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!IsCustomizeMode() || !IsCustomizable())
    {
        CWnd::OnRButtonDown(nFlags, point);
        return;
    }
    CVZPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL || (pControl->GetFlags() & CVZPControl::flagLocked) != 0)
        return;
    SetPopupedControl(-1);
    SetHotControl(-1);
    GetCommandBars()->SetDragControl(pControl);
}

void CVZPCommandBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    CVZPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL || IsCustomizeMode())
    {
        CWnd::OnRButtonUp(nFlags, point);
        return;
    }
    CWnd* pSite = GetSite();
    if (pSite->GetSafeHwnd() != NULL && pSite->SendMessage(WM_VZP_CONTROLRBUTTONUP, (WPARAM)&point, (LPARAM)pControl) == 1)
        return;
    pControl->InternalAddRef();
    if (GetRootParent()->m_bRightButton)
        pControl->OnLButtonUp(point);
    else
        pControl->OnRButtonUp(point);
    pControl->InternalRelease();
}

void CVZPCommandBar::OnTimer(UINT_PTR nIDEvent)
{
    CWnd::OnTimer(nIDEvent);
    if (m_nLockTracking != 0)
        return;
    if (nIDEvent == timerHover)
    {
        KillTimer(timerHover);
        if (CVZPControl* pHot = GetControl(m_nHotControl))
            pHot->OnMouseHover();
    }
    else if (nIDEvent == timerShowFull)
    {
        KillTimer(timerShowFull);
        CVZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CVZPControlPopup, GetControl(m_nHotControl));
        if (pPopup != NULL && m_nPopupedControl == m_nHotControl && pPopup->IsCursorInside())
            pPopup->ExpandPopup();
    }
}

LRESULT CVZPCommandBar::OnNcHitTestMsg(WPARAM wParam, LPARAM lParam)
{
    if (!IsHelpMode())
        return Default();
    (void)wParam;
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    ScreenToClient(&point);
    CVZPControl* pControl = m_pControls->HitTest(point);
    if (pControl != NULL && (int)pControl->GetID() <= 0 &&
        (pControl->GetType() == vzpControlPopup || pControl->GetType() == vzpControlButtonPopup ||
         pControl->GetType() == vzpControlSplitButtonPopup))
        return HTMENU;
    return HTCLIENT;
}

LRESULT CVZPCommandBar::OnNcLButtonDownMsg(WPARAM wParam, LPARAM lParam)
{
    if (!IsHelpMode())
        return Default();
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    ScreenToClient(&point);
    OnLButtonDown((UINT)wParam, point);
    return 0;
}

LRESULT CVZPCommandBar::OnHelpHitTest(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    INT_PTR nHit = OnToolHitTest(point, NULL);
    if (nHit >= 0)
        return nHit + 0x10000;
    int nID = GetDlgCtrlID();
    return nID != 0 ? nID + 0x50000 : 0;
}

LRESULT CVZPCommandBar::OnIdleUpdateCmdUIMsg(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    OnIdleUpdateCmdUI((BOOL)wParam);
    return 0;
}

LRESULT CVZPCommandBar::OnInitialUpdate(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    OnIdleUpdateCmdUI(TRUE);
    return 0;
}

// ---------------------------------------------------------------------------
// Customisation drop target

void CVZPCommandBar::CalcInsertPosition(CPoint point, int& nIndex, BOOL& bAfter, CRect& rcMarker, BOOL& bVertMarker)
{
    const BOOL bVert = m_barPosition == vzpBarLeft || m_barPosition == vzpBarRight || m_barType == vzpBarTypePopup;
    int nBest = -1;
    int nBestDistance = INT_MAX;
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (pControl->GetHideFlags() != 0 || (pControl->GetFlags() & CVZPControl::flagLocked) != 0)
            continue;
        const CRect rc = pControl->GetRect();
        if (pControl->GetWrap())
        {
            if ((!bVert && rc.top > point.y) || (bVert && rc.right < point.x))
                break;
            nBestDistance = INT_MAX;
        }
        const int nCentre = bVert ? (rc.top + rc.bottom) / 2 : (rc.left + rc.right) / 2;
        const int nDistance = abs(nCentre - (bVert ? point.y : point.x));
        if (nBest == -1 || nDistance < nBestDistance)
        {
            nBest = i;
            nBestDistance = nDistance;
        }
    }
    if (nBest == -1)
    {
        CRect rcClient(0, 0, 0, 0);
        if (m_hWnd != NULL)
            GetClientRect(&rcClient);
        rcMarker.SetRect(rcClient.left + 2, rcClient.top + 2, rcClient.left + 8, rcClient.bottom - 2);
        nIndex = -1;
        bAfter = TRUE;
        bVertMarker = FALSE;
        return;
    }
    CVZPControl* pBest = GetControl(nBest);
    const CRect rc = pBest->GetRect();
    const int nCentre = bVert ? (rc.top + rc.bottom) / 2 : (rc.left + rc.right) / 2;
    bAfter = nCentre < (bVert ? point.y : point.x);
    CVZPControl* pNext = GetControl(nBest + 1);
    if (!bVert)
    {
        if (!bAfter)
            rcMarker.SetRect(rc.left, rc.top, rc.left + 6, rc.bottom);
        else if (pNext != NULL && !pNext->GetBeginGroup() && !pNext->GetWrap())
            rcMarker.SetRect(rc.right, rc.top, rc.right + 6, rc.bottom);
        else
            rcMarker.SetRect(rc.right - 6, rc.top, rc.right, rc.bottom);
    }
    else
    {
        if (!bAfter)
            rcMarker.SetRect(rc.left, rc.top, rc.right, rc.top + 6);
        else if (pNext != NULL && !pNext->GetBeginGroup())
            rcMarker.SetRect(rc.left, rc.bottom, rc.right, rc.bottom + 6);
        else
            rcMarker.SetRect(rc.left, rc.bottom - 6, rc.right, rc.bottom);
    }
    nIndex = nBest;
    bVertMarker = bVert;
}

DROPEFFECT CVZPCommandBar::OnCustomizeDragEnter(CVZPControl* pSource, CPoint point)
{
    m_rcMarker.SetRectEmpty();
    return OnCustomizeDragOver(pSource, point);
}

void CVZPCommandBar::OnCustomizeDragLeave()
{
    if (m_rcMarker.IsRectEmpty())
        return;
    m_rcMarker.SetRectEmpty();
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

DROPEFFECT CVZPCommandBar::OnCustomizeDragOver(CVZPControl* pSource, CPoint point)
{
    if (!IsCustomizable() || m_hWnd == NULL || !IsWindowVisible())
        return DROPEFFECT_NONE;
    int nIndex;
    BOOL bAfter;
    CRect rcMarker;
    BOOL bVert;
    CalcInsertPosition(point, nIndex, bAfter, rcMarker, bVert);
    if (nIndex != -1 && GetControl(nIndex) == pSource)
        rcMarker.SetRectEmpty();

    DROPEFFECT dropEffect = (DROPEFFECT)-1;
    if (CVZPControl* pOver = m_pControls->HitTest(point))
    {
        if (GetParentCommandBar() == NULL && pOver->GetIndex() != m_nPopupedControl)
            CVZPCommandBars::ClosePopups();
        pOver->OnCustomizeDragOver(pSource, point, dropEffect);
    }
    if (pSource == NULL || !pSource->IsCustomizeDragOverAvail(this, point, dropEffect))
        return dropEffect;
    m_rcMarker = rcMarker;
    m_bVerticalMarker = bVert;
    Invalidate(FALSE);
    return dropEffect;
}

void CVZPCommandBar::OnCustomizeDrop(CVZPControl* pSource, DROPEFFECT* pEffect, CPoint ptDrop, CPoint ptDrag)
{
    int nIndex;
    BOOL bAfter;
    CRect rcMarker;
    BOOL bVert;
    CalcInsertPosition(ptDrop, nIndex, bAfter, rcMarker, bVert);
    if (nIndex != -1 && GetControl(nIndex) == pSource)
    {
        if (abs(ptDrop.x - ptDrag.x) > 4 || abs(ptDrop.y - ptDrag.y) > 4)
            pSource->SetBeginGroup(bAfter && nIndex != 0);
        if (pEffect != NULL)
            *pEffect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    }
    else if (pSource != NULL)
    {
        if (bAfter)
            nIndex++;
        SetPopupedControl(-1);
        SetHotControl(-1);
        BOOL bBeginGroup = FALSE;
        if (!bAfter)
        {
            CVZPControl* pAt = GetControl(nIndex);
            if (pAt != NULL && pAt->GetBeginGroup())
            {
                pAt->SetBeginGroup(FALSE);
                bBeginGroup = TRUE;
            }
        }
        CVZPControl* pCopy = m_pControls->AddClone(pSource, nIndex, TRUE);
        if (pCopy != NULL)
        {
            pCopy->SetBeginGroup(bBeginGroup);
            if (CVZPCommandBars* pCommandBars = GetCommandBars())
                pCommandBars->SetDragControl(pCopy);
        }
    }
    DelayLayout();
    m_rcMarker.SetRectEmpty();
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

// ---------------------------------------------------------------------------
// Copies

void CVZPCommandBar::Copy(CVZPCommandBar* pCommandBar, BOOL bRecursive)
{
    m_barType = pCommandBar->m_barType;
    m_barPosition = pCommandBar->m_barPosition;
    m_nBarID = pCommandBar->m_nBarID;
    m_dwFlags = pCommandBar->m_dwFlags;
    m_dwStyle = pCommandBar->m_dwStyle;
    m_strTitle = pCommandBar->m_strTitle;
    m_bCustomizable = pCommandBar->m_bCustomizable;
    m_nMRUWidth = pCommandBar->m_nMRUWidth;
    m_szIcons = pCommandBar->m_szIcons;
    m_szButtons = pCommandBar->m_szButtons;
    m_pCommandBars = pCommandBar->m_pCommandBars;

    CVZPControls* pControls = pCommandBar->m_pControls->Duplicate(bRecursive);
    m_pControls->RemoveAll();
    m_pControls->SetParent(NULL);
    m_pControls->InternalRelease();
    m_pControls = pControls;
    m_pControls->SetParent(this);
}

CVZPCommandBar* CVZPCommandBar::Clone(BOOL bRecursive)
{
    CVZPCommandBar* pBar = (CVZPCommandBar*)GetRuntimeClass()->CreateObject();
    if (pBar != NULL)
        pBar->Copy(this, bRecursive);
    return pBar;
}

// ---------------------------------------------------------------------------
// CVZPCommandBarRefList

void CVZPCommandBarRefList::Add(CVZPCommandBar* pBar)
{
    pBar->InternalAddRef();
    m_list.AddTail(pBar);
}

void CVZPCommandBarRefList::RemoveAll()
{
    while (!m_list.IsEmpty())
    {
        CVZPCommandBar* pBar = (CVZPCommandBar*)m_list.RemoveHead();
        pBar->InternalRelease();
    }
}

CVZPCommandBar* CVZPCommandBarRefList::FindBar(UINT nBarID) const
{
    for (POSITION pos = m_list.GetHeadPosition(); pos != NULL;)
    {
        CVZPCommandBar* pBar = (CVZPCommandBar*)m_list.GetNext(pos);
        if (pBar->GetBarID() == nBarID)
            return pBar;
    }
    return NULL;
}
