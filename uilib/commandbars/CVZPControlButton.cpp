#include "CVZPControlButton.h"

#include "CVZPCommandBar.h"

IMPLEMENT_SERIAL(CVZPControlButton, CVZPControl, VERSIONABLE_SCHEMA | 0x10)

CVZPControlButton::CVZPControlButton()
{
    m_controlType = vzpControlButton;
}

CVZPControlButton::~CVZPControlButton()
{
}

void CVZPControlButton::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!m_bEnabled)
        return;
    if (IsCustomizeMode())
    {
        m_pParent->SetPopupedControl(-1);
        m_pParent->SetHotControl(-1);
        OnCustomizeMouseDown(point);
        return;
    }
    if (bKeyboard)
        OnExecute();
    else if (m_pParent != NULL && m_pParent->GetType() != vzpBarTypePopup)
        TrackClick();
}

void CVZPControlButton::OnLButtonUp(CPoint point)
{
    (void)point;
    if (m_bEnabled && m_pParent != NULL && m_pParent->GetPosition() == vzpBarPopup)
        OnExecute();
}
