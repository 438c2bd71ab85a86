#include "StartupTestSupport.h"

#include "TestSupport.h"

// The test program's own application object, as the program defines it.
CRecoveryWizardApp theApp;

CRecoveryWizardApp& App() { return theApp; }

CMainFrame* StartedFrame()
{
    static bool started = false;
    static wchar_t commandLine[1] = L"";
    if (!started) {
        started = true;
        // As the framework's program entry does.
        AfxWinInit(::GetModuleHandleW(NULL), NULL, commandLine, SW_SHOWNORMAL);
        AfxRunStartupInitializers();
        if (!theApp.InitApplication() || !theApp.InitInstance())
            return NULL;
    }
    return theApp.GetMainFrame();
}

namespace {

struct WindowSearch
{
    DWORD processId;
    const wchar_t* title;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->processId || !::IsWindowVisible(hwnd))
        return TRUE;
    wchar_t text[256] = L"";
    ::GetWindowTextW(hwnd, text, 256);
    wchar_t cls[64] = L"";
    ::GetClassNameW(hwnd, cls, 64);
    if (wcscmp(text, search->title) == 0 && (search->className == nullptr || wcscmp(cls, search->className) == 0)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* title, const wchar_t* className)
{
    WindowSearch search = {processId, title, className, NULL};
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring CChildProgram::ProgramPath() { return tesmir::test::BuildPath(L"app\\TesmirVHD.exe"); }

CChildProgram::CChildProgram(const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    const std::wstring folder = tesmir::test::FixturePath(L"");
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (!::CreateProcessW(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &si, &m_pi))
        m_pi = PROCESS_INFORMATION();
}

CChildProgram::~CChildProgram()
{
    if (m_pi.hProcess == NULL)
        return;
    if (Running()) {
        ::TerminateProcess(m_pi.hProcess, 1);
        ::WaitForSingleObject(m_pi.hProcess, 30000);
    }
    ::CloseHandle(m_pi.hThread);
    ::CloseHandle(m_pi.hProcess);
}

bool CChildProgram::Running() const
{
    return m_pi.hProcess != NULL && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool CChildProgram::WaitEnded(DWORD timeoutMs, DWORD* exitCode)
{
    if (!tesmir::test::PumpUntil([this] { return !Running(); }, timeoutMs))
        return false;
    if (exitCode != nullptr)
        ::GetExitCodeProcess(m_pi.hProcess, exitCode);
    return true;
}

HWND CChildProgram::WaitFrame(DWORD timeoutMs)
{
    HWND frame = NULL;
    tesmir::test::PumpUntil(
        [&] {
            frame = FindProcessWindow(Id(), L"Tesmir for VHD");
            return frame != NULL || !Running();
        },
        timeoutMs);
    return frame;
}
