#include "CVZPPopupToolBar.h"

IMPLEMENT_DYNCREATE(CVZPPopupToolBar, CVZPPopupBar)

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
