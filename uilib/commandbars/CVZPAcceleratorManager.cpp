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
