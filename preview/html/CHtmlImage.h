// One picture of a page: fetched in the background through the host, then
// decoded on the UI thread when layout or drawing first needs it, through
// OLE picture loading into a bitmap compatible with the screen. A picture
// that cannot be fetched or decoded shows as the loader's white placeholder.
#pragma once

#include <windows.h>

class CHtmlImageLoader;
class CHtmlRendererHost;

class CHtmlImage
{
public:
    CHtmlImage(const wchar_t* url, int background, CHtmlRendererHost* host, CHtmlImageLoader* loader);
    ~CHtmlImage();
    CHtmlImage(const CHtmlImage&) = delete;
    CHtmlImage& operator=(const CHtmlImage&) = delete;

    // 1 once the fetch has stored its bytes (or their absence) and finished.
    int IsFetchDone() const;
    // 1 when a bitmap (the picture's or the placeholder) is available; with
    // wait 0 a picture still being fetched gives 0.
    int Decode(int wait);
    // Fills in a missing width or height from the aspect ratio; what is
    // still 0 becomes the picture's own size.
    void FitSize(int* width, int* height) const;
    // Copies the bitmap unscaled from its top left into the box.
    void Draw(HDC dc, int x, int y, int width, int height) const;
    // Stretches the whole bitmap into the box.
    void DrawStretched(HDC dc, int x, int y, int width, int height) const;
    // Deletes the decoded bitmap (never the placeholder); the fetched
    // bytes stay for the next decode.
    void FreeBitmap();

    int GetWidth() const { return m_cx; }
    int GetHeight() const { return m_cy; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    const wchar_t* GetUrl() const { return m_pszUrl; }
    int IsBackground() const { return m_bBackground; }

private:
    friend class CHtmlImageLoader;
    // On a fetch thread: fetches the bytes through the host.
    void Fetch();
    // Stores the fetch's result (null: none) and signals it.
    void FinishFetch(BYTE* bytes, int length);

    HBITMAP m_hBitmap = nullptr;
    wchar_t* m_pszUrl;
    BYTE* m_pBytes = nullptr;
    int m_nLength = 0;
    HANDLE m_hFetchEvent;
    int m_cx = 0;
    int m_cy = 0;
    CHtmlRendererHost* m_pHost;
    CHtmlImageLoader* m_pLoader;
    volatile LONG m_nFetchDone = 0;
    int m_bBackground;
};
