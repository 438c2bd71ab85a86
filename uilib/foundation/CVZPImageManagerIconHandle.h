// One image of a command: a classic icon (HICON with a mask) or a 32-bit
// bitmap with per-pixel alpha, with a premultiplied copy of it made for
// drawing. A handle owns its images unless it was made to refer to others'.
#pragma once

#include <afxwin.h>

class CVZPImageManagerIconHandle
{
public:
    CVZPImageManagerIconHandle();
    // Refer to the handle without owning it.
    explicit CVZPImageManagerIconHandle(HICON hIcon);
    explicit CVZPImageManagerIconHandle(HBITMAP hBitmap);
    // Shares the other's images without owning them (no cache).
    CVZPImageManagerIconHandle(const CVZPImageManagerIconHandle& handle);
    ~CVZPImageManagerIconHandle();
    CVZPImageManagerIconHandle& operator=(const CVZPImageManagerIconHandle&) = delete;

    // An owned copy of the other's images.
    void CopyFrom(const CVZPImageManagerIconHandle& handle);
    // An owned copy of a 32-bit bitmap.
    void CopyBitmap(HBITMAP hBitmap);
    void AttachIcon(HICON hIcon);
    void AttachBitmap(HBITMAP hBitmap);
    // Destroys owned images and the cache; the ownership flag stays.
    void Clear();

    BOOL IsEmpty() const { return m_hIcon == NULL && m_hBitmap == NULL; }
    BOOL IsAlpha() const { return m_hBitmap != NULL; }
    HICON GetIcon() const { return m_hIcon; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    CSize GetExtent() const;
    // Makes the premultiplied copy once; TRUE when it exists.
    BOOL CreatePremultiplied();
    HBITMAP GetPremultiplied() const { return m_hPremultiplied; }
    // The icon resource of the id at cx x cy; with bSearchGroup, the group's
    // entry of that size.
    BOOL LoadIconResource(UINT nID, int cx, int cy, BOOL bSearchGroup);

    HICON m_hIcon;
    HBITMAP m_hBitmap;
    HBITMAP m_hPremultiplied;
    BOOL m_bOwnsHandles;
};
