// The splash window: a borderless topmost window of its bitmap's size,
// painted with the bitmap and the splash thread's text blocks.
#pragma once

#include <afxwin.h>

class CSplashThread;

class CSplashWnd : public CWnd
{
public:
    CSplashWnd();
    ~CSplashWnd() override;

    // Stores the bitmap's width and height in the thread.
    virtual void StoreBitmapSize();

    CSplashThread* m_pThread;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
