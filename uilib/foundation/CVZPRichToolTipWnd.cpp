#include "CVZPRichToolTipWnd.h"

#include <richedit.h>

#include <string>

namespace {

const UINT kRichEditId = 1;

// EM_STREAMIN source over a byte string.
struct CStreamSource
{
    const char* pData;
    LONG nLeft;

    static DWORD CALLBACK Read(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
    {
        CStreamSource* pSource = reinterpret_cast<CStreamSource*>(dwCookie);
        const LONG n = pSource->nLeft < cb ? pSource->nLeft : cb;
        memcpy(pbBuff, pSource->pData, n);
        pSource->pData += n;
        pSource->nLeft -= n;
        *pcb = n;
        return 0;
    }
};

std::string ToAnsi(const CString& str)
{
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, str, str.GetLength(), NULL, 0, NULL, NULL);
    std::string strAnsi(nBytes > 0 ? nBytes : 0, '\0');
    if (nBytes > 0)
        ::WideCharToMultiByte(CP_ACP, 0, str, str.GetLength(), &strAnsi[0], nBytes, NULL, NULL);
    return strAnsi;
}

LRESULT StreamIn(CRichEditCtrl& edit, const std::string& strText, WPARAM nFormat)
{
    CStreamSource source = {strText.data(), (LONG)strText.size()};
    EDITSTREAM es = {(DWORD_PTR)&source, 0, &CStreamSource::Read};
    return edit.SendMessage(EM_STREAMIN, nFormat, (LPARAM)&es);
}

int ToTwips(int nPixels, int nPixelsPerInch)
{
    return MulDiv(nPixels, 1440, nPixelsPerInch > 0 ? nPixelsPerInch : 96);
}

}  // namespace

CVZPRichToolTipWnd::CVZPRichToolTipWnd(CVZPTooltipService* pService)
    : CVZPToolTipWnd(pService), m_nRequestedWidth(0), m_nRequestedHeight(0)
{
}

BEGIN_MESSAGE_MAP(CVZPRichToolTipWnd, CVZPToolTipWnd)
    ON_WM_CREATE()
    ON_NOTIFY(EN_REQUESTRESIZE, kRichEditId, OnRequestResize)
END_MESSAGE_MAP()

int CVZPRichToolTipWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CVZPToolTipWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Without the rich edit library the tip falls back to plain text.
    m_richEdit.CreateEx(0, _T("RICHEDIT"), NULL, WS_CHILD | ES_MULTILINE | ES_READONLY, CRect(0, 0, 0, 0), this,
                        kRichEditId);
    return 0;
}

void CVZPRichToolTipWnd::OnRequestResize(NMHDR* pNMHDR, LRESULT* pResult)
{
    const REQRESIZE* pRequest = reinterpret_cast<const REQRESIZE*>(pNMHDR);
    m_nRequestedWidth = pRequest->rc.right - pRequest->rc.left;
    m_nRequestedHeight = pRequest->rc.bottom - pRequest->rc.top;
    *pResult = 0;
}

void CVZPRichToolTipWnd::LoadRichText(const CString& strText)
{
    m_richEdit.SendMessage(EM_SETBKGNDCOLOR, 0, GetBackColor());
    m_richEdit.SetWindowText(_T(""));
    m_richEdit.SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle(), FALSE);
    CHARFORMATW cf;
    memset(&cf, 0, sizeof(cf));
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
    cf.crTextColor = GetTextColor();
    m_richEdit.SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf);
    const std::string strAnsi = ToAnsi(strText);
    if (StreamIn(m_richEdit, strAnsi, SF_RTF) <= 0)
        StreamIn(m_richEdit, strAnsi, SF_TEXT);
    SetWindowText(_T(""));
}

CSize CVZPRichToolTipWnd::RequestSizeAt(int nWidth)
{
    m_richEdit.MoveWindow(0, 0, nWidth, 1, FALSE);
    CRect rcFormat(0, 0, nWidth, 1);
    m_richEdit.SendMessage(EM_SETRECT, 0, (LPARAM)&rcFormat);
    m_nRequestedWidth = m_nRequestedHeight = 0;
    m_richEdit.SendMessage(EM_REQUESTRESIZE);
    return CSize(m_nRequestedWidth, m_nRequestedHeight);
}

CSize CVZPRichToolTipWnd::CalcTipSize(const CVZPTipTool& tool)
{
    if (m_richEdit.GetSafeHwnd() == NULL)
        return CVZPToolTipWnd::CalcTipSize(tool);
    if (tool.strText.IsEmpty())
        return CSize(0, 0);
    SetWindowPos(NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
    LoadRichText(tool.strText);

    // The narrowest width whose height is the one at the widest.
    const int nMaxWidth = GetMaxWidth();
    const int nWidest = nMaxWidth < 0 ? 2 * ::GetSystemMetrics(SM_CXSCREEN) : 2 * nMaxWidth;
    const long nOldMask = m_richEdit.SendMessage(EM_GETEVENTMASK);
    m_richEdit.SendMessage(EM_SETEVENTMASK, 0, nOldMask | ENM_REQUESTRESIZE);
    const int nHeight = RequestSizeAt(nWidest).cy;
    int nTooNarrow = 0;
    int nWideEnough = nWidest;
    while (nWideEnough - nTooNarrow > 1)
    {
        const int nWidth = nTooNarrow + (nWideEnough - nTooNarrow) / 2;
        if (RequestSizeAt(nWidth).cy <= nHeight)
            nWideEnough = nWidth;
        else
            nTooNarrow = nWidth;
    }
    CSize size = RequestSizeAt(nWideEnough);
    m_richEdit.SendMessage(EM_SETEVENTMASK, 0, nOldMask);
    if (size.cx <= 0 || size.cy <= 0)
        return CSize(0, 0);
    size += CSize(2, 2);

    const CRect rcMargins = GetMargins();
    size.cx += rcMargins.left + rcMargins.right + 4;
    size.cy += rcMargins.top + rcMargins.bottom + 2;
    // Right- or centre-aligned paragraphs need a little more room.
    if (tool.strText.Find(_T("\\qr")) >= 0 || tool.strText.Find(_T("\\qc")) >= 0)
        size.cx += 5;
    return size;
}

void CVZPRichToolTipWnd::DrawTipText(CDC* pDC, LPCTSTR pszText, const CRect& rect)
{
    if (m_richEdit.GetSafeHwnd() == NULL)
    {
        CVZPToolTipWnd::DrawTipText(pDC, pszText, rect);
        return;
    }
    const CRect rcMargins = GetMargins();
    const CRect rc(rect.left + rcMargins.left + 3, rect.top + rcMargins.top + 2, rect.right - 1, rect.bottom - 1);
    const int nDpiX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int nDpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    FORMATRANGE range;
    memset(&range, 0, sizeof(range));
    range.hdc = range.hdcTarget = pDC->GetSafeHdc();
    range.rc.left = ToTwips(rc.left, nDpiX);
    range.rc.top = ToTwips(rc.top, nDpiY);
    range.rc.right = ToTwips(rc.right, nDpiX);
    range.rc.bottom = ToTwips(rc.bottom, nDpiY);
    range.rcPage = range.rc;
    range.chrg.cpMin = 0;
    range.chrg.cpMax = -1;
    const LRESULT nDrawnTo = m_richEdit.SendMessage(EM_FORMATRANGE, TRUE, (LPARAM)&range);
    m_richEdit.SendMessage(EM_FORMATRANGE, FALSE, 0);   // releases the cached layout
    if (nDrawnTo > 0 || m_richEdit.GetTextLength() == 0 || rc.IsRectEmpty())
        return;

    // A rich edit that formats no range (some versions only lay text out
    // for their own window) draws its client area instead: laid out in the
    // text rectangle, on the tip's background colour.
    m_richEdit.MoveWindow(0, 0, rc.Width(), rc.Height(), FALSE);
    CRect rcFormat(0, 0, rc.Width(), rc.Height());
    m_richEdit.SendMessage(EM_SETRECT, 0, (LPARAM)&rcFormat);
    const int nSaved = pDC->SaveDC();
    pDC->OffsetViewportOrg(rc.left, rc.top);
    pDC->IntersectClipRect(0, 0, rc.Width(), rc.Height());
    m_richEdit.SendMessage(WM_PRINTCLIENT, (WPARAM)pDC->GetSafeHdc(), PRF_CLIENT);
    pDC->RestoreDC(nSaved);
}
