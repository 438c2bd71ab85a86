// The image of one command at one width, with its state images: supplied hot,
// checked and disabled images, and the faded, shadow and disabled images
// generated from the normal one on first use and dropped whenever the source
// or the colours change. Reference counted (InternalRelease deletes it).
#pragma once

#include "CVZPImageManagerIconHandle.h"

class CVZPImageManager;
class CVZPImageManagerIconSet;

class CVZPImageManagerIcon : public CCmdTarget
{
public:
    CVZPImageManagerIcon(UINT nID, int nWidth, int nHeight, CVZPImageManagerIconSet* pIconSet);
    ~CVZPImageManagerIcon() override;

    // The stored form: height, schema (16), then the normal, disabled, hot
    // and checked images, each as two bitmap blocks.
    void Serialize(CArchive& ar) override;

    CVZPImageManagerIconHandle& GetIcon() { return m_hIcon; }
    CVZPImageManagerIconHandle& GetFadedIcon();
    CVZPImageManagerIconHandle& GetShadowIcon();
    CVZPImageManagerIconHandle& GetHotIcon();
    CVZPImageManagerIconHandle& GetCheckedIcon();
    BOOL HasDisabledIcon() const;
    CVZPImageManagerIconHandle& GetDisabledIcon(BOOL bCreate = TRUE);
    BOOL IsAlpha() const { return m_hIcon.IsAlpha(); }

    // Replaces the normal image with a copy and clears every other image.
    void SetIcon(const CVZPImageManagerIconHandle& handle);
    void SetHotIcon(const CVZPImageManagerIconHandle& handle);
    void SetCheckedIcon(const CVZPImageManagerIconHandle& handle);
    void SetDisabledIcon(const CVZPImageManagerIconHandle& handle);
    // Generates the disabled image: grey, or tinted between the two colours
    // (both -1: grey).
    void CreateDisabledIcon(COLORREF clrLight = (COLORREF)-1, COLORREF clrDark = (COLORREF)-1);
    // A new icon at another width, resampled; NULL unless the image is an
    // icon.
    CVZPImageManagerIcon* CreateScaledCopy(int nWidth);
    // Drops the generated images.
    void ClearGenerated();

    // Draws one image of this icon; cx 0 is the icon's width, cy 0 keeps
    // the proportions.
    void Draw(CDC* pDC, POINT pt, CVZPImageManagerIconHandle& handle, int cx = 0, int cy = 0);
    void Draw(CDC* pDC, POINT pt, CVZPImageManagerIconHandle& handle, SIZE size) { Draw(pDC, pt, handle, size.cx, size.cy); }
    // Draws the icon's shape in one colour (icons only); a zero size is the
    // icon's own.
    void DrawMono(CDC* pDC, POINT pt, CVZPImageManagerIconHandle& handle, SIZE size, COLORREF clr);
    void DrawMono(CDC* pDC, POINT pt, CVZPImageManagerIconHandle& handle, COLORREF clr)
    {
        DrawMono(pDC, pt, handle, SIZE{ 0, 0 }, clr);
    }

    CVZPImageManager* GetImageManager() const;

    UINT m_nID;
    int m_nWidth;
    int m_nHeight;
    BOOL m_bScaled;

private:
    void ClearAll();

    CVZPImageManagerIconHandle m_hIcon;
    CVZPImageManagerIconHandle m_hFaded;
    CVZPImageManagerIconHandle m_hShadow;
    CVZPImageManagerIconHandle m_hHot;
    CVZPImageManagerIconHandle m_hChecked;
    CVZPImageManagerIconHandle m_hDisabled;
    CVZPImageManagerIconHandle m_hDisabledGenerated;
    CVZPImageManagerIconSet* m_pIconSet;
};
