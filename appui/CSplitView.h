// A caption strip with two labels and two values that brings the wizard
// step holding the latest results to the front when clicked. Created by run
// time class only; nothing in the program creates it.
#pragma once

#include <afxwin.h>

class IWizardFrame;

// The strip's four texts, process-wide: the main frame empties them when it
// is created.
extern CString g_strSplitLabel1;
extern CString g_strSplitLabel2;
extern CString g_strSplitValue1;
extern CString g_strSplitValue2;
void ClearSplitViewTexts();

class CSplitView : public CView
{
    DECLARE_DYNCREATE(CSplitView)
public:
    CSplitView();
    ~CSplitView() override;

    // The wizard view a click brings forward for the scan mode and the
    // frame's flags: the first set flag, from the mode's last step back to
    // its first. NULL when no flag is set.
    static CView* ViewForClick(const IWizardFrame& frame, int nScanMode);

    void OnDraw(CDC* pDC) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CString m_strText;
    int m_nState;
};
