// Placeholder that lists the tab-group commands of a tabbed MDI client.
#pragma once

#include "CVZPControlButton.h"

class CVZPControlWorkspaceActions : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlWorkspaceActions)
public:
    CVZPControlWorkspaceActions();
    ~CVZPControlWorkspaceActions() override;
};
