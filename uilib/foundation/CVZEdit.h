// The library's edit control: a double-buffered background and the standard
// edit context menu drawn by the command bars.
#pragma once

#include <afxwin.h>

class CVZEdit : public CEdit
{
    DECLARE_DYNAMIC(CVZEdit)
public:
    // TRUE when the selection is not empty.
    virtual BOOL HasSelection() const;
    // TRUE when the clipboard offers text and the edit is not read-only.
    virtual BOOL CanPaste() const;

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnPaint();
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnEditUndo();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnEditCut();
    afx_msg void OnUpdateEditCut(CCmdUI* pCmdUI);
    afx_msg void OnEditCopy();
    afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
    afx_msg void OnEditPaste();
    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    afx_msg void OnEditClear();
    afx_msg void OnUpdateEditClear(CCmdUI* pCmdUI);
    afx_msg void OnEditSelectAll();
    afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
