#include "CVZPPopupBar.h"

#include "CVZPCommandBars.h"

IMPLEMENT_SERIAL(CVZPPopupBar, CVZPCommandBar, VERSIONABLE_SCHEMA | 0x10)

CVZPPopupBar::CVZPPopupBar() : m_bDoubleGripper(FALSE), m_pControlPopup(NULL), m_pParentBar(NULL), m_pReturnCmd(NULL)
{
    m_barType = vzpBarTypePopup;
    m_barPosition = vzpBarPopup;
}

CVZPPopupBar::~CVZPPopupBar()
{
}

CVZPPopupBar* AFX_CDECL CVZPPopupBar::CreatePopupBar(CVZPCommandBars* pCommandBars)
{
    CRuntimeClass* pClass = CVZPCommandBars::m_pPopupBarClass;
    CVZPPopupBar* pPopup = (CVZPPopupBar*)pClass->CreateObject();
    if (pPopup != NULL)
        pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}
