#include "image/CxImage.h"

#include "image/DibDrawing.h"
#include "image/MetafileDecoder.h"
#include "image/PcxDecoder.h"
#include "image/PnmDecoder.h"
#include "image/TgaDecoder.h"
#include "image/WbmpDecoder.h"
#include "image/WicDecoder.h"

#include <new>
#include <vector>

namespace {

// Owns a file handle.
class CFileHandle
{
public:
    explicit CFileHandle(HANDLE h) : m_h(h) {}
    ~CFileHandle()
    {
        if (m_h != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_h);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};

// Reads the whole file; false when it cannot be opened, is empty, passes the
// cap or reads short.
bool ReadWholeFile(LPCWSTR path, std::vector<BYTE>& bytes)
{
    if (path == nullptr)
        return false;
    CFileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, NULL));
    if (file.Get() == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > CxImage::kMaxFileSize)
        return false;
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return false;
    }
    DWORD done = 0;
    return ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, NULL) &&
           done == bytes.size();
}

} // namespace

CxImage::CxImage(LPCWSTR lpszPath, int nType) : m_nType(nType)
{
    std::vector<BYTE> bytes;
    if (ReadWholeFile(lpszPath, bytes))
        Decode(nType, bytes.data(), bytes.size(), m_image);
}

CxImage::~CxImage() { Destroy(); }

void CxImage::Destroy() { m_image.Clear(); }

long CxImage::Stretch(HDC hdc, long x, long y, long width, long height, DWORD rop) const
{
    return StretchDib(m_image, hdc, x, y, width, height, rop);
}

bool CxImage::Decode(int nType, const BYTE* data, size_t size, CDibImage& image)
{
    image.Clear();
    switch (nType) {
    case 1: return DecodeWithWic(WicFormat::Bmp, data, size, image);
    case 2: return DecodeWithWic(WicFormat::Gif, data, size, image);
    case 3: return DecodeWithWic(WicFormat::Jpeg, data, size, image);
    case 4: return DecodeWithWic(WicFormat::Png, data, size, image);
    case 5: return DecodeWithWic(WicFormat::Ico, data, size, image);
    case 6: return DecodeWithWic(WicFormat::Tiff, data, size, image);
    case 7: return DecodeTga(data, size, image);
    case 8: return DecodePcx(data, size, image);
    case 9: return DecodeWbmp(data, size, image);
    case 10: return DecodeMetafile(data, size, image);
    case 14: return DecodePnm(data, size, image);
    default:
        // JPEG 2000 (11, 12), PGX (13) and Sun raster (15): no decoder.
        return false;
    }
}
