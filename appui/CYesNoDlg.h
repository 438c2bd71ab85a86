// The question box: the message sink's text with Yes and No (see
// CMessageDlg.h). Esc and the close box do nothing: the user must choose.
#pragma once

#include "CMessageDlg.h"

class CYesNoDlg : public CDialog
{
public:
    explicit CYesNoDlg(CWnd* pParent = NULL);

    // Asks the message sink's question through the sink; 1 for Yes, 2 for
    // anything else.
    INT_PTR DoModal() override;
    // The box itself: by g_nMessageKind, a Yes/No box with that kind's icon,
    // or the skinned form. 1 for Yes, 2 otherwise.
    INT_PTR ShowBox();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

public:
    // What the box shows: the sink's text and kind when the dialog was made.
    std::wstring m_strText;
    int m_nKind;

protected:

    CStatic m_icon;
    CButton m_no;
    CButton m_yes;
    CTransparentStatic m_text;
    CMessageSkin m_skin;
};
