// The letter form of a byte block, for stores that hold only text (the
// profile store's INI form, the property exchange's text form): each byte
// becomes two capital letters, 'A' plus its low nibble, then 'A' plus its
// high nibble, so 00 FF 1A reads "AAPPKB".
#pragma once

#include <afxwin.h>

CString VZPEncodeBlobText(const BYTE* pData, UINT nBytes);
// Decodes the first nBytes letter pairs of pszText into pData (the caller
// checks that the text holds that many pairs); letters are kept to 8 bits.
void VZPDecodeBlobText(LPCWSTR pszText, UINT nBytes, BYTE* pData);
