// Placeholder that lists the open MDI windows where it stands.
#pragma once

#include "CVZPControlButton.h"

class CVZPControlWindowList : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlWindowList)
public:
    CVZPControlWindowList();
    ~CVZPControlWindowList() override;
};
