#include "CVZPControlCustom.h"

#include "CVZPCommandBar.h"
#include "CVZPCommandBars.h"
#include "CVZPPropExchange.h"
#include "CVZPToolBar.h"
#include "CVZPWindowHookManager.h"
#include "VZPCommandBarsState.h"

#include <afxpriv.h>

IMPLEMENT_SERIAL(CVZPControlCustom, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

CVZPControlCustom::CVZPControlCustom()
    : m_rcBorders(0, 0, 0, 0), m_szControl(0, 0), m_verticalOptions(verticalHide), m_nControlId(0),
      m_hookReceiver(this), m_hwndControl(NULL), m_bWindowShown(TRUE)
{
    m_dwFlags = flagLocked;
}

CVZPControlCustom::~CVZPControlCustom()
{
    CVZPWindowHookManager::GetInstance()->RemoveReceiver(&m_hookReceiver);
}

int CVZPControlCustom::CHookReceiver::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam,
                                                    LRESULT& /*lResult*/)
{
    CVZPCommandBar* pParent = m_pOwner->GetParent();
    if (nMessage != WM_MOUSEMOVE || pParent == NULL || pParent->GetSafeHwnd() == NULL)
        return 0;
    POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    ::MapWindowPoints(hWnd, pParent->m_hWnd, &pt, 1);
    pParent->SendMessage(WM_MOUSEMOVE, wParam, MAKELPARAM(pt.x, pt.y));
    return 0;
}

void CVZPControlCustom::SetControlWindow(HWND hWnd)
{
    if (m_hwndControl == hWnd)
        return;
    CVZPWindowHookManager* pHooks = CVZPWindowHookManager::GetInstance();
    if (m_hwndControl != NULL)
        pHooks->RemoveHook(m_hwndControl, &m_hookReceiver);
    m_hwndControl = hWnd;
    if (m_hwndControl != NULL)
        pHooks->SetHook(m_hwndControl, &m_hookReceiver);
}

void CVZPControlCustom::ApplyShowRule()
{
    if (m_hwndControl == NULL)
        return;
    const BOOL bShow = m_bWindowShown && m_dwHideFlags == 0;
    ::SetWindowPos(m_hwndControl, NULL, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CVZPControlCustom::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    if (m_hwndControl != NULL)
        ::EnableWindow(m_hwndControl, bEnabled);
    RedrawParent();
}

void CVZPControlCustom::SetRect(CRect rcControl)
{
    CVZPCommandBar* pParent = GetParent();
    const HWND hParent = pParent != NULL ? pParent->GetSafeHwnd() : NULL;
    if (rcControl == m_rcControl && (m_hwndControl == NULL || ::GetParent(m_hwndControl) == hParent))
        return;
    m_rcControl = rcControl;
    if (m_hwndControl == NULL || !::IsWindow(m_hwndControl) || hParent == NULL)
        return;
    CWnd* pWnd = CWnd::FromHandle(m_hwndControl);
    pWnd->SetParent(pParent);
    pWnd->ModifyStyle(WS_POPUP, WS_CHILD, 0);
    CRect rc = rcControl;
    rc.DeflateRect(m_rcBorders.left, m_rcBorders.top, m_rcBorders.right, m_rcBorders.bottom);
    pWnd->MoveWindow(rc, TRUE);
    ApplyShowRule();
}

void CVZPControlCustom::SetHideFlags(DWORD dwFlags)
{
    if (m_dwHideFlags == dwFlags)
        return;
    m_dwHideFlags = dwFlags;
    ApplyShowRule();
    DelayLayoutParent();
}

CSize CVZPControlCustom::GetSize(CDC* pDC)
{
    if (m_hwndControl != NULL && m_bWindowShown)
        return CSize(m_rcBorders.left + m_szControl.cx + m_rcBorders.right,
                     m_rcBorders.top + m_szControl.cy + m_rcBorders.bottom);
    return CVZPControlButton::GetSize(pDC);
}

void CVZPControlCustom::Draw(CDC* pDC)
{
    if (m_hwndControl != NULL && ::IsWindowVisible(m_hwndControl))
        return;
    CVZPControlButton::Draw(pDC);
}

void CVZPControlCustom::OnCalcDynamicSize(DWORD dwMode)
{
    const BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
    if (m_verticalOptions == verticalHide)
        SetHideFlags(bVertical ? (m_dwHideFlags | hideDockingVert) : (m_dwHideFlags & ~hideDockingVert));
    else if (m_verticalOptions == verticalButton)
    {
        m_bWindowShown = !bVertical;
        ApplyShowRule();
    }
}

void CVZPControlCustom::DoPropExchange(CVZPPropExchange* pPX)
{
    CVZPControlButton::DoPropExchange(pPX);
    PropExchangeRect(pPX, L"Borders", &m_rcBorders, CRect(0, 0, 0, 0));
    PropExchangeSize(pPX, L"ControlSize", &m_szControl, CSize(0, 0));
    PropExchangeInt(pPX, L"VerticalOptions", &m_verticalOptions, verticalHide);
    if (pPX->m_nSchema > 5)
        PropExchangeInt(pPX, L"ControlId", &m_nControlId, 0);
    if (!pPX->IsLoading() || m_nControlId == 0)
        return;
    VZPCommandBarsStateOptions* pOptions = static_cast<VZPCommandBarsStateOptions*>(pPX->m_pExtraData);
    CVZPCommandBars* pCommandBars = pOptions != NULL ? pOptions->pCommandBars : NULL;
    if (pCommandBars == NULL)
        return;
    HWND hWnd = NULL;
    if (CWnd* pSite = pCommandBars->GetSite())
        if (pSite->GetSafeHwnd() != NULL)
            hWnd = ::GetDlgItem(pSite->m_hWnd, m_nControlId);
    for (int i = 0; hWnd == NULL && i < pCommandBars->GetCount(); i++)
    {
        CVZPToolBar* pBar = pCommandBars->GetAt(i);
        if (pBar != NULL && pBar->GetSafeHwnd() != NULL)
            hWnd = ::GetDlgItem(pBar->m_hWnd, m_nControlId);
    }
    if (hWnd != NULL)
        SetControlWindow(hWnd);
}

void CVZPControlCustom::Copy(CVZPControl* pControl, BOOL bRecursive)
{
    if (CVZPControlCustom* pCustom = DYNAMIC_DOWNCAST(CVZPControlCustom, pControl))
    {
        m_rcBorders = pCustom->m_rcBorders;
        m_verticalOptions = pCustom->m_verticalOptions;
        m_szControl = pCustom->m_szControl;
        SetControlWindow(pCustom->m_hwndControl);
        m_nControlId = pCustom->m_nControlId;
    }
    CVZPControlButton::Copy(pControl, bRecursive);
}

void CVZPControlCustom::OnClick(BOOL bKeyboard, CPoint point)
{
    if (m_hwndControl == NULL || !::IsWindowVisible(m_hwndControl) || IsCustomizeMode())
        CVZPControlButton::OnClick(bKeyboard, point);
}

BOOL CVZPControlCustom::IsCustomizeDragOverAvail(CVZPCommandBar* pCommandBar, CPoint /*point*/,
                                                 DROPEFFECT& dropEffect)
{
    if (pCommandBar != NULL && pCommandBar->GetType() == vzpBarTypePopup)
        return TRUE;
    dropEffect = DROPEFFECT_NONE;
    return FALSE;
}
