// A small modeless dialog that shows how far a long operation has come: a
// status text and a text progress bar.
#pragma once

#include <afxwin.h>

#include "CTextProgressCtrl.h"
#include "CTransparentStatic.h"
#include "appuires.h"

// Sent to the dialog with the new position in wParam; returns the previous
// position. It first dispatches the calling thread's pending messages, so
// the dialog and the owner keep painting while the caller works.
#define WM_PROGRESSDLG_SETPOS (WM_USER + 1)

// Created over an owner, which stays disabled until the dialog is destroyed.
// Esc or the close box hide the dialog; the caller's work goes on.
class CProgressDlg : public CDialog
{
public:
    enum { IDD = IDD_PROGRESS_DLG };

    // nCaptionID 0 gives "Progress...". Range 0 to 100, step 10.
    explicit CProgressDlg(UINT nCaptionID = 0);
    ~CProgressDlg() override;

    // Disables the owner (the safe owner of pParent) and shows the dialog.
    // FALSE, with the owner enabled again, when the dialog cannot be created.
    BOOL Create(CWnd* pParent = NULL);
    void SetRange(int nLower, int nUpper);
    // Enables the owner again, then destroys the dialog.
    BOOL DestroyWindow() override;

    CTransparentStatic m_staticStatus;    // the current step; callers write it
    CTransparentStatic m_staticPercent;
    CTextProgressCtrl m_progress;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void PumpMessages();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CFont m_fontBar;
    CFont m_fontText;
    CBrush m_brushBar;
    CBitmap m_bitmapSkin;
    UINT m_nCaptionID;
    int m_nLower;
    int m_nUpper;
    int m_nStep;
    HWND m_hWndOwnerDisabled;   // the owner this dialog disabled, or NULL
};
