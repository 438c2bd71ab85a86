#include "VZPBlobText.h"

CString VZPEncodeBlobText(const BYTE* pData, UINT nBytes)
{
    CString strText;
    LPWSTR p = strText.GetBuffer((int)nBytes * 2);
    for (UINT i = 0; i < nBytes; i++)
    {
        *p++ = (wchar_t)(L'A' + (pData[i] & 0x0F));
        *p++ = (wchar_t)(L'A' + (pData[i] >> 4));
    }
    strText.ReleaseBuffer((int)nBytes * 2);
    return strText;
}

void VZPDecodeBlobText(LPCWSTR pszText, UINT nBytes, BYTE* pData)
{
    for (UINT i = 0; i < nBytes; i++)
        pData[i] = (BYTE)((pszText[2 * i + 1] - L'A') * 16 + (pszText[2 * i] - L'A'));
}
