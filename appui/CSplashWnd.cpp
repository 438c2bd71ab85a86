#include "CSplashWnd.h"

#include "CSplashThread.h"

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CSplashWnd::CSplashWnd() : m_pThread(NULL) {}

CSplashWnd::~CSplashWnd() = default;

void CSplashWnd::StoreBitmapSize()
{
    BITMAP bm = {};
    if (m_pThread != NULL && m_pThread->m_bitmap.GetSafeHandle() != NULL && m_pThread->m_bitmap.GetBitmap(&bm) != 0)
    {
        m_pThread->m_nBitmapWidth = bm.bmWidth;
        m_pThread->m_nBitmapHeight = bm.bmHeight;
    }
}

int CSplashWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CenterWindow();
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (m_pThread != NULL)
    {
        if (m_pThread->m_nDisplayTime != 0)
            SetTimer(CSplashThread::timerDisplay, m_pThread->m_nDisplayTime, NULL);
        if (m_pThread->m_nCloseTime != 0)
            SetTimer(CSplashThread::timerClose, m_pThread->m_nCloseTime, NULL);
    }
    StoreBitmapSize();
    return 0;
}

void CSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pThread != NULL)
        m_pThread->Paint(&dc);
}

void CSplashWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == CSplashThread::timerDisplay)
        DestroyWindow();
    else if (nIDEvent == CSplashThread::timerClose && m_pThread != NULL)
        m_pThread->OnCloseTimer();
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
    {
        // The window is gone: the thread ends, its parent comes forward.
        if (m_pThread != NULL && m_pThread->m_pParent != NULL && m_pThread->m_pParent->GetSafeHwnd() != NULL)
            ::SetForegroundWindow(m_pThread->m_pParent->GetSafeHwnd());
        ::PostQuitMessage(1);
    }
}
