// The program started inside the test process: an application object of
// the program's class over the program's resources, whose InitInstance runs
// once on the test's display; and the built program started as a child.
#pragma once

#include <afxwin.h>

#include <string>

#include "CMainFrame.h"
#include "CRecoveryWizardApp.h"

// Runs InitInstance once (with an empty command line); the frame after it.
CMainFrame* StartedFrame();
CRecoveryWizardApp& App();

// The visible top-level window of a process whose title is text; null when
// there is none.
HWND FindProcessWindow(DWORD processId, const wchar_t* title, const wchar_t* className = nullptr);

// The built TesmirVHD.exe started as a child of the test (in the test's
// desktop, the fixtures folder as working directory). The destructor ends
// the process if it still runs: only this process, by its handle.
class CChildProgram
{
public:
    explicit CChildProgram(const std::wstring& arguments = L"");
    ~CChildProgram();
    CChildProgram(const CChildProgram&) = delete;
    CChildProgram& operator=(const CChildProgram&) = delete;

    bool Started() const { return m_pi.hProcess != NULL; }
    DWORD Id() const { return m_pi.dwProcessId; }
    bool Running() const;
    // Pumps until the process ended; its exit code then.
    bool WaitEnded(DWORD timeoutMs, DWORD* exitCode = nullptr);
    // Pumps until the process shows its frame.
    HWND WaitFrame(DWORD timeoutMs);

    static std::wstring ProgramPath();

private:
    PROCESS_INFORMATION m_pi = {};
};
