#include "CVZPPropExchangeRegistry.h"

#include <afxpriv.h>

#include <stdio.h>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CVZPPropExchangeRegistry, CVZPPropExchange)

CVZPPropExchangeRegistry::CVZPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCWSTR pszSection)
    : CVZPPropExchange(bLoading), m_hSectionKey(NULL), m_hParentKey(hParentKey), m_strSection(pszSection)
{
}

CVZPPropExchangeRegistry::~CVZPPropExchangeRegistry()
{
    CloseKey();
}

void CVZPPropExchangeRegistry::CloseKey()
{
    if (m_hSectionKey != NULL)
    {
        ::RegCloseKey(m_hSectionKey);
        m_hSectionKey = NULL;
    }
}

BOOL CVZPPropExchangeRegistry::BeforeExchange()
{
    if (m_hParentKey == NULL)
        return FALSE;
    if (!m_bPrepared)
    {
        if (::RegCreateKeyExW(m_hParentKey, m_strSection, 0, NULL, REG_OPTION_NON_VOLATILE,
                              m_bLoading ? KEY_READ : KEY_WRITE, NULL, &m_hSectionKey, NULL) != ERROR_SUCCESS)
            m_hSectionKey = NULL;
        m_bPrepared = TRUE;
    }
    return m_hSectionKey != NULL;
}

BOOL CVZPPropExchangeRegistry::ExchangeValue(LPCWSTR pszName, int nType, void* pvProp, const void* pvDefault)
{
    return m_bLoading ? LoadValue(pszName, nType, pvProp, m_bUseDefaultOnLoad ? pvDefault : NULL)
                      : StoreValue(pszName, nType, pvProp, m_bUseDefaultOnSave ? pvDefault : NULL);
}

BOOL CVZPPropExchangeRegistry::QueryText(LPCWSTR pszName, CString& strText)
{
    DWORD dwType = 0, cbData = 0;
    if (::RegQueryValueExW(m_hSectionKey, pszName, NULL, &dwType, NULL, &cbData) != ERROR_SUCCESS)
        return FALSE;
    int nChars = (int)(cbData / sizeof(wchar_t));
    LPWSTR pBuffer = strText.GetBuffer(nChars + 1);
    LONG lResult = ::RegQueryValueExW(m_hSectionKey, pszName, NULL, &dwType, (BYTE*)pBuffer, &cbData);
    pBuffer[lResult == ERROR_SUCCESS ? nChars : 0] = 0;
    strText.ReleaseBuffer();   // ends at the first zero
    return lResult == ERROR_SUCCESS;
}

BOOL CVZPPropExchangeRegistry::LoadValue(LPCWSTR pszName, int nType, void* pvProp, const void* pvDefault)
{
    if (!BeforeExchange())
        return VZPPropCopy(nType, pvProp, pvDefault);
    switch (LOWORD(nType))
    {
    case VT_I2: case VT_I4: case VT_BOOL: case VT_UI1:
    case VT_R4: case VT_R8:
    {
        BYTE buffer[8] = {};
        BOOL bFloat = LOWORD(nType) == VT_R4 || LOWORD(nType) == VT_R8;
        DWORD cbData = bFloat ? VZPPropTypeSize(nType) : 4;
        if (::RegQueryValueExW(m_hSectionKey, pszName, NULL, NULL, buffer, &cbData) == ERROR_SUCCESS)
            return VZPPropCopy(nType, pvProp, buffer);
        return VZPPropCopy(nType, pvProp, pvDefault);
    }
    case VZP_PROP_STRING: case VZP_PROP_RECT: case VZP_PROP_SIZE:
    {
        CString strText;
        if (!QueryText(pszName, strText))
            return VZPPropCopy(nType, pvProp, pvDefault);
        if (LOWORD(nType) == VZP_PROP_STRING)
        {
            *static_cast<CString*>(pvProp) = strText;
            return TRUE;
        }
        if (LOWORD(nType) == VZP_PROP_SIZE)
        {
            int x = 0, y = 0;
            if (swscanf(strText, L"%i, %i", &x, &y) != 2)
                return VZPPropCopy(nType, pvProp, pvDefault);
            *static_cast<SIZE*>(pvProp) = SIZE{ x, y };
            return TRUE;
        }
        int l = 0, t = 0, r = 0, b = 0;
        if (swscanf(strText, L"%i, %i, %i, %i", &l, &t, &r, &b) != 4)
            return VZPPropCopy(nType, pvProp, pvDefault);
        *static_cast<RECT*>(pvProp) = RECT{ l, t, r, b };
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CVZPPropExchangeRegistry::StoreValue(LPCWSTR pszName, int nType, void* pvProp, const void* pvDefault)
{
    if (!BeforeExchange())
        return FALSE;
    if (VZPPropIsEqual(nType, pvProp, pvDefault))
    {
        // An emptied section was made afresh: nothing to delete one by one.
        if (m_hSectionKey != NULL && !m_bEmptied)
            ::RegDeleteValueW(m_hSectionKey, pszName);
        return TRUE;
    }
    LONG lResult;
    switch (LOWORD(nType))
    {
    case VT_I2: case VT_I4: case VT_BOOL: case VT_UI1:
    {
        DWORD dwValue = 0;
        memcpy(&dwValue, pvProp, VZPPropTypeSize(nType));
        lResult = ::RegSetValueExW(m_hSectionKey, pszName, 0, REG_DWORD, (const BYTE*)&dwValue, 4);
        break;
    }
    case VT_R4: case VT_R8:
        lResult = ::RegSetValueExW(m_hSectionKey, pszName, 0, REG_BINARY, (const BYTE*)pvProp,
                                   VZPPropTypeSize(nType));
        break;
    case VZP_PROP_STRING: case VZP_PROP_RECT: case VZP_PROP_SIZE:
    {
        CString strText;
        if (LOWORD(nType) == VZP_PROP_STRING)
        {
            strText = *static_cast<const CString*>(pvProp);
        }
        else if (LOWORD(nType) == VZP_PROP_SIZE)
        {
            const SIZE& size = *static_cast<const SIZE*>(pvProp);
            strText.Format(L"%i, %i", (int)size.cx, (int)size.cy);
        }
        else
        {
            const RECT& rect = *static_cast<const RECT*>(pvProp);
            strText.Format(L"%i, %i, %i, %i", (int)rect.left, (int)rect.top, (int)rect.right, (int)rect.bottom);
        }
        lResult = ::RegSetValueExW(m_hSectionKey, pszName, 0, REG_SZ, (const BYTE*)(LPCWSTR)strText,
                                   (DWORD)(strText.GetLength() + 1) * sizeof(wchar_t));
        break;
    }
    default:
        return FALSE;
    }
    return lResult == ERROR_SUCCESS;
}

BOOL CVZPPropExchangeRegistry::ExchangeBlob(LPCWSTR pszName, BYTE** ppData, UINT* pnBytes)
{
    if (!BeforeExchange())
        return FALSE;
    if (!m_bLoading)
        return ::RegSetValueExW(m_hSectionKey, pszName, 0, REG_BINARY, *ppData, *pnBytes) == ERROR_SUCCESS;
    DWORD cbData = 0;
    if (::RegQueryValueExW(m_hSectionKey, pszName, NULL, NULL, NULL, &cbData) != ERROR_SUCCESS)
        return FALSE;
    BOOL bAllocated = FALSE;
    if (*ppData == NULL)
    {
        if ((*ppData = (BYTE*)malloc(cbData != 0 ? cbData : 1)) == NULL)
            return FALSE;
        *pnBytes = cbData;
        bAllocated = TRUE;
    }
    else if (*pnBytes < cbData)
    {
        return FALSE;
    }
    if (::RegQueryValueExW(m_hSectionKey, pszName, NULL, NULL, *ppData, &cbData) != ERROR_SUCCESS)
    {
        if (bAllocated)
        {
            free(*ppData);
            *ppData = NULL;
            *pnBytes = 0;
        }
        return FALSE;
    }
    return TRUE;
}

CVZPPropExchange* CVZPPropExchangeRegistry::GetSection(LPCWSTR pszName)
{
    BeforeExchange();
    CVZPPropExchangeRegistry* pSection = new CVZPPropExchangeRegistry(m_bLoading, m_hSectionKey, pszName);
    pSection->InheritFrom(this);
    return pSection;
}

LONG CVZPPropExchangeRegistry::EmptySection()
{
    CVZPPropExchange::EmptySection();
    CloseKey();
    LONG lResult = AfxDelRegTreeHelper(m_hParentKey, m_strSection);
    m_bPrepared = FALSE;
    return lResult;
}
