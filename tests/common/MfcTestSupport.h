// Helpers for test programs that link the framework (mfc/): answering
// message boxes and a scoped application object.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

namespace tesmir {
namespace test {

// Answers every AfxMessageBox with nAnswer while in scope, recording the texts.
class CMessageBoxAnswer
{
public:
    explicit CMessageBoxAnswer(int nAnswer);
    ~CMessageBoxAnswer();
    CMessageBoxAnswer(const CMessageBoxAnswer&) = delete;
    CMessageBoxAnswer& operator=(const CMessageBoxAnswer&) = delete;

    std::vector<std::wstring> m_texts;
    std::vector<UINT> m_types;   // each box's MB_ flags
    const int m_nAnswer;

private:
    AFX_MESSAGEBOX_HOOK m_pfnOld;
    CMessageBoxAnswer* m_pOuter;   // the answer object this one hides, if any
};

// A CWinApp for the duration of a test (profile functions and AfxGetApp need
// one). The application that was current before, if any, is current again
// after it, so a test can use one inside a program that keeps its own.
class CScopedApp : public CWinApp
{
public:
    // pPrevious is captured before CWinApp's constructor makes this object
    // the current application; callers leave it to its default.
    explicit CScopedApp(LPCTSTR lpszName = NULL, CWinApp* pPrevious = AfxGetApp());
    ~CScopedApp() override;

private:
    CWinApp* m_pPrevious;
};

}  // namespace test
}  // namespace tesmir
