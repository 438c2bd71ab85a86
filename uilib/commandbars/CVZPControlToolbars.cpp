#include "CVZPControlToolbars.h"

#include "CVZPCommandBar.h"
#include "CVZPCommandBars.h"
#include "CVZPControls.h"
#include "CVZPToolBar.h"

IMPLEMENT_SERIAL(CVZPControlToolbars, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

namespace {

const wchar_t kToolbarParameter[] = L"CVZPControlToolbar";

// A toggle button of the toolbar list: its Tag is the index of its bar in
// the manager. It runs none of a button's usual execution.
class CToolbarToggleButton : public CVZPControlButton
{
public:
    void OnExecute() override
    {
        CVZPCommandBar* pParent = GetParent();
        CVZPCommandBars* pCommandBars = pParent != NULL ? pParent->GetCommandBars() : NULL;
        if (pCommandBars == NULL)
            return;
        CVZPCommandBars::ClosePopups();
        pCommandBars->ToggleVisible((int)m_nTag);
    }
};

}  // namespace

CVZPControlToolbars::CVZPControlToolbars()
{
}

CVZPControlToolbars::~CVZPControlToolbars()
{
}

BOOL CVZPControlToolbars::IsCustomizeDragOverAvail(CVZPCommandBar* pCommandBar, CPoint /*point*/,
                                                   DROPEFFECT& dropEffect)
{
    if (pCommandBar != NULL && pCommandBar->GetType() == vzpBarTypePopup)
        return TRUE;
    dropEffect = DROPEFFECT_NONE;
    return FALSE;
}

void CVZPControlToolbars::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    CVZPControls* pControls = GetControls();
    if (pControls == NULL)
        return;
    while (CVZPControl* pNext = pControls->GetAt(GetIndex() + 1))
    {
        if (pNext->GetParameter() != kToolbarParameter)
            break;
        pControls->Remove(pNext);
    }
    if (IsCustomizeMode())
    {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(GetHideFlags() | hideGenerated);
    if (GetParent() != NULL)
        CreateToolbarMenu(GetParent(), GetIndex() + 1, GetID(), FALSE);
}

void CVZPControlToolbars::CreateToolbarMenu(CVZPCommandBar* pPopup, int nIndex, UINT nId, BOOL bAddCustomize)
{
    CVZPCommandBars* pCommandBars = pPopup != NULL ? pPopup->GetCommandBars() : NULL;
    if (pCommandBars == NULL)
        return;
    CVZPControls* pControls = pPopup->GetControls();
    for (int i = 0; i < pCommandBars->GetCount(); i++)
    {
        CVZPToolBar* pBar = pCommandBars->GetAt(i);
        if (pBar == NULL || pBar->GetType() != vzpBarTypeNormal || !pBar->m_bContextMenuPresent ||
            !pBar->IsCloseable())
            continue;
        CVZPControl* pButton =
            pControls->AddControl(new CToolbarToggleButton, (int)nId, kToolbarParameter, nIndex++, TRUE);
        pButton->m_nTag = (DWORD_PTR)i;
        pButton->SetCaption(pBar->GetTitle());
        pButton->SetFlags(CVZPControl::flagNoUpdate);
        pButton->SetChecked(pBar->IsVisible());
    }
    if (bAddCustomize && pCommandBars->IsCustomizeAvail())
    {
        CVZPControl* pCustomize = pControls->Add(vzpControlButton, VZP_ID_CUSTOMIZE);
        if (pCustomize != NULL)
            pCustomize->SetBeginGroup(TRUE);
    }
}
