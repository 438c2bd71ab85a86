// What a saved or loaded command-bar model carries besides the bars: the
// choices of the caller, handed to every object of the exchange as the
// exchange's extra data.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CVZPCommandBars;

struct VZPCommandBarsStateOptions
{
    BOOL bSaveOnlyCustomized;        // only bars that differ from the program's defaults
    BOOL bSilent;                    // merging never asks the user
    BOOL bIncludeDefaultControls;    // the collections' default sets go along
    CVZPCommandBars* pCommandBars;
};

// Popup bars written without an id of their own are numbered from here, so
// that popup controls can name them.
const UINT VZP_FIRST_GENERATED_BAR_ID = 0x1000000;

class CVZPToolBar;

// Where one toolbar is and what it remembers, as the saved layout holds it.
class CVZPBarState
{
public:
    CVZPBarState();

    // Fills the record from the bar.
    void GetBarInfo(CVZPToolBar* pBar);
    // Applies the record to the bar: MRU width and places, window position
    // and visibility.
    void SetBarInfo(CVZPToolBar* pBar);
    // "BarID", "Visible", ... of the profile section; values equal to their
    // defaults are not written (the section is deleted first).
    void SaveState(LPCTSTR lpszSection) const;
    void LoadState(LPCTSTR lpszSection);

    UINT m_nBarID;
    BOOL m_bVisible;
    BOOL m_bFloating;
    CPoint m_pointPos;
    int m_nMRUWidth;
    int m_uMRUDockID;
    CRect m_rectMRUDockPos;
    CPoint m_pointMRUFloatPos;
    CVZPToolBar* m_pBar;
    BOOL m_bDialogBar;
    CSize m_szDialogBarDockingClient;
    CSize m_szDialogBarFloatingClient;
};

// The records of all bars and the screen the positions belong to.
class CVZPBarStateContainer
{
public:
    CVZPBarStateContainer();
    ~CVZPBarStateContainer();
    CVZPBarStateContainer(const CVZPBarStateContainer&) = delete;
    CVZPBarStateContainer& operator=(const CVZPBarStateContainer&) = delete;

    // The saved screen size; scaling is on when it differs from the current
    // one and both sides are known (a damaged summary restores unscaled).
    void SetSavedScreenSize(CSize szSaved);
    // A saved point at the current screen size, never past the screen less
    // an icon.
    CPoint ScalePoint(CPoint pt) const;
    // A saved rectangle moved the same way; its size is kept.
    CRect ScaleRect(CRect rc) const;

    CArray<CVZPBarState*, CVZPBarState*> m_arrBarInfo;
    CRect m_rcScreen;
    CPoint m_ptLimit;
    CSize m_szSaved;
    BOOL m_bScaling;
};
