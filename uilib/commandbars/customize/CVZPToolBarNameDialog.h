// The New/Rename Toolbar dialog: takes a toolbar name that no other bar of
// the manager has, and for a new bar picks the lowest free bar id from 59392.
#pragma once

#include <afxwin.h>

class CVZPCommandBars;
class CVZPToolBar;

class CVZPToolBarNameDialog : public CDialog
{
public:
    // pToolBar NULL: a new bar.
    CVZPToolBarNameDialog(CWnd* pParent, CVZPCommandBars* pCommandBars, CVZPToolBar* pToolBar = NULL);

    // Lowest and highest id a user bar can get.
    enum { idFirstCustomBar = 0xE800, idLastCustomBar = 0xE8FE };

    CString m_strToolBarName;
    CVZPToolBar* m_pToolBar;
    CVZPCommandBars* m_pCommandBars;
    UINT m_nId;   // the new bar's id, after OK

    // "Custom %d" with the lowest number no bar's title has.
    void SuggestName();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
