// Decodes the flattened composite image of a layered picture document
// (".psd") into a 24-bit DIB section, converting greyscale, duotone,
// indexed, RGB, CMYK, multichannel and Lab samples to RGB.
#pragma once

#include <windows.h>
#include <stdio.h>

#include <vector>

class CPsdDecoder
{
public:
    enum {
        kMaxSide = 30000,
        kMaxChannels = 56,
    };
    static const unsigned long long kMaxSampleBytes = 256ull * 1024 * 1024;

    CPsdDecoder();
    ~CPsdDecoder();
    CPsdDecoder(const CPsdDecoder&) = delete;
    CPsdDecoder& operator=(const CPsdDecoder&) = delete;

    void Reset();
    void Free();
    // 0 on success (a bitmap may still be missing, see GetBitmap), -1 the
    // file cannot be opened, -2 bad header, -3 colour mode data, -4 image
    // resources, -6 image data refused or unreadable, -9 no bitmap for the
    // depth, -10 ZIP, -11 ZIP with prediction, -12 other compressions.
    int Load(LPCWSTR lpszPath);
    HBITMAP DetachBitmap();
    HBITMAP GetBitmap() const { return m_hBitmap; }

    static COLORREF CmykToRgb(double c, double m, double y, double k);
    static COLORREF LabToRgb(int L, int a, int b);

    // Header values.
    short m_nChannels;
    DWORD m_nHeight;
    DWORD m_nWidth;
    short m_nDepth;
    short m_nColorMode;

    std::vector<BYTE> m_colorModeData;
    short m_nIndexedColors;     // resource 1046; -1 when absent
    short m_nTransparentIndex;  // resource 1047
    int m_nGlobalAngle;         // resource 1037; 30 when absent
    WORD m_nHorzResolution;     // resource 1005
    WORD m_nVertResolution;
    BOOL m_bResolutionInfo;
    BOOL m_bDisplayInfo;        // resource 1007
    BOOL m_bThumbnailInfo;      // resources 1033, 1036
    BYTE m_bCopyright;          // resource 1034

private:
    bool ReadHeader();
    bool ReadColorModeData();
    bool ReadImageResources();
    void SkipLayerSection();
    int ReadImageData();
    bool CreateDib();
    void DrawPixels(const BYTE* pixels);

    bool Read(void* buffer, size_t count);
    bool ReadU16(WORD& value);
    bool ReadU32(DWORD& value);
    long long Remaining() const;

    FILE* m_pFile;
    long long m_nFileSize;
    HBITMAP m_hBitmap;
    BYTE* m_pBits;
    BOOL m_bDetached;
};
