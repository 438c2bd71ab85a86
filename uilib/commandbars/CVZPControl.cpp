#include "CVZPControl.h"

#include "CVZPCommandBar.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPControls.h"
#include "CVZPImageManager.h"

IMPLEMENT_SERIAL(CVZPControl, CCmdTarget, VERSIONABLE_SCHEMA | 0x10)

CVZPControl::CVZPControl()
    : m_nTag(0), m_nIndex(0), m_nId(0), m_nIconId(0), m_nCustomIconId(0), m_bWrap(FALSE), m_bBeginGroup(FALSE),
      m_bEnabled(TRUE), m_bChecked(0), m_bSelected(0), m_bPressed(0), m_bTemporary(FALSE), m_rcRow(0, 0, 0, 0),
      m_rcControl(0, 0, 0, 0), m_dwHideFlags(0), m_dwFlags(0), m_pControls(NULL), m_controlType(vzpControlError),
      m_pParent(NULL), m_bExpanded(FALSE), m_bDefaultItem(FALSE), m_buttonStyle(0), m_buttonCustomStyle(0),
      m_bCloseSubMenuOnClick(TRUE)
{
    EnableAutomation();
}

CVZPControl::~CVZPControl()
{
}

UINT CVZPControl::GetIconId() const
{
    if (m_nCustomIconId != 0)
        return (UINT)m_nCustomIconId;
    if (m_nIconId > 0)
        return (UINT)m_nIconId;
    return m_nId;
}

CVZPCommandBarPaintManager* CVZPControl::GetPaintManager() const
{
    if (m_pParent != NULL)
        return m_pParent->GetPaintManager();
    CVZPCommandBars* pCommandBars = m_pControls != NULL ? m_pControls->GetCommandBars() : NULL;
    if (pCommandBars != NULL)
        return pCommandBars->GetPaintManager();
    if (VZPPaintManager() == NULL)
        CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    return VZPPaintManager();
}

CVZPImageManager* CVZPControl::GetImageManager() const
{
    if (m_pParent != NULL)
        return m_pParent->GetImageManager();
    CVZPCommandBars* pCommandBars = m_pControls != NULL ? m_pControls->GetCommandBars() : NULL;
    if (pCommandBars != NULL)
        return pCommandBars->GetImageManager();
    return ::GetImageManager();
}

BOOL CVZPControl::SetSelected(int bSelected)
{
    if (m_bSelected == bSelected)
        return FALSE;
    m_bSelected = bSelected;
    return TRUE;
}

BOOL CVZPControl::IsCaptionVisible() const
{
    if (m_pParent != NULL && m_pParent->GetType() == vzpBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetStyle())
    {
    case 1:
    case 3:
        return TRUE;
    case 2:
        return FALSE;
    default:
        break;
    }
    switch (m_controlType)
    {
    case vzpControlButton:
    case vzpControlButtonPopup:
    case vzpControlSplitButtonPopup:
        return GetImage(0) == NULL;
    case vzpControlPopup:
    case vzpControlLabel:
        return TRUE;
    default:
        return FALSE;
    }
}

void CVZPControl::OnExecute()
{
}

CSize CVZPControl::GetSize(CDC* pDC)
{
    return GetPaintManager()->DrawControl(pDC, this, FALSE);
}

void CVZPControl::Draw(CDC* pDC)
{
    GetPaintManager()->DrawControl(pDC, this, TRUE);
}

CVZPImageManagerIcon* CVZPControl::GetImage(int nWidth) const
{
    UINT nIconId = GetIconId();
    if (nIconId == 0)
        return NULL;
    return GetImageManager()->GetImage(nIconId, nWidth);
}
