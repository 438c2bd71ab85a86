// The "File Types" dialog of the File Trace: the user ticks the file types to
// look for and the megabytes to write for each file found; OK builds the
// chosen signatures.
#pragma once

#include <afxwin.h>

#include "CFileTypeTreeCtrl.h"
#include "CTransparentStatic.h"

class CFileTypesDlg : public CDialog
{
public:
    explicit CFileTypesDlg(CWnd* pParent = NULL);
    ~CFileTypesDlg() override;

    // Folder holding "Raw.dat"; the program's own folder unless the caller
    // names another before the dialog opens.
    CString m_strCatalogueFolder;

    CFileTypeTreeCtrl& GetTree() { return m_Tree; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    // Reads the catalogue into the tree and ticks every type; a catalogue
    // that cannot be read leaves the root alone.
    void LoadCatalogue();

    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void PreselectSize();

    CTransparentStatic m_Header;
    CFileTypeTreeCtrl m_Tree;
    CTransparentStatic m_SizeLabel;
    CComboBox m_SizeCombo;
    CStatic m_SizeNote;
    CFont m_HeaderFont;
    HBITMAP m_hSkin;
};
