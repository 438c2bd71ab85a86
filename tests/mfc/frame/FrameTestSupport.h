// Helpers shared by the frame tests.
#pragma once

#include <afxwin.h>
#include <afxpriv.h>

#include "MfcTestSupport.h"

namespace mfcframe_test {

using tesmir::test::CMessageBoxAnswer;
using tesmir::test::CScopedApp;

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
