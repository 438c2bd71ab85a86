#include "CMenuButton.h"

#include "LinkOpener.h"

#include <mmsystem.h>

IMPLEMENT_DYNAMIC(CMenuButton, CButton)

BEGIN_MESSAGE_MAP(CMenuButton, CButton)
    ON_WM_GETDLGCODE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_MEASUREITEM()
    ON_WM_ENABLE()
    ON_WM_KILLFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
    ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
END_MESSAGE_MAP()

namespace {

// What the pop-up is tracked with: the chosen command comes back as the
// result, no notifications, either mouse button.
const UINT kTrackFlags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON;

}  // namespace

CMenuButton::CMenuButton()
    : m_bDefaultButton(FALSE),
      m_bCheckBoxMode(FALSE),
      m_bChecked(FALSE),
      m_bTracking(TRUE),
      m_bHover(FALSE),
      m_bAlwaysHover(FALSE),
      m_bMenuPushed(FALSE),
      m_hWndMenuOwner(NULL),
      m_hWndMenuNotify(NULL),
      m_nMenuNotifyMessage(0),
      m_lMenuNotifyParam(0),
      m_hCursor(NULL)
{
    ResetColors();
}

CMenuButton::~CMenuButton() = default;

void CMenuButton::ResetColors()
{
    for (int i = 0; i < 3; i++)
    {
        m_crFace[i] = ::GetSysColor(COLOR_BTNFACE);
        m_crText[i] = ::GetSysColor(COLOR_BTNTEXT);
    }
}

void CMenuButton::PlayButtonSound(const Sound& sound)
{
    if (sound.lpszName != NULL)
        ::PlaySound(sound.lpszName, sound.hModule, sound.dwFlags);
}

void CMenuButton::LeaveHover()
{
    if (m_bTracking && m_bHover)
    {
        m_bHover = FALSE;
        Invalidate();
    }
}

UINT CMenuButton::OnGetDlgCode()
{
    UINT nCode = (UINT)Default();
    return nCode | (m_bDefaultButton ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

HBRUSH CMenuButton::CtlColor(CDC*, UINT)
{
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

void CMenuButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    m_dcBackground.DeleteDC();
    m_bitmapBackground.DeleteObject();
    ResetColors();
    Invalidate();
}

LRESULT CMenuButton::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    UINT nType = (UINT)wParam & 0x0F;
    if (nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON)
        m_bDefaultButton = nType == BS_DEFPUSHBUTTON;
    // The button stays owner-drawn whatever style it is given.
    return DefWindowProc(BM_SETSTYLE, (wParam & ~(WPARAM)0x04) | BS_OWNERDRAW, lParam);
}

LRESULT CMenuButton::OnSetCheck(WPARAM wParam, LPARAM)
{
    if (m_bCheckBoxMode)
    {
        m_bChecked = wParam == BST_CHECKED || wParam == BST_INDETERMINATE;
        Invalidate();
    }
    return 0;
}

LRESULT CMenuButton::OnGetCheck(WPARAM, LPARAM)
{
    return m_bChecked;
}

LRESULT CMenuButton::OnMenuChar(WPARAM wParam, LPARAM lParam)
{
    HMENU hMenu = (HMENU)lParam;
    if (COwnerDrawMenu::IsOwnerDrawMenuHandle(hMenu))
        return m_menu.AnswerMenuKey(LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle(hMenu));
    return Default();
}

void CMenuButton::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    HMENU hMenu = m_menu.GetSafeHmenu();
    if (lpMeasureItemStruct->CtlType == ODT_MENU && hMenu != NULL && ::IsMenu(hMenu) &&
        COwnerDrawMenu::IsOwnerDrawMenuHandle(hMenu))
    {
        m_menu.MeasureItem(lpMeasureItemStruct);
        return;
    }
    CButton::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CMenuButton::OnEnable(BOOL bEnable)
{
    CButton::OnEnable(bEnable);
    if (bEnable)
        return;
    CWnd* pParent = GetParent();
    if (pParent != NULL)
    {
        CWnd* pNext = pParent->GetNextDlgTabItem(this);
        (pNext != NULL ? pNext : pParent)->SetFocus();
    }
    LeaveHover();
}

void CMenuButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    LeaveHover();
}

void CMenuButton::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CButton::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE)
        LeaveHover();
}

void CMenuButton::OnCancelMode()
{
    CButton::OnCancelMode();
    LeaveHover();
}

BOOL CMenuButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor != NULL)
    {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CMenuButton::OnMouseMove(UINT nFlags, CPoint point)
{
    CButton::OnMouseMove(nFlags, point);
    if (((nFlags & MK_LBUTTON) && !m_bHover) || !m_bTracking)
        return;
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    HWND hWndReference = m_bAlwaysHover ? m_hWnd : ::GetActiveWindow();
    if (::WindowFromPoint(ptScreen) == m_hWnd && hWndReference != NULL)
    {
        if (!m_bHover)
        {
            m_bHover = TRUE;
            Invalidate();
            PlayButtonSound(m_soundHover);
            TRACKMOUSEEVENT tme = {};
            tme.cbSize = sizeof(tme);
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = m_hWnd;
            ::_TrackMouseEvent(&tme);
        }
    }
    else
        LeaveHover();
}

void CMenuButton::OnMouseLeave()
{
    LeaveHover();
}

void CMenuButton::OnClicked()
{
    SetFocus();
    PlayButtonSound(m_soundClick);
    if (m_bCheckBoxMode)
    {
        m_bChecked = !m_bChecked;
        Invalidate();
        return;
    }
    HMENU hMenu = m_menu.GetSafeHmenu();
    if (hMenu != NULL)
    {
        HMENU hPopup = ::GetSubMenu(hMenu, 0);
        m_bMenuPushed = TRUE;
        Invalidate();
        if (m_hWndMenuNotify != NULL)
            ::SendMessage(m_hWndMenuNotify, m_nMenuNotifyMessage, (WPARAM)hPopup, m_lMenuNotifyParam);
        CRect rect;
        GetWindowRect(&rect);
        UINT nCommand = hPopup != NULL ? (UINT)::TrackPopupMenu(hPopup, kTrackFlags, rect.left, rect.bottom, 0, m_hWnd,
                                                                NULL)
                                       : 0;
        m_bMenuPushed = FALSE;
        Invalidate();
        if (nCommand != 0 && m_hWndMenuOwner != NULL)
            ::PostMessage(m_hWndMenuOwner, WM_COMMAND, MAKEWPARAM(nCommand, 0), 0);
        return;
    }
    if (!m_strURL.IsEmpty())
        ShellOpenLinkTarget(m_strURL, SW_SHOWMAXIMIZED);
}
