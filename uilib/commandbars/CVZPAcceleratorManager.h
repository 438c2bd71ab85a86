// The keyboard shortcuts of one command-bars manager: the accelerator
// table it translates for the site window.
#pragma once

#include <afxwin.h>

class CVZPCommandBars;

class CVZPAcceleratorManager : public CCmdTarget
{
public:
    explicit CVZPAcceleratorManager(CVZPCommandBars* pCommandBars);
    ~CVZPAcceleratorManager() override;

    // Loads the accelerator table resource into the manager; FALSE when
    // there is none (the manager keeps what it had).
    BOOL LoadAcceleratorResource(UINT nIDResource);
    // The user's shortcuts under the profile section ("Accelerators").
    void LoadAccelerators(LPCTSTR lpszProfileName);
    void SaveAccelerators(LPCTSTR lpszProfileName);
    // TRUE when a resource table was loaded.
    BOOL HasResourceTable() const { return m_hAccelTable != NULL; }
    HACCEL GetDefaultAccelerator() const { return m_hAccelTable; }
    // Translates a key message for the window; nothing while disabled.
    BOOL TranslateAccelerator(HWND hWnd, MSG* pMsg);
    // The access-key rule of menus and bars: the key's character is the
    // character (or its upper case), in the current or any installed
    // keyboard layout.
    static BOOL AFX_CDECL MatchesAccelKey(WCHAR ch, UINT nKey);
    // Preview and modal states nest: a positive count disables translation.
    void DisableAccelerators(BOOL bDisable) { m_nDisableCount += bDisable ? 1 : -1; }
    int GetDisableCount() const { return m_nDisableCount; }

    CVZPCommandBars* m_pCommandBars;
    HACCEL m_hAccelTable;
    int m_nDisableCount;
};
