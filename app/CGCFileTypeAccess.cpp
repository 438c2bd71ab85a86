#include "CGCFileTypeAccess.h"

IMPLEMENT_DYNAMIC(CGCFileTypeAccess, CObject)

CGCFileTypeAccess::CGCFileTypeAccess() {}

CGCFileTypeAccess::~CGCFileTypeAccess() {}

void CGCFileTypeAccess::ClearAll()
{
    for (CString* text : {&m_strExtension, &m_strShellOpenCommand, &m_strDocumentClassName, &m_strClassDescription,
                          &m_strDefaultIcon, &m_strDocumentShellOpenCommand, &m_strShellNewCommand,
                          &m_strShellNewFileName, &m_strShellPrintCommand, &m_strShellPrintToCommand,
                          &m_strDocumentDefaultIcon})
        text->Empty();
}

BOOL CGCFileTypeAccess::RegisterAll()
{
    RegisterExtensionKey();
    RegisterClassKey();
    RegisterDocumentKeys();
    RegisterApplicationKeys();
    return TRUE;
}

BOOL CGCFileTypeAccess::RegisterExtensionKey()
{
    if (m_strExtension.IsEmpty())
        return TRUE;
    const CString key = _T(".") + m_strExtension;
    WriteRegistryString(HKEY_CLASSES_ROOT, key, _T(""), m_strDocumentClassName);
    if (!m_strShellOpenCommand.IsEmpty())
        WriteRegistryString(HKEY_CLASSES_ROOT, key + _T("\\shell\\open\\command"), _T(""), m_strShellOpenCommand);
    return TRUE;
}

BOOL CGCFileTypeAccess::RegisterClassKey()
{
    if (m_strDocumentClassName.IsEmpty())
        return TRUE;
    const CString& key = m_strDocumentClassName;
    WriteRegistryString(HKEY_CLASSES_ROOT, key, _T(""), m_strClassDescription);
    if (!m_strDefaultIcon.IsEmpty())
        WriteRegistryString(HKEY_CLASSES_ROOT, key + _T("\\DefaultIcon"), _T(""), m_strDefaultIcon);
    if (!m_strShellOpenCommand.IsEmpty())
        WriteRegistryString(HKEY_CLASSES_ROOT, key + _T("\\shell\\open\\command"), _T(""), m_strShellOpenCommand);
    return TRUE;
}

BOOL CGCFileTypeAccess::WriteRegistryString(HKEY hRoot, LPCTSTR lpszSubKey, LPCTSTR lpszValueName, LPCTSTR lpszData)
{
    if (hRoot == NULL || lpszSubKey == NULL || *lpszSubKey == 0 || lpszValueName == NULL || lpszData == NULL) {
        ::SetLastError(E_INVALIDARG);
        return FALSE;
    }
    HKEY hKey = NULL;
    if (::RegCreateKeyExW(hRoot, lpszSubKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, NULL, &hKey, NULL) !=
        ERROR_SUCCESS)
        return FALSE;
    const DWORD cb = (DWORD)((wcslen(lpszData) + 1) * sizeof(wchar_t));
    const LONG result = ::RegSetValueExW(hKey, lpszValueName, 0, REG_SZ, (const BYTE*)lpszData, cb);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}
