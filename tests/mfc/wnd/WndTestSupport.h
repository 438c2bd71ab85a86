// Helpers shared by the window tests.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

namespace mfcwnd_test {

// A hidden top-level test window of the framework's default class (hidden
// windows are destroyed without waiting for the display).
BOOL CreateTopLevel(CWnd& wnd, LPCTSTR lpszTitle = _T("test"), int cx = 300, int cy = 200);

// Answers every AfxMessageBox with nAnswer while in scope, recording the texts.
class CMessageBoxAnswer
{
public:
    explicit CMessageBoxAnswer(int nAnswer);
    ~CMessageBoxAnswer();
    std::vector<std::wstring> m_texts;
private:
    AFX_MESSAGEBOX_HOOK m_pfnOld;
};

// A CWinApp that exists for the duration of a test (profile functions and
// AfxGetApp need one); restores the previous state on destruction.
class CScopedApp : public CWinApp
{
public:
    explicit CScopedApp(LPCTSTR lpszName);
    ~CScopedApp() override;
};

}  // namespace mfcwnd_test
