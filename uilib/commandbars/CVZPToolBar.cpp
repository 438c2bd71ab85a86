#include "CVZPToolBar.h"

#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBarTracker.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControls.h"
#include "CVZPImageManager.h"
#include "CVZPMouseHookManager.h"
#include "CVZPPopupBar.h"
#include "CVZPPopupToolBar.h"
#include "CVZPToolBarResource.h"
#include "CVZPTooltipService.h"
#include "VZPDrawHelpers.h"
#include "VZPSelectors.h"

#include <afxpriv.h>
#include <windowsx.h>

#include <algorithm>

IMPLEMENT_SERIAL(CVZPToolBar, CVZPCommandBar, VERSIONABLE_SCHEMA | 0x10)

namespace {

// Strings of the toolbar's popups.
const UINT kIdsAddRemoveButtons = 9300;
const UINT kIdsResetQuestion = 9349;
const UINT kIdsReset = 9395;

// The mini-frame bit of a bar window's style: set while the bar floats.
const DWORD kMiniFrameStyle = 0x100;

CString LoadText(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}

BOOL SameControl(CVZPControl* pFirst, CVZPControl* pSecond)
{
    return pFirst->GetID() == pSecond->GetID() && pFirst->GetType() == pSecond->GetType();
}

BOOL IsSpecialControl(CVZPControl* pControl)
{
    return pControl->IsKindOf(RUNTIME_CLASS(CVZPToolBarExpandButton)) ||
           pControl->IsKindOf(RUNTIME_CLASS(CVZPToolBarCloseButton));
}

}  // namespace

BEGIN_MESSAGE_MAP(CVZPToolBar, CVZPCommandBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
    ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CVZPToolBar::CVZPToolBar()
    : m_pDockBar(NULL), m_pTracker(NULL), m_bBuiltIn(TRUE), m_bTearOff(FALSE), m_bPreviewVisible(FALSE),
      m_bInPreview(FALSE), m_bShowExpandButton(TRUE)
{
    m_dwStyle = CBRS_GRIPPER;
    m_bCloseable = TRUE;
}

CVZPToolBar::~CVZPToolBar()
{
    delete m_pTracker;
}

// ---------------------------------------------------------------------------
// Creation and placement

void CVZPToolBar::SetFlags(DWORD dwFlags)
{
    if (m_pTracker == NULL)
        m_pTracker = new CVZPCommandBarTracker(this);
    m_dwFlags = dwFlags;
}

BOOL CVZPToolBar::SetPosition(int nPosition)
{
    if (m_pCommandBars == NULL)
        return FALSE;
    if (nPosition >= vzpBarTop && nPosition <= vzpBarRight)
        return m_pCommandBars->DockCommandBar(this, nPosition);
    if (nPosition == vzpBarFloating)
        return m_pCommandBars->FloatCommandBar(this);
    return FALSE;
}

BOOL CVZPToolBar::CreateToolBar(CWnd* pSite, BOOL bFloat)
{
    HWND hSite = pSite->GetSafeHwnd();
    if (m_hWnd == NULL)
    {
        // Made as a popup of the site and restyled below: the layout gives it
        // its size afterwards.
        DWORD dwExStyle = m_pCommandBars != NULL && m_pCommandBars->IsLayoutRTL() ? WS_EX_LAYOUTRTL : 0;
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
        const CPoint pt = m_pTracker != NULL ? m_pTracker->m_ptFloating : CPoint(100, 100);
        if (!CreateEx(dwExStyle, lpszClass, m_strTitle, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kMiniFrameStyle,
                      pt.x, pt.y, 0, 0, hSite, NULL))
            return FALSE;
        if (m_bVisible)
            ShowWindow(SW_SHOWNA);
    }
    if (bFloat)
    {
        // While the bar is a child, GWL_HWNDPARENT takes it out of its
        // parent; once it is a popup, the same field names its owner.
        ::SetWindowLongW(m_hWnd, GWL_HWNDPARENT, 0);
        ModifyStyle(WS_CHILD, WS_POPUP | kMiniFrameStyle);
        ::SetWindowLongW(m_hWnd, GWL_HWNDPARENT, (LONG)(LONG_PTR)hSite);
    }
    else
    {
        ModifyStyle(WS_POPUP | kMiniFrameStyle, WS_CHILD);
        // A popup turned child keeps the desktop as its parent; it belongs
        // to the site until a dock bar or rebar takes it.
        HWND hParent = ::GetParent(m_hWnd);
        if (hParent == NULL || hParent == ::GetDesktopWindow())
        {
            // Kept last among the site's children, so the frame lays its bars
            // out in the order they were made.
            ::SetParent(m_hWnd, hSite);
            ::SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    return TRUE;
}

BOOL CVZPToolBar::SetVisible(BOOL bVisible)
{
    bVisible = bVisible != FALSE;
    if (m_bVisible == bVisible)
        return FALSE;
    // The manager may release the bar below (a torn-off bar that hides):
    // it lives until this call is done.
    InternalAddRef();
    m_bVisible = bVisible;
    if (!bVisible)
        SetTrackingMode(0, TRUE, FALSE);
    if (m_hWnd != NULL)
        ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);
    CVZPCommandBars* pCommandBars = m_pCommandBars;
    if (m_pDockBar != NULL && pCommandBars != NULL)
        pCommandBars->RecalcFrameLayout(FALSE);
    if (pCommandBars != NULL)
    {
        CWnd* pSite = pCommandBars->GetSite();
        if (pSite->GetSafeHwnd() != NULL)
            pSite->SendMessage(WM_VZP_TOOLBARVISIBLECHANGED, (WPARAM)this, bVisible);
        if (m_bTearOff && !bVisible)
            pCommandBars->Remove(this);
    }
    InternalRelease();
    return TRUE;
}

void CVZPToolBar::OnSetPreviewMode(BOOL bPreview)
{
    bPreview = bPreview != FALSE;
    if (m_bInPreview == bPreview)
        return;
    m_bInPreview = bPreview;
    if (bPreview)
    {
        m_bPreviewVisible = m_bVisible;
        if (m_bVisible)
        {
            m_bVisible = FALSE;
            if (m_hWnd != NULL)
                ShowWindow(SW_HIDE);
        }
        return;
    }
    if (!m_bPreviewVisible)
        return;
    m_bVisible = TRUE;
    if (m_hWnd != NULL)
        ShowWindow(SW_SHOWNA);
    if (m_barType == vzpBarTypeMenuBar && m_pCommandBars != NULL)
        m_pCommandBars->RecalcFrameLayout(FALSE);
}

void CVZPToolBar::OnRecalcLayout()
{
    if (m_barPosition == vzpBarFloating)
    {
        if (m_hWnd == NULL)
            return;
        CSize size = CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate(FALSE);
    }
    else if (m_pCommandBars != NULL)
        m_pCommandBars->RecalcFrameLayout(FALSE);
}

// ---------------------------------------------------------------------------
// Contents

BOOL CVZPToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    m_nBarID = nIDResource;
    m_pControls->RemoveAll();
    CVZPToolBarResource resource;
    if (!resource.Load(nIDResource))
        return FALSE;
    SetButtons(resource.GetItems(), resource.GetCount());
    BOOL bResult = TRUE;
    const CSize szImage = resource.GetImageSize();
    if (bLoadIcons)
        bResult = GetImageManager()->SetIconsFromResource(nIDResource, resource.GetItems(), resource.GetCount(),
                                                          szImage);
    if (szImage.cx != 16)
        m_szIcons = szImage;
    if (bResult)
        m_pControls->SaveDefaultControls();
    return bResult;
}

BOOL CVZPToolBar::SetButtons(const UINT* pButtons, int nCount)
{
    m_pControls->RemoveAll();
    CWnd* pSite = GetSite();
    const BOOL bSite = pSite->GetSafeHwnd() != NULL;
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; i++)
    {
        if (pButtons[i] == 0)
        {
            bBeginGroup = TRUE;
            continue;
        }
        VZPCREATECONTROLSTRUCT cs;
        cs.nId = pButtons[i];
        cs.pControl = NULL;
        cs.bToolBar = TRUE;
        cs.nIndex = i;
        cs.pMenu = NULL;
        cs.pCommandBar = this;
        cs.strCaption = m_strTitle;
        cs.controlType = vzpControlButton;
        cs.buttonStyle = 0;
        CVZPControl* pControl = NULL;
        if (bSite && pSite->SendMessage(WM_VZP_CREATECONTROL, 0, (LPARAM)&cs) != 0 && cs.pControl != NULL)
            pControl = m_pControls->AddControl(cs.pControl, (int)cs.nId);
        if (pControl == NULL)
        {
            pControl = m_pControls->Add(cs.controlType, (int)cs.nId);
            if (pControl == NULL)
                continue;
            pControl->SetStyle(cs.buttonStyle);
            DelayLayout();
            if (cs.controlType == vzpControlPopup && pControl->m_nIconId != (int)cs.nId)
            {
                pControl->SetIconId((int)cs.nId);
                pControl->RedrawParent();
            }
        }
        if (bBeginGroup)
            pControl->SetBeginGroup(TRUE);
        bBeginGroup = FALSE;
        cs.pControl = pControl;
        if (bSite)
            pSite->SendMessage(WM_VZP_CONTROLCREATED, 0, (LPARAM)&cs);
    }
    return TRUE;
}

void CVZPToolBar::SetShowTextBelowIcons(int nMode)
{
    CVZPCommandBar::SetShowTextBelowIcons(nMode);
    m_dwState |= stateLayoutPending;
}

void CVZPToolBar::ResetCustomization()
{
    if (!m_bBuiltIn || m_nBarID == 0 || !IsCustomizable())
        return;
    CString strMessage;
    strMessage.Format(LoadText(kIdsResetQuestion), (LPCTSTR)m_strTitle);
    if (AfxMessageBox(strMessage, MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    if (CVZPControls* pDefault = m_pControls->GetDefaultControls())
    {
        pDefault->InternalAddRef();
        m_pControls->RemoveAll();
        for (int i = 0; i < pDefault->GetCount(); i++)
            if (!pDefault->GetAt(i)->IsTemporary())
                m_pControls->AddClone(pDefault->GetAt(i));
        pDefault->InternalRelease();
    }
    else
    {
        CVZPToolBarResource resource;
        if (resource.Load(m_nBarID))
            SetButtons(resource.GetItems(), resource.GetCount());
    }
    OnIdleUpdateCmdUI(TRUE);
    OnRecalcLayout();
}

void CVZPToolBar::Copy(CVZPCommandBar* pCommandBar, BOOL bRecursive)
{
    CVZPCommandBar::Copy(pCommandBar, bRecursive);
    if (CVZPToolBar* pToolBar = DYNAMIC_DOWNCAST(CVZPToolBar, pCommandBar))
    {
        m_bBuiltIn = pToolBar->m_bBuiltIn;
        m_bTearOff = pToolBar->m_bTearOff;
        m_bCloseable = pToolBar->m_bCloseable;
    }
}

// ---------------------------------------------------------------------------
// Layout

CVZPControl* CVZPToolBar::GetSpecialControl(UINT nID)
{
    CVZPControl* pControl = m_pControls->FindControl((int)nID);
    if (pControl != NULL)
        return pControl;
    if (nID == idExpandButton)
        pControl = new CVZPToolBarExpandButton;
    else
        pControl = new CVZPToolBarCloseButton;
    m_pControls->AddControl(pControl, (int)nID, NULL, -1, TRUE);
    pControl->SetHideFlags(CVZPControl::hideGenerated);
    return pControl;
}

CSize CVZPToolBar::CalcControlsSize(int nLength, DWORD dwMode, const CRect& rcBorder, int nMinimum)
{
    CWnd* pWnd = m_hWnd != NULL ? (CWnd*)this : CWnd::GetDesktopWindow();
    CClientDC dc(pWnd);
    CVZPFontSelector font(&dc, GetPaintManager()->GetCommandBarFont(this));
    return m_pControls->CalcDynamicSize(&dc, nLength, dwMode, rcBorder, nMinimum);
}

BOOL CVZPToolBar::HasOverflowHidden() const
{
    for (int i = 0; i < GetControlCount(); i++)
        if (GetControl(i)->GetHideFlags() & CVZPControl::hideWrap)
            return TRUE;
    return FALSE;
}

CSize CVZPToolBar::CalcDockingLayout(int nLength, DWORD dwMode, int nMinimum)
{
    CVZPCommandBarPaintManager* pPaintManager = GetPaintManager();
    CRect rcBorder = pPaintManager->GetCommandBarBorders(this);
    if (m_dwStyle & CBRS_GRIPPER)
    {
        CWnd* pWnd = m_hWnd != NULL ? (CWnd*)this : CWnd::GetDesktopWindow();
        CClientDC dc(pWnd);
        CSize szGripper = pPaintManager->DrawCommandBarGripper(&dc, this, FALSE);
        rcBorder.left += szGripper.cx;
        rcBorder.top += szGripper.cy;
    }
    for (UINT nID : {(UINT)idCloseButton, (UINT)idExpandButton})
        if (CVZPControl* pSpecial = m_pControls->FindControl((int)nID))
            pSpecial->SetHideFlags(CVZPControl::hideGenerated);

    if (!m_bShowExpandButton || m_pCommandBars == NULL)
        return CalcControlsSize(nLength, dwMode, rcBorder, nMinimum);

    const BOOL bAlways = m_pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
    CVZPControl* pExpand = GetSpecialControl(idExpandButton);
    pExpand->SetHideFlags(CVZPControl::hideGenerated);
    CRect rcExpandBorder = rcBorder;
    if (dwMode & LM_HORZDOCK)
        rcExpandBorder.right += kExpandButtonRoom;
    else
        rcExpandBorder.bottom += kExpandButtonRoom;

    auto placeExpand = [&](CSize size) {
        pExpand->SetHideFlags(0);
        CWnd* pWnd = m_hWnd != NULL ? (CWnd*)this : CWnd::GetDesktopWindow();
        CClientDC dc(pWnd);
        pPaintManager->DrawSpecialControl(&dc, 0, pExpand, this, FALSE, &size);
    };

    if (bAlways)
    {
        CSize size = CalcControlsSize(nLength, dwMode, rcExpandBorder, nMinimum);
        placeExpand(size);
        return size;
    }
    if (dwMode & LM_COMMIT)
    {
        CSize size = CalcControlsSize(nLength, dwMode, rcBorder, nMinimum);
        if (!HasOverflowHidden())
            return size;
        size = CalcControlsSize(nLength, dwMode, rcExpandBorder, nMinimum);
        placeExpand(size);
        return size;
    }
    CSize size = CalcControlsSize(nLength, dwMode, rcBorder, nMinimum);
    CSize szNarrow = CalcControlsSize(1, dwMode, rcBorder, nMinimum);
    if (m_pControls->GetVisibleCount(FALSE) > 1)
    {
        if (dwMode & LM_HORZDOCK)
            size.cx = std::max<int>((int)size.cx, (int)szNarrow.cx + kExpandButtonRoom);
        else
            size.cy = std::max<int>((int)size.cy, (int)szNarrow.cy + kExpandButtonRoom);
    }
    return size;
}

CSize CVZPToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcDockingLayout(nLength, dwMode);

    CVZPCommandBarPaintManager* pPaintManager = GetPaintManager();
    int nCaption = 0;
    {
        CWnd* pWnd = m_hWnd != NULL ? (CWnd*)this : CWnd::GetDesktopWindow();
        CClientDC dc(pWnd);
        nCaption = pPaintManager->DrawCommandBarGripper(&dc, this, FALSE).cy;
    }
    const CRect rcBorder(3, nCaption + 4, 3, 3);
    CVZPControl* pClose = NULL;
    CVZPControl* pExpand = NULL;
    if (m_barType != vzpBarTypeMenuBar && m_bCloseable)
    {
        pClose = GetSpecialControl(idCloseButton);
        pClose->SetHideFlags(CVZPControl::hideGenerated);
    }
    if (m_bShowExpandButton && m_pCommandBars != NULL)
    {
        pExpand = GetSpecialControl(idExpandButton);
        pExpand->SetHideFlags(CVZPControl::hideGenerated);
    }
    CSize size = CalcControlsSize(nLength, dwMode, rcBorder, 0);
    int nEnd = size.cx - 3;
    if (pClose != NULL)
    {
        pClose->SetHideFlags(0);
        pClose->SetRect(CRect(nEnd - nCaption, 3, nEnd, nCaption + 3));
        nEnd -= nCaption;
    }
    const BOOL bAlways = m_pCommandBars == NULL || m_pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
    if (pExpand != NULL && nEnd - nCaption > 0 && bAlways)
    {
        pExpand->SetHideFlags(0);
        pExpand->SetRect(CRect(nEnd - nCaption, 3, nEnd, nCaption + 3));
    }
    return size;
}

// ---------------------------------------------------------------------------
// Icon and button sizes (every bar)

CSize CVZPCommandBar::GetIconSize() const
{
    const CVZPCommandBarsOptions* pOptions = m_pCommandBars != NULL ? m_pCommandBars->GetCommandBarsOptions() : NULL;
    if (IsKindOf(RUNTIME_CLASS(CVZPPopupBar)))   // menus and popup toolbars
    {
        if (m_szIcons.cx > 0)
            return m_szIcons;
        return pOptions != NULL ? pOptions->szPopupIcons : CSize(16, 16);
    }
    CSize size(16, 16);
    if (m_szIcons.cx > 0)
        size = m_szIcons;
    else if (pOptions != NULL && pOptions->szIcons.cx > 0)
        size = pOptions->szIcons;
    // Large icons grow a bar that does not fix its own button size.
    if (pOptions != NULL && pOptions->bLargeIcons && m_szButtons.cx <= 0)
        size = pOptions->szLargeIcons.cx > 0 ? pOptions->szLargeIcons : CSize(size.cx * 2, size.cy * 2);
    return size;
}

CSize CVZPCommandBar::GetButtonSize() const
{
    if (m_szButtons.cx > 0)
        return m_szButtons;
    const CSize szIcon = GetIconSize();
    return CSize(szIcon.cx + 7, szIcon.cy + 7);
}

// ---------------------------------------------------------------------------
// Tooltips (every bar)

INT_PTR CVZPToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (m_bTracking == 2 && m_barPosition != vzpBarPopup)
        return -1;
    CVZPMouseHookManager* pMouseManager = CVZPCommandBars::GetThreadMouseManager();
    if (pMouseManager->m_nDragCount > 0 || pMouseManager->IsInputBlocked(const_cast<CVZPToolBar*>(this)))
        return -1;
    CVZPCommandBarsOptions* pOptions = m_pCommandBars != NULL ? m_pCommandBars->GetCommandBarsOptions() : NULL;
    if (pOptions != NULL && !pOptions->bToolBarScreenTips)
        return -1;
    CVZPControl* pControl = m_pControls->HitTest(point);
    if (pControl == NULL)
        return -1;
    if (m_barType == vzpBarTypePopup && (pOptions == NULL || !pOptions->bShowPopupBarToolTips) &&
        (pControl->GetFlags() & 0x40) == 0)
        return -1;
    CRect rcTip = pControl->GetRect();
    int nHit = (int)pControl->GetID();
    CString strTip = pControl->GetTooltip(&point, &rcTip, &nHit);
    if (strTip.IsEmpty())
        return -1;
    CString strDescription = pControl->GetCaption();
    // Shortcut texts come from the control until the shortcut manager
    // supplies them.
    CString strShortcut = pControl->GetShortcutText();
    if (pOptions != NULL && pOptions->bToolBarAccelTips && !strShortcut.IsEmpty())
    {
        strTip += _T(" (") + strShortcut + _T(")");
        strDescription += _T(" (") + strShortcut + _T(")");
    }
    const UINT_PTR nId = (UINT_PTR)nHit;
    CVZPTooltipService::FillToolInfo(pTI, m_hWnd, rcTip.left, rcTip.top, rcTip.right, rcTip.bottom, nId, strTip,
                                     strTip, strDescription);
    return nId == 0 ? -1 : (INT_PTR)nId;
}

// ---------------------------------------------------------------------------
// Keyboard

int CVZPToolBar::OnHookKeyDown(UINT nChar, LPARAM lParam)
{
    if (m_pTracker == NULL && nChar == VK_TAB && m_hWnd != NULL && ::GetParent(m_hWnd) != NULL)
    {
        CWnd* pParent = GetParent();
        CWnd* pNext = pParent->GetNextDlgTabItem(this, ::GetKeyState(VK_SHIFT) < 0);
        if (pNext != NULL && pNext != this)
            pNext->SetFocus();
        SetTrackingMode(0, TRUE, FALSE);
        return 1;
    }
    return CVZPCommandBar::OnHookKeyDown(nChar, lParam);
}

void CVZPToolBar::OnSetFocus(CWnd* pOldWnd)
{
    if (m_hwndCaret == NULL && pOldWnd != NULL)
        m_hwndCaret = pOldWnd->GetSafeHwnd();
    CVZPCommandBar::OnSetFocus(pOldWnd);
    if (m_pTracker == NULL)
        SetTrackingMode(1, TRUE, FALSE);
}

// ---------------------------------------------------------------------------
// Expand popup and the "&Add or Remove Buttons" list

CVZPPopupBar* CVZPToolBar::CreateExpandPopup(BOOL bKeyboard)
{
    (void)bKeyboard;
    CVZPPopupBar* pPopup = NULL;
    CWnd* pSite = GetSite();
    if (pSite->GetSafeHwnd() != NULL)
    {
        VZPCREATEBARSTRUCT cs;
        memset(&cs, 0, sizeof(cs));
        cs.bExpandBar = TRUE;
        if (pSite->SendMessage(WM_VZP_CREATECOMMANDBAR, 0, (LPARAM)&cs) != 0 && cs.pCommandBar != NULL)
            pPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, cs.pCommandBar);
    }
    if (pPopup == NULL)
        pPopup = CVZPPopupToolBar::CreatePopupToolBar(m_pCommandBars);
    if (pPopup == NULL)
        return NULL;
    if (!pPopup->IsDialogBar())
        pPopup->SetCustomizable(FALSE);
    if (m_pCommandBars == NULL)
        return pPopup;
    m_pCommandBars->UpdateHiddenControlsPopup(this, pPopup);
    if (m_pCommandBars->GetCommandBarsOptions()->bShowExpandButtonAlways || m_pCommandBars->IsCustomizeAvail())
    {
        CVZPControls* pControls = pPopup->GetControls();
        const int nBefore = pControls->GetCount();
        CVZPControl* pAddRemove = pControls->Add(vzpControlPopup, 0);
        if (pAddRemove != NULL)
        {
            pAddRemove->SetCaption(LoadText(kIdsAddRemoveButtons));
            if (nBefore > 1)
                pAddRemove->SetBeginGroup(TRUE);
            if (CVZPPopupBar* pList = DYNAMIC_DOWNCAST(CVZPPopupBar, pAddRemove->GetCommandBar()))
                m_pCommandBars->BuildAddRemovePopup(this, pList);
        }
    }
    return pPopup;
}

void CVZPToolBar::BuildCustomizePopup(CVZPCommandBar* pPopup)
{
    CVZPControls* pDefault = m_pControls->GetDefaultControls();
    if (pDefault != NULL)
        pDefault->InternalAddRef();

    // Controls the user hid leave the current set; the default controls
    // missing from it come back, hidden by the user, at their places.
    for (int i = GetControlCount() - 1; i >= 0; i--)
    {
        if ((GetControl(i)->GetHideFlags() & CVZPControl::hideCustomize) == 0)
            continue;
        m_pControls->RemoveAt(i);
        if (m_nHotControl > i)
            m_nHotControl--;
        else if (m_nHotControl == i)
            m_nHotControl = -1;
        if (m_nPopupedControl > i)
            m_nPopupedControl--;
        else if (m_nPopupedControl == i)
            m_nPopupedControl = -1;
    }
    if (pDefault != NULL)
    {
        int nNext = 0;
        for (int d = 0; d < pDefault->GetCount(); d++)
        {
            CVZPControl* pWanted = pDefault->GetAt(d);
            int nFound = -1;
            for (int i = nNext; i < GetControlCount() && nFound < 0; i++)
                if (SameControl(GetControl(i), pWanted))
                    nFound = i;
            if (nFound >= 0)
            {
                nNext = nFound + 1;
                continue;
            }
            CVZPControl* pAdded = m_pControls->AddClone(pWanted, nNext);
            if (pAdded != NULL)
                pAdded->SetHideFlags(pAdded->GetHideFlags() | CVZPControl::hideCustomize);
            if (m_nHotControl >= nNext)
                m_nHotControl++;
            if (m_nPopupedControl >= nNext)
                m_nPopupedControl++;
            nNext++;
        }
    }

    CVZPControls* pList = pPopup->GetControls();
    for (int i = 0; i < GetControlCount(); i++)
    {
        CVZPControl* pControl = GetControl(i);
        if (IsSpecialControl(pControl) || (pControl->GetHideFlags() & 0x41) != 0 ||
            (pControl->GetFlags() & CVZPControl::flagLocked) != 0)
            continue;
        BOOL bInDefault = FALSE;
        for (int d = 0; pDefault != NULL && d < pDefault->GetCount() && !bInDefault; d++)
            bInDefault = SameControl(pDefault->GetAt(d), pControl);
        CVZPToolBarListButton* pButton = new CVZPToolBarListButton;
        pList->AddControl(pButton, (int)pControl->GetID());
        pButton->SetTarget(pControl);
        pButton->SetCaption(pControl->GetCaption());
        if (pControl->GetType() >= vzpControlButton && pControl->GetType() <= vzpControlSplitButtonPopup)
            pButton->SetIconId((int)pControl->GetIconId());
        pButton->SetEnabled(bInDefault);
        pButton->SetChecked((pControl->GetHideFlags() & CVZPControl::hideCustomize) == 0);
    }
    if (pDefault != NULL && m_bBuiltIn && !m_bTearOff)
    {
        CVZPToolBarListButton* pReset = new CVZPToolBarListButton;
        pList->AddControl(pReset, 0);
        pReset->SetCaption(LoadText(kIdsReset));
        pReset->SetBeginGroup(TRUE);
        pReset->SetResetBar(this);
    }
    if (pDefault != NULL)
        pDefault->InternalRelease();
}

// ---------------------------------------------------------------------------
// Mouse and frame messages

void CVZPToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_barPosition == vzpBarFloating)
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_pControls->HitTest(point) != NULL)
    {
        CVZPCommandBar::OnLButtonDown(nFlags, point);
        return;
    }
    if (m_pCommandBars != NULL)
        CVZPCommandBars::ClosePopups();
    // A bar without flags (or without tracker) stays where it is.
    if (m_pTracker != NULL && (m_dwFlags & 0x1F) != 0)
    {
        ClientToScreen(&point);
        m_pTracker->StartMove(point.x, point.y);
    }
}

void CVZPToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pControls->HitTest(point) == NULL && m_pTracker != NULL)
    {
        m_pTracker->ToggleDocking();
        return;
    }
    CVZPCommandBar::OnLButtonDblClk(nFlags, point);
}

void CVZPToolBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_pCommandBars == NULL)
        return;
    if (IsCustomizeMode())
    {
        CVZPCommandBar::OnRButtonDown(nFlags, point);
        return;
    }
    SetTrackingMode(0, TRUE, FALSE);
    SetHotControl(-1, FALSE);
    Invalidate(FALSE);
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    m_pCommandBars->ContextMenu(this, ptScreen.x, ptScreen.y);
}

LRESULT CVZPToolBar::OnNcHitTest(WPARAM wParam, LPARAM lParam)
{
    if (m_barPosition != vzpBarFloating)
        return CVZPCommandBar::OnNcHitTestMsg(wParam, lParam);
    CRect rc;
    GetWindowRect(&rc);
    rc.DeflateRect(3, 3);
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (pt.y < rc.top)
        return HTTOP;
    if (pt.y >= rc.bottom)
        return HTBOTTOM;
    if (pt.x < rc.left)
        return HTLEFT;
    if (pt.x >= rc.right)
        return HTRIGHT;
    return CVZPCommandBar::OnNcHitTestMsg(wParam, lParam);
}

LRESULT CVZPToolBar::OnNcLButtonDown(WPARAM wParam, LPARAM lParam)
{
    if (m_pTracker == NULL)
        return 0;
    if (wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT)
    {
        if (CWnd* pTop = GetTopLevelParent())
            pTop->SetActiveWindow();
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        CVZPCommandBars::ClosePopups();
        m_pTracker->StartResize((UINT)wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    }
    return CVZPCommandBar::OnNcLButtonDownMsg(wParam, lParam);
}

int CVZPToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (m_barPosition == vzpBarFloating || IsCustomizeMode())
        return MA_NOACTIVATE;
    CWnd* pFocus = CWnd::GetFocus();
    CWnd* pTop = GetTopLevelParent();
    for (CWnd* pWnd = pFocus; pWnd != NULL && pWnd != pTop; pWnd = pWnd->GetParent())
        if (pWnd->GetStyle() & kMiniFrameStyle && pWnd->GetExStyle() & WS_EX_TOOLWINDOW)
            return MA_NOACTIVATE;
    return CVZPCommandBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

BOOL CVZPToolBar::OnNcActivate(BOOL bActive)
{
    if (bActive)
        return FALSE;
    return CVZPCommandBar::OnNcActivate(bActive);
}

LRESULT CVZPToolBar::OnFloatStatus(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    const LRESULT lResult = (GetStyle() & kMiniFrameStyle) != 0 && (wParam & FS_SYNCACTIVE) != 0;
    if (m_barPosition != vzpBarFloating || !m_bVisible)
        return lResult;
    if (m_pCommandBars == NULL || m_pCommandBars->GetCommandBarsOptions()->bSyncFloatingBars)
    {
        const BOOL bTopActive = ::IsTopParentActive(m_hWnd);
        const DWORD dwHide = SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE;
        const DWORD dwShow = SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE;
        auto canShow = [&]() {
            HWND hForeground = ::GetForegroundWindow();
            return (GetStyle() & WS_VISIBLE) == 0 && bTopActive && hForeground != NULL &&
                   ::IsWindowVisible(hForeground) && !::IsIconic(hForeground);
        };
        if ((wParam & FS_DEACTIVATE) && !bTopActive)
            SetWindowPos(NULL, 0, 0, 0, 0, dwHide);
        if ((wParam & FS_ACTIVATE) && canShow())
            SetWindowPos(NULL, 0, 0, 0, 0, dwShow);
        if ((wParam & FS_SHOW) && canShow())
            SetWindowPos(NULL, 0, 0, 0, 0, dwShow);
        if ((wParam & FS_HIDE) && !bTopActive)
            SetWindowPos(NULL, 0, 0, 0, 0, dwHide);
    }
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    return lResult;
}

LRESULT CVZPToolBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    AFX_SIZEPARENTPARAMS* pParams = (AFX_SIZEPARENTPARAMS*)lParam;
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;
    DWORD dwMode = (m_dwFlags & flagStretched) ? (LM_STRETCH | LM_HORZ | LM_HORZDOCK | LM_COMMIT)
                                               : (LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    if (m_dwFlags & flagHideWrap)
        dwMode |= VZP_LM_HIDEWRAP;
    if (pParams->hDWP == NULL)
        dwMode &= ~LM_COMMIT;
    const CRect rc(pParams->rect);
    CSize size = CalcDockingLayout(rc.Width(), dwMode);
    size.cx = std::min<int>((int)size.cx, rc.Width());
    size.cy = std::min<int>((int)size.cy, rc.Height());
    pParams->sizeTotal.cy += size.cy;
    pParams->sizeTotal.cx = std::max<int>((int)pParams->sizeTotal.cx, (int)size.cx);
    pParams->rect.top += size.cy;
    if (pParams->hDWP != NULL)
    {
        CRect rcBar(rc.left, rc.top, rc.left + size.cx, rc.top + size.cy);
        AfxRepositionWindow(pParams, m_hWnd, &rcBar);
    }
    Redraw();
    return 0;
}

void CVZPToolBar::OnClose()
{
    // A bar window is never closed by WM_CLOSE: its manager owns it.
}

// ---------------------------------------------------------------------------
// Special controls

IMPLEMENT_DYNCREATE(CVZPToolBarExpandButton, CVZPControlPopup)

CVZPToolBarExpandButton::CVZPToolBarExpandButton() : m_bHiddenControls(FALSE)
{
    m_controlType = vzpControlButtonPopup;
    m_dwFlags |= 0x1C;
}

void CVZPToolBarExpandButton::SetRect(CRect rcControl)
{
    CVZPControlPopup::SetRect(rcControl);
    m_bHiddenControls = FALSE;
    for (int i = 0; m_pParent != NULL && i < m_pParent->GetControlCount(); i++)
        if (m_pParent->GetControl(i)->GetHideFlags() & hideWrap)
            m_bHiddenControls = TRUE;
}

void CVZPToolBarExpandButton::Draw(CDC* pDC)
{
    const int nCode = m_pParent != NULL && m_pParent->GetPosition() == vzpBarFloating ? 3 : 0;
    GetPaintManager()->DrawSpecialControl(pDC, nCode, this, m_pParent, TRUE, &m_bHiddenControls);
}

BOOL CVZPToolBarExpandButton::SetPopuped(BOOL bPopuped)
{
    CVZPToolBar* pBar = DYNAMIC_DOWNCAST(CVZPToolBar, m_pParent);
    if (bPopuped && pBar != NULL && !m_bPopup)
    {
        CVZPPopupBar* pPopup = pBar->CreateExpandPopup(m_bSelected == 2);
        SetCommandBar(pPopup);   // the previous expand popup goes
        if (pPopup != NULL)
            pPopup->InternalRelease();
    }
    BOOL bResult = CVZPControlPopup::SetPopuped(bPopuped);
    RedrawParent();
    return bResult;
}

IMPLEMENT_DYNCREATE(CVZPToolBarCloseButton, CVZPControlButton)

CVZPToolBarCloseButton::CVZPToolBarCloseButton()
{
    m_dwFlags |= 0x1A;
}

void CVZPToolBarCloseButton::Draw(CDC* pDC)
{
    GetPaintManager()->DrawSpecialControl(pDC, 2, this, m_pParent, TRUE, NULL);
}

void CVZPToolBarCloseButton::OnExecute()
{
    // A torn-off bar goes away when hidden: the caller (the bar's mouse
    // dispatch) holds a reference on it and on this control meanwhile.
    if (CVZPToolBar* pBar = DYNAMIC_DOWNCAST(CVZPToolBar, m_pParent))
        pBar->SetVisible(FALSE);
}

IMPLEMENT_DYNCREATE(CVZPToolBarListButton, CVZPControlButton)

CVZPToolBarListButton::CVZPToolBarListButton() : m_pTarget(NULL), m_pResetBar(NULL)
{
    // The list's own buttons: never updated from the site's handlers.
    m_dwFlags |= flagNoUpdate;
}

CVZPToolBarListButton::~CVZPToolBarListButton()
{
    SetTarget(NULL);
}

void CVZPToolBarListButton::SetTarget(CVZPControl* pTarget)
{
    if (pTarget != NULL)
        pTarget->InternalAddRef();
    if (m_pTarget != NULL)
        m_pTarget->InternalRelease();
    m_pTarget = pTarget;
}

void CVZPToolBarListButton::Copy(CVZPControl* pControl, BOOL bRecursive)
{
    CVZPControlButton::Copy(pControl, bRecursive);
    if (CVZPToolBarListButton* pButton = DYNAMIC_DOWNCAST(CVZPToolBarListButton, pControl))
    {
        SetTarget(pButton->m_pTarget);
        m_pResetBar = pButton->m_pResetBar;
    }
}

void CVZPToolBarListButton::OnExecute()
{
    if (m_pResetBar != NULL)
    {
        CVZPToolBar* pBar = m_pResetBar;
        pBar->InternalAddRef();
        CVZPCommandBars::ClosePopups();
        pBar->ResetCustomization();
        pBar->InternalRelease();
        return;
    }
    if (m_pTarget == NULL)
        return;
    CVZPCommandBar* pBar = m_pTarget->GetParent();
    if (pBar != NULL && pBar->GetCommandBars() != NULL)
        pBar->GetCommandBars()->GetCommandBarsOptions()->bDirtyState = TRUE;
    const DWORD dwHide = m_pTarget->GetHideFlags() ^ hideCustomize;
    m_pTarget->SetHideFlags(dwHide);
    SetChecked((dwHide & hideCustomize) == 0);
    if (pBar != NULL)
        pBar->OnRecalcLayout();
    if (m_pParent != NULL)
        m_pParent->OnRecalcLayout();   // the list's popup takes its new place
}
