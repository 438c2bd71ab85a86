#include "LinkOpener.h"

#include <shellapi.h>

#include <string>

#include "ReadRegistryDefault.h"

namespace {

INT_PTR RealShellExecute(LPCWSTR lpszTarget, int nShowCmd)
{
    return (INT_PTR)ShellExecuteW(NULL, L"open", lpszTarget, NULL, NULL, nShowCmd);
}

UINT RealWinExec(LPCSTR lpszCommandLine, UINT nShowCmd)
{
    return WinExec(lpszCommandLine, nShowCmd);
}

LinkOpenerCalls g_calls = {RealShellExecute, RealWinExec};

// The default value of HKCR\subKey; empty when the key or the value is
// missing or empty (an empty command is no command).
std::wstring ReadClassesDefault(const std::wstring& subKey)
{
    WCHAR szValue[MAX_PATH] = {};
    if (ReadRegistryDefault(HKEY_CLASSES_ROOT, subKey.c_str(), szValue) != ERROR_SUCCESS)
        return std::wstring();
    szValue[MAX_PATH - 1] = 0;
    return szValue;
}

}  // namespace

LinkOpenerCalls SetLinkOpenerCalls(const LinkOpenerCalls& calls)
{
    LinkOpenerCalls previous = g_calls;
    g_calls.pfnShellExecute = calls.pfnShellExecute != NULL ? calls.pfnShellExecute : RealShellExecute;
    g_calls.pfnWinExec = calls.pfnWinExec != NULL ? calls.pfnWinExec : RealWinExec;
    return previous;
}

INT_PTR ShellOpenLinkTarget(LPCWSTR lpszTarget, int nShowCmd)
{
    return g_calls.pfnShellExecute(lpszTarget != NULL ? lpszTarget : L"", nShowCmd);
}

INT_PTR OpenLinkTarget(LPCWSTR lpszTarget, int nShowCmd)
{
    const INT_PTR result = ShellOpenLinkTarget(lpszTarget, nShowCmd);
    if (result > 32)
        return result;
    const std::wstring fileClass = ReadClassesDefault(L".htm");
    if (fileClass.empty())
        return result;
    std::wstring command = ReadClassesDefault(fileClass + L"\\shell\\open\\command");
    if (command.empty())
        return result;
    size_t cut = command.find(L"\"%1\"");
    if (cut == std::wstring::npos)
        cut = command.find(L"%1");
    if (cut != std::wstring::npos)
        command.erase(cut);
    command += L' ';
    command += lpszTarget != NULL ? lpszTarget : L"";

    const int cb = WideCharToMultiByte(CP_ACP, 0, command.c_str(), -1, NULL, 0, NULL, NULL);
    if (cb <= 0)
        return result;
    std::string ansi((size_t)cb, '\0');
    WideCharToMultiByte(CP_ACP, 0, command.c_str(), -1, &ansi[0], cb, NULL, NULL);
    return (INT_PTR)g_calls.pfnWinExec(ansi.c_str(), (UINT)nShowCmd);
}
