// The preview pane's view of a ZIP, CAB or RAR archive: one report row per
// entry (name, folder information, size, times, attributes); nothing is
// extracted. The listing's outcome becomes the frame's preview-ok flag.
#pragma once

#include "CShellIcons.h"

#include <afxwin.h>

class CArchiveListCtrl;

class CMyListCtrl : public CView
{
    DECLARE_DYNCREATE(CMyListCtrl)
public:
    CMyListCtrl();
    ~CMyListCtrl() override;

    // Each fills the list from the document's current file (the zip listing
    // from the path given) and returns 1 on success, 0 on failure.
    int ListZipArchive(const CString& path);
    int ListCabArchive();
    int ListRarArchive();

    CArchiveListCtrl* m_pList;
    CShellIcons m_shellIcons;

    // The control id of the list.
    static constexpr UINT kListId = 165;

protected:
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    int InsertRow(int nItem, const CString& name);
};
