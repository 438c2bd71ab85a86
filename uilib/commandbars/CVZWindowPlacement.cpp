#include "CVZWindowPlacement.h"

#include "CVZPProfileStore.h"

namespace {

const wchar_t kDefaultSection[] = L"Settings";
const wchar_t kDefaultValue[] = L"Window Position";

}  // namespace

CVZWindowPlacement::CVZWindowPlacement()
{
    memset(&m_record, 0, sizeof(m_record));
    m_record.wp.length = sizeof(m_record);
    m_record.wp.showCmd = SW_SHOW;
}

CVZWindowPlacement::~CVZWindowPlacement()
{
}

BOOL CVZWindowPlacement::SaveWindowPos(CWnd* pWnd, LPCTSTR lpszValueName, LPCTSTR lpszSection)
{
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()) || !::GetWindowPlacement(pWnd->m_hWnd, &m_record.wp))
        return FALSE;
    if (m_record.wp.showCmd != SW_SHOWMAXIMIZED)
        m_record.wp.showCmd = SW_SHOWNORMAL;
    CVZPProfileStore store(HKEY_CURRENT_USER);
    store.WriteProfileBinary(lpszSection != NULL ? lpszSection : kDefaultSection,
                             lpszValueName != NULL ? lpszValueName : kDefaultValue, (const BYTE*)&m_record,
                             sizeof(m_record));
    return TRUE;
}

BOOL CVZWindowPlacement::LoadWindowPos(LPCTSTR lpszValueName, LPCTSTR lpszSection)
{
    CVZPProfileStore store(HKEY_CURRENT_USER);
    BYTE* pData = NULL;
    UINT nBytes = 0;
    if (!store.GetProfileBinary(lpszSection != NULL ? lpszSection : kDefaultSection,
                                lpszValueName != NULL ? lpszValueName : kDefaultValue, &pData, &nBytes))
        return FALSE;
    BOOL bLoaded = pData != NULL && nBytes == sizeof(m_record);
    if (bLoaded)
        memcpy(&m_record, pData, sizeof(m_record));
    delete[] pData;
    return bLoaded;
}

BOOL CVZWindowPlacement::RestoreWindowPos(CWnd* pWnd, LPCTSTR lpszValueName, LPCTSTR lpszSection)
{
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()) || !LoadWindowPos(lpszValueName, lpszSection))
        return FALSE;
    // The record says 48, the system accepts only the size of its own
    // structure.
    WINDOWPLACEMENT wp = m_record.wp;
    wp.length = sizeof(WINDOWPLACEMENT);
    return ::SetWindowPlacement(pWnd->m_hWnd, &wp);
}
