#include "WndTestSupport.h"

namespace mfcwnd_test {

BOOL CreateTopLevel(CWnd& wnd, LPCTSTR lpszTitle, int cx, int cy)
{
    return wnd.CreateEx(0, NULL, lpszTitle, WS_OVERLAPPEDWINDOW, 40, 40, cx, cy, NULL, NULL);
}

static CMessageBoxAnswer* g_pAnswer = NULL;
static int g_nAnswer = IDOK;

static int AFXAPI AnswerHook(LPCTSTR lpszText, UINT, UINT)
{
    g_pAnswer->m_texts.push_back(lpszText != NULL ? lpszText : L"");
    return g_nAnswer;
}

CMessageBoxAnswer::CMessageBoxAnswer(int nAnswer)
{
    g_pAnswer = this;
    g_nAnswer = nAnswer;
    m_pfnOld = AfxSetMessageBoxHook(AnswerHook);
}

CMessageBoxAnswer::~CMessageBoxAnswer()
{
    AfxSetMessageBoxHook(m_pfnOld);
    g_pAnswer = NULL;
}

CScopedApp::CScopedApp(LPCTSTR lpszName) : CWinApp(lpszName) {}

CScopedApp::~CScopedApp() = default;

}  // namespace mfcwnd_test
