#include "CVZButton.h"

#include "CVZButtonThemeFactory.h"
#include "CVZButtonThemeFlat.h"
#include "CVZMemDC.h"
#include "CVZPColorManager.h"
#include "CVZPGlobalUIData.h"
#include "CVZPImageManagerIcon.h"
#include "CVZPTransparentBitmap.h"
#include "VZPAlphaBitmap.h"
#include "VZPDrawHelpers.h"

namespace {

const UINT kHotTimer = 1;
const UINT kHotTimerPeriod = 10;

// The icon of a resource id at a size (0,0: the icon's own size): a group's
// entry of that size when there is one (alpha icons included), else what the
// system's icon loader makes of it.
BOOL LoadIconById(CVZPImageManagerIconHandle& handle, UINT nID, CSize size)
{
    if (size.cx > 0 && size.cy > 0 && handle.LoadIconResource(nID, size.cx, size.cy, TRUE) && !handle.IsEmpty())
        return TRUE;
    LPCWSTR lpszName = MAKEINTRESOURCEW(nID);
    HICON hIcon = (HICON)::LoadImageW(AfxFindResourceHandle(lpszName, RT_GROUP_ICON), lpszName, IMAGE_ICON,
                                      size.cx, size.cy, 0);
    if (hIcon == NULL)
        return FALSE;
    handle.AttachIcon(hIcon);
    return TRUE;
}

}  // namespace

IMPLEMENT_DYNAMIC(CVZButton, CButton)

BEGIN_MESSAGE_MAP(CVZButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CREATE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CVZButton::CVZButton(CRuntimeClass* pThemeFactoryClass)
    : m_nBorderGap(4),
      m_nImageGap(8),
      m_themeHost(pThemeFactoryClass != NULL ? pThemeFactoryClass : RUNTIME_CLASS(CVZButtonThemeFactory)),
      m_bSetStyleOnSubclass(TRUE),
      m_bHot(FALSE),
      m_bExplicitPoints(FALSE),
      m_bLeftButtonDown(FALSE),
      m_bHotPainted(FALSE),
      m_dwDrawStyle(VZBS_FLAT),
      m_sizeImage(0, 0),
      m_ptImage(0, 0),
      m_ptText(0, 0),
      m_pIcon(NULL)
{
}

CVZButton::~CVZButton()
{
    ResetImageVariants();
    delete m_pIcon;
}

CVZButtonThemeClassic* CVZButton::GetTheme() const
{
    return static_cast<CVZButtonThemeClassic*>(m_themeHost.GetTheme());
}

void CVZButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (CVZButtonThemeClassic* pTheme = GetTheme())
        pTheme->DrawItem(lpDrawItemStruct, this);
}

void CVZButton::InvalidateIfCreated(BOOL bRedraw)
{
    if (bRedraw && ::IsWindow(m_hWnd))
        Invalidate(TRUE);
}

BOOL CVZButton::SetIconHandles(CSize size, const CVZPImageManagerIconHandle& hNormal,
                               const CVZPImageManagerIconHandle& hHot, BOOL bRedraw)
{
    m_sizeImage = (size.cx != 0 || size.cy != 0) ? size : hNormal.GetExtent();
    delete m_pIcon;
    m_pIcon = new CVZPImageManagerIcon(0, m_sizeImage.cx, m_sizeImage.cy, NULL);
    m_pIcon->SetIcon(hNormal);
    if (!hHot.IsEmpty())
        m_pIcon->SetHotIcon(hHot);
    InvalidateIfCreated(bRedraw);
    return TRUE;
}

BOOL CVZButton::SetIconIds(CSize size, UINT nNormalID, UINT nHotID, BOOL bRedraw)
{
    CVZPImageManagerIconHandle hNormal;
    CVZPImageManagerIconHandle hHot;
    if (!LoadIconById(hNormal, nNormalID, size))
        return FALSE;
    if (nHotID != 0 && !LoadIconById(hHot, nHotID, size))
        return FALSE;
    return SetIconHandles(size, hNormal, hHot, bRedraw);
}

BOOL CVZButton::SetIconNames(CSize size, LPCTSTR lpszNormal, LPCTSTR lpszHot, BOOL bRedraw)
{
    return SetIconIds(size, LOWORD((DWORD_PTR)lpszNormal), LOWORD((DWORD_PTR)lpszHot), bRedraw);
}

BOOL CVZButton::SetIcon(CSize size, HICON hNormal, HICON hHot, BOOL bRedraw)
{
    return SetIconHandles(size, CVZPImageManagerIconHandle(hNormal), CVZPImageManagerIconHandle(hHot), bRedraw);
}

BOOL CVZButton::SetBitmap(CSize size, UINT nBitmapID, BOOL bRedraw)
{
    ResetImageVariants();
    delete m_pIcon;
    m_pIcon = NULL;
    CVZPImageManagerIconHandle handle;
    if (BitmapResourceDepth(nBitmapID) == 32)
    {
        HBITMAP hBitmap = LoadAlphaBitmapResource(nBitmapID);
        if (hBitmap == NULL)
            return FALSE;
        handle.AttachBitmap(hBitmap);
    }
    else
    {
        LPCWSTR lpszName = MAKEINTRESOURCEW(nBitmapID);
        HBITMAP hBitmap = ::LoadBitmapW(AfxFindResourceHandle(lpszName, RT_BITMAP), lpszName);
        if (hBitmap == NULL)
            return FALSE;
        HICON hIcon = CVZPTransparentBitmap(hBitmap).ConvertToIcon();
        ::DeleteObject(hBitmap);
        if (hIcon != NULL)
            handle.AttachIcon(hIcon);
    }
    if (handle.IsEmpty())
        return FALSE;
    return SetIconHandles(size, handle, CVZPImageManagerIconHandle(), bRedraw);
}

BOOL CVZButton::SetImageTextPoints(CPoint ptImage, CPoint ptText, BOOL bRedraw)
{
    m_ptImage = ptImage;
    m_ptText = ptText;
    m_bExplicitPoints = TRUE;
    InvalidateIfCreated(bRedraw);
    return TRUE;
}

DWORD CVZButton::SetDrawStyle(DWORD dwStyle, BOOL bRedraw)
{
    const DWORD dwOld = m_dwDrawStyle;
    m_dwDrawStyle = dwStyle;
    CVZButtonThemeClassic* pPrivate = NULL;
    if (dwStyle & VZBS_FLATTHEME)
    {
        pPrivate = new CVZButtonThemeFlat(FALSE);
        pPrivate->m_nStyle = 1;
    }
    else if (dwStyle & VZBS_FLAT)
        pPrivate = new CVZButtonThemeClassic;
    m_themeHost.SetTheme(pPrivate);
    InvalidateIfCreated(bRedraw);
    return dwOld;
}

BOOL CVZButton::HasTheme() const
{
    return GetTheme() != NULL;
}

void CVZButton::SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText)
{
    if (CVZButtonThemeClassic* pTheme = GetTheme())
        pTheme->SetColors(clrFace, clrLight, clrShadow, clrText);
}

void CVZButton::SetFaceColor(COLORREF clr)
{
    if (CVZButtonThemeClassic* pTheme = GetTheme())
        pTheme->SetFaceColor(clr);
}

COLORREF CVZButton::GetFaceColor() const
{
    if (CVZButtonThemeClassic* pTheme = GetTheme())
        return pTheme->GetFaceColor();
    return GetGlobalUIData()->m_clrCopied[CVZPGlobalUIData::copied3DFace];
}

void CVZButton::SetLightColor(COLORREF clr)
{
    if (CVZButtonThemeClassic* pTheme = GetTheme())
        pTheme->SetLightColor(clr);
}

void CVZButton::SetShadowColor(COLORREF clr)
{
    if (CVZButtonThemeClassic* pTheme = GetTheme())
        pTheme->SetShadowColor(clr);
}

void CVZButton::SetTextColor(COLORREF clr)
{
    if (CVZButtonThemeClassic* pTheme = GetTheme())
        pTheme->SetTextColor(clr);
}

void CVZButton::SetFlatColors(COLORREF clrBorder, COLORREF clrHotFill, COLORREF clrPressedFill)
{
    CVZButtonThemeClassic* pTheme = GetTheme();
    if (pTheme == NULL || pTheme->m_nStyle != 1)
        return;
    CVZButtonThemeFlat* pFlat = static_cast<CVZButtonThemeFlat*>(pTheme);
    pFlat->SetLightColor(clrBorder);
    pFlat->SetShadowColor(clrBorder);
    pFlat->SetHotFillColor(clrHotFill);
    pFlat->SetPressedFillColor(clrPressedFill);
}

void CVZButton::ToggleImages()
{
    if (CVZButtonThemeClassic* pTheme = GetTheme())
        pTheme->SetShowImages(!pTheme->GetShowImages());
    InvalidateIfCreated(TRUE);
}

CFont* CVZButton::SwapFont(CFont* pFont)
{
    CFont* pOld = CFont::FromHandle((HFONT)SendMessage(WM_GETFONT));
    SendMessage(WM_SETFONT, (WPARAM)(pFont != NULL ? pFont->GetSafeHandle() : NULL), TRUE);
    return pOld;
}

BOOL CVZButton::SetOwnerDrawStyle()
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | BS_OWNERDRAW);
    return TRUE;
}

void CVZButton::ResetImageVariants()
{
    if (m_pIcon != NULL)
        m_pIcon->ClearGenerated();
}

CString CVZButton::GetButtonText(BOOL bRemoveMnemonics)
{
    CString strText;
    if (::IsWindow(m_hWnd))
        GetWindowText(strText);
    if (bRemoveMnemonics)
        StripSingleAmpersands(strText);
    return strText;
}

HICON CVZButton::GetHotIconHandle() const
{
    return m_pIcon != NULL ? m_pIcon->GetHotIcon().GetIcon() : NULL;
}

void CVZButton::SetLeftButtonDown(BOOL bDown)
{
    if (m_bLeftButtonDown == bDown)
        return;
    m_bLeftButtonDown = bDown;
    InvalidateIfCreated(TRUE);
}

BOOL CVZButton::ShowsImages() const
{
    CVZButtonThemeClassic* pTheme = GetTheme();
    return pTheme != NULL && pTheme->GetShowImages();
}

CSize CVZButton::GetImageSize() const
{
    return ShowsImages() ? m_sizeImage : CSize(0, 0);
}

CPoint CVZButton::GetImagePoint() const
{
    return ShowsImages() ? m_ptImage : CPoint(0, 0);
}

CPoint CVZButton::GetTextPoint() const
{
    return ShowsImages() ? m_ptText : CPoint(0, 0);
}

BOOL CVZButton::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CButton::PreCreateWindow(cs))
        return FALSE;
    m_bSetStyleOnSubclass = FALSE;
    return TRUE;
}

void CVZButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    if (m_bSetStyleOnSubclass)
        SetOwnerDrawStyle();
}

BOOL CVZButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
    {
        if (CVZButtonThemeClassic* pTheme = GetTheme())
            pTheme->RefreshMetrics();
    }
    return CButton::OnWndMsg(message, wParam, lParam, pResult);
}

void CVZButton::OnMouseMove(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    CVZButtonThemeClassic* pTheme = GetTheme();
    if (pTheme != NULL && pTheme->WantsHotTracking(this))
    {
        SetTimer(kHotTimer, kHotTimerPeriod, NULL);
        CheckHotState();
    }
    Default();
}

BOOL CVZButton::CheckHotState()
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    if (m_bLeftButtonDown || !rcWindow.PtInRect(ptCursor))
    {
        KillTimer(kHotTimer);
        m_bHot = FALSE;
        if (m_bHotPainted)
            Invalidate(TRUE);
        m_bHotPainted = FALSE;
        return FALSE;
    }
    CVZButtonThemeClassic* pTheme = GetTheme();
    if (pTheme != NULL && pTheme->WantsHotTracking(this) && !m_bHotPainted)
    {
        m_bHot = TRUE;
        Invalidate(TRUE);
        m_bHotPainted = TRUE;
    }
    return TRUE;
}

void CVZButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    SetLeftButtonDown(TRUE);
    Default();
}

void CVZButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    SetLeftButtonDown(FALSE);
    Default();
}

void CVZButton::OnTimer(UINT nIDEvent)
{
    if (nIDEvent == kHotTimer && !CheckHotState())
        return;
    Default();
}

void CVZButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptCursor.x, ptCursor.y));
    Default();
}

int CVZButton::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    if (Default() == -1)
        return -1;
    SetOwnerDrawStyle();
    return 0;
}

void CVZButton::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CVZMemDC memDC(&dc, rcClient, CVZPGradientColor(GetColorManager()->GetColor(COLOR_3DFACE)));
    DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
}
