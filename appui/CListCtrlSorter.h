// Sorts the rows of a list-view control by the text of one column, compared
// as text, as a number made of the text's digits, as a date or as a real
// number.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// Lives for one sort: the constructor parks each row's item data and column
// text in a record the row's item data points to, Sort runs the control's own
// sort, and the destructor gives every row its item data back.
class CListCtrlSorter
{
public:
    enum CompareType
    {
        compareDigits = 1,   // the text's decimal digits as one unsigned number ("1,024 KB" is 1024)
        compareText = 2,     // case-insensitive text
        compareDate = 3,     // dates in the user's locale; unparsable texts compare equal to anything
        compareReal = 4,     // real numbers in the ANSI code page
    };

    CListCtrlSorter(CListCtrl* pList, int nColumn);
    virtual ~CListCtrlSorter();
    CListCtrlSorter(const CListCtrlSorter&) = delete;
    CListCtrlSorter& operator=(const CListCtrlSorter&) = delete;

    // The result of LVM_SORTITEMS. Ascending when the flag's low byte is set.
    virtual BOOL Sort(BOOL bAscending, int nCompareType);

    // The sort callback: the sort parameter is the compare type, negative
    // for a descending sort.
    static int CALLBACK Compare(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

private:
    struct Row
    {
        DWORD_PTR dwData;   // the row's own item data
        CString strText;    // the row's text in the sort column
    };

    CListCtrl* m_pList;
};
