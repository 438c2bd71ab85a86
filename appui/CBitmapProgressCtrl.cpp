#include "CBitmapProgressCtrl.h"

#include "CProgressMemDC.h"

BEGIN_MESSAGE_MAP(CBitmapProgressCtrl, CProgressCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CBitmapProgressCtrl::CBitmapProgressCtrl()
    : m_nLower(0), m_nSpan(0), m_nPos(0), m_hBitmap(NULL), m_cxBitmap(0), m_cyBitmap(0)
{
}

CBitmapProgressCtrl::~CBitmapProgressCtrl() = default;

void CBitmapProgressCtrl::SetBitmap(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    {
        m_hBitmap = NULL;
        m_cxBitmap = m_cyBitmap = 0;
    }
    else
    {
        m_hBitmap = hBitmap;
        m_cxBitmap = bm.bmWidth;
        m_cyBitmap = bm.bmHeight;
    }
    if (m_hWnd != NULL)
        Invalidate();
}

void CBitmapProgressCtrl::OnBarPainted(CDC*, int, const CRect&, const CRect&, BOOL)
{
}

void CBitmapProgressCtrl::OnPaint()
{
    if (m_hBitmap == NULL)
    {
        Default();
        return;
    }
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    CProgressMemDC dcMem(&dc, rectClient);
    PaintTo(dcMem);
}

void CBitmapProgressCtrl::PaintTo(CDC& dc)
{
    if (m_hBitmap == NULL)
        return;
    PBRANGE range = {};
    SendMessage(PBM_GETRANGE, 0, (LPARAM)&range);
    m_nLower = range.iLow;
    m_nSpan = range.iHigh - range.iLow;
    m_nPos = (int)SendMessage(PBM_GETPOS);

    CRect rectClient;
    GetClientRect(&rectClient);
    if (GetStyle() & WS_BORDER)
    {
        CBrush brushFrame((COLORREF)RGB(0, 0, 0));
        dc.FrameRect(&rectClient, &brushFrame);
        rectClient.DeflateRect(1, 1);
    }
    rectClient.DeflateRect(1, 1);
    // An empty range has no bar.
    if (m_nSpan <= 0)
        return;
    int nPercent = (int)((long long)(m_nPos - m_nLower) * 100 / m_nSpan);
    BOOL bVertical = (GetStyle() & PBS_VERTICAL) != 0;
    CRect rectFilled = rectClient;
    if (bVertical)
    {
        rectFilled.top = rectClient.bottom - (int)(rectClient.Height() * 0.01 * nPercent);
        if (rectFilled.top < rectClient.top)
            rectFilled.top = rectClient.top + 1;
    }
    else
    {
        rectFilled.right = rectClient.left + (int)(rectClient.Width() * 0.01 * nPercent);
        if (rectFilled.right > rectClient.right)
            rectFilled.right = rectClient.right - 1;
    }

    if (rectFilled.Width() > 0 && rectFilled.Height() > 0)
    {
        CDC dcTiles;
        CDC dcBitmap;
        CBitmap bmTiles;
        if (dcTiles.CreateCompatibleDC(&dc) && dcBitmap.CreateCompatibleDC(&dc) &&
            bmTiles.CreateCompatibleBitmap(&dc, rectFilled.Width(), rectFilled.Height()))
        {
            HGDIOBJ hOldTiles = dcTiles.SelectObject(bmTiles.GetSafeHandle());
            HGDIOBJ hOldBitmap = dcBitmap.SelectObject((HGDIOBJ)m_hBitmap);
            for (int y = 0; y < rectFilled.Height(); y += m_cyBitmap)
                for (int x = 0; x < rectFilled.Width(); x += m_cxBitmap)
                    dcTiles.BitBlt(x, y, m_cxBitmap, m_cyBitmap, &dcBitmap, 0, 0, SRCCOPY);
            dc.BitBlt(rectFilled.left, rectFilled.top, rectFilled.Width(), rectFilled.Height(), &dcTiles, 0, 0,
                      SRCCOPY);
            dcBitmap.SelectObject(hOldBitmap);
            dcTiles.SelectObject(hOldTiles);
        }
    }
    OnBarPainted(&dc, nPercent, rectClient, rectFilled, bVertical);
}
