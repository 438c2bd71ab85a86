#include "CXPGroupBox.h"

#include "CTransparentStatic.h"

IMPLEMENT_DYNAMIC(CXPGroupBox, CButton)

BEGIN_MESSAGE_MAP(CXPGroupBox, CButton)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

const int kCorner = 10;          // corner ellipse of the rounded frame and panel
const int kFrameIndent = 10;     // caption inset of the frame style
const int kPanelIndent = 2;      // caption inset of the panel style
const int kPanelBodyGap = 4;     // body starts this far below the caption

// The caption's place for a text of sizeText in the box's rectangle.
CRect PlaceCaption(const CRect& rect, CSize sizeText, int nAlignment, int nIndent, int nTop)
{
    int nLeft = rect.left + nIndent;
    if (nAlignment == CXPGroupBox::alignCenter)
        nLeft = rect.left + (rect.Width() - sizeText.cx) / 2;
    else if (nAlignment == CXPGroupBox::alignRight)
        nLeft = rect.right - nIndent - sizeText.cx;
    return CRect(nLeft, nTop, nLeft + sizeText.cx, nTop + sizeText.cy);
}

}  // namespace

CXPGroupBox::CXPGroupBox()
    : m_crBorder(::GetSysColor(COLOR_BTNSHADOW)),
      m_crCaptionBackground(::GetSysColor(COLOR_BTNFACE)),
      m_crBody(::GetSysColor(COLOR_BTNFACE)),
      m_crCaptionText(RGB(0, 0, 255)),
      m_nGroupStyle(styleFrame),
      m_nAlignment(alignLeft),
      m_lf()
{
}

CXPGroupBox::~CXPGroupBox() = default;

BOOL CXPGroupBox::PreCreateWindow(CREATESTRUCT& cs)
{
    // With BS_ICON the system draws no caption of its own.
    cs.style |= BS_ICON;
    return CButton::PreCreateWindow(cs);
}

void CXPGroupBox::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_ICON);
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    if (hFont == NULL)
        hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
    ::GetObject(hFont, sizeof(m_lf), &m_lf);
    RecreateFont();
}

void CXPGroupBox::Repaint()
{
    if (m_hWnd == NULL)
        return;
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    // The parent's background shows behind the rounded corners.
    RepaintParentBehind(this);
}

void CXPGroupBox::RecreateFont()
{
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
    Repaint();
}

CXPGroupBox& CXPGroupBox::SetBorderColor(COLORREF crBorder)
{
    m_crBorder = crBorder;
    Repaint();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionTextColor(COLORREF crText)
{
    m_crCaptionText = crText;
    Repaint();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetBackgroundColor(COLORREF crCaption, COLORREF crBody)
{
    m_crCaptionBackground = crCaption;
    m_crBody = crBody;
    Repaint();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetBackgroundColor(COLORREF crBoth)
{
    return SetBackgroundColor(crBoth, crBoth);
}

CXPGroupBox& CXPGroupBox::SetGroupStyle(int nStyle)
{
    m_nGroupStyle = nStyle;
    Repaint();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetText(LPCTSTR lpszText)
{
    if (m_hWnd == NULL)
        return *this;
    m_strCaption = CString(_T(" ")) + (lpszText != NULL ? lpszText : _T("")) + _T(" ");
    Repaint();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFontBold(BOOL bBold)
{
    m_lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    RecreateFont();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFontName(const CString& strName, BYTE nCharSet)
{
    lstrcpyn(m_lf.lfFaceName, strName, LF_FACESIZE);
    m_lf.lfCharSet = nCharSet;
    RecreateFont();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFontUnderline(BOOL bUnderline)
{
    m_lf.lfUnderline = (BYTE)(bUnderline ? 1 : 0);
    RecreateFont();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFontItalic(BOOL bItalic)
{
    m_lf.lfItalic = (BYTE)(bItalic ? 1 : 0);
    RecreateFont();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFontSize(int nPoints)
{
    // A point font of the current face gives the height and width for the
    // display.
    CFont font;
    if (font.CreatePointFont(nPoints * 10, m_lf.lfFaceName))
    {
        LOGFONT lf = {};
        font.GetLogFont(&lf);
        m_lf.lfHeight = lf.lfHeight;
        m_lf.lfWidth = lf.lfWidth;
    }
    RecreateFont();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFont(LOGFONT lf)
{
    m_lf = lf;
    RecreateFont();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetAlignment(int nAlignment)
{
    m_nAlignment = (nAlignment == alignCenter || nAlignment == alignRight) ? nAlignment : alignLeft;
    Repaint();
    return *this;
}

CString CXPGroupBox::CaptionText() const
{
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    CString strText;
    if (m_hWnd != NULL)
        GetWindowText(strText);
    return _T(" ") + strText + _T(" ");
}

CRect CXPGroupBox::CaptionRect(CDC& dc)
{
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(1, 1);
    int nSaved = dc.SaveDC();
    if (m_font.GetSafeHandle() != NULL)
        dc.SelectObject(&m_font);
    CSize sizeText = dc.GetTextExtent(CaptionText());
    dc.RestoreDC(nSaved);
    if (m_nGroupStyle == stylePanel)
        return PlaceCaption(rect, sizeText, m_nAlignment, kPanelIndent, rect.top + kPanelIndent);
    return PlaceCaption(rect, sizeText, m_nAlignment, kFrameIndent, rect.top);
}

void CXPGroupBox::PaintTo(CDC& dc)
{
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(1, 1);
    CRect rectCaption = CaptionRect(dc);
    int cyCaption = rectCaption.Height();

    int nSaved = dc.SaveDC();
    if (m_font.GetSafeHandle() != NULL)
        dc.SelectObject(&m_font);
    CPen pen(PS_SOLID, 1, m_crBorder);
    dc.SelectObject(&pen);
    if (m_nGroupStyle == stylePanel)
    {
        CBrush brushCaption(m_crCaptionBackground);
        dc.SelectObject(&brushCaption);
        dc.RoundRect(rect.left, rect.top, rect.right, rect.bottom, kCorner, kCorner);
        CBrush brushBody(m_crBody);
        dc.SelectObject(&brushBody);
        dc.Rectangle(rect.left, rect.top + cyCaption + kPanelBodyGap, rect.right, rect.bottom);
        dc.SelectStockObject(NULL_BRUSH);
    }
    else
    {
        // The top edge runs through the middle of the caption, whose
        // background then hides the line behind the text.
        dc.SelectStockObject(NULL_BRUSH);
        dc.RoundRect(rect.left, rect.top + cyCaption / 2, rect.right, rect.bottom, kCorner, kCorner);
        dc.FillSolidRect(&rectCaption, m_crCaptionBackground);
    }
    dc.SetTextColor(m_crCaptionText);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(CaptionText(), &rectCaption, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    dc.RestoreDC(nSaved);
}

void CXPGroupBox::OnPaint()
{
    CPaintDC dc(this);
    PaintTo(dc);
}
