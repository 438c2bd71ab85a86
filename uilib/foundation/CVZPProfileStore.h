// Small settings (strings and byte blocks) under the running application's
// profile, with a root key of the caller's choosing: root, "Software", the
// application's registry key, its profile name, then the section; or, when
// the process-wide INI file name is set, that INI file. Writers tell an
// access-denied answer (-1) from other failures (0). A store is made on the
// stack for one call and keeps no key open between calls.
#pragma once

#include <afxwin.h>

class CVZPProfileStore
{
public:
    explicit CVZPProfileStore(HKEY hRoot);
    virtual ~CVZPProfileStore() {}

    // Takes the names from the running application object once; TRUE when
    // both are known.
    BOOL GetAppNames();
    // The profile's key opened or created with the access; NULL on failure.
    // The caller closes it.
    virtual HKEY OpenAppKey(REGSAM samDesired);
    // The section's key, created when missing; NULL on failure.
    virtual HKEY OpenSectionKey(LPCWSTR lpszSection, REGSAM samDesired);

    // 1 done, 0 failed, -1 access denied. A NULL entry deletes the section,
    // a NULL value the entry.
    int WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);
    CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault);
    int WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, const BYTE* pData, UINT nBytes);
    // The data is allocated with new[] and freed by the caller with delete[].
    BOOL GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, BYTE** ppData, UINT* pnBytes);

private:
    HKEY m_hRoot;
    LPCWSTR m_pszRegistryKey;
    LPCWSTR m_pszProfileName;
};

// The process-wide INI file name: empty (the registry is used) unless set.
CString& VZPGetProfileIniFile();
