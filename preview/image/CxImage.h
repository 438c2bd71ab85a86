// The picture layer the document and the image views load pictures through:
// built from a file name and a format code (1 to 15, CEx_StyleDoc's table).
// This first form decodes nothing: its pictures are never valid, so the
// views show no picture.
#pragma once

#include <windows.h>

class CxImage
{
public:
    CxImage(LPCWSTR lpszPath, int nType);
    ~CxImage();
    CxImage(const CxImage&) = delete;
    CxImage& operator=(const CxImage&) = delete;

    bool IsValid() const { return false; }
    DWORD GetWidth() const { return 0; }
    DWORD GetHeight() const { return 0; }
    // Draws the picture stretched into the rectangle; nothing without one.
    long Stretch(HDC hdc, const RECT& rect) const;
    void Destroy() {}
    int GetType() const { return m_nType; }

private:
    int m_nType;
};
