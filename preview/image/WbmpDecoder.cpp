#include "image/WbmpDecoder.h"

namespace {
// Seven bits per byte, high bit set on every byte but the last.
bool ReadMultiByte(const BYTE* data, size_t size, size_t& pos, DWORD& value)
{
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (pos >= size)
            return false;
        BYTE b = data[pos++];
        value = (value << 7) | (b & 0x7F);
        if ((b & 0x80) == 0)
            return true;
    }
    return false;
}
} // namespace

bool DecodeWbmp(const BYTE* data, size_t size, CDibImage& image)
{
    image.Clear();
    size_t pos = 0;
    DWORD type = 0, width = 0, height = 0;
    if (data == nullptr || !ReadMultiByte(data, size, pos, type) || type != 0)
        return false;
    if (pos >= size || data[pos++] != 0) // fixed header field
        return false;
    if (!ReadMultiByte(data, size, pos, width) || !ReadMultiByte(data, size, pos, height))
        return false;
    if (width == 0 || height == 0)
        return false;
    size_t rowBytes = (width + 7) / 8;
    if ((size - pos) / rowBytes < height)
        return false;
    if (!image.Allocate(width, height))
        return false;
    const BYTE* raster = data + pos;
    for (DWORD y = 0; y < height; ++y)
        for (DWORD x = 0; x < width; ++x) {
            BYTE v = ((raster[y * rowBytes + x / 8] >> (7 - x % 8)) & 1) ? 255 : 0;
            image.SetPixel(x, y, v, v, v);
        }
    return true;
}
