#include "ReadRegistryDefault.h"

#include <string.h>

LONG ReadRegistryDefault(HKEY hRoot, LPCWSTR lpszSubKey, LPWSTR lpszOut)
{
    HKEY hKey = NULL;
    LONG lResult = ::RegOpenKeyExW(hRoot, lpszSubKey, 0, KEY_QUERY_VALUE, &hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;

    WCHAR szValue[MAX_PATH] = {};
    LONG cbValue = sizeof(szValue);
    lResult = ::RegQueryValueW(hKey, NULL, szValue, &cbValue);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    szValue[MAX_PATH - 1] = 0;
    wcscpy(lpszOut, szValue);
    return ERROR_SUCCESS;
}
