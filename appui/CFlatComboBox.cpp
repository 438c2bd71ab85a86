#include "CFlatComboBox.h"

#include "CGlyphButton.h"
#include "CPenSelector.h"
#include "CBrushSelector.h"

#include <afxext.h>

IMPLEMENT_DYNAMIC(CFlatComboBox, CComboBox)
IMPLEMENT_DYNAMIC(CFlatComboEdit, CEdit)

BEGIN_MESSAGE_MAP(CFlatComboBox, CComboBox)
    ON_WM_GETDLGCODE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_PAINT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CFlatComboEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CFlatComboBox::CFlatComboBox()
    : m_nVisibleItems(10), m_hotTracker(this), m_nEditHeight(-1), m_nPendingHeight(-1), m_bAdjusting(FALSE)
{
}

CFlatComboBox::~CFlatComboBox() = default;

BOOL CFlatComboBox::IsInControlBar() const
{
    CWnd* pParent = GetParent();
    return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CControlBar));
}

BOOL CFlatComboBox::IsInDockedBar() const
{
    // A control bar counts as docked only inside a dock bar, which the
    // framework does not have.
    return FALSE;
}

BOOL CFlatComboBox::HasFocusInside() const
{
    HWND hFocus = ::GetFocus();
    return hFocus != NULL && (hFocus == m_hWnd || ::GetParent(hFocus) == m_hWnd);
}

UINT CFlatComboBox::OnGetDlgCode()
{
    UINT nCode = (UINT)Default();
    if (::GetKeyState(VK_RETURN) < 0)
        nCode |= DLGC_WANTALLKEYS;
    return nCode;
}

void CFlatComboBox::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    if (!(lpwndpos->flags & SWP_NOSIZE) && m_nPendingHeight == -1)
    {
        if (m_nEditHeight == -1)
            m_nEditHeight = (int)SendMessage(CB_GETITEMHEIGHT, (WPARAM)-1);
        int nItemHeight = (int)SendMessage(CB_GETITEMHEIGHT, 0);
        m_nPendingHeight = lpwndpos->cy;
        lpwndpos->cy = nItemHeight * m_nVisibleItems + 7 * ::GetSystemMetrics(SM_CYBORDER) + m_nEditHeight;
    }
    CComboBox::OnWindowPosChanging(lpwndpos);
}

void CFlatComboBox::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CComboBox::OnWindowPosChanged(lpwndpos);
    if (!(lpwndpos->flags & SWP_NOSIZE) && m_nPendingHeight != -1 && !m_bAdjusting)
    {
        // The new selection-field height resizes the combo again; the
        // pending height stays set meanwhile, so that resize is left alone.
        m_bAdjusting = TRUE;
        SendMessage(CB_SETITEMHEIGHT, (WPARAM)-1, m_nPendingHeight - 6);
        m_bAdjusting = FALSE;
        m_nPendingHeight = -1;
    }
    CWnd* pEdit = GetWindow(GW_CHILD);
    if (pEdit != NULL && ::GetFocus() != pEdit->m_hWnd)
        pEdit->SendMessage(EM_SETSEL, (WPARAM)-1, 0);
}

void CFlatComboBox::OnPaint()
{
    // The default painting leaves the button strip alone; it is drawn flat
    // afterwards.
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectButton = rectClient;
    rectButton.left = rectButton.right - ::GetSystemMetrics(SM_CXHTHUMB);
    ValidateRect(&rectButton);
    Default();
    CClientDC dc(this);
    PaintFlat(&dc);
}

void CFlatComboBox::PaintFlat(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    BOOL bEnabled = IsWindowEnabled();
    BOOL bDocked = IsInDockedBar();
    BOOL bFocused = IsInControlBar() && HasFocusInside();
    BOOL bDropped = GetDroppedState();
    BOOL bHot = bFocused || m_hotTracker.IsHot();

    CRect rectButton = rectClient;
    rectButton.left = rectButton.right - ::GetSystemMetrics(SM_CXHTHUMB);
    DWORD dwFlags = CGlyphButton::glyphDown | CGlyphButton::styleFlat;
    if (!bEnabled)
        dwFlags |= CGlyphButton::stateDisabled;
    if (!bDocked)
        dwFlags |= CGlyphButton::styleFramed;
    if (bHot)
        dwFlags |= CGlyphButton::stateHot;
    if (bDropped)
        dwFlags |= CGlyphButton::statePressed | CGlyphButton::stateHot;
    CGlyphButton(dwFlags, rectButton).Draw(pDC);

    COLORREF crFrame;
    if (bFocused || bDropped || m_hotTracker.IsHot())
        crFrame = ::GetSysColor(COLOR_HIGHLIGHT);
    else
        crFrame = ::GetSysColor(bDocked ? COLOR_WINDOW : COLOR_BTNSHADOW);
    COLORREF crInner = ::GetSysColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE);
    {
        CPenSelector pen(pDC, crFrame);
        CBrushSelector brush(pDC, CLR_NONE);
        pDC->Rectangle(&rectClient);
    }
    CRect rectInner = rectClient;
    rectInner.DeflateRect(1, 1);
    rectInner.right = rectButton.left;
    CPenSelector pen(pDC, crInner);
    CBrushSelector brush(pDC, CLR_NONE);
    pDC->Rectangle(&rectInner);
    pDC->MoveTo(rectButton.left - 1, rectInner.top);
    pDC->LineTo(rectButton.left - 1, rectInner.bottom);
}

void CFlatComboBox::OnSetFocus(CWnd* pOldWnd)
{
    CComboBox::OnSetFocus(pOldWnd);
    if (IsInDockedBar())
        Invalidate();
}

void CFlatComboBox::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    if (IsInDockedBar())
        Invalidate();
}

void CFlatComboBox::OnMouseMove(UINT nFlags, CPoint point)
{
    CComboBox::OnMouseMove(nFlags, point);
    m_hotTracker.Enter(this);
}

void CFlatComboBox::OnMouseLeave()
{
    Default();
    m_hotTracker.Leave(this);
}

CFlatComboEdit::CFlatComboEdit() = default;

CFlatComboEdit::~CFlatComboEdit() = default;

CFlatComboBox* CFlatComboEdit::Combo() const
{
    CWnd* pParent = GetParent();
    return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CFlatComboBox)) ? (CFlatComboBox*)pParent : NULL;
}

void CFlatComboEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    CFlatComboBox* pCombo = Combo();
    if (pCombo != NULL && pCombo->IsInDockedBar())
        pCombo->Invalidate();
}

void CFlatComboEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    CEdit::OnMouseMove(nFlags, point);
    if (CFlatComboBox* pCombo = Combo())
        pCombo->m_hotTracker.Enter(this);
}

void CFlatComboEdit::OnMouseLeave()
{
    Default();
    if (CFlatComboBox* pCombo = Combo())
        pCombo->m_hotTracker.Leave(this);
}
