#include "CVZPMouseHookManager.h"

#include "CVZPCommandBar.h"

CVZPMouseHookManager::CVZPMouseHookManager()
    : m_nDragCount(0), m_pHotBar(NULL), m_bModalTracking(FALSE), m_bFullMenus(FALSE)
{
}

CVZPMouseHookManager::~CVZPMouseHookManager()
{
}

void CVZPMouseHookManager::AddTrackedPopup(CVZPCommandBar* pBar)
{
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
        if (m_arrTracked[i] == pBar)
            return;
    m_arrTracked.Add(pBar);
}

void CVZPMouseHookManager::RemoveTrackedPopup(CVZPCommandBar* pBar)
{
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
        if (m_arrTracked[i] == pBar)
        {
            m_arrTracked.RemoveAt(i);
            break;
        }
    if (m_arrTracked.GetSize() == 0)
        m_bModalTracking = FALSE;
}

void CVZPMouseHookManager::CloseTrackedPopups()
{
    while (m_arrTracked.GetSize() > 0)
    {
        CVZPCommandBar* pBar = m_arrTracked[0];
        INT_PTR nBefore = m_arrTracked.GetSize();
        pBar->SetTrackingMode(0, TRUE, FALSE);
        if (m_arrTracked.GetSize() == nBefore)   // the bar did not remove itself
            RemoveTrackedPopup(pBar);
    }
}

void CVZPMouseHookManager::CloseUnlockedPopups()
{
    if (m_arrTracked.GetSize() == 0 || m_arrTracked[0]->m_nLockTracking <= 0)
        return;
    for (INT_PTR i = m_arrTracked.GetSize() - 1; i >= 0; i--)
    {
        if (i >= m_arrTracked.GetSize())
            continue;
        CVZPCommandBar* pBar = m_arrTracked[i];
        if (pBar->m_nLockTracking == 0)
        {
            INT_PTR nBefore = m_arrTracked.GetSize();
            pBar->SetTrackingMode(0, TRUE, FALSE);
            if (m_arrTracked.GetSize() == nBefore)
                RemoveTrackedPopup(pBar);
        }
    }
}

void CVZPMouseHookManager::LockTrackedPopups(BOOL bLock)
{
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
        m_arrTracked[i]->m_nLockTracking += bLock ? 1 : -1;
}

BOOL CVZPMouseHookManager::IsInputBlocked(CVZPCommandBar* pBar) const
{
    if (m_arrTracked.GetSize() == 0)
        return FALSE;
    if (pBar == NULL || pBar->m_nLockTracking > 0)
        return TRUE;
    for (INT_PTR i = 0; i < m_arrTracked.GetSize(); i++)
        if (m_arrTracked[i] == pBar)
            return FALSE;
    return TRUE;
}
