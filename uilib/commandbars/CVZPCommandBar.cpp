#include "CVZPCommandBar.h"

#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControls.h"
#include "CVZPImageManager.h"
#include "CVZPMouseHookManager.h"

IMPLEMENT_SERIAL(CVZPCommandBar, CWnd, VERSIONABLE_SCHEMA | 0x10)

CVZPCommandBar::CVZPCommandBar()
    : m_nHotControl(-1), m_nPopupedControl(-1), m_nBarID(0), m_bTracking(0), m_pOwnerWnd(NULL), m_dwState(0),
      m_dwFlags(0), m_dwStyle(0), m_barType(vzpBarTypeNormal), m_pControls(NULL), m_barPosition(vzpBarNone),
      m_pCommandBars(NULL), m_pNotifyWnd(NULL), m_szIcons(0, 0), m_szButtons(0, 0), m_nTextBelowIcons(2),
      m_bRightButton(FALSE), m_bNoNotify(FALSE), m_bRecursive(FALSE), m_nLockTracking(0),
      m_bKeyboardSelected(FALSE), m_bCloseable(FALSE), m_bCustomizable(TRUE), m_bContextMenuPresent(TRUE),
      m_nLockRedraw(0), m_pPaintManager(NULL), m_pImageManager(NULL), m_pToolTipContext(NULL)
{
    m_pControls = new CVZPControls;
    m_pControls->SetParent(this);
    EnableAutomation();
}

CVZPCommandBar::~CVZPCommandBar()
{
    if (m_bTracking)
        SetTrackingMode(0, FALSE, FALSE);
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
}

void CVZPCommandBar::OnFinalRelease()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    CWnd::OnFinalRelease();
}

CVZPCommandBars* CVZPCommandBar::GetCommandBars() const
{
    for (const CVZPCommandBar* pBar = this; pBar != NULL; pBar = pBar->GetParentCommandBar())
        if (pBar->m_pCommandBars != NULL)
            return pBar->m_pCommandBars;
    return NULL;
}

CVZPCommandBar* CVZPCommandBar::GetRootParent()
{
    CVZPCommandBar* pBar = this;
    while (pBar->GetParentCommandBar() != NULL)
        pBar = pBar->GetParentCommandBar();
    return pBar;
}

CVZPCommandBarPaintManager* CVZPCommandBar::GetPaintManager() const
{
    if (m_pPaintManager != NULL)
        return m_pPaintManager;
    if (CVZPCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetPaintManager();
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
    return ::GetImageManager();
}

CWnd* CVZPCommandBar::GetOwnerSite() const
{
    if (m_pNotifyWnd != NULL)
        return m_pNotifyWnd;
    if (CVZPCommandBars* pCommandBars = GetCommandBars())
        if (pCommandBars->GetSite() != NULL)
            return pCommandBars->GetSite();
    return m_pOwnerWnd;
}

CSize CVZPCommandBar::GetIconSize() const
{
    if (m_szIcons.cx > 0)
        return m_szIcons;
    return CSize(16, 16);
}

CSize CVZPCommandBar::GetButtonSize() const
{
    if (m_szButtons.cx > 0)
        return m_szButtons;
    CSize szIcon = GetIconSize();
    return CSize(szIcon.cx + 7, szIcon.cy + 7);
}

BOOL CVZPCommandBar::IsTextBelowIcons() const
{
    if (m_nTextBelowIcons != 2)
        return m_nTextBelowIcons == 1;
    CVZPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars != NULL && pCommandBars->GetCommandBarsOptions()->bShowTextBelowIcons;
}

void CVZPCommandBar::Redraw()
{
    m_dwState &= ~stateRedrawPending;
    if (m_nLockRedraw <= 0 && m_hWnd != NULL)
        ::InvalidateRect(m_hWnd, NULL, FALSE);
}

BOOL CVZPCommandBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    (void)bSelectFirst;
    (void)bKeyboard;
    if ((m_bTracking != 0) == (bMode != 0))
        return FALSE;
    m_bTracking = bMode;
    if (CVZPCommandBars* pCommandBars = GetCommandBars())
    {
        if (bMode)
            pCommandBars->GetMouseManager()->AddTrackedPopup(this);
        else
            pCommandBars->GetMouseManager()->RemoveTrackedPopup(this);
        pCommandBars->OnTrackingModeChanged(this, bMode);
    }
    else if (!bMode)
        CVZPCommandBars::GetThreadMouseManager()->RemoveTrackedPopup(this);
    else
        CVZPCommandBars::GetThreadMouseManager()->AddTrackedPopup(this);
    return TRUE;
}

BOOL CVZPCommandBar::SetHotControl(int nIndex, BOOL bKeyboard)
{
    if (nIndex < -1 || nIndex >= m_pControls->GetCount())
        nIndex = -1;
    m_bKeyboardSelected = bKeyboard;
    if (m_nHotControl == nIndex)
        return FALSE;
    m_nHotControl = nIndex;
    Redraw();
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

void CVZPCommandBar::DelayLayout()
{
    m_nHotControl = -1;
    m_nPopupedControl = -1;
    m_dwState |= stateLayoutPending;
}

BOOL CVZPCommandBar::IsPointInBar(CPoint point) const
{
    if (m_hWnd == NULL)
        return FALSE;
    CRect rect;
    ::GetWindowRect(m_hWnd, &rect);
    return rect.PtInRect(point);
}

int CVZPCommandBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    (void)hWnd;
    (void)nMessage;
    (void)wParam;
    (void)lParam;
    (void)lResult;
    return 0;
}
