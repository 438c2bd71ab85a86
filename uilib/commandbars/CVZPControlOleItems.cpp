#include "CVZPControlOleItems.h"

#include "CVZPCommandBar.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPPopupBar.h"

#include <afxole.h>

IMPLEMENT_SERIAL(CVZPControlOleItems, CVZPControlButton, VERSIONABLE_SCHEMA | 0x10)

namespace {

const wchar_t kOlePopupParameter[] = L"OLEMENUPOPUP";

// The selected item of the active view's OLE document, unless it is active
// in place.
COleClientItem* FindSelectedOleItem(CWnd* pSite)
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pSite);
    CFrameWnd* pActiveFrame = pFrame != NULL ? pFrame->GetActiveFrame() : NULL;
    CView* pView = pActiveFrame != NULL ? pActiveFrame->GetActiveView() : NULL;
    COleDocument* pDoc = pView != NULL ? DYNAMIC_DOWNCAST(COleDocument, pView->GetDocument()) : NULL;
    COleClientItem* pItem = pDoc != NULL ? pDoc->GetPrimarySelectedItem(pView) : NULL;
    if (pItem == NULL || pItem->GetItemState() == COleClientItem::activeState)
        return NULL;
    return pItem;
}

}  // namespace

CVZPControlOleItems::CVZPControlOleItems()
{
}

CVZPControlOleItems::~CVZPControlOleItems()
{
}

BOOL CVZPControlOleItems::IsCustomizeDragOverAvail(CVZPCommandBar* pCommandBar, CPoint /*point*/,
                                                   DROPEFFECT& dropEffect)
{
    if (pCommandBar != NULL && pCommandBar->GetType() == vzpBarTypePopup)
        return TRUE;
    dropEffect = DROPEFFECT_NONE;
    return FALSE;
}

void CVZPControlOleItems::OnCalcDynamicSize(DWORD /*dwMode*/)
{
    CVZPControls* pControls = GetControls();
    if (pControls == NULL)
        return;
    CVZPControl* pNext = pControls->GetAt(GetIndex() + 1);
    if (pNext != NULL && pNext->GetParameter() == kOlePopupParameter)
        pControls->Remove(pNext);
    if (IsCustomizeMode())
    {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(GetHideFlags() | hideGenerated);
    CVZPCommandBar* pParent = GetParent();
    COleClientItem* pItem = pParent != NULL ? FindSelectedOleItem(pParent->GetSite()) : NULL;
    if (pItem == NULL)
        return;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    AfxOleSetEditMenu(pItem, &menu, 0, ID_OLE_VERB_FIRST, ID_OLE_VERB_FIRST + 15, 0);
    const HMENU hSubMenu = menu.GetMenuItemCount() == 1 ? ::GetSubMenu(menu.m_hMenu, 0) : NULL;
    if (hSubMenu != NULL)
    {
        CVZPPopupBar* pBar = CVZPPopupBar::CreatePopupBar(pParent->GetCommandBars());
        if (pBar != NULL)
        {
            pBar->LoadMenu(CMenu::FromHandle(hSubMenu), TRUE);
            CVZPControlPopup* pPopup = CVZPControlPopup::CreateControlPopup(vzpControlPopup);
            pControls->AddControl(pPopup, 0, kOlePopupParameter, GetIndex() + 1, TRUE);
            pPopup->SetCommandBar(pBar);
            pBar->InternalRelease();
            CString strCaption;
            menu.GetMenuString(0, strCaption, MF_BYPOSITION);
            pPopup->SetCaption(strCaption);
        }
    }
    menu.DestroyMenu();
}
