#include "CVZPProfileStore.h"

#include "VZPBlobText.h"

namespace {

const REGSAM kReadWrite = KEY_READ | KEY_WRITE;

int MapRegistryResult(LONG lResult)
{
    if (lResult == ERROR_ACCESS_DENIED)
        return -1;
    return lResult == ERROR_SUCCESS ? 1 : 0;
}

BOOL UseIniFile()
{
    return !VZPGetProfileIniFile().IsEmpty();
}

}  // namespace

CString& VZPGetProfileIniFile()
{
    static CString s_strIniFile;
    return s_strIniFile;
}

CVZPProfileStore::CVZPProfileStore(HKEY hRoot) : m_hRoot(hRoot), m_pszRegistryKey(NULL), m_pszProfileName(NULL)
{
}

BOOL CVZPProfileStore::GetAppNames()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
    {
        if (CWinApp* pApp = AfxGetApp())
        {
            m_pszRegistryKey = pApp->m_pszRegistryKey;
            m_pszProfileName = pApp->m_pszProfileName;
        }
    }
    return m_pszRegistryKey != NULL && m_pszProfileName != NULL;
}

HKEY CVZPProfileStore::OpenAppKey(REGSAM samDesired)
{
    if (!GetAppNames())
        return NULL;
    HKEY hSoftware = NULL, hCompany = NULL, hApp = NULL;
    if (::RegOpenKeyExW(m_hRoot, L"Software", 0, samDesired, &hSoftware) == ERROR_SUCCESS &&
        ::RegCreateKeyExW(hSoftware, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE, samDesired, NULL,
                          &hCompany, NULL) == ERROR_SUCCESS)
    {
        if (::RegCreateKeyExW(hCompany, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE, samDesired, NULL,
                              &hApp, NULL) != ERROR_SUCCESS)
            hApp = NULL;
    }
    if (hCompany != NULL)
        ::RegCloseKey(hCompany);
    if (hSoftware != NULL)
        ::RegCloseKey(hSoftware);
    return hApp;
}

HKEY CVZPProfileStore::OpenSectionKey(LPCWSTR lpszSection, REGSAM samDesired)
{
    HKEY hApp = OpenAppKey(samDesired);
    if (hApp == NULL)
        return NULL;
    HKEY hSection = NULL;
    if (::RegCreateKeyExW(hApp, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, samDesired, NULL, &hSection,
                          NULL) != ERROR_SUCCESS)
        hSection = NULL;
    ::RegCloseKey(hApp);
    return hSection;
}

int CVZPProfileStore::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue)
{
    if (UseIniFile())
        return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, VZPGetProfileIniFile());
    if (!GetAppNames())
        return 0;
    LONG lResult;
    if (lpszEntry == NULL)
    {
        HKEY hApp = OpenAppKey(0);
        if (hApp == NULL)
            return 0;
        lResult = ::RegDeleteKeyW(hApp, lpszSection);
        ::RegCloseKey(hApp);
        return MapRegistryResult(lResult);
    }
    HKEY hSection = OpenSectionKey(lpszSection, kReadWrite);
    if (hSection == NULL)
        return 0;
    if (lpszValue != NULL)
        lResult = ::RegSetValueExW(hSection, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                                   (DWORD)(wcslen(lpszValue) + 1) * sizeof(wchar_t));
    else
        lResult = ::RegDeleteValueW(hSection, lpszEntry);
    ::RegCloseKey(hSection);
    return MapRegistryResult(lResult);
}

CString CVZPProfileStore::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault)
{
    if (UseIniFile())
    {
        CString strValue;
        ::GetPrivateProfileStringW(lpszSection, lpszEntry, lpszDefault != NULL ? lpszDefault : L"",
                                   strValue.GetBuffer(4096), 4096, VZPGetProfileIniFile());
        strValue.ReleaseBuffer();
        return strValue;
    }
    CString strResult(lpszDefault != NULL ? lpszDefault : L"");
    if (!GetAppNames())
        return strResult;
    HKEY hSection = OpenSectionKey(lpszSection, KEY_READ);
    if (hSection == NULL)
        return strResult;
    DWORD dwType = 0, cbData = 0;
    if (::RegQueryValueExW(hSection, lpszEntry, NULL, &dwType, NULL, &cbData) == ERROR_SUCCESS)
    {
        CString strValue;
        int nChars = (int)(cbData / sizeof(wchar_t));
        LPWSTR pBuffer = strValue.GetBuffer(nChars + 1);
        if (::RegQueryValueExW(hSection, lpszEntry, NULL, &dwType, (BYTE*)pBuffer, &cbData) == ERROR_SUCCESS)
        {
            pBuffer[nChars] = 0;
            strValue.ReleaseBuffer();   // ends at the first zero
            strResult = strValue;
        }
        else
        {
            strValue.ReleaseBuffer(0);
        }
    }
    ::RegCloseKey(hSection);
    return strResult;
}

int CVZPProfileStore::WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, const BYTE* pData, UINT nBytes)
{
    if (UseIniFile())
        return WriteProfileString(lpszSection, lpszEntry, VZPEncodeBlobText(pData, nBytes));
    if (!GetAppNames())
        return 0;
    HKEY hSection = OpenSectionKey(lpszSection, kReadWrite);
    if (hSection == NULL)
        return 0;
    LONG lResult = ::RegSetValueExW(hSection, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSection);
    return MapRegistryResult(lResult);
}

BOOL CVZPProfileStore::GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, BYTE** ppData, UINT* pnBytes)
{
    *ppData = NULL;
    *pnBytes = 0;
    if (UseIniFile())
    {
        CString strText = GetProfileString(lpszSection, lpszEntry, NULL);
        if (strText.IsEmpty())
            return FALSE;
        // An odd last letter has no partner and is ignored.
        UINT nBytes = (UINT)strText.GetLength() / 2;
        *ppData = new BYTE[nBytes];
        VZPDecodeBlobText(strText, nBytes, *ppData);
        *pnBytes = nBytes;
        return TRUE;
    }
    if (!GetAppNames())
        return FALSE;
    HKEY hSection = OpenSectionKey(lpszSection, KEY_READ);
    if (hSection == NULL)
        return FALSE;
    BOOL bResult = FALSE;
    DWORD dwType = 0, cbData = 0;
    if (::RegQueryValueExW(hSection, lpszEntry, NULL, &dwType, NULL, &cbData) == ERROR_SUCCESS)
    {
        BYTE* pData = new BYTE[cbData != 0 ? cbData : 1];
        if (::RegQueryValueExW(hSection, lpszEntry, NULL, &dwType, pData, &cbData) == ERROR_SUCCESS)
        {
            *ppData = pData;
            *pnBytes = cbData;
            bResult = TRUE;
        }
        else
        {
            delete[] pData;
        }
    }
    ::RegCloseKey(hSection);
    return bResult;
}
