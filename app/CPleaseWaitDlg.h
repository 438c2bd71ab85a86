// The two please-wait dialogs: "Depending on number of folders and
// files..." over skin 216 while a job on the result tree or list runs.
// The job runs on the UI thread at the request of the dialog's worker, in
// order with every other message, and the dialog ends only once it is
// done: the worker posts the end (a covered or minimised dialog ends too),
// and a paint after the done flag ends it as well.
#pragma once

#include <functional>

#include "CSkinnedDialog.h"

class CFolderTreeCtrl;
class CThirdView_HDD;

class CPleaseWaitDlg : public CSkinnedDialog
{
public:
    // The dialog's text.
    static const wchar_t Text[];

    CPleaseWaitDlg(UINT nIDTemplate, UINT nIDText, volatile LONG* pDone);
    ~CPleaseWaitDlg() override;

    // The job; run once.
    std::function<void()> m_job;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The visible Cancel, Esc and Enter do nothing while the job runs.
    void OnOK() override {}
    void OnCancel() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    static UINT WorkerProc(LPVOID param);
    void Finish();

    UINT m_nIDText;
    volatile LONG* m_pDone;
    CStatic m_text;
    CFont m_font;
    CWinThread* m_pThread = NULL;
    BOOL m_bEnded = FALSE;
};

// Dialog 376 around the recovery step's collection of the folders to save.
class CRecoverWaitDlg : public CPleaseWaitDlg
{
public:
    explicit CRecoverWaitDlg(CThirdView_HDD* pView);
};

// Dialog 379 around a click on a result-tree item.
class CTreeWaitDlg : public CPleaseWaitDlg
{
public:
    CTreeWaitDlg(CFolderTreeCtrl* pTree, UINT nFlags, HTREEITEM hItem);
};

// The done flags: 1 from the job's end until the dialog has ended.
extern volatile LONG g_RecoverWaitDone;
extern volatile LONG g_TreeWaitDone;

// Deletes the preview copies the result list recorded and the "ssss"
// folder of slide pictures in the temporary folder.
void DeletePreviewCopies();
