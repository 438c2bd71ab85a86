// The images of one command id, one icon per width. The set holds one
// reference to each icon. Reference counted.
#pragma once

#include "CVZPImageManagerIcon.h"

#include <afxtempl.h>

class CVZPImageManager;

class CVZPImageManagerIconSet : public CCmdTarget
{
public:
    CVZPImageManagerIconSet(UINT nID, CVZPImageManager* pManager);
    ~CVZPImageManagerIconSet() override;

    // The icon of the width, made (height 15) when missing.
    CVZPImageManagerIcon* GetIcon(UINT nWidth);
    // The icon of the width; with bScaleWhenMissing, the nearest width's
    // icon, or a resampled copy of it (kept until RemoveScaled).
    CVZPImageManagerIcon* GetIcon(UINT nWidth, BOOL bScaleWhenMissing);
    void SetIcon(const CVZPImageManagerIconHandle& handle, UINT nWidth);
    void SetDisabledIcon(const CVZPImageManagerIconHandle& handle, UINT nWidth);
    void SetHotIcon(const CVZPImageManagerIconHandle& handle, UINT nWidth);
    void SetCheckedIcon(const CVZPImageManagerIconHandle& handle, UINT nWidth);
    void RemoveAll();
    // Drops the generated images, and the resampled copies.
    void RemoveScaled();

    UINT GetID() const { return m_nID; }
    CVZPImageManager* GetImageManager() const { return m_pManager; }

    CMap<UINT, UINT, CVZPImageManagerIcon*, CVZPImageManagerIcon*> m_mapIcons;

private:
    UINT m_nID;
    CVZPImageManager* m_pManager;
};
