#include "CVZFlatComboBox.h"

#include "CVZFlatComboBoxTheme.h"

namespace {

const UINT kHotTimer = 1000;

}  // namespace

IMPLEMENT_DYNAMIC(CVZFlatComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CVZFlatComboBox, CComboBox)
    ON_WM_SETCURSOR()
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_CONTROL_REFLECT_EX(CBN_SETFOCUS, OnSetFocusReflect)
    ON_CONTROL_REFLECT_EX(CBN_KILLFOCUS, OnKillFocusReflect)
    ON_CONTROL_REFLECT_EX(CBN_EDITUPDATE, OnEditUpdate)
    ON_CONTROL_REFLECT_EX(CBN_CLOSEUP, OnCloseUp)
END_MESSAGE_MAP()

CVZFlatComboBox::CVZFlatComboBox()
    : m_themeHost(RUNTIME_CLASS(CVZFlatComboBoxThemeFactory)),
      m_bFlat(TRUE),
      m_bHot(FALSE),
      m_bHasFocus(FALSE),
      m_bAutoComplete(FALSE),
      m_bSkipCompletion(FALSE),
      m_clrBack(COLORREF(-1))
{
}

BOOL CVZFlatComboBox::HitTestHot() const
{
    CRect rc;
    GetWindowRect(&rc);
    CPoint pt;
    ::GetCursorPos(&pt);
    return rc.PtInRect(pt);
}

int CVZFlatComboBox::GetDrawState() const
{
    if (::SendMessage(m_hWnd, CB_GETDROPPEDSTATE, 0, 0))
        return 3;
    return (m_bHot || m_bHasFocus) ? 2 : 0;
}

void CVZFlatComboBox::DrawBorder(CDC* pDC)
{
    CVZFlatComboBoxThemeClassic* pTheme = static_cast<CVZFlatComboBoxThemeClassic*>(m_themeHost.GetTheme());
    if (pTheme != NULL)
        pTheme->DrawFlatComboBox(pDC, this, GetDrawState());
}

void CVZFlatComboBox::RedrawFully()
{
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CVZFlatComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && ::GetParent(pMsg->hwnd) == m_hWnd)
        m_bSkipCompletion = (pMsg->wParam == VK_BACK || pMsg->wParam == VK_DELETE);
    return CComboBox::PreTranslateMessage(pMsg);
}

BOOL CVZFlatComboBox::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (message == WM_MOUSEMOVE && m_bFlat && HitTestHot())
    {
        SetTimer(kHotTimer, 10, NULL);
        OnTimer(kHotTimer);
    }
    return CComboBox::OnSetCursor(pWnd, nHitTest, message);
}

void CVZFlatComboBox::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != kHotTimer)
    {
        CComboBox::OnTimer(nIDEvent);
        return;
    }
    if (HitTestHot())
    {
        if (!m_bHot)
        {
            m_bHot = TRUE;
            RedrawFully();
        }
    }
    else
    {
        KillTimer(kHotTimer);
        if (m_bHot)
        {
            m_bHot = FALSE;
            RedrawFully();
        }
    }
}

void CVZFlatComboBox::OnPaint()
{
    Default();
    if (!m_bFlat)
        return;
    CClientDC dc(this);
    DrawBorder(&dc);
}

LRESULT CVZFlatComboBox::OnPrintClient(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    const LRESULT lResult = Default();
    if (m_bFlat && wParam != 0)
        DrawBorder(CDC::FromHandle((HDC)wParam));
    return lResult;
}

BOOL CVZFlatComboBox::OnSetFocusReflect()
{
    if (m_bFlat)
    {
        m_bHasFocus = TRUE;
        RedrawFully();
    }
    return FALSE;
}

BOOL CVZFlatComboBox::OnKillFocusReflect()
{
    if (m_bFlat)
    {
        m_bHasFocus = FALSE;
        RedrawFully();
    }
    return FALSE;
}

BOOL CVZFlatComboBox::OnCloseUp()
{
    if (m_bFlat)
        Invalidate();
    return FALSE;
}

BOOL CVZFlatComboBox::OnEditUpdate()
{
    if (!m_bAutoComplete || m_bSkipCompletion)
        return FALSE;
    CString strText;
    GetWindowText(strText);
    const int nLength = strText.GetLength();
    if (nLength == 0)
        return FALSE;
    const DWORD dwSel = (DWORD)SendMessage(CB_GETEDITSEL);
    const BOOL bSelValid = dwSel != (DWORD)CB_ERR;
    const int nStart = LOWORD(dwSel), nEnd = HIWORD(dwSel);
    if (SendMessage(CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)strText) == CB_ERR)
    {
        SetWindowText(strText);
        if (bSelValid)
            SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nStart, nEnd));
    }
    if (nEnd < nLength && bSelValid)
        SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nStart, nEnd));
    else
        SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nLength, -1));
    return FALSE;
}
