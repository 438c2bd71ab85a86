#include "CHtmlImage.h"

#include <ole2.h>
#include <olectl.h>
#include <string.h>
#include <wchar.h>

#include "CHtmlImageLoader.h"
#include "CHtmlRendererHost.h"

namespace {

// Decodes picture bytes into a bitmap compatible with the screen; null when
// no OLE picture loader understands them.
HBITMAP DecodePicture(const BYTE* bytes, int length)
{
    HGLOBAL memory = GlobalAlloc(GMEM_FIXED, (SIZE_T)length);
    if (!memory)
        return nullptr;
    memcpy((void*)memory, bytes, (size_t)length);
    IStream* stream = nullptr;
    IPicture* picture = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(memory, FALSE, &stream))) {
        if (FAILED(OleLoadPicture(stream, length, TRUE, IID_IPicture, (void**)&picture)))
            picture = nullptr;
        stream->Release();
    }
    GlobalFree(memory);
    if (!picture)
        return nullptr;

    short type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Type(&type);
    picture->get_Handle(&handle);
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    HDC screen = GetDC(nullptr);
    int cx = MulDiv(hmWidth, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    int cy = MulDiv(hmHeight, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    BITMAP bm;
    if (type == PICTYPE_BITMAP && GetObjectW((HBITMAP)(UINT_PTR)handle, sizeof(bm), &bm)) {
        // Exact pixels rather than a size rounded through HIMETRIC.
        cx = bm.bmWidth;
        cy = bm.bmHeight;
    }
    HBITMAP bitmap = nullptr;
    if (cx > 0 && cy > 0)
        bitmap = CreateCompatibleBitmap(screen, cx, cy);
    if (bitmap) {
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT rc = {0, 0, cx, cy};
        FillRect(dc, &rc, (HBRUSH)GetStockObject(WHITE_BRUSH));
        if (FAILED(picture->Render(dc, 0, 0, cx, cy, 0, hmHeight, hmWidth, -hmHeight, nullptr))) {
            SelectObject(dc, old);
            DeleteObject(bitmap);
            bitmap = nullptr;
        } else {
            SelectObject(dc, old);
        }
        DeleteDC(dc);
    }
    ReleaseDC(nullptr, screen);
    picture->Release();
    return bitmap;
}

// Copies (stretched or not) a bitmap into a box of dc.
void BlitBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height, int cx, int cy, bool stretch)
{
    if (!bitmap)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    if (stretch) {
        int mode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, x, y, width, height, source, 0, 0, cx, cy, SRCCOPY);
        SetStretchBltMode(dc, mode);
    } else {
        BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace

CHtmlImage::CHtmlImage(const wchar_t* url, int background, CHtmlRendererHost* host, CHtmlImageLoader* loader)
    : m_pszUrl(new wchar_t[wcslen(url) + 1]), m_hFetchEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      m_pHost(host), m_pLoader(loader), m_bBackground(background)
{
    wcscpy(m_pszUrl, url);
}

CHtmlImage::~CHtmlImage()
{
    FreeBitmap();
    delete[] m_pszUrl;
    delete[] m_pBytes;
    if (m_hFetchEvent)
        CloseHandle(m_hFetchEvent);
}

int CHtmlImage::IsFetchDone() const
{
    return (int)InterlockedCompareExchange(const_cast<volatile LONG*>(&m_nFetchDone), 0, 0);
}

void CHtmlImage::Fetch()
{
    int length = 0;
    BYTE* bytes = m_pHost ? m_pHost->FetchData(m_pszUrl, &length) : nullptr;
    FinishFetch(bytes, length);
}

void CHtmlImage::FinishFetch(BYTE* bytes, int length)
{
    m_pBytes = bytes;
    m_nLength = bytes ? length : 0;
    // The event publishes the bytes to the UI thread's decode.
    SetEvent(m_hFetchEvent);
    InterlockedExchange(&m_nFetchDone, 1);
}

int CHtmlImage::Decode(int wait)
{
    if (m_hBitmap)
        return 1;
    if (m_hFetchEvent) {
        if (WaitForSingleObject(m_hFetchEvent, wait ? INFINITE : 0) != WAIT_OBJECT_0)
            return 0;
        CloseHandle(m_hFetchEvent);
        m_hFetchEvent = nullptr;
    }
    if (m_pBytes && m_nLength > 0)
        m_hBitmap = DecodePicture(m_pBytes, m_nLength);
    if (!m_hBitmap)
        m_hBitmap = m_pLoader->GetPlaceholder();
    BITMAP bm;
    if (m_hBitmap && GetObjectW(m_hBitmap, sizeof(bm), &bm)) {
        m_cx = bm.bmWidth;
        m_cy = bm.bmHeight;
    }
    return m_hBitmap ? 1 : 0;
}

void CHtmlImage::FitSize(int* width, int* height) const
{
    if (*width && !*height) {
        if (m_cx)
            *height = *width * m_cy / m_cx;
    } else if (*height && !*width) {
        if (m_cy)
            *width = *height * m_cx / m_cy;
    }
    if (!*width)
        *width = m_cx;
    if (!*height)
        *height = m_cy;
}

void CHtmlImage::Draw(HDC dc, int x, int y, int width, int height) const
{
    BlitBitmap(dc, m_hBitmap, x, y, width, height, m_cx, m_cy, false);
}

void CHtmlImage::DrawStretched(HDC dc, int x, int y, int width, int height) const
{
    BlitBitmap(dc, m_hBitmap, x, y, width, height, m_cx, m_cy, true);
}

void CHtmlImage::FreeBitmap()
{
    if (m_hBitmap && m_hBitmap != m_pLoader->GetPlaceholder())
        DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
}
