#include "CVZPControlPopup.h"

#include "CVZPCommandBar.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPControls.h"
#include "CVZPPopupBar.h"
#include "CVZPShadowManager.h"

IMPLEMENT_SERIAL(CVZPControlPopup, CVZPControl, VERSIONABLE_SCHEMA | 0x10)

CVZPControlPopup::CVZPControlPopup() : m_bPopup(FALSE), m_pCommandBar(NULL)
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
    if (pBar != NULL)
        pBar->InternalAddRef();
    if (m_pCommandBar != NULL)
        m_pCommandBar->InternalRelease();
    m_pCommandBar = pBar;
}

BOOL CVZPControlPopup::IsOnPopupBar() const
{
    return m_pParent != NULL && m_pParent->GetType() == vzpBarTypePopup;
}

BOOL CVZPControlPopup::ContainsPopup(CVZPControlPopup* pOther) const
{
    if (m_pCommandBar == NULL || pOther == NULL)
        return FALSE;
    if (m_pCommandBar == pOther->m_pCommandBar)
        return TRUE;
    CVZPControls* pControls = m_pCommandBar->GetControls();
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CVZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CVZPControlPopup, pControls->GetAt(i));
        if (pPopup != NULL && pPopup != this && pPopup->ContainsPopup(pOther))
            return TRUE;
    }
    return FALSE;
}

BOOL CVZPControlPopup::Compare(CVZPControl* pOther)
{
    if (!CVZPControl::Compare(pOther))
        return FALSE;
    CVZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CVZPControlPopup, pOther);
    if (pPopup == NULL)
        return FALSE;
    if (m_pCommandBar == NULL)
        return TRUE;
    if (pPopup->m_pCommandBar == NULL)
        return FALSE;
    return m_pCommandBar->GetControls()->Compare(pPopup->m_pCommandBar->GetControls());
}

void CVZPControlPopup::OnUnderlineActivate()
{
    if (m_pParent != NULL)
        m_pParent->SetPopupedControl(m_nIndex, FALSE);
}

void CVZPControlPopup::Copy(CVZPControl* pControl, BOOL bRecursive)
{
    CVZPControl::Copy(pControl, bRecursive);
    CVZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CVZPControlPopup, pControl);
    if (pPopup == NULL)
        return;
    if (bRecursive && pPopup->m_pCommandBar != NULL)
    {
        CVZPCommandBar* pClone = pPopup->m_pCommandBar->Clone(bRecursive);
        SetCommandBar(pClone);
        if (pClone != NULL)
            pClone->InternalRelease();
    }
    else
        SetCommandBar(pPopup->m_pCommandBar);
}

BOOL CVZPControlPopup::SetPopuped(BOOL bPopuped)
{
    m_bPopup = bPopuped;
    if (!bPopuped)
    {
        if (m_pCommandBar != NULL)
            m_pCommandBar->SetTrackingMode(0, TRUE, FALSE);
        RedrawParent();
        InvalidateParent();
        return TRUE;
    }
    if (m_pCommandBar == NULL)
        return FALSE;
    if (m_pCommandBar->IsTrackingMode())
        return TRUE;
    if (!m_pCommandBar->Popup(this, m_bSelected == 2))
        return FALSE;
    ShowControlShadow();
    return TRUE;
}

void CVZPControlPopup::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!m_bEnabled || m_pParent == NULL)
        return;
    const BOOL bCustomize = IsCustomizeMode();
    CVZPCommandBars* pCommandBars = m_pParent->GetCommandBars();
    if (bCustomize && pCommandBars != NULL)
        pCommandBars->SetDragControl(this);

    if (m_bPopup && !IsOnPopupBar())
    {
        // A second click on an open title closes it.
        m_pParent->SetTrackingMode(0, FALSE, FALSE);
    }
    else if (m_controlType == vzpControlSplitButtonPopup && !bCustomize && bKeyboard)
        OnExecute();
    else if (m_controlType == vzpControlSplitButtonPopup && !bCustomize && IsOnPopupBar() &&
             point.x < m_rcControl.right - kSplitZonePopup)
        m_pParent->KillTimer(CVZPCommandBar::timerHover);
    else if (m_controlType == vzpControlSplitButtonPopup && !bCustomize && !IsOnPopupBar() &&
             point.x < m_rcControl.right - kSplitZoneBar)
    {
        CRect rcButton = m_rcControl;
        rcButton.right -= kSplitZoneBar;
        TrackClick(rcButton);
    }
    else if (!bCustomize || (m_pCommandBar != NULL && m_pCommandBar->IsCustomizable()))
        m_pParent->SetPopupedControl(m_nIndex, FALSE);

    if (bCustomize)
        OnCustomizeMouseDown(point);
}

void CVZPControlPopup::OnLButtonUp(CPoint point)
{
    if (m_bEnabled && m_controlType == vzpControlSplitButtonPopup && IsOnPopupBar() &&
        point.x < m_rcControl.right - kSplitZonePopup)
        OnExecute();
}

BOOL CVZPControlPopup::OnLButtonDblClk(CPoint point)
{
    CVZPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CVZPPopupBar, m_pCommandBar);
    if ((m_controlType != vzpControlPopup && m_controlType != vzpControlButtonPopup) || pPopupBar == NULL)
        return CVZPControl::OnLButtonDblClk(point);
    if (!m_bPopup && m_pParent != NULL)
        OnClick(FALSE, point);
    if (!m_bPopup)
        return FALSE;
    CVZPControls* pControls = pPopupBar->GetControls();
    for (int i = 0; i < pControls->GetCount(); i++)
    {
        CVZPControl* pItem = pControls->GetAt(i);
        if (pItem->IsDefaultItem())
        {
            pItem->OnExecute();
            return TRUE;
        }
    }
    return pPopupBar->ExpandBar();
}

void CVZPControlPopup::OnMouseHover()
{
    if (m_bEnabled && m_pParent != NULL &&
        (m_pParent->GetTrackingMode() == 2 || m_pParent->GetPosition() == vzpBarPopup))
        m_pParent->SetPopupedControl(m_nIndex, FALSE);
    else
        CVZPControl::OnMouseHover();
}

BOOL CVZPControlPopup::SetSelected(int bSelected)
{
    if (!CVZPControl::SetSelected(bSelected))
        return FALSE;
    if (m_pParent == NULL || !m_bEnabled)
        return TRUE;
    const BOOL bParentPopup = m_pParent->GetPosition() == vzpBarPopup;
    if ((m_controlType == vzpControlButtonPopup || m_controlType == vzpControlSplitButtonPopup) && !IsOnPopupBar())
    {
        if (bSelected == 2 && m_pParent->GetTrackingMode() == 2)
            m_pParent->SetPopupedControl(m_nIndex, TRUE);
        return TRUE;
    }
    if (bSelected && m_pParent->GetTrackingMode() == 2 && !bParentPopup)
        m_pParent->SetPopupedControl(m_nIndex, bSelected == 2);
    else if (!bSelected && m_bPopup && !bParentPopup)
        m_pParent->SetPopupedControl(-1);
    return TRUE;
}

void CVZPControlPopup::OnCustomizeDragOver(CVZPControl* pDataObject, CPoint point, DROPEFFECT& dropEffect)
{
    (void)point;
    (void)dropEffect;
    if (m_pCommandBar == NULL || m_pParent == NULL || !m_pCommandBar->IsCustomizable())
        return;
    CVZPControlPopup* pDragged = DYNAMIC_DOWNCAST(CVZPControlPopup, pDataObject);
    if (pDragged != NULL && pDragged->ContainsPopup(this))
    {
        // A popup is never dropped into itself.
        m_pParent->SetPopupedControl(-1);
        m_pParent->SetHotControl(-1);
    }
    else
        m_pParent->SetPopupedControl(m_nIndex, FALSE);
}

void CVZPControlPopup::ExpandPopup()
{
    CVZPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CVZPPopupBar, m_pCommandBar);
    if (m_bPopup && m_controlType == vzpControlPopup && pPopupBar != NULL)
        pPopupBar->ExpandBar();
}

void CVZPControlPopup::ShowControlShadow()
{
    if (m_pParent == NULL || m_pParent->GetType() == vzpBarTypePopup)
        return;
    if (m_controlType != vzpControlPopup && m_controlType != vzpControlButtonPopup &&
        m_controlType != vzpControlSplitButtonPopup)
        return;
    CVZPPopupBar* pPopupBar = DYNAMIC_DOWNCAST(CVZPPopupBar, m_pCommandBar);
    if (pPopupBar != NULL && pPopupBar->m_bShowShadow)
        VZPGetShadowManager()->AddControlShadow(this);
}

void CVZPControlPopup::AdjustExcludeRect(CRect& rc)
{
    const int nPosition = m_pParent != NULL ? m_pParent->GetPosition() : vzpBarTop;
    GetPaintManager()->AdjustExcludeRect(rc, this,
                                         nPosition == vzpBarLeft || nPosition == vzpBarRight || nPosition == vzpBarPopup);
}
