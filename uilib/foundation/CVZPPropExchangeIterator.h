// Walks the numbered child sections of an exchange (base0, base1, ...): the
// item count is exchanged first, then one section per item.
//
//     CVZPPropExchangeIterator* pEnum = pPX->GetEnumerator(L"Item");
//     POSITION pos = pEnum->StartEnumeration(nCount, FALSE);   // 0 when loading
//     while (pos != 0) { CVZPPropExchangeSectionRef sec(pEnum->GetNextSection(pos)); ... }
//     delete pEnum;
#pragma once

#include "CVZPPropExchange.h"

class CVZPPropExchangeIterator
{
public:
    CVZPPropExchangeIterator(CVZPPropExchange* pOwner, LPCWSTR pszSectionBase)
        : m_pOwner(pOwner), m_strSectionBase(pszSectionBase), m_nCount(0) {}
    virtual ~CVZPPropExchangeIterator() {}

    // Exchanges the count ("Count" in a section, or an archive count when
    // compact) and returns the first position, 0 for an empty list.
    virtual POSITION StartEnumeration(DWORD nCount, BOOL bCompact);
    // The next section (release it with InternalRelease) and the position
    // after it, 0 after the last; NULL for position 0.
    virtual CVZPPropExchange* GetNextSection(POSITION& pos);

    DWORD GetCount() const { return m_nCount; }

private:
    CVZPPropExchange* m_pOwner;
    CString m_strSectionBase;
    DWORD m_nCount;
};
