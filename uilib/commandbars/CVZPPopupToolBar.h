// A popup bar that lays its controls out as a toolbar (the popup of a
// toolbar's expand button).
#pragma once

#include "CVZPPopupBar.h"

class CVZPPopupToolBar : public CVZPPopupBar
{
    DECLARE_SERIAL(CVZPPopupToolBar)
public:
    CVZPPopupToolBar();
    ~CVZPPopupToolBar() override;

    // A popup toolbar for the manager (which may be NULL).
    static CVZPPopupToolBar* AFX_CDECL CreatePopupToolBar(CVZPCommandBars* pCommandBars);
};
