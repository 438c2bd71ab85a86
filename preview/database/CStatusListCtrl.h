// The table list's control: a report list that colours its cells through
// reflected custom draw, the background by column and the text by the
// status word in a row's first field.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

class CStatusListCtrl : public CListCtrl
{
public:
    CStatusListCtrl() = default;

    // The colours of one cell: background (CLR_DEFAULT keeps the list's)
    // and text (CLR_DEFAULT likewise) for sub-item nSubItem of a row whose
    // column 1 reads rowStatus.
    static void CellColours(int nSubItem, const CString& rowStatus, COLORREF& clrTextBk, COLORREF& clrText);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
