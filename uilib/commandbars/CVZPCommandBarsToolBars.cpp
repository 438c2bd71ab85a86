// The manager's operations on its toolbars and menu bar: adding, removing,
// docking and floating bars, rebar bands, menu access keys, the per-document
// menu of an MDI site, and the lists the toolbars' expand popups show.
#include "CVZPCommandBars.h"

#include "CVZPAcceleratorManager.h"
#include "CVZPCommandBar.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControl.h"
#include "CVZPControlToolbars.h"
#include "CVZPControls.h"
#include "CVZPDockBar.h"
#include "CVZPMenuBar.h"
#include "CVZPPopupBar.h"
#include "CVZPReBar.h"
#include "CVZPToolBar.h"

#include <afxpriv.h>

namespace {

// Flags words the manager gives its bars.
const DWORD kMenuBarFlags = 0x5F;
const DWORD kToolBarFlags = 0x3F;
// Control flags of the per-bar entries of "&Add or Remove Buttons": the
// site's update handlers leave them alone.
const DWORD kAddRemoveEntryFlags = 0x8;
// The registered message an MDI tab client answers by refreshing itself.
const wchar_t kTabClientRefreshMessage[] = L"VZPTabClientRefresh";

CVZPReBar* FindReBar(CWnd* pSite)
{
    if (pSite->GetSafeHwnd() == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CVZPReBar, pSite->GetDlgItem(AFX_IDW_REBAR));
}

}  // namespace

// ---------------------------------------------------------------------------
// Creation and removal

CVZPToolBar* CVZPCommandBars::CreateBar(CRuntimeClass* pClass, DWORD dwFlags, LPCTSTR lpszName)
{
    CObject* pObject = pClass != NULL ? pClass->CreateObject() : NULL;
    if (pObject == NULL)
        return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CVZPToolBar)))
    {
        delete pObject;
        return NULL;
    }
    CVZPToolBar* pBar = (CVZPToolBar*)pObject;
    pBar->SetCommandBars(this);
    pBar->SetFlags(dwFlags);
    pBar->SetTitle(lpszName);
    return pBar;
}

void CVZPCommandBars::DestroyBar(CVZPToolBar* pBar)
{
    if (CVZPDockBar* pDockBar = pBar->GetDockBar())
        pDockBar->RemoveCommandBar(pBar);
    if (pBar->GetSafeHwnd() != NULL)
        pBar->DestroyWindow();
    pBar->InternalRelease();
}

CVZPCommandBar* CVZPCommandBars::AddMenuBar(LPCTSTR lpszName, UINT nID)
{
    CVZPToolBar* pBar = CreateBar(m_pMenuBarClass, kMenuBarFlags, lpszName);
    if (pBar == NULL)
        return NULL;
    // Redraw does nothing while the bar has no window yet.
    pBar->Redraw();
    pBar->SetBarID(1);
    CVZPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CVZPMenuBar, pBar);
    if (!DockCommandBar(pBar, vzpBarTop) || (pMenuBar != NULL && !pMenuBar->LoadMenuBar(nID)))
    {
        DestroyBar(pBar);
        return NULL;
    }
    if (nID != 0)
    {
        pBar->GetControls()->SaveDefaultControls();
        m_nMenuID = nID;
    }
    AddBar(pBar);
    m_pMenuBar = pBar;
    return pBar;
}

CVZPToolBar* CVZPCommandBars::AddToolBar(LPCTSTR lpszName, int nPosition, CRuntimeClass* pToolBarClass)
{
    CVZPToolBar* pBar = CreateBar(pToolBarClass != NULL ? pToolBarClass : m_pToolBarClass, kToolBarFlags, lpszName);
    if (pBar == NULL)
        return NULL;
    if (!pBar->SetPosition(nPosition))
    {
        DestroyBar(pBar);
        return NULL;
    }
    AddBar(pBar);
    return pBar;
}

CVZPToolBar* CVZPCommandBars::AddCustomBar(LPCTSTR lpszName, UINT nID, BOOL bTearOffBar)
{
    CObject* pObject = m_pToolBarClass->CreateObject();
    CVZPToolBar* pBar = DYNAMIC_DOWNCAST(CVZPToolBar, pObject);
    if (pBar == NULL)
    {
        delete pObject;
        return NULL;
    }
    pBar->SetCommandBars(this);

    VZPCREATEBARSTRUCT cs;
    memset(&cs, 0, sizeof(cs));
    cs.pCommandBar = pBar;
    cs.bCustomBar = TRUE;
    cs.bTearOffBar = bTearOffBar;
    cs.lpcstrCaption = lpszName;
    cs.nID = nID;
    if (m_pFrame->GetSafeHwnd() != NULL)
        m_pFrame->SendMessage(WM_VZP_CREATECOMMANDBAR, 0, (LPARAM)&cs);

    if (!pBar->HasTracker())   // the site gave no flags word
        pBar->SetFlags(kToolBarFlags);
    pBar->SetTitle(lpszName);
    BOOL bPlaced = bTearOffBar ? FloatCommandBar(pBar) : DockCommandBar(pBar, vzpBarTop);
    if (!bPlaced)
    {
        DestroyBar(pBar);
        return NULL;
    }
    AddBar(pBar);
    pBar->SetBarID(nID);
    pBar->m_bBuiltIn = FALSE;
    pBar->m_bTearOff = bTearOffBar;
    if (!bTearOffBar)
        RecalcFrameLayout(FALSE);
    AddBarToReBar(pBar);
    return pBar;
}

void CVZPCommandBars::Remove(CVZPToolBar* pToolBar)
{
    int nIndex = FindIndex(pToolBar);
    if (nIndex < 0)
        return;
    if (pToolBar->GetSafeHwnd() != NULL)
        pToolBar->ShowWindow(SW_HIDE);
    pToolBar->m_bVisible = FALSE;
    if (CVZPDockBar* pDockBar = pToolBar->GetDockBar())
    {
        pDockBar->RemoveCommandBar(pToolBar);
        RecalcFrameLayout(FALSE);
    }
    RemoveBarFromReBar(pToolBar);
    m_arrBars.RemoveAt(nIndex);
    if (m_pMenuBar == pToolBar)
        m_pMenuBar = NULL;
    pToolBar->InternalRelease();
}

void CVZPCommandBars::ToggleVisible(int nIndex)
{
    if (CVZPToolBar* pBar = GetAt(nIndex))
        pBar->SetVisible(!pBar->IsVisible());
}

// ---------------------------------------------------------------------------
// Docking and floating

BOOL CVZPCommandBars::DockCommandBar(CVZPToolBar* pBar, LPCRECT lpRect, CVZPDockBar* pDockBar)
{
    if (pDockBar == NULL || !pBar->CreateToolBar(m_pFrame, FALSE))
        return FALSE;
    pDockBar->DockCommandBar(pBar, lpRect);
    pBar->m_barPosition = pDockBar->GetPosition();
    return TRUE;
}

BOOL CVZPCommandBars::DockCommandBar(CVZPToolBar* pBar, int nPosition)
{
    return DockCommandBar(pBar, NULL, GetDockBar(nPosition));
}

BOOL CVZPCommandBars::FloatCommandBar(CVZPToolBar* pBar)
{
    if (!pBar->CreateToolBar(m_pFrame, TRUE))
        return FALSE;
    if (CVZPDockBar* pDockBar = pBar->GetDockBar())
        pDockBar->RemoveCommandBar(pBar);
    pBar->SetDockBar(NULL);
    pBar->m_barPosition = vzpBarFloating;
    return TRUE;
}

void CVZPCommandBars::UpdateCommandBars()
{
    m_bRecalcLayout = TRUE;
    for (int i = 0; i < GetCount(); i++)
        if (m_arrBars[i]->IsVisible())
            m_arrBars[i]->OnRecalcLayout();
    // An MDI site's tab client (the panes' MDI tab strip, which these bars
    // know only as a window) is asked to refresh with its frame's layout; a
    // plain MDI client ignores the message.
    CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pFrame);
    if (pMDIFrame != NULL && ::IsWindow(pMDIFrame->m_hWndMDIClient))
    {
        static const UINT s_nTabClientRefresh = ::RegisterWindowMessageW(kTabClientRefreshMessage);
        ::SendMessageW(pMDIFrame->m_hWndMDIClient, s_nTabClientRefresh, TRUE, 0);
    }
    m_bRecalcLayout = FALSE;
    RecalcFrameLayout(FALSE);
}

// ---------------------------------------------------------------------------
// Rebar bands

BOOL CVZPCommandBars::AddBarToReBar(CVZPToolBar* pToolBar)
{
    CVZPReBar* pReBar = FindReBar(m_pFrame);
    if (pReBar == NULL)
        return FALSE;
    return pReBar->AddToolBar(pToolBar, RBBS_BREAK | RBBS_GRIPPERALWAYS);
}

BOOL CVZPCommandBars::RemoveBarFromReBar(CVZPToolBar* pToolBar)
{
    CVZPReBar* pReBar = FindReBar(m_pFrame);
    if (pReBar == NULL)
        return FALSE;
    if (m_pMenuBar == pToolBar)
        m_pMenuBar = NULL;
    return pReBar->RemoveToolBar(pToolBar) != -1;
}

// ---------------------------------------------------------------------------
// Menu access keys

BOOL CVZPCommandBars::OnFrameAccel(UINT chAccel)
{
    const int nCuesUse = m_pOptions->keyboardCuesUse;
    if (nCuesUse == 2 || (chAccel >= VK_NUMPAD0 && chAccel <= VK_NUMPAD9) ||
        ::MapVirtualKeyW(chAccel, MAPVK_VK_TO_CHAR) == 0)
        return FALSE;

    CVZPCommandBar* pBar = NULL;
    for (int i = 0; i < GetCount() && pBar == NULL; i++)
        if (m_arrBars[i]->IsTrackingMode())
            pBar = m_arrBars[i];
    if (pBar == NULL && m_pMenuBar != NULL && m_pMenuBar->IsVisible())
        pBar = m_pMenuBar;
    if (pBar == NULL && (nCuesUse & 1) != 0)
        pBar = GetAt(GetNextVisible(-1, 1));
    if (pBar == NULL || !pBar->IsVisible())
        return FALSE;

    BOOL bAmbiguous = FALSE;
    CVZPControl* pControl = FindAccelControl(pBar, chAccel, bAmbiguous);
    if (pControl == NULL)
        return FALSE;
    CVZPCommandBar* pControlBar = pControl->GetParent();
    if (!pControlBar->IsTrackingMode())
        ClosePopups();
    ShowKeyboardCues(TRUE);
    pControlBar->SetTrackingMode(TRUE, FALSE, TRUE);
    pControlBar->SetHotControl(pControl->GetIndex(), TRUE);
    if (!bAmbiguous)
        pControl->OnUnderlineActivate();
    return TRUE;
}

CVZPControl* CVZPCommandBars::FindAccelControl(CVZPCommandBar* pBar, UINT chAccel, BOOL& bSelectOnly)
{
    bSelectOnly = FALSE;
    const int nCuesUse = m_pOptions->keyboardCuesUse;
    CVZPControls* pControls = pBar->GetControls();
    CVZPControl* pFirst = NULL;
    CVZPControl* pExplicit = NULL;
    CVZPControl* pFirstLetter = NULL;
    int nIndex = pBar->GetHotIndex();
    for (;;)
    {
        CVZPControl* pControl = GetNextAccelControl(&pControls, nIndex);
        if (pControl == NULL || pControl == pFirst)
            break;
        if (pFirst == NULL)
            pFirst = pControl;
        nIndex = pControl->GetIndex();

        const CString strCaption = pControl->IsCaptionVisible() ? pControl->GetCaption() : CString();
        if (strCaption.IsEmpty() || !pControl->GetEnabled())
            continue;
        const int nAmp = strCaption.Find(_T('&'));
        const BOOL bExplicit = nAmp >= 0 && nAmp < strCaption.GetLength() - 1;
        const TCHAR ch = bExplicit ? strCaption[nAmp + 1] : strCaption[0];
        if (!CVZPAcceleratorManager::MatchesAccelKey(ch, chAccel))
            continue;
        if (bExplicit)
        {
            if (pExplicit != NULL)
            {
                bSelectOnly = TRUE;
                return pExplicit;
            }
            pExplicit = pControl;
            continue;
        }
        CVZPCommandBar* pControlBar = pControl->GetParent();
        if ((nCuesUse & 4) != 0 || pControlBar == NULL ||
            (pControlBar->GetType() != vzpBarTypeMenuBar && !pControlBar->IsTrackingMode()))
            continue;
        if (pFirstLetter == NULL)
            pFirstLetter = pControl;
        else
            bSelectOnly = TRUE;
    }
    return pExplicit != NULL ? pExplicit : pFirstLetter;
}

CVZPControl* CVZPCommandBars::GetNextAccelControl(CVZPControls** ppControls, int nIndex)
{
    CVZPControls* pControls = *ppControls;
    const int nNext = pControls->GetNext(nIndex, 1);
    const BOOL bWrapped = nNext < 0 || nNext <= nIndex;
    if ((m_pOptions->keyboardCuesUse & 1) == 0 || !bWrapped)
        return nNext >= 0 ? pControls->GetAt(nNext) : NULL;

    // Searched across the visible bars in list order, back to this one.
    const int nStartBar = FindIndex((CVZPToolBar*)pControls->GetParent());
    int nBar = nStartBar;
    for (int nSteps = 0; nSteps <= GetCount(); nSteps++)
    {
        nBar = GetNextVisible(nBar, 1);
        if (nBar < 0)
            return NULL;
        CVZPControls* pBarControls = GetAt(nBar)->GetControls();
        const int nFirst = pBarControls->GetNext(-1, 1);
        if (nFirst >= 0)
        {
            *ppControls = pBarControls;
            return pBarControls->GetAt(nFirst);
        }
        if (nBar == nStartBar)
            return NULL;
    }
    return NULL;
}

// ---------------------------------------------------------------------------
// MDI menus

UINT CVZPCommandBars::GetActiveMenuId()
{
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pFrame);
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return 0;
    CMDIChildWnd* pChild = pFrame->MDIGetActive();
    if (pChild == NULL)
        return LOWORD(m_nMenuID);
    if (pChild->GetActiveDocument() != NULL)
    {
        CMultiDocTemplate* pTemplate = FindDocTemplate(pChild);
        return pTemplate != NULL ? pTemplate->m_nIDResource : 0;
    }
    return pChild->m_nIDHelp;
}

CMultiDocTemplate* CVZPCommandBars::FindDocTemplate(CMDIChildWnd* pChild) const
{
    if (pChild == NULL)
        return NULL;
    HMENU hChildMenu = pChild->m_hMenuShared;
    if (CDocument* pDocument = pChild->GetActiveDocument())
    {
        CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pDocument->GetDocTemplate());
        if (pTemplate != NULL && (hChildMenu == NULL || pTemplate->m_hMenuShared == hChildMenu))
            return pTemplate;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return NULL;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != NULL;)
    {
        CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
        if (pTemplate != NULL && pTemplate->m_hMenuShared == hChildMenu)
            return pTemplate;
    }
    return NULL;
}

// ---------------------------------------------------------------------------
// Lists of the toolbars' popups

void CVZPCommandBars::GetRowBars(CVZPToolBar* pToolBar, CArray<CVZPToolBar*, CVZPToolBar*>& arrBars) const
{
    arrBars.RemoveAll();
    CVZPDockBar* pDockBar = pToolBar->GetDockBar();
    const int nIndex = pDockBar != NULL ? pDockBar->FindBar(pToolBar) : -1;
    if (nIndex >= 0)
        pDockBar->GetVisibleBarsInRow(nIndex, arrBars);
}

CVZPPopupBar* CVZPCommandBars::GetToolbarsPopup()
{
    // The toolbars to show or hide, then "Customize" when the site offers it.
    CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(this);
    if (pPopup != NULL)
        CVZPControlToolbars::CreateToolbarMenu(pPopup, 0, ID_VIEW_TOOLBAR, TRUE);
    return pPopup;
}

void CVZPCommandBars::UpdateHiddenControlsPopup(CVZPToolBar* pToolBar, CVZPPopupBar* pPopup)
{
    CArray<CVZPToolBar*, CVZPToolBar*> arrRow;
    GetRowBars(pToolBar, arrRow);
    CVZPControls* pTarget = pPopup->GetControls();
    for (INT_PTR b = 0; b < arrRow.GetSize(); b++)
    {
        CVZPToolBar* pBar = arrRow[b];
        for (int i = 0; i < pBar->GetControlCount(); i++)
        {
            CVZPControl* pControl = pBar->GetControl(i);
            if (pControl->GetHideFlags() != CVZPControl::hideWrap)
                continue;
            CVZPControl* pCopy = pTarget->AddClone(pControl);
            if (pCopy == NULL)
                continue;
            pCopy->SetHideFlags(0);
            pCopy->SetBeginGroup(FALSE);
        }
    }
}

CVZPControl* CVZPCommandBars::BuildAddRemovePopup(CVZPToolBar* pToolBar, CVZPPopupBar* pPopup)
{
    CArray<CVZPToolBar*, CVZPToolBar*> arrRow;
    GetRowBars(pToolBar, arrRow);
    if (arrRow.GetSize() == 0)
        arrRow.Add(pToolBar);
    CVZPControls* pControls = pPopup->GetControls();
    for (INT_PTR b = 0; b < arrRow.GetSize(); b++)
    {
        CVZPToolBar* pBar = arrRow[b];
        CVZPControl* pEntry = pControls->Add(vzpControlPopup, 0);
        if (pEntry == NULL)
            continue;
        pEntry->SetFlags(pEntry->GetFlags() | kAddRemoveEntryFlags);
        pEntry->SetCaption(pBar->GetTitle());
        const BOOL bEnabled = m_bCustomizeAvail && pBar->IsBuiltIn() && pBar->IsCustomizable();
        pEntry->SetEnabled(bEnabled);
        CVZPPopupBar* pList = DYNAMIC_DOWNCAST(CVZPPopupBar, pEntry->GetCommandBar());
        if (bEnabled && pList != NULL)
        {
            pBar->BuildCustomizePopup(pList);
            pList->m_bDoubleGripper = TRUE;
        }
    }
    if (!m_bCustomizeAvail)
        return NULL;
    CVZPControl* pCustomize = pControls->Add(vzpControlButton, VZP_ID_CUSTOMIZE);
    if (pCustomize != NULL)
        pCustomize->SetBeginGroup(TRUE);
    return pCustomize;
}
