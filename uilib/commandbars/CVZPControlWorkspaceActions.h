// Placeholder that lists the tab-group commands of a tabbed MDI client: each
// layout of its bar replaces the items it made last time by the commands
// the tab client allows now, directly after itself.
#pragma once

#include "CVZPControlButton.h"

class CVZPControlWorkspaceActions : public CVZPControlButton
{
    DECLARE_SERIAL(CVZPControlWorkspaceActions)
public:
    CVZPControlWorkspaceActions();
    ~CVZPControlWorkspaceActions() override;

    void OnCalcDynamicSize(DWORD dwMode) override;
};
