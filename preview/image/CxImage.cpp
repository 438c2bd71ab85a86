#include "image/CxImage.h"

CxImage::CxImage(LPCWSTR lpszPath, int nType) : m_nType(nType) { (void)lpszPath; }

CxImage::~CxImage() { Destroy(); }

long CxImage::Stretch(HDC hdc, const RECT& rect) const
{
    (void)hdc;
    (void)rect;
    return 0;
}
