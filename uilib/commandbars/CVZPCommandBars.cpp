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
    VZPGetSoundManager()->StopSoundThread();
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

