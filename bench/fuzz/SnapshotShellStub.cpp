// The snapshot shell's file dialog, which the native build has no use for:
// nothing is ever chosen.
#include <windows.h>

#include "snapshot/SnapshotShell.h"

bool CSnapshotShell::ChooseFile(bool, const std::wstring&, DWORD, const wchar_t*, const wchar_t*, std::wstring&)
{
    return false;
}
