// The frame base through which a command-bars manager takes over a frame's
// menu, toolbar, keyboard shortcuts and print-preview handling. The derived
// frame creates the manager in its creation handler and stores it in
// m_pCommandBars; the frame holds one reference and releases it when it is
// destroyed.
#pragma once

#include <afxwin.h>

class CVZPCommandBars;

class CVZPFrameWnd : public CFrameWnd
{
    DECLARE_DYNAMIC(CVZPFrameWnd)
public:
    CVZPFrameWnd();
    ~CVZPFrameWnd() override;

    CVZPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

    CVZPCommandBars* m_pCommandBars;
};
