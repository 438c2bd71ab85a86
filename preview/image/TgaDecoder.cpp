#include "image/TgaDecoder.h"

#include "image/ImageBytes.h"

using imagebytes::le16;

namespace {

const size_t kHeaderSize = 18;

struct Rgb
{
    BYTE r, g, b;
};

// One stored pixel or colour-map entry of depth bits (little-endian BGR[A]
// or 5-5-5) as a colour.
Rgb ReadColour(const BYTE* p, unsigned depth)
{
    switch (depth) {
    case 15:
    case 16: {
        unsigned v = le16(p);
        auto five = [](unsigned c) { return static_cast<BYTE>((c << 3) | (c >> 2)); };
        return Rgb{five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31)};
    }
    case 24:
    case 32:
        return Rgb{p[2], p[1], p[0]};
    default:
        return Rgb{p[0], p[0], p[0]};
    }
}

} // namespace

bool DecodeTga(const BYTE* data, size_t size, CDibImage& image)
{
    image.Clear();
    if (data == nullptr || size < kHeaderSize)
        return false;
    const BYTE* h = data;
    size_t idLength = h[0];
    unsigned mapType = h[1], type = h[2];
    unsigned mapFirst = le16(h + 3), mapLength = le16(h + 5), mapDepth = h[7];
    DWORD width = le16(h + 12), height = le16(h + 14);
    unsigned depth = h[16], descriptor = h[17];
    bool rle = type >= 9;
    unsigned base = rle ? type - 8 : type;
    if (mapType > 1 || (base != 1 && base != 2 && base != 3) || width == 0 || height == 0)
        return false;
    if (base == 1 && (mapType != 1 || depth != 8))
        return false;
    if (base == 2 && depth != 15 && depth != 16 && depth != 24 && depth != 32)
        return false;
    if (base == 3 && depth != 8)
        return false;

    size_t mapEntryBytes = 0;
    if (mapType == 1) {
        if (mapDepth != 15 && mapDepth != 16 && mapDepth != 24 && mapDepth != 32)
            return false;
        mapEntryBytes = (mapDepth + 7) / 8;
    }
    size_t mapBytes = mapEntryBytes * mapLength;
    size_t left = size - kHeaderSize;
    if (left < idLength || left - idLength < mapBytes)
        return false;
    const BYTE* map = data + kHeaderSize + idLength;
    const BYTE* src = map + mapBytes;
    left -= idLength + mapBytes;

    size_t pixelBytes = (depth + 7) / 8;
    size_t pixels = static_cast<size_t>(width) * height;
    // A raw stream holds every pixel; an RLE packet of 1 + pixelBytes bytes
    // gives at most 128.
    if (!rle && left / pixelBytes < pixels)
        return false;
    if (rle && left / (1 + pixelBytes) < (pixels + 127) / 128)
        return false;
    if (!image.Allocate(width, height))
        return false;

    bool topDown = (descriptor & 0x20) != 0, rightToLeft = (descriptor & 0x10) != 0;
    size_t pos = 0;
    unsigned packetLeft = 0;
    bool packetRun = false;
    for (size_t n = 0; n < pixels; ++n) {
        if (rle && packetLeft == 0) {
            if (pos >= left) {
                image.Clear();
                return false;
            }
            BYTE header = src[pos++];
            packetRun = (header & 0x80) != 0;
            packetLeft = (header & 0x7F) + 1;
            if (left - pos < pixelBytes) {
                image.Clear();
                return false;
            }
        }
        const BYTE* p = src + pos;
        if (!rle || !packetRun || packetLeft == 1) {
            if (left - pos < pixelBytes) {
                image.Clear();
                return false;
            }
            pos += pixelBytes;
        }
        if (rle)
            --packetLeft;

        Rgb c;
        if (base == 1) {
            unsigned index = p[0];
            if (index < mapFirst || index - mapFirst >= mapLength) {
                image.Clear();
                return false;
            }
            c = ReadColour(map + (index - mapFirst) * mapEntryBytes, mapDepth);
        } else {
            c = ReadColour(p, depth);
        }
        DWORD x = static_cast<DWORD>(n % width), row = static_cast<DWORD>(n / width);
        if (rightToLeft)
            x = width - 1 - x;
        DWORD y = topDown ? row : height - 1 - row;
        image.SetPixel(x, y, c.r, c.g, c.b);
    }
    return true;
}
