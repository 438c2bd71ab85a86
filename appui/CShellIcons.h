// The shell's icons and type names for file names that need not exist: the
// result tree and list show recovered entries with the icons the shell would
// give them.
#pragma once

#include <afxwin.h>

// Stateless helper over SHGetFileInfoW. Only a name's extension counts; no
// call touches the disk. The system image list belongs to the shell: a caller
// that attaches it to a CImageList must detach it, never destroy it.
class CShellIcons
{
public:
    CShellIcons();
    virtual ~CShellIcons();

    // The shell's system image list of small or large icons.
    HIMAGELIST GetSystemImageList(BOOL bSmall);
    // Index in the system image list of the icon for a file of this name's
    // type; -1 when the shell has none.
    int GetFileIconIndex(CString strName, BOOL bSmall);
    // Index of the closed-folder icon; -1 when the shell has none.
    int GetFolderIconIndex(BOOL bSmall);
    // The shell's type description of the name's type; empty when none.
    CString GetFileTypeName(CString strName);
};
