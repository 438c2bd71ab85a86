#include "MfcTestSupport.h"

namespace tesmir {
namespace test {

// The framework's hook is a plain function: the innermost answer object in
// scope receives the boxes.
static CMessageBoxAnswer* g_pAnswer = NULL;

static int AFXAPI AnswerHook(LPCTSTR lpszText, UINT nType, UINT)
{
    g_pAnswer->m_texts.push_back(lpszText != NULL ? lpszText : L"");
    g_pAnswer->m_types.push_back(nType);
    return g_pAnswer->m_nAnswer;
}

CMessageBoxAnswer::CMessageBoxAnswer(int nAnswer) : m_nAnswer(nAnswer), m_pOuter(g_pAnswer)
{
    g_pAnswer = this;
    m_pfnOld = AfxSetMessageBoxHook(AnswerHook);
}

CMessageBoxAnswer::~CMessageBoxAnswer()
{
    AfxSetMessageBoxHook(m_pfnOld);
    g_pAnswer = m_pOuter;
}

CScopedApp::CScopedApp(LPCTSTR lpszName, CWinApp* pPrevious) : CWinApp(lpszName), m_pPrevious(pPrevious) {}

CScopedApp::~CScopedApp()
{
    // CWinApp's destructor clears the current application only while it is
    // this object, so handing the state back first leaves it in place.
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    pModuleState->m_pCurrentWinApp = m_pPrevious;
    pModuleState->m_lpszCurrentAppName = m_pPrevious != NULL ? m_pPrevious->m_pszAppName : NULL;
    AfxGetThreadState()->m_pCurrentWinThread = m_pPrevious;
}

namespace {

CRect CaptureRect(CWnd* pWnd, BOOL bWhole)
{
    CRect rect;
    if (bWhole)
        pWnd->GetWindowRect(&rect);
    else
        pWnd->GetClientRect(&rect);
    return rect;
}

}  // namespace

CCapture::CCapture(CWnd* pWnd, BOOL bWhole)
    : m_canvas(CaptureRect(pWnd, bWhole).Width(), CaptureRect(pWnd, bWhole).Height())
{
    CaptureWindow(pWnd->m_hWnd, m_canvas, bWhole != FALSE);
    ::GdiFlush();
    m_dc.Attach(m_canvas.Dc());
}

CCapture::~CCapture()
{
    m_dc.Detach();
}

namespace {

BOOL CALLBACK FindUpdateRegion(HWND hWnd, LPARAM lParam)
{
    if (::GetUpdateRect(hWnd, NULL, FALSE))
    {
        *(BOOL*)lParam = TRUE;
        return FALSE;
    }
    return TRUE;
}

// True while pWnd or one of its descendants waits to be painted.
bool NeedsPainting(CWnd* pWnd)
{
    BOOL bPending = ::GetUpdateRect(pWnd->m_hWnd, NULL, FALSE);
    if (!bPending)
        ::EnumChildWindows(pWnd->m_hWnd, FindUpdateRegion, (LPARAM)&bPending);
    return bPending != FALSE;
}

}  // namespace

void PaintNow(CWnd* pWnd)
{
    // Dispatch what was posted (show, size and focus changes), then paint.
    MSG msg;
    for (int i = 0; i < 200 && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); i++)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    ::RedrawWindow(pWnd->m_hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    tesmir::test::PumpUntil([&] { return !NeedsPainting(pWnd); }, 2000);
}

int LineHeight(HFONT hFont)
{
    HDC hdc = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    RECT rect = {0, 0, 0, 0};
    ::DrawText(hdc, _T("Ky"), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(NULL, hdc);
    return rect.bottom - rect.top;
}

CSize TextSize(HFONT hFont, LPCTSTR lpszText)
{
    HDC hdc = ::GetDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(hdc, lpszText, lstrlen(lpszText), &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(NULL, hdc);
    return size;
}

}  // namespace test
}  // namespace tesmir
