// The exchange over the registry: one key per section (created on the first
// exchange, also when loading), one named value per property: integers as
// REG_DWORD, floats as REG_BINARY, strings as REG_SZ, rectangles and sizes as
// the texts "%i, %i, %i, %i" and "%i, %i". No exception leaves it: a failure
// gives FALSE, or the default when loading.
#pragma once

#include "CVZPPropExchange.h"

class CVZPPropExchangeRegistry : public CVZPPropExchange
{
    DECLARE_DYNAMIC(CVZPPropExchangeRegistry)
public:
    CVZPPropExchangeRegistry(BOOL bLoading, HKEY hParentKey, LPCWSTR pszSection);
    ~CVZPPropExchangeRegistry() override;

    BOOL ExchangeValue(LPCWSTR pszName, int nType, void* pvProp, const void* pvDefault) override;
    BOOL ExchangeBlob(LPCWSTR pszName, BYTE** ppData, UINT* pnBytes) override;
    CVZPPropExchange* GetSection(LPCWSTR pszName) override;
    // Also deletes the section's key and every key under it.
    LONG EmptySection() override;
    BOOL CanOmitDefaults() const override { return TRUE; }
    BOOL CanStoreBinary() const override { return TRUE; }
    // Opens or creates the section's key once.
    BOOL BeforeExchange() override;

private:
    BOOL LoadValue(LPCWSTR pszName, int nType, void* pvProp, const void* pvDefault);
    BOOL StoreValue(LPCWSTR pszName, int nType, void* pvProp, const void* pvDefault);
    // The text of a REG_SZ value; FALSE when it cannot be read.
    BOOL QueryText(LPCWSTR pszName, CString& strText);
    void CloseKey();

    HKEY m_hSectionKey;
    HKEY m_hParentKey;
    CString m_strSection;
};
