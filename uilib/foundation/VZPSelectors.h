// Scoped selection of GDI objects: each selects on construction and puts the
// device context's previous object back when it goes out of scope.
#pragma once

#include <afxwin.h>

// Selects a GDI object into a DC and the DC's previous object back on
// destruction; the object is not owned.
class CVZPObjectSelector
{
public:
    CVZPObjectSelector(HDC hDC, HGDIOBJ hObject);
    virtual ~CVZPObjectSelector();
    CVZPObjectSelector(const CVZPObjectSelector&) = delete;
    CVZPObjectSelector& operator=(const CVZPObjectSelector&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOldObject;
};

// Selects a bitmap (no handle for a NULL pointer) into a DC (none for NULL).
class CVZPBitmapSelector : public CVZPObjectSelector
{
public:
    CVZPBitmapSelector(CDC* pDC, CBitmap* pBitmap);
};

// Selects a font into a DC.
class CVZPFontSelector : public CVZPObjectSelector
{
public:
    CVZPFontSelector(CDC* pDC, CFont* pFont);
};

// Creates a solid one-pixel pen of a colour and selects it; deleted again on
// destruction.
class CVZPPenSelector
{
public:
    CVZPPenSelector(HDC hDC, COLORREF clr);
    virtual ~CVZPPenSelector();
    CVZPPenSelector(const CVZPPenSelector&) = delete;
    CVZPPenSelector& operator=(const CVZPPenSelector&) = delete;

    // Replaces the pen by one of another colour.
    void SetColor(COLORREF clr);
    // The selected pen's colour, read back from the pen.
    COLORREF GetColor() const;

private:
    CPen m_pen;
    HDC m_hDC;
    HGDIOBJ m_hOldObject;
};

// Creates a solid brush of a colour and selects it; deleted again on
// destruction.
class CVZPBrushSelector
{
public:
    CVZPBrushSelector(HDC hDC, COLORREF clr);
    virtual ~CVZPBrushSelector();
    CVZPBrushSelector(const CVZPBrushSelector&) = delete;
    CVZPBrushSelector& operator=(const CVZPBrushSelector&) = delete;

    // Replaces the brush by one of another colour.
    void SetColor(COLORREF clr);

private:
    CBrush m_brush;
    HDC m_hDC;
    HGDIOBJ m_hOldObject;
};
