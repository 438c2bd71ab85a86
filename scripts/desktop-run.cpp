// desktop-run.exe <desktop> <program> [arguments...]
// Runs a program on the named Wine desktop and returns its exit code.
// scripts/wine-run uses it to put each window test on its own virtual
// desktop: the first program on a desktop starts Wine's desktop window (a
// virtual desktop of the size the prefix registers for that name) on the
// display the program inherits, so showing and destroying top-level windows
// no longer waits for the X server's window manager round trips.
#include <windows.h>

#include <string>

// Quotes one argument the way the C run-time splits command lines.
static std::wstring Quote(const wchar_t* arg)
{
    std::wstring text(arg);
    if (!text.empty() && text.find_first_of(L" \t\"") == std::wstring::npos)
        return text;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t ch : text)
    {
        if (ch == L'\\')
        {
            backslashes++;
            continue;
        }
        if (ch == L'"')
            quoted.append(backslashes * 2 + 1, L'\\');
        else
            quoted.append(backslashes, L'\\');
        backslashes = 0;
        quoted += ch;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

// desktop-run.exe --hold [ready-file]: keeps the desktop it was started on
// open until it is killed. Wine closes a virtual desktop shortly after its
// last program ends; a program that starts on the same desktop name while the
// old desktop window is going away dies on its first window (X BadWindow).
// ./test starts one holder on each desktop of its pool and waits for each
// holder's ready file (made once its window, and so the desktop, exists), so
// the pool's desktops are up before the first test and stay up for the run.
static int HoldDesktop(const wchar_t* pszReadyFile)
{
    HWND hWnd = CreateWindowExW(0, L"STATIC", L"desktop holder", WS_POPUP, 0, 0, 1, 1,
                                NULL, NULL, GetModuleHandleW(NULL), NULL);
    if (hWnd == NULL)
        return 1;
    if (pszReadyFile != NULL)
    {
        HANDLE hFile = CreateFileW(pszReadyFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            return 1;
        CloseHandle(hFile);
    }
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}

int wmain(int argc, wchar_t** argv)
{
    if ((argc == 2 || argc == 3) && lstrcmpW(argv[1], L"--hold") == 0)
        return HoldDesktop(argc == 3 ? argv[2] : NULL);
    if (argc < 3)
    {
        fputws(L"usage: desktop-run <desktop> <program> [arguments...]\n", stderr);
        return 2;
    }
    std::wstring desktop = argv[1];
    std::wstring cmdline;
    for (int i = 2; i < argc; i++)
    {
        if (i > 2)
            cmdline += L' ';
        cmdline += Quote(argv[i]);
    }

    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.lpDesktop = &desktop[0];
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);

    // The program ends with this launcher (a test runner's timeout kills
    // only the launcher).
    HANDLE hJob = CreateJobObjectW(NULL, NULL);
    if (hJob != NULL)
    {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(hJob, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    }

    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(NULL, &cmdline[0], NULL, NULL, TRUE, CREATE_SUSPENDED, NULL, NULL, &si, &pi))
    {
        fwprintf(stderr, L"desktop-run: cannot start %ls (error %lu)\n", argv[2], GetLastError());
        return 127;
    }
    if (hJob != NULL)
        AssignProcessToJobObject(hJob, pi.hProcess);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD dwExit = 1;
    GetExitCodeProcess(pi.hProcess, &dwExit);
    CloseHandle(pi.hProcess);
    return (int)dwExit;
}
