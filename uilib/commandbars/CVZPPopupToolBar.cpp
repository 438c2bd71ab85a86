#include "CVZPPopupToolBar.h"

IMPLEMENT_SERIAL(CVZPPopupToolBar, CVZPPopupBar, VERSIONABLE_SCHEMA | 0x10)

CVZPPopupToolBar::CVZPPopupToolBar()
{
    m_barType = vzpBarTypeNormal;
}

CVZPPopupToolBar::~CVZPPopupToolBar()
{
}

CVZPPopupToolBar* AFX_CDECL CVZPPopupToolBar::CreatePopupToolBar(CVZPCommandBars* pCommandBars)
{
    CVZPPopupToolBar* pPopup = new CVZPPopupToolBar;
    pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}
