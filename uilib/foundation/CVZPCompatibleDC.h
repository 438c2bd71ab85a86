// A memory DC compatible with another DC (the screen for NULL) with a bitmap
// selected for its lifetime.
#pragma once

#include <afxwin.h>

class CVZPCompatibleDC : public CDC
{
public:
    CVZPCompatibleDC(CDC* pDC, CBitmap* pBitmap);
    ~CVZPCompatibleDC() override;
    CVZPCompatibleDC(const CVZPCompatibleDC&) = delete;
    CVZPCompatibleDC& operator=(const CVZPCompatibleDC&) = delete;

private:
    CGdiObject* m_pOldObject;
};
