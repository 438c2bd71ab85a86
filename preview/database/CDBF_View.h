// The viewer of dBASE-style tables (".dbf"): the field descriptors give the
// columns of a report list, the records after them its rows, each value
// turned into text by its field type. No database engine is involved.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

// The text a cell shows for a field of the given type letter holding
// length bytes (bytes may be shorter than length only when the file ended
// early; missing bytes count as zero).
CString DbfCellText(char type, const BYTE* bytes, UINT length);

class CDBF_View : public CView
{
    DECLARE_DYNCREATE(CDBF_View)
public:
    enum { IDC_DBF_LIST = 186 };

    CDBF_View();
    ~CDBF_View() override;

    // Reads the table at path into the list (a column per field, a row per
    // record) and stores the outcome in the main frame's preview-ok flag.
    static void LoadDbfFile(CString path, CListCtrl* pList);

    CListCtrl* m_pList;

protected:
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
