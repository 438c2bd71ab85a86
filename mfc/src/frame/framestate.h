// Internal helpers shared by the frame, view, document and bar classes.
#pragma once

#include "../wnd/wndstate.h"

#include <afxext.h>
#include <afxdlgs.h>

// Name of the registered class of frames and views (arrow cursor, window
// background), one per icon; the pointer stays valid for the whole run.
LPCTSTR AfxFrameOrViewClass(HICON hIcon);

// String nID of the program's resources, or lpszDefault when it has none.
CString AfxLoadStringOr(UINT nID, LPCTSTR lpszDefault);

// The full path of a file name (unchanged when it cannot be resolved).
CString AfxFullPath(LPCTSTR lpszFileIn);

// A copy of a global memory block (allocated with nFlags), or NULL.
HGLOBAL AfxCopyGlobalMemory(HGLOBAL hSource, UINT nFlags);

// The file name part of a path (after the last '\\', '/' or ':').
CString AfxFileTitle(LPCTSTR lpszPathName);
