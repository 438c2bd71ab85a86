#include "CVZCaption.h"

#include "CVZCaptionPopupWnd.h"
#include "CVZCaptionTheme.h"
#include "CVZMemDC.h"
#include "CVZPColorManager.h"
#include "CVZPGlobalUIData.h"
#include "CVZPResourceLoader.h"
#include "VZCaptionMessages.h"
#include "VZPSelectors.h"
#include "uilibres.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CVZCaption, CStatic)

BEGIN_MESSAGE_MAP(CVZCaption, CStatic)
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SIZE()
    ON_COMMAND(VZ_ID_CAPTION_BUTTON, OnCaptionButton)
    ON_MESSAGE(VZWM_CAPTION_PINNED, OnPinned)
    ON_MESSAGE(VZWM_CAPTION_POPUP_CLOSED, OnPopupClosed)
END_MESSAGE_MAP()

CVZCaption::CVZCaption()
    : m_nBorderSize(0),
      m_clrBorder(::GetSysColor(COLOR_BTNFACE)),
      m_clrFace(::GetSysColor(COLOR_BTNFACE)),
      m_clrText(::GetSysColor(COLOR_BTNTEXT)),
      m_themeHost(RUNTIME_CLASS(CVZCaptionThemeFactory)),
      m_nChildOffset(0),
      m_bUserColors(FALSE),
      m_bTextButton(FALSE),
      m_pChild(NULL),
      m_pChildParent(NULL),
      m_pChildGrandparent(NULL),
      m_cxIcon(std::min(16, GetGlobalUIData()->m_nSmallIconWidth)),
      m_cyIcon(std::min(16, GetGlobalUIData()->m_nSmallIconHeight)),
      m_dwCaptionStyle(0),
      m_hIcon(NULL),
      m_pPopup(NULL)
{
}

CVZCaption::~CVZCaption()
{
    DestroyPopup();
    if (::IsWindow(m_button.m_hWnd))
        m_button.DestroyWindow();
    m_glyphs.DeleteImageList();
}

CVZCaptionTheme* CVZCaption::GetTheme() const
{
    return static_cast<CVZCaptionTheme*>(m_themeHost.GetTheme());
}

CFont* CVZCaption::GetFont() const
{
    HFONT hFont = ::IsWindow(m_hWnd) ? (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0) : NULL;
    return hFont != NULL ? CFont::FromHandle(hFont) : &GetGlobalUIData()->m_fontNormal;
}

CWnd* CVZCaption::GetNotifyOwner() const
{
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    return hOwner != NULL ? CWnd::FromHandle(hOwner) : GetParent();
}

void CVZCaption::SetCaptionColors(COLORREF clrBorder, COLORREF clrFace, COLORREF clrText)
{
    m_clrBorder = clrBorder;
    m_clrFace = clrFace;
    m_clrText = clrText;
    m_bUserColors = TRUE;
    if (::IsWindow(m_hWnd))
        m_button.SetDrawStyle(0, TRUE);
}

void CVZCaption::ModifyCaption(int nBorderSize, CFont* pFont, LPCTSTR lpszText, HICON hIcon)
{
    if (nBorderSize != 0)
        m_nBorderSize = nBorderSize;
    if (lpszText != NULL)
        m_strText = lpszText;
    if (hIcon != NULL)
        m_hIcon = hIcon;
    if (pFont != NULL && ::IsWindow(m_hWnd))
    {
        SendMessage(WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), FALSE);
        if (::IsWindow(m_button.m_hWnd))
            m_button.SendMessage(WM_SETFONT, (WPARAM)GetFont()->GetSafeHandle(), FALSE);
    }
    if (::IsWindow(m_hWnd))
        Invalidate();
}

void CVZCaption::SetChildWindow(CWnd* pChild, CWnd* pNotifyOwner)
{
    m_pChild = pChild;
    ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)(pNotifyOwner != NULL ? pNotifyOwner->GetSafeHwnd() : NULL));
    m_pChildParent = pChild != NULL ? pChild->GetParent() : NULL;
    m_pChildGrandparent = m_pChildParent != NULL ? m_pChildParent->GetParent() : NULL;
    if (pChild != NULL)
        pChild->GetClientRect(&m_rcChild);
    if (m_pChildParent != NULL)
        m_pChildParent->GetClientRect(&m_rcParent);
    if (m_pChildGrandparent != NULL)
        m_pChildGrandparent->GetClientRect(&m_rcGrandparent);
    m_nChildOffset = m_rcParent.Height() - m_rcChild.Height();
    if (::IsWindow(m_button.m_hWnd))
    {
        m_button.ShowWindow(SW_SHOW);
        m_button.UpdateWindow();
    }
    m_rcParent.InflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
}

void CVZCaption::DestroyPopup()
{
    if (m_pPopup == NULL)
        return;
    CVZCaptionPopupWnd* pPopup = m_pPopup;
    m_pPopup = NULL;
    if (::IsWindow(pPopup->m_hWnd))
        pPopup->DestroyWindow();
    delete pPopup;
}

void CVZCaption::HidePopup()
{
    if (::IsWindow(m_button.m_hWnd))
    {
        m_button.ShowWindow(SW_HIDE);
        m_button.SendMessage(BM_SETSTATE, 0, 0);
    }
    DestroyPopup();
}

BOOL CVZCaption::ShowPopup()
{
    if (m_pPopup != NULL && ::IsWindow(m_pPopup->m_hWnd) && m_pPopup->IsWindowVisible())
        return TRUE;
    if (m_pPopup == NULL || !::IsWindow(m_pPopup->m_hWnd))
    {
        delete m_pPopup;
        m_pPopup = new CVZCaptionPopupWnd;
        if (!m_pPopup->Create(CRect(0, 0, 0, 0), this, m_pChild))
        {
            delete m_pPopup;
            m_pPopup = NULL;
            return FALSE;
        }
    }
    if (m_pChildParent == NULL || !::IsWindow(m_pChildParent->GetSafeHwnd()) || m_pChildGrandparent == NULL ||
        !::IsWindow(m_pChildGrandparent->GetSafeHwnd()))
        return FALSE;
    CRect rcPopup(m_rcParent);
    m_pChildParent->ClientToScreen(&rcPopup);
    CRect rcGrandparent;
    m_pChildGrandparent->GetClientRect(&rcGrandparent);
    if (rcGrandparent.Height() != m_rcGrandparent.Height())
        rcPopup.bottom += rcGrandparent.Height() - m_rcGrandparent.Height();
    m_pPopup->MoveWindow(&rcPopup);
    m_pPopup->ShowWindow(SW_SHOW);
    m_pPopup->RecalcLayout();
    m_button.SendMessage(BM_SETSTATE, 1, 0);
    return TRUE;
}

void CVZCaption::UpdateCaption(LPCTSTR lpszText, HICON hIcon)
{
    CWindowDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    DrawCaptionBackground(&dc, rcClient);
    if (lpszText != NULL)
    {
        m_strText = lpszText;
        UpdateCaptionText(&dc);
    }
    if (hIcon != NULL)
    {
        m_hIcon = hIcon;
        DrawCaptionIcon(&dc, rcClient);
    }
}

BOOL CVZCaption::Create(CWnd* pParentWnd, LPCTSTR lpszText, DWORD dwCaptionStyle, DWORD dwStyle, const CRect& rect,
                        UINT nID)
{
    if (!CStatic::Create(NULL, dwStyle | WS_CLIPCHILDREN, rect, pParentWnd, nID))
        return FALSE;
    SendMessage(WM_SETFONT, (WPARAM)GetGlobalUIData()->m_fontNormal.GetSafeHandle(), FALSE);
    m_dwCaptionStyle = dwCaptionStyle & 7;
    if (dwCaptionStyle & ~7u)
        ModifyStyleEx(0, dwCaptionStyle & ~7u);
    m_strText = lpszText != NULL ? lpszText : L"";
    if (m_dwCaptionStyle & VZCS_CLOSE)
    {
        if (!m_button.Create(NULL, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_ICON | BS_CENTER | BS_VCENTER,
                             CRect(0, 0, 0, 0), this, VZ_ID_CAPTION_BUTTON))
            return FALSE;
        CBitmap bitmap;
        if (GetResourceLoader()->LoadBitmap(&bitmap, VZP_IDB_PIN_CLOSE) &&
            m_glyphs.Create(16, 15, ILC_MASK | ILC_COLOR24, 0, 1))
        {
            m_glyphs.Add(&bitmap, RGB(255, 0, 255));
            m_closeIcon = m_glyphs.ExtractIcon(2);
            m_button.SetIcon(CSize(16, 15), (HICON)m_closeIcon);
        }
    }
    else
    {
        if (!m_button.Create(m_strText, WS_CHILD | 0xC4B, CRect(0, 0, 0, 0), this, VZ_ID_CAPTION_BUTTON))
            return FALSE;
        m_bTextButton = TRUE;
    }
    m_button.m_pCaption = this;
    m_button.SetDrawStyle(0, FALSE);
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return TRUE;
}

CRect CVZCaption::GetTextRect()
{
    if (m_strText.IsEmpty())
        return CRect(0, 0, 0, 0);
    CRect rcClient;
    GetClientRect(&rcClient);
    CClientDC dc(this);
    CVZPFontSelector font(&dc, GetFont());
    TEXTMETRICW tm;
    dc.GetTextMetrics(&tm);
    const int cxText = dc.GetTextExtent(m_strText).cx;
    const int cxRoom = m_hIcon != NULL ? rcClient.Width() - 18 : rcClient.Width();
    return CRect(m_nBorderSize, m_nBorderSize,
                 m_nBorderSize + std::min<int>(cxRoom, cxText + tm.tmAveCharWidth + 12),
                 rcClient.Height() - m_nBorderSize);
}

void CVZCaption::DrawCaptionBackground(CDC* pDC, CRect rect)
{
    if (CVZCaptionTheme* pTheme = GetTheme())
        pTheme->DrawCaptionBackground(pDC, this, rect);
}

void CVZCaption::DrawCaptionText(CDC* pDC)
{
    if (CVZCaptionTheme* pTheme = GetTheme())
        pTheme->DrawCaptionText(pDC, this);
}

void CVZCaption::DrawCaptionIcon(CDC* pDC, CRect rect)
{
    if (CVZCaptionTheme* pTheme = GetTheme())
        pTheme->DrawCaptionIcon(pDC, this, rect);
}

void CVZCaption::UpdateCaptionText(CDC* pDC)
{
    if (::IsWindow(m_button.m_hWnd))
    {
        m_button.SetWindowText(m_strText);
        m_button.MoveWindow(GetButtonRect());
    }
    DrawCaptionText(pDC);
}

CRect CVZCaption::GetButtonRect()
{
    if (!::IsWindow(m_hWnd))
        return CRect(0, 0, 0, 0);
    if (m_dwCaptionStyle & VZCS_CLOSE)
    {
        CRect rcClient;
        GetClientRect(&rcClient);
        const int y = (rcClient.Height() - 15) / 2;
        return CRect(rcClient.Width() - 18, y, rcClient.Width() - 2, y + 15);
    }
    return GetTextRect();
}

BOOL CVZCaption::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
    {
        if (CVZCaptionTheme* pTheme = GetTheme())
            pTheme->RefreshMetrics();
    }
    return CStatic::OnWndMsg(message, wParam, lParam, pResult);
}

void CVZCaption::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CVZMemDC memDC(&dc, rcClient, CVZPGradientColor(GetColorManager()->GetColor(COLOR_3DFACE)));
    if (::IsWindow(m_button.m_hWnd) && m_button.IsWindowVisible())
    {
        CRect rcButton;
        m_button.GetWindowRect(&rcButton);
        ScreenToClient(&rcButton);
        memDC.ExcludeClipRect(&rcButton);
    }
    DrawCaptionBackground(&memDC, rcClient);
    DrawCaptionText(&memDC);
    DrawCaptionIcon(&memDC, rcClient);
}

void CVZCaption::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CStatic::OnWindowPosChanged(lpwndpos);
    if (::IsWindow(m_button.m_hWnd))
        m_button.MoveWindow(GetButtonRect());
}

void CVZCaption::OnSysColorChange()
{
    CStatic::OnSysColorChange();
    if (m_bUserColors)
        return;
    m_clrBorder = ::GetSysColor(COLOR_BTNFACE);
    m_clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrText = ::GetSysColor(COLOR_BTNTEXT);
    if (::IsWindow(m_button.m_hWnd))
        m_button.SetDrawStyle(0, TRUE);
}

void CVZCaption::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    if (m_hIcon != NULL)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CVZCaption::OnCaptionButton()
{
    if (m_dwCaptionStyle & VZCS_CLOSE)
    {
        if (CWnd* pOwner = GetNotifyOwner())
            pOwner->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), (LPARAM)m_hWnd);
    }
    else
        ShowPopup();
}

LRESULT CVZCaption::OnPinned(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    HidePopup();
    if (m_pChild != NULL && m_pChildParent != NULL && ::IsWindow(m_pChildParent->GetSafeHwnd()) &&
        ::IsWindow(m_pChild->GetSafeHwnd()))
    {
        m_pChildParent->GetClientRect(&m_rcChild);
        m_rcChild.top += m_nChildOffset;
        m_pChild->MoveWindow(&m_rcChild);
    }
    if (CWnd* pOwner = GetNotifyOwner())
        pOwner->SendMessage(VZWM_CAPTION_PINNED, 0, 0);
    Invalidate();
    return 0;
}

LRESULT CVZCaption::OnPopupClosed(WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    if (::IsWindow(m_button.m_hWnd))
        m_button.SendMessage(BM_SETSTATE, 0, 0);
    DestroyPopup();
    if (CWnd* pOwner = GetNotifyOwner())
        pOwner->SendMessage(VZWM_CAPTION_POPUP_CLOSED, 0, 0);
    Invalidate();
    return 0;
}
