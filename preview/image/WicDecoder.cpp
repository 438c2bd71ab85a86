#include "image/WicDecoder.h"

#include <wincodec.h>

#include <cstring>
#include <vector>

namespace {

// Releases a COM interface pointer.
template <class T> class CComRef
{
public:
    CComRef() : m_p(nullptr) {}
    ~CComRef()
    {
        if (m_p)
            m_p->Release();
    }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    T* operator->() const { return m_p; }
    T** operator&() { return &m_p; }
    T* Get() const { return m_p; }

private:
    T* m_p;
};

// COM for the calling thread, undone when this call initialised it.
class CComScope
{
public:
    CComScope() : m_hr(::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)) {}
    ~CComScope()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    HRESULT m_hr;
};

const CLSID& DecoderClass(WicFormat format)
{
    switch (format) {
    case WicFormat::Bmp: return CLSID_WICBmpDecoder;
    case WicFormat::Gif: return CLSID_WICGifDecoder;
    case WicFormat::Jpeg: return CLSID_WICJpegDecoder;
    case WicFormat::Png: return CLSID_WICPngDecoder;
    case WicFormat::Ico: return CLSID_WICIcoDecoder;
    default: return CLSID_WICTiffDecoder;
    }
}

} // namespace

bool DecodeWithWic(WicFormat format, const BYTE* data, size_t size, CDibImage& image)
{
    image.Clear();
    if (data == nullptr || size == 0 || size > 0x7FFFFFFF)
        return false;
    CComScope com;
    CComRef<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factory))))
        return false;
    CComRef<IWICStream> stream;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))))
        return false;
    CComRef<IWICBitmapDecoder> decoder;
    if (FAILED(::CoCreateInstance(DecoderClass(format), NULL, CLSCTX_INPROC_SERVER, IID_IWICBitmapDecoder,
                                  reinterpret_cast<void**>(&decoder))))
        return false;
    if (FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)))
        return false;
    CComRef<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, &frame)))
        return false;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)))
        return false;
    // Every source format converts to 32-bit BGRA here (the imaging
    // component of some systems has no path from paletted pictures to
    // 24-bit); alpha is laid over a white ground.
    CComRef<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, NULL, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    if (!image.Allocate(width, height))
        return false;
    std::vector<BYTE> row(static_cast<size_t>(width) * 4);
    // WIC gives rows top-down; the DIB keeps them bottom-up, so copy by row.
    for (UINT y = 0; y < height; ++y) {
        WICRect rect = {0, static_cast<INT>(y), static_cast<INT>(width), 1};
        if (FAILED(converter->CopyPixels(&rect, static_cast<UINT>(row.size()), static_cast<UINT>(row.size()),
                                         row.data()))) {
            image.Clear();
            return false;
        }
        BYTE* out = image.Row(y);
        for (UINT x = 0; x < width; ++x) {
            const BYTE* px = &row[static_cast<size_t>(x) * 4];
            const unsigned alpha = px[3];
            for (int c = 0; c < 3; ++c)
                out[x * 3 + c] = static_cast<BYTE>((px[c] * alpha + 255 * (255 - alpha) + 127) / 255);
        }
    }
    return true;
}
