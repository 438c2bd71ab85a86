// An owner-drawn bitmap button with two images of one size, a normal and a
// hover image, that it sizes itself to: the shared base of the wizard's tool
// buttons and the start page's mode buttons.
#pragma once

#include <afxwin.h>
#include <afxext.h>

// The base class's own four bitmaps stay unloaded; the two images here are
// owned and drawn by the derived classes' DrawItem through DrawImage.
class CBitmapPairButton : public CBitmapButton
{
    DECLARE_DYNAMIC(CBitmapPairButton)
public:
    CBitmapPairButton();
    ~CBitmapPairButton() override;

    // Loads both bitmaps from the module's resources (with 3-D colours
    // mapped) and resizes the window to the normal one. FALSE when the
    // normal bitmap is missing.
    BOOL LoadBitmaps(UINT nIDNormal, UINT nIDHover);
    using CBitmapButton::LoadBitmaps;

    int GetImageWidth() const { return m_nWidth; }
    int GetImageHeight() const { return m_nHeight; }

protected:
    // Copies the normal or the hover image to (0,0) of the item's DC.
    void DrawImage(LPDRAWITEMSTRUCT lpDrawItemStruct, BOOL bHover);

    int m_nWidth;
    int m_nHeight;
    CBitmap m_bitmapNormal;
    CBitmap m_bitmapHover;
};

// Asks the window for WM_MOUSEHOVER (after 1 ms) and WM_MOUSELEAVE; the
// result of the request.
BOOL TrackHoverAndLeave(CWnd* pWnd);
