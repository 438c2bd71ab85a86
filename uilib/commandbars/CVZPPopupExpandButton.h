// The button at the bottom of a popup menu whose rarely used commands are
// hidden: it draws itself as a chevron and expands its menu when executed.
#pragma once

#include "CVZPControlButton.h"

class CVZPPopupExpandButton : public CVZPControlButton
{
    DECLARE_DYNCREATE(CVZPPopupExpandButton)
public:
    CVZPPopupExpandButton();
    ~CVZPPopupExpandButton() override;

    // Control flags of the button: skipped by the keyboard, not updated at
    // idle time, locked against customisation, plus 0x40.
    enum { kFlags = 0x5A };

    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnExecute() override;
};
