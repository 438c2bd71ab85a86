// The viewer of layered picture documents (".psd"): decodes the file once
// while it is created and paints the picture stretched over its client
// area.
#pragma once

#include <afxwin.h>

#include "database/CPsdDecoder.h"

#define IDC_PSD_FRAME 61468

class CPSDViewView : public CView
{
    DECLARE_DYNCREATE(CPSDViewView)
public:
    CPSDViewView();
    ~CPSDViewView() override;

    // Decodes path; always 0. The decoder's result is kept in m_nLoadResult.
    int LoadFile(CString path);

    CPsdDecoder m_decoder;
    int m_nLoadResult;
    CStatic m_frame;
    HBITMAP m_hBitmap;  // owned once taken from the decoder

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override { return CView::PreCreateWindow(cs); }
    void OnInitialUpdate() override { CView::OnInitialUpdate(); }
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()
};
