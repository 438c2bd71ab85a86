// CMenu
#include "wndstate.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CAfxPermanentMap<CMenu, HMENU>& AfxMenuMap()
{
    static CAfxPermanentMap<CMenu, HMENU>* s_pMap = new CAfxPermanentMap<CMenu, HMENU>;
    return *s_pMap;
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu)
{
    return hMenu != NULL ? AfxMenuMap().Lookup(hMenu) : NULL;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return AfxLookupOrTemp(AfxMenuMap(), AfxGetThreadState()->m_pImpl->m_tempMenus, hMenu,
                           [](CMenu* p, HMENU h) { p->m_hMenu = h; });
}

void PASCAL CMenu::DeleteTempMap()
{
    AfxGetThreadState()->m_pImpl->m_tempMenus.DeleteAll([](CMenu* p) { p->m_hMenu = NULL; });
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == NULL)
        return FALSE;
    m_hMenu = hMenu;
    AfxMenuMap().SetAt(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != NULL)
        AfxMenuMap().RemoveIf(hMenu, this);
    m_hMenu = NULL;
    return hMenu;
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    return Attach(::LoadMenu(hInst, lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    MENUITEMINFO mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = NULL;
    int nLen = 0;
    if (::GetMenuItemInfo(m_hMenu, nIDItem, (nFlags & MF_BYPOSITION) != 0, &mii))
        nLen = (int)mii.cch;
    nLen = ::GetMenuString(m_hMenu, nIDItem, rString.GetBufferSetLength(nLen), nLen + 1, nFlags);
    rString.ReleaseBuffer(nLen);
    return nLen;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    // Owner-drawn items are measured through the tracking window's handler,
    // which finds this menu here.
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    HMENU hMenuOld = pState->m_hTrackingMenu;
    HWND hWndOld = pState->m_hTrackingWindow;
    pState->m_hTrackingMenu = m_hMenu;
    pState->m_hTrackingWindow = pWnd->GetSafeHwnd();
    BOOL bResult = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
    pState->m_hTrackingMenu = hMenuOld;
    pState->m_hTrackingWindow = hWndOld;
    return bResult;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}
