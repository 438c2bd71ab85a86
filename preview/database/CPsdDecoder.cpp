#include "database/CPsdDecoder.h"

#include <math.h>
#include <string.h>

namespace {

const BYTE kPrefill = 0xFE;

int Clamp(double v)
{
    if (!(v > 0))
        return 0;
    return v > 255 ? 255 : (int)v;
}

DWORD BigEndian(const BYTE* bytes, int n)
{
    DWORD value = 0;
    for (int i = 0; i < n; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

double Gamma(double v)
{
    return v > 0.0031308 ? 1.055 * pow(v, 1 / 2.4) - 0.055 : 12.92 * v;
}

}  // namespace

CPsdDecoder::CPsdDecoder() : m_pFile(NULL), m_nFileSize(0), m_hBitmap(NULL), m_pBits(NULL), m_bDetached(FALSE)
{
    Reset();
}

CPsdDecoder::~CPsdDecoder()
{
    Free();
}

void CPsdDecoder::Reset()
{
    m_nChannels = -1;
    m_nHeight = (DWORD)-1;
    m_nWidth = (DWORD)-1;
    m_nDepth = -1;
    m_nColorMode = -1;
    m_colorModeData.clear();
    m_nIndexedColors = -1;
    m_nTransparentIndex = -1;
    m_nGlobalAngle = 30;
    m_nHorzResolution = 0;
    m_nVertResolution = 0;
    m_bResolutionInfo = FALSE;
    m_bDisplayInfo = FALSE;
    m_bThumbnailInfo = FALSE;
    m_bCopyright = 0;
    m_hBitmap = NULL;
    m_pBits = NULL;
    m_bDetached = FALSE;
}

void CPsdDecoder::Free()
{
    if (m_hBitmap && !m_bDetached)
        DeleteObject(m_hBitmap);
    m_hBitmap = NULL;
    m_pBits = NULL;
    m_colorModeData.clear();
    m_colorModeData.shrink_to_fit();
    if (m_pFile) {
        fclose(m_pFile);
        m_pFile = NULL;
    }
}

HBITMAP CPsdDecoder::DetachBitmap()
{
    m_bDetached = TRUE;
    return m_hBitmap;
}

bool CPsdDecoder::Read(void* buffer, size_t count)
{
    return fread(buffer, 1, count, m_pFile) == count;
}

bool CPsdDecoder::ReadU16(WORD& value)
{
    BYTE b[2];
    if (!Read(b, 2))
        return false;
    value = (WORD)BigEndian(b, 2);
    return true;
}

bool CPsdDecoder::ReadU32(DWORD& value)
{
    BYTE b[4];
    if (!Read(b, 4))
        return false;
    value = BigEndian(b, 4);
    return true;
}

long long CPsdDecoder::Remaining() const
{
    long long pos = _ftelli64(m_pFile);
    return pos < m_nFileSize ? m_nFileSize - pos : 0;
}

int CPsdDecoder::Load(LPCWSTR lpszPath)
{
    m_pFile = _wfopen(lpszPath, L"rb");
    if (!m_pFile)
        return -1;
    _fseeki64(m_pFile, 0, SEEK_END);
    m_nFileSize = _ftelli64(m_pFile);
    _fseeki64(m_pFile, 0, SEEK_SET);
    int result;
    if (!ReadHeader())
        result = -2;
    else if (!ReadColorModeData())
        result = -3;
    else if (!ReadImageResources())
        result = -4;
    else {
        SkipLayerSection();
        result = ReadImageData();
    }
    fclose(m_pFile);
    m_pFile = NULL;
    return result;
}

bool CPsdDecoder::ReadHeader()
{
    BYTE h[26];
    if (!Read(h, sizeof(h)))
        return false;
    if (memcmp(h, "8BPS", 4) != 0 || BigEndian(h + 4, 2) != 1)
        return false;
    for (int i = 6; i < 12; ++i)
        if (h[i])
            return false;
    m_nChannels = (short)BigEndian(h + 12, 2);
    m_nHeight = BigEndian(h + 14, 4);
    m_nWidth = BigEndian(h + 18, 4);
    m_nDepth = (short)BigEndian(h + 22, 2);
    m_nColorMode = (short)BigEndian(h + 24, 2);
    return true;
}

bool CPsdDecoder::ReadColorModeData()
{
    m_colorModeData.clear();
    DWORD length;
    if (!ReadU32(length))
        return false;
    if ((int)length <= 0)
        return true;
    // More than the file holds cannot be read.
    if ((long long)length > Remaining())
        return false;
    m_colorModeData.assign(length, kPrefill);
    return Read(m_colorModeData.data(), length);
}

bool CPsdDecoder::ReadImageResources()
{
    DWORD length;
    if (!ReadU32(length) || (long long)length > Remaining())
        return false;
    long long start = _ftelli64(m_pFile), end = start + length;
    while (_ftelli64(m_pFile) < end) {
        BYTE signature[4];
        if (!Read(signature, 4))
            return false;
        if (memcmp(signature, "8BIM", 4) != 0)
            continue;
        WORD id;
        BYTE nameLength;
        if (!ReadU16(id) || !Read(&nameLength, 1))
            return false;
        BYTE name[256];
        if (!Read(name, nameLength + (nameLength % 2 == 0 ? 1 : 0)))
            return false;
        DWORD size;
        if (!ReadU32(size))
            return false;
        if (size & 1)
            ++size;
        long long data = _ftelli64(m_pFile);
        if ((long long)size > end - data)
            return false;
        BYTE block[28];
        memset(block, 0, sizeof(block));
        size_t fixed = size < sizeof(block) ? size : sizeof(block);
        if (!Read(block, fixed))
            return false;
        // Fixed fields only where the block holds them.
        switch (id) {
        case 1005:
            if (size >= 16) {
                m_nHorzResolution = (WORD)BigEndian(block, 2);
                m_nVertResolution = (WORD)BigEndian(block + 8, 2);
                m_bResolutionInfo = TRUE;
            }
            break;
        case 1007:
            if (size >= 14)
                m_bDisplayInfo = TRUE;
            break;
        case 1033:
        case 1036:
            if (size >= 28)
                m_bThumbnailInfo = TRUE;
            break;
        case 1034:
            if (size >= 2)
                m_bCopyright = BigEndian(block, 2) == 1;
            break;
        case 1037:
            if (size >= 4)
                m_nGlobalAngle = (int)BigEndian(block, 4);
            break;
        case 1046:
            if (size >= 2)
                m_nIndexedColors = (short)BigEndian(block, 2);
            break;
        case 1047:
            if (size >= 2)
                m_nTransparentIndex = (short)BigEndian(block, 2);
            break;
        default:
            break;
        }
        // The next block starts after this one's whole data.
        _fseeki64(m_pFile, data + size, SEEK_SET);
    }
    return _ftelli64(m_pFile) == end;
}

void CPsdDecoder::SkipLayerSection()
{
    DWORD length;
    if (!ReadU32(length))
        return;
    long long skip = (long long)length < Remaining() ? (long long)length : Remaining();
    _fseeki64(m_pFile, skip, SEEK_CUR);
}

int CPsdDecoder::ReadImageData()
{
    WORD compression;
    if (!ReadU16(compression))
        return 0;
    if (compression == 2)
        return -10;
    if (compression == 3)
        return -11;
    if (compression > 1)
        return -12;

    const long long w = m_nWidth, h = m_nHeight, c = m_nChannels;
    if (w < 1 || w > kMaxSide || h < 1 || h > kMaxSide || c < 1 || c > kMaxChannels)
        return -6;
    if ((m_nColorMode == 4 && c < 4) || ((m_nColorMode == 3 || m_nColorMode == 9) && c < 3))
        return -6;
    if (compression == 0 && (m_nColorMode == 0 || m_nColorMode == 7))
        return 0;  // samples of these modes are not read from raw data
    if (m_nDepth != 8 && m_nDepth != 16)
        return -9;
    const long long b = m_nDepth / 8;
    const long long plane = w * h * b;
    const long long N = plane * c;
    if ((unsigned long long)N > kMaxSampleBytes)
        return -6;

    std::vector<BYTE> planes;
    try {
        planes.assign((size_t)N, kPrefill);
    } catch (...) {
        return -6;
    }
    if (compression == 0) {
        // RGB and Lab are drawn from exactly three channels.
        if ((m_nColorMode == 3 || m_nColorMode == 9) && c != 3)
            return 0;
        if (Remaining() < N || !Read(planes.data(), (size_t)N))
            return 0;
    } else {
        long long table = c * h * 2;
        if (table > Remaining())
            return 0;
        _fseeki64(m_pFile, table, SEEK_CUR);
        for (long long ch = 0; ch < c; ++ch) {
            BYTE* out = planes.data() + ch * plane;
            long long produced = 0;
            while (produced < plane) {
                int n = fgetc(m_pFile);
                if (n == EOF)
                    break;
                if (n < 128) {
                    for (int i = 0; i <= n; ++i) {
                        int v = fgetc(m_pFile);
                        if (v == EOF)
                            break;
                        if (produced < plane)
                            out[produced] = (BYTE)v;
                        ++produced;
                    }
                } else if (n > 128) {
                    int v = fgetc(m_pFile);
                    if (v == EOF)
                        break;
                    for (int i = 0; i < 257 - n; ++i) {
                        if (produced < plane)
                            out[produced] = (BYTE)v;
                        ++produced;
                    }
                }
            }
        }
    }

    // Interleave: each pixel takes its b bytes from every plane in order.
    std::vector<BYTE> pixels;
    try {
        pixels.resize((size_t)N);
    } catch (...) {
        return -6;
    }
    const long long count = w * h;
    for (long long ch = 0; ch < c; ++ch)
        for (long long p = 0; p < count; ++p)
            for (long long k = 0; k < b; ++k)
                pixels[(size_t)((p * c + ch) * b + k)] = planes[(size_t)(ch * plane + p * b + k)];
    planes.clear();
    planes.shrink_to_fit();

    if (!CreateDib())
        return -9;
    DrawPixels(pixels.data());
    return 0;
}

bool CPsdDecoder::CreateDib()
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = (LONG)m_nWidth;
    bi.bmiHeader.biHeight = (LONG)m_nHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    LONG ppmX = 3780, ppmY = 3780;
    if (m_bResolutionInfo) {
        ppmX = (LONG)m_nHorzResolution * 10000 / 254;
        ppmY = (LONG)m_nVertResolution * 10000 / 254;
    }
    bi.bmiHeader.biXPelsPerMeter = ppmX;
    bi.bmiHeader.biYPelsPerMeter = ppmY;
    HDC screen = GetDC(NULL);
    void* bits = NULL;
    m_hBitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    ReleaseDC(NULL, screen);
    if (!m_hBitmap || !bits) {
        if (m_hBitmap)
            DeleteObject(m_hBitmap);
        m_hBitmap = NULL;
        return false;
    }
    m_pBits = (BYTE*)bits;
    size_t stride = ((size_t)m_nWidth * 3 + 3) & ~(size_t)3;
    memset(m_pBits, 0xFF, stride * m_nHeight);
    return true;
}

COLORREF CPsdDecoder::CmykToRgb(double c, double m, double y, double k)
{
    double r = floor((1 - (k + (1 - k) * c)) * 255 + 0.5);
    double g = floor((1 - (k + (1 - k) * m)) * 255 + 0.5);
    double b = floor((1 - (k + (1 - k) * y)) * 255 + 0.5);
    return RGB(Clamp(r), Clamp(g), Clamp(b));
}

COLORREF CPsdDecoder::LabToRgb(int L, int a, int b)
{
    double fy = (L + 16) / 116.0;
    double fx = fy + a / 500.0;
    double fz = fy - b / 200.0;
    auto t = [](double f) {
        double f3 = f * f * f;
        return f3 > 0.008856 ? f3 : (f - 16 / 116.0) / 7.787;
    };
    double x = t(fx) * 95.047 * 0.01, yy = t(fy) * 100 * 0.01, z = t(fz) * 108.883 * 0.01;
    double r = 3.2406 * x - 1.5372 * yy - 0.4986 * z;
    double g = -0.9689 * x + 1.8758 * yy + 0.0415 * z;
    double bl = 0.0557 * x - 0.2040 * yy + 1.057 * z;
    return RGB(Clamp((int)(Gamma(r) * 256)), Clamp((int)(Gamma(g) * 256)), Clamp((int)(Gamma(bl) * 256)));
}

void CPsdDecoder::DrawPixels(const BYTE* pixels)
{
    const size_t w = m_nWidth, h = m_nHeight, c = (size_t)m_nChannels, b = (size_t)m_nDepth / 8;
    const size_t stride = (w * 3 + 3) & ~(size_t)3;
    const double A = m_nDepth == 16 ? 65536.0 : 256.0;
    const bool indexed = m_colorModeData.size() == 768 && m_nIndexedColors > 0;
    for (size_t y = 0; y < h; ++y) {
        for (size_t x = 0; x < w; ++x) {
            const BYTE* px = pixels + (y * w + x) * c * b;
            auto sample = [&](size_t ch) { return (double)BigEndian(px + ch * b, (int)b); };
            COLORREF color;
            switch (m_nColorMode) {
            case 1:
            case 8:
                color = RGB(px[0], px[0], px[0]);
                break;
            case 2:
                if (!indexed)
                    continue;
                color = RGB(m_colorModeData[px[0]], m_colorModeData[256 + px[0]], m_colorModeData[512 + px[0]]);
                break;
            case 3:
                color = RGB(px[0], px[b], px[2 * b]);
                break;
            case 4:
                color = CmykToRgb(1 - sample(0) / A, 1 - sample(1) / A, 1 - sample(2) / A, 1 - sample(3) / A);
                break;
            case 7:
                if (c < 3)
                    continue;
                color = CmykToRgb(1 - sample(0) / A, 1 - sample(1) / A, 1 - sample(2) / A,
                                  c >= 4 ? 1 - sample(3) / A : 0);
                break;
            case 9:
                color = LabToRgb((int)(sample(0) / (A * 0.01)), (int)(sample(1) / (A / 256) - 128),
                                 (int)(sample(2) / (A / 256) - 128));
                break;
            default:
                continue;
            }
            // Rows run bottom-up.
            BYTE* out = m_pBits + (h - 1 - y) * stride + x * 3;
            out[0] = GetBValue(color);
            out[1] = GetGValue(color);
            out[2] = GetRValue(color);
        }
    }
    GdiFlush();
}
