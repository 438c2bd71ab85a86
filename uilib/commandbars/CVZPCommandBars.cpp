#include "CVZPCommandBars.h"

#include "CVZPAcceleratorManager.h"
#include "CVZPColorManager.h"
#include "CVZPCommandBar.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControl.h"
#include "CVZPControls.h"
#include "CVZPCustomizeDragTracker.h"
#include "CVZPDockBar.h"
#include "CVZPEdit.h"
#include "CVZPImageManager.h"
#include "CVZPKeyboardHookManager.h"
#include "CVZPMenuBar.h"
#include "CVZPMouseHookManager.h"
#include "CVZPPopupBar.h"
#include "CVZPPropExchangeRegistry.h"
#include "CVZPReBar.h"
#include "CVZPTooltipService.h"
#include "CVZPSoundManager.h"
#include "CVZPToolBar.h"
#include "VZPDrawHelpers.h"

#include <afxpriv.h>

IMPLEMENT_DYNCREATE(CVZPCommandBars, CCmdTarget)

CRuntimeClass* CVZPCommandBars::m_pToolBarClass = RUNTIME_CLASS(CVZPToolBar);
CRuntimeClass* CVZPCommandBars::m_pMenuBarClass = RUNTIME_CLASS(CVZPMenuBar);
CRuntimeClass* CVZPCommandBars::m_pPopupBarClass = RUNTIME_CLASS(CVZPPopupBar);

namespace {

// The dock bars in index order: top, bottom, left, right.
const struct
{
    UINT nID;
    DWORD dwStyle;
} kDockBars[4] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
};

// WM_KEYDOWN to WM_SYSDEADCHAR and the two after it.
const UINT kLastKeyMessage = 0x108;

}  // namespace

CVZPMouseHookManager* AFX_CDECL CVZPCommandBars::GetThreadMouseManager()
{
    return CVZPMouseHookManager::GetThreadManager();
}

CVZPKeyboardHookManager* AFX_CDECL CVZPCommandBars::GetThreadKeyboardManager()
{
    return CVZPKeyboardHookManager::GetThreadManager();
}

CVZPMouseHookManager* CVZPCommandBars::GetMouseManager()
{
    if (m_pMouseManager == NULL)
        m_pMouseManager = GetThreadMouseManager();
    return m_pMouseManager;
}

CVZPCommandBars::CVZPCommandBars()
    : m_bIgnoreShiftMenuKey(FALSE), m_pDropSource(NULL), m_pPaintManager(NULL), m_pImageManager(NULL),
      m_pDragSelected(NULL), m_bCustomizeMode(FALSE), m_bCustomizeAvail(FALSE), m_nMenuID(0), m_pOptions(NULL),
      m_pFrame(NULL), m_pMenuBar(NULL), m_pToolTipContext(NULL), m_pMouseManager(NULL),
      m_bKeyboardCuesVisible(TRUE), m_pKeyboardManager(NULL), m_bRecalcLayout(FALSE), m_bCuesFollowAlt(FALSE),
      m_bRightToLeft(FALSE), m_bQuickCustomizeMode(FALSE)
{
    EnableAutomation();
    for (int i = 0; i < 4; i++)
        m_pDocks[i] = NULL;
    m_pDropSource = new CVZPCustomizeDragTracker(this);
    m_pOptions = new CVZPCommandBarsOptions(this);
    m_pToolTipContext = new CVZPTooltipService;
    m_pToolTipContext->ModifyToolTipStyle(0, TTS_NOPREFIX);
    m_pKeyboardManager = new CVZPAcceleratorManager(this);
}

CVZPCommandBars::~CVZPCommandBars()
{
    if (m_pDragSelected != NULL)
    {
        m_pDragSelected->InternalRelease();
        m_pDragSelected = NULL;
    }
    // The list is emptied first: a bar that ends its tracking while it goes
    // calls back into the manager.
    CArray<CVZPToolBar*, CVZPToolBar*> arrBars;
    arrBars.Copy(m_arrBars);
    m_arrBars.RemoveAll();
    m_pMenuBar = NULL;
    for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
        arrBars[i]->InternalRelease();
    for (int i = 0; i < 4; i++)
    {
        delete m_pDocks[i];   // the window goes with it
        m_pDocks[i] = NULL;
    }
    delete m_pDropSource;
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    m_pToolTipContext->InternalRelease();
    m_pKeyboardManager->InternalRelease();
    m_pOptions->InternalRelease();
    VZPGetSoundManager()->StopThread();
}

// ---------------------------------------------------------------------------
// Creation and structure

void CVZPCommandBars::SetSite(CWnd* pSite)
{
    m_pFrame = pSite;
    if (pSite == NULL || pSite->GetSafeHwnd() == NULL)
        return;
    // Asks whether the site handles "Customize" without running the handler.
    AFX_CMDHANDLERINFO info = {};
    m_bCustomizeAvail = pSite->OnCmdMsg(VZP_ID_CUSTOMIZE, CN_COMMAND, NULL, &info);
}

void CVZPCommandBars::CreateDockBars()
{
    for (int i = 0; i < 4; i++)
    {
        if (m_pDocks[i] != NULL)
            continue;
        CVZPDockBar* pDockBar = new CVZPDockBar(this);
        if (!pDockBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kDockBars[i].dwStyle,
                              kDockBars[i].nID))
        {
            delete pDockBar;
            AfxThrowResourceException();
        }
        m_pDocks[i] = pDockBar;
    }
}

CVZPDockBar* CVZPCommandBars::GetDockBar(int nPosition) const
{
    if (nPosition < 0 || nPosition > 3)
        return NULL;
    return m_pDocks[nPosition];
}

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
    // A bar docked before its menu failed to load must not stay in its dock
    // bar's rows, which the next frame layout walks.
    if (CVZPDockBar* pDockBar = pBar->GetDockBar())
        pDockBar->RemoveCommandBar(pBar);
    if (pBar->GetSafeHwnd() != NULL)
        pBar->DestroyWindow();
    pBar->InternalRelease();
}

CVZPCommandBar* CVZPCommandBars::AddMenuBar(LPCTSTR lpszName, UINT nID)
{
    CVZPToolBar* pBar = CreateBar(m_pMenuBarClass, 0x5F, lpszName);
    if (pBar == NULL)
        return NULL;
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
    CVZPToolBar* pBar = CreateBar(pToolBarClass != NULL ? pToolBarClass : m_pToolBarClass, 0x3F, lpszName);
    if (pBar == NULL)
        return NULL;
    BOOL bPlaced = nPosition == vzpBarFloating ? FloatCommandBar(pBar) : DockCommandBar(pBar, nPosition);
    if (!bPlaced)
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
        pBar->SetFlags(0x3F);
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

CVZPToolBar* CVZPCommandBars::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return m_arrBars[nIndex];
}

int CVZPCommandBars::FindIndex(CVZPToolBar* pToolBar) const
{
    for (int i = 0; i < GetCount(); i++)
        if (m_arrBars[i] == pToolBar)
            return i;
    return -1;
}

CVZPToolBar* CVZPCommandBars::GetToolBar(UINT nBarID) const
{
    if (nBarID == 0)
        return NULL;
    for (int i = 0; i < GetCount(); i++)
        if (m_arrBars[i]->GetBarID() == nBarID)
            return m_arrBars[i];
    return NULL;
}

CVZPCommandBarPaintManager* CVZPCommandBars::GetPaintManager() const
{
    if (m_pPaintManager != NULL)
        return m_pPaintManager;
    if (VZPPaintManager() == NULL)
        CVZPCommandBarPaintManager::SetTheme(vzpThemeOffice2000);
    return VZPPaintManager();
}

void CVZPCommandBars::SetPaintManager(CVZPCommandBarPaintManager* pPaintManager)
{
    if (m_pPaintManager != NULL)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
    if (m_pPaintManager != NULL)
        m_pPaintManager->RefreshMetrics();
}

CVZPImageManager* CVZPCommandBars::GetImageManager() const
{
    return m_pImageManager != NULL ? m_pImageManager : ::GetImageManager();
}

void CVZPCommandBars::SetImageManager(CVZPImageManager* pImageManager)
{
    if (m_pImageManager != NULL)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

void CVZPCommandBars::ToggleVisible(int nIndex)
{
    if (CVZPToolBar* pBar = GetAt(nIndex))
        pBar->SetVisible(!pBar->IsVisible());
}

BOOL CVZPCommandBars::IsLayoutRTL() const
{
    if (m_pFrame->GetSafeHwnd() != NULL && (m_pFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        return TRUE;
    return m_bRightToLeft;
}

BOOL CVZPCommandBar::IsKeyboardCuesVisible() const
{
    CVZPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars == NULL || pCommandBars->IsKeyboardCuesVisible();
}

// ---------------------------------------------------------------------------
// Docking

CVZPDockBar* CVZPCommandBars::CanDock(CPoint point, CVZPDockBar* pDockBar) const
{
    auto accepts = [&](CVZPDockBar* pBar) {
        if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
            return false;
        CRect rect;
        pBar->GetWindowRect(&rect);
        return rect.left - 20 < point.x && point.x < rect.right + 20 && rect.top - 20 < point.y &&
               point.y < rect.bottom + 20;
    };
    if (accepts(pDockBar))
        return pDockBar;
    for (int i = 0; i < 4; i++)
        if (accepts(m_pDocks[i]))
            return m_pDocks[i];
    return NULL;
}

BOOL CVZPCommandBars::DockCommandBar(CVZPToolBar* pBar, LPCRECT lpRect, CVZPDockBar* pDockBar)
{
    if (pDockBar == NULL || !pBar->Create(m_pFrame, FALSE))
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
    if (!pBar->Create(m_pFrame, TRUE))
        return FALSE;
    if (CVZPDockBar* pDockBar = pBar->GetDockBar())
        pDockBar->RemoveCommandBar(pBar);
    pBar->SetDockBar(NULL);
    pBar->m_barPosition = vzpBarFloating;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Layout

void CVZPCommandBars::RecalcFrameLayout(BOOL bDelay)
{
    if (m_bRecalcLayout || m_pFrame->GetSafeHwnd() == NULL)
        return;
    if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pFrame))
    {
        if (bDelay)
            pFrame->m_nIdleFlags |= CFrameWnd::idleLayout;
        else
            pFrame->RecalcLayout();
        return;
    }
    CRect rect;
    m_pFrame->GetClientRect(&rect);
    LPARAM lParam = MAKELPARAM(rect.Width(), rect.Height());
    if (bDelay)
        m_pFrame->PostMessage(WM_SIZE, 0, lParam);
    else
        m_pFrame->SendMessage(WM_SIZE, 0, lParam);
}

void CVZPCommandBars::ApplyDelayedLayout()
{
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pFrame);
    if (pFrame == NULL || (pFrame->m_nIdleFlags & CFrameWnd::idleLayout) == 0)
        return;
    pFrame->RecalcLayout();
    pFrame->m_nIdleFlags &= ~CFrameWnd::idleLayout;
}

void CVZPCommandBars::RedrawCommandBars()
{
    for (int i = 0; i < GetCount(); i++)
    {
        CVZPToolBar* pBar = m_arrBars[i];
        if (pBar->IsVisible() && pBar->GetSafeHwnd() != NULL)
            pBar->Redraw();
    }
}

void CVZPCommandBars::UpdateCommandBars()
{
    m_bRecalcLayout = TRUE;
    for (int i = 0; i < GetCount(); i++)
        if (m_arrBars[i]->IsVisible())
            m_arrBars[i]->OnRecalcLayout();
    m_bRecalcLayout = FALSE;
    RecalcFrameLayout(FALSE);
}

void CVZPCommandBars::OnSetPreviewMode(BOOL bPreview)
{
    m_pKeyboardManager->DisableAccelerators(bPreview);
    for (int i = 0; i < GetCount(); i++)
        m_arrBars[i]->OnSetPreviewMode(bPreview);
}

// ---------------------------------------------------------------------------
// Keyboard

BOOL CVZPCommandBars::PreTranslateFrameMessage(MSG* pMsg)
{
    CVZPMouseHookManager* pMouseManager = GetMouseManager();
    const BOOL bTracking = pMouseManager->IsTrackingPopup();

    if (pMsg->message == WM_SYSKEYDOWN && (pMsg->lParam & (1 << 29)) != 0 && pMouseManager->m_nDragCount <= 0 &&
        !bTracking && m_pFrame->GetSafeHwnd() != NULL && IsTopParentActive(m_pFrame->m_hWnd))
    {
        UINT nKey = LOWORD(pMsg->wParam);
        if (nKey == VK_MENU)
        {
            ShowKeyboardCues(TRUE);
            return FALSE;
        }
        if (nKey != 0 && !(m_bIgnoreShiftMenuKey && (::GetKeyState(VK_SHIFT) & 0x8000) != 0))
            if (OnFrameAccel(nKey))
                return TRUE;
    }
    if ((pMsg->message == WM_SYSKEYUP || pMsg->message == WM_KEYUP) && m_bCuesFollowAlt && m_bKeyboardCuesVisible &&
        !bTracking)
        ShowKeyboardCues(FALSE);
    if ((pMsg->message == WM_CONTEXTMENU || pMsg->message == WM_SYSKEYUP) && bTracking)
        return TRUE;
    if (pMsg->message == WM_MOUSEWHEEL)
    {
        CVZPKeyboardHookManager* pKeyboardManager = GetThreadKeyboardManager();
        if (pKeyboardManager->HasReceivers())
            return pKeyboardManager->ProcessMessage(WM_MOUSEWHEEL, pMsg->wParam, pMsg->lParam);
    }
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= kLastKeyMessage && m_pFrame->GetSafeHwnd() != NULL)
        return m_pKeyboardManager->TranslateAccelerator(m_pFrame->m_hWnd, pMsg);
    return FALSE;
}

BOOL CVZPCommandBars::OnFrameAccel(UINT chAccel)
{
    // Access keys are found among the bars' controls, which the menu bar and
    // the toolbars fill.
    (void)chAccel;
    return FALSE;
}

CVZPControl* CVZPCommandBars::FindAccelControl(CVZPCommandBar* pBar, UINT chAccel, BOOL& bSelectOnly)
{
    (void)pBar;
    (void)chAccel;
    bSelectOnly = FALSE;
    return NULL;
}

CVZPControl* CVZPCommandBars::GetNextAccelControl(CVZPControls** ppControls, int nIndex)
{
    (void)ppControls;
    (void)nIndex;
    return NULL;
}

void CVZPCommandBars::ShowKeyboardCues(BOOL bShow)
{
    if (m_bCustomizeMode)
        bShow = TRUE;
    if (!m_bCuesFollowAlt || m_bKeyboardCuesVisible == bShow)
        return;
    m_bKeyboardCuesVisible = bShow;
    RedrawCommandBars();
}

void CVZPCommandBars::OnTrackingModeChanged(CVZPCommandBar* pCommandBar, BOOL bMode)
{
    (void)pCommandBar;
    if (!bMode && m_bCuesFollowAlt && !GetMouseManager()->IsTrackingPopup())
        ShowKeyboardCues(FALSE);
}

int CVZPCommandBars::GetNextVisible(int nIndex, int nStep) const
{
    const int nCount = GetCount();
    if (nCount == 0)
        return -1;
    int i = (nIndex == -1 && nStep == -1) ? nCount - 1 : nIndex + nStep;
    int nWraps = 0;
    for (;;)
    {
        if (i >= nCount || i < 0)
        {
            i = i < 0 ? nCount - 1 : 0;
            if (++nWraps > 1 || nIndex == -1)
                return -1;
        }
        if (i == nIndex)
            return nIndex;
        if (m_arrBars[i]->IsVisible())
            return i;
        if (nStep == 0)
            return -1;
        i += nStep;
    }
}

// ---------------------------------------------------------------------------
// Commands and customisation

void CVZPCommandBars::HideCommands(const UINT* pCommands, int nCount)
{
    for (int i = 0; i < nCount; i++)
        HideCommand(pCommands[i]);
}

void CVZPCommandBars::HideCommand(UINT nCommand)
{
    m_pOptions->m_mapHiddenCommands.SetAt(nCommand, TRUE);
}

BOOL CVZPCommandBars::IsCommandHidden(UINT nCommand)
{
    BOOL bValue;
    return m_pOptions->m_mapHiddenCommands.Lookup(nCommand, bValue) &&
           !m_pOptions->m_mapUsedCommands.Lookup(nCommand, bValue);
}

void CVZPCommandBars::SetCommandUsed(UINT nCommand)
{
    if (IsCommandHidden(nCommand))
        m_pOptions->m_mapUsedCommands.SetAt(nCommand, TRUE);
}

void CVZPCommandBars::ResetUsageData()
{
    m_pOptions->m_mapUsedCommands.RemoveAll();
}

void CVZPCommandBars::SetCustomizeMode(BOOL bMode)
{
    m_pOptions->bDirtyState = TRUE;
    m_bCustomizeMode = bMode;
    SetDragControl(NULL);
    ShowKeyboardCues(bMode);
}

void CVZPCommandBars::SetDragControl(CVZPControl* pControl)
{
    if (pControl == m_pDragSelected)
        return;
    auto invalidateBar = [](CVZPControl* p) {
        if (p != NULL && p->GetParent() != NULL && p->GetParent()->GetSafeHwnd() != NULL)
            p->GetParent()->Invalidate(FALSE);
    };
    if (m_pDragSelected != NULL)
    {
        invalidateBar(m_pDragSelected);
        m_pDragSelected->InternalRelease();
    }
    m_pDragSelected = pControl;
    if (pControl != NULL)
    {
        pControl->InternalAddRef();
        invalidateBar(pControl);
    }
    CWnd* pTarget = m_pDropSource->GetSheet() != NULL ? m_pDropSource->GetSheet() : m_pFrame;
    if (pTarget->GetSafeHwnd() != NULL)
        pTarget->SendMessage(WM_VZP_CUSTOMIZESELCHANGED, 0, 0);
}

// ---------------------------------------------------------------------------
// Popups and menus

CVZPPopupBar* CVZPCommandBars::GetToolbarsPopup()
{
    return NULL;
}

void CVZPCommandBars::UpdateHiddenControlsPopup(CVZPToolBar* pToolBar, CVZPPopupBar* pPopup)
{
    (void)pToolBar;
    (void)pPopup;
}

CVZPControl* CVZPCommandBars::BuildAddRemovePopup(CVZPToolBar* pToolBar, CVZPPopupBar* pPopup)
{
    (void)pToolBar;
    (void)pPopup;
    return NULL;
}

UINT CVZPCommandBars::GetActiveMenuId()
{
    return 0;
}

CMultiDocTemplate* CVZPCommandBars::FindDocTemplate(CMDIChildWnd* pChild) const
{
    (void)pChild;
    return NULL;
}

BOOL CVZPCommandBars::AddBarToReBar(CVZPToolBar* pToolBar)
{
    CVZPReBar* pReBar = m_pFrame != NULL ? DYNAMIC_DOWNCAST(CVZPReBar, m_pFrame->GetDlgItem(AFX_IDW_REBAR)) : NULL;
    if (pReBar == NULL)
        return FALSE;
    return pReBar->AddToolBar(pToolBar, RBBS_BREAK | RBBS_GRIPPERALWAYS);
}

BOOL CVZPCommandBars::RemoveBarFromReBar(CVZPToolBar* pToolBar)
{
    CVZPReBar* pReBar = m_pFrame != NULL ? DYNAMIC_DOWNCAST(CVZPReBar, m_pFrame->GetDlgItem(AFX_IDW_REBAR)) : NULL;
    if (pReBar == NULL)
        return FALSE;
    if (m_pMenuBar == pToolBar)
        m_pMenuBar = NULL;
    return pReBar->RemoveToolBar(pToolBar) != -1;
}

// ---------------------------------------------------------------------------
// Frame messages

BOOL CVZPCommandBars::OnFrameWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_IDLEUPDATECMDUI:
        // Floating bars are no descendants of the frame: they get their
        // command states from here.
        for (int i = 0; i < GetCount(); i++)
            if (m_arrBars[i]->GetPosition() == vzpBarFloating)
                m_arrBars[i]->OnIdleUpdateCmdUI(TRUE);
        return FALSE;
    case WM_SYSCOLORCHANGE:
        GetColorManager()->RefreshColors();
        GetPaintManager()->RefreshMetrics();
        GetImageManager()->RefreshAll();
        RecalcFrameLayout(FALSE);
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return FALSE;
    case WM_SETTINGCHANGE:
        GetPaintManager()->RefreshMetrics();
        RecalcFrameLayout(FALSE);
        if (m_pFrame->GetSafeHwnd() != NULL)
            m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return FALSE;
    case WM_CLOSE:
        return m_pDropSource->GetSheet() != NULL;
    case WM_COMMAND:
    {
        CVZPEdit* pEdit = DYNAMIC_DOWNCAST(CVZPEdit, CWnd::GetFocus());
        if (pEdit != NULL && pEdit->OnCommand(wParam, lParam))
        {
            if (pResult != NULL)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_ACTIVATEAPP:
        if (wParam == 0)
            ClosePopups();
        return FALSE;
    case WM_SYSCOMMAND:
        if (!((wParam != 0 && LOWORD(wParam) == 0) || wParam == SC_KEYMENU || m_bCustomizeMode))
            ClosePopups();
        return FALSE;
    default:
        return FALSE;
    }
}

// ---------------------------------------------------------------------------
// Saving and loading (the options and the bar state are exchanged by their
// own objects)

namespace {

// Runs the options' user exchange on "<profile>-Options" under the
// application's registry key.
void ExchangeUserOptions(CVZPCommandBarsOptions* pOptions, LPCTSTR lpszProfileName, BOOL bLoading)
{
    CString strSection;
    strSection.Format(L"%s-Options", lpszProfileName);
    HKEY hAppKey = AfxGetApp() != NULL ? AfxGetApp()->GetAppRegistryKey() : NULL;
    if (hAppKey == NULL)
        return;
    {
        CVZPPropExchangeRegistry px(bLoading, hAppKey, strSection);
        pOptions->DoPropExchange(&px, TRUE);
    }
    // An empty used-command set is not written; the older value must go
    // too, or the next load would bring back the usage the user reset.
    HKEY hKey = NULL;
    if (!bLoading && pOptions->m_mapUsedCommands.IsEmpty() &&
        ::RegOpenKeyExW(hAppKey, strSection, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS)
    {
        ::RegDeleteValueW(hKey, L"UsedCommands");
        ::RegCloseKey(hKey);
    }
    ::RegCloseKey(hAppKey);
}

}  // namespace

void CVZPCommandBars::SaveOptions(LPCTSTR lpszProfileName)
{
    ExchangeUserOptions(m_pOptions, lpszProfileName, FALSE);
}

void CVZPCommandBars::LoadOptions(LPCTSTR lpszProfileName)
{
    ExchangeUserOptions(m_pOptions, lpszProfileName, TRUE);
}

