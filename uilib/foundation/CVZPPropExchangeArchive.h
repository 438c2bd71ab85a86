// The exchange over an archive: values in call order with no names, tags or
// padding, little-endian; child sections share the archive. Nothing is
// omitted for being a default.
#pragma once

#include "CVZPPropExchange.h"

class CVZPPropExchangeArchive : public CVZPPropExchange
{
    DECLARE_DYNAMIC(CVZPPropExchangeArchive)
public:
    explicit CVZPPropExchangeArchive(CArchive& ar);

    BOOL ExchangeValue(LPCWSTR pszName, int nType, void* pvProp, const void* pvDefault) override;
    BOOL ExchangeBlob(LPCWSTR pszName, BYTE** ppData, UINT* pnBytes) override;
    BOOL ExchangeRuntimeClass(LPCWSTR pszName, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass) override;
    BOOL ExchangeObject(CObject** ppObject, CRuntimeClass* pExpectedClass) override;
    CArchive* GetArchive(LPCWSTR pszName) override;
    void ReleaseArchive(LPCWSTR pszName, CArchive* pArchive) override;
    CVZPPropExchange* GetSection(LPCWSTR pszName) override;
    void WriteCount(DWORD dwCount) override;
    DWORD ReadCount() override;
    void Write(LPCWSTR pszName, const void* pData, UINT nBytes) override;
    UINT Read(LPCWSTR pszName, void* pBuffer, UINT nBytes) override;
    BOOL CanOmitDefaults() const override { return FALSE; }
    BOOL CanStoreBinary() const override { return TRUE; }

private:
    CArchive* m_pArchive;
};
