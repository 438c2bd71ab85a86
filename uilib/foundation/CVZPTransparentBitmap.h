// A bitmap (not owned) whose top-left pixel gives its transparent colour.
#pragma once

#include <afxwin.h>

class CVZPTransparentBitmap
{
public:
    explicit CVZPTransparentBitmap(HBITMAP hBitmap) : m_hBitmap(hBitmap) {}

    // The colour of the top-left pixel; -1 when the handle is no GDI object.
    COLORREF GetTransparentColor() const;
    // A new icon (the caller destroys it) of the bitmap masked by its
    // transparent colour; NULL for a bitmap without pixels.
    HICON ConvertToIcon() const;

private:
    HBITMAP m_hBitmap;
};
