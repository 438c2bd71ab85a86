// The frame's menu as a command bar (access keys, per-document menus).
#pragma once

#include "CVZPToolBar.h"

class CVZPMenuBar : public CVZPToolBar
{
    DECLARE_SERIAL(CVZPMenuBar)
public:
    CVZPMenuBar();
    ~CVZPMenuBar() override;

    // Loads the menu resource into the bar's controls.
    virtual BOOL LoadMenuBar(UINT nIDResource);
};
