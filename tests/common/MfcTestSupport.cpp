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

}  // namespace test
}  // namespace tesmir
