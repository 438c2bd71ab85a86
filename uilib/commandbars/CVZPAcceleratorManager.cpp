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
