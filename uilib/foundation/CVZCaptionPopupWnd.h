// The tool window in which a text-style caption shows its pane: the pane
// moves into the popup under a small caption bar with a push pin. The pin
// docks the pane again; the focus moving outside closes the popup.
#pragma once

#include <afxwin.h>

#include "CVZCaption.h"
#include "CVZCaptionButton.h"
#include "CVZIconHolder.h"

class CVZCaptionPopupWnd : public CWnd
{
    DECLARE_DYNAMIC(CVZCaptionPopupWnd)
public:
    // Registers the window class "VZCaptionPopupWnd" when it is missing.
    CVZCaptionPopupWnd();
    ~CVZCaptionPopupWnd() override;

    // FALSE, and no window, unless the caption and the child are windows.
    virtual BOOL Create(const CRect& rect, CWnd* pCaption, CWnd* pChild);
    virtual void RecalcLayout();
    virtual void RestoreChildParent();
    // Sends the caption 10047 when the focus is outside the popup and its
    // windows; TRUE when it did (the popup may be gone then).
    virtual BOOL CheckFocus();

    CVZCaption& GetTitleBar() { return m_titleBar; }
    CVZCaptionButton& GetPinButton() { return m_pinButton; }

protected:
    afx_msg void OnDestroy();
    afx_msg void OnPin();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT nIDEvent);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pCaption;
    CWnd* m_pChild;
    CWnd* m_pPreviousParent;
    CVZCaption m_titleBar;
    CVZCaptionButton m_pinButton;
    CVZIconHolder m_hotPinIcon;
    CVZIconHolder m_pinIcon;
};
