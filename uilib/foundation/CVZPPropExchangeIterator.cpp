#include "CVZPPropExchangeIterator.h"

POSITION CVZPPropExchangeIterator::StartEnumeration(DWORD nCount, BOOL bCompact)
{
    m_nCount = nCount;
    if (m_pOwner == NULL)
        return 0;
    if (!bCompact)
    {
        int nValue = (int)m_nCount;
        PropExchangeInt(m_pOwner, L"Count", &nValue, 0);
        m_nCount = (DWORD)nValue;
    }
    else if (m_pOwner->IsLoading())
    {
        m_nCount = m_pOwner->ReadCount();
    }
    else
    {
        m_pOwner->WriteCount(m_nCount);
    }
    return m_nCount != 0 ? (POSITION)1 : 0;
}

CVZPPropExchange* CVZPPropExchangeIterator::GetNextSection(POSITION& pos)
{
    if (pos == 0 || m_pOwner == NULL)
        return NULL;
    DWORD_PTR nPos = (DWORD_PTR)pos;
    CString strName;
    strName.Format(L"%s%i", (LPCWSTR)m_strSectionBase, (int)(nPos - 1));
    CVZPPropExchange* pSection = m_pOwner->GetSection(strName);
    nPos++;
    pos = nPos > m_nCount ? 0 : (POSITION)nPos;
    return pSection;
}
