// Paints without flicker: drawing goes into a memory bitmap as large as the
// area's right and bottom edges (so the target's own coordinates apply), and
// the destructor copies the area to the target in one BitBlt.
#pragma once

#include <afxwin.h>

class CVZPDoubleBufferDC : public CDC
{
public:
    CVZPDoubleBufferDC(HDC hTarget, CRect rcArea);
    ~CVZPDoubleBufferDC() override;
    CVZPDoubleBufferDC(const CVZPDoubleBufferDC&) = delete;
    CVZPDoubleBufferDC& operator=(const CVZPDoubleBufferDC&) = delete;

private:
    HDC m_hTarget;
    CBitmap m_bitmap;
    CRect m_rcArea;
    HGDIOBJ m_hOldBitmap;
};
