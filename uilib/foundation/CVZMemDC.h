// An off-screen buffer over one rectangle of a target DC (its whole clip box
// for an empty rectangle), optionally filled with a gradient first. Drawing
// uses coordinates relative to the rectangle's top-left corner; the
// destructor copies the buffer there in one BitBlt. When no memory DC can be
// made it draws nowhere and copies nothing.
#pragma once

#include <afxwin.h>

#include "CVZPGradientColor.h"

class CVZMemDC : public CDC
{
    DECLARE_DYNAMIC(CVZMemDC)
public:
    // The background is drawn when its end colour is set (bHorz: left to
    // right, else top to bottom).
    CVZMemDC(CDC* pDC, const CRect& rect, CVZPGradientColor clrBack = CVZPGradientColor(), BOOL bHorz = FALSE);
    ~CVZMemDC() override;
    CVZMemDC(const CVZMemDC&) = delete;
    CVZMemDC& operator=(const CVZMemDC&) = delete;

    BOOL IsValid() const { return m_bValid; }
    const CRect& GetArea() const { return m_rect; }

private:
    CDC* m_pDC;
    BOOL m_bValid;
    CRect m_rect;
    CBitmap m_bitmap;
    HBITMAP m_hOldBitmap;
};
