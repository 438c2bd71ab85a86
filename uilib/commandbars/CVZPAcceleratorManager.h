// The keyboard shortcuts of one command-bars manager: the accelerator table
// loaded from the resources and a current, user-modifiable copy that it
// translates for the site window, the display texts of shortcuts, the rules
// for assignable keys, and the saved copy (binary value "Accelerators").
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CVZPCommandBars;

class CVZPAcceleratorManager : public CCmdTarget
{
public:
    explicit CVZPAcceleratorManager(CVZPCommandBars* pCommandBars);
    ~CVZPAcceleratorManager() override;

    // --- Virtual operations, in slot order --------------------------------
    // The display text of the command's shortcut: the preferred one (no
    // modifier, then Ctrl, Alt, Shift), or strText unchanged when it already
    // is one of the command's shortcuts. FALSE (and an empty text) when the
    // command has none.
    virtual BOOL GetShortcutText(UINT nCommand, CString& strText);
    // "Ctrl+Shift+F5"; pnPriority receives the entry's priority when given.
    virtual CString FormatAccel(const ACCEL& accel, int* pnPriority = NULL);
    virtual CString GetKeyName(UINT nKey);
    // FALSE only for plain Esc while it may not be assigned.
    virtual BOOL IsAllowedAccel(ACCEL accel);
    virtual HACCEL GetAccelTable() const { return m_hAccelTable; }
    // Back to a copy of the resource table.
    virtual void Reset();

    // Loads the accelerator resource as the resource table and a separate
    // current table; FALSE (and no tables) when there is no such resource.
    BOOL LoadAcceleratorResource(UINT nIDResource);
    // The user's shortcuts as the binary value "Accelerators" of the
    // profile section; both do nothing without a resource table.
    void LoadAccelerators(LPCTSTR lpszProfileName);
    void SaveAccelerators(LPCTSTR lpszProfileName);
    // Replaces the current table by one of the entries (NULL when it cannot
    // be made, for example from no entries).
    void SetAccelTable(const ACCEL* pEntries, int nCount);
    // A new table with the entries of hAccel; NULL for NULL or no entries.
    static HACCEL AFX_CDECL CopyAccelTable(HACCEL hAccel);
    // TRUE when a resource table was loaded: shortcuts are managed here.
    BOOL HasResourceTable() const { return m_hOriginalAccelTable != NULL; }
    HACCEL GetDefaultAccelerator() const { return m_hOriginalAccelTable; }
    // Translates a key message for the window; nothing while disabled.
    BOOL TranslateAccelerator(HWND hWnd, MSG* pMsg);
    // The access-key rule of menus and bars: the key's character is the
    // character (or its upper case), in the current or any installed
    // keyboard layout.
    static BOOL AFX_CDECL MatchesAccelKey(WCHAR ch, UINT nKey);
    // Preview and modal states nest: a positive count disables translation.
    void DisableAccelerators(BOOL bDisable) { m_nDisableCount += bDisable ? 1 : -1; }
    int GetDisableCount() const { return m_nDisableCount; }

    // Fields, in order.
    BOOL m_bAllowEscapeShortcut;   // plain Esc may be assigned
    BOOL m_bUseSystemKeyNames;     // the keyboard layout's names before the built-in ones
    int m_nDisableCount;
    CVZPCommandBars* m_pCommandBars;
    HACCEL m_hAccelTable;          // current table
    HACCEL m_hOriginalAccelTable;  // resource table
    CMap<UINT, UINT, CString, LPCTSTR> m_mapKeyNames;

protected:
    // The keyboard layout's name of the key, lower case with its first
    // letter capitalised; empty for Ctrl+Break and unnamed keys.
    CString GetLayoutKeyName(UINT nKey) const;
    // The entries of a table (none for NULL).
    static void GetEntries(HACCEL hAccel, CArray<ACCEL, ACCEL&>& entries);
};
