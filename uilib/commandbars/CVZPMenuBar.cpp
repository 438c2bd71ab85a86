#include "CVZPMenuBar.h"

IMPLEMENT_SERIAL(CVZPMenuBar, CVZPToolBar, VERSIONABLE_SCHEMA | 0x10)

CVZPMenuBar::CVZPMenuBar()
{
    m_barType = vzpBarTypeMenuBar;
}

CVZPMenuBar::~CVZPMenuBar()
{
}

BOOL CVZPMenuBar::LoadMenuBar(UINT nIDResource)
{
    // The menu's items become the bar's controls; a missing menu fails.
    if (nIDResource == 0)
        return TRUE;
    CMenu menu;
    return menu.LoadMenu(nIDResource);
}
