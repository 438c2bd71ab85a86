#include "CVZPControlPopup.h"

#include "CVZPCommandBar.h"

IMPLEMENT_SERIAL(CVZPControlPopup, CVZPControl, VERSIONABLE_SCHEMA | 0x10)

CVZPControlPopup::CVZPControlPopup() : m_pCommandBar(NULL), m_bPopup(FALSE)
{
    m_controlType = vzpControlPopup;
}

CVZPControlPopup::~CVZPControlPopup()
{
    SetCommandBar(NULL);
}

CVZPControlPopup* AFX_CDECL CVZPControlPopup::CreateControlPopup(int nType)
{
    CVZPControlPopup* pControl = new CVZPControlPopup;
    if (nType == vzpControlButtonPopup || nType == vzpControlSplitButtonPopup)
        pControl->m_controlType = nType;
    return pControl;
}

void CVZPControlPopup::SetCommandBar(CVZPCommandBar* pBar)
{
    if (m_pCommandBar != NULL)
        m_pCommandBar->InternalRelease();
    m_pCommandBar = pBar;
}
