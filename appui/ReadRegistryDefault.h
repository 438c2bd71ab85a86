// Reading the default (unnamed) value of a registry key.
#pragma once

#include <windows.h>

// Opens hRoot\lpszSubKey for querying and copies its default value into
// lpszOut, which must hold MAX_PATH (260) characters. Returns 0 on success,
// otherwise the registry error, and lpszOut is then left as it was (also when
// the value is longer than 259 characters). A key without a default value
// gives an empty string.
LONG ReadRegistryDefault(HKEY hRoot, LPCWSTR lpszSubKey, LPWSTR lpszOut);
