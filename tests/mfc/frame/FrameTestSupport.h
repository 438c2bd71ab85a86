// Helpers shared by the frame tests.
#pragma once

#include <afxwin.h>
#include <afxpriv.h>

namespace mfcframe_test {

// A CWinApp for the length of a test; the previous state comes back after.
class CScopedApp : public CWinApp
{
public:
    CScopedApp() : CWinApp(_T("MfcFrameTests")) {}
};

// Answers AfxMessageBox with nAnswer while in scope and counts the boxes.
class CMessageBoxAnswer
{
public:
    explicit CMessageBoxAnswer(int nAnswer);
    ~CMessageBoxAnswer();
    int m_nCount = 0;
    CString m_strLast;
private:
    AFX_MESSAGEBOX_HOOK m_pfnOld;
};

// A bar of fixed thickness that records the WM_SIZEPARENT it receives.
class CTestBar : public CControlBar
{
public:
    explicit CTestBar(int nThickness) : m_nThickness(nThickness) {}
    BOOL Create(CWnd* pParent, DWORD dwBarStyle, UINT nID, BOOL bVisible = TRUE);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    int m_nThickness;
    int m_nQueryPasses = 0;   // WM_SIZEPARENT with a NULL hDWP
    int m_nLayoutPasses = 0;  // WM_SIZEPARENT with a deferral handle
    CFrameWnd* m_pReenter = NULL;   // frame to lay out again from inside a pass
};

// The window rectangle of pWnd in its parent's client coordinates.
CRect ChildRect(CWnd* pWnd);

}  // namespace mfcframe_test
