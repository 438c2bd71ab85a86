// CWinApp profile functions (registry or .INI file) and the recent-file list.
#include "wndstate.h"

#include <afxadv.h>

#include <algorithm>

// ---------------------------------------------------------------------------
// Registry layout: HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = _tcsdup(lpszRegistryKey);
    free((void*)m_pszProfileName);
    m_pszProfileName = _tcsdup(m_pszAppName != NULL ? m_pszAppName : _T(""));
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey = AfxLoadFrameworkString(nIDRegistryKey);
    SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
        return NULL;
    HKEY hSoftKey = NULL;
    HKEY hCompanyKey = NULL;
    HKEY hAppKey = NULL;
    DWORD dw = 0;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, _T("Software"), 0, KEY_WRITE | KEY_READ, &hSoftKey) == ERROR_SUCCESS)
    {
        if (::RegCreateKeyEx(hSoftKey, m_pszRegistryKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, NULL,
                             &hCompanyKey, &dw) == ERROR_SUCCESS)
        {
            ::RegCreateKeyEx(hCompanyKey, m_pszProfileName, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                             NULL, &hAppKey, &dw);
            ::RegCloseKey(hCompanyKey);
        }
        ::RegCloseKey(hSoftKey);
    }
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == NULL)
        return NULL;
    HKEY hSectionKey = NULL;
    DWORD dw = 0;
    // A section with backslashes names nested keys.
    ::RegCreateKeyEx(hAppKey, lpszSection, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, NULL, &hSectionKey,
                     &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

LONG AFXAPI AfxDelRegTreeHelper(HKEY hParentKey, const CString& strKeyName)
{
    LPCTSTR lpszKeyName = strKeyName;
    HKEY hKey = NULL;
    LONG lResult = ::RegOpenKeyEx(hParentKey, lpszKeyName, 0, KEY_READ | KEY_WRITE, &hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    TCHAR szSubKey[256];
    for (;;)
    {
        DWORD cch = _countof(szSubKey);
        if (::RegEnumKeyEx(hKey, 0, szSubKey, &cch, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        if (AfxDelRegTreeHelper(hKey, szSubKey) != ERROR_SUCCESS)
            break;
    }
    ::RegCloseKey(hKey);
    return ::RegDeleteKey(hParentKey, lpszKeyName);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == NULL)
        return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return (UINT)nDefault;
    DWORD dwValue = 0;
    DWORD dwType = 0;
    DWORD dwCount = sizeof(DWORD);
    LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &dwCount);
    ::RegCloseKey(hSecKey);
    if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
        return (UINT)dwValue;
    return (UINT)nDefault;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (m_pszRegistryKey == NULL)
    {
        if (lpszDefault == NULL)
            lpszDefault = _T("");
        TCHAR szT[4096];
        ::GetPrivateProfileString(lpszSection, lpszEntry, lpszDefault, szT, _countof(szT), m_pszProfileName);
        return szT;
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey != NULL)
    {
        DWORD dwType = 0;
        DWORD dwCount = 0;
        LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
        if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ))
        {
            CString strValue;
            int nChars = (int)(dwCount / sizeof(TCHAR));
            LPTSTR pBuf = strValue.GetBuffer(nChars + 1);
            DWORD dwRead = (DWORD)((nChars + 1) * sizeof(TCHAR));
            lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, (LPBYTE)pBuf, &dwRead);
            pBuf[lResult == ERROR_SUCCESS ? std::min<DWORD>(dwRead / sizeof(TCHAR), nChars) : 0] = 0;
            strValue.ReleaseBuffer();
            ::RegCloseKey(hSecKey);
            if (lResult == ERROR_SUCCESS)
                return strValue;
        }
        else
        {
            ::RegCloseKey(hSecKey);
        }
    }
    return lpszDefault != NULL ? CString(lpszDefault) : CString();
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = NULL;
    *pBytes = 0;
    if (m_pszRegistryKey == NULL)
    {
        // .INI form: two letters 'A'+nibble per byte, low nibble first.
        CString str = GetProfileString(lpszSection, lpszEntry, NULL);
        if (str.IsEmpty())
            return FALSE;
        UINT nLen = (UINT)str.GetLength() / 2;
        *ppData = new BYTE[nLen];
        for (UINT i = 0; i < nLen; i++)
            (*ppData)[i] = (BYTE)(((str[(int)(2 * i) + 1] - 'A') << 4) + (str[(int)(2 * i)] - 'A'));
        *pBytes = nLen;
        return TRUE;
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    DWORD dwType = 0;
    DWORD dwCount = 0;
    LONG lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount);
    if (lResult == ERROR_SUCCESS && dwType == REG_BINARY)
    {
        *ppData = new BYTE[dwCount > 0 ? dwCount : 1];
        lResult = ::RegQueryValueEx(hSecKey, lpszEntry, NULL, &dwType, *ppData, &dwCount);
        *pBytes = dwCount;
    }
    else if (lResult == ERROR_SUCCESS)
    {
        lResult = ERROR_INVALID_DATA;
    }
    ::RegCloseKey(hSecKey);
    if (lResult == ERROR_SUCCESS)
        return TRUE;
    delete[] *ppData;
    *ppData = NULL;
    *pBytes = 0;
    return FALSE;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == NULL)
    {
        TCHAR szT[16];
        _sntprintf(szT, _countof(szT), _T("%d"), nValue);
        return ::WritePrivateProfileString(lpszSection, lpszEntry, szT, m_pszProfileName);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    DWORD dwValue = (DWORD)nValue;
    LONG lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_DWORD, (LPBYTE)&dwValue, sizeof(dwValue));
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == NULL)
        return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);

    LONG lResult;
    if (lpszEntry == NULL)
    {
        // Delete the whole section, keys below it included.
        HKEY hAppKey = GetAppRegistryKey();
        if (hAppKey == NULL)
            return FALSE;
        lResult = AfxDelRegTreeHelper(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
        return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    if (lpszValue == NULL)
    {
        lResult = ::RegDeleteValue(hSecKey, lpszEntry);
        if (lResult == ERROR_FILE_NOT_FOUND)
            lResult = ERROR_SUCCESS;
    }
    else
    {
        lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_SZ, (LPBYTE)lpszValue,
                                  (DWORD)((_tcslen(lpszValue) + 1) * sizeof(TCHAR)));
    }
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == NULL)
    {
        CString str;
        LPTSTR p = str.GetBufferSetLength((int)(nBytes * 2));
        for (UINT i = 0; i < nBytes; i++)
        {
            p[i * 2] = (TCHAR)((pData[i] & 0x0F) + 'A');
            p[i * 2 + 1] = (TCHAR)(((pData[i] >> 4) & 0x0F) + 'A');
        }
        str.ReleaseBuffer((int)(nBytes * 2));
        return WriteProfileString(lpszSection, lpszEntry, str);
    }
    HKEY hSecKey = GetSectionKey(lpszSection);
    if (hSecKey == NULL)
        return FALSE;
    LONG lResult = ::RegSetValueEx(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSecKey);
    return lResult == ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------
// Standard settings and the recent-file list

static const TCHAR szFileSection[] = _T("Recent File List");
static const TCHAR szFileEntry[] = _T("File%d");
static const TCHAR szPreviewSection[] = _T("Settings");
static const TCHAR szPreviewEntry[] = _T("PreviewPages");

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU != 0)
    {
        delete m_pRecentFileList;
        m_pRecentFileList = new CRecentFileList(0, szFileSection, szFileEntry, (int)nMaxMRU);
        m_pRecentFileList->ReadList();
    }
    m_nNumPreviewPages = GetProfileInt(szPreviewSection, szPreviewEntry, 0);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->WriteList();
    if (m_nNumPreviewPages != 0)
        WriteProfileInt(szPreviewSection, szPreviewEntry, (int)m_nNumPreviewPages);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->Add(lpszPathName);
}

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize, int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 1), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart), m_nMaxDisplayLength(nMaxDispLen)
{
    m_arrNames = new CString[m_nSize];
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

// Full path of lpszFileIn; the input when it cannot be resolved.
static CString FullPath(LPCTSTR lpszFileIn)
{
    TCHAR szPath[MAX_PATH * 2];
    LPTSTR lpszFilePart = NULL;
    DWORD dw = ::GetFullPathName(lpszFileIn, _countof(szPath), szPath, &lpszFilePart);
    if (dw == 0 || dw >= _countof(szPath))
        return lpszFileIn;
    return szPath;
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    CString strPath = FullPath(lpszPathName);
    int iMRU;
    for (iMRU = 0; iMRU < m_nSize - 1; iMRU++)
    {
        if (m_arrNames[iMRU].CompareNoCase(strPath) == 0)
            break;
    }
    // Shift the entries above it down by one and put it on top.
    for (; iMRU > 0; iMRU--)
        m_arrNames[iMRU] = m_arrNames[iMRU - 1];
    m_arrNames[0] = strPath;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    m_arrNames[nIndex].Empty();
    int iMRU;
    for (iMRU = nIndex; iMRU < m_nSize - 1; iMRU++)
        m_arrNames[iMRU] = m_arrNames[iMRU + 1];
    m_arrNames[iMRU].Empty();
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, iMRU + 1);
        m_arrNames[iMRU] = pApp->GetProfileString(m_strSectionName, strEntry, _T(""));
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    // Rewrite the section: empty entries leave no value behind.
    pApp->WriteProfileString(m_strSectionName, NULL, NULL);
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        if (m_arrNames[iMRU].IsEmpty())
            continue;
        CString strEntry;
        strEntry.Format(m_strEntryFormat, iMRU + 1);
        pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[iMRU]);
    }
}

void AFXAPI AfxAbbreviateName(LPTSTR lpszCanon, int nMaxLength, BOOL bAtLeastName)
{
    int cchFullPath = (int)_tcslen(lpszCanon);
    // The file name part.
    LPTSTR lpszName = lpszCanon;
    for (LPTSTR p = lpszCanon; *p; p++)
    {
        if (*p == '\\' || *p == '/' || *p == ':')
            lpszName = p + 1;
    }
    int cchFileName = (int)_tcslen(lpszName);
    if (nMaxLength == 0)
        return;
    if (cchFullPath <= nMaxLength)
        return;
    if (cchFileName >= nMaxLength || cchFileName == cchFullPath)
    {
        // Not even the name fits: keep the name alone, or nothing.
        if (bAtLeastName)
            memmove(lpszCanon, lpszName, (cchFileName + 1) * sizeof(TCHAR));
        else
            lpszCanon[0] = 0;
        return;
    }
    // Keep the volume ("c:\" or "\\server\share\"), then "...\", then as many
    // trailing folders as fit, then the name.
    LPTSTR lpszCur = lpszCanon;
    if (lpszCanon[0] == '\\' && lpszCanon[1] == '\\')
    {
        lpszCur += 2;
        for (int nSlashes = 0; *lpszCur && nSlashes < 2; lpszCur++)
            if (*lpszCur == '\\')
                nSlashes++;
    }
    else
    {
        LPTSTR p = _tcschr(lpszCanon, '\\');
        lpszCur = p != NULL ? p + 1 : lpszCanon;
    }
    int cchVolume = (int)(lpszCur - lpszCanon);
    static const TCHAR szEllipsis[] = _T("...\\");
    int cchEllipsis = 4;
    // Find the shortest tail (at a folder boundary) that fits.
    LPTSTR lpszTail = lpszName;
    for (LPTSTR p = lpszName - 1; p > lpszCur; p--)
    {
        if (p[-1] == '\\' && cchVolume + cchEllipsis + (int)_tcslen(p) <= nMaxLength)
            lpszTail = p;
        else if (p[-1] == '\\')
            break;
    }
    if (cchVolume + cchEllipsis + (int)_tcslen(lpszTail) > nMaxLength)
    {
        if (bAtLeastName)
            memmove(lpszCanon, lpszName, (cchFileName + 1) * sizeof(TCHAR));
        else
            lpszCanon[0] = 0;
        return;
    }
    CString strResult(lpszCanon, cchVolume);
    strResult += szEllipsis;
    strResult += lpszTail;
    _tcscpy(lpszCanon, strResult);
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    LPCTSTR lpszName = m_arrNames[nIndex];
    int nLenName = (int)_tcslen(lpszName);
    LPTSTR lpch = strName.GetBuffer(nLenName + 1);
    _tcscpy(lpch, lpszName);
    // A file in the current folder shows without the folder.
    if (lpszCurDir != NULL && nCurDir > 0 && nCurDir < nLenName && _tcsnicmp(lpszCurDir, lpch, nCurDir) == 0 &&
        _tcschr(lpch + nCurDir, '\\') == NULL)
    {
        memmove(lpch, lpch + nCurDir, (nLenName - nCurDir + 1) * sizeof(TCHAR));
    }
    else if (m_nMaxDisplayLength != -1)
    {
        AfxAbbreviateName(lpch, m_nMaxDisplayLength, bAtLeastName);
    }
    strName.ReleaseBuffer();
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    // The menu item of the first entry stands for the whole list: it keeps
    // its own text (disabled) while the list is empty, and is replaced by one
    // item per file ("&1 name", ids from m_nID) otherwise.
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != NULL)
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    if (m_arrNames[0].IsEmpty())
    {
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == NULL)
        return;
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
        pMenu->DeleteMenu(pCmdUI->m_nID + iMRU, MF_BYCOMMAND);

    TCHAR szCurDir[MAX_PATH + 1] = {};
    DWORD nCurDir = ::GetCurrentDirectory(MAX_PATH - 1, szCurDir);
    if (nCurDir == 0 || nCurDir >= MAX_PATH - 1)
        nCurDir = 0;
    else if (szCurDir[nCurDir - 1] != '\\')
        szCurDir[nCurDir++] = '\\';
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        CString strName;
        if (!GetDisplayName(strName, iMRU, szCurDir, (int)nCurDir))
            break;
        strName.Replace(_T("&"), _T("&&"));   // an ampersand in a path is not a mnemonic
        CString strItem;
        strItem.Format(_T("&%d %s"), (int)((iMRU + 1 + m_nStart) % 10), (LPCTSTR)strName);
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, strItem);
    }
    // The caller continues after the last item inserted.
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}
