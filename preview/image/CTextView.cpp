#include "image/CTextView.h"

#include "image/PreviewDocument.h"

IMPLEMENT_DYNCREATE(CTextView, CView)

BEGIN_MESSAGE_MAP(CTextView, CView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CTextView::CTextView() : m_sizeHimetric(0, 0), m_sizePixels(0, 0), m_pPicture(NULL) {}

CTextView::~CTextView() { ReleasePicture(); }

void CTextView::ReleasePicture()
{
    if (m_pPicture != NULL) {
        m_pPicture->Release();
        m_pPicture = NULL;
    }
}

int CTextView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (LoadPicture(GetPreviewPath(this)) == 0)
        ReportPreviewFailure();
    return 0;
}

int CTextView::LoadPicture(LPCTSTR lpszPath)
{
    ReleasePicture();
    if (lpszPath == NULL || *lpszPath == 0)
        return 0;
    IPicture* pPicture = NULL;
    HRESULT hr = ::OleLoadPicturePath(const_cast<LPOLESTR>(lpszPath), NULL, 0, 0, IID_IPicture,
                                      reinterpret_cast<void**>(&pPicture));
    if (FAILED(hr) || pPicture == NULL)
        return 0;
    m_pPicture = pPicture;
    OLE_XSIZE_HIMETRIC cx = 0;
    OLE_YSIZE_HIMETRIC cy = 0;
    m_pPicture->get_Width(&cx);
    m_pPicture->get_Height(&cy);
    m_sizeHimetric = CSize(cx, cy);
    HDC screen = ::GetDC(NULL);
    int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX), dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(NULL, screen);
    m_sizePixels = CSize((dpiX * cx + 1270) / 2540, (dpiY * cy + 1270) / 2540);
    return 1;
}

CRect CTextView::MarginRect(const CRect& client)
{
    return CRect(200, 10, 200 + client.Width() - 400, 10 + client.Height() - 20);
}

void CTextView::OnDraw(CDC* pDC)
{
    if (m_pPicture == NULL)
        return;
    CRect client;
    GetClientRect(&client);
    HDC hdc = pDC->GetSafeHdc();
    HPALETTE hOldPal = NULL;
    OLE_HANDLE hPal = 0;
    if (SUCCEEDED(m_pPicture->get_hPal(&hPal)) && hPal != 0) {
        hOldPal = ::SelectPalette(hdc, (HPALETTE)(UINT_PTR)hPal, TRUE);
        ::RealizePalette(hdc);
    }
    const LONG hmWidth = m_sizeHimetric.cx, hmHeight = m_sizeHimetric.cy;
    DWORD attributes = 0;
    if (FAILED(m_pPicture->get_Attributes(&attributes)) || (attributes & PICTURE_TRANSPARENT)) {
        // In a pane narrower than 400 or lower than 20 pixels the margins
        // leave nothing; a negative size would mirror the picture.
        CRect target = MarginRect(client);
        if (target.Width() > 0 && target.Height() > 0 && m_sizePixels.cx > 0 && m_sizePixels.cy > 0) {
            HDC mem = ::CreateCompatibleDC(hdc);
            HBITMAP bitmap = ::CreateCompatibleBitmap(hdc, m_sizePixels.cx, m_sizePixels.cy);
            if (mem && bitmap) {
                HGDIOBJ oldBitmap = ::SelectObject(mem, bitmap);
                HPALETTE hMemOldPal = NULL;
                if (hPal != 0) {
                    hMemOldPal = ::SelectPalette(mem, (HPALETTE)(UINT_PTR)hPal, TRUE);
                    ::RealizePalette(mem);
                }
                m_pPicture->Render(mem, 0, 0, m_sizePixels.cx, m_sizePixels.cy, 0, hmHeight, hmWidth, -hmHeight,
                                   NULL);
                ::StretchBlt(hdc, target.left, target.top, target.Width(), target.Height(), mem, 0, 0,
                             m_sizePixels.cx, m_sizePixels.cy, SRCCOPY);
                if (hMemOldPal)
                    ::SelectPalette(mem, hMemOldPal, TRUE);
                ::SelectObject(mem, oldBitmap);
            }
            if (bitmap)
                ::DeleteObject(bitmap);
            if (mem)
                ::DeleteDC(mem);
        }
    } else {
        m_pPicture->Render(hdc, 0, 0, m_sizePixels.cx, m_sizePixels.cy, 0, hmHeight, hmWidth, -hmHeight, &client);
    }
    if (hOldPal)
        ::SelectPalette(hdc, hOldPal, TRUE);
}

void CTextView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    if (!pDC->IsPrinting())
        return;
    HDC info = ::CreateICW(L"DISPLAY", NULL, NULL, NULL);
    int screenX = info ? ::GetDeviceCaps(info, LOGPIXELSX) : 96;
    int screenY = info ? ::GetDeviceCaps(info, LOGPIXELSY) : 96;
    if (info)
        ::DeleteDC(info);
    HDC hdc = pDC->GetSafeHdc();
    ::SetMapMode(hdc, MM_ANISOTROPIC);
    ::SetWindowExtEx(hdc, screenX, screenY, NULL);
    ::SetViewportExtEx(hdc, ::GetDeviceCaps(hdc, LOGPIXELSX), ::GetDeviceCaps(hdc, LOGPIXELSY), NULL);
    ::SetWindowOrgEx(hdc, 0, 0, NULL);
    ::SetViewportOrgEx(hdc, 0, 0, NULL);
}
