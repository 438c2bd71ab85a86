// A popup menu or sub-menu as a command bar, tracked modally.
#pragma once

#include "CVZPCommandBar.h"

class CVZPPopupBar : public CVZPCommandBar
{
    DECLARE_SERIAL(CVZPPopupBar)
public:
    CVZPPopupBar();
    ~CVZPPopupBar() override;

    // A popup bar of the popup-bar class (CVZPCommandBars::m_pPopupBarClass)
    // for the manager (which may be NULL).
    static CVZPPopupBar* AFX_CDECL CreatePopupBar(CVZPCommandBars* pCommandBars);

    // Shows the rarely used items; FALSE when there are none hidden.
    virtual BOOL ExpandBar() { return FALSE; }

    CVZPCommandBar* GetParentCommandBar() const override { return m_pControlPopup != NULL ? m_pParentBar : NULL; }

    // The popup draws its check marks and images in two columns.
    BOOL m_bDoubleGripper;
    CVZPControl* m_pControlPopup;   // the control that opened the popup
    CVZPCommandBar* m_pParentBar;   // that control's bar
    UINT* m_pReturnCmd;             // where a tracked popup writes the chosen command
};
