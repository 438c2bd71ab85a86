// CCheckListBox: an owner-drawn list box with a check box per item. Each
// item's data points to a record with its check state and the caller's data;
// LB_GETITEMDATA and LB_SETITEMDATA see only the caller's data.
#include "wndstate.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

struct CCheckListBox::CHECK_DATA
{
    int m_nCheck;
    BOOL m_bEnabled;
    DWORD_PTR m_dwUserData;
};

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_MESSAGE(LB_ADDSTRING, OnLBAddString)
    ON_MESSAGE(LB_INSERTSTRING, OnLBInsertString)
    ON_MESSAGE(LB_GETITEMDATA, OnLBGetItemData)
    ON_MESSAGE(LB_SETITEMDATA, OnLBSetItemData)
END_MESSAGE_MAP()

CCheckListBox::CCheckListBox() : m_nStyle(BS_AUTOCHECKBOX) {}

CCheckListBox::~CCheckListBox() = default;

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!(dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)))
        dwStyle |= LBS_OWNERDRAWFIXED;
    return CListBox::Create(dwStyle | LBS_HASSTRINGS, rect, pParentWnd, nID);
}

void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
}

CCheckListBox::CHECK_DATA* CCheckListBox::GetCheckData(int nIndex) const
{
    LRESULT lData = ::CallWindowProc(m_pfnSuper != NULL ? m_pfnSuper : ::DefWindowProc, m_hWnd, LB_GETITEMDATA,
                                     (WPARAM)nIndex, 0);
    if (lData == LB_ERR || lData == 0)
        return NULL;
    return (CHECK_DATA*)lData;
}

// Adds or inserts through the list box, then gives the new item its record.
LRESULT CCheckListBox::AddItemWithData(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = DefWindowProc(message, wParam, lParam);
    if (lResult >= 0)
    {
        CHECK_DATA* pData = new CHECK_DATA{ 0, TRUE, 0 };
        DefWindowProc(LB_SETITEMDATA, (WPARAM)lResult, (LPARAM)pData);
    }
    return lResult;
}

LRESULT CCheckListBox::OnLBAddString(WPARAM wParam, LPARAM lParam)
{
    return AddItemWithData(LB_ADDSTRING, wParam, lParam);
}

LRESULT CCheckListBox::OnLBInsertString(WPARAM wParam, LPARAM lParam)
{
    return AddItemWithData(LB_INSERTSTRING, wParam, lParam);
}

LRESULT CCheckListBox::OnLBGetItemData(WPARAM wParam, LPARAM)
{
    CHECK_DATA* pData = GetCheckData((int)wParam);
    if (pData == NULL)
        return (LRESULT)(int)wParam < GetCount() ? 0 : LB_ERR;
    return (LRESULT)pData->m_dwUserData;
}

LRESULT CCheckListBox::OnLBSetItemData(WPARAM wParam, LPARAM lParam)
{
    CHECK_DATA* pData = GetCheckData((int)wParam);
    if (pData == NULL)
        return LB_ERR;
    pData->m_dwUserData = (DWORD_PTR)lParam;
    return 0;
}

void CCheckListBox::DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    delete (CHECK_DATA*)lpDeleteItemStruct->itemData;
    lpDeleteItemStruct->itemData = 0;
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return CListBox::OnChildNotify(message, wParam, lParam, pResult);
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    CHECK_DATA* pData = GetCheckData(nIndex);
    if (pData == NULL)
        return;
    pData->m_nCheck = nCheck;
    RECT rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR)
        InvalidateRect(&rect, FALSE);
}

int CCheckListBox::GetCheck(int nIndex)
{
    CHECK_DATA* pData = GetCheckData(nIndex);
    return pData != NULL ? pData->m_nCheck : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    CHECK_DATA* pData = GetCheckData(nIndex);
    if (pData == NULL)
        return;
    pData->m_bEnabled = bEnabled;
    RECT rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR)
        InvalidateRect(&rect, FALSE);
}

BOOL CCheckListBox::IsEnabled(int nIndex)
{
    CHECK_DATA* pData = GetCheckData(nIndex);
    return pData != NULL ? pData->m_bEnabled : FALSE;
}

int CCheckListBox::CheckBoxSize() const
{
    return 13;
}

CRect CCheckListBox::OnGetCheckPosition(CRect rectItem, CRect rectCheckBox)
{
    // Centred vertically at the left edge.
    CRect rect = rectCheckBox;
    int nOffset = (rectItem.Height() - rectCheckBox.Height()) / 2;
    rect.OffsetRect(rectItem.left + 1, rectItem.top + (nOffset > 0 ? nOffset : 0));
    return rect;
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if ((int)lpMeasureItemStruct->itemHeight < CheckBoxSize() + 2)
        lpMeasureItemStruct->itemHeight = (UINT)(CheckBoxSize() + 2);
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if ((int)lpDIS->itemID < 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    int nSaved = pDC->SaveDC();
    CRect rectItem(lpDIS->rcItem);
    CHECK_DATA* pData = GetCheckData((int)lpDIS->itemID);
    int nCheck = pData != NULL ? pData->m_nCheck : 0;
    BOOL bEnabled = (pData == NULL || pData->m_bEnabled) && IsWindowEnabled();

    // Check box
    CRect rectCheck = OnGetCheckPosition(rectItem, CRect(0, 0, CheckBoxSize(), CheckBoxSize()));
    pDC->FillSolidRect(CRect(rectItem.left, rectItem.top, rectCheck.right + 2, rectItem.bottom), ::GetSysColor(COLOR_WINDOW));
    UINT nState = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (nCheck == 1)
        nState |= DFCS_CHECKED;
    else if (nCheck == 2)
        nState = DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_FLAT;
    if (!bEnabled)
        nState |= DFCS_INACTIVE;
    pDC->DrawFrameControl(rectCheck, DFC_BUTTON, nState);

    // Text
    CRect rectText = rectItem;
    rectText.left = rectCheck.right + 2;
    BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(rectText, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    pDC->SetTextColor(::GetSysColor(!bEnabled ? COLOR_GRAYTEXT : bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    pDC->SetBkMode(TRANSPARENT);
    CString strText;
    GetText((int)lpDIS->itemID, strText);
    CRect rectDraw = rectText;
    rectDraw.left += 2;
    pDC->DrawText(strText, rectDraw, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (lpDIS->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(rectText);
    pDC->RestoreDC(nSaved);
}

void CCheckListBox::ToggleCheck(int nIndex)
{
    CHECK_DATA* pData = GetCheckData(nIndex);
    if (pData == NULL || !pData->m_bEnabled)
        return;
    int nCheck = pData->m_nCheck;
    if (m_nStyle == BS_AUTO3STATE || m_nStyle == BS_3STATE)
        nCheck = (nCheck + 1) % 3;
    else
        nCheck = nCheck ? 0 : 1;
    SetCheck(nIndex, nCheck);
}

void CCheckListBox::SetSelectionCheck(int nCheck)
{
    (void)nCheck;
}

// Toggles item nIndex and tells the parent. Last step of a handler: the
// parent's handler may destroy this window.
static void ToggleAndNotify(CCheckListBox* pBox, int nIndex, void (CCheckListBox::*pfnToggle)(int))
{
    (pBox->*pfnToggle)(nIndex);
    HWND hWnd = pBox->m_hWnd;
    ::SendMessage(::GetParent(hWnd), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hWnd), CLBN_CHKCHANGE), (LPARAM)hWnd);
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    BOOL bOutside = TRUE;
    int nIndex = (int)ItemFromPoint(point, bOutside);
    bool bOnCheck = false;
    if (!bOutside)
    {
        CRect rectItem;
        GetItemRect(nIndex, rectItem);
        CRect rectCheck = OnGetCheckPosition(rectItem, CRect(0, 0, CheckBoxSize(), CheckBoxSize()));
        bOnCheck = point.x < rectCheck.right + 2;
    }
    HWND hWnd = m_hWnd;
    Default();   // selection and focus as for any list box
    // The parent's selection handler may have destroyed this list.
    if (bOnCheck && ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
        ToggleAndNotify(this, nIndex, &CCheckListBox::ToggleCheck);
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    if (nChar == VK_SPACE)
    {
        int nIndex = GetCaretIndex();
        if (nIndex != LB_ERR)
        {
            ToggleAndNotify(this, nIndex, &CCheckListBox::ToggleCheck);
            return;
        }
    }
    Default();
}
