#include "CVZPMenuBar.h"

#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPControls.h"
#include "CVZPImageManager.h"
#include "CVZPMouseHookManager.h"
#include "CVZPPopupBar.h"
#include "CVZPWindowHookManager.h"
#include "VZPSelectors.h"

IMPLEMENT_SERIAL(CVZPMenuBar, CVZPToolBar, VERSIONABLE_SCHEMA | 0x10)

namespace {

const UINT kIdsResetQuestion = 9349;

// The system commands of an MDI child's menu, and the first string of their
// prompts: ((id - 0xF000) >> 4) + 0xEF00.
const UINT kFirstSysCommand = 0xF000;
const UINT kLastSysCommand = 0xF1EF;
const UINT kFirstSysCommandPrompt = 0xEF00;

HMENU LoadMenuResource(UINT nID)
{
    HINSTANCE hInstance = AfxFindResourceHandle(MAKEINTRESOURCE(nID), RT_MENU);
    return ::LoadMenuW(hInstance, MAKEINTRESOURCEW(nID));
}

}  // namespace

BEGIN_MESSAGE_MAP(CVZPMenuBar, CVZPToolBar)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CVZPMenuBar::CVZPMenuBar()
    : m_bMDIApp(FALSE), m_hwndMDIChild(NULL), m_hMenu(NULL), m_nIDResource(0), m_nIDResourceCurrent(0),
      m_mapMenus(10), m_bStoredMenusKept(FALSE)
{
    m_barType = vzpBarTypeMenuBar;
    m_mapMenus.InitHashTable(17);
}

CVZPMenuBar::~CVZPMenuBar()
{
    ReleaseStoredMenus();
    if (m_hMenu != NULL)
        ::DestroyMenu(m_hMenu);
    CVZPWindowHookManager::GetInstance()->RemoveReceiver(this);
}

void CVZPMenuBar::ReleaseStoredMenus()
{
    for (POSITION pos = m_mapMenus.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CVZPControls* pControls;
        m_mapMenus.GetNextAssoc(pos, nID, pControls);
        pControls->SetParent(NULL);
        pControls->InternalRelease();
    }
    m_mapMenus.RemoveAll();
}

// ---------------------------------------------------------------------------
// Loading

BOOL CVZPMenuBar::LoadMenuBar(UINT nIDResource)
{
    if (nIDResource != 0)
    {
        HMENU hMenu = LoadMenuResource(nIDResource);
        if (hMenu == NULL)
            return FALSE;
        CMenu menu;
        menu.Attach(hMenu);
        if (!LoadMenu(&menu, TRUE))
        {
            menu.DestroyMenu();
            return FALSE;
        }
        m_nIDResource = m_nIDResourceCurrent = nIDResource;
        menu.DestroyMenu();
    }

    CWnd* pSite = GetSite();
    if (pSite->GetSafeHwnd() != NULL)
    {
        CVZPWindowHookManager* pHooks = CVZPWindowHookManager::GetInstance();
        pHooks->SetHook(pSite->m_hWnd, this);
        CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pSite);
        m_bMDIApp = pMDIFrame != NULL;
        if (pMDIFrame != NULL && pMDIFrame->m_hWndMDIClient != NULL)
            pHooks->SetHook(pMDIFrame->m_hWndMDIClient, this);
    }

    static const UINT kSysCommands[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
    GetImageManager()->SetIconsFromResource(idSysCommandImages, kSysCommands, 4, CSize(16, 16));

    // From here on the bar owns the native menu and the frame shows none.
    if (pSite->GetSafeHwnd() != NULL)
    {
        HMENU hMenu = ::GetMenu(pSite->m_hWnd);
        if (hMenu != NULL)
        {
            if (m_hMenu != NULL && m_hMenu != hMenu)
                ::DestroyMenu(m_hMenu);
            m_hMenu = hMenu;
        }
        ::SetMenu(pSite->m_hWnd, NULL);
    }
    return TRUE;
}

int CVZPMenuBar::GetMenuItemText(CMenu* pMenu, int nItem, CString& strText, UINT nFlags)
{
    strText.Empty();
    const int nLength = ::GetMenuStringW(pMenu->GetSafeHmenu(), (UINT)nItem, NULL, 0, nFlags);
    if (nLength <= 0)
        return 0;
    ::GetMenuStringW(pMenu->GetSafeHmenu(), (UINT)nItem, strText.GetBuffer(nLength + 1), nLength + 1, nFlags);
    strText.ReleaseBuffer();
    return strText.GetLength();
}

// ---------------------------------------------------------------------------
// Hooked messages of the site, its MDI client and the active child

int CVZPMenuBar::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult)
{
    if ((nMessage == WM_SIZE || nMessage == WM_WINDOWPOSCHANGED) && hWnd == m_hwndMDIChild && hWnd != NULL)
    {
        // Posted, not set: the update runs once the frame finished the
        // message that caused it.
        if (m_hWnd != NULL)
            PostMessage(WM_TIMER, timerUpdateMDI, 0);
        return 0;
    }
    if (nMessage >= WM_MDICREATE && nMessage <= WM_MDIACTIVATE)
    {
        if (m_hWnd != NULL)
            PostMessage(WM_TIMER, timerUpdateMDI, 0);
        return 0;
    }
    if (nMessage == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0)
    {
        // The menu key without a mnemonic (F10, or Alt pressed and released
        // alone): the bar takes the keyboard instead of the native menu.
        CVZPMouseHookManager* pMouseManager = CVZPCommandBars::GetThreadMouseManager();
        if (!IsVisible() || pMouseManager->m_nDragCount > 0 || ::GetKeyState(VK_SHIFT) < 0 || IsCustomizeMode() ||
            m_pCommandBars == NULL)
            return 0;
        // The release of Alt after Alt+letter also arrives here (as a key-up
        // the window procedure turns into the menu key): the tracking the
        // access key began stays as it is.
        if (m_bTracking != 0 || pMouseManager->IsTrackingPopup())
        {
            lResult = 0;
            return 1;
        }
        m_pCommandBars->SetTrackingBar(this, 0);
        lResult = 0;
        return 1;
    }
    if (nMessage == WM_MDISETMENU)
    {
        CWnd* pSite = GetSite();
        if (IsVisible())
        {
            if ((m_dwFlags & flagFixedMenu) == 0)
            {
                if (wParam != 0)
                    SwitchMenu((HMENU)wParam);
                else if (m_hMenu != NULL)
                    SwitchMenu(m_hMenu);
            }
            if (pSite->GetSafeHwnd() != NULL)
                ::SetMenu(pSite->m_hWnd, NULL);
            UpdateMDIState();
            lResult = 0;
            return 1;
        }
        if (pSite->GetSafeHwnd() != NULL && ::GetMenu(pSite->m_hWnd) == NULL)
        {
            lResult = 0;
            return 1;
        }
        return 0;
    }
    return CVZPToolBar::OnHookMessage(hWnd, nMessage, wParam, lParam, lResult);
}

void CVZPMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == timerUpdateMDI)
        UpdateMDIState();
    CVZPToolBar::OnTimer(nIDEvent);
}

// ---------------------------------------------------------------------------
// Menus of an MDI frame

CVZPControls* CVZPMenuBar::AttachControls(CVZPControls* pControls)
{
    CVZPControls* pOld = m_pControls;
    m_nHotControl = -1;
    m_nPopupedControl = -1;
    m_pControls = pControls;
    m_pControls->SetCommandBars(m_pCommandBars);
    m_pControls->SetParent(this);
    DelayLayout();
    return pOld;
}

void CVZPMenuBar::SwitchMenu(HMENU hMenu)
{
    UINT nKey = 0;
    if (hMenu != NULL && hMenu == m_hMenu)
        nKey = m_nIDResource;
    else if (m_pCommandBars != NULL)
        nKey = m_pCommandBars->GetActiveMenuId();
    if (nKey == 0 || m_nIDResourceCurrent == 0 || nKey == m_nIDResourceCurrent || !::IsMenu(hMenu) ||
        ::GetMenuItemCount(hMenu) <= 0)
        return;
    CMenu* pMenu = CMenu::FromHandle(hMenu);
    SetTrackingMode(0, TRUE, FALSE);
    if (m_pCommandBars != NULL && m_pCommandBars->IsCustomizeAvail())
    {
        // Each menu keeps its own (customised) controls.
        CVZPControls* pStored = NULL;
        if (m_mapMenus.Lookup(m_nIDResourceCurrent, pStored))
        {
            m_mapMenus.RemoveKey(m_nIDResourceCurrent);
            pStored->InternalRelease();
        }
        CVZPControls* pNext = NULL;
        if (m_mapMenus.Lookup(nKey, pNext))
        {
            m_mapMenus.RemoveKey(nKey);
            CVZPControls* pOld = AttachControls(pNext);
            pOld->SetParent(NULL);
            m_mapMenus.SetAt(m_nIDResourceCurrent, pOld);
            // Sets stored here always carry their default copy, the one a
            // reset returns to.
        }
        else
        {
            CVZPControls* pOld = AttachControls(new CVZPControls);
            pOld->SetParent(NULL);
            m_mapMenus.SetAt(m_nIDResourceCurrent, pOld);
            LoadMenu(pMenu, TRUE);
            m_pControls->SaveDefaultControls();
        }
    }
    else
        LoadMenu(pMenu, TRUE);
    OnRecalcLayout();
    m_nIDResourceCurrent = nKey;
}

CWnd* CVZPMenuBar::GetActiveMDIChild(BOOL* pbMaximized) const
{
    if (pbMaximized != NULL)
        *pbMaximized = FALSE;
    CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, GetSite());
    if (!m_bMDIApp || pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
        return NULL;
    BOOL bMaximized = FALSE;
    HWND hChild = (HWND)::SendMessageW(pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized);
    if (pbMaximized != NULL)
        *pbMaximized = hChild != NULL && bMaximized;
    return hChild != NULL ? CWnd::FromHandle(hChild) : NULL;
}

void CVZPMenuBar::UpdateMDIState()
{
    CWnd* pChild = GetActiveMDIChild();
    HWND hChild = pChild->GetSafeHwnd();
    if (hChild != m_hwndMDIChild)
    {
        CVZPWindowHookManager* pHooks = CVZPWindowHookManager::GetInstance();
        if (m_hwndMDIChild != NULL && ::IsWindow(m_hwndMDIChild))
            pHooks->RemoveHook(m_hwndMDIChild, this);
        if (hChild != NULL)
            pHooks->SetHook(hChild, this);
        m_hwndMDIChild = hChild;
    }
    if (IsVisible())
        UpdateMDIControls();
}

HICON CVZPMenuBar::GetChildIcon(CWnd* pChild) const
{
    HWND hChild = pChild->GetSafeHwnd();
    HICON hIcon = (HICON)::SendMessageW(hChild, WM_VZP_GETWINDOWICON, 0, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessageW(hChild, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessageW(hChild, WM_GETICON, ICON_BIG, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtrW(hChild, GCLP_HICONSM);
    if (hIcon == NULL)
        hIcon = ::LoadIconW(NULL, IDI_WINLOGO);
    return (HICON)::CopyImage(hIcon, IMAGE_ICON, 16, 16, 0);
}

void CVZPMenuBar::UpdateMDIControls()
{
    BOOL bMaximized = FALSE;
    CWnd* pChild = GetActiveMDIChild(&bMaximized);
    const DWORD dwChildStyle = pChild != NULL ? pChild->GetStyle() : 0;
    BOOL bChanged = FALSE;

    // The child's system menu at the left end.
    CVZPControlMDISysMenu* pSysMenu = DYNAMIC_DOWNCAST(CVZPControlMDISysMenu, m_pControls->FindControl(idMDISysMenu));
    HMENU hSysMenu = pChild != NULL && bMaximized && (m_dwFlags & flagMDISysMenu) != 0
                         ? ::GetSystemMenu(pChild->m_hWnd, FALSE)
                         : NULL;
    if (hSysMenu == NULL || !::IsMenu(hSysMenu))
    {
        if (pSysMenu != NULL)
        {
            m_pControls->Remove(pSysMenu);
            bChanged = TRUE;
        }
    }
    else if (pSysMenu == NULL || pSysMenu->m_hSysMenu != hSysMenu)
    {
        if (pSysMenu == NULL)
        {
            pSysMenu = new CVZPControlMDISysMenu;
            CVZPPopupBar* pPopup = CVZPPopupBar::CreatePopupBar(m_pCommandBars);
            if (pPopup != NULL)
            {
                pPopup->SetCustomizable(FALSE);
                pSysMenu->SetCommandBar(pPopup);
                pPopup->InternalRelease();   // the control holds it now
            }
            m_pControls->AddControl(pSysMenu, idMDISysMenu, NULL, 0, TRUE);
            pSysMenu->SetCaption(_T("-"));
            bChanged = TRUE;
        }
        else
            DelayRedraw();
        pSysMenu->m_hSysMenu = hSysMenu;
        pSysMenu->SetIcon(GetChildIcon(pChild));
        if (CVZPCommandBar* pPopup = pSysMenu->GetCommandBar())
        {
            CVZPControls* pItems = pPopup->GetControls();
            pItems->RemoveAll();
            CMenu* pMenu = CMenu::FromHandle(hSysMenu);
            const UINT nDefault = ::GetMenuDefaultItem(hSysMenu, TRUE, GMDI_USEDISABLED);
            BOOL bBeginGroup = FALSE;
            for (int i = 0; i < ::GetMenuItemCount(hSysMenu); i++)
            {
                const UINT nID = ::GetMenuItemID(hSysMenu, i);
                if (nID == 0)
                {
                    bBeginGroup = TRUE;
                    continue;
                }
                CVZPControl* pItem = NULL;
                if (nID < kFirstSysCommand || nID > kLastSysCommand)
                    pItem = pItems->AddMenuItem(pMenu, i);
                else
                {
                    pItem = pItems->AddControl(new CVZPControlButton, (int)nID);
                    pItem->SetFlags(pItem->GetFlags() | CVZPControl::flagNoUpdate);
                    CString strText;
                    GetMenuItemText(pMenu, i, strText, MF_BYPOSITION);
                    pItem->SetCaption(strText);
                    CString strDescription;
                    strDescription.LoadString(((nID - kFirstSysCommand) >> 4) + kFirstSysCommandPrompt);
                    pItem->SetDescription(strDescription);
                    pItem->SetDefaultItem(nDefault == (UINT)i);
                    pItem->SetEnabled((::GetMenuState(hSysMenu, i, MF_BYPOSITION) & MF_DISABLED) == 0);
                }
                if (pItem != NULL && bBeginGroup)
                    pItem->SetBeginGroup(TRUE);
                bBeginGroup = FALSE;
            }
        }
    }

    // Minimise, restore and close at the right end.
    const struct
    {
        UINT nID;
        LPCTSTR lpszCaption;
        BOOL bWanted;
    } buttons[] = {
        {idMDIMinimize, _T("0"), (dwChildStyle & WS_MINIMIZEBOX) != 0 && (m_dwFlags & flagNoMinimize) == 0},
        {idMDIRestore, _T("2"), (dwChildStyle & WS_MAXIMIZEBOX) != 0 && (m_dwFlags & flagNoRestore) == 0},
        {idMDIClose, _T("r"), (m_dwFlags & flagNoClose) == 0},
    };
    for (const auto& button : buttons)
    {
        CVZPControl* pButton = m_pControls->FindControl((int)button.nID);
        if (pButton != NULL && !bMaximized)
        {
            m_pControls->Remove(pButton);
            bChanged = TRUE;
        }
        else if (pButton == NULL && bMaximized && pChild != NULL && button.bWanted)
        {
            pButton = m_pControls->AddControl(new CVZPControlMDIButton, (int)button.nID, NULL, -1, TRUE);
            pButton->SetCaption(button.lpszCaption);
            bChanged = TRUE;
        }
    }
    if (bChanged)
    {
        DelayLayout();
        OnRecalcLayout();
    }
}

void CVZPMenuBar::ReleaseUncustomizedMenus()
{
    m_bStoredMenusKept = FALSE;
    if (!m_mapMenus.IsEmpty())
    {
        SwitchMenu(m_hMenu);
        m_bStoredMenusKept = TRUE;
    }
    CArray<UINT, UINT> arrRelease;
    for (POSITION pos = m_mapMenus.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CVZPControls* pControls;
        m_mapMenus.GetNextAssoc(pos, nID, pControls);
        if (pControls->GetDefaultControls() != NULL && !pControls->IsChanged())
            arrRelease.Add(nID);
    }
    for (INT_PTR i = 0; i < arrRelease.GetSize(); i++)
    {
        CVZPControls* pControls = m_mapMenus[arrRelease[i]];
        m_mapMenus.RemoveKey(arrRelease[i]);
        pControls->InternalRelease();
    }
}

// ---------------------------------------------------------------------------
// Customisation

void CVZPMenuBar::ResetCustomization()
{
    if ((!m_mapMenus.IsEmpty() || m_pControls->GetDefaultControls() == NULL) && m_nIDResourceCurrent != 0)
    {
        CString strMessage;
        CString strFormat;
        strFormat.LoadString(kIdsResetQuestion);
        strMessage.Format(strFormat, (LPCTSTR)m_strTitle);
        if (AfxMessageBox(strMessage, MB_OKCANCEL | MB_ICONWARNING) == IDOK)
        {
            if (HMENU hMenu = LoadMenuResource(m_nIDResourceCurrent))
            {
                CMenu menu;
                menu.Attach(hMenu);
                LoadMenu(&menu, TRUE);
                menu.DestroyMenu();
            }
        }
    }
    else if (m_pControls->GetDefaultControls() != NULL)
        CVZPToolBar::ResetCustomization();
    UpdateMDIState();
    OnIdleUpdateCmdUI(TRUE);
    OnRecalcLayout();
}

void CVZPMenuBar::Copy(CVZPCommandBar* pCommandBar, BOOL bRecursive)
{
    CVZPToolBar::Copy(pCommandBar, bRecursive);
    CVZPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CVZPMenuBar, pCommandBar);
    if (pMenuBar == NULL)
        return;
    m_nIDResource = pMenuBar->m_nIDResource;
    ReleaseStoredMenus();
    for (POSITION pos = pMenuBar->m_mapMenus.GetStartPosition(); pos != NULL;)
    {
        UINT nID;
        CVZPControls* pControls;
        pMenuBar->m_mapMenus.GetNextAssoc(pos, nID, pControls);
        m_mapMenus.SetAt(nID, pControls->Duplicate(TRUE));
    }
}

// ---------------------------------------------------------------------------
// MDI controls

IMPLEMENT_DYNCREATE(CVZPControlMDISysMenu, CVZPControlPopup)

CVZPControlMDISysMenu::CVZPControlMDISysMenu() : m_hSysMenu(NULL), m_hIcon(NULL)
{
    m_controlType = vzpControlPopup;
    m_dwFlags |= 0x18;
}

CVZPControlMDISysMenu::~CVZPControlMDISysMenu()
{
    SetIcon(NULL);
}

void CVZPControlMDISysMenu::SetIcon(HICON hIcon)
{
    if (m_hIcon != NULL && m_hIcon != hIcon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = hIcon;
}

CSize CVZPControlMDISysMenu::GetSize(CDC* pDC)
{
    (void)pDC;
    return CSize(16, 16);
}

void CVZPControlMDISysMenu::Draw(CDC* pDC)
{
    if (m_hIcon != NULL)
        ::DrawStateW(pDC->GetSafeHdc(), NULL, NULL, (LPARAM)m_hIcon, 0, m_rcControl.left, m_rcControl.top, 16, 16,
                     DST_ICON);
}

void CVZPControlMDISysMenu::AdjustExcludeRect(CRect& rc)
{
    rc.InflateRect(1, 1);
}

IMPLEMENT_DYNCREATE(CVZPControlMDIButton, CVZPControlButton)

CVZPControlMDIButton::CVZPControlMDIButton()
{
    m_dwFlags |= 0x1B;
}

void CVZPControlMDIButton::Draw(CDC* pDC)
{
    GetPaintManager()->DrawControlEntry(pDC, this);
    // The symbol font at a constant pixel size whatever the screen's DPI.
    CFont font;
    LOGFONTW lf = {};
    lf.lfHeight = -::MulDiv(8, 96, 72);
    lf.lfCharSet = SYMBOL_CHARSET;
    lstrcpyW(lf.lfFaceName, L"Marlett");
    font.CreateFontIndirect(&lf);
    CVZPFontSelector selector(pDC, &font);
    CRect rc = m_rcControl;
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(m_strCaption, rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CVZPControlMDIButton::OnExecute()
{
    CVZPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CVZPMenuBar, m_pParent);
    CWnd* pChild = pMenuBar != NULL ? pMenuBar->GetActiveMDIChild() : NULL;
    if (pChild == NULL)
        return;
    UINT nCommand = SC_CLOSE;
    if (m_nId == CVZPMenuBar::idMDIRestore)
        nCommand = SC_RESTORE;
    else if (m_nId == CVZPMenuBar::idMDIMinimize)
        nCommand = SC_MINIMIZE;
    pChild->PostMessage(WM_SYSCOMMAND, nCommand, 0);
}
