#include "CListCtrlSorter.h"

#include <stdlib.h>

namespace {

// The decimal digits of a text read as one number; no digits read as 0.
// Sizes in bytes pass 4 GiB, so the number is 64 bits wide.
unsigned long long DigitsValue(const CString& strText)
{
    CString strDigits;
    for (int i = 0; i < strText.GetLength(); i++)
    {
        if (strText[i] >= '0' && strText[i] <= '9')
            strDigits += strText[i];
    }
    return strDigits.IsEmpty() ? 0 : _wcstoui64(strDigits, NULL, 10);
}

double RealValue(const CString& strText)
{
    char szText[256] = {};
    ::WideCharToMultiByte(CP_ACP, 0, strText, -1, szText, (int)sizeof(szText) - 1, NULL, NULL);
    return atof(szText);
}

}  // namespace

CListCtrlSorter::CListCtrlSorter(CListCtrl* pList, int nColumn) : m_pList(pList)
{
    int nCount = m_pList->GetItemCount();
    for (int i = 0; i < nCount; i++)
    {
        Row* pRow = new Row{ m_pList->GetItemData(i), m_pList->GetItemText(i, nColumn) };
        m_pList->SetItemData(i, (DWORD_PTR)pRow);
    }
}

CListCtrlSorter::~CListCtrlSorter()
{
    int nCount = m_pList->GetItemCount();
    for (int i = 0; i < nCount; i++)
    {
        Row* pRow = (Row*)m_pList->GetItemData(i);
        m_pList->SetItemData(i, pRow->dwData);
        delete pRow;
    }
}

BOOL CListCtrlSorter::Sort(BOOL bAscending, int nCompareType)
{
    LPARAM lParamSort = (bAscending & 0xFF) != 0 ? nCompareType : -nCompareType;
    return m_pList->SortItems(Compare, (DWORD_PTR)lParamSort);
}

int CALLBACK CListCtrlSorter::Compare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const Row* pRow1 = (const Row*)lParam1;
    const Row* pRow2 = (const Row*)lParam2;
    int s = lParamSort < 0 ? -1 : 1;
    switch (lParamSort < 0 ? -lParamSort : lParamSort)
    {
    case compareDigits:
    {
        // By comparison, not by subtraction: a 64-bit difference does not
        // fit the result.
        unsigned long long n1 = DigitsValue(pRow1->strText);
        unsigned long long n2 = DigitsValue(pRow2->strText);
        return n1 < n2 ? -s : (n1 > n2 ? s : 0);
    }
    case compareText:
    {
        int nResult = pRow1->strText.CompareNoCase(pRow2->strText);
        return nResult < 0 ? -s : (nResult > 0 ? s : 0);
    }
    case compareDate:
    {
        COleDateTime date1;
        COleDateTime date2;
        if (!date1.ParseDateTime(pRow1->strText) || !date2.ParseDateTime(pRow2->strText))
            return 0;
        return date1 < date2 ? -s : s;
    }
    case compareReal:
        return RealValue(pRow2->strText) > RealValue(pRow1->strText) ? -s : s;
    default:
        return 0;
    }
}
