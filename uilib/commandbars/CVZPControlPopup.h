// A control that opens a popup bar: menu item with a submenu (type 2),
// drop-down button (3) or split button (4).
#pragma once

#include "CVZPControl.h"

class CVZPCommandBar;

class CVZPControlPopup : public CVZPControl
{
    DECLARE_SERIAL(CVZPControlPopup)
public:
    CVZPControlPopup();
    ~CVZPControlPopup() override;

    // A popup control of type 2, 3 or 4.
    static CVZPControlPopup* AFX_CDECL CreateControlPopup(int nType);

    CVZPCommandBar* GetCommandBar() const override { return m_pCommandBar; }
    // Takes over the caller's reference on the bar (NULL releases the old one).
    void SetCommandBar(CVZPCommandBar* pBar);
    // The popup bar is showing.
    BOOL IsPopupOpen() const { return m_bPopup; }

    CVZPCommandBar* m_pCommandBar;
    BOOL m_bPopup;
};
