#include "CVZPAcceleratorManager.h"

CVZPAcceleratorManager::CVZPAcceleratorManager(CVZPCommandBars* pCommandBars)
    : m_pCommandBars(pCommandBars), m_hAccelTable(NULL), m_nDisableCount(0)
{
}

CVZPAcceleratorManager::~CVZPAcceleratorManager()
{
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CVZPAcceleratorManager::TranslateAccelerator(HWND hWnd, MSG* pMsg)
{
    if (m_nDisableCount > 0 || m_hAccelTable == NULL)
        return FALSE;
    return ::TranslateAcceleratorW(hWnd, m_hAccelTable, pMsg) != 0;
}

BOOL CVZPAcceleratorManager::LoadAcceleratorResource(UINT nIDResource)
{
    HINSTANCE hInstance = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_ACCELERATOR);
    HACCEL hAccelTable = ::LoadAcceleratorsW(hInstance, MAKEINTRESOURCE(nIDResource));
    if (hAccelTable == NULL)
        return FALSE;
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = hAccelTable;
    return TRUE;
}

void CVZPAcceleratorManager::LoadAccelerators(LPCTSTR lpszProfileName)
{
    // The user's shortcuts are exchanged with the shortcut editor's table.
    (void)lpszProfileName;
}

void CVZPAcceleratorManager::SaveAccelerators(LPCTSTR lpszProfileName)
{
    (void)lpszProfileName;
}

BOOL AFX_CDECL CVZPAcceleratorManager::MatchesAccelKey(WCHAR ch, UINT nKey)
{
    if (LOWORD(::MapVirtualKeyW(nKey, MAPVK_VK_TO_CHAR)) == 0)
        return FALSE;
    WCHAR chUpper = (WCHAR)(UINT_PTR)::CharUpperW((LPWSTR)(UINT_PTR)ch);
    if (nKey == ch || nKey == chUpper)
        return TRUE;
    HKL layouts[16];
    const int nLayouts = ::GetKeyboardLayoutList(16, layouts);
    if (nLayouts <= 1)
        return FALSE;
    BYTE state[256];
    if (!::GetKeyboardState(state))
        return FALSE;
    for (int i = 0; i < nLayouts; i++)
    {
        WCHAR buffer[2] = {};
        if (::ToUnicodeEx(nKey, 0, state, buffer, 1, 0, layouts[i]) != 1)
            continue;
        WCHAR chKey = (WCHAR)(UINT_PTR)::CharUpperW((LPWSTR)(UINT_PTR)buffer[0]);
        if (buffer[0] == ch || chKey == chUpper)
            return TRUE;
    }
    return FALSE;
}
