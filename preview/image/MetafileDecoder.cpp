#include "image/MetafileDecoder.h"

#include "image/DibDrawing.h"
#include "image/ImageBytes.h"

#include <cstring>

using imagebytes::le16;
using imagebytes::le32;

namespace {

const DWORD kPlaceableKey = 0x9AC6CDD7;
const size_t kPlaceableSize = 22;

// Owns a metafile handle.
class CEnhMetaFile
{
public:
    explicit CEnhMetaFile(HENHMETAFILE h) : m_h(h) {}
    ~CEnhMetaFile()
    {
        if (m_h)
            ::DeleteEnhMetaFile(m_h);
    }
    CEnhMetaFile(const CEnhMetaFile&) = delete;
    CEnhMetaFile& operator=(const CEnhMetaFile&) = delete;
    HENHMETAFILE Get() const { return m_h; }

private:
    HENHMETAFILE m_h;
};

// A placeable metafile: its 22-byte header gives the bounds in its own units
// per inch; the rest is a plain Windows metafile.
HENHMETAFILE FromPlaceable(const BYTE* data, size_t size)
{
    if (size <= kPlaceableSize || le32(data) != kPlaceableKey)
        return NULL;
    int left = static_cast<short>(le16(data + 6)), top = static_cast<short>(le16(data + 8));
    int right = static_cast<short>(le16(data + 10)), bottom = static_cast<short>(le16(data + 12));
    int inch = le16(data + 14);
    if (inch == 0 || right <= left || bottom <= top)
        return NULL;
    METAFILEPICT pict;
    pict.mm = MM_ANISOTROPIC;
    pict.xExt = MulDiv(right - left, 2540, inch); // HIMETRIC
    pict.yExt = MulDiv(bottom - top, 2540, inch);
    pict.hMF = NULL;
    return ::SetWinMetaFileBits(static_cast<UINT>(size - kPlaceableSize), data + kPlaceableSize, NULL, &pict);
}

} // namespace

bool DecodeMetafile(const BYTE* data, size_t size, CDibImage& image)
{
    image.Clear();
    if (data == nullptr || size < sizeof(ENHMETAHEADER) || size > 0x7FFFFFFF)
        return false;
    HENHMETAFILE h = NULL;
    // An enhanced metafile starts with its header record (type 1, " EMF").
    if (le32(data) == EMR_HEADER && le32(data + 40) == ENHMETA_SIGNATURE)
        h = ::SetEnhMetaFileBits(static_cast<UINT>(size), data);
    else
        h = FromPlaceable(data, size);
    CEnhMetaFile metafile(h);
    if (h == NULL)
        return false;
    ENHMETAHEADER header;
    if (::GetEnhMetaFileHeader(h, sizeof(header), &header) == 0)
        return false;
    LONG w = header.rclBounds.right - header.rclBounds.left + 1;
    LONG hgt = header.rclBounds.bottom - header.rclBounds.top + 1;
    if (header.rclBounds.right < header.rclBounds.left || header.rclBounds.bottom < header.rclBounds.top ||
        w <= 0 || hgt <= 0)
        return false;
    if (!image.Allocate(static_cast<DWORD>(w), static_cast<DWORD>(hgt)))
        return false;

    // Play into a DIB section of the picture's size, then keep its pixels.
    BITMAPINFO info;
    FillDibInfo(image, info);
    void* bits = nullptr;
    HDC screen = ::GetDC(NULL);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    ::ReleaseDC(NULL, screen);
    bool ok = false;
    if (mem && bitmap && bits) {
        HGDIOBJ old = ::SelectObject(mem, bitmap);
        std::memset(bits, 0xFF, image.GetStride() * image.GetHeight());
        RECT r = {0, 0, w, hgt};
        // The bounds are where the records draw: shift them to the origin.
        ::SetViewportOrgEx(mem, 0, 0, NULL);
        ok = ::PlayEnhMetaFile(mem, h, &r) != FALSE;
        ::GdiFlush();
        std::memcpy(image.Bits(), bits, image.GetStride() * image.GetHeight());
        ::SelectObject(mem, old);
    }
    if (bitmap)
        ::DeleteObject(bitmap);
    if (mem)
        ::DeleteDC(mem);
    if (!ok)
        image.Clear();
    return ok;
}
