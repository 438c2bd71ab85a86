// Saves and restores a window's placement as one 48-byte binary value under
// the application's profile ("Settings", "Window Position" by default).
#pragma once

#include <afxwin.h>

class CVZWindowPlacement
{
public:
    // The stored record: a reserved field, then a WINDOWPLACEMENT whose
    // length field says 48 (the whole record) after construction.
    struct Record
    {
        DWORD dwReserved;
        WINDOWPLACEMENT wp;
    };

    CVZWindowPlacement();
    virtual ~CVZWindowPlacement();

    // FALSE when the window does not exist or its placement cannot be read.
    // A minimised window is stored as a normal one.
    BOOL SaveWindowPos(CWnd* pWnd, LPCTSTR lpszValueName = NULL, LPCTSTR lpszSection = NULL);
    // TRUE when a value of exactly 48 bytes was read into the record; any
    // other value leaves the record as it was.
    BOOL LoadWindowPos(LPCTSTR lpszValueName = NULL, LPCTSTR lpszSection = NULL);
    // Loads the record and places the window by it; the answer is the
    // system's (FALSE when nothing was stored or the placement was refused).
    BOOL RestoreWindowPos(CWnd* pWnd, LPCTSTR lpszValueName = NULL, LPCTSTR lpszSection = NULL);

    const Record& GetRecord() const { return m_record; }

protected:
    Record m_record;
};

static_assert(sizeof(CVZWindowPlacement::Record) == 48, "the stored record is 48 bytes");
