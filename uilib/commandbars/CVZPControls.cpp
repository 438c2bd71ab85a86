#include "CVZPControls.h"

#include "CVZPCommandBar.h"
#include "CVZPCommandBarPaintManager.h"
#include "CVZPCommandBars.h"
#include "CVZPControl.h"
#include "CVZPControlButton.h"
#include "CVZPControlComboBox.h"
#include "CVZPControlCustom.h"
#include "CVZPControlEdit.h"
#include "CVZPControlLabel.h"
#include "CVZPControlOleItems.h"
#include "CVZPControlPopup.h"
#include "CVZPControlRecentFileList.h"
#include "CVZPControlToolbars.h"
#include "CVZPControlWindowList.h"
#include "CVZPControlWorkspaceActions.h"
#include "CVZPPopupBar.h"
#include "VZPDrawHelpers.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CVZPControls, CCmdTarget)

namespace {

const UINT kIdWindowList = 35000;
const UINT kIdWorkspaceActions = 35002;
const UINT kIdRecentFileList = 35003;
const UINT kIdToolbarList = 59392;
const UINT kIdOleVerbs = 57872;
const UINT kIdMenuRecentFiles = 57616;
const UINT kIdNoControl = 65280;
const int kWidestWrap = 32767;

// The text of a menu item by position; empty when it has none.
CString MenuItemText(HMENU hMenu, int nIndex)
{
    CString strText;
    int nLength = ::GetMenuStringW(hMenu, (UINT)nIndex, NULL, 0, MF_BYPOSITION);
    if (nLength > 0)
    {
        ::GetMenuStringW(hMenu, (UINT)nIndex, strText.GetBuffer(nLength + 1), nLength + 1, MF_BYPOSITION);
        strText.ReleaseBuffer();
    }
    return strText;
}

// The first submenu of the menu resource whose id is the low word of nId
// (the temporary menu goes to the caller); NULL when there is none.
HMENU LoadResourceSubMenu(UINT nId, CString* pCaption, HMENU* phResourceMenu)
{
    *phResourceMenu = NULL;
    LPCTSTR lpszName = MAKEINTRESOURCE(LOWORD(nId));
    HINSTANCE hInstance = AfxFindResourceHandle(lpszName, RT_MENU);
    HMENU hMenu = ::LoadMenuW(hInstance, lpszName);
    if (hMenu == NULL)
        return NULL;
    *phResourceMenu = hMenu;
    if (pCaption != NULL)
        *pCaption = MenuItemText(hMenu, 0);
    return ::GetSubMenu(hMenu, 0);
}

BOOL IsPopupType(int nType)
{
    return nType == vzpControlPopup || nType == vzpControlButtonPopup || nType == vzpControlSplitButtonPopup;
}

int Extent(const VZPLAYOUTITEM& item, BOOL bVert)
{
    return bVert ? item.szControl.cy : item.szControl.cx;
}

BOOL IsPlaced(const VZPLAYOUTITEM& item)
{
    return item.bVisible && !item.bHidden;
}

}  // namespace

CVZPControls::CVZPControls() : m_pParent(NULL), m_pCommandBars(NULL), m_pOriginalControls(NULL)
{
    EnableAutomation();
}

CVZPControls::~CVZPControls()
{
    RemoveAll();
    ReleaseDefaultControls();
}

// ---------------------------------------------------------------------------
// Structure

void CVZPControls::SetParent(CVZPCommandBar* pParent)
{
    m_pParent = pParent;
    if (GetCount() > 0)
        Renumber();
}

void CVZPControls::Renumber()
{
    for (int i = 0; i < GetCount(); i++)
    {
        CVZPControl* pControl = m_arrControls[i];
        pControl->m_nIndex = i;
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent != NULL)
        m_pParent->DelayLayout();
}

CVZPCommandBars* CVZPControls::GetCommandBars() const
{
    if (m_pParent != NULL)
        if (CVZPCommandBars* pCommandBars = m_pParent->GetCommandBars())
            return pCommandBars;
    return m_pCommandBars;
}

CVZPControl* CVZPControls::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    return m_arrControls[nIndex];
}

CVZPControl* CVZPControls::GetNextControl(CVZPControl* pControl) const
{
    return pControl != NULL && pControl->m_pControls == this ? GetAt(pControl->m_nIndex + 1) : NULL;
}

CWnd* CVZPControls::GetSite() const
{
    if (CVZPCommandBars* pCommandBars = GetCommandBars())
        if (pCommandBars->GetSite() != NULL)
            return pCommandBars->GetSite();
    if (m_pParent == NULL)
        return NULL;
    CVZPCommandBar* pRoot = m_pParent->GetRootParent();
    if (pRoot->m_pNotifyWnd != NULL)
        return pRoot->m_pNotifyWnd;
    return m_pParent->GetSite();
}

CVZPControl* CVZPControls::CreateByType(int nType, UINT nId, const CString& strCaption, BOOL bMenuItem)
{
    switch (nType)
    {
    case vzpControlButton:
        if (nId == kIdWindowList)
            return new CVZPControlWindowList;
        if (nId == kIdWorkspaceActions)
            return new CVZPControlWorkspaceActions;
        if (nId == kIdToolbarList)
            return new CVZPControlToolbars;
        if (bMenuItem && nId == kIdOleVerbs && strCaption == _T("<<OLE VERBS GO HERE>>"))
            return new CVZPControlOleItems;
        if (nId == (bMenuItem ? kIdMenuRecentFiles : kIdRecentFileList))
            return new CVZPControlRecentFileList;
        return new CVZPControlButton;
    case vzpControlPopup:
    case vzpControlButtonPopup:
    case vzpControlSplitButtonPopup:
        return CVZPControlPopup::CreateControlPopup(nType);
    case vzpControlComboBox:
        return new CVZPControlComboBox;
    case vzpControlEdit:
        return new CVZPControlEdit;
    case vzpControlCustom:
        return bMenuItem ? NULL : new CVZPControlCustom;
    case vzpControlLabel:
        return bMenuItem ? NULL : new CVZPControlLabel;
    default:
        return NULL;
    }
}

CVZPCommandBar* CVZPControls::CreatePopupBarFor(CWnd* pSite, CString& strTitle, UINT nId)
{
    if (pSite->GetSafeHwnd() != NULL)
    {
        VZPCREATEBARSTRUCT cs;
        memset(&cs, 0, sizeof(cs));
        cs.bPopup = TRUE;
        cs.lpcstrCaption = strTitle;
        cs.nID = nId;
        if (pSite->SendMessage(WM_VZP_CREATECOMMANDBAR, 0, (LPARAM)&cs) != 0 && cs.pCommandBar != NULL &&
            cs.pCommandBar->IsKindOf(RUNTIME_CLASS(CVZPPopupBar)))
        {
            if (cs.lpcstrCaption != NULL)
                strTitle = cs.lpcstrCaption;
            return cs.pCommandBar;
        }
    }
    return CVZPPopupBar::CreatePopupBar(GetCommandBars());
}

CVZPControl* CVZPControls::Add(int nType, int nId, LPCTSTR lpszParameter, int nBefore, BOOL bTemporary)
{
    CVZPControl* pControl = CreateByType(nType, (UINT)nId, CString(), FALSE);
    if (pControl == NULL)
        return NULL;
    if (nType == vzpControlCustom)
        return AddControl(pControl, nId, lpszParameter, nBefore, bTemporary);
    if (IsPopupType(nType))
    {
        CVZPControlPopup* pPopup = (CVZPControlPopup*)pControl;
        CVZPCommandBar* pBar = NULL;
        if (nId <= 0)
            pBar = CVZPPopupBar::CreatePopupBar(GetCommandBars());
        else
        {
            CString strCaption;
            HMENU hResourceMenu = NULL;
            HMENU hSubMenu = LoadResourceSubMenu((UINT)nId, &strCaption, &hResourceMenu);
            if (hResourceMenu != NULL)
                pPopup->SetCaption(strCaption);
            pBar = CreatePopupBarFor(GetSite(), strCaption, (UINT)nId);
            if (hSubMenu != NULL && pBar != NULL)
                pBar->LoadMenu(CMenu::FromHandle(hSubMenu), TRUE);
            if (hResourceMenu != NULL)
                ::DestroyMenu(hResourceMenu);
        }
        pPopup->SetCommandBar(pBar);
        if (pBar != NULL)
            pBar->InternalRelease();   // the control holds the bar now
        if (nType == vzpControlPopup)
            return AddControl(pControl, -1, lpszParameter, nBefore, bTemporary);
    }
    return AddControl(pControl, nId, lpszParameter, nBefore, bTemporary);
}

CVZPControl* CVZPControls::AddControl(CVZPControl* pControl, int nId, LPCTSTR lpszParameter, int nBefore,
                                      BOOL bTemporary)
{
    if (pControl == NULL)
        return NULL;
    if (nId != -1)
        pControl->SetId((UINT)nId);
    if (lpszParameter != NULL)
        pControl->SetParameter(lpszParameter);
    pControl->SetTemporary(bTemporary);
    if (nBefore < 0 || nBefore >= GetCount())
        m_arrControls.Add(pControl);
    else
        m_arrControls.InsertAt(nBefore, pControl);
    Renumber();
    return pControl;
}

CVZPControl* CVZPControls::AddClone(CVZPControl* pControl, int nBefore, BOOL bRecursive)
{
    if (pControl == NULL)
        return NULL;
    CVZPControl* pClone = pControl->Clone(bRecursive);
    if (pClone == NULL)
        return NULL;
    if (nBefore < 0 || nBefore >= GetCount())
        m_arrControls.Add(pClone);
    else
        m_arrControls.InsertAt(nBefore, pClone);
    Renumber();
    return pClone;
}

CVZPControl* CVZPControls::AddMenuItem(CMenu* pMenu, int nIndex)
{
    HMENU hMenu = pMenu->GetSafeHmenu();
    HMENU hSubMenu = ::GetSubMenu(hMenu, nIndex);
    UINT nId = ::GetMenuItemID(hMenu, nIndex);
    const BOOL bDefault = (int)::GetMenuDefaultItem(hMenu, TRUE, GMDI_USEDISABLED) == nIndex;
    if (nId == kIdNoControl)
        return NULL;

    VZPCREATECONTROLSTRUCT cs;
    cs.nId = nId;
    cs.pControl = NULL;
    cs.bToolBar = FALSE;
    cs.nIndex = nIndex;
    cs.pMenu = pMenu;
    cs.pCommandBar = m_pParent;
    cs.strCaption = MenuItemText(hMenu, nIndex);
    cs.controlType = hSubMenu != NULL ? vzpControlPopup : vzpControlButton;
    cs.buttonStyle = 0;

    CWnd* pSite = GetSite();
    CVZPControl* pControl = NULL;
    BOOL bSupplied = FALSE;
    if (pSite->GetSafeHwnd() != NULL && pSite->SendMessage(WM_VZP_CREATECONTROL, 0, (LPARAM)&cs) != 0)
    {
        nId = cs.nId;
        if (cs.pControl != NULL)
        {
            pControl = cs.pControl;
            bSupplied = TRUE;
        }
    }
    if (!bSupplied)
    {
        pControl = CreateByType(cs.controlType, nId, cs.strCaption, TRUE);
        if (pControl == NULL)
            return NULL;
        if (IsPopupType(cs.controlType))
        {
            CString strTitle = cs.strCaption;
            StripMnemonicAmpersands(strTitle);
            CVZPCommandBar* pBar = CreatePopupBarFor(pSite, strTitle, nId);
            if (pBar != NULL)
            {
                pBar->SetTitle(strTitle);
                pBar->m_dwState &= ~CVZPCommandBar::stateRedrawPending;
                if (hSubMenu != NULL)
                    pBar->LoadMenu(CMenu::FromHandle(hSubMenu), FALSE);
                else if (nId != 0)
                {
                    HMENU hResourceMenu = NULL;
                    HMENU hResourceSub = LoadResourceSubMenu(nId, NULL, &hResourceMenu);
                    if (hResourceSub != NULL)
                        pBar->LoadMenu(CMenu::FromHandle(hResourceSub), FALSE);
                    if (hResourceMenu != NULL)
                        ::DestroyMenu(hResourceMenu);
                }
                ((CVZPControlPopup*)pControl)->SetCommandBar(pBar);
                // The control's reference is the one that keeps the bar.
                pBar->InternalRelease();
            }
        }
        pControl->SetType(cs.controlType);
        pControl->SetStyle(cs.buttonStyle);
    }
    pControl->SetId(nId);
    pControl->SetCaption(cs.strCaption);
    pControl->SetDefaultItem(bDefault);
    m_arrControls.Add(pControl);
    Renumber();
    if (pSite->GetSafeHwnd() != NULL)
    {
        cs.pControl = pControl;
        pSite->SendMessage(WM_VZP_CONTROLCREATED, 0, (LPARAM)&cs);
    }
    return pControl;
}

void CVZPControls::Remove(CVZPControl* pControl)
{
    if (pControl == NULL || pControl->m_pControls != this)
        return;
    RemoveAt(pControl->m_nIndex);
}

void CVZPControls::RemoveAt(int nIndex)
{
    CVZPControl* pControl = GetAt(nIndex);
    if (pControl == NULL)
        return;
    if (pControl->GetSelected() && m_pParent != NULL)
        m_pParent->SetHotControl(-1, FALSE);
    m_arrControls.RemoveAt(nIndex);
    pControl->m_pControls = NULL;
    pControl->SetParent(NULL);
    pControl->InternalRelease();
    Renumber();
}

void CVZPControls::RemoveAll()
{
    for (int i = 0; i < GetCount(); i++)
    {
        m_arrControls[i]->m_pControls = NULL;
        m_arrControls[i]->SetParent(NULL);
    }
    CArray<CVZPControl*, CVZPControl*> arrControls;
    arrControls.Copy(m_arrControls);
    m_arrControls.RemoveAll();
    for (int i = 0; i < arrControls.GetSize(); i++)
        arrControls[i]->InternalRelease();
}

// ---------------------------------------------------------------------------
// Lookups and stepping

CVZPControl* CVZPControls::FindControl(int nType, int nId, BOOL bVisible, BOOL bRecursive) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        CVZPControl* pControl = m_arrControls[i];
        if ((nType == 0 || pControl->GetType() == nType) && (nId == -1 || (int)pControl->GetID() == nId) &&
            (!bVisible || pControl->GetHideFlags() == 0))
            return pControl;
        if (bRecursive && IsPopupType(pControl->GetType()) && pControl->GetCommandBar() != NULL)
            if (CVZPControl* pFound =
                    pControl->GetCommandBar()->GetControls()->FindControl(nType, nId, bVisible, bRecursive))
                return pFound;
    }
    return NULL;
}

CVZPControl* CVZPControls::HitTest(CPoint point) const
{
    for (int i = 0; i < GetCount(); i++)
    {
        CVZPControl* pControl = m_arrControls[i];
        if (pControl->GetHideFlags() == 0 && pControl->GetRect().PtInRect(point))
            return pControl;
    }
    return NULL;
}

int CVZPControls::GetNext(int nStart, int nStep, BOOL bSkipNoNavigate, BOOL bSkipTemporary, BOOL bStrict) const
{
    const int nCount = GetCount();
    if (nCount == 0)
        return -1;
    const DWORD dwTolerated =
        bStrict ? (DWORD)CVZPControl::hideScroll : (DWORD)(CVZPControl::hideScroll | CVZPControl::hideExpand);
    int nIndex = (nStart == -1 && nStep == -1) ? nCount - 1 : nStart + nStep;
    BOOL bWrapped = FALSE;
    for (int nSteps = 0; nSteps <= nCount + 1; nSteps++)
    {
        if (nIndex == nStart)
            return nStart;
        if (nIndex >= nCount)
        {
            if ((nStart == -1 && nStep == 1) || bWrapped)
                return -1;
            nIndex = 0;
            bWrapped = TRUE;
            if (nIndex == nStart)
                return nStart;
        }
        else if (nIndex < 0)
        {
            if ((nStart == -1 && nStep == -1) || bWrapped)
                return -1;
            nIndex = nCount - 1;
            bWrapped = TRUE;
            if (nIndex == nStart)
                return nStart;
        }
        CVZPControl* pControl = m_arrControls[nIndex];
        const BOOL bSkip = (pControl->GetHideFlags() & ~dwTolerated) != 0 ||
                           (bSkipNoNavigate && (pControl->GetFlags() & CVZPControl::flagSkipNavigate) != 0) ||
                           (bSkipTemporary && pControl->IsTemporary());
        if (!bSkip)
            return nIndex;
        nIndex += nStep;
    }
    return -1;
}

int CVZPControls::GetVisibleCount(BOOL bCountOverflowHidden) const
{
    const DWORD dwMask = bCountOverflowHidden ? ~0u : ~(DWORD)CVZPControl::hideWrap;
    int nVisible = 0;
    for (int i = 0; i < GetCount(); i++)
        if ((m_arrControls[i]->GetHideFlags() & dwMask) == 0)
            nVisible++;
    return nVisible;
}

// ---------------------------------------------------------------------------
// Copies and the default set

CVZPControls* CVZPControls::Duplicate(BOOL bRecursive)
{
    CVZPControls* pCopy = new CVZPControls;
    pCopy->m_pCommandBars = GetCommandBars();
    for (int i = 0; i < GetCount(); i++)
        if (!m_arrControls[i]->IsTemporary())
            pCopy->AddClone(m_arrControls[i], -1, bRecursive);
    if (m_pOriginalControls != NULL)
        pCopy->m_pOriginalControls = m_pOriginalControls->Duplicate(bRecursive);
    return pCopy;
}

CVZPControls* CVZPControls::SaveDefaultControls()
{
    CVZPControls* pDefault = Duplicate(TRUE);
    ReleaseDefaultControls();
    m_pOriginalControls = pDefault;
    return pDefault;
}

void CVZPControls::ReleaseDefaultControls()
{
    if (m_pOriginalControls != NULL)
        m_pOriginalControls->InternalRelease();
    m_pOriginalControls = NULL;
}

BOOL CVZPControls::Compare(const CVZPControls* pOther) const
{
    if (pOther == NULL)
        return FALSE;
    int i = 0;
    int j = 0;
    for (;;)
    {
        while (i < GetCount() && m_arrControls[i]->IsTemporary())
            i++;
        while (j < pOther->GetCount() && pOther->m_arrControls[j]->IsTemporary())
            j++;
        if (i >= GetCount() || j >= pOther->GetCount())
            return i >= GetCount() && j >= pOther->GetCount();
        if (!m_arrControls[i]->Compare(pOther->m_arrControls[j]))
            return FALSE;
        i++;
        j++;
    }
}

BOOL CVZPControls::IsChanged() const
{
    return m_pOriginalControls == NULL || !Compare(m_pOriginalControls);
}

// ---------------------------------------------------------------------------
// Layout

int CVZPControls::WrapControls(std::vector<VZPLAYOUTITEM>& items, int nWidth, int nGroupGap, DWORD& dwMode)
{
    for (VZPLAYOUTITEM& item : items)
        item.bWrap = item.bHidden = FALSE;
    const BOOL bVert = (dwMode & LM_VERTDOCK) != 0;
    int nRows = 1;
    int nRunning = 0;
    int nRowStart = -1;   // first visible item of the current row
    const int nCount = (int)items.size();
    for (int i = 0; i < nCount; i++)
    {
        VZPLAYOUTITEM& item = items[i];
        if (!item.bVisible)
            continue;
        const BOOL bFirst = nRowStart == -1;
        const int nExtent = Extent(item, bVert) + (item.bBeginGroup && !bFirst ? nGroupGap : 0);
        const BOOL bOverflow = nRunning + nExtent > nWidth || ((dwMode & VZP_LM_FLOATSHAPE) && item.bBeginGroup && !bFirst);
        if (!bOverflow || bFirst || i == nRowStart)
        {
            if (bFirst)
                nRowStart = i;
            nRunning += nExtent;
            continue;
        }
        if (dwMode & VZP_LM_HIDEWRAP)
        {
            for (int j = i; j < nCount; j++)
                items[j].bHidden = items[j].bVisible;
            dwMode |= LM_STRETCH;
            return nRows;
        }
        // Wraps before the nearest group start of this row, else here.
        int nWrap = i;
        for (int j = i; j > nRowStart; j--)
            if (items[j].bVisible && items[j].bBeginGroup)
            {
                nWrap = j;
                break;
            }
        items[nWrap].bWrap = TRUE;
        nRunning = Extent(items[nWrap], bVert);
        nRowStart = nWrap;
        i = nWrap;
        nRows++;
        dwMode |= LM_STRETCH;
    }
    return nRows;
}

CSize CVZPControls::CalcRows(std::vector<VZPLAYOUTITEM>& items, CSize szSeparator, BOOL bVert)
{
    int x = 0;
    int y = 0;
    int nLine = 0;   // thickness of the current row or column
    int nMaxRight = 0;
    int nMaxBottom = 0;
    int nMinLeft = 0;
    BOOL bFirst = TRUE;
    for (VZPLAYOUTITEM& item : items)
    {
        if (!IsPlaced(item))
            continue;
        const CSize sz = item.szControl;
        if (!bVert)
        {
            if (item.bWrap && !bFirst)
            {
                y += nLine + (item.bBeginGroup ? szSeparator.cy : 0);
                x = 0;
                nLine = 0;
            }
            else if (item.bBeginGroup && !bFirst)
                x += szSeparator.cx;
            item.rcControl.SetRect(x, y, x + sz.cx, y + sz.cy);
            x += sz.cx;
            nLine = std::max<int>(nLine, (int)sz.cy);
            nMaxRight = std::max<int>(nMaxRight, (int)item.rcControl.right);
            nMaxBottom = std::max<int>(nMaxBottom, (int)item.rcControl.bottom);
        }
        else
        {
            if (item.bWrap && !bFirst)
            {
                x -= nLine + (item.bBeginGroup ? szSeparator.cy : 0);
                y = 0;
                nLine = 0;
            }
            else if (item.bBeginGroup && !bFirst)
                y += szSeparator.cx;
            item.rcControl.SetRect(x - sz.cx, y, x, y + sz.cy);
            y += sz.cy;
            nLine = std::max<int>(nLine, (int)sz.cx);
            nMinLeft = std::min<int>(nMinLeft, (int)item.rcControl.left);
            nMaxBottom = std::max<int>(nMaxBottom, (int)item.rcControl.bottom);
        }
        bFirst = FALSE;
    }
    return bVert ? CSize(-nMinLeft, nMaxBottom) : CSize(nMaxRight, nMaxBottom);
}

CSize CVZPControls::PlaceRows(std::vector<VZPLAYOUTITEM>& items, CSize szContent, DWORD dwMode, const CRect& rcBorder)
{
    const CSize szTotal(szContent.cx + rcBorder.left + rcBorder.right, szContent.cy + rcBorder.top + rcBorder.bottom);
    if (!(dwMode & LM_COMMIT))
        return szTotal;
    const BOOL bVert = (dwMode & LM_VERTDOCK) != 0;
    for (VZPLAYOUTITEM& item : items)
        if (IsPlaced(item))
            item.rcControl.OffsetRect(rcBorder.left + (bVert ? szContent.cx : 0), rcBorder.top);

    // Rows: a row starts at the first placed item and at every wrap.
    std::vector<std::pair<size_t, size_t>> rows;   // [first, last] item indexes
    for (size_t i = 0; i < items.size(); i++)
    {
        if (!IsPlaced(items[i]))
            continue;
        if (rows.empty() || items[i].bWrap)
            rows.push_back(std::make_pair(i, i));
        else
            rows.back().second = i;
    }
    for (const auto& row : rows)
    {
        int nThickness = 0;
        for (size_t i = row.first; i <= row.second; i++)
            if (IsPlaced(items[i]))
                nThickness = std::max<int>(nThickness, (int)(bVert ? items[i].szControl.cx : items[i].szControl.cy));
        if (rows.size() == 1)
            nThickness = bVert ? szContent.cx : szContent.cy;
        for (size_t i = row.first; i <= row.second; i++)
        {
            VZPLAYOUTITEM& item = items[i];
            if (!IsPlaced(item))
                continue;
            if (!bVert)
            {
                item.rcRow.SetRect(rcBorder.left, item.rcControl.top, rcBorder.left + szContent.cx,
                                   item.rcControl.top + nThickness);
                item.rcControl.OffsetRect(0, (nThickness - item.szControl.cy) / 2);
            }
            else
            {
                item.rcRow.SetRect(item.rcControl.right - nThickness, rcBorder.top, item.rcControl.right,
                                   rcBorder.top + szContent.cy);
                item.rcControl.OffsetRect(-(nThickness - item.szControl.cx) / 2, 0);
            }
        }
    }
    return szTotal;
}

void CVZPControls::AlignAndStretch(std::vector<VZPLAYOUTITEM>& items, CSize szBar, const CRect& rcBorder,
                                   DWORD dwMode)
{
    const BOOL bVert = (dwMode & LM_VERTDOCK) != 0;
    const int nEdge = bVert ? szBar.cy - rcBorder.bottom : szBar.cx - rcBorder.right;
    const int nLead = bVert ? rcBorder.top : rcBorder.left;
    auto start = [bVert](const VZPLAYOUTITEM& item) { return bVert ? item.rcControl.top : item.rcControl.left; };
    auto end = [bVert](const VZPLAYOUTITEM& item) { return bVert ? item.rcControl.bottom : item.rcControl.right; };
    auto move = [bVert](VZPLAYOUTITEM& item, int nDelta) {
        item.rcControl.OffsetRect(bVert ? 0 : nDelta, bVert ? nDelta : 0);
    };

    // Rows of placed items.
    std::vector<std::vector<size_t>> rows;
    for (size_t i = 0; i < items.size(); i++)
    {
        if (!IsPlaced(items[i]))
            continue;
        if (rows.empty() || items[i].bWrap)
            rows.emplace_back();
        rows.back().push_back(i);
    }
    if (rows.empty())
        return;

    // 1. Far alignment from the last item backwards.
    int e = nEdge;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
    {
        BOOL bStop = FALSE;
        for (auto it = row->rbegin(); it != row->rend(); ++it)
        {
            VZPLAYOUTITEM& item = items[*it];
            if ((item.dwFlags & CVZPControl::flagRightAlign) == 0)
            {
                bStop = TRUE;
                break;
            }
            const int nExtent = end(item) - start(item);
            if (e - nExtent < nLead)
            {
                bStop = TRUE;
                break;
            }
            move(item, e - end(item));
            e = start(item);
            if (*it == row->front())
            {
                bStop = TRUE;
                break;
            }
        }
        if (bStop)
            break;
    }

    // 2. Stretching, row by row from the last.
    for (size_t r = rows.size(); r-- > 0;)
    {
        std::vector<size_t> row = rows[r];
        int nRowEdge = nEdge;
        if (r == rows.size() - 1)
        {
            while (!row.empty())
            {
                const VZPLAYOUTITEM& item = items[row.back()];
                if ((item.dwFlags & CVZPControl::flagStretched) != 0 || (item.dwFlags & CVZPControl::flagRightAlign) == 0)
                    break;
                nRowEdge = start(item);
                row.pop_back();
            }
        }
        if (row.empty())
            continue;
        int nFree = nRowEdge - end(items[row.back()]);
        int nStretch = 0;
        for (size_t i : row)
            if (items[i].dwFlags & CVZPControl::flagStretched)
                nStretch++;
        if (nStretch == 0 || nFree <= 0)
            continue;
        int nGrowth = 0;
        for (size_t i : row)
        {
            VZPLAYOUTITEM& item = items[i];
            move(item, nGrowth);
            if ((item.dwFlags & CVZPControl::flagStretched) == 0)
                continue;
            const int nShare = nFree / nStretch;
            if (bVert)
                item.rcControl.bottom += nShare;
            else
                item.rcControl.right += nShare;
            nGrowth += nShare;
            nFree -= nShare;
            nStretch--;
        }
    }
}

CSize CVZPControls::BalanceRows(std::vector<VZPLAYOUTITEM>& items, CSize szSeparator, DWORD dwMode)
{
    DWORD dwWrapMode = dwMode & ~(DWORD)VZP_LM_FLOATSHAPE;
    const BOOL bVert = (dwMode & LM_VERTDOCK) != 0;
    WrapControls(items, 0, szSeparator.cx, dwWrapMode);
    int nLow = CalcRows(items, szSeparator, bVert).cx;
    WrapControls(items, kWidestWrap, szSeparator.cx, dwWrapMode);
    CSize sz = CalcRows(items, szSeparator, bVert);
    int nHigh = sz.cx;
    CSize szPrevious(-1, -1);
    while (nLow < nHigh)
    {
        const int nMiddle = (nLow + nHigh) / 2;
        WrapControls(items, nMiddle, szSeparator.cx, dwWrapMode);
        sz = CalcRows(items, szSeparator, bVert);
        if (sz == szPrevious)
            break;
        szPrevious = sz;
        if (sz.cx < sz.cy)
            nLow = std::max<int>(nLow + 1, (int)sz.cx);
        else
            nHigh = std::min<int>(nHigh - 1, (int)sz.cx);
    }
    return sz;
}

CSize CVZPControls::FitRows(std::vector<VZPLAYOUTITEM>& items, CSize szSeparator, int nLength, DWORD dwMode)
{
    DWORD dwWrapMode = dwMode & ~(DWORD)VZP_LM_FLOATSHAPE;
    const BOOL bVert = (dwMode & LM_VERTDOCK) != 0;
    if (dwMode & LM_LENGTHY)
    {
        // The narrowest width whose height fits the length.
        WrapControls(items, kWidestWrap, szSeparator.cx, dwWrapMode);
        int nHigh = CalcRows(items, szSeparator, bVert).cx;
        int nLow = 0;
        while (nLow < nHigh)
        {
            const int nMiddle = (nLow + nHigh) / 2;
            WrapControls(items, nMiddle, szSeparator.cx, dwWrapMode);
            if (CalcRows(items, szSeparator, bVert).cy <= nLength)
                nHigh = nMiddle;
            else
                nLow = nMiddle + 1;
        }
        WrapControls(items, nHigh, szSeparator.cx, dwWrapMode);
        return CalcRows(items, szSeparator, bVert);
    }
    const int nRows = WrapControls(items, nLength, szSeparator.cx, dwWrapMode);
    if (nLength > 0 && WrapControls(items, 0, szSeparator.cx, dwWrapMode) != nRows)
    {
        // The smallest width with the same number of rows.
        int nLow = 0;
        int nHigh = nLength;
        while (nLow < nHigh)
        {
            const int nMiddle = (nLow + nHigh) / 2;
            if (WrapControls(items, nMiddle, szSeparator.cx, dwWrapMode) <= nRows)
                nHigh = nMiddle;
            else
                nLow = nMiddle + 1;
        }
        WrapControls(items, nHigh, szSeparator.cx, dwWrapMode);
    }
    else
        WrapControls(items, nLength, szSeparator.cx, dwWrapMode);
    const CSize sz = CalcRows(items, szSeparator, bVert);
    WrapControls(items, bVert ? sz.cy : sz.cx, szSeparator.cx, dwWrapMode);
    return CalcRows(items, szSeparator, bVert);
}

CSize CVZPControls::CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorder, int nMinimum)
{
    CSize szSeparator(0, 0);
    if (m_pParent != NULL)
        szSeparator = m_pParent->GetPaintManager()->DrawCommandBarSeparator(pDC, m_pParent, NULL, FALSE);
    for (int i = GetCount() - 1; i >= 0; i--)
        m_arrControls[i]->OnCalcDynamicSize(dwMode);

    if (GetVisibleCount(FALSE) == 0)
    {
        CSize sz(rcBorder.left + rcBorder.right + 23, rcBorder.top + rcBorder.bottom + 22);
        if (dwMode & LM_HORZDOCK)
            sz.cy = std::max<int>((int)sz.cy, nMinimum);
        else
            sz.cx = std::max<int>((int)sz.cx, nMinimum);
        return sz;
    }

    std::vector<VZPLAYOUTITEM> items(GetCount());
    for (int i = 0; i < GetCount(); i++)
    {
        CVZPControl* pControl = m_arrControls[i];
        VZPLAYOUTITEM& item = items[i];
        item.rcControl = pControl->GetRect();
        item.rcRow.SetRectEmpty();
        item.bVisible = (pControl->GetHideFlags() & ~(DWORD)CVZPControl::hideWrap) == 0;
        item.szControl = item.bVisible ? pControl->GetSize(pDC) : CSize(0, 0);
        item.bWrap = FALSE;
        item.bHidden = FALSE;
        item.bBeginGroup = pControl->GetBeginGroup();
        item.dwFlags = pControl->GetFlags();
    }

    const int nWorkLength = ((dwMode & LM_MRUWIDTH) && m_pParent != NULL) ? m_pParent->GetMRUWidth() : nLength;
    const BOOL bVert = (dwMode & LM_VERTDOCK) != 0;
    if (dwMode & VZP_LM_FLOATSHAPE)
    {
        const int nMRUWidth = m_pParent != NULL ? m_pParent->GetMRUWidth() : 0;
        WrapControls(items, nMRUWidth, szSeparator.cx, dwMode);
        CSize sz = CalcRows(items, szSeparator, bVert);
        if (sz.cx * 3 < sz.cy && nMRUWidth <= 0)
            BalanceRows(items, szSeparator, dwMode);
        else
            WrapControls(items, sz.cx, szSeparator.cx, dwMode);
    }
    else if (dwMode & LM_HORZDOCK)
        WrapControls(items, nWorkLength - rcBorder.left - rcBorder.right, szSeparator.cx, dwMode);
    else if (dwMode & LM_VERTDOCK)
        WrapControls(items, nWorkLength - rcBorder.top - rcBorder.bottom, szSeparator.cx, dwMode);
    else
        FitRows(items, szSeparator,
                (dwMode & LM_LENGTHY) ? nWorkLength - rcBorder.top - rcBorder.bottom
                                      : nWorkLength - rcBorder.left - rcBorder.right,
                dwMode);

    CSize sz = CalcRows(items, szSeparator, bVert);
    if (nMinimum > 0)
    {
        if (dwMode & LM_HORZDOCK)
            sz.cy = std::max<int>((int)sz.cy, nMinimum - rcBorder.top - rcBorder.bottom);
        else
            sz.cx = std::max<int>((int)sz.cx, nMinimum - rcBorder.left - rcBorder.right);
    }
    if (dwMode & LM_STRETCH)
    {
        if (bVert)
            sz.cy = std::max<int>((int)sz.cy, nWorkLength - rcBorder.top - rcBorder.bottom);
        else
            sz.cx = std::max<int>((int)sz.cx, nWorkLength - rcBorder.left - rcBorder.right);
    }
    const CSize szTotal = PlaceRows(items, sz, dwMode, rcBorder);
    if (dwMode & LM_COMMIT)
    {
        AlignAndStretch(items, szTotal, rcBorder, dwMode);
        for (int i = 0; i < GetCount(); i++)
        {
            CVZPControl* pControl = m_arrControls[i];
            const VZPLAYOUTITEM& item = items[i];
            const DWORD dwHide = pControl->GetHideFlags();
            const DWORD dwNewHide = item.bHidden ? (dwHide | CVZPControl::hideWrap) : (dwHide & ~CVZPControl::hideWrap);
            if (dwNewHide != dwHide)
                pControl->SetHideFlags(dwNewHide);
            pControl->m_rcRow = item.rcRow;
            if (!item.bHidden)
                pControl->SetRect(item.rcControl);
            pControl->m_bWrap = item.bWrap;
        }
    }
    return szTotal;
}
