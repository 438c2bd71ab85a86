// Opening a link target: the shell's "open" verb, and when the shell cannot
// open it, the command registered for ".htm" files with the target appended.
// The shell and WinExec calls go through one replaceable pair (tests put
// recorders there so that no browser starts).
#pragma once

#include <windows.h>

typedef INT_PTR (*LinkShellExecuteFn)(LPCWSTR lpszTarget, int nShowCmd);
typedef UINT (*LinkWinExecFn)(LPCSTR lpszCommandLine, UINT nShowCmd);

struct LinkOpenerCalls
{
    LinkShellExecuteFn pfnShellExecute;
    LinkWinExecFn pfnWinExec;
};

// Installs the pair (a null member selects the real call) and returns the
// pair that was installed before.
LinkOpenerCalls SetLinkOpenerCalls(const LinkOpenerCalls& calls);

// ShellExecuteW "open" of the target; the shell's result (above 32 on success).
INT_PTR ShellOpenLinkTarget(LPCWSTR lpszTarget, int nShowCmd);

// The shell first; on a result of 32 or less the ".htm" open command, cut at
// its "%1", with a blank and the target appended, run through WinExec.
// Returns the shell's result when no usable command is registered, else
// WinExec's.
INT_PTR OpenLinkTarget(LPCWSTR lpszTarget, int nShowCmd);
