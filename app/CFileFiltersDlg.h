// The File Filters dialog: edits the name masks that limit the listed and
// saved files (g_FileFilters). Add puts a mask at the top of the list,
// Remove drops the selected one, Close stores the list and lists the root
// folder again so that the filters take effect at once.
#pragma once

#include "CBorderedEdit.h"
#include "CSkinnedDialog.h"
#include "CTransparentStatic.h"

class CFileFiltersDlg : public CSkinnedDialog
{
public:
    explicit CFileFiltersDlg(CWnd* pParent = NULL);
    ~CFileFiltersDlg() override;

    CBorderedEdit m_edit;
    CBorderedListBox m_list;
    CTransparentStatic m_label;

protected:
    BOOL OnInitDialog() override;
    // Add (IDOK, the hidden default button, and "&Add").
    void OnOK() override;
    // Close, Esc and the close box: store and list the root again.
    void OnCancel() override;
    afx_msg void OnAdd();
    afx_msg void OnRemove();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    // Message of an Add that failed (kind 2), then the edit box focused
    // with the first nSelect characters selected (-1 all, 0 none).
    void Refuse(const wchar_t* text, int nSelect);

    CFont m_font;
};
