#include "COwnerDrawMenu.h"

#include <mutex>

namespace {

const int kMaxText = 256;

// The registry of owner-drawn menus, built on first use.
struct MenuRegistry
{
    std::mutex lock;
    CPtrArray menus;
};

MenuRegistry& Registry()
{
    static MenuRegistry registry;
    return registry;
}

CString ReadItemText(HMENU hMenu, UINT nPosition)
{
    WCHAR szText[kMaxText + 1] = {};
    ::GetMenuStringW(hMenu, nPosition, szText, kMaxText, MF_BYPOSITION);
    return CString(szText);
}

// The record of an owner-drawn item, else NULL.
OwnerDrawMenuItem* RecordOf(HMENU hMenu, UINT nPosition)
{
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!::GetMenuItemInfoW(hMenu, nPosition, TRUE, &mii) || !(mii.fType & MFT_OWNERDRAW))
        return NULL;
    return (OwnerDrawMenuItem*)mii.dwItemData;
}

// What an item shows: its record's text when it is owner-drawn.
CString ItemText(HMENU hMenu, UINT nPosition)
{
    OwnerDrawMenuItem* pRecord = RecordOf(hMenu, nPosition);
    return pRecord != NULL ? pRecord->GetText() : ReadItemText(hMenu, nPosition);
}

HMENU FindMenuHolding(HMENU hMenu, UINT nID, int& nPosition)
{
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub != NULL)
        {
            HMENU hFound = FindMenuHolding(hSub, nID, nPosition);
            if (hFound != NULL)
                return hFound;
        }
        else if (::GetMenuItemID(hMenu, i) == nID)
        {
            nPosition = i;
            return hMenu;
        }
    }
    nPosition = -1;
    return NULL;
}

int ComputeWindowsVersionCode()
{
    DWORD dwVersion = ::GetVersion();
    BOOL bNT = (dwVersion & 0x80000000) == 0;
    if (!bNT && LOBYTE(LOWORD(dwVersion)) < 4)
        return 0;
    // The record is allocated for the call, as the drawing code always did.
    OSVERSIONINFOW* pInfo = new (std::nothrow) OSVERSIONINFOW;
    if (pInfo == NULL)
        return bNT ? 1 : 2;
    memset(pInfo, 0, sizeof(*pInfo));
    pInfo->dwOSVersionInfoSize = sizeof(*pInfo);
    BOOL bRead = ::GetVersionExW(pInfo);
    DWORD dwMajor = pInfo->dwMajorVersion;
    DWORD dwMinor = pInfo->dwMinorVersion;
    delete pInfo;
    if (!bRead)
        return bNT ? 1 : 2;
    if (bNT)
    {
        if (dwMajor == 4)
            return 5;
        if (dwMajor == 5 && dwMinor == 0)
            return 6;
        if (dwMajor == 5 && dwMinor == 1)
            return 7;
        return 1;
    }
    if (dwMajor == 4 && dwMinor == 10)
        return 3;
    if (dwMajor == 4 && dwMinor == 90)
        return 4;
    return 2;
}

}  // namespace

int GetWindowsVersionCode()
{
    static const int nCode = ComputeWindowsVersionCode();
    return nCode;
}

OwnerDrawMenuItem::OwnerDrawMenuItem(UINT nFlags, UINT_PTR nID, LPCWSTR lpszText)
    : m_pszText(NULL), m_nFlags(nFlags), m_nID(nID)
{
    SetText(lpszText);
}

OwnerDrawMenuItem::~OwnerDrawMenuItem()
{
    delete[] m_pszText;
    delete m_pExtra;
}

void OwnerDrawMenuItem::SetText(LPCWSTR lpszText)
{
    delete[] m_pszText;
    m_pszText = NULL;
    if (lpszText == NULL)
        return;
    size_t nLength = wcslen(lpszText);
    m_pszText = new WCHAR[nLength + 1];
    memcpy(m_pszText, lpszText, (nLength + 1) * sizeof(WCHAR));
}

CString OwnerDrawMenuItem::GetText() const
{
    return m_pszText != NULL ? CString(m_pszText) : CString();
}

COwnerDrawMenu::COwnerDrawMenu() = default;

COwnerDrawMenu::~COwnerDrawMenu()
{
    for (INT_PTR i = 0; i < m_records.GetSize(); i++)
        delete GetRecord(i);
    m_records.RemoveAll();
}

BOOL COwnerDrawMenu::IsOwnerDrawMenuHandle(HMENU hMenu)
{
    if (hMenu == NULL)
        return FALSE;
    MenuRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (INT_PTR i = 0; i < registry.menus.GetSize(); i++)
    {
        if ((HMENU)registry.menus[i] == hMenu)
            return TRUE;
    }
    return FALSE;
}

BOOL COwnerDrawMenu::IsOwnerDrawMenu(CMenu* pMenu)
{
    return pMenu != NULL && IsOwnerDrawMenuHandle(pMenu->GetSafeHmenu());
}

void COwnerDrawMenu::RegisterMenu(HMENU hMenu)
{
    if (hMenu == NULL || IsOwnerDrawMenuHandle(hMenu))
        return;
    MenuRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    registry.menus.Add(hMenu);
}

void COwnerDrawMenu::UnregisterMenu(HMENU hMenu)
{
    MenuRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (INT_PTR i = registry.menus.GetSize() - 1; i >= 0; i--)
    {
        if ((HMENU)registry.menus[i] == hMenu)
            registry.menus.RemoveAt(i);
    }
}

OwnerDrawMenuItem* COwnerDrawMenu::AddItem(UINT nPosition, UINT nFlags, UINT_PTR nID, LPCWSTR lpszText)
{
    OwnerDrawMenuItem* pRecord = new OwnerDrawMenuItem(nFlags, nID, lpszText);
    ::ModifyMenuW(m_hMenu, nPosition, nFlags, nID, (nFlags & MF_OWNERDRAW) ? (LPCWSTR)pRecord : NULL);
    return pRecord;
}

CMenu* COwnerDrawMenu::FindMenuOfItem(UINT nID, int& nPosition)
{
    HMENU hMenu = FindMenuHolding(m_hMenu, nID, nPosition);
    if (hMenu == NULL)
        return NULL;
    return hMenu == m_hMenu ? this : CMenu::FromHandle(hMenu);
}

BOOL COwnerDrawMenu::GetItemText(UINT nIDOrPosition, CString& strText, UINT nFlags)
{
    if (nFlags & MF_BYPOSITION)
    {
        if ((INT_PTR)nIDOrPosition >= m_records.GetSize())
            return FALSE;
        strText = GetRecord(nIDOrPosition)->GetText();
        return TRUE;
    }
    int nPosition = -1;
    CMenu* pMenu = FindMenuOfItem(nIDOrPosition, nPosition);
    if (pMenu == NULL)
        return FALSE;
    if (pMenu == this)
        return GetItemText((UINT)nPosition, strText, MF_BYPOSITION);
    strText = ItemText(pMenu->m_hMenu, (UINT)nPosition);
    return TRUE;
}

OwnerDrawMenuItem* COwnerDrawMenu::TakeUnusedRecord(UINT_PTR nID)
{
    for (INT_PTR i = 0; i < m_records.GetSize(); i++)
    {
        OwnerDrawMenuItem* pRecord = GetRecord(i);
        if (pRecord->m_nID == nID && !pRecord->m_bReused)
        {
            pRecord->m_bReused = TRUE;
            return pRecord;
        }
    }
    return NULL;
}

void COwnerDrawMenu::ConvertMenu()
{
    for (INT_PTR i = 0; i < m_records.GetSize(); i++)
        GetRecord(i)->m_bReused = FALSE;
    CPtrArray newRecords;
    int nCount = ::GetMenuItemCount(m_hMenu);
    for (int nPos = 0; nPos < nCount; nPos++)
    {
        UINT nState = ::GetMenuState(m_hMenu, (UINT)nPos, MF_BYPOSITION);
        OwnerDrawMenuItem* pRecord = NULL;
        if (nState & MF_POPUP)
        {
            UINT_PTR nID = (UINT_PTR)::GetSubMenu(m_hMenu, nPos);
            CString strText = ReadItemText(m_hMenu, (UINT)nPos);
            UINT nFlags = (nState & 0xFF & ~MF_POPUP) | MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP;
            pRecord = TakeUnusedRecord(nID);
            if (pRecord != NULL)
            {
                if (!strText.IsEmpty())
                    pRecord->SetText(strText);
                ::ModifyMenuW(m_hMenu, (UINT)nPos, pRecord->m_nFlags, nID, (LPCWSTR)pRecord);
            }
            else
                pRecord = AddItem((UINT)nPos, nFlags, nID, strText.IsEmpty() ? NULL : (LPCWSTR)strText);
        }
        else if (nState & MF_SEPARATOR)
        {
            pRecord = TakeUnusedRecord(0);
            if (pRecord != NULL)
                ::ModifyMenuW(m_hMenu, (UINT)nPos, pRecord->m_nFlags, 0, (LPCWSTR)pRecord);
            else
                pRecord = AddItem((UINT)nPos, nState | MF_BYPOSITION | MF_OWNERDRAW | MF_SEPARATOR, 0, NULL);
        }
        else
        {
            UINT nID = ::GetMenuItemID(m_hMenu, nPos);
            CString strText = ReadItemText(m_hMenu, (UINT)nPos);
            UINT nFlags = nState | MF_BYPOSITION | MF_OWNERDRAW;
            pRecord = TakeUnusedRecord(nID);
            if (pRecord != NULL)
            {
                pRecord->m_nFlags = nFlags;
                if (!strText.IsEmpty())
                    pRecord->SetText(strText);
                ::ModifyMenuW(m_hMenu, (UINT)nPos, nFlags, nID, (LPCWSTR)pRecord);
            }
            else
                pRecord = AddItem((UINT)nPos, nFlags, nID, strText.IsEmpty() ? NULL : (LPCWSTR)strText);
        }
        newRecords.Add(pRecord);
    }
    // Records left unmarked belong to items that are gone.
    for (INT_PTR i = 0; i < m_records.GetSize(); i++)
    {
        if (!GetRecord(i)->m_bReused)
            delete GetRecord(i);
    }
    m_records.RemoveAll();
    m_records.Append(newRecords);
}

LRESULT COwnerDrawMenu::AnswerMenuKey(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (pMenu == NULL || pMenu->GetSafeHmenu() == NULL || !(nFlags & MF_POPUP))
        return 0;
    CString strKey;
    strKey.Format(_T("&%c"), (TCHAR)nChar);
    strKey.MakeLower();
    HMENU hMenu = pMenu->GetSafeHmenu();
    int nCount = ::GetMenuItemCount(hMenu);
    if (hMenu == m_hMenu && nCount != m_records.GetSize())
        ConvertMenu();
    for (int nPos = 0; nPos < nCount; nPos++)
    {
        CString strText = ItemText(hMenu, (UINT)nPos);
        strText.MakeLower();
        if (strText.Find(strKey) >= 0)
            return MAKELRESULT(nPos, MNC_EXECUTE);
    }
    return 0;
}
