#include "CVZPControl.h"

#include "CVZPCommandBar.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPCommandBarsOptions.h"
#include "CVZPControlPopup.h"
#include "CVZPControls.h"
#include "CVZPCustomizeDragTracker.h"
#include "CVZPImageManager.h"
#include "CVZPMouseHookManager.h"
#include "CVZPPopupBar.h"
#include "CVZPResourceLoader.h"
#include "CVZPSoundManager.h"
#include "uilibres.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_SERIAL(CVZPControl, CCmdTarget, VERSIONABLE_SCHEMA | 0x10)

namespace {

// Copies one document-template map into another.
void CopyTemplateMap(CMap<UINT, UINT, BOOL, BOOL>& to, const CMap<UINT, UINT, BOOL, BOOL>& from)
{
    to.RemoveAll();
    POSITION pos = from.GetStartPosition();
    while (pos != NULL)
    {
        UINT nKey = 0;
        BOOL bValue = FALSE;
        from.GetNextAssoc(pos, nKey, bValue);
        to.SetAt(nKey, bValue);
    }
}

}  // namespace

CVZPControl::CVZPControl()
    : m_nTag(0), m_nIndex(0), m_nId(0), m_nIconId(0), m_nCustomIconId(0), m_bWrap(FALSE), m_bBeginGroup(FALSE),
      m_bEnabled(TRUE), m_bChecked(0), m_bSelected(0), m_bPressed(0), m_bTemporary(FALSE), m_rcRow(0, 0, 0, 0),
      m_rcControl(0, 0, 0, 0), m_dwHideFlags(0), m_dwFlags(0), m_pControls(NULL), m_controlType(vzpControlError),
      m_pParent(NULL), m_bExpanded(FALSE), m_bDefaultItem(FALSE), m_buttonStyle(0), m_buttonCustomStyle(0),
      m_bCloseSubMenuOnClick(TRUE)
{
    m_mapDocTemplatesAssigned.InitHashTable(17);
    m_mapDocTemplatesExcluded.InitHashTable(17);
    EnableAutomation();
}

CVZPControl::~CVZPControl()
{
}

HCURSOR AFX_CDECL CVZPControl::GetResizeCursor()
{
    HCURSOR hCursor = GetResourceLoader()->LoadCursor(VZP_IDC_RESIZE);
    return hCursor != NULL ? hCursor : ::LoadCursorW(NULL, IDC_SIZEWE);
}

// ---------------------------------------------------------------------------
// Texts and simple properties

void CVZPControl::SetId(UINT nId)
{
    if (nId == m_nId)
        return;
    CString strPrompt;
    if (GetResourceLoader()->LoadString(&strPrompt, nId) && !strPrompt.IsEmpty())
        SetPrompt(strPrompt);
    m_nId = nId;
}

void CVZPControl::SetPrompt(const CString& strPrompt)
{
    if (strPrompt.IsEmpty())
        return;
    if (strPrompt.Find(_T('\n')) < 0)
    {
        m_strTooltipText = strPrompt;
        m_strDescriptionText = strPrompt;
    }
    else
    {
        AfxExtractSubString(m_strDescriptionText, strPrompt, 0, _T('\n'));
        AfxExtractSubString(m_strTooltipText, strPrompt, 1, _T('\n'));
    }
    if (m_strCaption.IsEmpty())
        m_strCaption = m_strTooltipText;
}

void CVZPControl::SetCaption(const CString& strCaption)
{
    CString strText = strCaption;
    const int nTab = strText.Find(_T('\t'));
    if (nTab >= 0)
    {
        m_strShortcutText = strText.Mid(nTab + 1);
        strText = strText.Left(nTab);
    }
    if (strText == m_strCaption)
        return;
    m_strCaption = strText;
    DelayLayoutParent();
}

void CVZPControl::SetChecked(int bChecked)
{
    m_bChecked = bChecked;
}

void CVZPControl::SetDefaultItem(BOOL bDefault)
{
    if (m_bDefaultItem == bDefault)
        return;
    m_bDefaultItem = bDefault;
    DelayLayoutParent();
}

void CVZPControl::SetRarelyUsed(BOOL bRarelyUsed)
{
    m_bExpanded = bRarelyUsed;
    if (!bRarelyUsed && (m_dwHideFlags & hideExpand))
        SetHideFlags(m_dwHideFlags & ~hideExpand);
}

UINT CVZPControl::GetIconId() const
{
    if (m_nCustomIconId != 0)
        return (UINT)m_nCustomIconId;
    if (m_nIconId > 0)
        return (UINT)m_nIconId;
    return m_nId;
}

CString CVZPControl::GetTooltip(LPPOINT pPoint, LPRECT lpRectTip, int* pnHit) const
{
    (void)pPoint;
    (void)lpRectTip;
    (void)pnHit;
    return m_strTooltipText;
}

void CVZPControl::SetBeginGroup(BOOL bBeginGroup)
{
    m_bBeginGroup = bBeginGroup;
    DelayLayoutParent();
}

void CVZPControl::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    RedrawParent();
}

// ---------------------------------------------------------------------------
// Managers and the parent bar

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

void CVZPControl::RedrawParent()
{
    if (m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL)
        m_pParent->DelayRedraw();
}

void CVZPControl::DelayLayoutParent()
{
    if (m_pParent != NULL)
        m_pParent->m_dwState |= CVZPCommandBar::stateLayoutPending;
}

void CVZPControl::InvalidateParent()
{
    if (m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL)
        m_pParent->Invalidate(FALSE);
}

BOOL CVZPControl::IsCustomizeMode() const
{
    return m_pParent != NULL && m_pParent->IsCustomizeMode();
}

BOOL CVZPControl::IsCursorInside() const
{
    if (m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    m_pParent->ScreenToClient(&point);
    return m_rcControl.PtInRect(point);
}

BOOL CVZPControl::IsOnResizeEdge(CPoint point, int nEdge) const
{
    return m_rcControl.PtInRect(point) &&
           (point.x - m_rcControl.left <= nEdge || m_rcControl.right - 1 - point.x <= nEdge);
}

LRESULT CVZPControl::NotifySite(UINT nCode)
{
    if (m_pParent == NULL)
        return 0;
    CWnd* pSite = m_pParent->GetOwnerSite();
    if (pSite->GetSafeHwnd() == NULL)
        return 0;
    VZPCONTROLNOTIFY notify = {};
    notify.hdr.hwndFrom = NULL;
    notify.hdr.idFrom = m_nId;
    notify.hdr.code = nCode;
    notify.pControl = this;
    return pSite->SendMessage(WM_VZP_CONTROLNOTIFY, m_nId, (LPARAM)&notify);
}

// ---------------------------------------------------------------------------
// Behaviour

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
    VZPGetSoundManager()->RequestSound(CVZPSoundManager::soundMenuCommand);
    m_bPressed = 2;
    CVZPCommandBar* pRoot = m_pParent != NULL ? m_pParent->GetRootParent() : NULL;
    CVZPPopupBar* pRootPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, pRoot);
    if (pRootPopup != NULL && pRootPopup->m_pReturnCmd != NULL)
    {
        if (pRoot->m_bRecursive)
            pRoot->SetTrackingMode(0, TRUE, FALSE);
        else
            CVZPCommandBars::ClosePopups();
        *pRootPopup->m_pReturnCmd = m_nId;
        return;
    }
    CVZPCommandBars* pCommandBars = m_pParent != NULL ? m_pParent->GetCommandBars() : NULL;
    if (pCommandBars != NULL)
    {
        if (m_nId != 0)
            pCommandBars->SetCommandUsed(m_nId);
        CVZPPopupBar* pPopup = DYNAMIC_DOWNCAST(CVZPPopupBar, m_pParent);
        if (pPopup != NULL && pPopup->m_pControlPopup != NULL && pPopup->m_pControlPopup->GetID() != 0)
            pCommandBars->SetCommandUsed(pPopup->m_pControlPopup->GetID());
    }
    // The root and its owner site are taken before the popups close: closing
    // may release the bars this control sits on.
    CWnd* pSite = pRoot != NULL ? pRoot->GetOwnerSite() : NULL;
    HWND hSite = pSite->GetSafeHwnd();
    CVZPCommandBar* pParent = m_pParent;
    const UINT nId = m_nId;
    const BOOL bClose = m_bCloseSubMenuOnClick;
    InternalAddRef();
    if (pParent != NULL)
        pParent->InternalAddRef();
    if (bClose && pRoot != NULL)
    {
        if (pRoot->m_bRecursive)
            pRoot->SetTrackingMode(0, TRUE, FALSE);
        else
            CVZPCommandBars::ClosePopups();
    }
    if (nId != 0 && hSite != NULL && ::IsWindow(hSite))
    {
        VZPCONTROLNOTIFY notify = {};
        notify.hdr.idFrom = nId;
        notify.hdr.code = VZPN_EXECUTE;
        notify.pControl = this;
        if (::SendMessageW(hSite, WM_VZP_CONTROLNOTIFY, nId, (LPARAM)&notify) == 0)
            ::SendMessageW(hSite, WM_COMMAND, nId, 0);
        if (!bClose && pParent != NULL && pParent->GetSafeHwnd() != NULL)
        {
            pParent->OnIdleUpdateCmdUI(FALSE);
            pParent->Invalidate(FALSE);
        }
    }
    if (pParent != NULL)
        pParent->InternalRelease();
    InternalRelease();
}

BOOL CVZPControl::SetSelected(int bSelected)
{
    if (m_bSelected == bSelected)
        return FALSE;
    if (bSelected == 2 && m_pParent != NULL && m_pParent->GetPopupedIndex() != m_nIndex)
        m_pParent->SetPopupedControl(-1);
    m_bSelected = bSelected;
    if (m_pParent != NULL)
        m_pParent->OnControlSelected(bSelected, this);
    RedrawParent();
    return TRUE;
}

void CVZPControl::OnMouseHover()
{
    if (m_pParent == NULL)
        return;
    CVZPCommandBar* pParent = m_pParent;
    const BOOL bClosed = pParent->SetPopupedControl(-1);
    if (bClosed && pParent->GetTrackingMode() == 2 && pParent->GetPosition() != vzpBarPopup)
        pParent->SetTrackingMode(0, TRUE, FALSE);
}

BOOL CVZPControl::OnLButtonDblClk(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

void CVZPControl::TrackClick(CRect rcTrack)
{
    CVZPCommandBar* pBar = m_pParent;
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return;
    if (rcTrack.IsRectEmpty())
        rcTrack = m_rcControl;
    HWND hBar = pBar->m_hWnd;
    InternalAddRef();
    pBar->InternalAddRef();

    pBar->SetHotControl(m_nIndex, FALSE);
    m_bPressed = 1;
    pBar->Invalidate(FALSE);
    ::SetCapture(hBar);

    BOOL bExecute = FALSE;
    BOOL bMoved = FALSE;
    CPoint ptLast(0, 0);
    for (;;)
    {
        MSG msg;
        if (!::GetMessageW(&msg, NULL, 0, 0))
        {
            // A quit request ends the press and stays for the outer loop.
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (::GetCapture() != hBar)
        {
            ::DispatchMessageW(&msg);
            break;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hBar)
        {
            CPoint point((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            if ((msg.wParam & MK_LBUTTON) == 0)
            {
                // The release went elsewhere: the press is over.
                bExecute = m_bSelected != 0 && m_rcControl.PtInRect(point) && rcTrack.PtInRect(point);
                break;
            }
            bMoved = TRUE;
            ptLast = point;
            if (SetSelected(m_rcControl.PtInRect(point) ? 1 : 0))
                pBar->Invalidate(FALSE);
            continue;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            bExecute = m_bSelected != 0 && (!bMoved || rcTrack.PtInRect(ptLast));
            break;
        }
        if (msg.message == WM_CANCELMODE || msg.message == WM_CAPTURECHANGED)
        {
            ::DispatchMessageW(&msg);
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (!::IsWindow(hBar) || ::GetCapture() != hBar)
            break;
    }
    if (::GetCapture() == hBar)
        ::ReleaseCapture();

    if (::IsWindow(hBar))
    {
        if (m_bSelected)
        {
            pBar->SetHotControl(-1);
            m_bSelected = 0;
            pBar->m_nStatusControl = m_nIndex;
        }
        m_bPressed = 0;
        pBar->Invalidate(FALSE);
        if (bExecute)
            OnExecute();
    }
    pBar->InternalRelease();
    InternalRelease();
}

// ---------------------------------------------------------------------------
// Measuring and drawing

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

// ---------------------------------------------------------------------------
// Copies and comparison

void CVZPControl::Copy(CVZPControl* pControl, BOOL bRecursive)
{
    (void)bRecursive;
    m_nId = pControl->m_nId;
    m_nTag = pControl->m_nTag;
    m_dwFlags = pControl->m_dwFlags;
    m_controlType = pControl->m_controlType;
    m_strCaption = pControl->m_strCaption;
    m_strShortcutText = pControl->m_strShortcutText;
    m_strShortcutTextAuto = pControl->m_strShortcutTextAuto;
    m_strTooltipText = pControl->m_strTooltipText;
    m_strDescriptionText = pControl->m_strDescriptionText;
    m_strParameter = pControl->m_strParameter;
    m_nCustomIconId = pControl->m_nCustomIconId;
    m_nIconId = pControl->m_nIconId;
    m_bTemporary = pControl->m_bTemporary;
    m_strCustomCaption = pControl->m_strCustomCaption;
    m_strCategory = pControl->m_strCategory;
    m_dwHideFlags = pControl->m_dwHideFlags;
    m_bDefaultItem = pControl->m_bDefaultItem;
    m_bEnabled = pControl->m_bEnabled;
    m_bChecked = pControl->m_bChecked;
    m_buttonCustomStyle = pControl->m_buttonCustomStyle;
    m_buttonStyle = pControl->m_buttonStyle;
    m_bBeginGroup = pControl->m_bBeginGroup;
    m_bCloseSubMenuOnClick = pControl->m_bCloseSubMenuOnClick;
    CopyTemplateMap(m_mapDocTemplatesAssigned, pControl->m_mapDocTemplatesAssigned);
    CopyTemplateMap(m_mapDocTemplatesExcluded, pControl->m_mapDocTemplatesExcluded);
}

CVZPControl* CVZPControl::Clone(BOOL bRecursive)
{
    CVZPControl* pControl = (CVZPControl*)GetRuntimeClass()->CreateObject();
    if (pControl != NULL)
        pControl->Copy(this, bRecursive);
    return pControl;
}

BOOL CVZPControl::Compare(CVZPControl* pOther)
{
    return pOther != NULL && GetStyle() == pOther->GetStyle() && m_controlType == pOther->m_controlType &&
           m_nId == pOther->m_nId && m_dwFlags == pOther->m_dwFlags && m_bBeginGroup == pOther->m_bBeginGroup &&
           GetIconId() == pOther->GetIconId() && m_strCaption == pOther->m_strCaption &&
           m_strTooltipText == pOther->m_strTooltipText && m_strDescriptionText == pOther->m_strDescriptionText &&
           m_strCustomCaption == pOther->m_strCustomCaption && m_buttonCustomStyle == pOther->m_buttonCustomStyle &&
           m_strParameter == pOther->m_strParameter &&
           (m_dwHideFlags & hideCustomize) == (pOther->m_dwHideFlags & hideCustomize);
}

// ---------------------------------------------------------------------------
// Customisation

void CVZPControl::OnCustomizeDragOver(CVZPControl* pDataObject, CPoint point, DROPEFFECT& dropEffect)
{
    (void)pDataObject;
    (void)point;
    (void)dropEffect;
    if (m_pParent == NULL)
        return;
    m_pParent->SetPopupedControl(-1);
    m_pParent->SetHotControl(-1);
}

void CVZPControl::OnCustomizeMouseDown(CPoint point)
{
    CVZPCommandBar* pBar = m_pParent;
    CVZPCommandBars* pCommandBars = pBar != NULL ? pBar->GetCommandBars() : NULL;
    if (pCommandBars == NULL)
        return;
    if (pCommandBars->GetDragControl() == this && IsCustomizeResizeAllowed() && CustomizeStartResize(point))
        return;
    InternalAddRef();
    pBar->InternalAddRef();
    pCommandBars->SetDragControl(this);
    CVZPCustomizeDragTracker* pTracker = pCommandBars->GetDropSource();
    const DROPEFFECT dropEffect = pTracker != NULL ? pTracker->StartDrag(this, FALSE) : DROPEFFECT_COPY;
    if (dropEffect == DROPEFFECT_MOVE || dropEffect == DROPEFFECT_NONE)
    {
        pBar->SetPopupedControl(-1);
        pBar->SetHotControl(-1);
        if (pCommandBars->GetDragControl() == this)
            pCommandBars->SetDragControl(NULL);
        CVZPControls* pControls = m_pControls;
        if (pControls != NULL)
        {
            if (m_bBeginGroup)
                if (CVZPControl* pNext = pControls->GetAt(m_nIndex + 1))
                    pNext->SetBeginGroup(TRUE);
            if (m_nIndex == 0 && pControls->GetCount() >= 2)
                pControls->GetAt(1)->SetBeginGroup(FALSE);
            pControls->Remove(this);
        }
        pBar->OnRecalcLayout();
    }
    // Tells the customise window about the selection again.
    CVZPControl* pSelected = pCommandBars->GetDragControl();
    if (pSelected != NULL)
        pSelected->InternalAddRef();
    pCommandBars->SetDragControl(NULL);
    pCommandBars->SetDragControl(pSelected);
    if (pSelected != NULL)
        pSelected->InternalRelease();
    pBar->InternalRelease();
    InternalRelease();
}

BOOL CVZPControl::CustomizeStartResize(CPoint point)
{
    CVZPCommandBar* pBar = m_pParent;
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL || !IsOnResizeEdge(point, 2))
        return FALSE;
    CVZPCommandBars* pCommandBars = pBar->GetCommandBars();
    const BOOL bLeftEdge = point.x - m_rcControl.left <= 2;
    HWND hBar = pBar->m_hWnd;
    InternalAddRef();
    pBar->InternalAddRef();
    if (pCommandBars != NULL)
        pCommandBars->SetDragControl(NULL);
    pBar->UpdateWindow();
    ::SetCapture(hBar);
    ::SetCursor(GetResizeCursor());

    CWnd* pDesktop = CWnd::GetDesktopWindow();
    const BOOL bLocked = pDesktop->LockWindowUpdate();
    HDC hDC = ::GetDCEx(pDesktop->m_hWnd, NULL, DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0));
    const int nMinWidth = GetCustomizeMinWidth();

    CRect rcScreen = m_rcControl;
    pBar->ClientToScreen(&rcScreen);
    CRect rcFrame = rcScreen;
    auto invertFrame = [hDC](const CRect& rc) {
        CRect strips[4] = {CRect(rc.left, rc.top, rc.right, rc.top + 2), CRect(rc.left, rc.bottom - 2, rc.right, rc.bottom),
                           CRect(rc.left, rc.top + 2, rc.left + 2, rc.bottom - 2),
                           CRect(rc.right - 2, rc.top + 2, rc.right, rc.bottom - 2)};
        for (const CRect& strip : strips)
            ::InvertRect(hDC, &strip);
    };
    if (hDC != NULL)
        invertFrame(rcFrame);

    BOOL bNormalEnd = FALSE;
    for (;;)
    {
        MSG msg;
        if (!::GetMessageW(&msg, NULL, 0, 0))
        {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_LBUTTONUP)
        {
            bNormalEnd = TRUE;
            break;
        }
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hBar)
        {
            CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
            ::ClientToScreen(hBar, &pt);
            CRect rcNew = rcScreen;
            if (bLeftEdge)
                rcNew.left = std::min<int>((int)pt.x, (int)(rcNew.right - nMinWidth));
            else
                rcNew.right = std::max<int>((int)pt.x, (int)(rcNew.left + nMinWidth));
            if (rcNew != rcFrame && hDC != NULL)
            {
                invertFrame(rcFrame);
                rcFrame = rcNew;
                invertFrame(rcFrame);
            }
            rcFrame = rcNew;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (::GetCapture() != hBar)
            break;
    }
    if (hDC != NULL)
    {
        invertFrame(rcFrame);
        ::ReleaseDC(pDesktop->m_hWnd, hDC);
    }
    if (::GetCapture() == hBar)
        ::ReleaseCapture();
    if (bLocked)
        pDesktop->UnlockWindowUpdate();
    if (pCommandBars != NULL)
        pCommandBars->SetDragControl(this);
    if (bNormalEnd && rcFrame.Width() != rcScreen.Width())
    {
        SetWidth(rcFrame.Width());
        pBar->OnRecalcLayout();
    }
    if (::IsWindow(hBar))
        pBar->Invalidate(FALSE);
    pBar->InternalRelease();
    InternalRelease();
    return TRUE;
}
