// The file-system step: the tree of the file systems an Extensive Scan
// found and the file-system panel beside it. For now it holds and lays out
// the two; its buttons and commands come later.
#pragma once

#include <afxwin.h>

#include "CFileSystemForm.h"
#include "CFileSystemTreeCtrl.h"

class CFileSystemView : public CView
{
    DECLARE_DYNCREATE(CFileSystemView)
public:
    enum { IdTree = 156 };

    CFileSystemView();
    ~CFileSystemView() override;

    CFileSystemTreeCtrl m_tree;
    CFileSystemForm m_form;

protected:
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
